// The search for Java runtimes: the product's own, those registered under the JavaSoft
// key, and the Microsoft virtual machine, always in that order.
#pragma once

#include <windows.h>

enum DiscoverySource {
    kSourceBundled,
    kSourceRegistered,
    kSourceMicrosoft,
};

// What became of one candidate that the search looked at.
enum DiscoveryOutcome {
    kOutcomeListed,
    kOutcomeTooLong,          // a directory, key or path that does not fit 259 characters
    kOutcomeNoJavaHome,       // the subkey has no "JavaHome" value
    kOutcomeNoLauncher,       // neither javaw.exe nor jrew.exe in the directory
    kOutcomeKeyAbsent,        // the JavaSoft key or the Microsoft VM's key is not there
    kOutcomeNoVersion,        // no wjview.exe with a version resource
    kOutcomeVersionTooOld,    // wjview.exe older than 5.0.0.0
    kOutcomeNotAdded,         // no memory for the entry, or the list box refused it
    kOutcomeNameTooLong,      // a JavaSoft subkey whose name is more than 259 bytes: the
                              // enumeration skips it and goes on with the next
};

struct DiscoveryNote {
    DiscoverySource source;
    DiscoveryOutcome outcome;
    const char* candidate;  // the subkey name for a registered runtime, else empty
    const char* detail;     // the launcher, directory or key looked at; may be empty
    const char* javaHome;   // a registered runtime's "JavaHome" as read, whatever its length;
                            // empty when it was not read
    // The files tested, in order: javaw.exe then jrew.exe in the launcher directory, or
    // wjview.exe in the Windows then the system directory. Empty when that file was not
    // tested, or when its path did not fit 259 characters.
    const char* tried[2];
    // kOutcomeNameTooLong: the subkey's place in the registry's enumeration (candidate is
    // its name, or empty when it could not be read); else 0.
    unsigned long subkeyIndex;
};

// Told about every candidate, a skipped subkey in its place among them, and once about an
// absent JavaSoft key; context is passed back unchanged. The texts live only for the call.
typedef void (*DiscoveryObserver)(const DiscoveryNote& note, void* context);

// Adds one entry per runtime found to the list box. Failures only leave that runtime out.
void FillRuntimeList(HWND list);
void FillRuntimeList(HWND list, DiscoveryObserver observer, void* context);
