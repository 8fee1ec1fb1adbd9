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
#include "cli/report.h"
#include "cli/words.h"
#include "settings/product_settings.h"

namespace {

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

// "runtimes": the list box's items in order, with what the search said about each; then
// "current", the preselected index or null.
void WriteRuntimes(JsonWriter* writer, const Report& report)
{
    const HWND list = report.list;
    const int count = ListGetCount(list);
    const int selected = ListGetCurSel(list);
    JsonBeginArray(writer, "runtimes");
    for (int index = 0; index < count; ++index) {
        char text[kTextBufferSize];
        ListGetText(list, index, text);
        const RuntimeEntry* entry = EntryAt(list, index);
        const NoteCopy* copy = ListedNote(report, index);
        const DiscoveryNote note = copy != nullptr ? NoteOf(*copy) : DiscoveryNote();
        const bool listed = copy != nullptr;
        JsonBeginObject(writer, nullptr);
        JsonNumber(writer, "index", index);
        JsonText(writer, "text", text);
        JsonText(writer, "launcher", entry != nullptr ? entry->starter : nullptr);
        JsonBool(writer, "current", index == selected);
        JsonText(writer, "source", listed ? WordsOf(note.source).code : nullptr);
        const bool hasSubkey = listed && note.subkey != nullptr;
        JsonText(writer, "subkey", hasSubkey ? note.subkey : nullptr);
        JsonText(writer, "key",
                 hasSubkey ? (std::string(note.parentKey != nullptr ? note.parentKey : "") +
                              "\\" + note.subkey)
                                 .c_str()
                           : nullptr);
        JsonText(writer, "javaHome", listed ? note.javaHome : nullptr);
        JsonText(writer, "version", listed ? note.version : nullptr);
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
        JsonText(writer, "result", WordsOf(trial.result).code);
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

// explain: one element of "candidates" per note of the search.
void WriteCandidate(JsonWriter* writer, const DiscoveryNote& note)
{
    JsonBeginObject(writer, nullptr);
    JsonText(writer, "source", WordsOf(note.source).code);
    JsonText(writer, "outcome", WordsOf(note.outcome).code);
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

// An empty text of the inventory's records is a fact that does not apply: null.
void JsonTextOrNull(JsonWriter* writer, const char* name, const char* text)
{
    JsonText(writer, name, text[0] != '\0' ? text : nullptr);
}

void WriteInventorySource(JsonWriter* writer, const InventorySource& source)
{
    JsonBeginObject(writer, nullptr);
    JsonText(writer, "kind", WordsOf(source.kind).code);
    JsonText(writer, "distribution", source.distribution);
    JsonText(writer, "hive", source.hive == kHiveMachine ? "HKLM"
                             : source.hive == kHiveUser  ? "HKCU"
                                                         : nullptr);
    JsonText(writer, "view", source.hive == kHiveNone ? nullptr : ViewWords(source.view).code);
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

// "homes": every other Java home on the machine that the text forms tell
// (IsToldByInventory), in the same order; in explain also "pathEntries" and "javapaths".
void WriteInventory(JsonWriter* writer, const JavaInventory& inventory, bool explain)
{
    JsonBeginArray(writer, "homes");
    for (const InventoryHome& home : inventory.homes) {
        if (!IsToldByInventory(home))
            continue;
        JsonBeginObject(writer, nullptr);
        JsonTextOrNull(writer, "home", home.home);
        JsonNumber(writer, "length", static_cast<long>(home.namedLength));
        JsonText(writer, "reason", WordsOf(home.reason).code);
        JsonBool(writer, "probed", home.probed);
        JsonTextOrNull(writer, "directory", home.launcherDir);
        JsonTextOrNull(writer, "javaw", home.javaw);
        JsonTextOrNull(writer, "java", home.java);
        const bool known = home.versionOrigin != kVersionUnknown;
        JsonText(writer, "version", known ? home.version : nullptr);
        JsonText(writer, "versionFrom", WordsOf(home.versionOrigin).code);
        JsonText(writer, "architecture", WordsOf(home.architecture).code);
        JsonBeginArray(writer, "sources");
        for (const InventorySource& source : home.sources)
            WriteInventorySource(writer, source);
        JsonEndArray(writer);
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
    if (!explain)
        return;
    JsonBeginArray(writer, "pathEntries");
    for (const InventoryPathEntry& entry : inventory.pathEntries) {
        JsonBeginObject(writer, nullptr);
        JsonNumber(writer, "pathIndex", entry.pathIndex);
        JsonTextOrNull(writer, "entry", entry.entry);
        JsonNumber(writer, "length", static_cast<long>(entry.length));
        JsonText(writer, "reason", WordsOf(entry.reason).code);
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
    JsonBeginArray(writer, "javapaths");
    for (const InventoryJavapath& javapath : inventory.javapaths) {
        JsonBeginObject(writer, nullptr);
        JsonText(writer, "folder", javapath.folder);
        JsonNumber(writer, "pathIndex", javapath.pathIndex);
        JsonBool(writer, "javaw", javapath.hasJavaw);
        JsonBool(writer, "java", javapath.hasJava);
        JsonTextOrNull(writer, "copyVersion", javapath.copyVersion);
        JsonText(writer, "copyArchitecture", javapath.copyMajor < 0 ? nullptr
                                             : WordsOf(javapath.copyArchitecture).code);
        JsonTextOrNull(writer, "key", javapath.key);
        JsonText(writer, "view", javapath.key[0] != '\0' ? ViewWords(javapath.view).code : nullptr);
        JsonTextOrNull(writer, "currentVersion", javapath.currentVersion);
        JsonText(writer, "outcome", WordsOf(javapath.outcome).code);
        JsonTextOrNull(writer, "home", javapath.home);
        JsonBool(writer, "homeOffered", javapath.homeOffered);
        JsonText(writer, "homeTold", WordsOf(JavapathHomeOf(javapath, inventory)).code);
        JsonEndObject(writer);
    }
    JsonEndArray(writer);
}

void WriteSetting(JsonWriter* writer, const char* name, const char* value, bool tooLong)
{
    JsonBeginObject(writer, name);
    JsonText(writer, "value", tooLong ? nullptr : value);
    JsonBool(writer, "tooLong", tooLong);
    JsonEndObject(writer);
}

}  // namespace

void PrintListJson(const Report& report, bool all)
{
    JsonWriter writer;
    BeginDocument(&writer, all ? "list --all" : "list");
    WriteRuntimes(&writer, report);
    if (all)
        WriteInventory(&writer, report.inventory, false);
    PrintDocument(&writer);
}

void PrintExplainJson(const Report& report)
{
    JsonWriter writer;
    BeginDocument(&writer, "explain");
    JsonBeginObject(&writer, "settings");
    JsonText(&writer, "key", kProductKey);
    WriteSetting(&writer, "home", g_homeDir, g_homeDirTooLong);
    WriteSetting(&writer, "starter", g_starter, g_starterTooLong);
    JsonEndObject(&writer);
    JsonBeginArray(&writer, "candidates");
    for (const NoteCopy& copy : report.notes)
        WriteCandidate(&writer, NoteOf(copy));
    JsonEndArray(&writer);
    WriteRuntimes(&writer, report);
    JsonText(&writer, "currentReason", WordsOf(CurrentReasonOf(report.list)).code);
    WriteInventory(&writer, report.inventory, true);
    PrintDocument(&writer);
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
