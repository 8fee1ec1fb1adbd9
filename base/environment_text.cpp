// Reads the environment block as Unicode: Wine's GetEnvironmentVariableA also counts a value
// in UTF-16 units and cuts a double-byte value at that many bytes, without an error.
#include "base/environment_text.h"

#include <windows.h>

#include <new>

namespace {

bool SameNameW(const wchar_t* entry, const char* name, size_t nameLength)
{
    for (size_t i = 0; i < nameLength; ++i) {
        wchar_t a = entry[i];
        wchar_t b = static_cast<unsigned char>(name[i]);
        if (a >= L'a' && a <= L'z')
            a = static_cast<wchar_t>(a - 32);
        if (b >= L'a' && b <= L'z')
            b = static_cast<wchar_t>(b - 32);
        if (a != b)
            return false;
    }
    return entry[nameLength] == L'=';
}

}  // namespace

VariableRead ReadVariableUnicode(const char* name, std::wstring* value)
{
    value->clear();
    wchar_t* block = GetEnvironmentStringsW();
    if (block == nullptr)
        return kVariableRead;
    size_t nameLength = 0;
    while (name[nameLength] != '\0')
        ++nameLength;
    VariableRead result = kVariableRead;
    // "NAME=value" texts, each with its NUL, and one more NUL at the end.
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (SameNameW(entry, name, nameLength)) {
            try {
                value->assign(entry + nameLength + 1);
            } catch (const std::bad_alloc&) {
                result = kVariableNoMemory;
            }
            break;
        }
    }
    FreeEnvironmentStringsW(block);
    return result;
}

bool ConvertToAnsiText(const wchar_t* text, size_t length, std::string* out)
{
    out->clear();
    if (length == 0)
        return true;
    const int units = static_cast<int>(length);
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, nullptr, 0,
                                          nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault)
        return false;
    try {
        out->resize(static_cast<size_t>(bytes));
        usedDefault = FALSE;
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, &(*out)[0], bytes,
                                nullptr, &usedDefault) != bytes ||
            usedDefault) {
            out->clear();
            return false;
        }
        // Back to the same units, or the code page only seemed to hold them.
        std::wstring back(length, L'\0');
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, out->data(), bytes, &back[0],
                                units) != units ||
            back.compare(0, length, text, length) != 0) {
            out->clear();
            return false;
        }
    } catch (const std::bad_alloc&) {
        out->clear();
        return false;
    }
    return true;
}

VariableRead ReadVariableText(const char* name, std::string* value)
{
    value->clear();
    std::wstring wide;
    const VariableRead read = ReadVariableUnicode(name, &wide);
    if (read != kVariableRead)
        return read;
    if (!ConvertToAnsiText(wide.data(), wide.size(), value))
        return kVariableNotAnsi;
    return kVariableRead;
}
