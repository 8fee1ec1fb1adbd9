// set INDEX and set PATH: choose a runtime as OK in the dialog does.
#include "cli/cli_commands.h"
#include "cli/console_output.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/list_box.h"
#include "cli/cli_shared.h"
#include "cli/json_forms.h"
#include "discovery/runtime_list.h"
#include "res/messages.h"

namespace {

const int kLongestIndexDigits = 9;  // below 10^9, an index fits an int

// A decimal index: digits only, so that "-1" or "+1" is taken as a path. *outOfRange is set
// for a number that no int index can be.
bool ParseIndex(const char* text, int* index, bool* outOfRange)
{
    const size_t length = strlen(text);
    if (length == 0 || strspn(text, "0123456789") != length)
        return false;
    *outOfRange = length > static_cast<size_t>(kLongestIndexDigits);
    *index = 0;
    if (!*outOfRange) {
        for (size_t i = 0; i < length; ++i)
            *index = *index * 10 + (text[i] - '0');
    }
    return true;
}

// Selects the entry that argument names, as the dialog selects on OK; false when none.
bool SelectNamedRuntime(HWND list, const char* argument)
{
    int index = 0;
    bool outOfRange = false;
    if (ParseIndex(argument, &index, &outOfRange)) {
        if (outOfRange || index >= ListGetCount(list)) {
            PrintError(("No listed runtime has the index " + std::string(argument) + ".").c_str());
            return false;
        }
        ListSetCurSel(list, index);
        return true;
    }
    // Matched as the dialog preselects "starter". A path of 260 bytes or more equals no
    // entry's launcher, which always fits.
    if (SelectRuntimeByLauncher(list, argument) < 0) {
        PrintError(("No listed runtime has the launcher " + std::string(argument) + ".").c_str());
        return false;
    }
    return true;
}

}  // namespace

int RunSetCommand(const CommandLine& line)
{
    const char* argument = line.argument;
    const bool json = line.json;
    HWND list = nullptr;
    const int failure = OpenList(&list);
    if (failure != kExitSuccess)
        return failure;
    InitRuntimeList(list);
    int result = kExitBadCommand;
    if (SelectNamedRuntime(list, argument)) {
        if (!ApplySelection(list)) {
            PrintError(kApplyFailedMessage);
            result = kExitApplyFailed;
        } else if (json) {
            PrintSetJson(list);
            result = kExitSuccess;
        } else {
            const int index = ListGetCurSel(list);
            const RuntimeEntry* entry = EntryAt(list, index);
            Print("Set %d: %s\n", index, entry->name);
            Print("  starter %s\n", entry->starter);
            Print("  classes %s\n", entry->classes);
            result = kExitSuccess;
        }
    }
    CloseList(list);
    return result;
}
