// What the benchmarks share: a clock, medians, peak memory, and a scratch installation
// (the product with its bundled runtime, registered runtimes, the Microsoft VM) that they
// make in the prefix they run in and remove at the end.
#pragma once

#include <windows.h>

#include <vector>

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

// Fixed texts of the scratch installation.
extern const char kBenchRoot[];          // C:\jrebench: every file the benchmarks make
extern const char kBenchJavaSoftKey[];   // SOFTWARE\JavaSoft\Java Runtime Environment

// The product key with "home" and "starter" (the bundled runtime), and the bundled
// runtime's jre\bin\javaw.exe. False on the first step that fails.
bool InstallProduct();
// The Microsoft VM's key and a copy of the 5.0.0.381 fixture as C:\windows\wjview.exe.
bool InstallMicrosoftVm();
// Registered runtimes first .. first+count-1: a subkey each with "JavaHome" naming a
// directory whose bin\ holds an empty javaw.exe. Files that exist already are kept.
bool InstallRegisteredRuntimes(int first, int count);
// Removes the JavaSoft key and every runtime registered under it (the files stay).
void RemoveRegisteredRuntimes();
// Removes every key and file that the functions above made.
void RemoveInstallation();
