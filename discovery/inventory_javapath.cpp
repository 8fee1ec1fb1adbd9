// The javapath folders of the inventory: which runtime their copies of the launchers run,
// found from the copies' version and machine and the JavaSoft key's "CurrentVersion".
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
void ResolveJavapath(Search* search, InventoryJavapath* javapath)
{
    char copy[kTextBufferSize];
    if (!MakePath(copy, javapath->folder, javapath->hasJavaw ? kJavaw : kJava))
        return;
    if (ProbeFileVersion(javapath->copyVersion, copy) == kProbeFound)
        javapath->copyMajor = atoi(javapath->copyVersion);
    ProbeExecutableMachine(copy, &javapath->copyMachine);
    javapath->copyArchitecture = ArchitectureOf(javapath->copyMachine);
    if (javapath->copyMajor < 0 ||
        !ViewOfArchitecture(javapath->copyArchitecture, &javapath->view))
        return;  // no key can be told: they run no runtime that the inventory knows
    const bool upTo8 = javapath->copyMajor <= 8;
    size_t count = 0;
    const char* const* keys = InventoryCurrentVersionKeys(upTo8, &count);
    for (size_t k = 0; k < count; ++k) {
        char* current = ReadRegStringInView(HKEY_LOCAL_MACHINE, keys[k], "CurrentVersion",
                                            javapath->view);
        if (current == nullptr)
            continue;
        char subkey[kTextBufferSize];
        const bool fits = CopyText(javapath->currentVersion, current, strlen(current)) &&
                          JoinKey(subkey, keys[k], current, strlen(current));
        FreeRegString(current);
        strcpy(javapath->key, keys[k]);
        if (fits) {
            char* home = ReadRegStringInView(HKEY_LOCAL_MACHINE, subkey, "JavaHome",
                                             javapath->view);
            if (home != nullptr) {
                const char* start = home;
                const size_t length = TrimNaming(&start, strlen(home));
                CopyText(javapath->home, start, length);
                FreeRegString(home);
            }
        }
        break;
    }
    if (javapath->home[0] == '\0')
        return;
    const std::string key = KeyOf(javapath->home);
    javapath->homeOffered = search->offered.count(key) != 0;
    const auto known = search->byKey.find(key);
    if (known != search->byKey.end())
        javapath->homeIndex = static_cast<int>(known->second);
}
