// Runtime discovery over the registry and the file system; it only reads.
#include "discovery/runtime_discovery.h"

#include <cstring>

#include "discovery/probes.h"
#include "discovery/runtime_entry.h"
#include "settings/product_settings.h"
#include "settings/registry.h"

namespace {

const char kBundledDir[] = "jre\\bin";
const char kBinDir[] = "bin";
const char kJavaw[] = "javaw.exe";
const char kJrew[] = "jrew.exe";
const char kWjview[] = "wjview.exe";
const char kJavaSoftKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kJavaSoftPrefix[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment\\";
const char kJavaHomeValue[] = "JavaHome";
const char kMicrosoftVmKey[] = "SOFTWARE\\Microsoft\\Java VM";
const char kLowestMicrosoftVersion[] = "5.0.0.0";

// The two files that one step of the search tested, for the observer.
struct Trial {
    char first[kTextBufferSize];
    char second[kTextBufferSize];
};

class Reporter {
public:
    Reporter(DiscoveryObserver observer, void* context) : observer_(observer), context_(context) {}

    void Tell(DiscoverySource source, DiscoveryOutcome outcome, const char* candidate,
              const char* detail, const char* javaHome = "", const Trial* trial = nullptr) const
    {
        if (observer_ == nullptr)
            return;
        DiscoveryNote note = {source, outcome, candidate, detail, javaHome,
                              {trial != nullptr ? trial->first : "",
                               trial != nullptr ? trial->second : ""},
                              0};
        observer_(note, context_);
    }

    void TellSkipped(const RegSkippedSubkey& subkey) const
    {
        if (observer_ == nullptr)
            return;
        DiscoveryNote note = {kSourceRegistered, kOutcomeNameTooLong, subkey.name.c_str(), "",
                              "", {"", ""}, subkey.index};
        observer_(note, context_);
    }

private:
    DiscoveryObserver observer_;
    void* context_;
};

// javaw.exe, else jrew.exe, in dir; path holds the launcher found. A name that makes the
// path too long is not found there.
bool FindLauncher(char* path, const char* dir, Trial* trial)
{
    trial->first[0] = '\0';
    trial->second[0] = '\0';
    if (MakePath(path, dir, kJavaw)) {
        strcpy(trial->first, path);
        if (FileExists(path))
            return true;
    }
    if (!MakePath(path, dir, kJrew))
        return false;
    strcpy(trial->second, path);
    return FileExists(path);
}

void AddRuntime(HWND list, const Reporter& reporter, DiscoverySource source, const char* label,
                const char* path, const char* version, const char* candidate,
                const char* javaHome, const Trial* trial)
{
    RuntimeEntry* entry = NewRuntimeEntry(label, path, version);
    const bool added = entry != nullptr && AddListEntry(list, entry);
    reporter.Tell(source, added ? kOutcomeListed : kOutcomeNotAdded, candidate, path, javaHome,
                  trial);
}

void SearchBundled(HWND list, const Reporter& reporter)
{
    char dir[kTextBufferSize];
    char path[kTextBufferSize];
    Trial trial;
    // A "home" too long to keep is not searched at all: a cut path names another place.
    if (g_homeDirTooLong || !MakePath(dir, g_homeDir, kBundledDir)) {
        reporter.Tell(kSourceBundled, kOutcomeTooLong, "", "");
        return;
    }
    if (!FindLauncher(path, dir, &trial)) {
        reporter.Tell(kSourceBundled, kOutcomeNoLauncher, "", dir, "", &trial);
        return;
    }
    AddRuntime(list, reporter, kSourceBundled, kBundledLabel, path, "", "", "", &trial);
}

void SearchOneRegistered(HWND list, const Reporter& reporter, const char* name)
{
    char versionText[kTextBufferSize];
    char key[kTextBufferSize];
    char dir[kTextBufferSize];
    char path[kTextBufferSize];
    Trial trial;

    if (strlen(name) >= kTextBufferSize ||
        strlen(kJavaSoftPrefix) + strlen(name) >= kTextBufferSize) {
        reporter.Tell(kSourceRegistered, kOutcomeTooLong, name, "");
        return;
    }
    strcpy(versionText, name);
    strcpy(key, kJavaSoftPrefix);
    strcat(key, versionText);

    char* javaHome = ReadRegString(key, kJavaHomeValue);
    if (javaHome == nullptr) {
        reporter.Tell(kSourceRegistered, kOutcomeNoJavaHome, versionText, key);
        return;
    }
    // MakePath refuses a "JavaHome" that does not fit, as it refuses a joined path that
    // does not. The value is kept until the observer has been told about it.
    if (!MakePath(dir, javaHome, kBinDir)) {
        reporter.Tell(kSourceRegistered, kOutcomeTooLong, versionText, key, javaHome);
    } else if (!FindLauncher(path, dir, &trial)) {
        reporter.Tell(kSourceRegistered, kOutcomeNoLauncher, versionText, dir, javaHome, &trial);
    } else {
        AddRuntime(list, reporter, kSourceRegistered, kSunLabel, path, versionText, versionText,
                   javaHome, &trial);
    }
    FreeRegString(javaHome);
}

void SearchRegistered(HWND list, const Reporter& reporter)
{
    RegSkippedSubkeys skipped;
    RegSubkeyList* names = EnumRegSubkeys(kJavaSoftKey, &skipped);
    if (names == nullptr) {
        reporter.Tell(kSourceRegistered, kOutcomeKeyAbsent, "", kJavaSoftKey);
        return;
    }
    // The names and the skipped subkeys together fill the enumeration's places in order;
    // each skipped one is told about in its own place.
    size_t nextSkipped = 0;
    DWORD place = 0;
    for (const std::string& name : *names) {
        for (; nextSkipped < skipped.size() && skipped[nextSkipped].index <= place; ++place)
            reporter.TellSkipped(skipped[nextSkipped++]);
        SearchOneRegistered(list, reporter, name.c_str());
        ++place;
    }
    for (; nextSkipped < skipped.size(); ++nextSkipped)
        reporter.TellSkipped(skipped[nextSkipped]);
    delete names;
}

// Asks for a system directory into dir; a result of 260 or more means it did not fit.
typedef UINT(WINAPI* DirectoryQuery)(LPSTR, UINT);

bool FindVersionedWjview(DirectoryQuery query, char* path, char* versionText, char* tried)
{
    char dir[kTextBufferSize];
    const UINT length = query(dir, kTextBufferSize);
    if (length == 0 || length >= kTextBufferSize)
        return false;
    if (!MakePath(path, dir, kWjview))
        return false;
    strcpy(tried, path);
    return GetFileVersionString(versionText, path);
}

void SearchMicrosoft(HWND list, const Reporter& reporter)
{
    char path[kTextBufferSize] = "";
    char versionText[kTextBufferSize] = "";
    Trial trial = {"", ""};
    if (!RegKeyExists(kMicrosoftVmKey)) {
        reporter.Tell(kSourceMicrosoft, kOutcomeKeyAbsent, "", kMicrosoftVmKey);
        return;
    }
    // The version resource is the only existence test; the Windows directory wins.
    if (!FindVersionedWjview(GetWindowsDirectoryA, path, versionText, trial.first) &&
        !FindVersionedWjview(GetSystemDirectoryA, path, versionText, trial.second)) {
        reporter.Tell(kSourceMicrosoft, kOutcomeNoVersion, "", kWjview, "", &trial);
        return;
    }
    if (CompareVersions(versionText, kLowestMicrosoftVersion) < 0) {
        reporter.Tell(kSourceMicrosoft, kOutcomeVersionTooOld, versionText, path, "", &trial);
        return;
    }
    AddRuntime(list, reporter, kSourceMicrosoft, kMicrosoftLabel, path, versionText, versionText,
               "", &trial);
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
