// No DLL planted beside the programs runs in them. Windows looks for a DLL that is not on
// its KnownDLLs list in the program's own folder first; the programs therefore import
// nothing else, load version.dll by its full path in the system directory, and restrict
// the search before user32 loads uxtheme.dll by name. Each case copies the programs into a
// folder that holds a planted uxtheme.dll and version.dll (fixtures whose DllMain notes the
// process in a marker file beside them) and starts them there. The Wine session runs with
// WINEDLLOVERRIDES=version,uxtheme=n,b (tests.cmake), so that Wine, too, looks in the
// program's folder first for these two, as Windows does.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "e2e/session.h"
#include "support/machine.h"
#include "support/machine_test.h"
#include "support/planted_dlls.h"

namespace {

const char kDialogProgram[] = "JreSelect.exe";
const char kCliProgram[] = "JreSelectCli.exe";
const char kControlProgram[] = "plain_importer.exe";
const char kPreloadProgram[] = "preload_probe.exe";

const char kBundledItem[] = "Bundled Java Runtime Environment";
// Its version is read through version.dll: the planted copy answers every call with nothing.
const char kMicrosoftItem[] = "Microsoft Java Runtime Environment (5.0.0.381)";

// The machine, and the planted folder with copies of both programs and of the fixtures.
void SeedPlantedMachine()
{
    SeedProduct(kProductHome, kBundledLauncher);
    MakeLauncher(kBundledLauncher);
    SeedMicrosoftVm("wjview_5_0_0_381");
    EXPECT_TRUE(MakePlantedFolder({kProgramPath, kCliPath, FixturePath("plain_importer"),
                                   FixturePath("preload_probe")}))
        << "copying the programs and DLLs into " << kPlantedFolder;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

class PlantingTest : public MachineTest {
protected:
    void SetUp() override
    {
        MachineTest::SetUp();
        SeedPlantedMachine();
    }
};

TEST_F(PlantingTest, ConsoleProgramLoadsNoPlantedUxthemeAndStillReadsVersions)
{
    const CliRun run = RunCli("list", PlantedCopy(kCliProgram));
    EXPECT_EQ(0u, run.exitCode) << run.err;
    const std::vector<ListedRuntime> expected = {
        {true, 0, kBundledItem, kBundledLauncher},
        {false, 1, kMicrosoftItem, kWindowsWjview},
    };
    EXPECT_EQ(Describe(expected), Describe(ParseListOutput(run.out)));
    EXPECT_EQ("", PlantedLoads("uxtheme"));
}

TEST_F(PlantingTest, DialogLoadsNoPlantedUxthemeAndStillReadsVersions)
{
    const std::string program = PlantedCopy(kDialogProgram);
    // The session clears the machine and seeds it again, planted folder included.
    RunSession({"started from the planted folder", SeedPlantedMachine,
                {kBundledItem, kMicrosoftItem}, 0, -1, kEndCancel, nullptr, nullptr},
               program.c_str());
    EXPECT_EQ("", PlantedLoads("uxtheme"));
}

// The set-up can show the fault: a program that loads DLLs the plain way gets both planted
// copies. Only uxtheme.dll's marker can tell our programs apart from it under Wine: Wine's
// own user32 imports version.dll, so Wine loads a planted version.dll into every process
// that uses user32, ours included, before any of its code runs. Windows' user32 does not
// import version.dll; there only a program's own import brings it in. That our programs do
// not use the planted copy is shown above by the version they still read.
TEST_F(PlantingTest, ControlProgramThatImportsVersionPlainlyLoadsBoth)
{
    const std::string program = PlantedCopy(kControlProgram);
    const CliRun run = RunCli("", program);
    EXPECT_EQ(0u, run.exitCode);
    for (const char* dll : {"uxtheme", "version"}) {
        SCOPED_TRACE(dll);
        EXPECT_NE(std::string::npos, Lower(PlantedLoads(dll)).find(Lower(program)))
            << "loaded by: [" << PlantedLoads(dll) << "]";
    }
}

// Windows without SetDefaultDllDirectories (XP, Vista, 7 without its update): the programs
// load the DLLs that Windows' own DLLs load by name from the system directory first, so
// that user32's later load of uxtheme.dll by name gets that copy.
// The system's copies of a DLL: in the system directory, and for a 32-bit process under
// WOW64 also in SysWOW64, the name under which Windows (and Wine) may report that copy.
std::vector<std::string> SystemCopies(const char* name)
{
    std::vector<std::string> copies;
    char dir[MAX_PATH];
    if (GetSystemDirectoryA(dir, MAX_PATH) != 0)
        copies.push_back(Lower(std::string(dir) + "\\" + name));
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64 &&
        GetSystemWow64DirectoryA(dir, MAX_PATH) != 0)
        copies.push_back(Lower(std::string(dir) + "\\" + name));
    return copies;
}

TEST_F(PlantingTest, PreloadMakesALoadByNameFindTheSystemCopy)
{
    const std::string program = PlantedCopy(kPreloadProgram);
    struct {
        const char* name;
        const char* arguments;
        std::vector<std::string> loaded;  // the copy that the load by name must get
        bool plantedRuns;
    } const cases[] = {
        {"preloaded", "", SystemCopies("uxtheme.dll"), false},
        // The control: without the preload the same load gets the planted copy.
        {"without the preload", "--without-preload",
         {Lower(std::string(kPlantedFolder) + "\\uxtheme.dll")}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA((std::string(kPlantedFolder) + "\\uxtheme.loaded").c_str());
        const CliRun run = RunCli(c.arguments, program);
        EXPECT_EQ(0u, run.exitCode) << run.out;
        const std::string got = Lower(run.out);
        bool expected = false;
        for (const std::string& copy : c.loaded)
            expected = expected || got == copy + "\n";
        EXPECT_TRUE(expected) << "the load by name got " << run.out;
        EXPECT_EQ(c.plantedRuns, PlantedLoads("uxtheme") != "");
    }
}

// The system directory's version.dll replaced, while it lives, by one without the ANSI
// functions that the version probe takes (Wine's user32 still finds its Unicode ones, and
// the session's version=n,b load order takes the file as it is). The files there are
// renamed, never written into: the prefix's system files are links shared with its
// template. The stand-in is renamed away, not deleted: a process that the Wine session
// started meanwhile (its desktop, explorer.exe) may keep it mapped, and a mapped DLL cannot
// be deleted.
class SystemVersionDllReplaced {
public:
    SystemVersionDllReplaced()
    {
        char systemDir[MAX_PATH];
        GetSystemDirectoryA(systemDir, MAX_PATH);
        dll_ = std::string(systemDir) + "\\version.dll";
        saved_ = dll_ + ".saved";
        const std::string wideOnly =
            std::string(JRESELECT_FIXTURES_DIR_W) + "\\wide_only\\version.dll";
        replaced_ = MoveFileA(dll_.c_str(), saved_.c_str()) &&
                    CopyFileA(wideOnly.c_str(), dll_.c_str(), TRUE);
    }
    ~SystemVersionDllReplaced() { Restore(); }
    SystemVersionDllReplaced(const SystemVersionDllReplaced&) = delete;
    SystemVersionDllReplaced& operator=(const SystemVersionDllReplaced&) = delete;

    bool replaced() const { return replaced_; }
    // The system's own version.dll back in its place; true when it is.
    bool Restore()
    {
        if (GetFileAttributesA(saved_.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;  // never moved, or restored already
        // A name of its own each time: an earlier stand-in may still be mapped under its name.
        const std::string away = dll_ + ".wide-only." + std::to_string(GetTickCount());
        MoveFileA(dll_.c_str(), away.c_str());
        return MoveFileA(saved_.c_str(), dll_.c_str()) != 0;
    }

private:
    std::string dll_;
    std::string saved_;
    bool replaced_;
};

// Without the version functions a file has no version, and the console program says why.
TEST_F(PlantingTest, WithoutTheVersionFunctionsExplainSaysWhy)
{
    SystemVersionDllReplaced wideOnly;
    ASSERT_TRUE(wideOnly.replaced()) << "replacing the system directory's version.dll";
    const CliRun explain = RunCli("explain");
    EXPECT_EQ(0u, explain.exitCode) << explain.err;
    const char why[] = ": not read, the version functions of version.dll in the system directory "
                       "could not be loaded";
    ExpectLinesInOrder(explain.out,
                       {"Microsoft virtual machine, key SOFTWARE\\Microsoft\\Java VM:",
                        "  left out: the version of wjview.exe could not be read",
                        std::string("      tried C:\\windows\\wjview.exe") + why,
                        std::string("      tried C:\\windows\\system32\\wjview.exe") + why});
    // The program's own version is read the same way.
    const CliRun version = RunCli("--version");
    EXPECT_EQ(4u, version.exitCode);
    EXPECT_EQ("Cannot read the version resource.\n", version.err);
    EXPECT_TRUE(wideOnly.Restore()) << "putting the system's version.dll back";
}

}  // namespace
