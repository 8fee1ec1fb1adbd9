// JreSelectCli: the console companion of JreSelect, for scripts and for finding out why a
// runtime is not in the list.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/dll_search.h"
#include "cli/cli_commands.h"
#include "cli/console_output.h"
#include "cli/cli_shared.h"
#include "cli/command_line.h"
#include "cli/json_forms.h"

namespace {

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
        if (_stricmp(argument.c_str(), "--json") == 0)
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
    const CliCommand* known = FindCliCommand(command);
    CommandLine line = {nullptr, false, json};
    if (known != nullptr && known->missing != nullptr) {
        if (count < 2)
            return BadCommandLine(json, command, known->missing);
        line.argument = arguments[1];
    }
    if (known != nullptr && known->flag != nullptr && count == 2) {
        line.flag = _stricmp(arguments[1], known->flag) == 0;
        if (!line.flag)
            return BadCommandLine(json, command, known->flagMisuse);
    }
    const int expected = line.argument != nullptr || line.flag ? 2 : 1;
    if (count > expected)
        return BadCommandLine(json, command, "too many arguments");
    if (json && known != nullptr && !known->json)
        return BadCommandLine(json, command,
                              (std::string("--json goes with ") + JsonCommandNames() + " only")
                                  .c_str());
    if (known == nullptr)
        return BadCommandLine(json, command, "unknown command");
    const int result = known->run(line);
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
