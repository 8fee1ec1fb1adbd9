// Process runner and output readers for the JreSelectCli tests.
#include "cli/cli_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "cli/json_twin.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_entry.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"
#include "support/machine.h"

const char kCliRoot[] = "C:\\jt\\cli";
const char kCliPath[] = JRESELECT_BIN_DIR_W "\\JreSelectCli.exe";

namespace {

const DWORD kConsoleTimeLimitMs = 60000;
const DWORD kPollMs = 5;
const DWORD kPipeSize = 65536;

// Reads what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string* into)
{
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, sizeof(buffer), &got, nullptr) || got == 0)
            return;
        into->append(buffer, got);
    }
}

std::string WithoutCarriageReturns(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c != '\r')
            result += c;
    }
    return result;
}

}  // namespace

namespace {

// Starts the command line, with the standard handles of startup, by CreateProcessA, or by
// CreateProcessW when wideArguments is given (then appended to the program's path instead).
BOOL StartProcess(const std::string& program, const std::string& arguments,
                  const std::wstring* wideArguments, const STARTUPINFOA& startup,
                  PROCESS_INFORMATION* process)
{
    if (wideArguments == nullptr) {
        std::string commandLine = "\"" + program + "\"";
        if (!arguments.empty())
            commandLine += " " + arguments;
        std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
        mutableLine.push_back('\0');
        STARTUPINFOA copy = startup;
        return CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE,
                              DETACHED_PROCESS, nullptr, nullptr, &copy, process);
    }
    std::wstring commandLine = L"\"" + Widen(program) + L"\"";
    if (!wideArguments->empty())
        commandLine += L" " + *wideArguments;
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');
    STARTUPINFOW wide = {};
    wide.cb = sizeof(wide);
    wide.dwFlags = startup.dwFlags;
    wide.hStdInput = startup.hStdInput;
    wide.hStdOutput = startup.hStdOutput;
    wide.hStdError = startup.hStdError;
    return CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS,
                          nullptr, nullptr, &wide, process);
}

// stdoutGiven: standardOutput is the program's stdout; else a pipe that RunCli reads.
CliRun RunCliProcess(const std::string& arguments, const std::wstring* wideArguments,
                     const std::string& program, bool stdoutGiven, HANDLE standardOutput,
                     DWORD timeLimitMs)
{
    CliRun run = {0xbdbdbdbd, "", ""};
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, kPipeSize) ||
        !CreatePipe(&errRead, &errWrite, &inherit, kPipeSize)) {
        ADD_FAILURE() << "CreatePipe";
        return run;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = stdoutGiven ? standardOutput : outWrite;
    startup.hStdError = errWrite;
    // For the failures' text; a wide command line is told as this code page shows it.
    const std::string commandLine =
        program + " " + (wideArguments == nullptr ? arguments : "(wide arguments)");
    PROCESS_INFORMATION process;
    const BOOL started = StartProcess(program, arguments, wideArguments, startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
        CloseHandle(outRead);
        CloseHandle(errRead);
        return run;
    }
    // Both pipes are drained while the program runs, so that a full one never stalls it,
    // and once more after it has ended. End of file is not waited for: a helper process that
    // Wine starts for the program may hold the pipes' write ends longer.
    std::string out, err;
    DWORD waited = 0;
    while (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_TIMEOUT) {
        Drain(outRead, &out);
        Drain(errRead, &err);
        waited += kPollMs;
        if (waited >= timeLimitMs) {
            ADD_FAILURE() << commandLine << " did not end within " << timeLimitMs << " ms";
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
    }
    Drain(outRead, &out);
    Drain(errRead, &err);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(outRead);
    CloseHandle(errRead);
    run.out = WithoutCarriageReturns(out);
    run.err = WithoutCarriageReturns(err);
    return run;
}

}  // namespace

CliRun RunCli(const std::string& arguments, const std::string& program, DWORD timeLimitMs)
{
    return RunCliProcess(arguments, nullptr, program, false, nullptr, timeLimitMs);
}

CliRun RunCliWide(const std::wstring& arguments)
{
    return RunCliProcess("", &arguments, kCliPath, false, nullptr, 60000);
}

CliRun RunCliWithOutput(const std::string& arguments, HANDLE standardOutput)
{
    return RunCliProcess(arguments, nullptr, kCliPath, true, standardOutput, 60000);
}

namespace {

// The console's screen buffer, row after row.
std::wstring ReadScreen()
{
    std::wstring screen;
    HANDLE output = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return screen;
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(output, &info) && info.dwSize.X > 0) {
        std::vector<wchar_t> row(static_cast<size_t>(info.dwSize.X));
        for (SHORT y = 0; y < info.dwSize.Y; ++y) {
            DWORD read = 0;
            const COORD at = {0, y};
            if (!ReadConsoleOutputCharacterW(output, row.data(), info.dwSize.X, at, &read))
                break;
            screen.append(row.data(), read);
        }
    }
    CloseHandle(output);
    return screen;
}

}  // namespace

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    std::wstring wide(text.size() * 2, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return wide;
}

std::wstring ReadCliConsole(const std::string& arguments, const std::wstring& until)
{
    const std::string program = kCliPath;
    std::string commandLine = "cmd.exe /k ";
    if (program.find(' ') != std::string::npos)
        commandLine += "\"\"" + program + "\" " + arguments + "\"";
    else
        commandLine += program + " " + arguments;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
        return std::wstring();
    }
    // This process's own console (if any) is left for the time of the reading; the standard
    // handles, which GoogleTest writes to, are put back after.
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    FreeConsole();
    std::wstring screen;
    bool attached = false;
    for (DWORD waited = 0; waited < kConsoleTimeLimitMs; waited += 50) {
        if (AttachConsole(process.dwProcessId)) {
            attached = true;
            screen = ReadScreen();
            FreeConsole();
            if (screen.find(until) != std::wstring::npos)
                break;
        }
        Sleep(50);
    }
    SetStdHandle(STD_INPUT_HANDLE, input);
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    SetStdHandle(STD_ERROR_HANDLE, error);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(attached) << "AttachConsole to " << commandLine << ": " << GetLastError();
    return screen;
}

std::string RunReadingCommand(const char* command, void (*seed)())
{
    const std::string before = ClearAndSeed(seed);
    const CliRun run = RunCli(command);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ("", run.err);
    ExpectJsonTwin(command, run);
    EXPECT_EQ(before, DumpKeyTree(kTestVelmorKey)) << command << " writes nothing";
    return run.out;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

void ExpectLinesInOrder(const std::string& out, const std::vector<std::string>& wanted)
{
    const std::vector<std::string> lines = SplitLines(out);
    size_t from = 0;
    for (const std::string& line : wanted) {
        size_t at = from;
        while (at < lines.size() && lines[at] != line)
            ++at;
        EXPECT_LT(at, lines.size()) << "missing, or out of order: [" << line << "]\n" << out;
        from = at < lines.size() ? at + 1 : from;
    }
}

bool ListedRuntime::operator==(const ListedRuntime& other) const
{
    return current == other.current && index == other.index && text == other.text &&
           launcher == other.launcher;
}

std::string Describe(const std::vector<ListedRuntime>& runtimes)
{
    std::string text;
    for (const ListedRuntime& r : runtimes) {
        text += std::string(r.current ? "* " : "  ") + std::to_string(r.index) + " | " + r.text +
                " | " + r.launcher + "\n";
    }
    return text.empty() ? "(empty)\n" : text;
}

std::vector<ListedRuntime> ParseListOutput(const std::string& out)
{
    std::vector<ListedRuntime> runtimes;
    for (const std::string& line : SplitLines(out)) {
        const size_t firstTab = line.find('\t');
        const size_t secondTab = line.find('\t', firstTab + 1);
        if (line.size() < 3 || (line[0] != '*' && line[0] != ' ') || line[1] != ' ' ||
            firstTab == std::string::npos || secondTab == std::string::npos ||
            line.find('\t', secondTab + 1) != std::string::npos) {
            ADD_FAILURE() << "malformed list line: [" << line << "]";
            return {};
        }
        ListedRuntime r;
        r.current = line[0] == '*';
        r.index = atoi(line.substr(2, firstTab - 2).c_str());
        r.text = line.substr(firstTab + 1, secondTab - firstTab - 1);
        r.launcher = line.substr(secondTab + 1);
        runtimes.push_back(r);
    }
    return runtimes;
}

std::vector<ListedRuntime> ListInProcess()
{
    std::vector<ListedRuntime> runtimes;
    if (!LoadInstallSettings()) {
        ADD_FAILURE() << "settings unreadable";
        return runtimes;
    }
    // A top-level list box styled as the dialog's, not the message-only one of the CLI.
    HWND list = CreateWindowA("LISTBOX", "", WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                                                 LBS_NOINTEGRALHEIGHT,
                              0, 0, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (list == nullptr) {
        ADD_FAILURE() << "CreateWindowA LISTBOX: " << GetLastError();
        return runtimes;
    }
    FillRuntimeList(list);
    SelectCurrentRuntime(list);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[1024];
        memset(text, 0xbd, sizeof(text));
        const LRESULT length = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        const RuntimeEntry* entry =
            reinterpret_cast<const RuntimeEntry*>(SendMessageA(list, LB_GETITEMDATA, index, 0));
        ListedRuntime r;
        r.current = index == selected;
        r.index = index;
        r.text = length >= 0 ? std::string(text, static_cast<size_t>(length)) : "<LB_ERR>";
        r.launcher = entry != nullptr ? entry->starter : "<no entry>";
        runtimes.push_back(r);
    }
    ReleaseRuntimeList(list);
    DestroyWindow(list);
    return runtimes;
}

std::map<std::string, std::string> ProductValues()
{
    std::map<std::string, std::string> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof(name);
        BYTE data[4096];
        DWORD dataSize = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        values[name] = "(" + std::to_string(type) + ")" +
                       std::string(reinterpret_cast<char*>(data), dataSize);
    }
    RegCloseKey(key);
    return values;
}
