// Environment variables read as Unicode and turned into ANSI text only when the ANSI code
// page holds them exactly. The A calls convert with best fit: a letter the code page lacks
// becomes '?' or a look-alike, a path that names another place.
#pragma once

#include <cstddef>
#include <string>

enum VariableRead {
    kVariableRead,       // *value holds the value (empty when the variable is not set)
    kVariableNotAnsi,    // set, but the ANSI code page cannot hold it; *value is empty
    kVariableNoMemory,   // out of memory; *value is empty
};

// name: ASCII, matched as Windows matches names (A-Z in either case).
VariableRead ReadVariableText(const char* name, std::string* value);

// The Unicode value itself, for callers that split it before converting (PATH).
VariableRead ReadVariableUnicode(const char* name, std::wstring* value);

// length UTF-16 units at text as ANSI text: false when the code page cannot hold them
// exactly (no best fit, and they convert back to the same units) or memory runs out.
bool ConvertToAnsiText(const wchar_t* text, size_t length, std::string* out);
