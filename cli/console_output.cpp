// The console program's output: Unicode to a console, the ANSI bytes anywhere else.
#include "cli/console_output.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

// A write to stdout failed: the command must not end as if it had been read.
bool g_outputFailed = false;

// The consoles behind stdout and stderr (null: a file, a pipe or NUL), once asked.
struct StreamTargets {
    bool known;
    HANDLE output;
    HANDLE error;
};
StreamTargets g_streamTargets = {false, nullptr, nullptr};

namespace {

void NoteResult(FILE* stream, bool written)
{
    if (!written && stream == stdout)
        g_outputFailed = true;
}

// WriteConsoleW takes a limited amount at once on older Windows (a shared 64 KB heap).
const DWORD kConsoleChunk = 8192;

const size_t kOutputBuffer = 65536;

HANDLE AskConsole(DWORD standardHandle)
{
    const HANDLE handle = GetStdHandle(standardHandle);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
}

// The console behind stream, or null when stream goes to a file, a pipe or NUL; asked once.
HANDLE ConsoleOf(FILE* stream)
{
    if (!g_streamTargets.known) {
        g_streamTargets.known = true;
        g_streamTargets.output = AskConsole(STD_OUTPUT_HANDLE);
        g_streamTargets.error = AskConsole(STD_ERROR_HANDLE);
        // The C runtime writes to a character device (NUL) unbuffered, a write per call,
        // which Wine makes a round trip to its server each: bytes go in large blocks
        // wherever no console takes them. Nothing has been written to stdout yet.
        if (g_streamTargets.output == nullptr)
            setvbuf(stdout, nullptr, _IOFBF, kOutputBuffer);
    }
    return stream == stderr ? g_streamTargets.error : g_streamTargets.output;
}

// The ANSI text converted as well as the code page allows (a byte that it does not define
// is shown as the console shows one), written in pieces.
// On Windows WriteConsoleW fails where the handle is no console after all (redirected
// since it was asked): then the bytes go with WriteFile. False when neither took them.
bool WriteToConsole(HANDLE console, const char* text, size_t length)
{
    bool written = true;
    while (length > 0) {
        // Pieces end between characters: a lead byte keeps its trail byte.
        size_t piece = 0;
        while (piece < length && piece < kConsoleChunk) {
            const bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[piece])) && piece + 1 < length;
            piece += lead ? 2 : 1;
        }
        wchar_t wide[kConsoleChunk + 2];
        const int units = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(piece), wide,
                                              kConsoleChunk + 2);
        DWORD done = 0;
        if (units <= 0 ||
            !WriteConsoleW(console, wide, static_cast<DWORD>(units), &done, nullptr) ||
            done != static_cast<DWORD>(units)) {
            DWORD bytes = 0;
            if (!WriteFile(console, text, static_cast<DWORD>(piece), &bytes, nullptr) ||
                bytes != piece)
                written = false;
        }
        text += piece;
        length -= piece;
    }
    return written;
}

// Appends text with each control character (C0 and DEL) as <U+00XX>, so that a value from
// the machine stays on its line and no escape sequence reaches a terminal. Trail bytes of
// double-byte characters are 0x40 or above, so none is taken for one. '<' is not allowed in
// a file name, which keeps the notation apart from a path's own text.
void AppendShown(std::string* out, const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            char notation[16];
            snprintf(notation, sizeof(notation), "<U+%04X>", c);
            out->append(notation);
        } else {
            out->push_back(static_cast<char>(c));
        }
    }
}

// format with its arguments, each %s and %c argument shown by AppendShown; the format's own
// line ends and tabs stay. Takes the conversions the program uses: s, c, d and i (with l),
// and %, with flags, a width and a precision of digits or *.
std::string FormatShown(const char* format, va_list arguments)
{
    std::string out;
    const char* p = format;
    while (*p != '\0') {
        if (*p != '%') {
            out.push_back(*p++);
            continue;
        }
        const char* const start = p++;
        bool left = false;
        for (; *p != '\0' && strchr("-+ #0", *p) != nullptr; ++p)
            left = left || *p == '-';
        int width = 0;
        if (*p == '*') {
            width = va_arg(arguments, int);
            ++p;
        } else {
            while (*p >= '0' && *p <= '9')
                width = width * 10 + (*p++ - '0');
        }
        int precision = -1;
        if (*p == '.') {
            ++p;
            precision = 0;
            if (*p == '*') {
                precision = va_arg(arguments, int);
                ++p;
            } else {
                while (*p >= '0' && *p <= '9')
                    precision = precision * 10 + (*p++ - '0');
            }
        }
        char length = '\0';
        if (*p == 'h' || *p == 'l')
            length = *p++;
        const char conversion = *p != '\0' ? *p++ : '\0';
        std::string piece;
        char number[64];
        switch (conversion) {
        case '%':
            piece = "%";
            break;
        case 's': {
            const char* text = va_arg(arguments, const char*);
            if (text == nullptr)
                text = "(null)";
            size_t n = 0;
            while (text[n] != '\0' && (precision < 0 || n < static_cast<size_t>(precision)))
                ++n;
            AppendShown(&piece, text, n);
            break;
        }
        case 'c': {
            const char c = static_cast<char>(va_arg(arguments, int));
            AppendShown(&piece, &c, 1);
            break;
        }
        case 'd':
        case 'i':
            if (length == 'l')
                snprintf(number, sizeof(number), "%ld", va_arg(arguments, long));
            else
                snprintf(number, sizeof(number), "%d", va_arg(arguments, int));
            piece = number;
            break;
        default:
            // Not a conversion the program uses: the rest is shown as written, so that no
            // argument is read as what it is not.
            out.append(start);
            return out;
        }
        if (width > 0 && piece.size() < static_cast<size_t>(width)) {
            const std::string pad(static_cast<size_t>(width) - piece.size(), ' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}

void WriteFormatted(FILE* stream, const char* format, va_list arguments)
{
    const std::string text = FormatShown(format, arguments);
    const HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        NoteResult(stream, fwrite(text.data(), 1, text.size(), stream) == text.size());
        return;
    }
    // What stdio holds for the stream goes first, so that the order stays.
    NoteResult(stream, fflush(stream) == 0);
    NoteResult(stream, WriteToConsole(console, text.data(), text.size()));
}

}  // namespace

bool FinishStandardOutput()
{
    NoteResult(stdout, fflush(stdout) == 0 && !ferror(stdout));
    return !g_outputFailed;
}

bool IsConsoleStream(FILE* stream)
{
    return ConsoleOf(stream) != nullptr;
}

void WriteText(FILE* stream, const char* text)
{
    const HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        NoteResult(stream, fputs(text, stream) >= 0);
        return;
    }
    NoteResult(stream, fflush(stream) == 0);
    NoteResult(stream, WriteToConsole(console, text, strlen(text)));
}

void PrintTo(FILE* stream, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    WriteFormatted(stream, format, arguments);
    va_end(arguments);
}

void Print(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    WriteFormatted(stdout, format, arguments);
    va_end(arguments);
}
