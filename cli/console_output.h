// Everything the console program prints goes through here. Its texts are ANSI text (paths,
// names, messages). A console shows bytes in its own code page (the OEM one, 850 or 437 in
// Western Europe and the US), not in the ANSI code page, so to a console the text goes as
// Unicode: converted with MultiByteToWideChar(CP_ACP) and written with WriteConsoleW. To a
// file or a pipe it goes as the ANSI bytes, exactly as printf writes them.
#pragma once

#include <cstdio>

// stream is stdout or stderr.
void WriteText(FILE* stream, const char* text);
void PrintTo(FILE* stream, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
// PrintTo(stdout, ...).
void Print(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Whether stream is a console (its standard handle takes console modes).
bool IsConsoleStream(FILE* stream);

// Flushes stdout and says whether everything meant for it got there: false when a write or
// the flush failed (a full disk, a closed handle, a console that took nothing).
bool FinishStandardOutput();
