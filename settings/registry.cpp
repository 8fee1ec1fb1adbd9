// Registry access: the only code that calls the Reg* functions.
#include "settings/registry.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Closes the key when the operation that opened it returns, on every path.
class KeyCloser {
public:
    explicit KeyCloser(HKEY key) : key_(key) {}
    ~KeyCloser() { RegCloseKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    HKEY key_;
};

const DWORD kNameBufferSize = 260;
// Enough for any key name: at most 256 UTF-16 units (Wine; 255 on Windows), and no ANSI
// code page spells one unit in more than 4 bytes.
const DWORD kSkippedNameBufferSize = 256 * 4 + 1;

// Records the subkey at index, whose name did not fit kNameBufferSize, with its name when
// a larger buffer takes it. Out of memory, nothing is recorded.
void NoteSkippedSubkey(HKEY key, DWORD index, RegSkippedSubkeys* skipped)
{
    try {
        RegSkippedSubkey entry = {index, std::string()};
        std::vector<char> name(kSkippedNameBufferSize, '\0');
        DWORD size = kSkippedNameBufferSize;
        if (RegEnumKeyExA(key, index, name.data(), &size, nullptr, nullptr, nullptr, nullptr) ==
                ERROR_SUCCESS &&
            size < kSkippedNameBufferSize)
            entry.name.assign(name.data(), size);
        skipped->push_back(entry);
    } catch (const std::bad_alloc&) {
    }
}

// Opens subkey to read it: in the program's own view (0) as the four operations open keys,
// else with read access in the view named.
LONG OpenKeyToRead(HKEY root, const char* subkey, REGSAM view, HKEY* key)
{
    if (view == 0)
        return RegOpenKeyA(root, subkey, key);
    return RegOpenKeyExA(root, subkey, 0, KEY_READ | view, key);
}

}  // namespace

REGSAM OtherRegistryView()
{
#ifdef _WIN64
    return KEY_WOW64_32KEY;
#else
    // A 32-bit program has another view only under 64-bit Windows, where it runs in WOW64.
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        return 0;
    return KEY_WOW64_64KEY;
#endif
}

char* ReadRegString(HKEY root, const char* subkey, const char* valueName)
{
    return ReadRegStringInView(root, subkey, valueName, 0);
}

char* ReadRegStringInView(HKEY root, const char* subkey, const char* valueName, REGSAM view)
{
    DWORD type = 0;
    return ReadRegValueInView(root, subkey, valueName, view, &type);
}

char* ReadRegValueInView(HKEY root, const char* subkey, const char* valueName, REGSAM view,
                         DWORD* typeOut)
{
    *typeOut = REG_NONE;
    HKEY key;
    if (OpenKeyToRead(root, subkey, view, &key) != ERROR_SUCCESS)
        return nullptr;
    KeyCloser closer(key);

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return nullptr;
    if (size == MAXDWORD)
        return nullptr;

    char* buffer = static_cast<char*>(malloc(size + 1));
    if (buffer == nullptr)
        return nullptr;
    // The value may have grown since the size was asked for; the call then fails with
    // ERROR_MORE_DATA and nothing is returned rather than a cut text.
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        free(buffer);
        return nullptr;
    }
    // Values need not end in a NUL (REG_BINARY, or REG_SZ written carelessly).
    buffer[size] = '\0';
    *typeOut = type;
    return buffer;
}

char* ReadRegString(const char* subkey, const char* valueName)
{
    return ReadRegString(HKEY_LOCAL_MACHINE, subkey, valueName);
}

char* ReadRegStringInView(const char* subkey, const char* valueName, REGSAM view)
{
    return ReadRegStringInView(HKEY_LOCAL_MACHINE, subkey, valueName, view);
}

void FreeRegString(char* text)
{
    free(text);
}

bool RegKeyExists(HKEY root, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyA(root, subkey, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool RegKeyExists(const char* subkey)
{
    return RegKeyExists(HKEY_LOCAL_MACHINE, subkey);
}

bool WriteRegString(HKEY root, const char* subkey, const char* valueName, const char* text)
{
    HKEY key;
    if (RegCreateKeyA(root, subkey, &key) != ERROR_SUCCESS)
        return false;
    KeyCloser closer(key);
    const DWORD length = static_cast<DWORD>(strlen(text) + 1);
    return RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), length) ==
           ERROR_SUCCESS;
}

bool WriteRegString(const char* subkey, const char* valueName, const char* text)
{
    return WriteRegString(HKEY_LOCAL_MACHINE, subkey, valueName, text);
}

RegSubkeyList* EnumRegSubkeys(HKEY root, const char* subkey, RegSkippedSubkeys* skipped)
{
    return EnumRegSubkeysInView(root, subkey, 0, skipped);
}

RegSubkeyList* EnumRegSubkeysInView(HKEY root, const char* subkey, REGSAM view,
                                    RegSkippedSubkeys* skipped)
{
    HKEY key;
    if (OpenKeyToRead(root, subkey, view, &key) != ERROR_SUCCESS)
        return nullptr;
    KeyCloser closer(key);

    RegSubkeyList* names = new (std::nothrow) RegSubkeyList;
    if (names == nullptr)
        return nullptr;

    char name[kNameBufferSize];
    for (DWORD index = 0;; ++index) {
        const LONG status = RegEnumKeyA(key, index, name, kNameBufferSize);
        // ERROR_MORE_DATA is one name too long for the buffer, not the end of the key: the
        // runtimes registered after it must not disappear with it.
        if (status == ERROR_MORE_DATA) {
            if (skipped != nullptr)
                NoteSkippedSubkey(key, index, skipped);
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        // Out of memory: the list ends here, as it would at an enumeration error.
        try {
            names->push_back(name);
        } catch (const std::bad_alloc&) {
            break;
        }
    }
    return names;
}

RegSubkeyList* EnumRegSubkeys(const char* subkey, RegSkippedSubkeys* skipped)
{
    return EnumRegSubkeys(HKEY_LOCAL_MACHINE, subkey, skipped);
}

RegSubkeyList* EnumRegSubkeysInView(const char* subkey, REGSAM view, RegSkippedSubkeys* skipped)
{
    return EnumRegSubkeysInView(HKEY_LOCAL_MACHINE, subkey, view, skipped);
}
