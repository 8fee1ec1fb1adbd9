// The words of every fact that explain and list tell: for each value of each kind of fact, its
// JSON code and its text form, in one row (words.cpp), so that the two forms cannot tell a
// fact apart. A text is a printf format whose only conversions are up to two %s, filled with
// the details that the text printer gives in that order (a number, a key, a path); where a
// fact is worded two ways, the row holds both and the printer picks.
#pragma once

#include <windows.h>

#include "cli/report.h"
#include "discovery/java_inventory.h"
#include "discovery/runtime_discovery.h"

struct Words {
    const char* code;   // the JSON form's word
    const char* text;   // the text form's words
    const char* other;  // the second wording, where there is one; else null
};

// The search's sources: the text is the section's heading in explain.
const Words& WordsOf(DiscoverySource source);
// What became of a candidate (explain's "left out: ..."). other: key_absent of the Microsoft
// VM, name_too_long of a name that could not be read, no_version_resource when version.dll's
// functions could not be had.
const Words& WordsOf(DiscoveryOutcome outcome);
// What became of a file tested; its first %s is the file's name or path. other: not_found of
// wjview.exe.
const Words& WordsOf(TrialResult result);
// Why the list does not offer a home, or why a PATH entry was not looked at.
const Words& WordsOf(InventoryReason reason);
// What named a home: its text is the phrase after "named by".
const Words& WordsOf(InventorySourceKind kind);
const Words& WordsOf(InventoryArchitecture architecture);
// Where a home's version comes from; the text's %s is the version. No code when unknown.
const Words& WordsOf(InventoryVersionOrigin origin);
// The text's %s are the index and the entry's text.
const Words& WordsOf(CurrentReason reason);
// The text follows the home's path. No code when they run none.
const Words& WordsOf(JavapathHome home);
// Which runtime the javapath copies run, or why none; the printer gives the details its
// text names (the copy, the key and view, the version asked for, the home).
const Words& WordsOf(JavapathOutcome outcome);
// A registry view as the inventory names views: 0 the program's own, else KEY_WOW64_32KEY or
// KEY_WOW64_64KEY. The text follows a key: empty for the own view.
const Words& ViewWords(REGSAM view);

// Every row of every table, for the check that each text holds only the conversions above.
const Words* const* AllWords(size_t* count);
