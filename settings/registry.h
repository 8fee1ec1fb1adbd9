// Registry access: the four operations through which the program reads and writes the
// registry, and read-only forms of two of them for a registry view named explicitly. Each
// opens what it needs and closes it before returning; no key handle outlives a call. The
// short forms work under HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

typedef std::vector<std::string> RegSubkeyList;

// A subkey that EnumRegSubkeys leaves out because its name does not fit the 260-byte name
// buffer: more than 259 bytes, which in a double-byte code page is a name of about 130
// characters or more.
struct RegSkippedSubkey {
    DWORD index;       // its place in the registry's enumeration
    std::string name;  // read again into a larger buffer; empty when even that failed
};
typedef std::vector<RegSkippedSubkey> RegSkippedSubkeys;

// Returns the value's bytes, whatever its type, with a NUL appended, or null when the key
// or the value cannot be read. The caller releases the buffer with FreeRegString.
char* ReadRegString(HKEY root, const char* subkey, const char* valueName);
char* ReadRegString(const char* subkey, const char* valueName);
void FreeRegString(char* text);

bool RegKeyExists(HKEY root, const char* subkey);
bool RegKeyExists(const char* subkey);

// Opens or creates the key and sets a REG_SZ value; true when the value was set.
bool WriteRegString(HKEY root, const char* subkey, const char* valueName, const char* text);
bool WriteRegString(const char* subkey, const char* valueName, const char* text);

// Names of the key's subkeys in the registry's enumeration order (possibly none), or null
// when the key cannot be opened. The caller deletes the list. A name too long for the
// buffer is left out and the names after it still come; when skipped is given, each name
// left out is appended there.
RegSubkeyList* EnumRegSubkeys(HKEY root, const char* subkey, RegSkippedSubkeys* skipped = nullptr);
RegSubkeyList* EnumRegSubkeys(const char* subkey, RegSkippedSubkeys* skipped = nullptr);

// The registry view that this program does not see by itself: KEY_WOW64_64KEY for a 32-bit
// program under 64-bit Windows, KEY_WOW64_32KEY for a 64-bit program, and 0 where there is
// no other (32-bit Windows, or when Windows cannot tell).
REGSAM OtherRegistryView();

// ReadRegString and EnumRegSubkeys in the registry view `view` (KEY_WOW64_32KEY or
// KEY_WOW64_64KEY), with read access only; a view of 0 is the program's own, and then each
// is exactly the form above.
char* ReadRegStringInView(HKEY root, const char* subkey, const char* valueName, REGSAM view);
char* ReadRegStringInView(const char* subkey, const char* valueName, REGSAM view);
RegSubkeyList* EnumRegSubkeysInView(HKEY root, const char* subkey, REGSAM view,
                                    RegSkippedSubkeys* skipped = nullptr);
RegSubkeyList* EnumRegSubkeysInView(const char* subkey, REGSAM view,
                                    RegSkippedSubkeys* skipped = nullptr);

// ReadRegStringInView that also tells the value's type (REG_SZ, REG_DWORD, ...) in *type,
// for a reader that takes only texts as paths. Under any root (HKEY_CURRENT_USER too).
char* ReadRegValueInView(HKEY root, const char* subkey, const char* valueName, REGSAM view,
                         DWORD* type);
