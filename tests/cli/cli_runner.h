// Runs JreSelectCli.exe as a separate process and seeds the registry and file states that it
// reads, for the end-to-end tests of the console companion.
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

// Starts build/bin/JreSelectCli.exe with arguments (appended to the command line as given),
// waits for it with a time limit and collects both outputs.
CliRun RunCli(const std::string& arguments);

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

// Scratch state below C:\jt\cli, and the Windows and system directories' wjview.exe.
extern const char kCliRoot[];
void ResetCliState();
void SetProduct(const std::string& home, const std::string& starter);
void RegisterRuntime(const std::string& name, const std::string& javaHome, DWORD type = REG_SZ);
// Creates the subkey by its name under the JavaSoft key, so that names whose full path
// exceeds what one registry call takes can be made.
void CreateJavaSoftSubkey(const std::string& name);
void MakeLauncher(const std::string& dir, const char* name);
// Copies build/bin/fixtures/<fixture>.exe to path.
void InstallWjview(const char* fixture, const char* path);

extern const char kWindowsWjview[];
extern const char kSystemWjview[];

// Values of the product key: name -> type and bytes.
std::map<std::string, std::string> ProductValues();
