// The --json documents, written from the search's notes and the list box, as the text forms
// are; only the rendering differs.
#include "cli/json_forms.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/list_box.h"
#include "cli/cli_shared.h"
#include "cli/console_output.h"
#include "cli/json_writer.h"
#include "discovery/java_inventory.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"

namespace {

// What the search said about a runtime it listed; its texts copied, as the note's live only
// for the observer's call.
struct ListedFacts {
    int index;
    DiscoverySource source;
    bool hasSubkey;
    std::string subkey;
    std::string parentKey;
    bool hasJavaHome;
    std::string javaHome;
    bool hasVersion;
    std::string version;
};

typedef std::vector<ListedFacts> ListedFactsList;

const char* SourceCode(DiscoverySource source)
{
    switch (source) {
    case kSourceBundled:
        return "bundled";
    case kSourceRegistered:
        return "registered";
    case kSourceMicrosoft:
        break;
    }
    return "microsoft";
}

// One stable word per outcome.
const char* OutcomeCode(DiscoveryOutcome outcome)
{
    switch (outcome) {
    case kOutcomeListed:
        return "listed";
    case kOutcomeNotAdded:
        return "not_added";
    case kOutcomeHomeTooLong:
        return "home_too_long";
    case kOutcomeHomeDirTooLong:
        return "home_dir_too_long";
    case kOutcomeHomeLoneLeadByte:
        return "home_lone_lead_byte";
    case kOutcomeKeyAbsent:
        return "key_absent";
    case kOutcomeNoSubkeys:
        return "no_subkeys";
    case kOutcomeNameTooLong:
        return "name_too_long";
    case kOutcomeKeyPathTooLong:
        return "key_path_too_long";
    case kOutcomeNoJavaHome:
        return "no_java_home";
    case kOutcomeJavaHomeTooLong:
        return "java_home_too_long";
    case kOutcomeJavaHomeDirTooLong:
        return "java_home_dir_too_long";
    case kOutcomeJavaHomeLoneLeadByte:
        return "java_home_lone_lead_byte";
    case kOutcomeNoLauncher:
        return "launcher_not_found";
    case kOutcomeNoVersion:
        return "no_version_resource";
    case kOutcomeVersionTooOld:
        return "version_below_5";
    }
    return "unknown";
}

const char* TrialCode(TrialResult result)
{
    switch (result) {
    case kTrialNotLookedAt:
        return "not_looked_at";
    case kTrialNoDirectory:
        return "no_directory";
    case kTrialPathTooLong:
        return "path_too_long";
    case kTrialNotQualified:
        return "not_fully_qualified";
    case kTrialTooLongToTest:
        return "too_long_to_test";
    case kTrialNoVersionFunctions:
        return "no_version_functions";
    case kTrialAbsent:
        return "not_found";
    case kTrialFound:
        return "found";
    }
    return "unknown";
}

// "own" for the program's own registry view, else the view named.
const char* ViewCode(REGSAM view)
{
    if (view == 0)
        return "own";
    return view == KEY_WOW64_64KEY ? "64-bit" : "32-bit";
}

void BeginDocument(JsonWriter* writer, const char* command)
{
    JsonStart(writer);
    JsonBeginObject(writer, nullptr);
    JsonNumber(writer, "schema", kJsonSchema);
    JsonText(writer, "command", command);
}

void PrintDocument(JsonWriter* writer)
{
    JsonEndObject(writer);
    WriteText(stdout, writer->text.c_str());
}

void CollectListed(const DiscoveryNote& note, void* context)
{
    if (note.outcome != kOutcomeListed)
        return;
    ListedFacts facts;
    facts.index = note.listIndex;
    facts.source = note.source;
    facts.hasSubkey = note.subkey != nullptr;
    facts.subkey = note.subkey != nullptr ? note.subkey : "";
    facts.parentKey = note.parentKey != nullptr ? note.parentKey : "";
    facts.hasJavaHome = note.javaHome != nullptr;
    facts.javaHome = note.javaHome != nullptr ? note.javaHome : "";
    facts.hasVersion = note.version != nullptr;
    facts.version = note.version != nullptr ? note.version : "";
    static_cast<ListedFactsList*>(context)->push_back(facts);
}

const ListedFacts* FactsOf(const ListedFactsList& all, int index)
{
    for (const ListedFacts& facts : all) {
        if (facts.index == index)
            return &facts;
    }
    return nullptr;
}

// "runtimes": the list box's items in order, with what the search said about each; then
// "current", the preselected index or null.
void WriteRuntimes(JsonWriter* writer, HWND list, const ListedFactsList& all)
{
    const int count = ListGetCount(list);
    const int selected = ListGetCurSel(list);
    JsonBeginArray(writer, "runtimes");
    for (int index = 0; index < count; ++index) {
        char text[kTextBufferSize];
        ListGetText(list, index, text);
        const RuntimeEntry* entry = EntryAt(list, index);
        const ListedFacts* facts = FactsOf(all, index);
        JsonBeginObject(writer, nullptr);
        JsonNumber(writer, "index", index);
        JsonText(writer, "text", text);
        JsonText(writer, "launcher", entry != nullptr ? entry->starter : nullptr);
        JsonBool(writer, "current", index == selected);
        JsonText(writer, "source", facts != nullptr ? SourceCode(facts->source) : nullptr);
        const bool hasSubkey = facts != nullptr && facts->hasSubkey;
        JsonText(writer, "subkey", hasSubkey ? facts->subkey.c_str() : nullptr);
        JsonText(writer, "key",
                 hasSubkey ? (facts->parentKey + "\\" + facts->subkey).c_str() : nullptr);
        JsonText(writer, "javaHome",
                 facts != nullptr && facts->hasJavaHome ? facts->javaHome.c_str() : nullptr);
        JsonText(writer, "version",
                 facts != nullptr && facts->hasVersion ? facts->version.c_str() : nullptr);
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
    if (selected >= 0)
        JsonNumber(writer, "current", selected);
    else
        JsonNull(writer, "current");
}

// "tried": each file that the search made a path for, with what it found there.
void WriteTried(JsonWriter* writer, const DiscoveryNote& note)
{
    const bool microsoft = note.source == kSourceMicrosoft;
    const char* const files[2][2] = {{"javaw.exe", "jrew.exe"}, {"wjview.exe", "wjview.exe"}};
    const char* const places[2] = {"windows_directory", "system_directory"};
    JsonBeginArray(writer, "tried");
    for (int i = 0; i < 2; ++i) {
        const FileTrial& trial = note.tried[i];
        if (trial.result == kTrialNotLookedAt)
            continue;
        JsonBeginObject(writer, nullptr);
        JsonText(writer, "file", files[microsoft ? 1 : 0][i]);
        JsonText(writer, "place", microsoft ? places[i] : "directory");
        JsonText(writer, "path", trial.path[0] != '\0' ? trial.path : nullptr);
        JsonText(writer, "result", TrialCode(trial.result));
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
}

// The facts of a note about a JavaSoft subkey or a launcher that both element kinds carry.
void WriteNoteFacts(JsonWriter* writer, const DiscoveryNote& note)
{
    JsonText(writer, "javaHome", note.javaHome);
    JsonBool(writer, "javaHomeHasReferences",
             note.javaHome != nullptr && strchr(note.javaHome, '%') != nullptr);
    JsonText(writer, "directory", note.directory);
    JsonText(writer, "launcher", note.launcher);
    JsonText(writer, "version", note.version);
    WriteTried(writer, note);
}

struct ExplainJsonState {
    JsonWriter* writer;
    ListedFactsList* listed;
};

// explain: one element of "candidates" per note of the search.
void WriteCandidate(const DiscoveryNote& note, void* context)
{
    ExplainJsonState* state = static_cast<ExplainJsonState*>(context);
    CollectListed(note, state->listed);
    JsonWriter* writer = state->writer;
    JsonBeginObject(writer, nullptr);
    JsonText(writer, "source", SourceCode(note.source));
    JsonText(writer, "outcome", OutcomeCode(note.outcome));
    if (note.subkeyIndex >= 0)
        JsonNumber(writer, "subkeyIndex", note.subkeyIndex);
    else
        JsonNull(writer, "subkeyIndex");
    JsonText(writer, "subkey", note.subkey);
    JsonText(writer, "parentKey", note.parentKey);
    JsonText(writer, "key", note.key);
    WriteNoteFacts(writer, note);
    if (note.outcome == kOutcomeListed) {
        JsonNumber(writer, "listIndex", note.listIndex);
        JsonText(writer, "text", note.listText);
    } else {
        JsonNull(writer, "listIndex");
        JsonNull(writer, "text");
    }
    JsonEndObject(writer);
}

// "notOffered": kept for the documents of schema 1, and always empty: every registration
// where the dialog does not look names a home, told in "homes" with all its sources.
void WriteUnofferedRuntimes(JsonWriter* writer)
{
    JsonBeginArray(writer, "notOffered");
    JsonEndArray(writer);
}

// One stable word per fact of the inventory (discovery/java_inventory.h).
const char* InventoryReasonCode(InventoryReason reason)
{
    switch (reason) {
    case kReasonTooLong:
        return "too_long";
    case kReasonNetworkPath:
        return "network_path";
    case kReasonDevicePath:
        return "device_path";
    case kReasonUnexpanded:
        return "unexpanded";
    case kReasonNotFullyQualified:
        return "not_fully_qualified";
    case kReasonNotText:
        return "not_text";
    case kReasonNotInCodePage:
        return "not_in_code_page";
    case kReasonLoneLeadByte:
        return "lone_lead_byte";
    case kReasonLauncherTooLong:
        return "launcher_too_long";
    case kReasonNoLauncher:
        return "no_launcher";
    case kReasonLeftOutBySearch:
        return "left_out_by_search";
    case kReasonNotInBin:
        return "not_in_bin";
    case kReasonOtherView:
        return "other_view";
    case kReasonJavaSoftKey:
        return "javasoft_key";
    case kReasonVendorKey:
        return "vendor_key";
    case kReasonPerUser:
        return "per_user";
    case kReasonOnlyEnvironment:
        return "only_environment";
    case kReasonOnlyPath:
        return "only_path";
    case kReasonOnlyFolder:
        break;
    }
    return "only_folder";
}

const char* SourceKindCode(InventorySourceKind kind)
{
    switch (kind) {
    case kNamedByListKey:
        return "list_key";
    case kNamedByListKeyOtherView:
        return "list_key_other_view";
    case kNamedByJavaSoftKey:
        return "javasoft_key";
    case kNamedByVendorKey:
        return "vendor_key";
    case kNamedByUserKey:
        return "user_key";
    case kNamedByEnvironment:
        return "environment";
    case kNamedByPath:
        return "path";
    case kNamedByFolder:
        break;
    }
    return "folder";
}

const char* ArchitectureCode(InventoryArchitecture architecture)
{
    switch (architecture) {
    case kArchX86:
        return "x86";
    case kArchX64:
        return "x64";
    case kArchArm64:
        return "arm64";
    case kArchUnknown:
        break;
    }
    return "unknown";
}

// An empty text of the inventory's records is a fact that does not apply: null.
void JsonTextOrNull(JsonWriter* writer, const char* name, const char* text)
{
    JsonText(writer, name, text[0] != '\0' ? text : nullptr);
}

void WriteInventorySource(JsonWriter* writer, const InventorySource& source)
{
    JsonBeginObject(writer, nullptr);
    JsonText(writer, "kind", SourceKindCode(source.kind));
    JsonText(writer, "distribution", source.distribution);
    JsonText(writer, "hive", source.hive == kHiveMachine ? "HKLM"
                             : source.hive == kHiveUser  ? "HKCU"
                                                         : nullptr);
    JsonText(writer, "view", source.hive == kHiveNone ? nullptr : ViewCode(source.view));
    JsonTextOrNull(writer, "where", source.where);
    JsonText(writer, "value", source.value);
    if (source.hive != kHiveNone)
        JsonNumber(writer, "valueType", static_cast<long>(source.valueType));
    else
        JsonNull(writer, "valueType");
    if (source.pathIndex >= 0)
        JsonNumber(writer, "pathIndex", source.pathIndex);
    else
        JsonNull(writer, "pathIndex");
    JsonEndObject(writer);
}

// "homes": every other Java home on the machine that the text form tells from the inventory
// (explain: IsToldByInventory; list --all: IsListedByInventory), in the same order; in
// explain also "javapaths". False when the search ran out of memory: the document would miss
// homes.
bool WriteInventory(JsonWriter* writer, HWND list, bool javapaths)
{
    JavaInventory inventory;
    if (!TakeJavaInventory(list, &inventory))
        return false;
    JsonBeginArray(writer, "homes");
    for (const InventoryHome& home : inventory.homes) {
        // explain tells what its text tells; list --all only what its lines list.
        if (javapaths ? !IsToldByInventory(home) : !IsListedByInventory(home))
            continue;
        JsonBeginObject(writer, nullptr);
        JsonTextOrNull(writer, "home", home.home);
        JsonNumber(writer, "length", static_cast<long>(home.namedLength));
        JsonText(writer, "reason", InventoryReasonCode(home.reason));
        JsonBool(writer, "probed", home.probed);
        JsonTextOrNull(writer, "directory", home.launcherDir);
        JsonTextOrNull(writer, "javaw", home.javaw);
        JsonTextOrNull(writer, "java", home.java);
        const bool known = home.versionOrigin != kVersionUnknown;
        JsonText(writer, "version", known ? home.version : nullptr);
        JsonText(writer, "versionFrom", !known ? nullptr
                                        : home.versionOrigin == kVersionFromRelease ? "release"
                                                                                   : "launcher");
        JsonText(writer, "architecture", ArchitectureCode(home.architecture));
        JsonBeginArray(writer, "sources");
        for (const InventorySource& source : home.sources)
            WriteInventorySource(writer, source);
        JsonEndArray(writer);
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
    if (!javapaths)
        return true;
    JsonBeginArray(writer, "javapaths");
    for (const InventoryJavapath& javapath : inventory.javapaths) {
        JsonBeginObject(writer, nullptr);
        JsonText(writer, "folder", javapath.folder);
        JsonNumber(writer, "pathIndex", javapath.pathIndex);
        JsonBool(writer, "javaw", javapath.hasJavaw);
        JsonBool(writer, "java", javapath.hasJava);
        JsonTextOrNull(writer, "copyVersion", javapath.copyVersion);
        JsonText(writer, "copyArchitecture", javapath.copyMajor < 0 ? nullptr
                                             : ArchitectureCode(javapath.copyArchitecture));
        JsonTextOrNull(writer, "key", javapath.key);
        JsonText(writer, "view", javapath.key[0] != '\0' ? ViewCode(javapath.view) : nullptr);
        JsonTextOrNull(writer, "currentVersion", javapath.currentVersion);
        JsonTextOrNull(writer, "home", javapath.home);
        JsonBool(writer, "homeOffered", javapath.homeOffered);
        // As explain tells the home it runs: offered, told above, registered where the list
        // looks (left out by its search), or named by no source.
        const char* told = nullptr;
        if (javapath.home[0] != '\0') {
            told = javapath.homeOffered    ? "offered"
                   : javapath.homeIndex < 0 ? "nowhere"
                   : IsToldByInventory(inventory.homes[javapath.homeIndex]) ? "above"
                                                                           : "list_key";
        }
        JsonText(writer, "homeTold", told);
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
    return true;
}

void WriteSetting(JsonWriter* writer, const char* name, const char* value, bool tooLong)
{
    JsonBeginObject(writer, name);
    JsonBool(writer, "read", true);
    JsonText(writer, "value", tooLong ? nullptr : value);
    JsonBool(writer, "tooLong", tooLong);
    JsonEndObject(writer);
}

}  // namespace

bool PrintListJson(HWND list, bool all)
{
    JsonWriter writer;
    BeginDocument(&writer, all ? "list --all" : "list");
    ListedFactsList listed;
    FillRuntimeList(list, CollectListed, &listed);
    SelectCurrentRuntime(list);
    WriteRuntimes(&writer, list, listed);
    if (all) {
        WriteUnofferedRuntimes(&writer);
        if (!WriteInventory(&writer, list, false))
            return false;
    }
    PrintDocument(&writer);
    return true;
}

bool PrintExplainJson(HWND list)
{
    JsonWriter writer;
    BeginDocument(&writer, "explain");
    JsonBeginObject(&writer, "settings");
    JsonText(&writer, "key", kProductKey);
    WriteSetting(&writer, "home", g_homeDir, g_homeDirTooLong);
    WriteSetting(&writer, "starter", g_starter, g_starterTooLong);
    JsonEndObject(&writer);

    ListedFactsList listed;
    ExplainJsonState state = {&writer, &listed};
    JsonBeginArray(&writer, "candidates");
    FillRuntimeList(list, WriteCandidate, &state);
    JsonEndArray(&writer);
    SelectCurrentRuntime(list);
    WriteRuntimes(&writer, list, listed);
    const char* reason = "starter_equals_launcher";
    if (ListGetCurSel(list) < 0)
        reason = g_starterTooLong ? "starter_too_long" : "starter_matches_none";
    JsonText(&writer, "currentReason", reason);
    WriteUnofferedRuntimes(&writer);
    if (!WriteInventory(&writer, list, true))
        return false;
    PrintDocument(&writer);
    return true;
}

void PrintSetJson(HWND list)
{
    const int index = ListGetCurSel(list);
    const RuntimeEntry* entry = EntryAt(list, index);
    JsonWriter writer;
    BeginDocument(&writer, "set");
    JsonBeginObject(&writer, "set");
    JsonNumber(&writer, "index", index);
    JsonText(&writer, "text", entry->name);
    JsonText(&writer, "starter", entry->starter);
    JsonText(&writer, "classes", entry->classes);
    JsonEndObject(&writer);
    PrintDocument(&writer);
}

void PrintJsonError(const char* command, int code, const char* message)
{
    JsonWriter writer;
    BeginDocument(&writer, command);
    JsonBeginObject(&writer, "error");
    JsonNumber(&writer, "code", code);
    JsonText(&writer, "message", message);
    JsonEndObject(&writer);
    PrintDocument(&writer);
}
