// The console program's output: Unicode to a console, the ANSI bytes anywhere else.
#include "cli/console_output.h"

#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <vector>

// A write to stdout failed: the command must not end as if it had been read.
bool g_outputFailed = false;

namespace {

void NoteResult(FILE* stream, bool written)
{
    if (!written && stream == stdout)
        g_outputFailed = true;
}

// WriteConsoleW takes a limited amount at once on older Windows (a shared 64 KB heap).
const DWORD kConsoleChunk = 8192;
const size_t kFirstFormatSize = 1024;
// A formatted line longer than this is not shown in a console; nothing the program prints
// comes near it (a registry value is the longest text, and it is printed once).
const size_t kLongestFormatted = 64u << 20;

// The console behind stream, or null when stream goes to a file, a pipe or nowhere.
HANDLE ConsoleOf(FILE* stream)
{
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
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

void WriteFormatted(FILE* stream, const char* format, va_list arguments)
{
    const HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        NoteResult(stream, vfprintf(stream, format, arguments) >= 0);
        return;
    }
    // Formatted first; vsnprintf of either convention (-1, or the length needed, when the
    // text does not fit) is met by a buffer that grows until it does.
    std::vector<char> text(kFirstFormatSize);
    for (;;) {
        va_list copy;
        va_copy(copy, arguments);
        const int length = vsnprintf(&text[0], text.size(), format, copy);
        va_end(copy);
        if (length >= 0 && static_cast<size_t>(length) < text.size()) {
            // What stdio holds for the stream goes first, so that the order stays.
            NoteResult(stream, fflush(stream) == 0);
            NoteResult(stream, WriteToConsole(console, &text[0], static_cast<size_t>(length)));
            return;
        }
        if (text.size() >= kLongestFormatted) {
            NoteResult(stream, false);
            return;
        }
        text.resize(length > 0 ? static_cast<size_t>(length) + 1 : text.size() * 2);
    }
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
