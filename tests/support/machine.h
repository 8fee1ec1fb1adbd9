// The machine that a test or benchmark runs on, in its own Wine prefix: the registry keys
// and files that the program reads, the words that seed them and ClearMachine, which removes
// them. No GoogleTest here, so that the benchmarks seed with the same words.
#pragma once

#include <windows.h>

#include <string>

// ---------------------------------------------------------------------------------------
// Places

// The program's keys under HKEY_LOCAL_MACHINE.
const char kTestVelmorKey[] = "SOFTWARE\\Velmor";
const char kTestProductKey[] = "SOFTWARE\\Velmor\\Quillfern";
const char kTestJavaSoftKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kTestMicrosoftVmKey[] = "SOFTWARE\\Microsoft\\Java VM";

// Registry views: the caller's own (the one the program under test sees in the same
// configuration), or the 32-bit or 64-bit one of a 64-bit Windows named explicitly.
const REGSAM kOwnView = 0;
const REGSAM kView32 = KEY_WOW64_32KEY;
const REGSAM kView64 = KEY_WOW64_64KEY;

// Every file a case makes lies below kCaseRoot, or in kShortFolder, whose name fits the
// four bytes of a REG_DWORD.
const char kCaseRoot[] = "C:\\jt";
const char kShortFolder[] = "C:\\q";
const char kShortFolderStarter[] = "C:\\q\\jre\\bin\\javaw.exe";
// The product as most cases install it, and its bundled launcher.
const char kProductHome[] = "C:\\jt\\Quillfern";
const char kBundledLauncher[] = "C:\\jt\\Quillfern\\jre\\bin\\javaw.exe";

// Where a wjview.exe can be put. The program looks in the Windows directory, then in the
// system directory, which under WOW64 is SysWOW64 by the file system's redirection; the
// 64-bit System32 itself is reached only with that redirection off.
enum WjviewPlace { kWindowsDir, kSystemDir, kSysWow64Dir, kNativeSystemDir };
const char kWindowsWjview[] = "C:\\windows\\wjview.exe";
const char kSystemWjview[] = "C:\\windows\\system32\\wjview.exe";
const char kSysWow64Wjview[] = "C:\\windows\\syswow64\\wjview.exe";

// A fixture executable of the build, named as its target: "wjview_5_0_0_381" is
// build/bin/fixtures/wjview_5_0_0_381.exe.
std::string FixturePath(const char* fixture);

// ---------------------------------------------------------------------------------------
// Seeding. Each function returns false when a step fails, after telling the failure.

// How a failed step is told: on stderr, unless a handler is set. The test library makes it
// a failure of the running test (support/test_failures.cpp).
void SetSetupFailureHandler(void (*handler)(const std::string& what));

// The product key with "home" and "starter", and "classes" when given.
bool SeedProduct(const std::string& home, const std::string& starter,
                 const char* classes = nullptr, REGSAM view = kOwnView);
// A registered runtime: the JavaSoft subkey name with "JavaHome" = javaHome and its NUL, of
// any value type. Made through the JavaSoft key's handle, so that a name whose whole key
// path is longer than one registry call takes can be made too.
bool SeedRuntime(const std::string& name, const std::string& javaHome, DWORD type = REG_SZ,
                 REGSAM view = kOwnView);
// The same layout under another key (SOFTWARE\JavaSoft\JRE, ...\JDK): subkey name of
// parentKey with "JavaHome" = javaHome and its NUL, or = size bytes of data taken as they
// are (no NUL added).
bool SeedRuntimeUnder(const char* parentKey, const std::string& name, const std::string& javaHome,
                      DWORD type = REG_SZ, REGSAM view = kOwnView);
bool SeedRawRuntimeUnder(const char* parentKey, const std::string& name, DWORD type,
                         const void* data, DWORD size, REGSAM view = kOwnView);
// A JavaSoft subkey without values, of any name the registry takes (as SeedRuntime).
bool CreateJavaSoftSubkey(const std::string& name, REGSAM view = kOwnView);
// The key path of a JavaSoft subkey, for values other than a plain "JavaHome".
std::string JavaSoftSubkey(const std::string& name);
// An empty file where a launcher is looked for, with the folders above it.
bool MakeLauncher(const std::string& path);
// A copy of the fixture as wjview.exe at the place; a file already there is replaced, never
// written into (the prefix's system files are links shared with its template).
bool SeedWjview(const char* fixture, WjviewPlace place);
// The Microsoft VM: its key, and the fixture as wjview.exe at the place.
bool SeedMicrosoftVm(const char* fixture, WjviewPlace place = kWindowsDir,
                     REGSAM view = kOwnView);
// Makes the key (HKEY_LOCAL_MACHINE) refuse to set values, to this user too, while it can
// still be read. UndoValueWriteDenials gives every key so denied its own access back;
// ResetProgramKeys and ClearMachine call it first.
bool DenyValueWrites(const char* key);
void UndoValueWriteDenials();

// Product keys from which the settings cannot be read (no key, the maker's key alone, an
// empty key, either value missing, both under other names), named for a failure's trace.
// Their values name kProductHome and kBundledLauncher.
struct ProductKeyState {
    const char* name;
    void (*seed)();
};
extern const ProductKeyState kUnreadableProductKeys[6];

// ---------------------------------------------------------------------------------------
// Java homes and what names them (the inventory's sources: vendors' keys under
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, the environment, the usual folders).

// The launcher fixtures: the same file version, 17.0.10.7, in an x86 and an x64 PE file.
const char kLauncherX86[] = "launcher_x86";
const char kLauncherX64[] = "launcher_x64";
// Where the usual folders are in every configuration's prefix (ProgramW6432 under WOW64).
const char kProgramFiles[] = "C:\\Program Files";

// A value under root (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER) in a view, its key made with
// those above it; data byte for byte.
bool SetRawValueIn(HKEY root, const char* key, const char* name, DWORD type, const void* data,
                   DWORD size, REGSAM view = kOwnView);
// A registration naming a home: value = home and its NUL, of type, under root's key.
bool SeedHomeValue(HKEY root, const std::string& key, const char* value, const std::string& home,
                   REGSAM view = kOwnView, DWORD type = REG_SZ);
// A release file's content with the line JAVA_VERSION="version" among others.
std::string ReleaseText(const char* version);
// A Java home: bin\javaw.exe and bin\java.exe as copies of the launcher fixtures named (null:
// that launcher absent), and the release file when its content is given.
bool MakeJavaHome(const std::string& home, const char* javawFixture, const char* javaFixture,
                  const char* release = nullptr);
// The process's environment, which the programs it starts inherit: value null removes the
// variable. ResetEnvironment (ClearMachine calls it) gives each one changed its first value.
void SetEnvironment(const char* name, const char* value);
void ResetEnvironment();
// The variable's value in this process, empty when unset.
std::string EnvironmentValue(const char* name);
// The vendors' keys in both views of HKEY_LOCAL_MACHINE and in HKEY_CURRENT_USER (with
// SOFTWARE\JavaSoft there), and the Java homes made in the usual folders. ClearMachine
// calls it; the other view's JavaSoft key stays (ResetProgramKeys with that view).
void ClearJavaSources();

// ---------------------------------------------------------------------------------------
// Network places, served by Wine from the prefix: nothing goes over a network.

// The share's server and name that every case uses: \\jtserver\share.
const char kTestShare[] = "\\\\jtserver\\share";
// The drive letter that DefineNetworkDrive maps.
const char kNetworkDriveLetter = 'n';

// The local folder whose files Wine serves as kTestShare\rest (the prefix's
// dosdevices\unc\jtserver\share\rest), made with the folders above it; empty, after telling
// the failure, when it cannot be had. RemoveShares removes every share made.
std::string MakeShareFolder(const std::string& rest);
void RemoveShares();
// Maps kNetworkDriveLetter to the local folder target as a network drive (GetDriveTypeA says
// DRIVE_REMOTE), through Wine's mount manager as winecfg does. RemoveNetworkDrive undoes it.
bool DefineNetworkDrive(const std::string& target);
void RemoveNetworkDrive();

// ---------------------------------------------------------------------------------------
// Removing. A key or file that is missing is fine.

// A key and everything below it, under HKEY_LOCAL_MACHINE (or root).
void DeleteKeyTree(const char* key, REGSAM view = kOwnView);
void DeleteKeyTreeIn(HKEY root, const char* key, REGSAM view = kOwnView);
// A directory tree, read-only files included.
void RemoveTree(const std::string& path);
// wjview.exe from every place above.
void RemoveWjviews();
// The keys that the program reads and writes, in one view, after UndoValueWriteDenials.
void ResetProgramKeys(REGSAM view = kOwnView);
// Every key and file a case may have made (in the caller's view), and an empty kCaseRoot.
void ClearMachine();
// ClearMachine, then the seed. Returns the product key as seeded (SOFTWARE\Velmor and
// below), for a check that nothing was written.
std::string ClearAndSeed(void (*seed)());

// ---------------------------------------------------------------------------------------
// Registry and file primitives, under HKEY_LOCAL_MACHINE.

// Sets a value, creating the key; data is taken byte for byte.
bool SetRawValue(const char* key, const char* name, DWORD type, const void* data, DWORD size,
                 REGSAM view = kOwnView);
// Sets a text value with its terminating NUL.
bool SetText(const char* key, const char* name, const std::string& text, DWORD type = REG_SZ,
             REGSAM view = kOwnView);
bool CreateKey(const char* key, REGSAM view = kOwnView);
// The value's bytes, or "<missing>" when it cannot be read.
std::string ReadValueBytes(const char* key, const char* name, REGSAM view = kOwnView);
// Every value and subkey below key, as one text: equal texts mean an unchanged tree.
std::string DumpKeyTree(const char* key, REGSAM view = kOwnView);

// A directory and the ones above it (a drive-letter path).
bool MakeDirectories(const std::string& path);
// A file with the content, replacing one that is there, with the folders above it.
bool MakeFile(const std::string& path, const std::string& content = "");
