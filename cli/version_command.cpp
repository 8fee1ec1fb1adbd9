// --version: the program's own file version.
#include "cli/cli_commands.h"
#include "cli/console_output.h"

#include <windows.h>

#include "base/text_buffer.h"
#include "cli/cli_shared.h"
#include "discovery/probes.h"

int RunVersionCommand(const CommandLine&)
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
