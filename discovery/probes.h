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
