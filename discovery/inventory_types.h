// The types of the inventory of Java homes (java_inventory.h): what named a home, why the
// list does not offer it, and what was found. Apart, so that the inventory's own units share
// them without the order of its passes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "base/text_buffer.h"

// What named a home. In this order a source says more about why the list lacks the home,
// and the home's reason is taken from its first source in this order.
enum InventorySourceKind {
    kNamedByListKey,           // HKLM SOFTWARE\JavaSoft\Java Runtime Environment in this
                               // program's own view: the key the list reads
    kNamedByListKeyOtherView,  // the same key in the other registry view
    kNamedByJavaSoftKey,       // SOFTWARE\JavaSoft\JRE or JDK (HKLM, either view)
    kNamedByVendorKey,         // a distribution's own key under HKLM (either view)
    kNamedByUserKey,           // any of those keys under HKEY_CURRENT_USER: a per-user install
    kNamedByEnvironment,       // JAVA_HOME or JDK_HOME of this process
    kNamedByPath,              // a PATH directory that holds javaw.exe or java.exe (entries
                               // that are not looked at are InventoryPathEntry, no homes)
    kNamedByFolder,            // a direct subfolder of a usual install folder
};

enum InventoryHive { kHiveNone, kHiveMachine, kHiveUser };

// One source that named a home.
struct InventorySource {
    InventorySourceKind kind;
    // The table row's name ("Eclipse Temurin", "JavaSoft"); null for the environment, PATH and
    // the folders.
    const char* distribution;
    InventoryHive hive;  // kHiveNone outside the registry
    REGSAM view;         // 0: the program's own view; else KEY_WOW64_32KEY or KEY_WOW64_64KEY
    // The registry key that holds the value (below the hive), the variable's name, the PATH
    // entry as written (without one pair of enclosing quotes and trailing backslashes) or
    // the folder whose subfolder it is.
    char where[kTextBufferSize];
    const char* value;  // the registry value read ("Path", "JavaHome"), else null
    DWORD valueType;    // that value's type; REG_NONE outside the registry
    int pathIndex;      // kNamedByPath: the entry's place in PATH, from 0; else -1
};

// Why the list does not offer the home: one fact each. The first five, and kReasonNotText,
// are found without any file test, and none is made for them.
enum InventoryReason {
    kReasonTooLong,             // the home as named is longer than 259 characters
    kReasonNetworkPath,         // \\server\share..., or a drive mapped to the network
    kReasonDevicePath,          // \\?\... or \\.\...
    kReasonUnexpanded,          // holds a %NAME% reference, which is not expanded
    kReasonNotFullyQualified,   // no drive letter, colon and backslash: names no fixed place
    kReasonNotText,             // the registry value is not a text (REG_DWORD, REG_BINARY...)
    kReasonNotInCodePage,       // the variable or PATH entry holds a character that the ANSI
                                // code page lacks: not looked at, never taken by best fit
    kReasonLoneLeadByte,        // the home ends in a lone lead byte (EndsInLoneLeadByte): not
                                // looked at, as joined with bin it would name another folder
    kReasonLauncherTooLong,     // home joined with bin\javaw.exe does not fit 259 characters
    kReasonNoLauncher,          // neither javaw.exe nor java.exe where the launchers belong
    kReasonLeftOutBySearch,     // named by the list's own key; the search left it out (explain
                                // says why, above)
    kReasonNotInBin,            // a PATH directory that is not a home's bin holds the launcher
    kReasonOtherView,           // registered in the list's key, but in the other view only
    kReasonJavaSoftKey,         // registered under JavaSoft\JRE or JDK (Java 9 and later)
    kReasonVendorKey,           // registered under its vendor's own key only
    kReasonPerUser,             // registered for the current user only (HKEY_CURRENT_USER)
    kReasonOnlyEnvironment,     // named only by JAVA_HOME or JDK_HOME (and what follows)
    kReasonOnlyPath,            // found only through PATH (and the usual folders)
    kReasonOnlyFolder,          // found only in a usual install folder
};

enum InventoryArchitecture { kArchX86, kArchX64, kArchArm64, kArchUnknown };

enum InventoryVersionOrigin {
    kVersionUnknown,        // neither below had one
    kVersionFromRelease,    // the home's release file, JAVA_VERSION="..."
    kVersionFromLauncher,   // the launcher's version resource (file version)
};

struct InventoryHome {
    // The home without one trailing backslash. Empty when it could not be kept whole
    // (kReasonTooLong, kReasonNotText): such a naming is never merged with another.
    char home[kTextBufferSize];
    size_t namedLength;  // the length of the home as named, trailing backslash dropped
    // Where the launchers were looked for: home\bin, or the home itself for a PATH directory
    // that is not a bin folder. Empty when not looked for.
    char launcherDir[kTextBufferSize];
    char javaw[kTextBufferSize];  // launcherDir\javaw.exe when it is there, else empty
    char java[kTextBufferSize];   // launcherDir\java.exe when it is there, else empty
    char version[kTextBufferSize];
    InventoryVersionOrigin versionOrigin;
    InventoryArchitecture architecture;  // of javaw.exe, else java.exe
    WORD machine;                        // its PE header's machine field; 0: none read
    bool probed;    // false: no file test at all was made for this home
    int fileTests;  // the file tests made for it (launchers, release file, version, header)
    InventoryReason reason;
    std::vector<InventorySource> sources;  // in the order they named it
};

// Which runtime the javapath copies run, as their launcher finds it; the last is a home.
enum JavapathOutcome {
    kJavapathNoCopyVersion,        // the copy has no version resource: which key, not known
    kJavapathUnknownMachine,       // the copy is of no known architecture: which view, not known
    kJavapathNoCurrentVersion,     // no key the copies pick has "CurrentVersion"
    kJavapathCurrentVersionNotText,  // 8 and earlier: "CurrentVersion" is no REG_SZ, the only
                                     // type that launcher reads
    kJavapathOtherVersion,         // 8 and earlier: "CurrentVersion" is not the copies' own
                                   // version ("1.8"), which that launcher refuses
    kJavapathNoJavaHome,           // that version's subkey has no "JavaHome"
    kJavapathJavaHomeNotText,      // 8 and earlier: its "JavaHome" is no REG_SZ
    kJavapathRunsHome,             // they run home
};

// A PATH directory named ...\Oracle\Java\javapath: not a home, but copies of java.exe and
// javaw.exe that run the runtime which a JavaSoft key's "CurrentVersion" names. The copies
// say which key: their version resource's major version 8 or earlier "Java Runtime
// Environment", 9 and later "JRE", then "JDK"; their PE header the registry view (x86 the
// 32-bit one, x64 and ARM64 the 64-bit one).
struct InventoryJavapath {
    char folder[kTextBufferSize];
    int pathIndex;
    bool hasJavaw;
    bool hasJava;
    // The copy read (javaw.exe, else java.exe): its file version, empty when it has no version
    // resource, and its PE machine, 0 when none was read.
    char copyVersion[kTextBufferSize];
    int copyMajor;  // the version's first part; -1 without a version
    WORD copyMachine;
    InventoryArchitecture copyArchitecture;
    // The view asked (0: the program's own; else KEY_WOW64_32KEY or KEY_WOW64_64KEY), valid
    // when a key was asked (copyMajor >= 0 and a known machine); the key whose
    // "CurrentVersion" was found (empty: none asked has one), the value, and that version's
    // "JavaHome" (empty: the subkey has none).
    REGSAM view;
    char key[kTextBufferSize];
    char currentVersion[kTextBufferSize];  // empty when it is no text the launcher reads
    char ownVersion[16];  // 8 and earlier: the version the launcher asks for ("1.8"); else empty
    char home[kTextBufferSize];
    int homeIndex;      // the home's place in JavaInventory::homes, or -1
    bool homeOffered;   // the list offers that home
    JavapathOutcome outcome;
};

// A PATH entry that is not looked at: it names no fixed place (".", "rel\bin", "%X%\bin"), or
// one never opened (a share, a network drive, a device path), or it cannot be had whole (too
// long, a character the ANSI code page lacks, a lone lead byte at its end). Not a home: a
// directory on PATH need not be one.
struct InventoryPathEntry {
    int pathIndex;                // its place in PATH, from 0
    char entry[kTextBufferSize];  // as written, without one pair of enclosing quotes and
                                  // trailing backslashes; empty when too long or not in the
                                  // code page
    size_t length;                // its length as written, trimmed as entry is
    InventoryReason reason;
};

struct JavaInventory {
    std::vector<InventoryHome> homes;  // in the order first named
    std::vector<InventoryPathEntry> pathEntries;  // in PATH's order
    std::vector<InventoryJavapath> javapaths;
    int offeredNamings;  // namings of homes that the list offers, left out
    bool outOfMemory;    // the search ran out of memory: homes may be missing
};
