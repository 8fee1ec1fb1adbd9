// The inventory of Java homes (TakeJavaInventory) over Wine's registry, environment and
// files: one case per source in the hive and view its installer uses, a home named by
// several sources, a home the list offers, the javapath folder, paths never looked at, and
// bad input. In every configuration.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "discovery/java_inventory.h"
#include "discovery/probes.h"
#include "discovery/runtime_discovery.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"
#include "settings/registry.h"
#include "support/list_window.h"
#include "support/machine_test.h"

namespace {

const std::string kRoot = "C:\\jt\\inv";

// The view a registration made in `seeded` is read in, as the inventory reports it: the
// other view's flag, or 0 when that is the program's own (or the only one).
REGSAM ReportedView(REGSAM seeded)
{
    return seeded != kOwnView && seeded == OtherRegistryView() ? seeded : 0;
}

class InventoryTest : public MachineTest {
protected:
    // The product with its bundled runtime, so the list is filled as the dialog fills it.
    void SetUp() override
    {
        MachineTest::SetUp();
        // The cases register in the installers' views, the other one included.
        ResetProgramKeys(kView32);
        ResetProgramKeys(kView64);
        SeedProduct(kRoot + "\\q", kRoot + "\\q\\jre\\bin\\javaw.exe");
        MakeLauncher(kRoot + "\\q\\jre\\bin\\javaw.exe");
    }
    void TearDown() override
    {
        RemoveNetworkDrive();
        RemoveShares();
        ReleaseRuntimeList(window_.list());
        MachineTest::TearDown();
        ResetProgramKeys(kView32);
        ResetProgramKeys(kView64);
    }

    const JavaInventory& Take()
    {
        ReleaseRuntimeList(window_.list());
        SendMessageA(window_.list(), LB_RESETCONTENT, 0, 0);
        EXPECT_TRUE(LoadInstallSettings());
        FillRuntimeList(window_.list());
        TakeJavaInventory(window_.list(), &inventory_);
        return inventory_;
    }

    ListWindow window_;
    JavaInventory inventory_;
};

// The home of that path (compared exactly), or null with a failure added.
const InventoryHome* FindHome(const JavaInventory& inventory, const std::string& home)
{
    for (const InventoryHome& h : inventory.homes) {
        if (home == h.home)
            return &h;
    }
    std::string all;
    for (const InventoryHome& h : inventory.homes)
        all += std::string("  [") + h.home + "]\n";
    ADD_FAILURE() << "no home " << home << " among\n" << all;
    return nullptr;
}

// The inventory in a few lines, for a failure's message.
std::string Describe(const JavaInventory& inventory)
{
    std::string text;
    for (const InventoryHome& h : inventory.homes) {
        text += std::string("  [") + h.home + "] reason " + std::to_string(h.reason) + ", " +
                std::to_string(h.sources.size()) + " sources, first " + h.sources[0].where + "\n";
    }
    for (const InventoryPathEntry& e : inventory.pathEntries)
        text += "  PATH entry " + std::to_string(e.pathIndex) + " [" + e.entry + "] reason " +
                std::to_string(e.reason) + "\n";
    for (const InventoryJavapath& j : inventory.javapaths)
        text += std::string("  javapath [") + j.folder + "]\n";
    return text;
}

// ---------------------------------------------------------------------------------------
// One row per source

struct SourceCase {
    const char* name;
    // The registration: a key and value under root in a view; null key for other sources.
    HKEY root;
    const char* key;
    const char* value;
    REGSAM view;
    // Or the environment variable (JAVA_HOME, JDK_HOME, PATH) that names home (PATH: its bin).
    const char* variable;
    std::string home;
    const char* javaw;    // fixture of bin\javaw.exe, or null
    const char* java;     // fixture of bin\java.exe, or null
    const char* release;  // JAVA_VERSION of the release file, or null: none
    // What the inventory must say.
    InventoryArchitecture architecture;
    const char* version;
    InventoryVersionOrigin origin;
    InventorySourceKind kind;
    InventoryReason reason;
    bool needsOtherView;  // only where there is another view
};

const char kTemurinKey[] = "SOFTWARE\\Eclipse Adoptium\\JDK\\17.0.10.7\\hotspot\\MSI";
const std::string kPf = kProgramFiles;

const SourceCase kSourceCases[] = {
    {"Temurin JDK, 64-bit MSI", HKEY_LOCAL_MACHINE, kTemurinKey, "Path", kView64, nullptr,
     kRoot + "\\temurin17", kLauncherX64, kLauncherX64, "17.0.10", kArchX64, "17.0.10",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"Temurin JRE, 32-bit MSI", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\Eclipse Adoptium\\JRE\\8.0.402.6\\hotspot\\MSI", "Path", kView32, nullptr,
     kRoot + "\\temurin8", kLauncherX86, kLauncherX86, "1.8.0_402", kArchX86, "1.8.0_402",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"Eclipse Foundation JDK", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\Eclipse Foundation\\JDK\\16.0.2.7\\hotspot\\MSI", "Path", kView64, nullptr,
     kRoot + "\\ef16", kLauncherX64, kLauncherX64, "16.0.2", kArchX64, "16.0.2",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"Eclipse Foundation JRE", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\Eclipse Foundation\\JRE\\11.0.12.7\\hotspot\\MSI", "Path", kView32, nullptr,
     kRoot + "\\ef11", kLauncherX86, kLauncherX86, "11.0.12", kArchX86, "11.0.12",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"AdoptOpenJDK JDK, OpenJ9", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\AdoptOpenJDK\\JDK\\11.0.11.9\\openj9\\MSI", "Path", kView64, nullptr,
     kRoot + "\\adopt11", kLauncherX64, kLauncherX64, "11.0.11", kArchX64, "11.0.11",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"AdoptOpenJDK JRE", HKEY_LOCAL_MACHINE, "SOFTWARE\\AdoptOpenJDK\\JRE\\8.0.292.10\\hotspot\\MSI",
     "Path", kView32, nullptr, kRoot + "\\adopt8", kLauncherX86, kLauncherX86, nullptr, kArchX86,
     "17.0.10.7", kVersionFromLauncher, kNamedByVendorKey, kReasonVendorKey, false},
    {"IBM Semeru JDK", HKEY_LOCAL_MACHINE, "SOFTWARE\\Semeru\\JDK\\17.0.9.9\\openj9\\MSI", "Path",
     kView64, nullptr, kRoot + "\\semeru17", kLauncherX64, kLauncherX64, "17.0.9", kArchX64,
     "17.0.9", kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"IBM Semeru JRE", HKEY_LOCAL_MACHINE, "SOFTWARE\\Semeru\\JRE\\11.0.21.9\\openj9\\MSI", "Path",
     kView64, nullptr, kRoot + "\\semeru11", kLauncherX64, kLauncherX64, "11.0.21", kArchX64,
     "11.0.21", kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"Microsoft Build of OpenJDK", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\Microsoft\\JDK\\21.0.2.13\\hotspot\\MSI", "Path", kView64, nullptr,
     kRoot + "\\ms21", kLauncherX64, kLauncherX64, "21.0.2", kArchX64, "21.0.2",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"Azul Zulu, 64-bit, no release file", HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-21",
     "InstallationPath", kView64, nullptr, kRoot + "\\zulu21", kLauncherX64, kLauncherX64, nullptr,
     kArchX64, "17.0.10.7", kVersionFromLauncher, kNamedByVendorKey, kReasonVendorKey, false},
    {"Azul Zulu 32-bit MSI", HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu 32-bit\\zulu-8",
     "InstallationPath", kView32, nullptr, kRoot + "\\zulu8", kLauncherX86, kLauncherX86,
     "1.8.0_402", kArchX86, "1.8.0_402", kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey,
     false},
    {"BellSoft Liberica", HKEY_LOCAL_MACHINE, "SOFTWARE\\BellSoft\\Liberica\\jdk-17",
     "InstallationPath", kView64, nullptr, kRoot + "\\liberica17", kLauncherX64, kLauncherX64,
     "17.0.10", kArchX64, "17.0.10", kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey,
     false},
    {"SapMachine", HKEY_LOCAL_MACHINE, "SOFTWARE\\SapMachine\\JDK\\21", "JavaHome", kView64, nullptr,
     kRoot + "\\sap21", kLauncherX64, kLauncherX64, "21.0.2", kArchX64, "21.0.2",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"IBM Java Runtime Environment, java.exe only", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\IBM\\Java Runtime Environment\\1.8.0", "JavaHome", kView32, nullptr,
     kRoot + "\\ibm8", nullptr, kLauncherX86, "1.8.0_391", kArchX86, "1.8.0_391",
     kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"IBM Java2 Runtime Environment", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\IBM\\Java2 Runtime Environment\\1.4.2", "JavaHome", kView32, nullptr,
     kRoot + "\\ibm142", kLauncherX86, nullptr, nullptr, kArchX86, "17.0.10.7",
     kVersionFromLauncher, kNamedByVendorKey, kReasonVendorKey, false},
    {"IBM Java Development Kit", HKEY_LOCAL_MACHINE, "SOFTWARE\\IBM\\Java Development Kit\\1.6.0",
     "JavaHome", kView32, nullptr, kRoot + "\\ibm16", kLauncherX86, kLauncherX86, "1.6.0",
     kArchX86, "1.6.0", kVersionFromRelease, kNamedByVendorKey, kReasonVendorKey, false},
    {"Temurin JDK for the current user", HKEY_CURRENT_USER,
     "SOFTWARE\\Eclipse Adoptium\\JDK\\21.0.2.13\\hotspot\\MSI", "Path", kOwnView, nullptr,
     kRoot + "\\temurin21user", kLauncherX64, kLauncherX64, "21.0.2", kArchX64, "21.0.2",
     kVersionFromRelease, kNamedByUserKey, kReasonPerUser, false},
    {"Corretto 17, JavaSoft\\JDK", HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JDK\\17.0.10", "JavaHome",
     kView64, nullptr, kRoot + "\\corretto17", kLauncherX64, kLauncherX64, "17.0.10", kArchX64,
     "17.0.10", kVersionFromRelease, kNamedByJavaSoftKey, kReasonJavaSoftKey, false},
    {"Oracle JRE 11, JavaSoft\\JRE", HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JRE\\11", "JavaHome",
     kView32, nullptr, kRoot + "\\oracle11", kLauncherX86, kLauncherX86, "11.0.22", kArchX86,
     "11.0.22", kVersionFromRelease, kNamedByJavaSoftKey, kReasonJavaSoftKey, false},
    {"Corretto 8, 64-bit, the list's key in the other view", HKEY_LOCAL_MACHINE,
     "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8", "JavaHome",
     sizeof(void*) == 8 ? kView32 : kView64, nullptr, kRoot + "\\corretto8", kLauncherX64,
     kLauncherX64, "1.8.0_402", kArchX64, "1.8.0_402", kVersionFromRelease,
     kNamedByListKeyOtherView, kReasonOtherView, true},
    {"JAVA_HOME", nullptr, nullptr, nullptr, kOwnView, "JAVA_HOME", kRoot + "\\javahome",
     kLauncherX64, kLauncherX64, "21.0.2", kArchX64, "21.0.2", kVersionFromRelease,
     kNamedByEnvironment, kReasonOnlyEnvironment, false},
    {"JDK_HOME", nullptr, nullptr, nullptr, kOwnView, "JDK_HOME", kRoot + "\\jdkhome", kLauncherX86,
     kLauncherX86, "11.0.22", kArchX86, "11.0.22", kVersionFromRelease, kNamedByEnvironment,
     kReasonOnlyEnvironment, false},
    {"a JDK on PATH only", nullptr, nullptr, nullptr, kOwnView, "PATH", kRoot + "\\pathjdk",
     nullptr, kLauncherX64, "22", kArchX64, "22", kVersionFromRelease, kNamedByPath,
     kReasonOnlyPath, false},
    {"unzipped in Program Files\\Java", nullptr, nullptr, nullptr, kOwnView, nullptr,
     kPf + "\\Java\\jdk-21.0.2", kLauncherX64, kLauncherX64, "21.0.2", kArchX64, "21.0.2",
     kVersionFromRelease, kNamedByFolder, kReasonOnlyFolder, false},
    {"unzipped Microsoft JDK in Program Files\\Microsoft", nullptr, nullptr, nullptr, kOwnView,
     nullptr, kPf + "\\Microsoft\\jdk-17.0.10.7-hotspot", kLauncherX64, kLauncherX64, "17.0.10",
     kArchX64, "17.0.10", kVersionFromRelease, kNamedByFolder, kReasonOnlyFolder, false},
    {"unzipped Zulu in Program Files\\Zulu", nullptr, nullptr, nullptr, kOwnView, nullptr,
     kPf + "\\Zulu\\zulu-17", kLauncherX64, kLauncherX64, "17.0.10", kArchX64, "17.0.10",
     kVersionFromRelease, kNamedByFolder, kReasonOnlyFolder, false},
};

TEST_F(InventoryTest, EachSourceInItsHiveAndView)
{
    const bool otherView = OtherRegistryView() != 0;
    for (const SourceCase& c : kSourceCases) {
        SCOPED_TRACE(c.name);
        if (c.needsOtherView && !otherView)
            continue;
        SetUp();  // a cleared machine with the product
        const std::string release = c.release != nullptr ? ReleaseText(c.release) : "";
        ASSERT_TRUE(MakeJavaHome(c.home, c.javaw, c.java, c.release ? release.c_str() : nullptr));
        std::string where;
        if (c.key != nullptr) {
            ASSERT_TRUE(SeedHomeValue(c.root, c.key, c.value, c.home, c.view));
            where = c.key;
        } else if (c.variable != nullptr && strcmp(c.variable, "PATH") == 0) {
            where = c.home + "\\bin";
            SetEnvironment("PATH", (EnvironmentValue("PATH") + ";" + where).c_str());
        } else if (c.variable != nullptr) {
            SetEnvironment(c.variable, c.home.c_str());
            where = c.variable;
        } else {
            where = c.home.substr(0, c.home.rfind('\\'));
        }

        const JavaInventory& inventory = Take();
        ASSERT_EQ(1u, inventory.homes.size()) << Describe(inventory);
        const InventoryHome& home = inventory.homes[0];
        EXPECT_EQ(c.home, home.home);
        EXPECT_EQ(c.javaw != nullptr ? c.home + "\\bin\\javaw.exe" : "", home.javaw);
        EXPECT_EQ(c.java != nullptr ? c.home + "\\bin\\java.exe" : "", home.java);
        EXPECT_EQ(c.version, std::string(home.version));
        EXPECT_EQ(c.origin, home.versionOrigin);
        EXPECT_EQ(c.architecture, home.architecture);
        EXPECT_EQ(c.reason, home.reason);
        EXPECT_TRUE(home.probed);
        ASSERT_EQ(1u, home.sources.size());
        const InventorySource& source = home.sources[0];
        EXPECT_EQ(c.kind, source.kind);
        EXPECT_EQ(where, source.where);
        if (c.key != nullptr) {
            EXPECT_EQ(c.root == HKEY_CURRENT_USER ? kHiveUser : kHiveMachine, source.hive);
            EXPECT_EQ(c.root == HKEY_CURRENT_USER ? 0 : ReportedView(c.view), source.view);
            EXPECT_STREQ(c.value, source.value);
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), source.valueType);
            EXPECT_NE(nullptr, source.distribution);
        }
        EXPECT_TRUE(inventory.javapaths.empty());
    }
}

// Each row of the inventory's registry table has its case above, under the row's key.
TEST_F(InventoryTest, EveryRegistryRowHasItsCase)
{
    size_t count = 0;
    const InventoryRegistryRow* rows = InventoryRegistryRows(&count);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].key);
        if (rows[i].kind == kNamedByListKey)
            continue;  // the list's own key: offered, or the other view's case
        bool covered = false;
        for (const SourceCase& c : kSourceCases) {
            covered = covered || (c.key != nullptr && strncmp(c.key, rows[i].key, strlen(rows[i].key)) == 0 &&
                                  c.key[strlen(rows[i].key)] == '\\' && strcmp(c.value, rows[i].value) == 0);
        }
        EXPECT_TRUE(covered);
    }
}

// Temurin as its MSI installs it into Program Files, and named four more times: a key with
// a trailing backslash and other letter case, JAVA_HOME in quotes, its bin on PATH. One home.
TEST_F(InventoryTest, OneHomeNamedBySeveralSources)
{
    const std::string home = kPf + "\\Eclipse Adoptium\\jdk-17.0.10.7-hotspot";
    const std::string release = ReleaseText("17.0.10");
    ASSERT_TRUE(MakeJavaHome(home, kLauncherX64, kLauncherX64, release.c_str()));
    SeedHomeValue(HKEY_LOCAL_MACHINE, kTemurinKey, "Path", home + "\\", kView64);
    const DWORD flag = 1;
    SetRawValueIn(HKEY_LOCAL_MACHINE, kTemurinKey, "JavaHome", REG_DWORD, &flag, sizeof(flag),
                  kView64);
    SeedHomeValue(HKEY_CURRENT_USER, "SOFTWARE\\Eclipse Adoptium\\JDK\\17\\hotspot\\MSI", "Path",
                  "c:\\PROGRAM FILES\\eclipse adoptium\\JDK-17.0.10.7-HOTSPOT");
    SetEnvironment("JAVA_HOME", ("\"" + home + "\"").c_str());
    SetEnvironment("PATH", (home + "\\bin\\;" + EnvironmentValue("PATH")).c_str());

    const JavaInventory& inventory = Take();
    ASSERT_EQ(1u, inventory.homes.size()) << Describe(inventory);
    const InventoryHome& found = inventory.homes[0];
    EXPECT_EQ(home, found.home);
    EXPECT_EQ(kReasonVendorKey, found.reason);
    EXPECT_EQ(kArchX64, found.architecture);
    EXPECT_STREQ("17.0.10", found.version);
    ASSERT_EQ(5u, found.sources.size());
    EXPECT_EQ(kNamedByVendorKey, found.sources[0].kind);
    EXPECT_STREQ("Path", found.sources[0].value);
    EXPECT_EQ(kNamedByUserKey, found.sources[1].kind);
    EXPECT_EQ(kNamedByEnvironment, found.sources[2].kind);
    EXPECT_STREQ("JAVA_HOME", found.sources[2].where);
    EXPECT_EQ(kNamedByPath, found.sources[3].kind);
    EXPECT_EQ(home + "\\bin", found.sources[3].where);
    EXPECT_EQ(0, found.sources[3].pathIndex);
    EXPECT_EQ(kNamedByFolder, found.sources[4].kind);
    EXPECT_EQ(kPf + "\\Eclipse Adoptium", found.sources[4].where);
}

// What the list offers is not repeated, whoever else names it; a home the list's key names
// but the search leaves out (java.exe only) is named with that reason.
TEST_F(InventoryTest, HomesTheListOffersAreNotRepeated)
{
    const std::string j8 = kRoot + "\\j8";
    SeedRuntime("1.8", j8);
    MakeJavaHome(j8, kLauncherX86, kLauncherX86);
    SeedRuntime("1.6", kRoot + "\\j6");
    MakeJavaHome(kRoot + "\\j6", nullptr, kLauncherX86);
    SetEnvironment("JAVA_HOME", (kRoot + "\\q\\jre").c_str());
    SetEnvironment("JDK_HOME", "C:\\JT\\INV\\J8\\");
    SetEnvironment("PATH", (EnvironmentValue("PATH") + ";" + j8 + "\\bin").c_str());
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JRE\\1.8", "JavaHome", j8);

    const JavaInventory& inventory = Take();
    ASSERT_EQ(1u, inventory.homes.size()) << Describe(inventory);
    EXPECT_EQ(kRoot + "\\j6", inventory.homes[0].home);
    EXPECT_EQ(kReasonLeftOutBySearch, inventory.homes[0].reason);
    EXPECT_EQ(kNamedByListKey, inventory.homes[0].sources[0].kind);
    // "1.8" by the list's key, JAVA_HOME, JDK_HOME, PATH and JavaSoft\JRE.
    EXPECT_EQ(5, inventory.offeredNamings);
}

// Oracle's javapath folder on PATH holds copies of the launchers: not a home, but named for
// the home that the copies run. Their version resource picks the key (8 and earlier "Java
// Runtime Environment", 9 and later "JRE" then "JDK"), their PE header the registry view.
const std::string kJavapath = kRoot + "\\Common Files\\Oracle\\Java\\javapath";
const std::string kJre21 = kRoot + "\\jre-21";
const std::string kJdk22 = kRoot + "\\jdk-22";
const std::string kJre11X86 = kRoot + "\\jre-11-x86";
const std::string kJ8 = kRoot + "\\j8";
// Copies of Java 8's launchers: a file version of 8.0.3010.9, of the build's architecture.
const char kJavapath8[] = "javapath_8_0_3010_9";

// key's "CurrentVersion" is version, whose subkey's "JavaHome" is home, in view.
void SeedCurrentVersion(const char* key, const char* version, const std::string& home,
                        REGSAM view = kOwnView)
{
    SetText(key, "CurrentVersion", version, REG_SZ, view);
    SeedHomeValue(HKEY_LOCAL_MACHINE, std::string(key) + "\\" + version, "JavaHome", home, view);
}

// The launcher of 8 and earlier takes only a REG_SZ "CurrentVersion" equal to its own version
// ("1.8"), and a REG_SZ "JavaHome".
void SeedJava8(const char* current, DWORD currentType, DWORD homeType)
{
    SetText(kTestJavaSoftKey, "CurrentVersion", current, currentType);
    SeedRuntime("1.8", kJ8, homeType);
    MakeLauncher(kJ8 + "\\bin\\javaw.exe");
}

TEST_F(InventoryTest, JavapathFollowsTheKeyItsCopiesPick)
{
    struct Row {
        const char* name;
        const char* copy;  // fixture of both copies, or null: plain files without a version
        void (*seed)();
        bool needsOtherView;
        int major;
        const char* key;
        REGSAM seededView;  // the view the key was read in, as seeded
        const char* currentVersion;
        std::string home;
        bool homeOffered;
        JavapathOutcome outcome;
    };
    const Row rows[] = {
        {"copies without a version resource follow no key", nullptr,
         [] {
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JRE", "21", kJre21, kView64);
         },
         false, -1, "", kOwnView, "", "", false, kJavapathNoCopyVersion},
        {"x64 copies of 17 follow JRE's CurrentVersion in the 64-bit view", kLauncherX64,
         [] {
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JRE", "21", kJre21, kView64);
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JDK", "22", kJdk22, kView64);
         },
         false, 17, "SOFTWARE\\JavaSoft\\JRE", kView64, "21", kJre21, false, kJavapathRunsHome},
        {"x64 copies of 17, JDK's CurrentVersion alone", kLauncherX64,
         [] {
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JDK", "22", kJdk22, kView64);
         },
         false, 17, "SOFTWARE\\JavaSoft\\JDK", kView64, "22", kJdk22, false, kJavapathRunsHome},
        {"x86 copies follow the 32-bit view, not the 64-bit one", kLauncherX86,
         [] {
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JRE", "21", kJre21, kView64);
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JRE", "11", kJre11X86, kView32);
         },
         true, 17, "SOFTWARE\\JavaSoft\\JRE", kView32, "11", kJre11X86, false, kJavapathRunsHome},
        {"copies of version 5 follow Java Runtime Environment and refuse its 1.8",
         "wjview_5_0_0_381",
         [] {
             SeedCurrentVersion("SOFTWARE\\JavaSoft\\JRE", "21", kJre21);
             SetText(kTestJavaSoftKey, "CurrentVersion", "1.8");
             SeedRuntime("1.8", kJ8);
             MakeLauncher(kJ8 + "\\bin\\javaw.exe");
         },
         false, 5, kTestJavaSoftKey, kOwnView, "1.8", "", false, kJavapathOtherVersion},
        {"copies of 8 run the home of \"CurrentVersion\" 1.8, which the list offers", kJavapath8,
         [] { SeedJava8("1.8", REG_SZ, REG_SZ); },
         false, 8, kTestJavaSoftKey, kOwnView, "1.8", kJ8, true, kJavapathRunsHome},
        {"copies of 8 refuse a \"CurrentVersion\" of 1.7", kJavapath8,
         [] { SeedJava8("1.7", REG_SZ, REG_SZ); },
         false, 8, kTestJavaSoftKey, kOwnView, "1.7", "", false, kJavapathOtherVersion},
        {"copies of 8 read no REG_EXPAND_SZ \"CurrentVersion\"", kJavapath8,
         [] { SeedJava8("1.8", REG_EXPAND_SZ, REG_SZ); },
         false, 8, kTestJavaSoftKey, kOwnView, "", "", false, kJavapathCurrentVersionNotText},
        {"copies of 8 read no REG_EXPAND_SZ \"JavaHome\"", kJavapath8,
         [] { SeedJava8("1.8", REG_SZ, REG_EXPAND_SZ); },
         false, 8, kTestJavaSoftKey, kOwnView, "1.8", "", false, kJavapathJavaHomeNotText},
        {"no key of those the copies pick has CurrentVersion", kLauncherX64,
         [] {
             SetText(kTestJavaSoftKey, "CurrentVersion", "1.8", REG_SZ, kView64);
             SeedRuntime("1.8", kJ8, REG_SZ, kView64);
         },
         false, 17, "", kView64, "", "", false, kJavapathNoCurrentVersion},
        {"CurrentVersion names a subkey without JavaHome", kLauncherX64,
         [] { SetText("SOFTWARE\\JavaSoft\\JRE", "CurrentVersion", "22", REG_SZ, kView64); },
         false, 17, "SOFTWARE\\JavaSoft\\JRE", kView64, "22", "", false, kJavapathNoJavaHome},
    };
    const bool otherView = OtherRegistryView() != 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.needsOtherView && !otherView)
            continue;
        SetUp();
        ASSERT_TRUE(MakeDirectories(kJavapath));
        for (const char* name : {"\\java.exe", "\\javaw.exe"}) {
            if (row.copy != nullptr)
                ASSERT_TRUE(CopyFileA(FixturePath(row.copy).c_str(), (kJavapath + name).c_str(),
                                      FALSE));
            else
                ASSERT_TRUE(MakeFile(kJavapath + name, "copy"));
        }
        MakeFile(kJavapath + "\\javac.exe", "copy");
        for (const std::string& home : {kJre21, kJdk22, kJre11X86})
            MakeJavaHome(home, kLauncherX64, kLauncherX64);
        SetEnvironment("PATH", (kJavapath + ";" + EnvironmentValue("PATH")).c_str());
        row.seed();

        const JavaInventory& inventory = Take();
        ASSERT_EQ(1u, inventory.javapaths.size()) << Describe(inventory);
        const InventoryJavapath& found = inventory.javapaths[0];
        EXPECT_EQ(kJavapath, found.folder);
        EXPECT_TRUE(found.hasJavaw);
        EXPECT_TRUE(found.hasJava);
        EXPECT_EQ(row.major, found.copyMajor);
        EXPECT_STREQ(row.key, found.key);
        if (row.major >= 0) {
            EXPECT_EQ(ReportedView(row.seededView), found.view);
        }
        EXPECT_STREQ(row.currentVersion, found.currentVersion);
        EXPECT_EQ(row.outcome, found.outcome);
        EXPECT_EQ(row.home, found.home);
        EXPECT_EQ(row.homeOffered, found.homeOffered);
        if (!row.home.empty() && !row.homeOffered) {
            // The home is among the inventory's, named by its registration.
            ASSERT_GE(found.homeIndex, 0);
            EXPECT_EQ(row.home, inventory.homes[found.homeIndex].home);
        } else {
            EXPECT_EQ(-1, found.homeIndex);
        }
    }
}

// Paths that name no fixed local place are named as written and never looked at: the
// home's notes say no file test was made; PATH entries of that kind are told apart, no homes.
TEST_F(InventoryTest, NetworkAndRelativePathsAreNamedNotProbed)
{
    struct Entry {
        const char* text;
        InventoryReason reason;
    };
    const Entry entries[] = {
        {"\\\\server\\share\\jdk\\bin", kReasonNetworkPath},
        {"//server/share/jdk17/bin", kReasonNetworkPath},
        {"\\\\?\\C:\\jt\\inv\\device\\bin", kReasonDevicePath},
        {"jdk\\bin", kReasonNotFullyQualified},
        {"C:jdk\\bin", kReasonNotFullyQualified},
        {"\\jdk\\bin", kReasonNotFullyQualified},
        {"%JAVA_ROOT%\\bin", kReasonUnexpanded},
        {"C:\\jt\\%X%\\bin", kReasonUnexpanded},
    };
    std::string path = EnvironmentValue("PATH");
    for (const Entry& e : entries)
        path += std::string(";") + e.text;
    SetEnvironment("PATH", path.c_str());
    SetEnvironment("JAVA_HOME", "\\\\server\\share\\jdk21");
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-17", "InstallationPath",
                  "\\\\nas\\java\\zulu17");
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\SapMachine\\JDK\\17", "JavaHome", "sapmachine");

    const JavaInventory& inventory = Take();
    const std::vector<Entry> named = {
        {"\\\\nas\\java\\zulu17", kReasonNetworkPath},
        {"sapmachine", kReasonNotFullyQualified},
        {"\\\\server\\share\\jdk21", kReasonNetworkPath},
    };
    ASSERT_EQ(named.size(), inventory.homes.size()) << Describe(inventory);
    for (const Entry& e : named) {
        SCOPED_TRACE(e.text);
        const InventoryHome* home = FindHome(inventory, e.text);
        ASSERT_NE(nullptr, home);
        EXPECT_EQ(e.reason, home->reason);
        EXPECT_FALSE(home->probed);
        EXPECT_EQ(0, home->fileTests);
        EXPECT_STREQ("", home->launcherDir);
        EXPECT_EQ(kArchUnknown, home->architecture);
    }
    // The PATH entries are no homes: each is told with its place in PATH and its reason.
    const size_t count = sizeof(entries) / sizeof(entries[0]);
    ASSERT_EQ(count, inventory.pathEntries.size());
    const int first = inventory.pathEntries[0].pathIndex;
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(entries[i].text);
        const InventoryPathEntry& entry = inventory.pathEntries[i];
        EXPECT_STREQ(entries[i].text, entry.entry);
        EXPECT_EQ(strlen(entries[i].text), entry.length);
        EXPECT_EQ(entries[i].reason, entry.reason);
        EXPECT_EQ(first + static_cast<int>(i), entry.pathIndex);
    }
}

// Every source alike: a home on a share, on a drive mapped to the network or behind a
// device path is named with its reason and never opened, though its launchers are there to
// be found. One row per source, each with each place.
TEST_F(InventoryTest, HomesOnTheNetworkOrADeviceAreNeverOpened)
{
    struct Source {
        const char* name;
        HKEY root;  // a registration: root's key and value in view; else null
        const char* key;
        const char* value;
        REGSAM view;
        const char* variable;  // or JAVA_HOME, JDK_HOME, PATH (the home's bin, or the javapath)
        bool javapath;         // PATH names Oracle's javapath folder there, not a bin
        InventorySourceKind kind;
        bool needsOtherView;
    };
    const REGSAM otherView = sizeof(void*) == 8 ? kView32 : kView64;
    const Source sources[] = {
        {"JavaSoft\\JRE", HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JRE\\21", "JavaHome", kOwnView,
         nullptr, false, kNamedByJavaSoftKey, false},
        {"JavaSoft\\JDK", HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JDK\\17", "JavaHome", kOwnView,
         nullptr, false, kNamedByJavaSoftKey, false},
        {"JavaSoft\\JDK in the other view", HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\JDK\\17",
         "JavaHome", otherView, nullptr, false, kNamedByJavaSoftKey, true},
        {"the list's key in the other view", HKEY_LOCAL_MACHINE,
         "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8", "JavaHome", otherView, nullptr,
         false, kNamedByListKeyOtherView, true},
        {"a vendor's key, HKLM", HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-21",
         "InstallationPath", kOwnView, nullptr, false, kNamedByVendorKey, false},
        {"a vendor's key, HKLM, other view", HKEY_LOCAL_MACHINE, kTemurinKey, "Path", otherView,
         nullptr, false, kNamedByVendorKey, true},
        {"a vendor's key, HKCU", HKEY_CURRENT_USER, kTemurinKey, "Path", kOwnView, nullptr, false,
         kNamedByUserKey, false},
        {"JAVA_HOME", nullptr, nullptr, nullptr, kOwnView, "JAVA_HOME", false, kNamedByEnvironment,
         false},
        {"JDK_HOME", nullptr, nullptr, nullptr, kOwnView, "JDK_HOME", false, kNamedByEnvironment,
         false},
        {"PATH", nullptr, nullptr, nullptr, kOwnView, "PATH", false, kNamedByPath, false},
        {"the javapath folder on PATH", nullptr, nullptr, nullptr, kOwnView, "PATH", true,
         kNamedByPath, false},
    };
    // Where the home is named, and the local folder that holds its files.
    struct Place {
        const char* name;
        std::string home;
        std::string files;
        InventoryReason reason;
    };
    const std::string netDrive = kRoot + "\\netdrive";
    ASSERT_TRUE(DefineNetworkDrive(netDrive));
    const char driveRoot[] = {static_cast<char>(kNetworkDriveLetter - 'a' + 'A'), ':', '\\', '\0'};
    ASSERT_EQ(static_cast<UINT>(DRIVE_REMOTE), GetDriveTypeA(driveRoot));
    const Place places[] = {
        {"a share", std::string(kTestShare) + "\\jdk", MakeShareFolder("jdk"), kReasonNetworkPath},
        {"a network drive", std::string(driveRoot) + "jdk", netDrive + "\\jdk", kReasonNetworkPath},
        {"a device path", "\\\\?\\" + kRoot + "\\device\\jdk", kRoot + "\\device\\jdk",
         kReasonDevicePath},
        {"a device path with a dot", "\\\\.\\" + kRoot + "\\device\\jdk", kRoot + "\\device\\jdk",
         kReasonDevicePath},
    };
    const bool hasOtherView = OtherRegistryView() != 0;
    for (const Place& place : places) {
        for (const Source& source : sources) {
            SCOPED_TRACE(std::string(source.name) + ", on " + place.name);
            if (source.needsOtherView && !hasOtherView)
                continue;
            SetUp();  // a cleared machine with the product
            ASSERT_FALSE(place.files.empty());
            const std::string javapath = "Common Files\\Oracle\\Java\\javapath";
            ASSERT_TRUE(MakeJavaHome(place.files, kLauncherX64, kLauncherX64,
                                     ReleaseText("21.0.2").c_str()));
            ASSERT_TRUE(MakeFile(place.files + "\\" + javapath + "\\javaw.exe", "copy"));
            // The place is there to be found: what the program names exists.
            const std::string named = source.javapath ? place.home + "\\" + javapath
                                      : source.variable != nullptr && strcmp(source.variable, "PATH") == 0
                                          ? place.home + "\\bin"
                                          : place.home;
            const std::string launcher =
                source.javapath ? named + "\\javaw.exe" : place.home + "\\bin\\javaw.exe";
            ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(launcher.c_str())) << launcher;
            if (source.key != nullptr) {
                ASSERT_TRUE(SeedHomeValue(source.root, source.key, source.value, named, source.view));
            } else if (strcmp(source.variable, "PATH") == 0) {
                SetEnvironment("PATH", (named + ";" + EnvironmentValue("PATH")).c_str());
            } else {
                SetEnvironment(source.variable, named.c_str());
            }

            const JavaInventory& inventory = Take();
            EXPECT_TRUE(inventory.javapaths.empty());
            if (source.kind == kNamedByPath) {
                // A PATH entry is no home: told with its reason, never opened.
                EXPECT_TRUE(inventory.homes.empty()) << Describe(inventory);
                ASSERT_EQ(1u, inventory.pathEntries.size());
                EXPECT_EQ(named, inventory.pathEntries[0].entry);
                EXPECT_EQ(place.reason, inventory.pathEntries[0].reason);
                EXPECT_EQ(0, inventory.pathEntries[0].pathIndex);
                continue;
            }
            EXPECT_TRUE(inventory.pathEntries.empty());
            ASSERT_EQ(1u, inventory.homes.size()) << Describe(inventory);
            const InventoryHome& home = inventory.homes[0];
            EXPECT_EQ(named, home.home);
            EXPECT_EQ(place.reason, home.reason);
            EXPECT_FALSE(home.probed);
            EXPECT_EQ(0, home.fileTests);
            EXPECT_STREQ("", home.launcherDir);
            EXPECT_STREQ("", home.javaw);
            EXPECT_STREQ("", home.java);
            EXPECT_STREQ("", home.version);
            EXPECT_EQ(kVersionUnknown, home.versionOrigin);
            EXPECT_EQ(kArchUnknown, home.architecture);
            ASSERT_EQ(1u, home.sources.size());
            EXPECT_EQ(source.kind, home.sources[0].kind);
        }
    }
}

// How a home is written: a drive root keeps its backslash ("C:" alone is the drive's current
// directory), other trailing backslashes go; a home named twice has its launchers in its bin,
// whatever a PATH entry naming the home itself holds; a home too long to join with
// bin\javaw.exe is not looked at, and says so.
TEST_F(InventoryTest, HomesAsWrittenAndWhereTheirLaunchersAre)
{
    const std::string jdkA = kRoot + "\\jdkA";
    ASSERT_TRUE(MakeJavaHome(jdkA, kLauncherX64, nullptr, ReleaseText("21.0.2").c_str()));
    const std::string zulu = kRoot + "\\zulu";
    ASSERT_TRUE(MakeJavaHome(zulu, kLauncherX64, nullptr));
    ASSERT_TRUE(MakeFile(zulu + "\\java.exe"));
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu\\zulu-21", "InstallationPath",
                  zulu);
    const std::string longHome = kRoot + "\\" + std::string(259 - kRoot.size() - 1, 'x');
    ASSERT_EQ(259u, longHome.size());
    SetEnvironment("JAVA_HOME", "C:\\");
    SetEnvironment("JDK_HOME", longHome.c_str());
    SetEnvironment("PATH",
                   (EnvironmentValue("PATH") + ";" + jdkA + "\\bin\\\\;" + zulu).c_str());

    struct Expected {
        const char* name;
        std::string home;
        InventoryReason reason;
        bool probed;
        std::string launcherDir;
        std::string javaw;
        const char* version;
    };
    const Expected rows[] = {
        {"zulu registered, and on PATH with java.exe beside bin", zulu, kReasonVendorKey, true,
         zulu + "\\bin", zulu + "\\bin\\javaw.exe", "17.0.10.7"},  // the fixture's resource
        {"JAVA_HOME C:\\, the drive root", "C:\\", kReasonNoLauncher, true, "C:\\bin", "", ""},
        {"JDK_HOME of 259 characters", longHome, kReasonLauncherTooLong, false, "", "", ""},
        {"PATH entry with two trailing backslashes", jdkA, kReasonOnlyPath, true, jdkA + "\\bin",
         jdkA + "\\bin\\javaw.exe", "21.0.2"},
    };
    const JavaInventory& inventory = Take();
    EXPECT_EQ(sizeof(rows) / sizeof(rows[0]), inventory.homes.size()) << Describe(inventory);
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.name);
        const InventoryHome* home = FindHome(inventory, row.home);
        if (home == nullptr)
            continue;
        EXPECT_EQ(row.reason, home->reason);
        EXPECT_EQ(row.probed, home->probed);
        if (!row.probed) {
            EXPECT_EQ(0, home->fileTests);
        }
        EXPECT_EQ(row.launcherDir, home->launcherDir);
        EXPECT_EQ(row.javaw, home->javaw);
        EXPECT_STREQ("", home->java);
        EXPECT_STREQ(row.version, home->version);
    }
}

// ---------------------------------------------------------------------------------------
// Bad input

TEST_F(InventoryTest, PathOfTheLongestLengthWithEmptyAndQuotedEntries)
{
    const std::string last = kRoot + "\\last";
    // cmd.exe reads a quoted entry as one, its ";" too.
    const std::string quoted = kRoot + "\\quoted;jdk";
    MakeJavaHome(last, kLauncherX64, nullptr);
    MakeJavaHome(quoted, nullptr, kLauncherX86);
    std::string path = ";;\"" + quoted + "\\bin\";;";
    int entries = 4;
    const std::string tail = ";" + last + "\\bin";
    // Entries that name nothing, up to the longest value a variable holds (32,767 with NUL).
    while (path.size() + tail.size() < 32767 - 1 - 40) {
        path += "C:\\jt\\inv\\nothing\\here\\" + std::to_string(entries) + ";";
        ++entries;
    }
    while (path.size() + tail.size() < 32767 - 1)
        path += ";";
    path += tail;
    ASSERT_EQ(32766u, path.size());
    SetEnvironment("PATH", path.c_str());
    ASSERT_EQ(path, EnvironmentValue("PATH"));

    const JavaInventory& inventory = Take();
    ASSERT_EQ(2u, inventory.homes.size()) << Describe(inventory);
    EXPECT_EQ(quoted, inventory.homes[0].home);
    EXPECT_EQ(quoted + "\\bin", inventory.homes[0].sources[0].where);
    EXPECT_EQ(2, inventory.homes[0].sources[0].pathIndex);
    EXPECT_EQ(kArchX86, inventory.homes[0].architecture);
    EXPECT_EQ(last, inventory.homes[1].home);
    EXPECT_EQ(kArchX64, inventory.homes[1].architecture);
    EXPECT_EQ(last + "\\bin\\javaw.exe", inventory.homes[1].javaw);
}

// Values of other types, without a NUL, unexpanded, and too long: a reason each, never a
// cut or wrong home.
TEST_F(InventoryTest, RegistryValuesOfEveryShape)
{
    const std::string home = kRoot + "\\nonul";
    MakeJavaHome(home, kLauncherX64, kLauncherX64);
    const char* zulu = "SOFTWARE\\Azul Systems\\Zulu\\";
    const DWORD number = 17;
    SetRawValueIn(HKEY_LOCAL_MACHINE, (std::string(zulu) + "dword").c_str(), "InstallationPath",
                  REG_DWORD, &number, sizeof(number));
    SetRawValueIn(HKEY_LOCAL_MACHINE, (std::string(zulu) + "binary").c_str(), "InstallationPath",
                  REG_BINARY, home.data(), static_cast<DWORD>(home.size()));
    const char multi[] = "C:\\jt\\inv\\m1\0C:\\jt\\inv\\m2\0";
    SetRawValueIn(HKEY_LOCAL_MACHINE, (std::string(zulu) + "multi").c_str(), "InstallationPath",
                  REG_MULTI_SZ, multi, sizeof(multi));
    SetRawValueIn(HKEY_LOCAL_MACHINE, (std::string(zulu) + "nonul").c_str(), "InstallationPath",
                  REG_SZ, home.data(), static_cast<DWORD>(home.size()));
    SeedHomeValue(HKEY_LOCAL_MACHINE, std::string(zulu) + "expand", "InstallationPath",
                  "%SystemDrive%\\jt\\inv\\nonul", kOwnView, REG_EXPAND_SZ);
    const std::string tooLong = "C:\\" + std::string(297, 'j');
    SeedHomeValue(HKEY_LOCAL_MACHINE, std::string(zulu) + "long", "InstallationPath", tooLong);
    // Fits, but not with bin\javaw.exe.
    const std::string almost = "C:\\" + std::string(250, 'k');
    SeedHomeValue(HKEY_LOCAL_MACHINE, std::string(zulu) + "almost", "InstallationPath", almost);
    SeedHomeValue(HKEY_LOCAL_MACHINE, std::string(zulu) + "empty", "InstallationPath", "");
    CreateKey("SOFTWARE\\Azul Systems\\Zulu\\novalue");
    SetEnvironment("JDK_HOME", ("C:\\" + std::string(400, 'e')).c_str());

    const JavaInventory& inventory = Take();
    std::vector<std::string> seen;
    for (const InventoryHome& h : inventory.homes) {
        SCOPED_TRACE(h.sources[0].where);
        const std::string where = h.sources[0].where;
        const std::string name = where.substr(where.rfind('\\') + 1);
        seen.push_back(name);
        if (name == "dword" || name == "binary" || name == "multi") {
            EXPECT_EQ(kReasonNotText, h.reason);
            EXPECT_STREQ("", h.home);
            EXPECT_EQ(0, h.fileTests);
        } else if (name == "nonul") {
            EXPECT_EQ(home, h.home);
            EXPECT_EQ(kReasonVendorKey, h.reason);
            EXPECT_EQ(kArchX64, h.architecture);
        } else if (name == "expand") {
            EXPECT_EQ(kReasonUnexpanded, h.reason);
            EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), h.sources[0].valueType);
            EXPECT_EQ(0, h.fileTests);
        } else if (name == "long" || name == "JDK_HOME") {
            EXPECT_EQ(kReasonTooLong, h.reason);
            EXPECT_STREQ("", h.home);
            EXPECT_EQ(name == "long" ? 300u : 403u, h.namedLength);
            EXPECT_EQ(0, h.fileTests);
        } else if (name == "almost") {
            EXPECT_EQ(kReasonLauncherTooLong, h.reason);
            EXPECT_EQ(almost, h.home);
        }
    }
    const std::vector<std::string> expected = {"almost", "binary", "dword", "expand",
                                               "long",   "multi",  "nonul", "JDK_HOME"};
    EXPECT_EQ(expected, seen);
}

// Ten thousand subkeys under one vendor's key: each read, in order, none lost.
TEST_F(InventoryTest, TenThousandVendorSubkeys)
{
    const std::string shared = kRoot + "\\shared";
    const std::string own = kRoot + "\\own";
    MakeJavaHome(shared, kLauncherX64, kLauncherX64);
    MakeJavaHome(own, kLauncherX86, kLauncherX86);
    HKEY zulu;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Azul Systems\\Zulu", 0,
                                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &zulu, nullptr));
    for (int i = 0; i < 10000; ++i) {
        char name[32];
        wsprintfA(name, "zulu-%05d", i);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(zulu, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &key, nullptr));
        const std::string& home = i == 9999 ? own : shared;
        RegSetValueExA(key, "InstallationPath", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(home.c_str()),
                       static_cast<DWORD>(home.size() + 1));
        RegCloseKey(key);
    }
    RegCloseKey(zulu);

    const JavaInventory& inventory = Take();
    ASSERT_EQ(2u, inventory.homes.size()) << Describe(inventory);
    EXPECT_EQ(shared, inventory.homes[0].home);
    EXPECT_EQ(9999u, inventory.homes[0].sources.size());
    EXPECT_EQ(own, inventory.homes[1].home);
    EXPECT_EQ(kArchX86, inventory.homes[1].architecture);
    EXPECT_STREQ("SOFTWARE\\Azul Systems\\Zulu\\zulu-09999", inventory.homes[1].sources[0].where);
}

// Release files and launchers that are not what they claim: the version falls back to the
// launcher's resource or stays unknown, the architecture is read or unknown.
TEST_F(InventoryTest, ReleaseFilesAndLaunchersOfEveryShape)
{
    struct HomeCase {
        const char* name;
        std::string release;  // empty: no release file
        std::string launcher;  // bytes of bin\javaw.exe; empty: the x64 fixture
        const char* version;
        InventoryVersionOrigin origin;
        InventoryArchitecture architecture;
    };
    std::string huge(300000, 'x');
    huge.replace(0, 30, "JAVA_VERSION=\"17.0.1\"\nIMAGE=\"");
    std::string lateVersion(kReleaseReadLimit + 10, '#');
    lateVersion += "\nJAVA_VERSION=\"9.9\"\n";
    std::string binary = "JAVA_VERSION=\"";
    for (int i = 0; i < 40; ++i)
        binary += static_cast<char>(i * 7);
    binary += "\"\n";
    std::string arm64(0x48, '\0');
    arm64[0] = 'M';
    arm64[1] = 'Z';
    arm64[0x3C] = 0x40;
    arm64.replace(0x40, 6, std::string("PE\0\0\x64\xAA", 6));
    std::string peBeyondEnd(64, '\0');
    peBeyondEnd[0] = 'M';
    peBeyondEnd[1] = 'Z';
    peBeyondEnd[0x3C] = 0x7F;
    peBeyondEnd[0x3F] = 0x7F;
    const HomeCase cases[] = {
        {"huge release file, version first", huge, "", "17.0.1", kVersionFromRelease, kArchX64},
        {"JAVA_VERSION beyond the bytes read", lateVersion, "", "17.0.10.7", kVersionFromLauncher,
         kArchX64},
        {"binary JAVA_VERSION", binary, "", "17.0.10.7", kVersionFromLauncher, kArchX64},
        {"no JAVA_VERSION", "IMPLEMENTOR=\"x\"\nOTHER_JAVA_VERSION=\"1\"\n", "", "17.0.10.7",
         kVersionFromLauncher, kArchX64},
        {"unclosed JAVA_VERSION", "JAVA_VERSION=\"17", "", "17.0.10.7", kVersionFromLauncher,
         kArchX64},
        {"launcher that is no PE file", "", "#!/bin/sh\necho java\n", "", kVersionUnknown,
         kArchUnknown},
        {"ARM64 header", "JAVA_VERSION=\"21.0.2\"\n", arm64, "21.0.2", kVersionFromRelease,
         kArchArm64},
        {"PE offset far beyond the file's end", "", peBeyondEnd, "", kVersionUnknown,
         kArchUnknown},
    };
    int n = 0;
    for (const HomeCase& c : cases) {
        const std::string home = kRoot + "\\shape" + std::to_string(n++);
        if (c.launcher.empty())
            MakeJavaHome(home, kLauncherX64, nullptr);
        else
            MakeFile(home + "\\bin\\javaw.exe", c.launcher);
        if (!c.release.empty())
            MakeFile(home + "\\release", c.release);
        SetText((std::string("SOFTWARE\\SapMachine\\JDK\\") + c.name).c_str(), "JavaHome", home);
    }
    const JavaInventory& inventory = Take();
    ASSERT_EQ(n, static_cast<int>(inventory.homes.size())) << Describe(inventory);
    for (int i = 0; i < n; ++i) {
        const HomeCase& c = cases[i];
        SCOPED_TRACE(c.name);
        const InventoryHome* home = FindHome(inventory, kRoot + "\\shape" + std::to_string(i));
        if (home == nullptr)
            continue;
        EXPECT_STREQ(c.version, home->version);
        EXPECT_EQ(c.origin, home->versionOrigin);
        EXPECT_EQ(c.architecture, home->architecture);
        EXPECT_EQ(kReasonVendorKey, home->reason);
    }
}

// A home with no launcher, and a PATH folder that is not a bin but holds java.exe.
TEST_F(InventoryTest, NoLauncherAndLaunchersOutsideBin)
{
    MakeDirectories(kRoot + "\\removed\\bin");
    SeedHomeValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\BellSoft\\Liberica\\jdk-11", "InstallationPath",
                  kRoot + "\\removed");
    const std::string tools = kRoot + "\\tools";
    MakeFile(tools + "\\java.exe");
    SetEnvironment("PATH", (EnvironmentValue("PATH") + ";" + tools).c_str());

    const JavaInventory& inventory = Take();
    ASSERT_EQ(2u, inventory.homes.size()) << Describe(inventory);
    EXPECT_EQ(kReasonNoLauncher, inventory.homes[0].reason);
    EXPECT_EQ(kRoot + "\\removed\\bin", inventory.homes[0].launcherDir);
    EXPECT_TRUE(inventory.homes[0].probed);
    EXPECT_EQ(tools, inventory.homes[1].home);
    EXPECT_EQ(tools + "\\java.exe", inventory.homes[1].java);
    EXPECT_EQ(kReasonNotInBin, inventory.homes[1].reason);
}

}  // namespace
