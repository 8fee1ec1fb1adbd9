// Runtime entries: making one, handing it to the list box, finding one there.
#include "discovery/runtime_entry.h"

#include <cstring>
#include <new>

#include "base/list_box.h"
#include "discovery/path_text.h"
#include "settings/product_settings.h"

const char kBundledLabel[] = "Bundled Java Runtime Environment";
const char kSunLabel[] = "Sun Java Runtime Environment";
const char kMicrosoftLabel[] = "Microsoft Java Runtime Environment";

namespace {

bool Fits(const char* text)
{
    return strlen(text) < kTextBufferSize;
}

}  // namespace

RuntimeEntry* NewRuntimeEntry(const char* label, const char* starterPath, const char* version)
{
    const size_t nameLength =
        strlen(label) + (version[0] != '\0' ? strlen(version) + 3 : 0);  // " (" and ")"
    if (nameLength >= kTextBufferSize || !Fits(starterPath) || !Fits(version))
        return nullptr;

    RuntimeEntry* entry = new (std::nothrow) RuntimeEntry;
    if (entry == nullptr)
        return nullptr;
    strcpy(entry->name, label);
    if (version[0] != '\0') {
        strcat(entry->name, " (");
        strcat(entry->name, version);
        strcat(entry->name, ")");
    }
    strcpy(entry->starter, starterPath);
    strcpy(entry->version, version);
    strcpy(entry->classes, kClassArchive);
    return entry;
}

void FreeRuntimeEntry(RuntimeEntry* entry)
{
    delete entry;
}

bool AddListEntry(HWND list, RuntimeEntry* entry, int* index)
{
    // A null window would answer 0 to LB_ADDSTRING, which reads as a valid index.
    const int added = list != nullptr ? ListAddString(list, entry->name) : LB_ERR;
    if (added < 0) {
        FreeRuntimeEntry(entry);
        return false;
    }
    ListSetItemData(list, added, entry);
    if (index != nullptr)
        *index = added;
    return true;
}

int FindRuntimeByLauncher(HWND list, const char* launcher)
{
    if (list == nullptr)
        return -1;
    const int count = ListGetCount(list);
    for (int index = 0; index < count; ++index) {
        const RuntimeEntry* entry = static_cast<const RuntimeEntry*>(ListGetItemData(list, index));
        if (entry != nullptr && SameLauncherPath(launcher, entry->starter))
            return index;
    }
    return -1;
}
