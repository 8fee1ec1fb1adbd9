// The javapath folders of the inventory: which runtime their copies of the launchers run,
// found from the copies' version and machine and the JavaSoft key's "CurrentVersion".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "discovery/inventory_search.h"
#include "discovery/probes.h"
#include "settings/registry.h"

namespace {

// The registry view that copies of this architecture run in, as the inventory names views (0: the
// program's own); false for a machine that names none.
bool ViewOfArchitecture(InventoryArchitecture architecture, REGSAM* view)
{
    REGSAM absolute = 0;
    switch (architecture) {
    case kArchX86:
        absolute = KEY_WOW64_32KEY;
        break;
    case kArchX64:
    case kArchArm64:
        absolute = KEY_WOW64_64KEY;
        break;
    case kArchUnknown:
        return false;
    }
    *view = absolute == OtherRegistryView() ? absolute : 0;
    return true;
}

}  // namespace

// The javapath copies follow "CurrentVersion" of the key their own version and machine pick.
// The launcher of Java 8 and earlier reads both values only as REG_SZ and runs nothing unless
// "CurrentVersion" is its own version, "1.8" for 8; what those of 9 and later ask is not in
// their published source, so nothing more is asked of their keys.
void ResolveJavapath(Search* search, InventoryJavapath* javapath)
{
    javapath->outcome = kJavapathNoCopyVersion;
    char copy[kTextBufferSize];
    if (!MakePath(copy, javapath->folder, javapath->hasJavaw ? kJavaw : kJava))
        return;
    if (ProbeFileVersion(javapath->copyVersion, copy) == kProbeFound)
        javapath->copyMajor = atoi(javapath->copyVersion);
    ProbeExecutableMachine(copy, &javapath->copyMachine);
    javapath->copyArchitecture = ArchitectureOf(javapath->copyMachine);
    if (javapath->copyMajor < 0)
        return;  // no key can be told: they run no runtime that the inventory knows
    javapath->outcome = kJavapathUnknownMachine;
    if (!ViewOfArchitecture(javapath->copyArchitecture, &javapath->view))
        return;
    const bool upTo8 = javapath->copyMajor <= 8;
    if (upTo8)
        snprintf(javapath->ownVersion, sizeof(javapath->ownVersion), "1.%d", javapath->copyMajor);
    size_t count = 0;
    const char* const* keys = InventoryCurrentVersionKeys(upTo8, &count);
    javapath->outcome = kJavapathNoCurrentVersion;
    for (size_t k = 0; k < count; ++k) {
        DWORD type = REG_NONE;
        char* current = ReadRegValueInView(HKEY_LOCAL_MACHINE, keys[k], "CurrentVersion",
                                           javapath->view, &type);
        if (current == nullptr)
            continue;
        strcpy(javapath->key, keys[k]);
        char subkey[kTextBufferSize];
        const bool text = !upTo8 || type == REG_SZ;
        const bool fits = text && CopyText(javapath->currentVersion, current, strlen(current)) &&
                          JoinKey(subkey, keys[k], current, strlen(current));
        FreeRegString(current);
        if (!text) {
            javapath->outcome = kJavapathCurrentVersionNotText;
        } else if (upTo8 && strcmp(javapath->currentVersion, javapath->ownVersion) != 0) {
            javapath->outcome = kJavapathOtherVersion;
        } else {
            javapath->outcome = kJavapathNoJavaHome;
            char* home = fits ? ReadRegValueInView(HKEY_LOCAL_MACHINE, subkey, "JavaHome",
                                                   javapath->view, &type)
                              : nullptr;
            if (home != nullptr && upTo8 && type != REG_SZ) {
                javapath->outcome = kJavapathJavaHomeNotText;
            } else if (home != nullptr) {
                const char* start = home;
                const size_t length = TrimNaming(&start, strlen(home));
                if (CopyText(javapath->home, start, length) && length > 0)
                    javapath->outcome = kJavapathRunsHome;
            }
            FreeRegString(home);
        }
        break;
    }
    if (javapath->outcome != kJavapathRunsHome) {
        javapath->home[0] = '\0';
        return;
    }
    const std::string key = KeyOf(javapath->home);
    javapath->homeOffered = search->offered.count(key) != 0;
    const auto known = search->byKey.find(key);
    if (known != search->byKey.end())
        javapath->homeIndex = static_cast<int>(known->second);
}
