// The planted-DLL folder.
#include "support/planted_dlls.h"

#include <windows.h>

#include "support/machine.h"

const char kPlantedFolder[] = "C:\\jt\\planted";

namespace {

const char* const kPlantedDlls[] = {"uxtheme", "version"};

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool MakePlantedFolder(const std::vector<std::string>& programs, const std::string& fixturesDir)
{
    if (!MakeDirectories(kPlantedFolder))
        return false;
    std::vector<std::pair<std::string, std::string>> copies;
    for (const char* dll : kPlantedDlls) {
        copies.push_back({fixturesDir + "\\planted\\" + dll + ".dll",
                          std::string(kPlantedFolder) + "\\" + dll + ".dll"});
    }
    for (const std::string& program : programs)
        copies.push_back({program, PlantedCopy(BaseName(program))});
    for (const auto& copy : copies) {
        if (!CopyFileA(copy.first.c_str(), copy.second.c_str(), FALSE))
            return false;
    }
    return true;
}

std::string PlantedCopy(const std::string& program)
{
    return std::string(kPlantedFolder) + "\\" + program;
}

std::string PlantedLoads(const char* dll)
{
    const std::string marker = std::string(kPlantedFolder) + "\\" + dll + ".loaded";
    std::string loads;
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return loads;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        loads.append(buffer, got);
    CloseHandle(file);
    return loads;
}
