// The inventory's reader of the usual install folders: each direct subfolder whose bin holds
// a launcher names a home.
#include <cstring>
#include <new>
#include <string>
#include <unordered_set>

#include "discovery/inventory_search.h"
#include "discovery/java_inventory.h"
#include "discovery/probes.h"

namespace {

struct FolderVisit {
    Search* search;
    const char* folder;
    const char* prefix;
};

void VisitSubfolder(const char* name, void* context)
{
    const FolderVisit* visit = static_cast<const FolderVisit*>(context);
    // No exception may pass ListSubfolders: its find handle would stay open.
    try {
        if (strncmp(KeyOf(name).c_str(), visit->prefix, strlen(visit->prefix)) != 0)
            return;
    } catch (const std::bad_alloc&) {
        visit->search->inventory->outOfMemory = true;
        return;
    }
    char home[kTextBufferSize];
    char bin[kTextBufferSize];
    if (!MakePath(home, visit->folder, name) || !MakePath(bin, home, "bin"))
        return;  // too long to look at: the folder holds no home we can name whole
    char javaw[kTextBufferSize];
    char java[kTextBufferSize];
    int tests = 0;
    if (!FindLaunchers(bin, javaw, java, &tests))
        return;
    InventorySource source = NewSource(kNamedByFolder);
    strcpy(source.where, visit->folder);
    NameHome(visit->search, home, strlen(home), source, bin, javaw, java);
}

}  // namespace

void SearchFolders(Search* search)
{
    std::unordered_set<std::string> seen;
    size_t rowCount = 0;
    const InventoryFolderRow* rows = InventoryFolderRows(&rowCount);
    for (size_t r = 0; r < rowCount; ++r) {
        const InventoryFolderRow& row = rows[r];
        const std::string base = ReadVariable(search, row.base);
        char folder[kTextBufferSize];
        InventoryReason reason;
        if (base.empty() || FindUnprobedReason(search, base.c_str(), base.size(), &reason) ||
            !MakePath(folder, base.c_str(), row.folder))
            continue;
        // ProgramFiles is ProgramW6432 in a 64-bit program: each folder once.
        try {
            if (!seen.insert(KeyOf(folder)).second)
                continue;
        } catch (const std::bad_alloc&) {
            search->inventory->outOfMemory = true;
            continue;
        }
        FolderVisit visit = {search, folder, row.prefix};
        ListSubfolders(folder, VisitSubfolder, &visit);
    }
}
