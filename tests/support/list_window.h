// A real list box for tests: a hidden top-level window with a LISTBOX child styled
// like the dialog's (single selection, unsorted, LBS_NOTIFY), and readers of what it holds.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class ListWindow {
public:
    ListWindow();
    ~ListWindow();
    ListWindow(const ListWindow&) = delete;
    ListWindow& operator=(const ListWindow&) = delete;

    HWND list() const { return list_; }

private:
    HWND frame_;
    HWND list_;
};

// One line per item: "name|starter|version", read from the entry that the item value
// points at. Checks on the way that the item text is the entry's name, that every field
// ends inside its 260 bytes, that classes is "start.jar" and that no entry is held twice.
std::vector<std::string> DescribeList(HWND list);

// Bytes in busy blocks over all of the process's heaps (the C runtime's included).
size_t HeapBytesInUse();
