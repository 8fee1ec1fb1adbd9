// Path texts in the active ANSI code page, walked character by character.
#include "discovery/path_text.h"

#include <windows.h>

namespace {

// Bytes of the character that starts at text: 2 for a lead byte with its trail byte, else 1.
// Lead bytes are all above 0x7F, so ASCII never needs the code page's table.
size_t CharacterLength(const char* text)
{
    const BYTE first = static_cast<BYTE>(text[0]);
    return first >= 0x80 && IsDBCSLeadByte(first) && text[1] != '\0' ? 2 : 1;
}

char FoldAsciiLetter(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

}  // namespace

bool EndsInBackslash(const char* text)
{
    const char* last = nullptr;
    for (const char* at = text; *at != '\0'; at += CharacterLength(at))
        last = at;
    return last != nullptr && *last == '\\';
}

bool EndsInLoneLeadByte(const char* text)
{
    const char* last = nullptr;
    for (const char* at = text; *at != '\0'; at += CharacterLength(at))
        last = at;
    if (last == nullptr || last[1] != '\0')
        return false;
    const BYTE byte = static_cast<BYTE>(*last);
    return byte >= 0x80 && IsDBCSLeadByte(byte);
}

bool IsFullyQualifiedPath(const char* path)
{
    const char drive = FoldAsciiLetter(path[0]);
    if (drive >= 'a' && drive <= 'z')
        return path[1] == ':' && IsSeparator(path[2]);
    return IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != '\0' &&
           !IsSeparator(path[2]);
}

bool SameLauncherPath(const char* a, const char* b)
{
    // Equal so far means both stand at the start of a character: a lead byte is matched
    // only by itself, and a letter folded only by an ASCII letter.
    for (;;) {
        const size_t length = CharacterLength(a);
        if (length == 2) {
            if (a[0] != b[0] || a[1] != b[1])
                return false;
        } else if (FoldAsciiLetter(a[0]) != FoldAsciiLetter(b[0])) {
            return false;
        } else if (a[0] == '\0') {
            return true;
        }
        a += length;
        b += length;
    }
}

const char* FindLastBackslash(const char* text)
{
    const char* last = nullptr;
    for (const char* at = text; *at != '\0'; at += CharacterLength(at)) {
        if (*at == '\\')
            last = at;
    }
    return last;
}

void MakePathKey(char* out, const char* path)
{
    while (*path != '\0') {
        const size_t length = CharacterLength(path);
        if (length == 2) {
            *out++ = *path++;
            *out++ = *path++;
        } else {
            *out++ = FoldAsciiLetter(*path++);
        }
    }
    *out = '\0';
}
