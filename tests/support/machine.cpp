// Seeding and removing the machine's keys and files, for tests and benchmarks alike.
#include "support/machine.h"

#include <sddl.h>
#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

void (*g_setupFailureHandler)(const std::string& what) = nullptr;

bool Failed(const std::string& what)
{
    if (g_setupFailureHandler != nullptr)
        g_setupFailureHandler(what);
    else
        fprintf(stderr, "set-up failed: %s\n", what.c_str());
    return false;
}

bool Succeeded(LONG status, const std::string& what)
{
    return status == ERROR_SUCCESS || Failed(what + ": error " + std::to_string(status));
}

// Opens the key below parent with full access, making it (and the keys above it) when
// missing. The caller closes it.
bool OpenOrMakeKey(HKEY parent, const std::string& path, REGSAM view, HKEY* key)
{
    return Succeeded(RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                     nullptr, key, nullptr),
                     "making the key " + path);
}

// Opens or makes subkey name of parentKey through parentKey's handle: a name whose whole
// key path is longer than one registry call takes can be made too.
bool OpenOrMakeSubkey(const char* parentKey, const std::string& name, REGSAM view, HKEY* key)
{
    HKEY parent;
    if (!OpenOrMakeKey(HKEY_LOCAL_MACHINE, parentKey, view, &parent))
        return false;
    const bool made = OpenOrMakeKey(parent, name, view, key);
    RegCloseKey(parent);
    return made;
}

const char* WjviewPath(WjviewPlace place)
{
    switch (place) {
    case kWindowsDir:
        return kWindowsWjview;
    case kSystemDir:
    case kNativeSystemDir:
        return kSystemWjview;
    case kSysWow64Dir:
        return kSysWow64Wjview;
    }
    return kWindowsWjview;
}

// Runs step with the file system redirection of a WOW64 process off, so that
// C:\windows\system32 is the 64-bit System32 itself. False outside WOW64.
template <typename Step>
bool WithoutRedirection(Step step)
{
    void* redirection = nullptr;
    if (!Wow64DisableWow64FsRedirection(&redirection))
        return false;
    step();
    Wow64RevertWow64FsRedirection(redirection);
    return true;
}

struct Denial {
    HKEY key;  // opened with WRITE_DAC before the denial, so it can still lift it
    std::vector<BYTE> saved;
};
std::vector<Denial> g_denials;

void DumpInto(const std::string& path, REGSAM view, std::string& out)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &handle) !=
        ERROR_SUCCESS)
        return;
    out += "[" + path + "]\n";
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof(name);
        DWORD type = 0;
        BYTE data[65536];
        DWORD dataSize = sizeof(data);
        if (RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        out += std::string(name) + "(" + std::to_string(type) + ")=" +
               std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[512];
        if (RegEnumKeyA(handle, i, name, sizeof(name)) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(handle);
    for (const std::string& sub : subkeys)
        DumpInto(path + "\\" + sub, view, out);
}

}  // namespace

std::string FixturePath(const char* fixture)
{
    return std::string(JRESELECT_FIXTURES_DIR_W) + "\\" + fixture + ".exe";
}

// ---------------------------------------------------------------------------------------
// Seeding

void SetSetupFailureHandler(void (*handler)(const std::string& what))
{
    g_setupFailureHandler = handler;
}

bool SeedProduct(const std::string& home, const std::string& starter, const char* classes,
                 REGSAM view)
{
    return SetText(kTestProductKey, "home", home, REG_SZ, view) &&
           SetText(kTestProductKey, "starter", starter, REG_SZ, view) &&
           (classes == nullptr || SetText(kTestProductKey, "classes", classes, REG_SZ, view));
}

bool SeedRuntime(const std::string& name, const std::string& javaHome, DWORD type, REGSAM view)
{
    return SeedRuntimeUnder(kTestJavaSoftKey, name, javaHome, type, view);
}

bool SeedRuntimeUnder(const char* parentKey, const std::string& name, const std::string& javaHome,
                      DWORD type, REGSAM view)
{
    return SeedRawRuntimeUnder(parentKey, name, type, javaHome.c_str(),
                               static_cast<DWORD>(javaHome.size() + 1), view);
}

bool SeedRawRuntimeUnder(const char* parentKey, const std::string& name, DWORD type,
                         const void* data, DWORD size, REGSAM view)
{
    HKEY key;
    if (!OpenOrMakeSubkey(parentKey, name, view, &key))
        return false;
    const LONG status =
        RegSetValueExA(key, "JavaHome", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return Succeeded(status, "setting \"JavaHome\" of " + name);
}

bool CreateJavaSoftSubkey(const std::string& name, REGSAM view)
{
    HKEY key;
    if (!OpenOrMakeSubkey(kTestJavaSoftKey, name, view, &key))
        return false;
    RegCloseKey(key);
    return true;
}

std::string JavaSoftSubkey(const std::string& name)
{
    return std::string(kTestJavaSoftKey) + "\\" + name;
}

bool MakeLauncher(const std::string& path)
{
    return MakeFile(path);
}

bool SeedWjview(const char* fixture, WjviewPlace place)
{
    const std::string from = FixturePath(fixture);
    const char* to = WjviewPath(place);
    BOOL copied = FALSE;
    const auto copy = [&] {
        DeleteFileA(to);
        copied = CopyFileA(from.c_str(), to, TRUE);
    };
    // A 64-bit process's system32 is the 64-bit one itself.
    if (place != kNativeSystemDir || sizeof(void*) == 8)
        copy();
    else if (!WithoutRedirection(copy))
        return Failed("no file system redirection to turn off: not a WOW64 process");
    return copied || Failed("copying " + from + " to " + to + ": error " +
                            std::to_string(GetLastError()));
}

bool SeedMicrosoftVm(const char* fixture, WjviewPlace place, REGSAM view)
{
    return CreateKey(kTestMicrosoftVmKey, view) && SeedWjview(fixture, place);
}

bool DenyValueWrites(const char* keyPath)
{
    Denial denial = {nullptr, std::vector<BYTE>(4096)};
    if (!Succeeded(RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, READ_CONTROL | WRITE_DAC,
                                 &denial.key),
                   std::string("opening ") + keyPath + " to change its security"))
        return false;
    DWORD size = static_cast<DWORD>(denial.saved.size());
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    // Everyone may read the key, and nothing else.
    const bool denied =
        Succeeded(RegGetKeySecurity(denial.key, DACL_SECURITY_INFORMATION, denial.saved.data(),
                                    &size),
                  "reading the key's security") &&
        (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KR;;;WD)", SDDL_REVISION_1,
                                                              &readOnly, nullptr) ||
         Failed("making a read-only security descriptor")) &&
        Succeeded(RegSetKeySecurity(denial.key, DACL_SECURITY_INFORMATION, readOnly),
                  "setting the key's security");
    LocalFree(readOnly);
    if (!denied) {
        RegCloseKey(denial.key);
        return false;
    }
    g_denials.push_back(denial);
    return true;
}

void UndoValueWriteDenials()
{
    for (Denial& denial : g_denials) {
        RegSetKeySecurity(denial.key, DACL_SECURITY_INFORMATION, denial.saved.data());
        RegCloseKey(denial.key);
    }
    g_denials.clear();
}

const ProductKeyState kUnreadableProductKeys[6] = {
    {"no product key", [] {}},
    {"maker's key without the product's", [] { CreateKey(kTestVelmorKey); }},
    {"empty product key", [] { CreateKey(kTestProductKey); }},
    {"key without home", [] { SetText(kTestProductKey, "starter", kBundledLauncher); }},
    {"key without starter", [] { SetText(kTestProductKey, "home", kProductHome); }},
    {"home and starter under other names",
     [] {
         SetText(kTestProductKey, "Home ", kProductHome);
         SetText(kTestProductKey, "starter\\", kBundledLauncher);
     }},
};

// ---------------------------------------------------------------------------------------
// Java homes and their sources

namespace {

// The top keys of every registration the inventory reads, below SOFTWARE.
const char* const kVendorKeys[] = {
    "SOFTWARE\\Eclipse Adoptium", "SOFTWARE\\Eclipse Foundation", "SOFTWARE\\AdoptOpenJDK",
    "SOFTWARE\\Semeru",           "SOFTWARE\\Microsoft\\JDK",     "SOFTWARE\\Azul Systems",
    "SOFTWARE\\BellSoft",         "SOFTWARE\\SapMachine",         "SOFTWARE\\IBM",
};
// The usual folders' names that cases make homes in, below both Program Files folders.
const char* const kUsualFolders[] = {
    "Java",      "Eclipse Adoptium", "Eclipse Foundation", "AdoptOpenJDK", "Semeru",
    "Zulu",      "Amazon Corretto",  "BellSoft",           "SapMachine",
};

struct SavedVariable {
    std::string name;
    bool set;
    std::string value;
};
std::vector<SavedVariable> g_savedVariables;

}  // namespace

bool SeedHomeValue(HKEY root, const std::string& key, const char* value, const std::string& home,
                   REGSAM view, DWORD type)
{
    return SetRawValueIn(root, key.c_str(), value, type, home.c_str(),
                         static_cast<DWORD>(home.size() + 1), view);
}

std::string ReleaseText(const char* version)
{
    return std::string("IMPLEMENTOR=\"Test\"\nJAVA_RUNTIME_VERSION=\"") + version +
           "+7\"\nJAVA_VERSION=\"" + version + "\"\nOS_NAME=\"Windows\"\n";
}

bool MakeJavaHome(const std::string& home, const char* javawFixture, const char* javaFixture,
                  const char* release)
{
    if (!MakeDirectories(home + "\\bin"))
        return false;
    const char* fixtures[] = {javawFixture, javaFixture};
    const char* names[] = {"javaw.exe", "java.exe"};
    for (int i = 0; i < 2; ++i) {
        if (fixtures[i] == nullptr)
            continue;
        const std::string to = home + "\\bin\\" + names[i];
        if (!CopyFileA(FixturePath(fixtures[i]).c_str(), to.c_str(), FALSE))
            return Failed("copying " + FixturePath(fixtures[i]) + " to " + to + ": error " +
                          std::to_string(GetLastError()));
    }
    return release == nullptr || MakeFile(home + "\\release", release);
}

std::string EnvironmentValue(const char* name)
{
    // From the block: Wine's GetEnvironmentVariableA cuts a double-byte value.
    char* block = GetEnvironmentStringsA();
    std::string value;
    const size_t length = strlen(name);
    for (const char* entry = block; entry != nullptr && *entry != '\0'; entry += strlen(entry) + 1) {
        if (_strnicmp(entry, name, length) == 0 && entry[length] == '=') {
            value = entry + length + 1;
            break;
        }
    }
    FreeEnvironmentStringsA(block);
    return value;
}

void SetEnvironment(const char* name, const char* value)
{
    bool saved = false;
    for (const SavedVariable& variable : g_savedVariables)
        saved = saved || variable.name == name;
    if (!saved) {
        const bool set = GetEnvironmentVariableA(name, nullptr, 0) != 0;
        g_savedVariables.push_back({name, set, EnvironmentValue(name)});
    }
    if (!SetEnvironmentVariableA(name, value))
        Failed(std::string("setting the variable ") + name);
}

void ResetEnvironment()
{
    for (const SavedVariable& variable : g_savedVariables)
        SetEnvironmentVariableA(variable.name.c_str(),
                                variable.set ? variable.value.c_str() : nullptr);
    g_savedVariables.clear();
}

void ClearJavaSources()
{
    for (const REGSAM view : {kOwnView, kView32, kView64}) {
        for (const char* key : kVendorKeys)
            DeleteKeyTree(key, view);
    }
    for (const char* key : kVendorKeys)
        DeleteKeyTreeIn(HKEY_CURRENT_USER, key);
    DeleteKeyTreeIn(HKEY_CURRENT_USER, "SOFTWARE\\JavaSoft");
    for (const char* base : {"C:\\Program Files\\", "C:\\Program Files (x86)\\"}) {
        for (const char* folder : kUsualFolders)
            RemoveTree(std::string(base) + folder);
        // Only the JDKs in Microsoft's folder: Wine keeps its own things there.
        WIN32_FIND_DATAA found;
        const std::string microsoft = std::string(base) + "Microsoft";
        HANDLE search = FindFirstFileA((microsoft + "\\jdk-*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                RemoveTree(microsoft + "\\" + found.cFileName);
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
    }
    const std::string local = EnvironmentValue("LOCALAPPDATA");
    if (!local.empty())
        RemoveTree(local + "\\Programs\\Eclipse Adoptium");
}

// ---------------------------------------------------------------------------------------
// Removing

void DeleteKeyTree(const char* path, REGSAM view)
{
    DeleteKeyTreeIn(HKEY_LOCAL_MACHINE, path, view);
}

void DeleteKeyTreeIn(HKEY root, const char* path, REGSAM view)
{
    if (view == kOwnView) {
        const LONG status = RegDeleteTreeA(root, path);
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
            RegDeleteKeyA(root, path);
        return;
    }
    // RegDeleteTreeA takes no view: the key is opened in its view first.
    HKEY handle;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS | view, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(handle, nullptr);
    RegCloseKey(handle);
    RegDeleteKeyExA(root, path, view, 0);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

void RemoveWjviews()
{
    DeleteFileA(kWindowsWjview);
    DeleteFileA(kSystemWjview);
    DeleteFileA(kSysWow64Wjview);
    WithoutRedirection([] { DeleteFileA(kSystemWjview); });
}

void ResetProgramKeys(REGSAM view)
{
    UndoValueWriteDenials();
    DeleteKeyTree(kTestVelmorKey, view);
    DeleteKeyTree("SOFTWARE\\JavaSoft", view);
    DeleteKeyTree(kTestMicrosoftVmKey, view);
}

void ClearMachine()
{
    ResetEnvironment();
    ClearJavaSources();
    ResetProgramKeys();
    RemoveTree(kCaseRoot);
    RemoveTree(kShortFolder);
    RemoveWjviews();
    MakeDirectories(kCaseRoot);
}

std::string ClearAndSeed(void (*seed)())
{
    ClearMachine();
    seed();
    return DumpKeyTree(kTestVelmorKey);
}

// ---------------------------------------------------------------------------------------
// Primitives

bool SetRawValue(const char* key, const char* name, DWORD type, const void* data, DWORD size,
                 REGSAM view)
{
    return SetRawValueIn(HKEY_LOCAL_MACHINE, key, name, type, data, size, view);
}

bool SetRawValueIn(HKEY root, const char* key, const char* name, DWORD type, const void* data,
                   DWORD size, REGSAM view)
{
    HKEY handle;
    if (!OpenOrMakeKey(root, key, view, &handle))
        return false;
    const LONG status = RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    return Succeeded(status, std::string("setting ") + key + " \"" + name + "\"");
}

bool SetText(const char* key, const char* name, const std::string& text, DWORD type, REGSAM view)
{
    return SetRawValue(key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1), view);
}

bool CreateKey(const char* key, REGSAM view)
{
    HKEY handle;
    if (!OpenOrMakeKey(HKEY_LOCAL_MACHINE, key, view, &handle))
        return false;
    RegCloseKey(handle);
    return true;
}

std::string ReadValueBytes(const char* key, const char* name, REGSAM view)
{
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
        return "<missing>";
    DWORD size = 0;
    std::string result = "<missing>";
    if (RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size + 1);
        if (RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                             &size) == ERROR_SUCCESS)
            result.assign(data.data(), size);
    }
    RegCloseKey(handle);
    return result;
}

std::string DumpKeyTree(const char* key, REGSAM view)
{
    std::string out;
    DumpInto(key, view, out);
    return out;
}

bool MakeDirectories(const std::string& path)
{
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) ||
           Failed("making the directory " + path);
}

bool MakeFile(const std::string& path, const std::string& content)
{
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        MakeDirectories(path.substr(0, slash));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Failed("making the file " + path + ": error " + std::to_string(GetLastError()));
    DWORD written = 0;
    const bool wrote = content.empty() || WriteFile(file, content.data(),
                                                    static_cast<DWORD>(content.size()), &written,
                                                    nullptr);
    CloseHandle(file);
    return wrote || Failed("writing the file " + path);
}

// ---------------------------------------------------------------------------------------
// Network places

namespace {

// The Wine prefix's unix folder, from the environment that Wine passes on.
std::string WinePrefix()
{
    char prefix[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof(prefix));
    return length > 0 && length < sizeof(prefix) ? prefix : "";
}

// The DOS path of a unix path (Z:\... in Wine's prefixes), by Wine's own conversion.
std::string DosPathOfUnix(const std::string& unixPath)
{
    typedef WCHAR*(CDECL * UnixToDos)(const char*);
    const UnixToDos toDos = reinterpret_cast<UnixToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos == nullptr)
        return "";
    WCHAR* dos = toDos(unixPath.c_str());
    if (dos == nullptr)
        return "";
    char text[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, dos, -1, text, sizeof(text), nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return text;
}

std::string UnixPathOfDos(const std::string& dosPath)
{
    typedef char*(CDECL * DosToUnix)(const WCHAR*);
    const DosToUnix toUnix = reinterpret_cast<DosToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr)
        return "";
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, dosPath.c_str(), -1, wide, MAX_PATH) == 0)
        return "";
    char* unixPath = toUnix(wide);
    if (unixPath == nullptr)
        return "";
    const std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

// Wine's mount manager: its request to define a drive (include/ddk/mountmgr.h).
struct MountmgrUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDev;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
const DWORD kIoctlDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// Defines the drive, or removes it when mountPoint is empty.
bool DefineUnixDrive(const std::string& mountPoint, ULONG type)
{
    std::vector<char> request(sizeof(MountmgrUnixDrive) + mountPoint.size() + 1, '\0');
    MountmgrUnixDrive* drive = reinterpret_cast<MountmgrUnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = type;
    drive->letter = static_cast<WCHAR>(kNetworkDriveLetter);
    if (!mountPoint.empty()) {
        drive->mountPointOffset = sizeof(MountmgrUnixDrive);
        memcpy(request.data() + sizeof(MountmgrUnixDrive), mountPoint.c_str(), mountPoint.size());
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(manager, kIoctlDefineUnixDrive, request.data(),
                                      static_cast<DWORD>(request.size()), nullptr, 0, &returned,
                                      nullptr);
    CloseHandle(manager);
    return done != FALSE;
}

}  // namespace

std::string MakeShareFolder(const std::string& rest)
{
    const std::string prefix = WinePrefix();
    const std::string unc = prefix.empty() ? "" : DosPathOfUnix(prefix + "/dosdevices");
    if (unc.empty()) {
        Failed("finding the prefix's dosdevices folder (WINEPREFIX " + prefix + ")");
        return "";
    }
    const std::string folder = unc + "\\unc\\jtserver\\share" + (rest.empty() ? "" : "\\" + rest);
    return MakeDirectories(folder) ? folder : "";
}

void RemoveShares()
{
    const std::string prefix = WinePrefix();
    const std::string dosdevices = prefix.empty() ? "" : DosPathOfUnix(prefix + "/dosdevices");
    if (!dosdevices.empty())
        RemoveTree(dosdevices + "\\unc\\jtserver");
}

bool DefineNetworkDrive(const std::string& target)
{
    if (!MakeDirectories(target))
        return false;
    const std::string mountPoint = UnixPathOfDos(target);
    if (mountPoint.empty() || !DefineUnixDrive(mountPoint, DRIVE_REMOTE))
        return Failed("mapping " + std::string(1, kNetworkDriveLetter) + ": to " + target +
                      " as a network drive: error " + std::to_string(GetLastError()));
    return true;
}

void RemoveNetworkDrive()
{
    DefineUnixDrive("", DRIVE_NO_ROOT_DIR);
}
