// The report: one run of the search, its notes copied as they come.
#include "cli/report.h"

#include <new>

#include "base/list_box.h"
#include "discovery/runtime_list.h"
#include "settings/product_settings.h"

namespace {

// The note's texts, in the order that NoteCopy keeps them.
const char** TextField(DiscoveryNote* note, int field)
{
    const char** fields[] = {&note->subkey,   &note->parentKey, &note->key,
                             &note->javaHome, &note->directory, &note->launcher,
                             &note->version,  &note->listText};
    return fields[field];
}

void CopyNote(const DiscoveryNote& note, void* context)
{
    Report* report = static_cast<Report*>(context);
    if (report->outOfMemory)
        return;
    // No exception may pass the search: its keys and handles would stay open.
    try {
        NoteCopy copy;
        copy.note = note;
        for (int field = 0; field < kNoteTextCount; ++field) {
            const char* text = *TextField(&copy.note, field);
            copy.present[field] = text != nullptr;
            if (text != nullptr)
                copy.texts[field] = text;
            *TextField(&copy.note, field) = nullptr;
        }
        report->notes.push_back(copy);
    } catch (const std::bad_alloc&) {
        report->outOfMemory = true;
    }
}

}  // namespace

bool BuildReport(HWND list, bool inventory, Report* report)
{
    report->list = list;
    report->notes.clear();
    report->outOfMemory = false;
    FillRuntimeList(list, CopyNote, report);
    SelectCurrentRuntime(list);
    try {
        report->listed.assign(static_cast<size_t>(ListGetCount(list)), report->notes.size());
        for (size_t at = 0; at < report->notes.size(); ++at) {
            const DiscoveryNote& note = report->notes[at].note;
            if (note.outcome == kOutcomeListed && note.listIndex >= 0 &&
                static_cast<size_t>(note.listIndex) < report->listed.size())
                report->listed[note.listIndex] = at;
        }
    } catch (const std::bad_alloc&) {
        report->outOfMemory = true;
    }
    if (inventory && !TakeJavaInventory(list, &report->inventory))
        report->outOfMemory = true;
    return !report->outOfMemory;
}

DiscoveryNote NoteOf(const NoteCopy& copy)
{
    DiscoveryNote note = copy.note;
    for (int field = 0; field < kNoteTextCount; ++field)
        *TextField(&note, field) = copy.present[field] ? copy.texts[field].c_str() : nullptr;
    return note;
}

const NoteCopy* ListedNote(const Report& report, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= report.listed.size() ||
        report.listed[index] >= report.notes.size())
        return nullptr;
    return &report.notes[report.listed[index]];
}

bool IsToldByInventory(const InventoryHome& home)
{
    for (const InventorySource& source : home.sources) {
        if (source.kind != kNamedByListKey)
            return true;
    }
    return false;
}

CurrentReason CurrentReasonOf(HWND list)
{
    if (ListGetCurSel(list) >= 0)
        return kCurrentEqualsLauncher;
    return g_starterTooLong ? kCurrentStarterTooLong : kCurrentMatchesNone;
}

JavapathHome JavapathHomeOf(const InventoryJavapath& javapath, const JavaInventory& inventory)
{
    if (javapath.home[0] == '\0')
        return kJavapathNoHome;
    if (javapath.homeOffered)
        return kJavapathHomeOffered;
    if (javapath.homeIndex < 0)
        return kJavapathHomeNowhere;
    return IsToldByInventory(inventory.homes[javapath.homeIndex]) ? kJavapathHomeAbove
                                                                  : kJavapathHomeListKey;
}
