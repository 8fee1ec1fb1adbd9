// Explain benchmark: `JreSelectCli explain` (stdout to a file) on machines with L registrations in
// the list's own key (JavaSoft\Java Runtime Environment) and U more, half under JavaSoft\JDK
// and half under the vendors' keys, L = U from 100 to 10,000. Each registration's time is
// the run's time less that of the same installation without registrations (the process
// start), divided by L + U; it is held against the floor, the registry reads and file probes
// that such a run must make: the list key's subkeys read and their launchers tested, then
// the search of every Java home's reads and probes (bench/inventory_floor.h). Prints medians;
// it judges nothing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/inventory_floor.h"

namespace {

const char kRoot[] = "C:\\jeb";
const char kOutput[] = "C:\\jeb\\explain.txt";
const char kListKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";

struct Size {
    int registrations;  // L, and U as many
    int runs;
};
const Size kSizes[] = {{100, 9}, {1000, 5}, {10000, 3}};
const DWORD kTimeLimitMs = 30 * 60 * 1000;

// Registration i of U: under JavaSoft\JDK when even, else a Temurin MSI or a Zulu key; its
// home at most 100 to a directory (Wine slows on crowded ones).
bool SeedOther(int i)
{
    char name[32];
    char home[64];
    wsprintfA(name, "21.0.%05d", i);
    wsprintfA(home, "%s\\%03d\\jdk%05d", kRoot, i / 100, i);
    if (!MakeHome(home))
        return false;
    if (i % 2 == 0)
        return SeedHomeValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\JavaSoft\\JDK\\") + name,
                             "JavaHome", home);
    if (i % 4 == 1)
        return SeedHomeValue(HKEY_LOCAL_MACHINE,
                             std::string("SOFTWARE\\Eclipse Adoptium\\JDK\\") + name +
                                 "\\hotspot\\MSI",
                             "Path", home);
    return SeedHomeValue(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\Azul Systems\\Zulu\\zulu-") + name,
                         "InstallationPath", home);
}

// One run of explain, its output written to a file as `explain > file` does (Wine makes each
// write to NUL a round trip to its server, which Windows does not); a negative time when it
// could not be run or did not end with exit code 0.
double TimeExplain()
{
    static const std::string program = ProgramPath("JreSelectCli.exe");
    std::string commandLine = "\"" + program + "\" explain";
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileA(kOutput, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                0, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return -1.0;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process;
    const double start = NowMs();
    const BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                        DETACHED_PROCESS, nullptr, nullptr, &startup, &process);
    CloseHandle(output);
    if (!started) {
        fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        return -1.0;
    }
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, kTimeLimitMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    const double elapsed = NowMs() - start;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (exitCode != 0)
        fprintf(stderr, "explain ended with exit code %lu\n", exitCode);
    return exitCode == 0 ? elapsed : -1.0;
}

bool LauncherExists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The list's reads and probes: each subkey of the list key, its JavaHome, its launcher.
int ListFloor()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kListKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    int found = 0;
    char name[MAX_PATH];
    for (DWORD index = 0; RegEnumKeyA(key, index, name, MAX_PATH) == ERROR_SUCCESS; ++index) {
        HKEY runtime;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &runtime) != ERROR_SUCCESS)
            continue;
        char home[MAX_PATH];
        DWORD size = sizeof(home) - 1;
        DWORD type = 0;
        const LONG status = RegQueryValueExA(runtime, "JavaHome", nullptr, &type,
                                             reinterpret_cast<BYTE*>(home), &size);
        RegCloseKey(runtime);
        if (status != ERROR_SUCCESS)
            continue;
        home[size] = '\0';
        char launcher[MAX_PATH];
        wsprintfA(launcher, "%s\\bin\\javaw.exe", home);
        found += LauncherExists(launcher) ? 1 : 0;
    }
    RegCloseKey(key);
    return found;
}

double TimeFloor(int* found)
{
    const double start = NowMs();
    *found = ListFloor() + InventoryFloor();
    return NowMs() - start;
}

void RemoveAll()
{
    ClearMachine();
    RemoveInstallation();
    RemoveTree(kRoot);
}

int Fail(const char* what)
{
    fprintf(stderr, "explain_bench: %s\n", what);
    RemoveAll();
    return 1;
}

}  // namespace

// An argument, when given, is the largest L to run (for a quick look).
int main(int argc, char** argv)
{
    const int largest = argc > 1 ? atoi(argv[1]) : 10000;
    setvbuf(stdout, nullptr, _IONBF, 0);
    RemoveAll();  // leftovers of an interrupted run
    if (!SeedInstallation() || !MakeDirectories(kRoot))
        return Fail("cannot seed the installation");

    printf("Explain: JreSelectCli explain, L registrations in the list's key and U = L under\n"
           "JavaSoft\\JDK (1/2), Temurin MSI (1/4) and Zulu (1/4) keys; per registration = (run -\n"
           "run without registrations) / (L + U), against the floor (reads and probes only);\n"
           "medians\n\n");
    std::vector<double> empty;
    for (int run = 0; run < 9; ++run) {
        const double ms = TimeExplain();
        if (ms < 0)
            return Fail("explain failed without registrations");
        empty.push_back(ms);
    }
    const double emptyMs = Median(empty);
    printf("without registrations: %.1f ms (median of 9)\n\n", emptyMs);
    printf("%7s %7s %5s %12s %10s %10s %10s %6s\n", "L", "U", "runs", "explain", "per reg",
           "floor", "per reg", "ratio");
    printf("%7s %7s %5s %12s %10s %10s %10s %6s\n", "", "", "", "ms", "us", "ms", "us", "");

    double installMs = 0.0;
    int seeded = 0;
    for (const Size& size : kSizes) {
        if (size.registrations > largest)
            break;
        const double installStart = NowMs();
        if (!SeedRegisteredRuntimes(seeded, size.registrations - seeded))
            return Fail("cannot seed the list's registrations");
        for (int i = seeded; i < size.registrations; ++i) {
            if (!SeedOther(i))
                return Fail("cannot seed a registration");
        }
        seeded = size.registrations;
        installMs += NowMs() - installStart;

        const int registrations = 2 * size.registrations;
        int found = 0;
        TimeFloor(&found);
        if (found < registrations) {
            fprintf(stderr, "the floor found %d of %d launchers\n", found, registrations);
            return Fail("wrong count");
        }
        std::vector<double> explain;
        std::vector<double> floor;
        for (int run = 0; run < size.runs; ++run) {
            const double ms = TimeExplain();
            if (ms < 0)
                return Fail("explain failed");
            explain.push_back(ms);
            floor.push_back(TimeFloor(&found));
        }
        const double explainMs = Median(explain) - emptyMs;
        const double floorMs = Median(floor);
        printf("%7d %7d %5d %12.1f %10.2f %10.1f %10.2f %6.2f\n", size.registrations,
               size.registrations, size.runs, Median(explain),
               explainMs * 1000.0 / registrations, floorMs, floorMs * 1000.0 / registrations,
               explainMs / floorMs);
    }
    printf("\nexplain's column is the whole run; per reg less the run without registrations.\n"
           "Targets: per registration flat from L = U = 100 to 10000 (within 1.3x); ratio\n"
           "(explain less the empty run / floor) <= 1.30.\n");
    const double removeStart = NowMs();
    RemoveAll();
    printf("%d + %d registrations made in %.1f s, removed in %.1f s\n", seeded, seeded,
           installMs / 1000.0, (NowMs() - removeStart) / 1000.0);
    return 0;
}
