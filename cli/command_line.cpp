// The Unicode command line, split by msvcrt (a KnownDLL the program imports already), so
// that its arguments keep the places they had when the C runtime split the ANSI one.
#include "cli/command_line.h"

#include <windows.h>

#include <cstdio>
#include <new>

#include "base/environment_text.h"

namespace {

// msvcrt's, declared by no public header.
struct CrtStartupInfo {
    int newMode;
};
extern "C" int __cdecl __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** environment,
                                      int expandWildcards, CrtStartupInfo* info);

// text with each character that the code page lacks as <U+XXXX>; the others as ANSI text.
std::string ShowArgument(const wchar_t* text)
{
    std::string shown;
    for (const wchar_t* at = text; *at != L'\0';) {
        const bool pair = *at >= 0xd800 && *at <= 0xdbff && at[1] >= 0xdc00 && at[1] <= 0xdfff;
        const size_t units = pair ? 2 : 1;
        std::string piece;
        if (ConvertToAnsiText(at, units, &piece)) {
            shown += piece;
        } else {
            const unsigned long point =
                pair ? 0x10000 + ((at[0] - 0xd800UL) << 10) + (at[1] - 0xdc00UL) : *at;
            char notation[16];
            snprintf(notation, sizeof(notation), "<U+%04lX>", point);
            shown += notation;
        }
        at += units;
    }
    return shown;
}

}  // namespace

ArgumentsRead ReadArguments(std::vector<std::string>* arguments, int* badIndex,
                            std::string* shown)
{
    arguments->clear();
    *badIndex = 0;
    shown->clear();
    int count = 0;
    wchar_t** wide = nullptr;
    wchar_t** environment = nullptr;
    // No wildcard expansion, as the ANSI arguments had none.
    CrtStartupInfo info = {0};
    __wgetmainargs(&count, &wide, &environment, 0, &info);
    if (wide == nullptr || count < 1)
        return kArgumentsNoMemory;
    try {
        for (int i = 1; i < count; ++i) {
            std::string text;
            const size_t length = wcslen(wide[i]);
            if (!ConvertToAnsiText(wide[i], length, &text) && *badIndex == 0) {
                *badIndex = i;
                *shown = ShowArgument(wide[i]);
            }
            arguments->push_back(text);
        }
    } catch (const std::bad_alloc&) {
        return kArgumentsNoMemory;
    }
    return *badIndex != 0 ? kArgumentNotAnsi : kArgumentsRead;
}
