// Probes that discovery runs on candidate runtimes: join a path, test a file, read and
// compare versions. Texts are ANSI and NUL-terminated, in 260-byte buffers.
#pragma once

#include <windows.h>

#include <cstddef>

// OpenFile keeps a path in OFSTRUCT's 128-byte field: FileExists tests none longer.
const size_t kLongestTestedPath = OFS_MAXPATHNAME - 1;

// What a probe learnt about one path.
enum ProbeResult {
    kProbeFound,          // the file is there (a version probe: with a version resource)
    kProbeAbsent,         // it is not (a version probe: absent, or without a version resource)
    kProbeNotQualified,   // not tested: the path is not fully qualified (IsFullyQualifiedPath)
    kProbeTooLongToTest,  // not tested: longer than kLongestTestedPath (ProbeFile only)
    kProbeNoVersionFunctions,  // not read: version.dll in the system directory, or one of
                               // its functions, could not be had (version probes only)
};

// Joins directory and name with one backslash between them (none added when directory
// already ends in one, judged by its last character in the ANSI code page). destination may
// be directory itself. When the result would not fit 260 bytes, destination is left empty
// and false is returned: a cut path is never made.
bool MakePath(char* destination, const char* directory, const char* name);

// Whether the file can be opened for reading (OpenFile with OF_EXIST). A path that is not
// fully qualified, or longer than kLongestTestedPath, is not probed; FileExists counts it
// as absent.
ProbeResult ProbeFile(const char* path);
bool FileExists(const char* path);

// Writes the file version of path's version resource as "a.b.c.d" into out (260 bytes).
// kProbeFound when it did; else out is untouched: no file, no version resource or no whole
// fixed-info block (kProbeAbsent), a path that is not fully qualified and so not read, or
// no version functions (kProbeNoVersionFunctions). The first call loads version.dll by its
// full path in the system directory, never by name, and keeps it for the process.
// GetFileVersionString is true for kProbeFound.
ProbeResult ProbeFileVersion(char* out, const char* path);
bool GetFileVersionString(char* out, const char* path);

// -1, 0 or 1 as a is older than, equal to or newer than b, part by part; -1 as well when
// either text has fewer than four parts.
int CompareVersions(const char* a, const char* b);

// --- Probes of a Java home, for the inventory (java_inventory.h). Each reads a bounded
// number of bytes and takes paths of up to 259 characters.

// Whether path names a file that is there and is no folder (its attributes). A path that is
// not fully qualified is not tested (kProbeNotQualified).
ProbeResult ProbeExistingFile(const char* path);

// True when path starts with a drive letter whose drive Windows maps to the network
// (DRIVE_REMOTE). Asks the local drive table only: nothing goes over the network.
bool IsOnNetworkDrive(const char* path);

// Why a named path is never opened, found from its text and the local drive table alone.
enum UnopenedPlace {
    kPlaceOpenable,           // a fixed local place: it may be looked at
    kPlaceTooLong,            // length 260 or more
    kPlaceNetwork,            // \\server\share..., or on a drive mapped to the network
    kPlaceDevice,             // \\?\... or \\.\...
    kPlaceUnexpanded,         // holds a %NAME% reference, which is not expanded
    kPlaceNotFullyQualified,  // no drive letter, colon and backslash
};

// Per drive letter: -1 not asked yet, 0 local, 1 mapped to the network. Asking Windows
// (under Wine, its mount manager) once per path would cost more than the path's probes.
struct DriveTable {
    signed char remote[26];
};
void InitDriveTable(DriveTable* drives);

// What the length bytes at text (NUL-terminated when shorter than 260) name; drives
// remembers each drive's type once asked.
UnopenedPlace ClassifyPlace(const char* text, size_t length, DriveTable* drives);

// At most this many bytes of a release file are read: the real ones are one or two KiB.
const DWORD kReleaseReadLimit = 16384;
// A JAVA_VERSION value longer than this is not a version.
const size_t kLongestReleaseVersion = 63;

// The value of the line JAVA_VERSION="..." among the first kReleaseReadLimit bytes of the
// file at path (a Java home's release file), into out (260 bytes). kProbeFound when it was
// there; else out is untouched: no such file, no such line within the bytes read, or a
// value that is empty, longer than kLongestReleaseVersion, not closed by a quote or holding
// other than printable ASCII (kProbeAbsent); a path not fully qualified (kProbeNotQualified).
ProbeResult ProbeReleaseVersion(char* out, const char* path);

// The machine field of the PE header of the file at path (0x14C x86, 0x8664 x64, 0xAA64
// ARM64, ...) into *machine, reading the 64-byte DOS header and 6 bytes where it points.
// kProbeFound when the file was read: *machine is 0 when it is no PE file (no "MZ", no
// "PE\0\0" where e_lfanew points, or too short). kProbeAbsent when it cannot be opened.
ProbeResult ProbeExecutableMachine(const char* path, WORD* machine);

// Calls visit with the name of each direct subfolder of dir ("." and ".." left out), in the
// file system's order. kProbeAbsent when dir cannot be listed, kProbeNotQualified when it
// is not fully qualified (then nothing is listed).
typedef void (*FolderVisitor)(const char* name, void* context);
ProbeResult ListSubfolders(const char* dir, FolderVisitor visit, void* context);
