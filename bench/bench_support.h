// What the benchmarks share: a clock, medians, peak memory, and a scratch installation
// (the product with its bundled runtime, registered runtimes, the Microsoft VM) that they
// seed with the tests' words (tests/support/machine.h) in the prefix they run in and remove
// at the end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/machine.h"

// Milliseconds from QueryPerformanceCounter.
double NowMs();
double Median(std::vector<double> values);
double Minimum(const std::vector<double>& values);

struct PeakMemory {
    SIZE_T workingSet;  // PeakWorkingSetSize
    SIZE_T pagefile;    // PeakPagefileUsage
};
// False when the figures cannot be read; process needs PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
bool ReadPeakMemory(HANDLE process, PeakMemory* peak);

// A program in the benchmark's own folder.
std::string ProgramPath(const char* name);

extern const char kBenchRoot[];  // C:\jrebench: every file the benchmarks make

// The product key with "home" and "starter" naming the bundled runtime's javaw.exe, which is
// made, and the Microsoft VM with the 5.0.0.381 fixture in the Windows directory. False on
// the first step that fails.
bool SeedInstallation();
// Registered runtimes first .. first+count-1: a subkey each with "JavaHome" naming a
// directory whose bin\ holds an empty javaw.exe.
bool SeedRegisteredRuntimes(int first, int count);
// Removes every key and file that the functions above made.
void RemoveInstallation();
