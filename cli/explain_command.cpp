// explain: every candidate that the search looked at and what became of it, then the
// runtimes on the machine that the list does not offer; the text printer of the report.
#include "cli/cli_commands.h"
#include "cli/console_output.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/list_box.h"
#include "cli/cli_shared.h"
#include "cli/json_forms.h"
#include "cli/report.h"
#include "cli/text_forms.h"
#include "cli/words.h"
#include "discovery/probes.h"
#include "settings/product_settings.h"

namespace {

struct ExplainState {
    int nextSection;  // the first source whose heading has not been printed yet
};

const int kSectionCount = 3;

// Prints the headings up to and including source's.
void OpenSection(ExplainState* state, int source)
{
    for (; state->nextSection <= source; ++state->nextSection)
        Print(state->nextSection > 0 ? "\n%s\n" : "%s\n",
              WordsOf(static_cast<DiscoverySource>(state->nextSection)).text);
}

void PrintJavaHome(const char* javaHome)
{
    Print("      JavaHome %s\n", javaHome[0] != '\0' ? javaHome : "(empty)");
    if (strchr(javaHome, '%') != nullptr)
        Print("      (environment references such as %%SystemDrive%% are not expanded)\n");
}

// One line per file that was looked for and not taken.
void PrintTried(const DiscoveryNote& note)
{
    const bool microsoft = note.source == kSourceMicrosoft;
    const char* const names[2][2] = {{"javaw.exe", "jrew.exe"},
                                     {"wjview.exe in the Windows directory",
                                      "wjview.exe in the system directory"}};
    const std::string limit = NumberText(static_cast<long>(kLongestTestedPath));
    for (int i = 0; i < 2; ++i) {
        const TrialResult result = note.tried[i].result;
        if (result == kTrialNotLookedAt || result == kTrialFound)
            continue;
        const Words& words = WordsOf(result);
        // The file is named by its path once there is one to tell.
        const bool byName = result == kTrialNoDirectory || result == kTrialPathTooLong;
        Print("      ");
        Print(result == kTrialAbsent && microsoft ? words.other : words.text,
              byName ? names[microsoft ? 1 : 0][i] : note.tried[i].path, limit.c_str());
        Print("\n");
    }
}

// What the search made of the candidate, after the subkey's name where there is one: the
// outcome's words, then the facts that bear on it.
void PrintOutcome(const DiscoveryNote& note)
{
    const Words& words = WordsOf(note.outcome);
    const char* text = words.text;
    std::string first;
    std::string second;
    bool javaHome = false;
    bool launcher = false;
    bool tried = false;
    switch (note.outcome) {
    case kOutcomeListed:
        first = NumberText(note.listIndex);
        second = note.listText;
        javaHome = note.javaHome != nullptr;
        launcher = tried = true;
        break;
    case kOutcomeNotAdded:
        launcher = true;
        break;
    case kOutcomeKeyAbsent:
        if (note.source == kSourceMicrosoft)
            text = words.other;
        break;
    case kOutcomeNameTooLong:
        if (note.subkey == nullptr)
            text = words.other;
        else
            first = NumberText(static_cast<long>(strlen(note.subkey)));
        break;
    case kOutcomeKeyPathTooLong:
        first = note.parentKey;
        second = NumberText(static_cast<long>(strlen(note.subkey)));
        break;
    case kOutcomeJavaHomeTooLong:
        first = NumberText(static_cast<long>(strlen(note.javaHome)));
        javaHome = true;
        break;
    case kOutcomeJavaHomeDirTooLong:
    case kOutcomeJavaHomeLoneLeadByte:
        javaHome = true;
        break;
    case kOutcomeNoLauncher:
        first = note.directory;
        javaHome = note.javaHome != nullptr;
        tried = true;
        break;
    case kOutcomeNoVersion:
        if (note.tried[0].result == kTrialNoVersionFunctions ||
            note.tried[1].result == kTrialNoVersionFunctions)
            text = words.other;
        tried = true;
        break;
    case kOutcomeVersionTooOld:
        first = note.launcher;
        second = note.version;
        tried = true;
        break;
    default:
        break;
    }
    Print(text, first.c_str(), second.c_str());
    Print("\n");
    if (javaHome)
        PrintJavaHome(note.javaHome);
    if (note.outcome == kOutcomeNoJavaHome)
        Print("      key %s\n", note.key);
    if (launcher)
        Print("      launcher %s\n", note.launcher);
    if (tried)
        PrintTried(note);
}

void ExplainNote(const DiscoveryNote& note, ExplainState* state)
{
    OpenSection(state, note.source);
    Print("  ");
    if (note.subkeyIndex >= 0) {
        if (note.subkey != nullptr)
            Print("%s: ", note.subkey);
        else
            Print("subkey %ld (its name could not be read): ", note.subkeyIndex);
    }
    PrintOutcome(note);
}

// explain: one block per home of the inventory that is told there, counted in *count.
void ExplainInventoryHome(const InventoryHome& home, int* count)
{
    if (!IsToldByInventory(home))
        return;
    ++*count;
    Print("  %s: ", home.home[0] != '\0' ? home.home : "(no home)");
    PrintInventoryReason(home);
    Print("\n");
    if (!home.probed) {
        Print("      not looked at: no file was tested\n");
    } else if (home.javaw[0] != '\0' || home.java[0] != '\0') {
        Print("      ");
        Print(WordsOf(home.versionOrigin).text, home.version);
        Print(", %s\n", WordsOf(home.architecture).text);
        if (home.javaw[0] != '\0')
            Print("      launcher %s\n", home.javaw);
        if (home.java[0] != '\0')
            Print("      launcher %s\n", home.java);
    }
    for (const InventorySource& source : home.sources) {
        Print("      named by ");
        PrintSourcePhrase(source);
        Print("\n");
    }
}

// The key or keys that copies of this major version follow, as one phrase.
const char* FollowedKeysText(int major)
{
    return major <= 8 ? "SOFTWARE\\JavaSoft\\Java Runtime Environment"
                      : "SOFTWARE\\JavaSoft\\JRE, then JDK,";
}

// explain: the javapath folder, which is no home but copies that follow CurrentVersion.
void ExplainJavapath(const InventoryJavapath& javapath, const JavaInventory& inventory)
{
    Print("  %s: on PATH (entry %d), copies of %s that run the runtime the JavaSoft key's "
           "\"CurrentVersion\" names; not a Java home\n",
           javapath.folder, javapath.pathIndex,
           javapath.hasJavaw && javapath.hasJava ? "javaw.exe and java.exe"
           : javapath.hasJavaw                   ? "javaw.exe"
                                                 : "java.exe");
    const char* copy = javapath.hasJavaw ? "javaw.exe" : "java.exe";
    const Words& words = WordsOf(javapath.outcome);
    Print("      ");
    switch (javapath.outcome) {
    case kJavapathNoCopyVersion:
        Print(words.text, copy);
        break;
    case kJavapathUnknownMachine:
        Print(words.text, copy, javapath.copyVersion);
        break;
    default: {
        const InventoryArchitecture architecture = javapath.copyArchitecture;
        Print("%s is version %s, %s: it follows %s in the %s registry view\n      ", copy,
              javapath.copyVersion, WordsOf(architecture).text,
              FollowedKeysText(javapath.copyMajor), architecture == kArchX86 ? "32-bit" : "64-bit");
        const char* view = ViewWords(javapath.view).text;
        if (javapath.outcome == kJavapathNoCurrentVersion) {
            Print("%s", words.text);
            break;
        }
        if (javapath.outcome == kJavapathCurrentVersionNotText) {
            Print(words.text, javapath.key, view);
            break;
        }
        Print("%s%s \"CurrentVersion\" is %s\n      ", javapath.key, view,
              javapath.currentVersion);
        const std::string told =
            std::string(javapath.home) + WordsOf(JavapathHomeOf(javapath, inventory)).text;
        Print(words.text, javapath.outcome == kJavapathOtherVersion ? javapath.ownVersion
                                                                    : told.c_str(),
              "");
        break;
    }
    }
    Print("\n");
}

// The PATH entries that were not looked at, with why: they name no fixed place, or one that
// is never opened, so they are no homes. Only when there are any.
void ExplainPathEntries(const JavaInventory& inventory)
{
    if (inventory.pathEntries.empty())
        return;
    Print("\nPATH entries not looked at:\n");
    for (const InventoryPathEntry& entry : inventory.pathEntries) {
        Print("  entry %d", entry.pathIndex);
        if (entry.entry[0] != '\0')
            Print(", %s", entry.entry);
        Print(": ");
        PrintPathEntryReason(entry);
        Print("\n");
    }
}

void PrintSettings()
{
    Print("Settings, key SOFTWARE\\Velmor\\Quillfern:\n");
    if (g_homeDirTooLong)
        Print("  home    longer than 259 characters, not used\n");
    else
        Print("  home    %s\n", g_homeDir);
    if (g_starterTooLong)
        Print("  starter longer than 259 characters, matches no runtime\n");
    else
        Print("  starter %s\n", g_starter);
    Print("\n");
}

void PrintCurrent(HWND list)
{
    const int count = ListGetCount(list);
    const int selected = ListGetCurSel(list);
    Print("\n%d runtime%s listed. ", count, count == 1 ? "" : "s");
    char text[kTextBufferSize] = "";
    if (selected >= 0)
        ListGetText(list, selected, text);
    Print(WordsOf(CurrentReasonOf(list)).text, NumberText(selected).c_str(), text);
    Print("\n");
}

// The report as text: the settings, each candidate under its source's heading, the list's
// count and current entry, the PATH entries not looked at, then everything not offered.
void PrintExplainText(const Report& report)
{
    PrintSettings();
    ExplainState state = {0};
    for (const NoteCopy& copy : report.notes)
        ExplainNote(NoteOf(copy), &state);
    OpenSection(&state, kSectionCount - 1);
    PrintCurrent(report.list);
    const JavaInventory& inventory = report.inventory;
    ExplainPathEntries(inventory);
    // Last, and always there, so that a script can look for its "none": every other Java
    // home on the machine, and the javapath copies.
    Print("\nOn this machine but not offered:\n");
    int unoffered = 0;
    for (const InventoryHome& home : inventory.homes)
        ExplainInventoryHome(home, &unoffered);
    for (const InventoryJavapath& javapath : inventory.javapaths) {
        ExplainJavapath(javapath, inventory);
        ++unoffered;
    }
    if (unoffered == 0)
        Print("  none\n");
}

}  // namespace

int RunExplainCommand(const CommandLine& line)
{
    Report report;
    const int failure = OpenReport(true, &report);
    if (failure != kExitSuccess)
        return failure;
    if (line.json)
        PrintExplainJson(report);
    else
        PrintExplainText(report);
    CloseList(report.list);
    return kExitSuccess;
}
