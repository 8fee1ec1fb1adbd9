// The runtime list end to end: what the dialog lists and preselects for a machine state,
// and what OK, Cancel, Escape and the close box leave in the product key.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "e2e/session.h"
#include "support/machine_test.h"

namespace {

const std::string kJre131 = "C:\\jt\\jre131";
const std::string kJre131Starter = kJre131 + "\\bin\\jrew.exe";
const std::string kJre142 = "C:\\jt\\jre142";
const std::string kJre142Starter = kJre142 + "\\bin\\javaw.exe";

const char kBundledItem[] = "Bundled Java Runtime Environment";
const char kJre131Item[] = "Sun Java Runtime Environment (1.3.1_04)";
const char kJre142Item[] = "Sun Java Runtime Environment (1.4.2)";
const char kMicrosoftItem[] = "Microsoft Java Runtime Environment (5.0.0.381)";
const std::vector<std::string> kThreeSourceItems = {kBundledItem, kJre131Item, kJre142Item,
                                                    kMicrosoftItem};

// Runtimes of all three sources; the product key is the caller's. Subkeys enumerate in
// name order, so 1.3.1_04 comes before 1.4.2.
void AddThreeSources()
{
    MakeLauncher(kBundledLauncher);
    MakeLauncher(kJre131Starter);
    MakeLauncher(kJre142Starter);
    SeedRuntime("1.3.1_04", kJre131);
    SeedRuntime("1.4.2", kJre142);
    SeedMicrosoftVm("wjview_5_0_0_381");
}

// The product key as an installed product leaves it, with values this program never
// touches beside the ones it reads and writes.
void SeedInstalledProduct(const std::string& starter, const char* classes = "old.jar")
{
    SeedProduct(kProductHome, starter, classes);
    SetText(kTestProductKey, "extra", "left alone");
    const DWORD build = 1234;
    SetRawValue(kTestProductKey, "build", REG_DWORD, &build, sizeof(build));
    SetText((std::string(kTestProductKey) + "\\Options").c_str(), "classes", "not this one");
}

void SeedThreeSources(const std::string& starter)
{
    SeedInstalledProduct(starter);
    AddThreeSources();
}

class RuntimeChoiceTest : public MachineTest {};

TEST_F(RuntimeChoiceTest, ListsPreselectsAndWritesTheChoice)
{
    const SessionCase cases[] = {
        {"current runtime preselected, OK writes it again",
         [] {
             SeedInstalledProduct(kBundledLauncher, "start.jar");
             AddThreeSources();
         },
         kThreeSourceItems, 0, -1, kEndOk, nullptr, kBundledLauncher},
        {"another entry chosen, OK writes it and replaces classes",
         [] { SeedThreeSources(kBundledLauncher); }, kThreeSourceItems, 0, 2, kEndOk, nullptr,
         kJre142Starter.c_str()},
        {"the Microsoft VM chosen", [] { SeedThreeSources(kJre131Starter); },
         kThreeSourceItems, 1, 3, kEndOk, nullptr, kWindowsWjview},
        {"chosen by clicking the preselected entry again",
         [] { SeedThreeSources(kJre142Starter); }, kThreeSourceItems, 2, 2, kEndOk, nullptr,
         kJre142Starter.c_str()},
        {"ASCII case ignored; the entry's own spelling is written",
         [] { SeedThreeSources("c:\\JT\\JRE131\\BIN\\JREW.EXE"); }, kThreeSourceItems, 1, -1,
         kEndOk, nullptr, kJre131Starter.c_str()},
        {"a doubled backslash matches nothing",
         [] { SeedThreeSources("C:\\jt\\jre142\\\\bin\\javaw.exe"); }, kThreeSourceItems, -1,
         -1, kEndOk, kApplyFailedText, nullptr},
        {"a launcher found nowhere matches nothing",
         [] { SeedThreeSources("C:\\Program Files\\Java\\bin\\javaw.exe"); },
         kThreeSourceItems, -1, -1, kEndOk, kApplyFailedText, nullptr},
        {"no match, then an entry chosen",
         [] { SeedThreeSources("C:\\Program Files\\Java\\bin\\javaw.exe"); },
         kThreeSourceItems, -1, 1, kEndOk, nullptr, kJre131Starter.c_str()},
        {"OK with an empty list", [] { SeedInstalledProduct(kBundledLauncher); }, {}, -1, -1,
         kEndOk, kApplyFailedText, nullptr},
        {"two names of one runtime: the first is preselected",
         [] {
             SeedInstalledProduct(kJre142Starter);
             MakeLauncher(kJre142Starter);
             SeedRuntime("1.4", kJre142);
             SeedRuntime("1.4.2", kJre142);
         },
         {"Sun Java Runtime Environment (1.4)", kJre142Item}, 0, -1, kEndOk, nullptr,
         kJre142Starter.c_str()},
        {"Cancel after choosing", [] { SeedThreeSources(kBundledLauncher); }, kThreeSourceItems,
         0, 2, kEndCancel, nullptr, nullptr},
        {"Escape after choosing", [] { SeedThreeSources(kBundledLauncher); }, kThreeSourceItems,
         0, 3, kEndEscape, nullptr, nullptr},
        {"close box after choosing", [] { SeedThreeSources(kBundledLauncher); },
         kThreeSourceItems, 0, 1, kEndCloseBox, nullptr, nullptr},
    };
    for (const SessionCase& c : cases)
        RunSession(c);
}

// Only ASCII letters are folded: a home whose name holds an accented letter (code page
// 1252) is not matched by the same path in capitals.
TEST_F(RuntimeChoiceTest, LettersBeyondAsciiAreNotFolded)
{
    const SessionCase cases[] = {
        {"same spelling matches",
         [] {
             SeedProduct("C:\\jt\\Caf\xe9", "C:\\jt\\Caf\xe9\\jre\\bin\\javaw.exe");
             MakeLauncher("C:\\jt\\Caf\xe9\\jre\\bin\\javaw.exe");
         },
         {kBundledItem}, 0, -1, kEndCancel, nullptr, nullptr},
        {"capitals do not match",
         [] {
             SeedProduct("C:\\jt\\Caf\xe9", "C:\\JT\\CAF\xc9\\JRE\\BIN\\JAVAW.EXE");
             MakeLauncher("C:\\jt\\Caf\xe9\\jre\\bin\\javaw.exe");
         },
         {kBundledItem}, -1, -1, kEndCancel, nullptr, nullptr},
    };
    for (const SessionCase& c : cases)
        RunSession(c);
}

// The registry refuses the write of "starter": the message shows and the key stays as it
// was, "classes" included.
TEST_F(RuntimeChoiceTest, RefusedWriteShowsMessageAndWritesNothingMore)
{
    RunSession({"product key denies setting values",
                [] {
                    SeedThreeSources(kBundledLauncher);
                    DenyValueWrites(kTestProductKey);
                },
                kThreeSourceItems, 0, 2, kEndOk, kApplyFailedText, nullptr});
}

// Wine enforces the key's security for a program of the same user: otherwise the case
// above would not test a refused write at all.
TEST_F(RuntimeChoiceTest, DeniedKeyRefusesValuesToThisUser)
{
    SeedInstalledProduct(kBundledLauncher);
    ASSERT_TRUE(DenyValueWrites(kTestProductKey));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, kTestProductKey, &key));
    EXPECT_EQ(ERROR_ACCESS_DENIED,
              RegSetValueExA(key, "starter", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
    RegCloseKey(key);
}

std::string Repeat(char c, size_t count)
{
    return std::string(count, c);
}

void SeedTextValue(const char* name, DWORD type, const std::string& bytes)
{
    SetRawValue(kTestProductKey, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

const int kManyRuntimes = 2000;

// Subkey names that enumerate in the order of n.
std::string ManyName(int n)
{
    char name[16];
    snprintf(name, sizeof(name), "v%04d", n);
    return name;
}

// kManyRuntimes subkeys, each leading to 1.4.2.
void SeedManyListedRuntimes()
{
    SeedInstalledProduct(kJre142Starter);
    MakeLauncher(kJre142Starter);
    for (int n = 0; n < kManyRuntimes; ++n)
        SeedRuntime(ManyName(n), kJre142);
}

// kManyRuntimes subkeys of which every hundredth leads to a launcher, 1.4.2, but the last
// of them to 1.3.1_04; the rest lead to nothing.
void SeedManyRuntimesFewListed()
{
    SeedInstalledProduct(kJre142Starter);
    MakeLauncher(kJre131Starter);
    MakeLauncher(kJre142Starter);
    for (int n = 0; n < kManyRuntimes; ++n) {
        if (n % 100 != 0)
            SeedRuntime(ManyName(n), "C:\\jt\\absent\\" + ManyName(n));
        else
            SeedRuntime(ManyName(n), n == kManyRuntimes - 100 ? kJre131 : kJre142);
    }
}

std::vector<std::string> ManyItems(int step)
{
    std::vector<std::string> items;
    for (int n = 0; n < kManyRuntimes; n += step)
        items.push_back("Sun Java Runtime Environment (" + ManyName(n) + ")");
    return items;
}

// Values of other types, texts too long for the program's buffers, thousands of subkeys:
// the dialog still opens, lists what it can, never selects or writes a cut path, and
// writes only on OK.
TEST_F(RuntimeChoiceTest, HostileRegistryStates)
{
    const std::vector<std::string> kNoBundled = {kJre131Item, kJre142Item, kMicrosoftItem};
    const SessionCase cases[] = {
        {"home longer than 259 characters: no bundled entry",
         [] {
             SeedThreeSources(kJre142Starter);
             SetText(kTestProductKey, "home", "C:\\jt\\" + Repeat('h', 300));
         },
         kNoBundled, 1, -1, kEndOk, nullptr, kJre142Starter.c_str()},
        {"starter longer than 259 characters: nothing preselected",
         [] { SeedThreeSources(std::string(kBundledLauncher) + Repeat('x', 300)); },
         kThreeSourceItems, -1, -1, kEndOk, kApplyFailedText, nullptr},
        {"starter longer than 259 characters, then an entry chosen",
         [] { SeedThreeSources(std::string(kBundledLauncher) + Repeat('x', 300)); },
         kThreeSourceItems, -1, 0, kEndOk, nullptr, kBundledLauncher},
        {"home a REG_DWORD whose bytes spell a folder",
         [] {
             SeedThreeSources(kJre131Starter);
             SeedTextValue("home", REG_DWORD, kShortFolder);
             MakeLauncher(kShortFolderStarter);
         },
         kThreeSourceItems, 1, 0, kEndOk, nullptr, kShortFolderStarter},
        {"starter a REG_DWORD: replaced by a REG_SZ on OK",
         [] {
             SeedThreeSources(kBundledLauncher);
             const DWORD number = 0x00003a43;  // "C:" and two NULs
             SetRawValue(kTestProductKey, "starter", REG_DWORD, &number, sizeof(number));
         },
         kThreeSourceItems, -1, 2, kEndOk, nullptr, kJre142Starter.c_str()},
        {"starter a REG_BINARY without a NUL",
         [] {
             SeedThreeSources(kBundledLauncher);
             SeedTextValue("starter", REG_BINARY, kJre142Starter);
         },
         kThreeSourceItems, 2, -1, kEndOk, nullptr, kJre142Starter.c_str()},
        {"starter a REG_SZ without a NUL, left by Cancel",
         [] {
             SeedThreeSources(kBundledLauncher);
             SeedTextValue("starter", REG_SZ, kJre131Starter);
         },
         kThreeSourceItems, 1, 3, kEndCancel, nullptr, nullptr},
        {"starter a REG_EXPAND_SZ is not expanded",
         [] {
             SeedThreeSources(kBundledLauncher);
             SetText(kTestProductKey, "starter", "%SystemRoot%\\wjview.exe", REG_EXPAND_SZ);
         },
         kThreeSourceItems, -1, 3, kEndEscape, nullptr, nullptr},
        {"starter a REG_MULTI_SZ: its first string counts",
         [] {
             SeedThreeSources(kBundledLauncher);
             SeedTextValue("starter", REG_MULTI_SZ,
                           kJre131Starter + '\0' + kJre142Starter + '\0' + '\0');
         },
         kThreeSourceItems, 1, -1, kEndCloseBox, nullptr, nullptr},
        {"starter empty", [] { SeedThreeSources(""); }, kThreeSourceItems, -1, -1, kEndOk,
         kApplyFailedText, nullptr},
        {"JavaHome longer than 259 characters: left out",
         [] {
             SeedThreeSources(kBundledLauncher);
             SeedRuntime("1.5.0", "C:\\jt\\" + Repeat('j', 300));
         },
         kThreeSourceItems, 0, 3, kEndOk, nullptr, kWindowsWjview},
        {"JavaHome a REG_BINARY without a NUL",
         [] {
             SeedThreeSources(kJre142Starter);
             SetRawValue(JavaSoftSubkey("1.5.0").c_str(), "JavaHome",
                         REG_BINARY, kJre131.data(), static_cast<DWORD>(kJre131.size()));
         },
         {kBundledItem, kJre131Item, kJre142Item, "Sun Java Runtime Environment (1.5.0)",
          kMicrosoftItem},
         2, 3, kEndOk, nullptr, kJre131Starter.c_str()},
        {"JavaSoft subkey named with 255 characters: left out",
         [] {
             SeedThreeSources(kJre131Starter);
             SeedRuntime(Repeat('9', 255), kJre142);
         },
         kThreeSourceItems, 1, 2, kEndOk, nullptr, kJre142Starter.c_str()},
        {"2000 JavaSoft subkeys, one in a hundred with a launcher",
         SeedManyRuntimesFewListed, ManyItems(100), 0, kManyRuntimes / 100 - 1, kEndOk,
         nullptr, kJre131Starter.c_str()},
        {"2000 registered runtimes, all listed", SeedManyListedRuntimes, ManyItems(1),
         0, kManyRuntimes - 1, kEndOk, nullptr, kJre142Starter.c_str()},
    };
    for (const SessionCase& c : cases)
        RunSession(c);
}

}  // namespace
