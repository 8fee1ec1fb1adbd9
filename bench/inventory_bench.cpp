// Inventory benchmark: TakeJavaInventory (explain's and list --all's search of every Java
// home) for N = 10 to 10,000 homes spread over its sources, against a floor loop that only
// makes the registry reads and file probes that such a search must make: every place of the
// registry table read, each home's launchers tested, its release file and its launcher's PE
// header read. Prints medians; it judges nothing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/inventory_floor.h"
#include "discovery/java_inventory.h"
#include "discovery/probes.h"

namespace {

const char kRoot[] = "C:\\jib";
const char kFolder[] = "C:\\Program Files\\Java";  // ProgramFiles, or ProgramW6432 under WOW64

struct Size {
    int homes;
    int runs;
};
const Size kSizes[] = {{10, 31}, {100, 21}, {1000, 7}, {10000, 3}};

std::string g_path;  // PATH as the benchmark's entries extend it

// Home i, over the sources by i % 10: three Temurin MSIs, two Zulu, one per-user Temurin,
// one JavaSoft\JDK, one on PATH, two unzipped in Program Files\Java.
bool SeedHome(int i)
{
    char name[32];
    wsprintfA(name, "%05d", i);
    const int kind = i % 10;
    if (kind >= 8) {
        return MakeHome(std::string(kFolder) + "\\jdk-" + name);
    }
    const std::string home = std::string(kRoot) + "\\h" + name;
    if (!MakeHome(home))
        return false;
    switch (kind) {
    case 0:
    case 1:
    case 2:
        return SeedHomeValue(HKEY_LOCAL_MACHINE,
                             std::string("SOFTWARE\\Eclipse Adoptium\\JDK\\") + name +
                                 "\\hotspot\\MSI",
                             "Path", home);
    case 3:
    case 4:
        return SeedHomeValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Azul Systems\\Zulu\\zulu-") + name,
                             "InstallationPath", home);
    case 5:
        return SeedHomeValue(HKEY_CURRENT_USER,
                             std::string("SOFTWARE\\Eclipse Adoptium\\JDK\\") + name +
                                 "\\hotspot\\MSI",
                             "Path", home);
    case 6:
        return SeedHomeValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\JavaSoft\\JDK\\") + name,
                             "JavaHome", home);
    default:
        g_path += ";" + home + "\\bin";
        SetEnvironment("PATH", g_path.c_str());
        return true;
    }
}

double TimeInventory(int* count)
{
    JavaInventory inventory;
    const double start = NowMs();
    TakeJavaInventory(nullptr, &inventory);
    const double elapsed = NowMs() - start;
    *count = static_cast<int>(inventory.homes.size());
    return elapsed;
}

double TimeFloor(int* count)
{
    const double start = NowMs();
    *count = InventoryFloor();
    return NowMs() - start;
}

void RemoveAll()
{
    ClearMachine();
    RemoveTree(kRoot);
}

int Fail(const char* what)
{
    fprintf(stderr, "inventory_bench: %s\n", what);
    RemoveAll();
    return 1;
}

}  // namespace

// An argument, when given, is the largest N to run (for a quick look).
int main(int argc, char** argv)
{
    const int largest = argc > 1 ? atoi(argv[1]) : 10000;
    setvbuf(stdout, nullptr, _IONBF, 0);
    RemoveAll();  // leftovers of an interrupted run
    g_path = EnvironmentValue("PATH");
    // JAVA_HOME names one home more than N.
    const std::string javaHome = std::string(kRoot) + "\\javahome";
    if (!MakeHome(javaHome))
        return Fail("cannot make JAVA_HOME's home");
    SetEnvironment("JAVA_HOME", javaHome.c_str());

    printf("Inventory: TakeJavaInventory vs the floor (registry reads and file probes only);\n"
           "N homes over the sources (3/10 Temurin MSI, 2/10 Zulu, 1/10 per-user Temurin,\n"
           "1/10 JavaSoft\\JDK, 1/10 PATH, 2/10 Program Files\\Java) + JAVA_HOME's;\n"
           "median of the runs; peak memory of this process\n\n");
    printf("%7s %5s %12s %10s %10s %10s %6s %12s\n", "N", "runs", "inventory", "per home",
           "floor", "per home", "ratio", "peak WS");
    printf("%7s %5s %12s %10s %10s %10s %6s %12s\n", "", "", "ms", "us", "ms", "us", "", "KiB");

    double installMs = 0.0;
    int seeded = 0;
    for (const Size& size : kSizes) {
        if (size.homes > largest)
            break;
        const double installStart = NowMs();
        for (; seeded < size.homes; ++seeded) {
            if (!SeedHome(seeded))
                return Fail("cannot seed a home");
        }
        installMs += NowMs() - installStart;
        const int expected = size.homes + 1;
        int count = 0;
        TimeInventory(&count);
        TimeFloor(&count);
        std::vector<double> inventory;
        std::vector<double> floor;
        for (int run = 0; run < size.runs; ++run) {
            inventory.push_back(TimeInventory(&count));
            if (count != expected) {
                fprintf(stderr, "inventory found %d of %d homes\n", count, expected);
                return Fail("wrong count");
            }
            floor.push_back(TimeFloor(&count));
            if (count != expected) {
                fprintf(stderr, "floor found %d of %d homes\n", count, expected);
                return Fail("wrong count");
            }
        }
        const double inventoryMs = Median(inventory);
        const double floorMs = Median(floor);
        PeakMemory peak = {0, 0};
        ReadPeakMemory(GetCurrentProcess(), &peak);
        printf("%7d %5d %12.3f %10.2f %10.3f %10.2f %6.2f %12lu\n", size.homes, size.runs,
               inventoryMs, inventoryMs * 1000.0 / expected, floorMs,
               floorMs * 1000.0 / expected, inventoryMs / floorMs,
               static_cast<unsigned long>(peak.workingSet / 1024));
    }
    printf("\nper home: per home found (N + 1). Targets: per home flat from N = 100 to 10000;\n"
           "ratio (inventory / floor) <= 1.30.\n");
    const double removeStart = NowMs();
    RemoveAll();
    printf("%d homes (keys, variables, directories, files) made in %.1f s, removed in %.1f s\n",
           seeded, installMs / 1000.0, (NowMs() - removeStart) / 1000.0);
    return 0;
}
