// Path, file and version probes: the only code that calls OpenFile and the version API.
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

ProbeResult ProbeFileVersion(char* out, const char* path)
{
    // The version API searches for a relative path as the loader does.
    if (!IsFullyQualifiedPath(path))
        return kProbeNotQualified;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return kProbeAbsent;
    void* block = malloc(size);
    if (block == nullptr)
        return kProbeAbsent;
    if (!GetFileVersionInfoA(path, 0, size, block)) {
        free(block);
        return kProbeAbsent;
    }
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    // A block shorter than the whole structure is damaged; reading it would run past its end.
    if (!VerQueryValueA(block, "\\", reinterpret_cast<void**>(&info), &length) || info == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO)) {
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
