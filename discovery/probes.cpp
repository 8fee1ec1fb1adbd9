// Path, file and version probes: the only code that calls OpenFile and that loads and calls
// the version functions.
#include "discovery/probes.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "base/text_buffer.h"
#include "discovery/path_text.h"

bool MakePath(char* destination, const char* directory, const char* name)
{
    const size_t directoryLength = strlen(directory);
    // By the last character, not the last byte: in code page 932 a directory ending in the
    // character 0x95 0x5C ends in the byte of a backslash without ending in one.
    const bool addSeparator = !EndsInBackslash(directory);
    const size_t nameLength = strlen(name);
    if (directoryLength + (addSeparator ? 1 : 0) + nameLength >= kTextBufferSize) {
        destination[0] = '\0';
        return false;
    }
    memmove(destination, directory, directoryLength);
    size_t length = directoryLength;
    if (addSeparator)
        destination[length++] = '\\';
    memcpy(destination + length, name, nameLength + 1);
    return true;
}

ProbeResult ProbeFile(const char* path)
{
    // OpenFile looks for a relative path in the program's and the current directory, the
    // system directories and PATH: a launcher found there names no fixed place.
    if (!IsFullyQualifiedPath(path))
        return kProbeNotQualified;
    // OpenFile keeps the path in a 128-byte field; a longer one is not probed at all.
    if (strlen(path) > kLongestTestedPath)
        return kProbeTooLongToTest;
    OFSTRUCT ofs;
    ofs.cBytes = sizeof(ofs);
    return OpenFile(path, &ofs, OF_EXIST) != HFILE_ERROR ? kProbeFound : kProbeAbsent;
}

bool FileExists(const char* path)
{
    return ProbeFile(path) == kProbeFound;
}

namespace {

typedef DWORD(WINAPI* VersionInfoSizeFunction)(LPCSTR, LPDWORD);
typedef BOOL(WINAPI* VersionInfoFunction)(LPCSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* VersionQueryFunction)(LPCVOID, LPCSTR, LPVOID*, PUINT);

struct VersionFunctions {
    bool tried;  // at the first version probe, once
    VersionInfoSizeFunction getSize;
    VersionInfoFunction getInfo;
    VersionQueryFunction query;
};

// version.dll's three functions, all or none, for the rest of the process.
VersionFunctions g_versionFunctions = {false, nullptr, nullptr, nullptr};

const char kVersionDll[] = "version.dll";

// GetProcAddress's result as the function type it is.
template <typename Function>
Function FindFunction(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Loads version.dll by its full path in the system directory: not a KnownDLL, so a load by
// name would take a copy from the program's folder first. Under WOW64 the file system's
// redirection gives SysWOW64's 32-bit copy, which is the right one. Kept loaded, as a static
// import would be; a failure is not tried again.
bool LoadVersionFunctions()
{
    if (g_versionFunctions.tried)
        return g_versionFunctions.getSize != nullptr;
    g_versionFunctions.tried = true;
    char directory[kTextBufferSize];
    char dll[kTextBufferSize];
    const UINT length = GetSystemDirectoryA(directory, kTextBufferSize);
    if (length == 0 || length >= kTextBufferSize || !MakePath(dll, directory, kVersionDll))
        return false;
    const HMODULE module = LoadLibraryA(dll);
    if (module == nullptr)
        return false;
    const VersionInfoSizeFunction getSize =
        FindFunction<VersionInfoSizeFunction>(module, "GetFileVersionInfoSizeA");
    const VersionInfoFunction getInfo =
        FindFunction<VersionInfoFunction>(module, "GetFileVersionInfoA");
    const VersionQueryFunction query = FindFunction<VersionQueryFunction>(module, "VerQueryValueA");
    if (getSize == nullptr || getInfo == nullptr || query == nullptr) {
        FreeLibrary(module);
        return false;
    }
    g_versionFunctions.getSize = getSize;
    g_versionFunctions.getInfo = getInfo;
    g_versionFunctions.query = query;
    return true;
}

}  // namespace

ProbeResult ProbeFileVersion(char* out, const char* path)
{
    // The version functions search for a relative path as the loader does.
    if (!IsFullyQualifiedPath(path))
        return kProbeNotQualified;
    if (!LoadVersionFunctions())
        return kProbeNoVersionFunctions;
    DWORD handle = 0;
    const DWORD size = g_versionFunctions.getSize(path, &handle);
    if (size == 0)
        return kProbeAbsent;
    void* block = malloc(size);
    if (block == nullptr)
        return kProbeAbsent;
    if (!g_versionFunctions.getInfo(path, 0, size, block)) {
        free(block);
        return kProbeAbsent;
    }
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    // A block shorter than the whole structure is damaged; reading it would run past its end.
    if (!g_versionFunctions.query(block, "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
        free(block);
        return kProbeAbsent;
    }
    wsprintfA(out, "%d.%d.%d.%d", static_cast<int>(HIWORD(info->dwFileVersionMS)),
              static_cast<int>(LOWORD(info->dwFileVersionMS)),
              static_cast<int>(HIWORD(info->dwFileVersionLS)),
              static_cast<int>(LOWORD(info->dwFileVersionLS)));
    free(block);
    return kProbeFound;
}

bool GetFileVersionString(char* out, const char* path)
{
    return ProbeFileVersion(out, path) == kProbeFound;
}

namespace {

const int kVersionParts = 4;

// Splits text (modified in place) into its first four dot-separated parts, as numbers.
// strtok keeps its position in process-wide state; the program has one thread.
bool SplitVersion(char* text, int parts[kVersionParts])
{
    char* token = strtok(text, ".");
    for (int i = 0; i < kVersionParts; ++i) {
        if (token == nullptr)
            return false;
        parts[i] = atoi(token);
        token = strtok(nullptr, ".");
    }
    return true;
}

}  // namespace

int CompareVersions(const char* a, const char* b)
{
    // Neither text can be a version if it does not fit the working copies.
    if (strlen(a) >= kTextBufferSize || strlen(b) >= kTextBufferSize)
        return -1;
    char copyA[kTextBufferSize];
    char copyB[kTextBufferSize];
    strcpy(copyA, a);
    strcpy(copyB, b);

    int partsA[kVersionParts];
    int partsB[kVersionParts];
    if (!SplitVersion(copyA, partsA) || !SplitVersion(copyB, partsB))
        return -1;
    for (int i = 0; i < kVersionParts; ++i) {
        if (partsA[i] != partsB[i])
            return partsA[i] < partsB[i] ? -1 : 1;
    }
    return 0;
}
