// Runs JreSelectCli.exe as a separate process and reads what it printed, for the end-to-end
// tests of the console companion; the states it runs in are seeded by support/machine.h.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct CliRun {
    DWORD exitCode;
    std::string out;  // stdout, with the "\r" of each line end removed
    std::string err;  // stderr, likewise
};

// build/bin/JreSelectCli.exe.
extern const char kCliPath[];

// Starts program (build/bin/JreSelectCli.exe unless named) with arguments (appended to the
// command line as given), waits for it with a time limit (a minute unless named) and collects
// both outputs.
CliRun RunCli(const std::string& arguments, const std::string& program = kCliPath,
              DWORD timeLimitMs = 60000);
// The same with arguments as Unicode, started by CreateProcessW: the program gets them as
// typed, not as the ANSI code page (with best fit) would spell them.
CliRun RunCliWide(const std::wstring& arguments);
// The same with standardOutput as the program's stdout (a file, or null for none at all);
// CliRun::out stays empty.
CliRun RunCliWithOutput(const std::string& arguments, HANDLE standardOutput);
// Starts JreSelectCli.exe with arguments in a console of its own (CREATE_NEW_CONSOLE; cmd.exe
// /k keeps the console open after the program ends), attaches to that console and reads its
// screen buffer (ReadConsoleOutputCharacterW) until it holds `until` or a time limit passes.
// Returns the buffer's rows joined, each as wide as the buffer, so that a line that wraps
// reads on; empty when the console could not be reached.
std::wstring ReadCliConsole(const std::string& arguments, const std::wstring& until);
// ANSI text of the process's code page as Unicode (MultiByteToWideChar(CP_ACP)).
std::wstring Widen(const std::string& text);
// On a cleared machine seeded by seed, runs a command that only reads ("list", "explain"):
// it must end with exit code 0, print nothing to stderr and write nothing. Returns stdout.
std::string RunReadingCommand(const char* command, void (*seed)());

std::vector<std::string> SplitLines(const std::string& text);
// Adds a failure for each wanted line that is not a whole line of out after the one before it.
void ExpectLinesInOrder(const std::string& out, const std::vector<std::string>& wanted);

// One list line as "list" prints it and as the dialog's list box holds it.
struct ListedRuntime {
    bool current;
    int index;
    std::string text;
    std::string launcher;
    bool operator==(const ListedRuntime& other) const;
};
std::string Describe(const std::vector<ListedRuntime>& runtimes);

// What "list" printed, or an empty list with a failure added when a line is malformed.
std::vector<ListedRuntime> ParseListOutput(const std::string& out);
// LoadInstallSettings, then FillRuntimeList and SelectCurrentRuntime into a hidden list box
// of this process, read back with LB_GETTEXT, LB_GETITEMDATA and LB_GETCURSEL.
std::vector<ListedRuntime> ListInProcess();

// The folder below kCaseRoot that the console program's cases use.
extern const char kCliRoot[];

// Values of the product key: name -> type and bytes.
std::map<std::string, std::string> ProductValues();
