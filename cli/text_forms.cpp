// The details that fill the words' %s: numbers, keys and names, as text.
#include "cli/text_forms.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/console_output.h"
#include "cli/words.h"
#include "discovery/path_text.h"

namespace {

const char* TypeText(DWORD type)
{
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_QWORD:
        return "REG_QWORD";
    default:
        return "another type";
    }
}

// The detail that the reason takes from the source that decided it.
std::string SourceDetail(InventoryReason reason, const InventorySource& source)
{
    switch (reason) {
    case kReasonNotText:
        return TypeText(source.valueType);
    case kReasonOtherView:
        return source.view == KEY_WOW64_64KEY ? "64" : "32";
    case kReasonJavaSoftKey: {
        // The key that holds the registrations: SOFTWARE\JavaSoft\JDK of ...\JDK\17.
        const char* last = FindLastBackslash(source.where);
        return std::string(source.where, last != nullptr ? static_cast<size_t>(last - source.where)
                                                         : strlen(source.where));
    }
    case kReasonVendorKey:
    case kReasonPerUser:
        return source.distribution != nullptr ? source.distribution : "";
    case kReasonOnlyEnvironment:
    case kReasonOnlyFolder:
        return source.where;
    default:
        return "";
    }
}

// The reason's words with their detail. deciding is null for a PATH entry, whose reasons take
// nothing from a source.
void PrintReason(InventoryReason reason, const InventorySource* deciding, size_t length,
                 const char* launcherDir)
{
    std::string detail;
    if (reason == kReasonTooLong)
        detail = NumberText(static_cast<long>(length));
    else if (reason == kReasonNotInCodePage)
        detail = NumberText(static_cast<long>(GetACP()));
    else if (reason == kReasonNoLauncher)
        detail = launcherDir;
    else if (deciding != nullptr)
        detail = SourceDetail(reason, *deciding);
    Print(WordsOf(reason).text, detail.c_str());
}

}  // namespace

std::string NumberText(long number)
{
    char text[24];
    snprintf(text, sizeof(text), "%ld", number);
    return text;
}

void PrintSourcePhrase(const InventorySource& source)
{
    const char* text = WordsOf(source.kind).text;
    switch (source.kind) {
    case kNamedByListKey:
    case kNamedByListKeyOtherView:
    case kNamedByJavaSoftKey:
    case kNamedByVendorKey:
    case kNamedByUserKey: {
        const std::string key = std::string(source.hive == kHiveUser ? "HKCU" : "HKLM") + "\\" +
                                source.where + " \"" + source.value + "\"" +
                                ViewWords(source.view).text;
        Print(text, source.distribution, key.c_str());
        break;
    }
    case kNamedByPath:
        Print(text, NumberText(source.pathIndex).c_str(), source.where);
        break;
    case kNamedByEnvironment:
    case kNamedByFolder:
        Print(text, source.where);
        break;
    }
}

void PrintInventoryReason(const InventoryHome& home)
{
    PrintReason(home.reason, &DecidingSource(home), home.namedLength, home.launcherDir);
}

void PrintPathEntryReason(const InventoryPathEntry& entry)
{
    PrintReason(entry.reason, nullptr, entry.length, "");
}
