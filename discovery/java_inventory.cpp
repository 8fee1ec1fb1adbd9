// The inventory of Java homes: the tables of sources, the namings gathered from them, and
// one round of file probes per home. Only reads.
#include "discovery/java_inventory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "base/environment_text.h"
#include "base/list_box.h"
#include "discovery/path_text.h"
#include "discovery/probes.h"
#include "discovery/runtime_entry.h"
#include "settings/registry.h"

namespace {

// ---------------------------------------------------------------------------------------
// The sources. A new distribution is one row.

// Its MSI writes SOFTWARE\<vendor>\JDK\<version>\<jvm>\MSI with the home in "Path".
const char kMsiShape[] = "*\\*\\MSI";

const InventoryRegistryRow kRegistryRows[] = {
    {"Eclipse Temurin", "SOFTWARE\\Eclipse Adoptium\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"Eclipse Temurin", "SOFTWARE\\Eclipse Adoptium\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"Eclipse Adoptium", "SOFTWARE\\Eclipse Foundation\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"Eclipse Adoptium", "SOFTWARE\\Eclipse Foundation\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"AdoptOpenJDK", "SOFTWARE\\AdoptOpenJDK\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"AdoptOpenJDK", "SOFTWARE\\AdoptOpenJDK\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"IBM Semeru", "SOFTWARE\\Semeru\\JDK", kMsiShape, "Path", kNamedByVendorKey},
    {"IBM Semeru", "SOFTWARE\\Semeru\\JRE", kMsiShape, "Path", kNamedByVendorKey},
    {"Microsoft Build of OpenJDK", "SOFTWARE\\Microsoft\\JDK", kMsiShape, "Path",
     kNamedByVendorKey},
    {"Azul Zulu", "SOFTWARE\\Azul Systems\\Zulu", "*", "InstallationPath", kNamedByVendorKey},
    {"Azul Zulu", "SOFTWARE\\Azul Systems\\Zulu 32-bit", "*", "InstallationPath",
     kNamedByVendorKey},
    {"BellSoft Liberica", "SOFTWARE\\BellSoft\\Liberica", "*", "InstallationPath",
     kNamedByVendorKey},
    {"SapMachine", "SOFTWARE\\SapMachine\\JDK", "*", "JavaHome", kNamedByVendorKey},
    {"IBM", "SOFTWARE\\IBM\\Java Runtime Environment", "*", "JavaHome", kNamedByVendorKey},
    {"IBM", "SOFTWARE\\IBM\\Java2 Runtime Environment", "*", "JavaHome", kNamedByVendorKey},
    {"IBM", "SOFTWARE\\IBM\\Java Development Kit", "*", "JavaHome", kNamedByVendorKey},
    // Oracle's, and what Amazon Corretto and Red Hat register.
    {"JavaSoft", "SOFTWARE\\JavaSoft\\Java Runtime Environment", "*", "JavaHome", kNamedByListKey},
    {"JavaSoft", "SOFTWARE\\JavaSoft\\JRE", "*", "JavaHome", kNamedByJavaSoftKey},
    {"JavaSoft", "SOFTWARE\\JavaSoft\\JDK", "*", "JavaHome", kNamedByJavaSoftKey},
};

// The homes that environment variables name.
const char* const kHomeVariables[] = {"JAVA_HOME", "JDK_HOME"};

// The usual install folders: ProgramFiles is the program's own kind's folder,
// ProgramFiles(x86) and ProgramW6432 the two of a 64-bit Windows.
const InventoryFolderRow kFolderRows[] = {
    {"ProgramFiles", "Java", ""},
    {"ProgramFiles", "Eclipse Adoptium", ""},
    {"ProgramFiles", "Eclipse Foundation", ""},
    {"ProgramFiles", "AdoptOpenJDK", ""},
    {"ProgramFiles", "Semeru", ""},
    {"ProgramFiles", "Zulu", ""},
    {"ProgramFiles", "Amazon Corretto", ""},
    {"ProgramFiles", "Microsoft", "jdk-"},
    {"ProgramFiles", "BellSoft", ""},
    {"ProgramFiles", "SapMachine", ""},
    {"ProgramFiles(x86)", "Java", ""},
    {"ProgramFiles(x86)", "Eclipse Adoptium", ""},
    {"ProgramFiles(x86)", "Zulu", ""},
    {"ProgramFiles(x86)", "Amazon Corretto", ""},
    {"ProgramFiles(x86)", "BellSoft", ""},
    {"ProgramW6432", "Java", ""},
    {"ProgramW6432", "Eclipse Adoptium", ""},
    {"ProgramW6432", "Eclipse Foundation", ""},
    {"ProgramW6432", "AdoptOpenJDK", ""},
    {"ProgramW6432", "Semeru", ""},
    {"ProgramW6432", "Zulu", ""},
    {"ProgramW6432", "Amazon Corretto", ""},
    {"ProgramW6432", "Microsoft", "jdk-"},
    {"ProgramW6432", "BellSoft", ""},
    {"ProgramW6432", "SapMachine", ""},
    {"LOCALAPPDATA", "Programs\\Eclipse Adoptium", ""},
};

// The keys whose "CurrentVersion" the javapath copies follow, in the order they are asked:
// Java 8 and earlier's, and Java 9 and later's.
const char* const kCurrentVersionKeysUpTo8[] = {"SOFTWARE\\JavaSoft\\Java Runtime Environment"};
const char* const kCurrentVersionKeysFrom9[] = {"SOFTWARE\\JavaSoft\\JRE",
                                                "SOFTWARE\\JavaSoft\\JDK"};

const char kJavaw[] = "javaw.exe";
const char kJava[] = "java.exe";
const char kBinFolderKey[] = "bin";
const char* const kJavapathTail[] = {"javapath", "java", "oracle"};  // from the end, as keys

// ---------------------------------------------------------------------------------------
// The search's state

struct Search {
    JavaInventory* inventory;
    DriveTable drives;
    std::unordered_map<std::string, size_t> byKey;  // MakePathKey of a home -> its index
    std::unordered_set<std::string> offered;        // keys of the homes the list offers
};

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

// ---------------------------------------------------------------------------------------
// Registry sources

struct RegistryPlace {
    const InventoryRegistryRow* row;
    HKEY root;
    REGSAM view;
    InventorySourceKind kind;
};

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

void SearchRegistry(Search* search)
{
    const REGSAM other = OtherRegistryView();
    for (const InventoryRegistryRow& row : kRegistryRows) {
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

// ---------------------------------------------------------------------------------------
// The environment

// The variable's value, of any length, or an empty text when it is not set or the ANSI code
// page cannot hold it (*notAnsi then, when asked).
std::string ReadVariable(Search* search, const char* name, bool* notAnsi = nullptr)
{
    std::string value;
    const VariableRead read = ReadVariableText(name, &value);
    if (read == kVariableNoMemory)
        search->inventory->outOfMemory = true;
    if (notAnsi != nullptr)
        *notAnsi = read == kVariableNotAnsi;
    return value;
}

void SearchVariables(Search* search)
{
    for (const char* name : kHomeVariables) {
        bool notAnsi = false;
        const std::string value = ReadVariable(search, name, &notAnsi);
        InventorySource source = NewSource(kNamedByEnvironment);
        strcpy(source.where, name);
        if (notAnsi) {
            NameWithoutHome(search, source, kReasonNotInCodePage);
            continue;
        }
        if (value.empty())
            continue;
        const char* start = value.c_str();
        const size_t length = TrimNaming(&start, value.size());
        NameHome(search, start, length, source, nullptr, "", "");
    }
}

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

void SearchPath(Search* search)
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

// ---------------------------------------------------------------------------------------
// The usual folders

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

void SearchFolders(Search* search)
{
    std::unordered_set<std::string> seen;
    for (const InventoryFolderRow& row : kFolderRows) {
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

// ---------------------------------------------------------------------------------------
// Probing each home once

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
    InventorySourceKind first = kNamedByFolder;
    for (const InventorySource& source : home.sources) {
        if (source.kind < first)
            first = source.kind;
    }
    switch (first) {
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
    const char* const* keys = upTo8 ? kCurrentVersionKeysUpTo8 : kCurrentVersionKeysFrom9;
    const size_t count = upTo8 ? 1 : 2;
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

}  // namespace

bool TakeJavaInventory(HWND list, JavaInventory* inventory)
{
    inventory->homes.clear();
    inventory->pathEntries.clear();
    inventory->javapaths.clear();
    inventory->offeredNamings = 0;
    inventory->outOfMemory = false;
    Search search;
    search.inventory = inventory;
    InitDriveTable(&search.drives);
    try {
        CollectOffered(list, &search);
        SearchRegistry(&search);
        SearchVariables(&search);
        SearchPath(&search);
        SearchFolders(&search);
        for (InventoryHome& home : inventory->homes) {
            if (home.probed)
                ProbeHome(&home);
        }
        for (InventoryJavapath& javapath : inventory->javapaths)
            ResolveJavapath(&search, &javapath);
    } catch (const std::bad_alloc&) {
        inventory->outOfMemory = true;
    }
    return !inventory->outOfMemory;
}

const InventoryRegistryRow* InventoryRegistryRows(size_t* count)
{
    *count = sizeof(kRegistryRows) / sizeof(kRegistryRows[0]);
    return kRegistryRows;
}

const InventoryFolderRow* InventoryFolderRows(size_t* count)
{
    *count = sizeof(kFolderRows) / sizeof(kFolderRows[0]);
    return kFolderRows;
}
