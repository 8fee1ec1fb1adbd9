// The inventory's PATH reader: the directories on PATH that hold a launcher name homes, the
// javapath folders are noted apart, and the entries that are not looked at are kept apart.
#include <cstring>
#include <new>
#include <string>

#include "base/environment_text.h"
#include "discovery/inventory_search.h"
#include "discovery/path_text.h"
#include "discovery/probes.h"

namespace {

const char* const kJavapathTail[] = {"javapath", "java", "oracle"};  // from the end, as keys

// Whether path's last components, lowered, are tail's (tail[0] the last); path is a key.
bool EndsInComponents(const char* key, const char* const* tail, size_t count)
{
    char copy[kTextBufferSize];
    strcpy(copy, key);
    for (size_t i = 0; i < count; ++i) {
        char* separator = const_cast<char*>(FindLastBackslash(copy));
        const char* component = separator != nullptr ? separator + 1 : copy;
        if (strcmp(component, tail[i]) != 0)
            return false;
        if (separator == nullptr)
            return i + 1 == count;
        *separator = '\0';
    }
    return true;
}

void NoteJavapath(Search* search, const char* folder, int index, const char* javaw,
                  const char* java)
{
    InventoryJavapath javapath;
    strcpy(javapath.folder, folder);
    javapath.pathIndex = index;
    javapath.hasJavaw = javaw[0] != '\0';
    javapath.hasJava = java[0] != '\0';
    javapath.copyVersion[0] = '\0';
    javapath.copyMajor = -1;
    javapath.copyMachine = 0;
    javapath.copyArchitecture = kArchUnknown;
    javapath.key[0] = '\0';
    javapath.view = 0;
    javapath.currentVersion[0] = '\0';
    javapath.ownVersion[0] = '\0';
    javapath.home[0] = '\0';
    javapath.outcome = kJavapathNoCopyVersion;
    javapath.homeIndex = -1;
    javapath.homeOffered = false;
    try {
        search->inventory->javapaths.push_back(javapath);
    } catch (const std::bad_alloc&) {
        search->inventory->outOfMemory = true;
    }
}

// A PATH entry that is not looked at, with why.
void NotePathEntry(Search* search, int index, const char* text, size_t length,
                   InventoryReason reason)
{
    InventoryPathEntry entry;
    entry.pathIndex = index;
    CopyText(entry.entry, text, length);
    entry.length = length;
    entry.reason = reason;
    try {
        search->inventory->pathEntries.push_back(entry);
    } catch (const std::bad_alloc&) {
        search->inventory->outOfMemory = true;
    }
}

// One PATH entry (length bytes at text, not NUL-terminated), at index.
void SearchPathEntry(Search* search, const char* text, size_t length, int index)
{
    const char* start = text;
    length = TrimNaming(&start, length);
    if (length == 0)
        return;  // an empty entry names nothing
    InventorySource source = NewSource(kNamedByPath);
    source.pathIndex = index;
    InventoryReason reason = kReasonTooLong;
    if (!CopyText(source.where, start, length) ||
        FindUnprobedReason(search, source.where, length, &reason)) {
        NotePathEntry(search, index, start, length, reason);
        return;
    }
    // Joined with a launcher's name, a lone lead byte would name another folder.
    if (EndsInLoneLeadByte(source.where)) {
        NotePathEntry(search, index, start, length, kReasonLoneLeadByte);
        return;
    }
    char dir[kTextBufferSize];
    strcpy(dir, source.where);
    char javaw[kTextBufferSize];
    char java[kTextBufferSize];
    int tests = 0;
    if (!FindLaunchers(dir, javaw, java, &tests))
        return;  // no launcher: not a Java directory
    const std::string key = KeyOf(dir);
    if (EndsInComponents(key.c_str(), kJavapathTail, 3)) {
        NoteJavapath(search, dir, index, javaw, java);
        return;
    }
    const char* bin = FindLastBackslash(dir);
    if (bin != nullptr && strcmp(KeyOf(bin + 1).c_str(), kBinFolderKey) == 0) {
        // C:\bin's home is the drive's root, C:\ with its backslash.
        const size_t homeLength = static_cast<size_t>(bin - dir);
        NameHome(search, dir, homeLength == 2 ? 3 : homeLength, source, dir, javaw, java);
        return;
    }
    NameHome(search, dir, length, source, dir, javaw, java);
}

}  // namespace

void SearchPathVariable(Search* search)
{
    std::wstring path;
    if (ReadVariableUnicode("PATH", &path) == kVariableNoMemory) {
        search->inventory->outOfMemory = true;
        return;
    }
    int index = 0;
    for (size_t at = 0; at <= path.size(); ++index) {
        // As cmd.exe reads PATH: a ';' inside double quotes is part of the entry.
        size_t end = at;
        bool quoted = false;
        while (end < path.size() && (quoted || path[end] != L';')) {
            if (path[end] == L'"')
                quoted = !quoted;
            ++end;
        }
        std::string entry;
        if (ConvertToAnsiText(path.data() + at, end - at, &entry)) {
            SearchPathEntry(search, entry.c_str(), entry.size(), index);
        } else {
            NotePathEntry(search, index, "", 0, kReasonNotInCodePage);
        }
        at = end + 1;
    }
}
