// The runtime list end to end: what the dialog lists and preselects for a machine state,
// and what OK, Cancel, Escape and the close box leave in the product key.
#include <gtest/gtest.h>

#include <aclapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "e2e/session.h"
#include "support/scratch_registry.h"

namespace {

const std::string kHome = "C:\\jt\\Quillfern";
const std::string kBundledStarter = kHome + "\\jre\\bin\\javaw.exe";
const std::string kJre131 = "C:\\jt\\jre131";
const std::string kJre131Starter = kJre131 + "\\bin\\jrew.exe";
const std::string kJre142 = "C:\\jt\\jre142";
const std::string kJre142Starter = kJre142 + "\\bin\\javaw.exe";
const std::string kWjviewStarter = "C:\\windows\\wjview.exe";

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
    AddLauncher(kBundledStarter);
    AddLauncher(kJre131Starter);
    AddLauncher(kJre142Starter);
    RegisterRuntime("1.3.1_04", kJre131);
    RegisterRuntime("1.4.2", kJre142);
    InstallMicrosoftVm("wjview_5_0_0_381.exe");
}

// The product key as an installed product leaves it, with values this program never
// touches beside the ones it reads and writes.
void SeedProduct(const std::string& starter, const char* classes = "old.jar")
{
    InstallProduct(kHome, starter);
    SetText(kTestProductKey, "classes", classes);
    SetText(kTestProductKey, "extra", "left alone");
    const DWORD build = 1234;
    SetRawValue(kTestProductKey, "build", REG_DWORD, &build, sizeof(build));
    SetText((std::string(kTestProductKey) + "\\Options").c_str(), "classes", "not this one");
}

void SeedThreeSources(const std::string& starter)
{
    SeedProduct(starter);
    AddThreeSources();
}

// Key security that allows reading the key but not setting its values.
class ValueWriteDenial {
public:
    explicit ValueWriteDenial(const char* keyPath) : saved_(4096, 0)
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, READ_CONTROL | WRITE_DAC, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = static_cast<DWORD>(saved_.size());
        if (RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, &saved_[0], &size) != ERROR_SUCCESS)
            return;
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                      &everyone))
            return;
        BYTE aclBuffer[256];
        PACL acl = reinterpret_cast<PACL>(aclBuffer);
        SECURITY_DESCRIPTOR descriptor;
        denied_ = InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
                  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                  SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
                  RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &descriptor) ==
                      ERROR_SUCCESS;
        FreeSid(everyone);
    }
    ~ValueWriteDenial()
    {
        if (key_ == nullptr)
            return;
        if (denied_)
            RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &saved_[0]);
        RegCloseKey(key_);
    }
    bool denied() const { return denied_; }

private:
    HKEY key_ = nullptr;
    std::vector<BYTE> saved_;
    bool denied_ = false;
};

// Set by a seed, since RunSession seeds the machine itself; lifted before the keys go.
std::unique_ptr<ValueWriteDenial> g_denial;

class RuntimeChoiceTest : public ::testing::Test {
protected:
    void SetUp() override { ClearMachine(); }
    void TearDown() override
    {
        g_denial.reset();
        ClearMachine();
    }
};

TEST_F(RuntimeChoiceTest, ListsPreselectsAndWritesTheChoice)
{
    const SessionCase cases[] = {
        {"current runtime preselected, OK writes it again",
         [] {
             SeedProduct(kBundledStarter, "start.jar");
             AddThreeSources();
         },
         kThreeSourceItems, 0, -1, kEndOk, nullptr, kBundledStarter.c_str()},
        {"another entry chosen, OK writes it and replaces classes",
         [] { SeedThreeSources(kBundledStarter); }, kThreeSourceItems, 0, 2, kEndOk, nullptr,
         kJre142Starter.c_str()},
        {"the Microsoft VM chosen", [] { SeedThreeSources(kJre131Starter); },
         kThreeSourceItems, 1, 3, kEndOk, nullptr, kWjviewStarter.c_str()},
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
        {"OK with an empty list",
         [] { SeedProduct(kBundledStarter); }, {}, -1, -1, kEndOk, kApplyFailedText, nullptr},
        {"two names of one runtime: the first is preselected",
         [] {
             SeedProduct(kJre142Starter);
             AddLauncher(kJre142Starter);
             RegisterRuntime("1.4", kJre142);
             RegisterRuntime("1.4.2", kJre142);
         },
         {"Sun Java Runtime Environment (1.4)", kJre142Item}, 0, -1, kEndOk, nullptr,
         kJre142Starter.c_str()},
        {"Cancel after choosing", [] { SeedThreeSources(kBundledStarter); }, kThreeSourceItems,
         0, 2, kEndCancel, nullptr, nullptr},
        {"Escape after choosing", [] { SeedThreeSources(kBundledStarter); }, kThreeSourceItems,
         0, 3, kEndEscape, nullptr, nullptr},
        {"close box after choosing", [] { SeedThreeSources(kBundledStarter); },
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
             InstallProduct("C:\\jt\\Caf\xe9", "C:\\jt\\Caf\xe9\\jre\\bin\\javaw.exe");
             AddLauncher("C:\\jt\\Caf\xe9\\jre\\bin\\javaw.exe");
         },
         {kBundledItem}, 0, -1, kEndCancel, nullptr, nullptr},
        {"capitals do not match",
         [] {
             InstallProduct("C:\\jt\\Caf\xe9", "C:\\JT\\CAF\xc9\\JRE\\BIN\\JAVAW.EXE");
             AddLauncher("C:\\jt\\Caf\xe9\\jre\\bin\\javaw.exe");
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
                    SeedThreeSources(kBundledStarter);
                    g_denial.reset(new ValueWriteDenial(kTestProductKey));
                },
                kThreeSourceItems, 0, 2, kEndOk, kApplyFailedText, nullptr});
    ASSERT_TRUE(g_denial != nullptr);
    EXPECT_TRUE(g_denial->denied()) << "the key's security could not be set";
}

// Wine enforces the key's security for a program of the same user: otherwise the case
// above would not test a refused write at all.
TEST_F(RuntimeChoiceTest, DeniedKeyRefusesValuesToThisUser)
{
    SeedProduct(kBundledStarter);
    ValueWriteDenial denial(kTestProductKey);
    ASSERT_TRUE(denial.denied());
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

// A JavaSoft subkey whose name is too long for the key path the program builds: made
// through a handle, since a whole path of that length is past what ANSI calls take.
void RegisterUnderLongName(const std::string& name, const std::string& javaHome)
{
    CreateKey(kTestJavaSoftKey);
    HKEY javaSoft;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestJavaSoftKey, 0, KEY_ALL_ACCESS, &javaSoft));
    HKEY runtime;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(javaSoft, name.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &runtime, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(runtime, "JavaHome", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(javaHome.c_str()),
                             static_cast<DWORD>(javaHome.size() + 1)));
    RegCloseKey(runtime);
    RegCloseKey(javaSoft);
}

const int kManyRuntimes = 2000;

// Subkey names that enumerate in the order of n.
std::string ManyName(int n)
{
    char name[16];
    snprintf(name, sizeof(name), "v%04d", n);
    return name;
}

// kManyRuntimes subkeys. With everyListed, each leads to 1.4.2; else only every hundredth
// leads to a launcher (1.4.2, and 1.3.1_04 for the last of them), the rest to nothing.
void SeedManyRuntimes(bool everyListed)
{
    SeedProduct(kJre142Starter);
    AddLauncher(kJre131Starter);
    AddLauncher(kJre142Starter);
    for (int n = 0; n < kManyRuntimes; ++n) {
        std::string javaHome = "C:\\jt\\absent\\" + ManyName(n);
        if (everyListed || n % 100 == 0)
            javaHome = n == kManyRuntimes - 100 && !everyListed ? kJre131 : kJre142;
        RegisterRuntime(ManyName(n), javaHome);
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
         [] { SeedThreeSources(kBundledStarter + Repeat('x', 300)); }, kThreeSourceItems, -1,
         -1, kEndOk, kApplyFailedText, nullptr},
        {"starter longer than 259 characters, then an entry chosen",
         [] { SeedThreeSources(kBundledStarter + Repeat('x', 300)); }, kThreeSourceItems, -1,
         0, kEndOk, nullptr, kBundledStarter.c_str()},
        {"home a REG_DWORD whose bytes spell a folder",
         [] {
             SeedThreeSources(kJre131Starter);
             SeedTextValue("home", REG_DWORD, kShortFolder);
             AddLauncher(kShortFolderStarter);
         },
         kThreeSourceItems, 1, 0, kEndOk, nullptr, kShortFolderStarter},
        {"starter a REG_DWORD: replaced by a REG_SZ on OK",
         [] {
             SeedThreeSources(kBundledStarter);
             const DWORD number = 0x00003a43;  // "C:" and two NULs
             SetRawValue(kTestProductKey, "starter", REG_DWORD, &number, sizeof(number));
         },
         kThreeSourceItems, -1, 2, kEndOk, nullptr, kJre142Starter.c_str()},
        {"starter a REG_BINARY without a NUL",
         [] {
             SeedThreeSources(kBundledStarter);
             SeedTextValue("starter", REG_BINARY, kJre142Starter);
         },
         kThreeSourceItems, 2, -1, kEndOk, nullptr, kJre142Starter.c_str()},
        {"starter a REG_SZ without a NUL, left by Cancel",
         [] {
             SeedThreeSources(kBundledStarter);
             SeedTextValue("starter", REG_SZ, kJre131Starter);
         },
         kThreeSourceItems, 1, 3, kEndCancel, nullptr, nullptr},
        {"starter a REG_EXPAND_SZ is not expanded",
         [] {
             SeedThreeSources(kBundledStarter);
             SetText(kTestProductKey, "starter", "%SystemRoot%\\wjview.exe", REG_EXPAND_SZ);
         },
         kThreeSourceItems, -1, 3, kEndEscape, nullptr, nullptr},
        {"starter a REG_MULTI_SZ: its first string counts",
         [] {
             SeedThreeSources(kBundledStarter);
             SeedTextValue("starter", REG_MULTI_SZ,
                           kJre131Starter + '\0' + kJre142Starter + '\0' + '\0');
         },
         kThreeSourceItems, 1, -1, kEndCloseBox, nullptr, nullptr},
        {"starter empty", [] { SeedThreeSources(""); }, kThreeSourceItems, -1, -1, kEndOk,
         kApplyFailedText, nullptr},
        {"JavaHome longer than 259 characters: left out",
         [] {
             SeedThreeSources(kBundledStarter);
             RegisterRuntime("1.5.0", "C:\\jt\\" + Repeat('j', 300));
         },
         kThreeSourceItems, 0, 3, kEndOk, nullptr, kWjviewStarter.c_str()},
        {"JavaHome a REG_BINARY without a NUL",
         [] {
             SeedThreeSources(kJre142Starter);
             SetRawValue((std::string(kTestJavaSoftKey) + "\\1.5.0").c_str(), "JavaHome",
                         REG_BINARY, kJre131.data(), static_cast<DWORD>(kJre131.size()));
         },
         {kBundledItem, kJre131Item, kJre142Item, "Sun Java Runtime Environment (1.5.0)",
          kMicrosoftItem},
         2, 3, kEndOk, nullptr, kJre131Starter.c_str()},
        {"JavaSoft subkey named with 255 characters: left out",
         [] {
             SeedThreeSources(kJre131Starter);
             RegisterUnderLongName(Repeat('9', 255), kJre142);
         },
         kThreeSourceItems, 1, 2, kEndOk, nullptr, kJre142Starter.c_str()},
        {"2000 JavaSoft subkeys, one in a hundred with a launcher",
         [] { SeedManyRuntimes(false); }, ManyItems(100), 0, kManyRuntimes / 100 - 1, kEndOk,
         nullptr, kJre131Starter.c_str()},
        {"2000 registered runtimes, all listed", [] { SeedManyRuntimes(true); }, ManyItems(1),
         0, kManyRuntimes - 1, kEndOk, nullptr, kJre142Starter.c_str()},
    };
    for (const SessionCase& c : cases)
        RunSession(c);
}

}  // namespace
