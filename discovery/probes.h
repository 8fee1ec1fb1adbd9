// Probes that discovery runs on candidate runtimes: join a path, test a file, read and
// compare versions. Texts are ANSI and NUL-terminated, in 260-byte buffers.
#pragma once

// Joins directory and name with one backslash between them (none added when directory
// already ends in one, judged by its last character in the ANSI code page). destination may
// be directory itself. When the result would not fit 260 bytes, destination is left empty
// and false is returned: a cut path is never made.
bool MakePath(char* destination, const char* directory, const char* name);

// True when the file can be opened for reading (OpenFile with OF_EXIST). A path that is not
// fully qualified (IsFullyQualifiedPath), or that does not fit OFSTRUCT's 128-byte path
// field, counts as absent and is not probed.
bool FileExists(const char* path);

// Writes the file version of path's version resource as "a.b.c.d" into out (260 bytes).
// False, with out untouched, when there is no file, no version resource or no whole
// fixed-info block, and for a path that is not fully qualified.
bool GetFileVersionString(char* out, const char* path);

// -1, 0 or 1 as a is older than, equal to or newer than b, part by part; -1 as well when
// either text has fewer than four parts.
int CompareVersions(const char* a, const char* b);
