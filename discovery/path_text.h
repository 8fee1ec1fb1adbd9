// Launcher paths as texts of the active ANSI code page: where they end, whether they name
// one fixed place, and whether two of them are the same launcher.
#pragma once

// True when the last character of text is a backslash. In a double-byte code page (932,
// 936, 949, 950) the trail byte of a character may be 0x5C: such a pair is one character,
// never a separator.
bool EndsInBackslash(const char* text);

// True when the last byte of text is a lead byte of a double-byte code page with nothing
// after it: half a character. Joined with "bin", the backslash between would become its
// trail byte: in code page 932, C:\ and 0x95 joined with bin read C:\ and the character
// 0x95 0x5C, then bin, as one folder name.
bool EndsInLoneLeadByte(const char* text);

// True for a drive letter, a colon and a backslash ("C:\...") and for a UNC path
// ("\\server\share..."); a slash counts as a backslash, as Windows takes it. Any other path
// ("jre", "C:jre", "\jre") names a different file depending on where it is looked for.
bool IsFullyQualifiedPath(const char* path);

// True when a and b are the same launcher path: the letters A-Z and a-z are taken as equal,
// every other character is compared exactly, the two bytes of a double-byte character
// included (a trail byte 0x41-0x5A is not a capital letter).
bool SameLauncherPath(const char* a, const char* b);

// The last backslash of text that is a separator (never the trail byte of a double-byte
// character), or null when there is none.
const char* FindLastBackslash(const char* text);

// Writes into out (at least strlen(path) + 1 bytes) the text by which paths are told apart:
// path with the letters A-Z made lower case, every other byte kept, the two bytes of a
// double-byte character untouched. Two paths have equal keys exactly when SameLauncherPath
// takes them as the same, so a key can be looked up where SameLauncherPath would compare.
void MakePathKey(char* out, const char* path);
