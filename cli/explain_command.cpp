// explain: every candidate that the search looked at and what became of it, then the
// runtimes on the machine that the list does not offer.
#include "cli/cli_commands.h"
#include "cli/console_output.h"

#include <cstdio>
#include <cstring>

#include "base/list_box.h"
#include "cli/cli_shared.h"
#include "cli/json_forms.h"
#include "discovery/probes.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"

namespace {

struct ExplainState {
    int nextSection;  // the first source whose heading has not been printed yet
};

const char* const kSectionHeadings[] = {
    "Bundled runtime, in \"home\"\\jre\\bin:",
    "Registered runtimes, subkeys of SOFTWARE\\JavaSoft\\Java Runtime Environment:",
    "Microsoft virtual machine, key SOFTWARE\\Microsoft\\Java VM:",
};
const int kSectionCount = 3;

// Prints the headings up to and including source's.
void OpenSection(ExplainState* state, int source)
{
    for (; state->nextSection <= source; ++state->nextSection)
        Print(state->nextSection > 0 ? "\n%s\n" : "%s\n", kSectionHeadings[state->nextSection]);
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
    for (int i = 0; i < 2; ++i) {
        const char* name = names[microsoft ? 1 : 0][i];
        const char* path = note.tried[i].path;
        switch (note.tried[i].result) {
        case kTrialNotLookedAt:
        case kTrialFound:
            break;
        case kTrialNoDirectory:
            Print("      %s: the directory could not be had, not tested\n", name);
            break;
        case kTrialPathTooLong:
            Print("      %s: the path does not fit 259 characters, not tested\n", name);
            break;
        case kTrialNotQualified:
            Print("      tried %s: not tested, the path is not fully qualified (no drive "
                   "letter, colon and backslash, nor \\\\server\\share), so it names no "
                   "fixed place\n",
                   path);
            break;
        case kTrialTooLongToTest:
            Print("      tried %s: not tested, the path is longer than %d characters\n", path,
                   static_cast<int>(kLongestTestedPath));
            break;
        case kTrialNoVersionFunctions:
            Print("      tried %s: not read, the version functions of version.dll in the "
                   "system directory could not be loaded\n",
                   path);
            break;
        case kTrialAbsent:
            Print("      tried %s: %s\n", path,
                   microsoft ? "absent, or without a version resource" : "not found");
            break;
        }
    }
}

// What the search made of the candidate, after the subkey's name where there is one.
void PrintOutcome(const DiscoveryNote& note)
{
    switch (note.outcome) {
    case kOutcomeListed:
        Print("listed as %d: %s\n", note.listIndex, note.listText);
        if (note.javaHome != nullptr)
            PrintJavaHome(note.javaHome);
        Print("      launcher %s\n", note.launcher);
        PrintTried(note);
        break;
    case kOutcomeNotAdded:
        Print("left out: no memory for the entry, or the list box refused it\n");
        Print("      launcher %s\n", note.launcher);
        break;
    case kOutcomeHomeTooLong:
        Print("left out: \"home\" is longer than 259 characters, so it is not searched\n");
        break;
    case kOutcomeHomeDirTooLong:
        Print("left out: \"home\" joined with jre\\bin does not fit 259 characters\n");
        break;
    case kOutcomeHomeLoneLeadByte:
        Print("left out: \"home\" ends in a lone lead byte (half a double-byte character), so "
              "it is not searched\n");
        break;
    case kOutcomeKeyAbsent:
        if (note.source == kSourceMicrosoft)
            Print("left out: the key is absent, so wjview.exe is not looked for\n");
        else
            Print("none: the key is absent\n");
        break;
    case kOutcomeNoSubkeys:
        Print("none: the key has no subkeys\n");
        break;
    case kOutcomeNameTooLong:
        if (note.subkey == nullptr)
            Print("left out: the name is longer than 259 bytes, so the search skips it\n");
        else
            Print("left out: the name is %d bytes long, more than 259, so the search "
                   "skips it\n",
                   static_cast<int>(strlen(note.subkey)));
        break;
    case kOutcomeKeyPathTooLong:
        Print("left out: the key path %s\\ and the name (%d characters) does not fit 259 "
               "characters\n",
               note.parentKey, static_cast<int>(strlen(note.subkey)));
        break;
    case kOutcomeNoJavaHome:
        Print("left out: no \"JavaHome\" value\n");
        Print("      key %s\n", note.key);
        break;
    case kOutcomeJavaHomeTooLong:
        Print("left out: \"JavaHome\" is %d characters long, more than 259\n",
               static_cast<int>(strlen(note.javaHome)));
        PrintJavaHome(note.javaHome);
        break;
    case kOutcomeJavaHomeDirTooLong:
        Print("left out: \"JavaHome\" joined with bin does not fit 259 characters\n");
        PrintJavaHome(note.javaHome);
        break;
    case kOutcomeJavaHomeLoneLeadByte:
        Print("left out: \"JavaHome\" ends in a lone lead byte (half a double-byte "
              "character), so no launcher is looked for\n");
        PrintJavaHome(note.javaHome);
        break;
    case kOutcomeNoLauncher:
        Print("left out: no launcher, neither javaw.exe nor jrew.exe in %s\n", note.directory);
        if (note.javaHome != nullptr)
            PrintJavaHome(note.javaHome);
        PrintTried(note);
        break;
    case kOutcomeNoVersion:
        if (note.tried[0].result == kTrialNoVersionFunctions ||
            note.tried[1].result == kTrialNoVersionFunctions)
            Print("left out: the version of wjview.exe could not be read\n");
        else
            Print("left out: no wjview.exe with a version resource\n");
        PrintTried(note);
        break;
    case kOutcomeVersionTooOld:
        Print("left out: %s has version %s, below 5.0.0.0\n", note.launcher, note.version);
        PrintTried(note);
        break;
    }
}

void ExplainNote(const DiscoveryNote& note, void* context)
{
    OpenSection(static_cast<ExplainState*>(context), note.source);
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
        if (home.versionOrigin == kVersionUnknown)
            Print("      version unknown (no release file with JAVA_VERSION, no version "
                   "resource), %s\n",
                   ArchitectureText(home.architecture));
        else
            Print("      version %s (%s), %s\n", home.version,
                   home.versionOrigin == kVersionFromRelease ? "release file"
                                                             : "launcher's version resource",
                   ArchitectureText(home.architecture));
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
    if (javapath.copyMajor < 0) {
        Print("      %s has no version resource, so which key it follows is not known: no "
               "runtime named\n",
               copy);
        return;
    }
    const InventoryArchitecture architecture = javapath.copyArchitecture;
    if (architecture == kArchUnknown) {
        Print("      %s is version %s, of no known architecture, so which registry view it "
               "reads is not known: no runtime named\n",
               copy, javapath.copyVersion);
        return;
    }
    Print("      %s is version %s, %s: it follows %s in the %s registry view\n", copy,
           javapath.copyVersion, ArchitectureText(architecture),
           FollowedKeysText(javapath.copyMajor), architecture == kArchX86 ? "32-bit" : "64-bit");
    if (javapath.key[0] == '\0') {
        Print("      no such key has \"CurrentVersion\": they run no runtime\n");
        return;
    }
    Print("      %s%s \"CurrentVersion\" is %s\n", javapath.key, ViewText(javapath.view),
           javapath.currentVersion);
    if (javapath.home[0] == '\0') {
        Print("      that subkey has no \"JavaHome\": they run no runtime\n");
        return;
    }
    Print("      they run %s", javapath.home);
    if (javapath.homeOffered)
        Print(", which the list offers\n");
    else if (javapath.homeIndex >= 0 && IsToldByInventory(inventory.homes[javapath.homeIndex]))
        Print(", named above\n");
    else if (javapath.homeIndex >= 0)
        Print(", registered where the list looks, as told above\n");
    else
        Print(", which no source names as a home\n");
}

// list --all: a line without an index, that no set command takes.

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
    if (selected >= 0) {
        char text[kTextBufferSize];
        ListGetText(list, selected, text);
        Print("Current: %d, %s (\"starter\" equals its launcher, A-Z case ignored)\n", selected,
               text);
    } else if (g_starterTooLong) {
        Print("Current: none (\"starter\" is longer than 259 characters)\n");
    } else {
        Print("Current: none (\"starter\" equals no listed launcher)\n");
    }
}

}  // namespace

int RunExplainCommand(bool json)
{
    HWND list = nullptr;
    const int failure = OpenList(&list);
    if (failure != kExitSuccess)
        return failure;
    if (json) {
        const bool printed = PrintExplainJson(list);
        CloseList(list);
        if (!printed) {
            PrintError(kOutOfMemoryMessage);
            return kExitInternal;
        }
        return kExitSuccess;
    }
    PrintSettings();
    ExplainState state = {0};
    // InitRuntimeList, with the search telling what it looks at.
    FillRuntimeList(list, ExplainNote, &state);
    SelectCurrentRuntime(list);
    OpenSection(&state, kSectionCount - 1);
    PrintCurrent(list);
    // Last, and always there, so that a script can look for its "none": every other Java
    // home on the machine, and the javapath copies.
    Print("\nOn this machine but not offered:\n");
    int unoffered = 0;
    JavaInventory inventory;
    if (!TakeJavaInventory(list, &inventory)) {
        PrintError(kOutOfMemoryMessage);
        CloseList(list);
        return kExitInternal;
    }
    for (const InventoryHome& home : inventory.homes)
        ExplainInventoryHome(home, &unoffered);
    for (const InventoryJavapath& javapath : inventory.javapaths) {
        ExplainJavapath(javapath, inventory);
        ++unoffered;
    }
    if (unoffered == 0)
        Print("  none\n");
    CloseList(list);
    return kExitSuccess;
}
