// JreSelectCli's commands, one file each, and the table that names them (command_table.cpp,
// with the usage text). list, explain and set run the dialog's own search, preselection and
// apply over a hidden list box, so that what they show and write is what the dialog would
// show and write. A new command is its own file, its row and usage lines in the table, and
// the build.
#pragma once

// Exit codes, as documented by --help.
const int kExitSuccess = 0;
const int kExitNoSettings = 1;    // "home" or "starter" of the product key cannot be read
const int kExitBadCommand = 2;    // bad command line, or an index or path naming no runtime
const int kExitApplyFailed = 3;   // a registry write failed
const int kExitInternal = 4;      // no hidden list box could be made, no version resource, or
                                  // out of memory
const int kExitOutputFailed = 5;  // the command did its work, but stdout could not take all of
                                  // its output

// What the command line gave the command, beyond its name.
struct CommandLine {
    const char* argument;  // the one argument of a command that takes one, else null
    bool flag;             // the command's flag followed its name (list --all)
    bool json;             // --json: the same facts as one JSON document (cli/json_forms.h)
};

// Each prints to stdout, errors to stderr, and returns the exit code.
typedef int (*CommandRun)(const CommandLine& line);

struct CliCommand {
    const char* names[3];     // the name and up to two others, matched without regard to case
    const char* flag;         // a word that may follow the name ("--all"), else null
    const char* flagMisuse;   // the error when another word follows instead, else null
    const char* missing;      // the error when the command's one argument is missing; null:
                              // it takes none
    bool json;                // --json goes with it
    CommandRun run;
};

// The command named name, or null.
const CliCommand* FindCliCommand(const char* name);
// "list, explain and set": the commands that --json goes with.
const char* JsonCommandNames();
// --help to stdout; after a bad command line, to stderr.
void PrintUsage(bool toStdout);
