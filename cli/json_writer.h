// A JSON document built in memory, for the console program's --json forms. Texts are the
// program's ANSI text, converted from the ANSI code page to UTF-16 and written with \uXXXX
// escapes for everything outside printable ASCII, so that the document is plain ASCII: it
// reads the same in any console code page and through a pipe.
#pragma once

#include <string>
#include <vector>

// The document so far. Members and elements are written through the functions below; name is
// the member's name inside an object, and null for an element of an array or the document's
// top value. Names are ASCII words of the program's own, written as they are.
struct JsonWriter {
    std::string text;     // the document, indented by two spaces a level, lines ending in \n
    int depth;            // objects and arrays open
    bool first;           // nothing written yet inside the innermost open object or array
    int unconvertible;    // texts that held a byte sequence the code page cannot convert
};

void JsonStart(JsonWriter* writer);
void JsonBeginObject(JsonWriter* writer, const char* name);
void JsonEndObject(JsonWriter* writer);
void JsonBeginArray(JsonWriter* writer, const char* name);
void JsonEndArray(JsonWriter* writer);
// ansiText null writes null. A text that the ANSI code page cannot convert as a whole
// (MultiByteToWideChar with MB_ERR_INVALID_CHARS refuses it) is reported, not dropped: each
// byte sequence that does not convert becomes U+FFFD in the string, and a member NAME_bytes
// follows with the text's bytes in hexadecimal; inside an array, the element becomes an
// object {"text": ..., "bytes": ...}. Returns false for such a text.
bool JsonText(JsonWriter* writer, const char* name, const char* ansiText);
// The same for a text of length bytes (it may hold NULs).
bool JsonTextOfLength(JsonWriter* writer, const char* name, const char* ansiText, size_t length);
void JsonNumber(JsonWriter* writer, const char* name, long value);
void JsonBool(JsonWriter* writer, const char* name, bool value);
void JsonNull(JsonWriter* writer, const char* name);

// Appends the JSON string (quotes included) for UTF-16 text: '"' and '\' escaped with a
// backslash, printable ASCII (0x20-0x7E) as it is, every other unit as \uXXXX (lower-case
// hex; the two halves of a surrogate pair each so).
void AppendJsonString(std::string* out, const wchar_t* text, size_t length);
// Converts ANSI text of length bytes to UTF-16 in *out. True when the whole text converts;
// otherwise each byte sequence that does not (a byte undefined in the code page, a lead byte
// without a valid trail byte) is U+FFFD in *out, and false is returned.
bool AnsiToWide(const char* text, size_t length, std::vector<wchar_t>* out);
