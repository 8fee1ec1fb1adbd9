// The file probes of the inventory's homes: one round per home, its launchers, version and
// machine, and the one reason the list does not offer it.
#include <cstring>

#include "discovery/inventory_search.h"
#include "discovery/java_inventory.h"
#include "discovery/path_text.h"
#include "discovery/probes.h"

// The launchers in dir: javaw.exe and java.exe, each path empty when absent. Counts the
// tests in *tests.
bool FindLaunchers(const char* dir, char* javaw, char* java, int* tests)
{
    javaw[0] = '\0';
    java[0] = '\0';
    char path[kTextBufferSize];
    if (MakePath(path, dir, kJavaw)) {
        ++*tests;
        if (ProbeExistingFile(path) == kProbeFound)
            strcpy(javaw, path);
    }
    if (MakePath(path, dir, kJava)) {
        ++*tests;
        if (ProbeExistingFile(path) == kProbeFound)
            strcpy(java, path);
    }
    return javaw[0] != '\0' || java[0] != '\0';
}

InventoryArchitecture ArchitectureOf(WORD machine)
{
    switch (machine) {
    case IMAGE_FILE_MACHINE_I386:
        return kArchX86;
    case 0x8664:  // IMAGE_FILE_MACHINE_AMD64
        return kArchX64;
    case 0xAA64:  // IMAGE_FILE_MACHINE_ARM64, which older headers lack
        return kArchArm64;
    default:
        return kArchUnknown;
    }
}

namespace {

bool HasSource(const InventoryHome& home, InventorySourceKind kind)
{
    for (const InventorySource& source : home.sources) {
        if (source.kind == kind)
            return true;
    }
    return false;
}

InventoryReason ReasonOfSources(const InventoryHome& home)
{
    switch (DecidingSource(home).kind) {
    case kNamedByListKey:
        return kReasonLeftOutBySearch;
    case kNamedByListKeyOtherView:
        return kReasonOtherView;
    case kNamedByJavaSoftKey:
        return kReasonJavaSoftKey;
    case kNamedByVendorKey:
        return kReasonVendorKey;
    case kNamedByUserKey:
        return kReasonPerUser;
    case kNamedByEnvironment:
        return kReasonOnlyEnvironment;
    case kNamedByPath:
        return kReasonOnlyPath;
    case kNamedByFolder:
        break;
    }
    return kReasonOnlyFolder;
}

}  // namespace

const InventorySource& DecidingSource(const InventoryHome& home)
{
    const InventorySource* first = &home.sources[0];
    for (const InventorySource& source : home.sources) {
        if (source.kind < first->kind)
            first = &source;
    }
    return *first;
}

void ProbeHome(InventoryHome* home)
{
    if (home->launcherDir[0] == '\0') {
        char javaPath[kTextBufferSize];
        if (!MakePath(home->launcherDir, home->home, "bin") ||
            !MakePath(javaPath, home->launcherDir, kJavaw)) {
            home->launcherDir[0] = '\0';
            home->reason = kReasonLauncherTooLong;
            home->probed = false;  // no file test made: every fact about the home says so
            return;
        }
        FindLaunchers(home->launcherDir, home->javaw, home->java, &home->fileTests);
    } else {
        home->fileTests += 2;  // made by the source that found the launchers
    }
    const char* launcher = home->javaw[0] != '\0' ? home->javaw : home->java;
    if (launcher[0] == '\0') {
        home->reason = kReasonNoLauncher;
        return;
    }
    char release[kTextBufferSize];
    if (MakePath(release, home->home, "release")) {
        ++home->fileTests;
        if (ProbeReleaseVersion(home->version, release) == kProbeFound)
            home->versionOrigin = kVersionFromRelease;
    }
    if (home->versionOrigin == kVersionUnknown) {
        ++home->fileTests;
        if (ProbeFileVersion(home->version, launcher) == kProbeFound)
            home->versionOrigin = kVersionFromLauncher;
    }
    ++home->fileTests;
    ProbeExecutableMachine(launcher, &home->machine);
    home->architecture = ArchitectureOf(home->machine);
    if (HasSource(*home, kNamedByListKey))
        home->reason = kReasonLeftOutBySearch;
    else if (SameLauncherPath(home->launcherDir, home->home))
        home->reason = kReasonNotInBin;
    else
        home->reason = ReasonOfSources(*home);
}
