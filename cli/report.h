// What list, list --all and explain print, gathered once: the dialog's own search run into the
// hidden list box and preselected, with its note about every candidate kept, and the inventory
// of every other Java home. The text forms and the JSON forms are two printers of it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "discovery/java_inventory.h"
#include "discovery/runtime_discovery.h"

// A note of the search, its texts copied: the note's own live only for the observer's call.
const int kNoteTextCount = 8;  // subkey, parentKey, key, javaHome, directory, launcher,
                               // version, listText
struct NoteCopy {
    DiscoveryNote note;  // its texts are not to be read: NoteOf gives them
    std::string texts[kNoteTextCount];
    bool present[kNoteTextCount];
};

struct Report {
    HWND list;                    // filled and preselected
    std::vector<NoteCopy> notes;  // in the search's order
    std::vector<size_t> listed;   // for each list index, its note's index in notes
    JavaInventory inventory;      // taken only when asked
    bool outOfMemory;
};

// Runs the search into list (empty), tells it every candidate, and preselects as
// InitRuntimeList does; with inventory, then takes the inventory. False when memory ran out:
// notes or homes may be missing, and nothing must be printed of it.
bool BuildReport(HWND list, bool inventory, Report* report);
// The note as the search gave it, its texts pointing into copy.
DiscoveryNote NoteOf(const NoteCopy& copy);
// The note about the candidate listed at index, or null.
const NoteCopy* ListedNote(const Report& report, int index);

// Why the list has the entry it has preselected, or none.
enum CurrentReason {
    kCurrentEqualsLauncher,  // "starter" equals its launcher, A-Z case ignored
    kCurrentStarterTooLong,  // none: "starter" is too long to match
    kCurrentMatchesNone,     // none: "starter" equals no listed launcher
};
CurrentReason CurrentReasonOf(HWND list);

// How the home that a javapath folder's copies run is told.
enum JavapathHome {
    kJavapathNoHome,        // they run none
    kJavapathHomeOffered,   // the list offers it
    kJavapathHomeAbove,     // the inventory tells it
    kJavapathHomeListKey,   // registered where the list looks, left out by its search
    kJavapathHomeNowhere,   // no source names it as a home
};
JavapathHome JavapathHomeOf(const InventoryJavapath& javapath, const JavaInventory& inventory);

// Whether the inventory tells the home: every home that a source other than the list's own key
// names. A home that only that key names is the search's, explained with its candidates.
bool IsToldByInventory(const InventoryHome& home);
