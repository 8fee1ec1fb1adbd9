// The --json form of a command beside its text form, on the same machine state. Each document
// is kept, with the text form beside it, under the build tree's json-out folder of the
// configuration; tests/cli/check_json.py, run by ctest after the programs' cases (the
// fixture json_CONFIG), parses every one with Python's json module, checks it against the
// schema and compares it field by field with the text form.
#pragma once

#include <string>

#include "cli/cli_runner.h"

// Runs `command --json`, which must end with text's exit code and the same stderr, and print
// one plain ASCII object on stdout; keeps both forms for the check. Returns the document.
std::string ExpectJsonTwin(const std::string& command, const CliRun& text);
// Keeps a document for the check, with the text form's run when there is one (text.exitCode
// 0: its stdout; else its stderr, whose first line the error's message is from).
void KeepForJsonCheck(const std::string& json, const CliRun* text);
// Whether every byte is printable ASCII, a tab, a line feed or a carriage return.
bool IsPlainAscii(const std::string& text);
