// A folder that holds DLLs planted beside programs (the fixtures uxtheme.dll and version.dll,
// each of which notes every process that loads it) and copies of programs to start from
// there. Wine looks beside a program first only for DLLs that the Wine session's
// WINEDLLOVERRIDES names "n,b" (JRESELECT_DLL_OVERRIDES in tests.cmake).
#pragma once

#include <string>
#include <vector>

// Below kCaseRoot, so that ClearMachine removes it.
extern const char kPlantedFolder[];

// The folder with both planted DLLs and copies of programs (full paths) in it. The DLLs come
// from this build's fixtures, or from another build's fixtures folder (the 32-bit one, for
// 32-bit programs).
bool MakePlantedFolder(const std::vector<std::string>& programs,
                       const std::string& fixturesDir = JRESELECT_FIXTURES_DIR_W);
// kPlantedFolder\NAME: where a program copied by MakePlantedFolder is.
std::string PlantedCopy(const std::string& program);
// The programs that loaded the planted dll ("uxtheme", "version"), one path a line; empty
// when none did.
std::string PlantedLoads(const char* dll);
