// The merge of the inventory's namings into homes: each home once, with every source that
// named it, and the homes that the runtime list offers left out.
#include <cstring>
#include <new>
#include <string>

#include "base/list_box.h"
#include "discovery/inventory_search.h"
#include "discovery/path_text.h"
#include "discovery/probes.h"
#include "discovery/runtime_entry.h"

std::string KeyOf(const char* path)
{
    char key[kTextBufferSize];
    MakePathKey(key, path);
    return key;
}

InventorySource NewSource(InventorySourceKind kind)
{
    InventorySource source;
    source.kind = kind;
    source.distribution = nullptr;
    source.hive = kHiveNone;
    source.view = 0;
    source.where[0] = '\0';
    source.value = nullptr;
    source.valueType = REG_NONE;
    source.pathIndex = -1;
    return source;
}

namespace {

void InitHome(InventoryHome* home)
{
    home->home[0] = '\0';
    home->namedLength = 0;
    home->launcherDir[0] = '\0';
    home->javaw[0] = '\0';
    home->java[0] = '\0';
    home->version[0] = '\0';
    home->versionOrigin = kVersionUnknown;
    home->architecture = kArchUnknown;
    home->machine = 0;
    home->probed = false;
    home->fileTests = 0;
    home->reason = kReasonNoLauncher;
}

}  // namespace

// Copies text into a 260-byte field; false, with the field empty, when it does not fit.
bool CopyText(char* field, const char* text, size_t length)
{
    if (length >= kTextBufferSize) {
        field[0] = '\0';
        return false;
    }
    memcpy(field, text, length);
    field[length] = '\0';
    return true;
}

// Why a named home is not looked at, without any file test; false when it may be.
bool FindUnprobedReason(Search* search, const char* text, size_t length, InventoryReason* reason)
{
    switch (ClassifyPlace(text, length, &search->drives)) {
    case kPlaceOpenable:
        return false;
    case kPlaceTooLong:
        *reason = kReasonTooLong;
        break;
    case kPlaceNetwork:
        *reason = kReasonNetworkPath;
        break;
    case kPlaceDevice:
        *reason = kReasonDevicePath;
        break;
    case kPlaceUnexpanded:
        *reason = kReasonUnexpanded;
        break;
    case kPlaceNotFullyQualified:
        *reason = kReasonNotFullyQualified;
        break;
    }
    return true;
}

// The length of text without one pair of enclosing quotes and one trailing backslash;
// *start is moved past an opening quote.
size_t TrimNaming(const char** start, size_t length)
{
    const char* text = *start;
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
        ++text;
        length -= 2;
    }
    *start = text;
    // Trailing backslashes, judged by the last character (a trail byte 0x5C is none); a
    // drive root keeps its own: "C:" alone is the drive's current directory, another place.
    if (length >= kTextBufferSize) {
        while (length > 0 && text[length - 1] == '\\')
            --length;  // only its length is told, so the bytes are enough
        return length;
    }
    char copy[kTextBufferSize];
    memcpy(copy, text, length);
    copy[length] = '\0';
    while (length > 0 && !(length == 3 && copy[1] == ':') && EndsInBackslash(copy))
        copy[--length] = '\0';
    return length;
}

namespace {

// Whether dir is home\bin, compared as launchers are.
bool IsBinOf(const char* dir, const char* home)
{
    char bin[kTextBufferSize];
    return MakePath(bin, home, kBinFolderKey) && SameLauncherPath(bin, dir);
}

// Adds a new home with its first source; its index.
size_t AddHome(Search* search, const InventoryHome& home)
{
    search->inventory->homes.push_back(home);
    return search->inventory->homes.size() - 1;
}

}  // namespace

// A home named by source: length bytes at text (a NUL need not follow), already trimmed.
// launcherDir, javaw and java: where its launchers are and which were found, when the source
// looked already (PATH, folders); else launcherDir is null. Merged with the home of the same
// key; left out when the list offers it; an empty naming names nothing.
void NameHome(Search* search, const char* text, size_t length, const InventorySource& source,
              const char* launcherDir, const char* javaw, const char* java)
{
    if (length == 0)
        return;
    try {
        InventoryHome home;
        InitHome(&home);
        home.namedLength = length;
        home.sources.push_back(source);
        if (!CopyText(home.home, text, length)) {
            home.reason = kReasonTooLong;
            AddHome(search, home);
            return;
        }
        InventoryReason reason = kReasonNoLauncher;
        bool unprobed = FindUnprobedReason(search, home.home, length, &reason);
        if (!unprobed && EndsInLoneLeadByte(home.home)) {
            unprobed = true;
            reason = kReasonLoneLeadByte;
        }
        const std::string key = KeyOf(home.home);
        if (search->offered.count(key) != 0) {
            ++search->inventory->offeredNamings;
            return;
        }
        const auto known = search->byKey.find(key);
        if (known != search->byKey.end()) {
            InventoryHome& existing = search->inventory->homes[known->second];
            existing.sources.push_back(source);
            // A home named twice is a home: its launchers belong in its bin, whatever a PATH
            // entry naming the home itself holds.
            if (existing.launcherDir[0] != '\0' && !IsBinOf(existing.launcherDir, existing.home)) {
                existing.launcherDir[0] = '\0';
                existing.javaw[0] = '\0';
                existing.java[0] = '\0';
            }
            if (launcherDir != nullptr && existing.launcherDir[0] == '\0' &&
                IsBinOf(launcherDir, existing.home)) {
                strcpy(existing.launcherDir, launcherDir);
                strcpy(existing.javaw, javaw);
                strcpy(existing.java, java);
            }
            return;
        }
        home.reason = reason;
        home.probed = !unprobed;
        if (launcherDir != nullptr) {
            strcpy(home.launcherDir, launcherDir);
            strcpy(home.javaw, javaw);
            strcpy(home.java, java);
        }
        search->byKey[key] = AddHome(search, home);
    } catch (const std::bad_alloc&) {
        search->inventory->outOfMemory = true;
    }
}

// A naming that gives no home to look at (a registry value that is no text, a variable that
// the ANSI code page cannot hold): named with its source and reason.
void NameWithoutHome(Search* search, const InventorySource& source, InventoryReason reason)
{
    try {
        InventoryHome home;
        InitHome(&home);
        home.reason = reason;
        home.sources.push_back(source);
        AddHome(search, home);
    } catch (const std::bad_alloc&) {
        search->inventory->outOfMemory = true;
    }
}

// The homes of the list's entries: each launcher's folder, and above it when that is bin.
void CollectOffered(HWND list, Search* search)
{
    if (list == nullptr)
        return;
    const int count = ListGetCount(list);
    for (int index = 0; index < count; ++index) {
        const RuntimeEntry* entry = static_cast<const RuntimeEntry*>(ListGetItemData(list, index));
        if (entry == nullptr)
            continue;
        char home[kTextBufferSize];
        strcpy(home, entry->starter);
        char* file = const_cast<char*>(FindLastBackslash(home));
        if (file == nullptr)
            continue;
        *file = '\0';
        char* bin = const_cast<char*>(FindLastBackslash(home));
        if (bin != nullptr && KeyOf(bin + 1) == kBinFolderKey)
            *bin = '\0';
        try {
            search->offered.insert(KeyOf(home));
        } catch (const std::bad_alloc&) {
            search->inventory->outOfMemory = true;
        }
    }
}
