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

// --- Probes of a Java home

namespace {

// Closes the file when the probe that opened it returns, on every path.
class FileCloser {
public:
    explicit FileCloser(HANDLE file) : file_(file) {}
    ~FileCloser() { CloseHandle(file_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    HANDLE file_;
};

HANDLE OpenToRead(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads up to size bytes from the file's current position; the count read, 0 on failure.
DWORD ReadUpTo(HANDLE file, void* buffer, DWORD size)
{
    DWORD got = 0;
    if (!ReadFile(file, buffer, size, &got, nullptr))
        return 0;
    return got;
}

const char kJavaVersionLine[] = "JAVA_VERSION=\"";

// The quoted value that starts at text (after kJavaVersionLine), ending before end.
bool TakeReleaseValue(char* out, const char* text, const char* end)
{
    const char* at = text;
    while (at < end && *at != '"') {
        // Printable ASCII only: a binary file or another encoding is no version text.
        if (*at < 0x21 || *at > 0x7E)
            return false;
        ++at;
    }
    const size_t length = static_cast<size_t>(at - text);
    if (at == end || length == 0 || length > kLongestReleaseVersion)
        return false;
    memcpy(out, text, length);
    out[length] = '\0';
    return true;
}

}  // namespace

ProbeResult ProbeExistingFile(const char* path)
{
    if (!IsFullyQualifiedPath(path))
        return kProbeNotQualified;
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return kProbeAbsent;
    return kProbeFound;
}

bool IsOnNetworkDrive(const char* path)
{
    const char drive = path[0];
    if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')) || path[1] != ':')
        return false;
    const char root[] = {drive, ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_REMOTE;
}

void InitDriveTable(DriveTable* drives)
{
    for (signed char& drive : drives->remote)
        drive = -1;
}

UnopenedPlace ClassifyPlace(const char* text, size_t length, DriveTable* drives)
{
    if (length >= kTextBufferSize)
        return kPlaceTooLong;
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (separator(text[0]) && separator(text[1])) {
        // \\?\C:\... and \\.\... name devices, not shares, but are not opened either.
        const bool device = (text[2] == '?' || text[2] == '.') && separator(text[3]);
        return device ? kPlaceDevice : kPlaceNetwork;
    }
    if (const char* percent = strchr(text, '%');
        percent != nullptr && strchr(percent + 1, '%') != nullptr)
        return kPlaceUnexpanded;
    if (!IsFullyQualifiedPath(text))
        return kPlaceNotFullyQualified;
    signed char& known = drives->remote[(text[0] | 0x20) - 'a'];
    if (known < 0)
        known = IsOnNetworkDrive(text) ? 1 : 0;
    return known == 1 ? kPlaceNetwork : kPlaceOpenable;
}

ProbeResult ProbeReleaseVersion(char* out, const char* path)
{
    if (!IsFullyQualifiedPath(path))
        return kProbeNotQualified;
    HANDLE file = OpenToRead(path);
    if (file == INVALID_HANDLE_VALUE)
        return kProbeAbsent;
    FileCloser closer(file);
    // On the stack: a heap block this large costs more than the read.
    char text[kReleaseReadLimit];
    const DWORD size = ReadUpTo(file, text, kReleaseReadLimit);
    const char* end = text + size;
    const size_t prefix = sizeof(kJavaVersionLine) - 1;
    ProbeResult result = kProbeAbsent;
    // Line by line: the name must start its line, so OTHER_JAVA_VERSION= is not taken.
    for (const char* line = text; line < end;) {
        if (static_cast<size_t>(end - line) > prefix && memcmp(line, kJavaVersionLine, prefix) == 0) {
            if (TakeReleaseValue(out, line + prefix, end))
                result = kProbeFound;
            break;
        }
        const char* next = static_cast<const char*>(memchr(line, '\n', end - line));
        if (next == nullptr)
            break;
        line = next + 1;
    }
    return result;
}

ProbeResult ProbeExecutableMachine(const char* path, WORD* machine)
{
    *machine = 0;
    if (!IsFullyQualifiedPath(path))
        return kProbeNotQualified;
    HANDLE file = OpenToRead(path);
    if (file == INVALID_HANDLE_VALUE)
        return kProbeAbsent;
    FileCloser closer(file);
    BYTE dosHeader[64];
    if (ReadUpTo(file, dosHeader, sizeof(dosHeader)) != sizeof(dosHeader) || dosHeader[0] != 'M' ||
        dosHeader[1] != 'Z')
        return kProbeFound;
    DWORD peOffset = 0;
    memcpy(&peOffset, dosHeader + 0x3C, sizeof(peOffset));
    // Beyond 2 GB SetFilePointer would need its high part: no real header lies there.
    if (peOffset > 0x7FFFFFFF ||
        SetFilePointer(file, static_cast<LONG>(peOffset), nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER)
        return kProbeFound;
    BYTE signature[6];
    if (ReadUpTo(file, signature, sizeof(signature)) != sizeof(signature) ||
        memcmp(signature, "PE\0\0", 4) != 0)
        return kProbeFound;
    *machine = static_cast<WORD>(signature[4] | (signature[5] << 8));
    return kProbeFound;
}

ProbeResult ListSubfolders(const char* dir, FolderVisitor visit, void* context)
{
    if (!IsFullyQualifiedPath(dir))
        return kProbeNotQualified;
    char pattern[kTextBufferSize];
    if (!MakePath(pattern, dir, "*"))
        return kProbeAbsent;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return kProbeAbsent;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
            strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        visit(found.cFileName, context);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return kProbeFound;
}
