// The inventory's registry reader: each row of the sources walked in both views of
// HKEY_LOCAL_MACHINE and in HKEY_CURRENT_USER, every value found naming a home.
#include <cstring>
#include <string>

#include "discovery/inventory_search.h"
#include "discovery/java_inventory.h"
#include "settings/registry.h"

// Joins key and name into out (260 bytes); false when it does not fit.
bool JoinKey(char* out, const char* key, const char* name, size_t nameLength)
{
    const size_t keyLength = strlen(key);
    if (keyLength + 1 + nameLength >= kTextBufferSize)
        return false;
    memmove(out, key, keyLength);
    out[keyLength] = '\\';
    memcpy(out + keyLength + 1, name, nameLength);
    out[keyLength + 1 + nameLength] = '\0';
    return true;
}

namespace {

struct RegistryPlace {
    const InventoryRegistryRow* row;
    HKEY root;
    REGSAM view;
    InventorySourceKind kind;
};

// The value of the key at keyPath names a home.
void ReadHomeValue(Search* search, const RegistryPlace& place, const char* keyPath)
{
    DWORD type = REG_NONE;
    char* value = ReadRegValueInView(place.root, keyPath, place.row->value, place.view, &type);
    if (value == nullptr)
        return;  // no such value: that key names no home
    InventorySource source = NewSource(place.kind);
    source.distribution = place.row->distribution;
    source.hive = place.root == HKEY_CURRENT_USER ? kHiveUser : kHiveMachine;
    source.view = place.view;
    strcpy(source.where, keyPath);
    source.value = place.row->value;
    source.valueType = type;
    // The JavaSoft keys are read as the list's search reads them: any type, up to its first
    // NUL. A vendor's value is a path only as a text.
    const bool text = type == REG_SZ || type == REG_EXPAND_SZ;
    if (!text && place.row->kind == kNamedByVendorKey) {
        NameWithoutHome(search, source, kReasonNotText);
    } else {
        const char* start = value;
        const size_t length = TrimNaming(&start, strlen(value));
        NameHome(search, start, length, source, nullptr, "", "");
    }
    FreeRegString(value);
}

// Walks shape (its components separated by backslashes) below keyPath.
void WalkShape(Search* search, const RegistryPlace& place, const char* keyPath, const char* shape)
{
    if (*shape == '\0') {
        ReadHomeValue(search, place, keyPath);
        return;
    }
    const char* end = strchr(shape, '\\');
    const size_t componentLength = end != nullptr ? static_cast<size_t>(end - shape) : strlen(shape);
    const char* rest = end != nullptr ? end + 1 : shape + componentLength;
    char child[kTextBufferSize];
    if (!(componentLength == 1 && shape[0] == '*')) {
        if (JoinKey(child, keyPath, shape, componentLength))
            WalkShape(search, place, child, rest);
        return;
    }
    // A name too long for the key path is skipped, as the list's search skips it.
    RegSubkeyList* names = EnumRegSubkeysInView(place.root, keyPath, place.view);
    if (names == nullptr)
        return;
    for (const std::string& name : *names) {
        if (JoinKey(child, keyPath, name.c_str(), name.size()))
            WalkShape(search, place, child, rest);
    }
    delete names;
}

}  // namespace

void SearchRegistry(Search* search)
{
    const REGSAM other = OtherRegistryView();
    size_t rowCount = 0;
    const InventoryRegistryRow* rows = InventoryRegistryRows(&rowCount);
    for (size_t r = 0; r < rowCount; ++r) {
        const InventoryRegistryRow& row = rows[r];
        const InventorySourceKind otherKind =
            row.kind == kNamedByListKey ? kNamedByListKeyOtherView : row.kind;
        const RegistryPlace places[] = {
            {&row, HKEY_LOCAL_MACHINE, 0, row.kind},
            {&row, HKEY_LOCAL_MACHINE, other, otherKind},
            // HKEY_CURRENT_USER\Software is one for both kinds of program.
            {&row, HKEY_CURRENT_USER, 0, kNamedByUserKey},
        };
        for (const RegistryPlace& place : places) {
            // Without another view, the second place would read the own view again.
            if (&place == &places[1] && other == 0)
                continue;
            WalkShape(search, place, row.key, row.shape);
        }
    }
}
