// JreSelectCli: the console companion of JreSelect, for scripts and for finding out why a
// runtime is not in the list.
#include <cstdio>
#include <cstring>

#include "base/dll_search.h"
#include "cli/cli_commands.h"

namespace {

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
    // Before any DLL is loaded by name or any window is made.
    RestrictDllSearch();
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
