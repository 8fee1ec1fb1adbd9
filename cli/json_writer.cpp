// The JSON writer: ANSI text in, plain ASCII JSON out.
#include "cli/json_writer.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace {

const wchar_t kReplacement = 0xFFFD;

// A new line and the indentation of the current depth, before a member or an element.
void NewLine(JsonWriter* writer)
{
    writer->text += '\n';
    writer->text.append(static_cast<size_t>(writer->depth) * 2, ' ');
}

// Everything that goes before a value: the comma after the one before, the line, the name.
void BeginValue(JsonWriter* writer, const char* name)
{
    if (writer->depth > 0) {
        if (!writer->first)
            writer->text += ',';
        NewLine(writer);
    }
    writer->first = false;
    if (name != nullptr) {
        writer->text += '"';
        writer->text += name;
        writer->text += "\": ";
    }
}

void Open(JsonWriter* writer, const char* name, char bracket)
{
    BeginValue(writer, name);
    writer->text += bracket;
    ++writer->depth;
    writer->first = true;
}

void Close(JsonWriter* writer, char bracket)
{
    --writer->depth;
    // An empty object or array stays on its line: {} or [].
    if (!writer->first)
        NewLine(writer);
    writer->text += bracket;
    writer->first = false;
    if (writer->depth == 0)
        writer->text += '\n';
}

// One character of the code page starting at text: a lead byte and its trail byte, or one
// byte. A lead byte at the end stands alone.
size_t CharacterLength(const char* text, size_t left)
{
    return left >= 2 && IsDBCSLeadByte(static_cast<BYTE>(text[0])) ? 2 : 1;
}

// Converts one character; false when the code page has no such character.
bool ConvertCharacter(const char* text, size_t length, std::vector<wchar_t>* out)
{
    wchar_t wide[2];
    const int got = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text,
                                        static_cast<int>(length), wide, 2);
    if (got <= 0)
        return false;
    out->insert(out->end(), wide, wide + got);
    return true;
}

const char kHexDigits[] = "0123456789abcdef";

std::string HexBytes(const char* text, size_t length)
{
    std::string hex;
    hex.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        const BYTE byte = static_cast<BYTE>(text[i]);
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0x0F];
    }
    return hex;
}

void AppendAscii(std::string* out, const char* ascii)
{
    *out += '"';
    *out += ascii;
    *out += '"';
}

}  // namespace

bool AnsiToWide(const char* text, size_t length, std::vector<wchar_t>* out)
{
    out->clear();
    if (length == 0)
        return true;
    // MultiByteToWideChar takes an int length; a longer text goes character by character.
    if (length <= static_cast<size_t>(INT_MAX / 2)) {
        const int size = static_cast<int>(length);
        const int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, size, nullptr, 0);
        if (needed > 0) {
            out->resize(static_cast<size_t>(needed));
            if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, size, &(*out)[0],
                                    needed) == needed)
                return true;
        }
    }
    // Character by character: what converts is kept, what does not becomes U+FFFD, one byte
    // at a time, so that a bad lead byte does not take a good character after it along.
    out->clear();
    bool whole = true;
    size_t at = 0;
    while (at < length) {
        const size_t size = CharacterLength(text + at, length - at);
        if (ConvertCharacter(text + at, size, out)) {
            at += size;
            continue;
        }
        if (size == 2 && ConvertCharacter(text + at, 1, out)) {
            at += 1;
            continue;
        }
        out->push_back(kReplacement);
        whole = false;
        at += 1;
    }
    return whole;
}

void AppendJsonString(std::string* out, const wchar_t* text, size_t length)
{
    out->reserve(out->size() + length + 2);
    *out += '"';
    for (size_t i = 0; i < length; ++i) {
        const unsigned unit = static_cast<unsigned>(text[i]) & 0xFFFF;
        if (unit == '"' || unit == '\\') {
            *out += '\\';
            *out += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit <= 0x7E) {
            *out += static_cast<char>(unit);
        } else {
            const char escape[] = {'\\',
                                   'u',
                                   kHexDigits[(unit >> 12) & 0xF],
                                   kHexDigits[(unit >> 8) & 0xF],
                                   kHexDigits[(unit >> 4) & 0xF],
                                   kHexDigits[unit & 0xF]};
            out->append(escape, sizeof(escape));
        }
    }
    *out += '"';
}

void JsonStart(JsonWriter* writer)
{
    writer->text.clear();
    writer->depth = 0;
    writer->first = true;
    writer->unconvertible = 0;
}

void JsonBeginObject(JsonWriter* writer, const char* name)
{
    Open(writer, name, '{');
}

void JsonEndObject(JsonWriter* writer)
{
    Close(writer, '}');
}

void JsonBeginArray(JsonWriter* writer, const char* name)
{
    Open(writer, name, '[');
}

void JsonEndArray(JsonWriter* writer)
{
    Close(writer, ']');
}

bool JsonText(JsonWriter* writer, const char* name, const char* ansiText)
{
    if (ansiText == nullptr) {
        JsonNull(writer, name);
        return true;
    }
    return JsonTextOfLength(writer, name, ansiText, strlen(ansiText));
}

bool JsonTextOfLength(JsonWriter* writer, const char* name, const char* ansiText, size_t length)
{
    std::vector<wchar_t> wide;
    const bool whole = AnsiToWide(ansiText, length, &wide);
    if (whole) {
        BeginValue(writer, name);
        AppendJsonString(&writer->text, wide.data(), wide.size());
        return true;
    }
    ++writer->unconvertible;
    if (name == nullptr) {
        JsonBeginObject(writer, nullptr);
        BeginValue(writer, "text");
        AppendJsonString(&writer->text, wide.data(), wide.size());
        BeginValue(writer, "bytes");
        AppendAscii(&writer->text, HexBytes(ansiText, length).c_str());
        JsonEndObject(writer);
        return false;
    }
    BeginValue(writer, name);
    AppendJsonString(&writer->text, wide.data(), wide.size());
    const std::string bytesName = std::string(name) + "_bytes";
    BeginValue(writer, bytesName.c_str());
    AppendAscii(&writer->text, HexBytes(ansiText, length).c_str());
    return false;
}

void JsonNumber(JsonWriter* writer, const char* name, long value)
{
    BeginValue(writer, name);
    // Plain ASCII digits, whatever the locale.
    char digits[24];
    char* at = digits + sizeof(digits);
    *--at = '\0';
    unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value)
                                        : static_cast<unsigned long>(value);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--at = '-';
    writer->text += at;
}

void JsonBool(JsonWriter* writer, const char* name, bool value)
{
    BeginValue(writer, name);
    writer->text += value ? "true" : "false";
}

void JsonNull(JsonWriter* writer, const char* name)
{
    BeginValue(writer, name);
    writer->text += "null";
}
