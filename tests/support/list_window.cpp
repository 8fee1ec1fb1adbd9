// The hidden list box window and its readers.
#include "support/list_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "discovery/runtime_entry.h"

namespace {

const char kFrameClass[] = "JreSelectTestFrame";
const int kListId = 1000;

bool EndsInside(const char* field)
{
    return memchr(field, '\0', kTextBufferSize) != nullptr;
}

}  // namespace

ListWindow::ListWindow()
{
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);  // fails harmlessly when already registered
    frame_ = CreateWindowExA(0, kFrameClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    list_ = CreateWindowExA(0, "LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            10, 10, 300, 200, frame_, reinterpret_cast<HMENU>(kListId),
                            GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(nullptr, frame_);
    EXPECT_NE(nullptr, list_);
}

ListWindow::~ListWindow()
{
    if (frame_ != nullptr)
        DestroyWindow(frame_);
}

std::vector<std::string> DescribeList(HWND list)
{
    std::vector<std::string> rows;
    std::set<const void*> seen;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        SCOPED_TRACE("item " + std::to_string(index));
        const LRESULT value = SendMessageA(list, LB_GETITEMDATA, index, 0);
        const RuntimeEntry* entry = reinterpret_cast<const RuntimeEntry*>(value);
        if (value == LB_ERR || entry == nullptr) {
            ADD_FAILURE() << "item without an entry";
            rows.push_back("<no entry>");
            continue;
        }
        EXPECT_TRUE(seen.insert(entry).second) << "one entry held by two items";
        if (!EndsInside(entry->name) || !EndsInside(entry->starter) ||
            !EndsInside(entry->version) || !EndsInside(entry->classes)) {
            ADD_FAILURE() << "a field runs past its 260 bytes";
            rows.push_back("<unterminated>");
            continue;
        }
        char text[1024] = "";
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
        if (length >= 0 && length < static_cast<LRESULT>(sizeof(text)))
            SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(entry->name, text) << "item text is the entry's name";
        EXPECT_STREQ("start.jar", entry->classes);
        rows.push_back(std::string(entry->name) + "|" + entry->starter + "|" + entry->version);
    }
    return rows;
}

size_t HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY block = {};
        while (HeapWalk(heaps[i], &block)) {
            if (block.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += block.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}
