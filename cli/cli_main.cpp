// JreSelectCli: the console companion of JreSelect, for scripts and for finding out why a
// runtime is not in the list.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/dll_search.h"
#include "base/text_buffer.h"
#include "cli/cli_commands.h"
#include "cli/console_output.h"
#include "cli/cli_shared.h"
#include "cli/command_line.h"
#include "cli/json_forms.h"
#include "discovery/probes.h"

namespace {

// --version: the program's own file version.
int RunVersionCommand()
{
    char path[kTextBufferSize];
    char version[kTextBufferSize];
    const DWORD length = GetModuleFileNameA(nullptr, path, kTextBufferSize);
    // A result of 260 means that the path was cut.
    if (length == 0 || length >= kTextBufferSize || !GetFileVersionString(version, path)) {
        PrintError("Cannot read the version resource.");
        return kExitInternal;
    }
    Print("JreSelectCli %s\n", version);
    return kExitSuccess;
}

// --help to stdout; after a bad command line, to stderr.
void PrintUsage(bool toStdout)
{
    WriteText(toStdout ? stdout : stderr,
              "Usage: JreSelectCli COMMAND [--json]\n"
              "\n"
              "Lists, explains and sets the Java runtime that Quillfern runs with, as the\n"
              "JreSelect dialog does.\n"
              "\n"
              "Commands:\n"
              "  list        the runtimes in the dialog's order, one a line: a mark (*) on the one\n"
              "              that Quillfern uses now and the index, then, after tabs, the display\n"
              "              text and the launcher\n"
              "  list --all  the same, then the runtimes on this machine that the list does not\n"
              "              offer (see explain), each with - for an index: not selectable\n"
              "  explain     every candidate that the search looked at, source by source, and\n"
              "              why it was listed or left out; last, the runtimes on this machine\n"
              "              that are not offered, and why, or \"none\": those registered in the\n"
              "              other registry view or under JavaSoft\\JRE and JavaSoft\\JDK, then\n"
              "              every other Java home, with its version, architecture and each\n"
              "              source that named it (vendors' keys, also the current user's,\n"
              "              JAVA_HOME, JDK_HOME, PATH, the usual install folders), and\n"
              "              Oracle's javapath folder with the runtime its copies run\n"
              "  set INDEX   makes the runtime with that index (as list shows it) the one that\n"
              "              Quillfern uses: writes \"starter\", then \"classes\", as OK does\n"
              "  set PATH    the same for the first listed runtime whose launcher is PATH, the\n"
              "              case of the letters A-Z ignored\n"
              "  --help      this text\n"
              "  --version   the program's version\n"
              "\n"
              "--json, after list, list --all, explain or set: the same facts as one JSON\n"
              "document on stdout (plain ASCII, schema 2, see the documentation); on an\n"
              "error with an exit code, stdout holds {\"error\": {\"code\", \"message\"}}.\n"
              "\n"
              "Exit codes:\n"
              "  0  success\n"
              "  1  Quillfern's settings cannot be read (\"Cannot locate Quillfern software!\")\n"
              "  2  a bad command line (an argument that the ANSI code page cannot hold\n"
              "     included), or an index or path that names no listed runtime;\n"
              "     nothing is written\n"
              "  3  a registry write failed (\"Unable to apply changes!\")\n"
              "  4  the hidden list box cannot be made (\"Unable to initialize UI!\"), or the\n"
              "     version resource cannot be read, or memory ran out\n"
              "  5  the command did its work (set: the values are written), but its output\n"
              "     could not be written to stdout (a full disk, a closed handle)\n");
}

// Commands are matched as Windows matches names, without regard to letter case.
bool IsCommand(const char* argument, const char* name)
{
    return _stricmp(argument, name) == 0;
}

int BadCommandLine(bool json, const char* command, const char* why)
{
    PrintTo(stderr, "JreSelectCli: %s\n\n", why);
    PrintUsage(false);
    if (json)
        PrintJsonError(command, kExitBadCommand, why);
    return kExitBadCommand;
}

int RunCommandLine()
{
    std::vector<std::string> argv;
    int badIndex = 0;
    std::string shown;
    const ArgumentsRead read = ReadArguments(&argv, &badIndex, &shown);
    if (read == kArgumentsNoMemory) {
        PrintError("Out of memory: the command line could not be read.");
        return kExitInternal;
    }
    // --json may stand anywhere; the other arguments keep their places.
    const char* arguments[3] = {nullptr, nullptr, nullptr};
    int count = 0;
    bool json = false;
    for (const std::string& argument : argv) {
        if (IsCommand(argument.c_str(), "--json"))
            json = true;
        else if (count < 3)
            arguments[count++] = argument.c_str();
        else
            ++count;
    }
    const char* command = count > 0 ? arguments[0] : "";
    // Taken by best fit, it could name another runtime, or end elsewhere.
    if (read == kArgumentNotAnsi) {
        char why[128];
        snprintf(why, sizeof(why),
                 "argument %d holds a character that the ANSI code page (%u) lacks: ", badIndex,
                 GetACP());
        return BadCommandLine(json, command, (why + shown).c_str());
    }
    if (count == 0)
        return BadCommandLine(json, command, "no command");
    const bool set = IsCommand(command, "set");
    const bool list = IsCommand(command, "list");
    const bool explain = IsCommand(command, "explain");
    const bool listAll = list && count > 1 && IsCommand(arguments[1], "--all");
    const int expected = set || listAll ? 2 : 1;
    if (set && count < 2)
        return BadCommandLine(json, command, "set needs an index or a launcher path");
    if (list && count == 2 && !listAll)
        return BadCommandLine(json, command, "list takes no argument but --all and --json");
    if (count > expected)
        return BadCommandLine(json, command, "too many arguments");

    const bool help =
        IsCommand(command, "--help") || IsCommand(command, "-h") || IsCommand(command, "/?");
    if (json && (help || IsCommand(command, "--version")))
        return BadCommandLine(json, command, "--json goes with list, explain and set only");
    if (help) {
        PrintUsage(true);
        return kExitSuccess;
    }
    if (IsCommand(command, "--version"))
        return RunVersionCommand();
    int result = kExitBadCommand;
    if (list)
        result = RunListCommand(listAll, json);
    else if (explain)
        result = RunExplainCommand(json);
    else if (set)
        result = RunSetCommand(arguments[1], json);
    else
        return BadCommandLine(json, command, "unknown command");
    // Whatever failed has said so on stderr; a script reading stdout gets it as JSON.
    if (json && result != kExitSuccess)
        PrintJsonError(command, result, g_errorMessage.c_str());
    return result;
}

}  // namespace

int main()
{
    // A probe of an empty removable drive (a card reader, a floppy drive) must fail quietly,
    // never raise a "no disk" box that blocks the dialog or a script.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Before any DLL is loaded by name or any window is made.
    RestrictDllSearch();
    const int result = RunCommandLine();
    // A script reading stdout must not take a cut or missing output for the whole. A command
    // that failed keeps its own code, which says more (and that nothing was written).
    if (!FinishStandardOutput() && result == kExitSuccess) {
        PrintError("The output could not be written.");
        return kExitOutputFailed;
    }
    return result;
}
