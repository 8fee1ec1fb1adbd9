// Runtime discovery over the registry and the file system; it only reads.
#include "discovery/runtime_discovery.h"

#include <cstring>

#include "discovery/path_text.h"
#include "discovery/probes.h"
#include "discovery/runtime_entry.h"
#include "settings/product_settings.h"
#include "settings/registry.h"

const char kJavaSoftKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";

namespace {

const char kBundledDir[] = "jre\\bin";
const char kBinDir[] = "bin";
const char kJavaw[] = "javaw.exe";
const char kJrew[] = "jrew.exe";
const char kWjview[] = "wjview.exe";
const char kJavaHomeValue[] = "JavaHome";
const char kMicrosoftVmKey[] = "SOFTWARE\\Microsoft\\Java VM";
const char kLowestMicrosoftVersion[] = "5.0.0.0";

// Each source's label, in DiscoverySource order.
const char* const kLabels[] = {kBundledLabel, kSunLabel, kMicrosoftLabel};

// A note about one candidate of source, with nothing known about it yet.
DiscoveryNote NewNote(DiscoverySource source)
{
    DiscoveryNote note;
    note.source = source;
    note.outcome = kOutcomeNotAdded;  // set when the note is told
    note.subkeyIndex = -1;
    note.subkey = nullptr;
    note.parentKey = nullptr;
    note.key = nullptr;
    note.javaHome = nullptr;
    note.directory = nullptr;
    note.launcher = nullptr;
    note.version = nullptr;
    for (FileTrial& trial : note.tried) {
        trial.result = kTrialNotLookedAt;
        trial.path[0] = '\0';
    }
    note.listIndex = -1;
    note.listText = nullptr;
    return note;
}

class Reporter {
public:
    Reporter(DiscoveryObserver observer, void* context) : observer_(observer), context_(context) {}

    // Tells the observer, if there is one, that note's candidate came to outcome.
    void Tell(DiscoveryNote* note, DiscoveryOutcome outcome) const
    {
        if (observer_ == nullptr)
            return;
        note->outcome = outcome;
        observer_(*note, context_);
    }

private:
    DiscoveryObserver observer_;
    void* context_;
};

TrialResult TrialResultOf(ProbeResult probe)
{
    switch (probe) {
    case kProbeFound:
        return kTrialFound;
    case kProbeNotQualified:
        return kTrialNotQualified;
    case kProbeTooLongToTest:
        return kTrialTooLongToTest;
    case kProbeNoVersionFunctions:
        return kTrialNoVersionFunctions;
    case kProbeAbsent:
        break;
    }
    return kTrialAbsent;
}

// Tests name in dir; path holds its path. A name that makes the path too long is not found.
bool TryLauncher(char* path, const char* dir, const char* name, FileTrial* trial)
{
    if (!MakePath(path, dir, name)) {
        trial->result = kTrialPathTooLong;
        return false;
    }
    strcpy(trial->path, path);
    trial->result = TrialResultOf(ProbeFile(path));
    return trial->result == kTrialFound;
}

// javaw.exe, else jrew.exe, in dir; path holds the launcher found.
bool FindLauncher(char* path, const char* dir, FileTrial tried[2])
{
    return TryLauncher(path, dir, kJavaw, &tried[0]) || TryLauncher(path, dir, kJrew, &tried[1]);
}

// Adds the runtime that note has found, its launcher and version, under its source's label.
void AddRuntime(HWND list, const Reporter& reporter, DiscoveryNote* note)
{
    RuntimeEntry* entry = NewRuntimeEntry(kLabels[note->source], note->launcher,
                                          note->version != nullptr ? note->version : "");
    if (entry == nullptr || !AddListEntry(list, entry, &note->listIndex)) {
        reporter.Tell(note, kOutcomeNotAdded);
        return;
    }
    // The list box owns the entry now, and its name lives as long as the item.
    note->listText = entry->name;
    reporter.Tell(note, kOutcomeListed);
}

// The launcher choice in dir, for the bundled and the registered runtimes: the runtime is
// taken when javaw.exe or jrew.exe is there.
void SearchDirectory(HWND list, const Reporter& reporter, const char* dir, DiscoveryNote* note)
{
    char path[kTextBufferSize];
    note->directory = dir;
    if (!FindLauncher(path, dir, note->tried)) {
        reporter.Tell(note, kOutcomeNoLauncher);
        return;
    }
    note->launcher = path;
    AddRuntime(list, reporter, note);
}

void SearchBundled(HWND list, const Reporter& reporter)
{
    char dir[kTextBufferSize];
    DiscoveryNote note = NewNote(kSourceBundled);
    // A "home" too long to keep is not searched at all: a cut path names another place.
    if (g_homeDirTooLong) {
        reporter.Tell(&note, kOutcomeHomeTooLong);
        return;
    }
    // Half a character: only such a value changes, every other one is joined as it is.
    if (EndsInLoneLeadByte(g_homeDir)) {
        reporter.Tell(&note, kOutcomeHomeLoneLeadByte);
        return;
    }
    if (!MakePath(dir, g_homeDir, kBundledDir)) {
        reporter.Tell(&note, kOutcomeHomeDirTooLong);
        return;
    }
    SearchDirectory(list, reporter, dir, &note);
}

// A note about the JavaSoft key's subkey at index (-1: about the key itself).
DiscoveryNote NewSubkeyNote(long index)
{
    DiscoveryNote note = NewNote(kSourceRegistered);
    note.parentKey = kJavaSoftKey;
    note.subkeyIndex = index;
    return note;
}

// The subkey name at index in the enumeration of the JavaSoft key.
void SearchOneRegistered(HWND list, const Reporter& reporter, const char* name, DWORD index)
{
    char versionText[kTextBufferSize];
    char key[kTextBufferSize];
    char dir[kTextBufferSize];
    DiscoveryNote note = NewSubkeyNote(static_cast<long>(index));
    note.subkey = name;

    if (strlen(name) >= kTextBufferSize ||
        strlen(kJavaSoftKey) + 1 + strlen(name) >= kTextBufferSize) {
        reporter.Tell(&note, kOutcomeKeyPathTooLong);
        return;
    }
    strcpy(versionText, name);
    note.version = versionText;
    strcpy(key, kJavaSoftKey);
    strcat(key, "\\");
    strcat(key, versionText);

    char* javaHome = ReadRegString(key, kJavaHomeValue);
    if (javaHome == nullptr) {
        note.key = key;
        reporter.Tell(&note, kOutcomeNoJavaHome);
        return;
    }
    // The value is kept until the observer has been told about it.
    note.javaHome = javaHome;
    if (strlen(javaHome) >= kTextBufferSize)
        reporter.Tell(&note, kOutcomeJavaHomeTooLong);
    else if (EndsInLoneLeadByte(javaHome))
        reporter.Tell(&note, kOutcomeJavaHomeLoneLeadByte);
    else if (!MakePath(dir, javaHome, kBinDir))
        reporter.Tell(&note, kOutcomeJavaHomeDirTooLong);
    else
        SearchDirectory(list, reporter, dir, &note);
    FreeRegString(javaHome);
}

void TellSkipped(const Reporter& reporter, const RegSkippedSubkey& subkey)
{
    DiscoveryNote note = NewSubkeyNote(static_cast<long>(subkey.index));
    note.subkey = subkey.name.empty() ? nullptr : subkey.name.c_str();
    reporter.Tell(&note, kOutcomeNameTooLong);
}

void SearchRegistered(HWND list, const Reporter& reporter)
{
    RegSkippedSubkeys skipped;
    RegSubkeyList* names = EnumRegSubkeys(kJavaSoftKey, &skipped);
    if (names == nullptr || (names->empty() && skipped.empty())) {
        DiscoveryNote note = NewSubkeyNote(-1);
        note.key = kJavaSoftKey;
        reporter.Tell(&note, names == nullptr ? kOutcomeKeyAbsent : kOutcomeNoSubkeys);
        delete names;
        return;
    }
    // The names and the skipped subkeys together fill the enumeration's places in order;
    // each skipped one is told about in its own place.
    size_t nextSkipped = 0;
    DWORD index = 0;
    for (const std::string& name : *names) {
        for (; nextSkipped < skipped.size() && skipped[nextSkipped].index <= index; ++index)
            TellSkipped(reporter, skipped[nextSkipped++]);
        SearchOneRegistered(list, reporter, name.c_str(), index);
        ++index;
    }
    for (; nextSkipped < skipped.size(); ++nextSkipped)
        TellSkipped(reporter, skipped[nextSkipped]);
    delete names;
}

// Asks for a system directory into dir; a result of 260 or more means it did not fit.
typedef UINT(WINAPI* DirectoryQuery)(LPSTR, UINT);

// wjview.exe in the directory that query gives: path holds its path, and versionText its
// version when it has a version resource.
bool TryWjview(DirectoryQuery query, char* path, char* versionText, FileTrial* trial)
{
    char dir[kTextBufferSize];
    const UINT length = query(dir, kTextBufferSize);
    if (length == 0) {
        trial->result = kTrialNoDirectory;
        return false;
    }
    if (length >= kTextBufferSize || !MakePath(path, dir, kWjview)) {
        trial->result = kTrialPathTooLong;
        return false;
    }
    strcpy(trial->path, path);
    trial->result = TrialResultOf(ProbeFileVersion(versionText, path));
    return trial->result == kTrialFound;
}

void SearchMicrosoft(HWND list, const Reporter& reporter)
{
    char path[kTextBufferSize] = "";
    char versionText[kTextBufferSize] = "";
    DiscoveryNote note = NewNote(kSourceMicrosoft);
    if (!RegKeyExists(kMicrosoftVmKey)) {
        note.key = kMicrosoftVmKey;
        reporter.Tell(&note, kOutcomeKeyAbsent);
        return;
    }
    // The version resource is the only existence test; the Windows directory wins.
    if (!TryWjview(GetWindowsDirectoryA, path, versionText, &note.tried[0]) &&
        !TryWjview(GetSystemDirectoryA, path, versionText, &note.tried[1])) {
        reporter.Tell(&note, kOutcomeNoVersion);
        return;
    }
    note.launcher = path;
    note.version = versionText;
    if (CompareVersions(versionText, kLowestMicrosoftVersion) < 0) {
        reporter.Tell(&note, kOutcomeVersionTooOld);
        return;
    }
    AddRuntime(list, reporter, &note);
}

}  // namespace

void FillRuntimeList(HWND list)
{
    FillRuntimeList(list, nullptr, nullptr);
}

void FillRuntimeList(HWND list, DiscoveryObserver observer, void* context)
{
    const Reporter reporter(observer, context);
    SearchBundled(list, reporter);
    SearchRegistered(list, reporter);
    SearchMicrosoft(list, reporter);
}
