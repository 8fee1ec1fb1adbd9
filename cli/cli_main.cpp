// JreSelectCli: the console companion of JreSelect, for scripts and for finding out why a
// runtime is not in the list.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "base/text_buffer.h"
#include "cli/cli_commands.h"
#include "cli/cli_shared.h"
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
    printf("JreSelectCli %s\n", version);
    return kExitSuccess;
}

// --help to stdout; after a bad command line, to stderr.
void PrintUsage(bool toStdout)
{
    fputs("Usage: JreSelectCli COMMAND\n"
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
          "              that are not offered (the other registry view, JavaSoft\\JRE and\n"
          "              JavaSoft\\JDK), and why, or \"none\"\n"
          "  set INDEX   makes the runtime with that index (as list shows it) the one that\n"
          "              Quillfern uses: writes \"starter\", then \"classes\", as OK does\n"
          "  set PATH    the same for the first listed runtime whose launcher is PATH, the\n"
          "              case of the letters A-Z ignored\n"
          "  --help      this text\n"
          "  --version   the program's version\n"
          "\n"
          "Exit codes:\n"
          "  0  success\n"
          "  1  Quillfern's settings cannot be read (\"Cannot locate Quillfern software!\")\n"
          "  2  a bad command line, or an index or path that names no listed runtime;\n"
          "     nothing is written\n"
          "  3  a registry write failed (\"Unable to apply changes!\")\n"
          "  4  the hidden list box cannot be made (\"Unable to initialize UI!\"), or the\n"
          "     version resource cannot be read\n",
          toStdout ? stdout : stderr);
}


// Commands are matched as Windows matches names, without regard to letter case.
bool IsCommand(const char* argument, const char* name)
{
    return _stricmp(argument, name) == 0;
}

int BadCommandLine(const char* why)
{
    fprintf(stderr, "JreSelectCli: %s\n\n", why);
    PrintUsage(false);
    return kExitBadCommand;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return BadCommandLine("no command");
    const char* command = argv[1];
    const bool set = IsCommand(command, "set");
    const bool list = IsCommand(command, "list");
    const bool listAll = list && argc > 2 && IsCommand(argv[2], "--all");
    const int expected = set || listAll ? 3 : 2;
    if (set && argc < 3)
        return BadCommandLine("set needs an index or a launcher path");
    if (list && argc == 3 && !listAll)
        return BadCommandLine("list takes no argument but --all");
    if (argc > expected)
        return BadCommandLine("too many arguments");

    if (IsCommand(command, "--help") || IsCommand(command, "-h") || IsCommand(command, "/?")) {
        PrintUsage(true);
        return kExitSuccess;
    }
    if (IsCommand(command, "--version"))
        return RunVersionCommand();
    if (list)
        return RunListCommand(listAll);
    if (IsCommand(command, "explain"))
        return RunExplainCommand();
    if (set)
        return RunSetCommand(argv[2]);
    return BadCommandLine("unknown command");
}
