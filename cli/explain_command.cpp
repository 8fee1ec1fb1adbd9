// explain: every candidate that the search looked at and what became of it, then the
// runtimes on the machine that the list does not offer.
#include "cli/cli_commands.h"

#include <cstdio>
#include <cstring>

#include "base/list_box.h"
#include "cli/cli_shared.h"
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
        printf("%s%s\n", state->nextSection > 0 ? "\n" : "", kSectionHeadings[state->nextSection]);
}

void PrintJavaHome(const char* javaHome)
{
    printf("      JavaHome %s\n", javaHome[0] != '\0' ? javaHome : "(empty)");
    if (strchr(javaHome, '%') != nullptr)
        printf("      (environment references such as %%SystemDrive%% are not expanded)\n");
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
            printf("      %s: the directory could not be had, not tested\n", name);
            break;
        case kTrialPathTooLong:
            printf("      %s: the path does not fit 259 characters, not tested\n", name);
            break;
        case kTrialNotQualified:
            printf("      tried %s: not tested, the path is not fully qualified (no drive "
                   "letter, colon and backslash, nor \\\\server\\share), so it names no "
                   "fixed place\n",
                   path);
            break;
        case kTrialTooLongToTest:
            printf("      tried %s: not tested, the path is longer than %d characters\n", path,
                   static_cast<int>(kLongestTestedPath));
            break;
        case kTrialAbsent:
            printf("      tried %s: %s\n", path,
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
        printf("listed as %d: %s\n", note.listIndex, note.listText);
        if (note.javaHome != nullptr)
            PrintJavaHome(note.javaHome);
        printf("      launcher %s\n", note.launcher);
        PrintTried(note);
        break;
    case kOutcomeNotAdded:
        printf("left out: no memory for the entry, or the list box refused it\n");
        printf("      launcher %s\n", note.launcher);
        break;
    case kOutcomeHomeTooLong:
        printf("left out: \"home\" is longer than 259 characters, so it is not searched\n");
        break;
    case kOutcomeHomeDirTooLong:
        printf("left out: \"home\" joined with jre\\bin does not fit 259 characters\n");
        break;
    case kOutcomeKeyAbsent:
        if (note.source == kSourceMicrosoft)
            printf("left out: the key is absent, so wjview.exe is not looked for\n");
        else
            printf("none: the key is absent\n");
        break;
    case kOutcomeNoSubkeys:
        printf("none: the key has no subkeys\n");
        break;
    case kOutcomeNameTooLong:
        if (note.subkey == nullptr)
            printf("left out: the name is longer than 259 bytes, so the search skips it\n");
        else
            printf("left out: the name is %d bytes long, more than 259, so the search "
                   "skips it\n",
                   static_cast<int>(strlen(note.subkey)));
        break;
    case kOutcomeKeyPathTooLong:
        printf("left out: the key path %s\\ and the name (%d characters) does not fit 259 "
               "characters\n",
               note.parentKey, static_cast<int>(strlen(note.subkey)));
        break;
    case kOutcomeNoJavaHome:
        printf("left out: no \"JavaHome\" value\n");
        printf("      key %s\n", note.key);
        break;
    case kOutcomeJavaHomeTooLong:
        printf("left out: \"JavaHome\" is %d characters long, more than 259\n",
               static_cast<int>(strlen(note.javaHome)));
        PrintJavaHome(note.javaHome);
        break;
    case kOutcomeJavaHomeDirTooLong:
        printf("left out: \"JavaHome\" joined with bin does not fit 259 characters\n");
        PrintJavaHome(note.javaHome);
        break;
    case kOutcomeNoLauncher:
        printf("left out: no launcher, neither javaw.exe nor jrew.exe in %s\n", note.directory);
        if (note.javaHome != nullptr)
            PrintJavaHome(note.javaHome);
        PrintTried(note);
        break;
    case kOutcomeNoVersion:
        printf("left out: no wjview.exe with a version resource\n");
        PrintTried(note);
        break;
    case kOutcomeVersionTooOld:
        printf("left out: %s has version %s, below 5.0.0.0\n", note.launcher, note.version);
        PrintTried(note);
        break;
    case kOutcomeNotOffered:
    case kOutcomeAlsoOffered:
        // Told only by FindUnofferedRuntimes, never by the search.
        printf("\n");
        break;
    }
}

void ExplainNote(const DiscoveryNote& note, void* context)
{
    OpenSection(static_cast<ExplainState*>(context), note.source);
    printf("  ");
    if (note.subkeyIndex >= 0) {
        if (note.subkey != nullptr)
            printf("%s: ", note.subkey);
        else
            printf("subkey %ld (its name could not be read): ", note.subkeyIndex);
    }
    PrintOutcome(note);
}

void PrintWhyNotOffered(const DiscoveryNote& note)
{
    const bool otherKey = strcmp(note.parentKey, kJavaSoftKey) != 0;
    printf("registered");
    if (note.view != 0)
        printf(" for %s-bit programs only%s", note.view == KEY_WOW64_64KEY ? "64" : "32",
               otherKey ? "," : "");
    if (otherKey)
        printf(" under %s (Java 9 and later), which this program does not read", note.parentKey);
    printf("\n");
}

// explain: one block per runtime, counted in *context (an int).
void ExplainUnoffered(const DiscoveryNote& note, void* context)
{
    if (!IsUnofferedRuntime(note))
        return;
    ++*static_cast<int*>(context);
    printf("  %s: ", note.subkey);
    PrintWhyNotOffered(note);
    printf("      key %s\\%s%s\n", note.parentKey, note.subkey, ViewText(note.view));
    switch (note.outcome) {
    case kOutcomeNoJavaHome:
        printf("      no \"JavaHome\" value\n");
        break;
    case kOutcomeJavaHomeTooLong:
        printf("      \"JavaHome\" is %d characters long, more than 259, so no launcher is "
               "looked for\n",
               static_cast<int>(strlen(note.javaHome)));
        break;
    case kOutcomeJavaHomeDirTooLong:
        PrintJavaHome(note.javaHome);
        printf("      no launcher looked for: \"JavaHome\" joined with bin does not fit 259 "
               "characters\n");
        break;
    case kOutcomeNoLauncher:
        PrintJavaHome(note.javaHome);
        printf("      no launcher, neither javaw.exe nor jrew.exe in %s\n", note.directory);
        PrintTried(note);
        break;
    default:  // kOutcomeNotOffered
        PrintJavaHome(note.javaHome);
        printf("      launcher %s\n", note.launcher);
        PrintTried(note);
        break;
    }
}

// list --all: a line without an index, that no set command takes.

void PrintSettings()
{
    printf("Settings, key SOFTWARE\\Velmor\\Quillfern:\n");
    if (g_homeDirTooLong)
        printf("  home    longer than 259 characters, not used\n");
    else
        printf("  home    %s\n", g_homeDir);
    if (g_starterTooLong)
        printf("  starter longer than 259 characters, matches no runtime\n");
    else
        printf("  starter %s\n", g_starter);
    printf("\n");
}

void PrintCurrent(HWND list)
{
    const int count = ListGetCount(list);
    const int selected = ListGetCurSel(list);
    printf("\n%d runtime%s listed. ", count, count == 1 ? "" : "s");
    if (selected >= 0) {
        char text[kTextBufferSize];
        ListGetText(list, selected, text);
        printf("Current: %d, %s (\"starter\" equals its launcher, A-Z case ignored)\n", selected,
               text);
    } else if (g_starterTooLong) {
        printf("Current: none (\"starter\" is longer than 259 characters)\n");
    } else {
        printf("Current: none (\"starter\" equals no listed launcher)\n");
    }
}

}  // namespace

int RunExplainCommand()
{
    HWND list = nullptr;
    const int failure = OpenList(&list);
    if (failure != kExitSuccess)
        return failure;
    PrintSettings();
    ExplainState state = {0};
    // InitRuntimeList, with the search telling what it looks at.
    FillRuntimeList(list, ExplainNote, &state);
    SelectCurrentRuntime(list);
    OpenSection(&state, kSectionCount - 1);
    PrintCurrent(list);
    // Last, and always there, so that a script can look for its "none".
    printf("\nOn this machine but not offered:\n");
    int unoffered = 0;
    FindUnofferedRuntimes(list, ExplainUnoffered, &unoffered);
    if (unoffered == 0)
        printf("  none\n");
    CloseList(list);
    return kExitSuccess;
}
