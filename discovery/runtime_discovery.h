// The search for Java runtimes: the product's own, those registered under the JavaSoft
// key, and the Microsoft virtual machine, always in that order. What the machine has beyond
// it is the inventory's (java_inventory.h).
#pragma once

#include <windows.h>

#include "base/text_buffer.h"

enum DiscoverySource {
    kSourceBundled,
    kSourceRegistered,
    kSourceMicrosoft,
};

// The key whose subkeys the search reads: SOFTWARE\JavaSoft\Java Runtime Environment.
extern const char kJavaSoftKey[];

// What became of one candidate that the search looked at: one fact each.
enum DiscoveryOutcome {
    kOutcomeListed,              // added to the list, at listIndex
    kOutcomeNotAdded,            // no memory for the entry, or the list box refused it
    kOutcomeHomeTooLong,         // "home" is longer than 259 characters: not searched
    kOutcomeHomeDirTooLong,      // "home" joined with jre\bin does not fit 259 characters
    kOutcomeHomeLoneLeadByte,    // "home" ends in a lone lead byte (EndsInLoneLeadByte): not
                                 // searched, as the join would read another folder
    kOutcomeKeyAbsent,           // the JavaSoft key or the Microsoft VM's key is not there
    kOutcomeNoSubkeys,           // the JavaSoft key is there without a subkey
    kOutcomeNameTooLong,         // a subkey name of more than 259 bytes: the enumeration skips
                                 // it and goes on with the next
    kOutcomeKeyPathTooLong,      // the JavaSoft key path and the name do not fit 259 characters
    kOutcomeNoJavaHome,          // the subkey has no "JavaHome" value
    kOutcomeJavaHomeTooLong,     // "JavaHome" is longer than 259 characters
    kOutcomeJavaHomeDirTooLong,  // "JavaHome" joined with bin does not fit 259 characters
    kOutcomeJavaHomeLoneLeadByte,  // "JavaHome" ends in a lone lead byte: no launcher looked
                                   // for
    kOutcomeNoLauncher,          // neither javaw.exe nor jrew.exe was found in directory
    kOutcomeNoVersion,           // no wjview.exe with a version resource
    kOutcomeVersionTooOld,       // wjview.exe older than 5.0.0.0
};

// What became of one file that the search could test.
enum TrialResult {
    kTrialNotLookedAt,    // not reached: an earlier file was taken, or the search stopped
    kTrialNoDirectory,    // wjview.exe: the Windows or system directory could not be had
    kTrialPathTooLong,    // the path does not fit 259 characters: never made, never tested
    kTrialNotQualified,   // not tested: the path is not fully qualified, so no fixed place
    kTrialTooLongToTest,  // not tested: longer than OpenFile takes (kLongestTestedPath)
    kTrialNoVersionFunctions,  // wjview.exe, not read: version.dll's functions could not be
                               // had from the system directory
    kTrialAbsent,         // tested: not there (wjview.exe: or without a version resource)
    kTrialFound,          // tested: there (wjview.exe: with a version resource), and taken
};

struct FileTrial {
    TrialResult result;
    char path[kTextBufferSize];  // the path tested; empty when none was made
};

// Every text is null where it does not apply; the texts live only for the observer's call.
struct DiscoveryNote {
    DiscoverySource source;
    DiscoveryOutcome outcome;
    // The JavaSoft subkey that the note is about: its place in the registry's enumeration,
    // and its name. -1 and null in the notes about no subkey; the name is null as well for a
    // name too long to enumerate that could not be read again.
    long subkeyIndex;
    const char* subkey;
    // The key whose subkeys are read. Null in the notes about the bundled runtime and the
    // Microsoft VM.
    const char* parentKey;
    const char* key;        // the key that is absent or has no subkey, or the subkey's key
                            // path that has no "JavaHome"
    const char* javaHome;   // the subkey's "JavaHome" as read, whatever its length
    const char* directory;  // the directory in which javaw.exe and jrew.exe were looked for
    const char* launcher;   // the launcher found: listed, not added, or too old
    const char* version;    // the version text, once the search has it: the subkey's name
                            // (when its key path fits), or wjview.exe's file version
    // The files tested, in order: javaw.exe then jrew.exe in directory, or wjview.exe in the
    // Windows then the system directory. Both kTrialNotLookedAt before the search reaches
    // the files.
    FileTrial tried[2];
    int listIndex;          // kOutcomeListed: the index of the new item; else -1
    const char* listText;   // kOutcomeListed: the new item's text (the entry's name)
};

// Told about every candidate, a skipped subkey in its place among them, and once about an
// absent JavaSoft key or one without subkeys; context is passed back unchanged.
typedef void (*DiscoveryObserver)(const DiscoveryNote& note, void* context);

// Adds one entry per runtime found to the list box. Failures only leave that runtime out.
void FillRuntimeList(HWND list);
void FillRuntimeList(HWND list, DiscoveryObserver observer, void* context);
