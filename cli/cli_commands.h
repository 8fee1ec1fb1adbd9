// JreSelectCli's commands, one file each: list, explain and set run the dialog's own search, preselection
// and apply over a hidden list box, so that what they show and write is what the dialog
// would show and write.
#pragma once

// Exit codes, as documented by --help.
const int kExitSuccess = 0;
const int kExitNoSettings = 1;    // "home" or "starter" of the product key cannot be read
const int kExitBadCommand = 2;    // bad command line, or an index or path naming no runtime
const int kExitApplyFailed = 3;   // a registry write failed
const int kExitInternal = 4;      // no hidden list box could be made, or no version resource
const int kExitOutputFailed = 5;  // the command did its work, but stdout could not take all of
                                  // its output

// Each prints to stdout, errors to stderr, and returns the exit code. json: the same facts
// as one JSON document on stdout instead of the text (cli/json_forms.h).
// all: the runtimes that are on the machine but not offered follow the list, without index.
int RunListCommand(bool all, bool json);
int RunExplainCommand(bool json);
// argument: a list index ("0", "1"...) or a launcher path, matched as the dialog preselects.
int RunSetCommand(const char* argument, bool json);
