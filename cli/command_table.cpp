// The commands and the usage text: a command's row and its lines of --help sit together.
#include "cli/cli_commands.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/console_output.h"

// Each command's own file.
int RunListCommand(const CommandLine& line);
int RunExplainCommand(const CommandLine& line);
int RunSetCommand(const CommandLine& line);
int RunHelpCommand(const CommandLine& line);
int RunVersionCommand(const CommandLine& line);

namespace {

struct CommandRow {
    CliCommand command;
    const char* usage;  // its lines under "Commands:"
};

const CommandRow kCommands[] = {
    {{{"list"}, "--all", "list takes no argument but --all and --json", nullptr, true,
      RunListCommand},
     "  list        the runtimes in the dialog's order, one a line: a mark (*) on the one\n"
     "              that Quillfern uses now and the index, then, after tabs, the display\n"
     "              text and the launcher\n"
     "  list --all  the same, then the runtimes on this machine that the list does not\n"
     "              offer (see explain), each with - for an index: not selectable\n"},
    {{{"explain"}, nullptr, nullptr, nullptr, true, RunExplainCommand},
     "  explain     every candidate that the search looked at, source by source, and\n"
     "              why it was listed or left out; last, the runtimes on this machine\n"
     "              that are not offered, and why, or \"none\": those registered in the\n"
     "              other registry view or under JavaSoft\\JRE and JavaSoft\\JDK, then\n"
     "              every other Java home, with its version, architecture and each\n"
     "              source that named it (vendors' keys, also the current user's,\n"
     "              JAVA_HOME, JDK_HOME, PATH, the usual install folders), and\n"
     "              Oracle's javapath folder with the runtime its copies run\n"},
    {{{"set"}, nullptr, nullptr, "set needs an index or a launcher path", true, RunSetCommand},
     "  set INDEX   makes the runtime with that index (as list shows it) the one that\n"
     "              Quillfern uses: writes \"starter\", then \"classes\", as OK does\n"
     "  set PATH    the same for the first listed runtime whose launcher is PATH, the\n"
     "              case of the letters A-Z ignored\n"},
    {{{"--help", "-h", "/?"}, nullptr, nullptr, nullptr, false, RunHelpCommand},
     "  --help      this text\n"},
    {{{"--version"}, nullptr, nullptr, nullptr, false, RunVersionCommand},
     "  --version   the program's version\n"},
};

const char kUsageHead[] =
    "Usage: JreSelectCli COMMAND [--json]\n"
    "\n"
    "Lists, explains and sets the Java runtime that Quillfern runs with, as the\n"
    "JreSelect dialog does.\n"
    "\n"
    "Commands:\n";

const char kUsageTail[] =
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
    "     could not be written to stdout (a full disk, a closed handle)\n";

}  // namespace

const CliCommand* FindCliCommand(const char* name)
{
    for (const CommandRow& row : kCommands) {
        for (const char* known : row.command.names) {
            // Commands are matched as Windows matches names, without regard to letter case.
            if (known != nullptr && _stricmp(name, known) == 0)
                return &row.command;
        }
    }
    return nullptr;
}

const char* JsonCommandNames()
{
    static std::string names;
    if (names.empty()) {
        std::string last;
        for (const CommandRow& row : kCommands) {
            if (!row.command.json)
                continue;
            if (!last.empty())
                names += (names.empty() ? "" : ", ") + last;
            last = row.command.names[0];
        }
        names += (names.empty() ? "" : " and ") + last;
    }
    return names.c_str();
}

void PrintUsage(bool toStdout)
{
    FILE* stream = toStdout ? stdout : stderr;
    WriteText(stream, kUsageHead);
    for (const CommandRow& row : kCommands)
        WriteText(stream, row.usage);
    WriteText(stream, kUsageTail);
}

int RunHelpCommand(const CommandLine&)
{
    PrintUsage(true);
    return kExitSuccess;
}
