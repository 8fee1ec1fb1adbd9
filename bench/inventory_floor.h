// The floor of the search of every Java home: only the registry reads and file probes that
// such a search must make (every place of the registry table read, each home's launchers
// tested, its release file and its launcher's PE header read), nothing kept. Shared by the
// benchmarks that hold the inventory and explain against it.
#pragma once

#include <string>

// A home with bin\javaw.exe (an x64 PE header) and a release file of Java 17.
bool MakeHome(const std::string& home);

// The homes that the floor found with a launcher.
int InventoryFloor();
