// NewRuntimeEntry and AddListEntry, with a real list box in this process.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "discovery/runtime_entry.h"
#include "discovery/runtime_list.h"
#include "support/list_window.h"

namespace {

bool EndsInside(const char* field)
{
    return memchr(field, '\0', kTextBufferSize) != nullptr;
}

// ---------------------------------------------------------------------------------------
// NewRuntimeEntry

TEST(NewRuntimeEntryTest, ComposesTheDisplayText)
{
    struct Case {
        const char* label;
        const char* starter;
        const char* version;
        const char* name;
    };
    const Case cases[] = {
        {kBundledLabel, "C:\\Q\\jre\\bin\\javaw.exe", "", "Bundled Java Runtime Environment"},
        {kSunLabel, "C:\\J\\bin\\javaw.exe", "1.3.1_04",
         "Sun Java Runtime Environment (1.3.1_04)"},
        {kSunLabel, "C:\\J\\bin\\jrew.exe", "1.4", "Sun Java Runtime Environment (1.4)"},
        {kMicrosoftLabel, "C:\\windows\\wjview.exe", "5.0.0.381",
         "Microsoft Java Runtime Environment (5.0.0.381)"},
        {kSunLabel, "", "x", "Sun Java Runtime Environment (x)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RuntimeEntry* entry = NewRuntimeEntry(c.label, c.starter, c.version);
        ASSERT_NE(nullptr, entry);
        EXPECT_STREQ(c.name, entry->name);
        EXPECT_STREQ(c.starter, entry->starter);
        EXPECT_STREQ(c.version, entry->version);
        EXPECT_STREQ("start.jar", entry->classes);
        FreeRuntimeEntry(entry);
    }
}

// The record's first field is its display text, so its address serves as the item text.
TEST(NewRuntimeEntryTest, NameIsAtTheRecordsAddress)
{
    RuntimeEntry* entry = NewRuntimeEntry(kSunLabel, "C:\\J\\bin\\javaw.exe", "1.4");
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(static_cast<void*>(entry), static_cast<void*>(entry->name));
    EXPECT_EQ(4 * kTextBufferSize, sizeof(RuntimeEntry));
    FreeRuntimeEntry(entry);
}

// A text that does not fit its 260-byte field gives no entry rather than a cut one.
TEST(NewRuntimeEntryTest, TextsThatDoNotFitGiveNoEntry)
{
    const std::string label259(259, 'L');
    const std::string starter259 = "C:\\" + std::string(252, 's') + ".exe";
    // " (" + version + ")" after the 28 characters of the JavaSoft label.
    const std::string version228(228, '1');
    struct Case {
        const char* what;
        std::string label;
        std::string starter;
        std::string version;
        bool made;
    };
    const Case cases[] = {
        {"starter of 259", kSunLabel, starter259, "1.4", true},
        {"starter of 260", kSunLabel, starter259 + "x", "1.4", false},
        {"starter of 1000", kSunLabel, std::string(1000, 's'), "1.4", false},
        {"name of 259", kSunLabel, "C:\\J\\bin\\javaw.exe", version228, true},
        {"name of 260", kSunLabel, "C:\\J\\bin\\javaw.exe", version228 + "2", false},
        {"version of 259, name longer", kSunLabel, "C:\\J\\bin\\javaw.exe",
         std::string(259, 'v'), false},
        {"version of 300", kSunLabel, "C:\\J\\bin\\javaw.exe", std::string(300, 'v'), false},
        {"label of 259 alone", label259, "C:\\J\\bin\\javaw.exe", "", true},
        {"label of 260 alone", label259 + "L", "C:\\J\\bin\\javaw.exe", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeEntry* entry =
            NewRuntimeEntry(c.label.c_str(), c.starter.c_str(), c.version.c_str());
        ASSERT_EQ(c.made, entry != nullptr);
        if (entry == nullptr)
            continue;
        EXPECT_TRUE(EndsInside(entry->name));
        EXPECT_TRUE(EndsInside(entry->starter));
        EXPECT_TRUE(EndsInside(entry->version));
        EXPECT_TRUE(EndsInside(entry->classes));
        const std::string name =
            c.version.empty() ? c.label : c.label + " (" + c.version + ")";
        EXPECT_EQ(name, entry->name);
        EXPECT_EQ(c.starter, entry->starter);
        EXPECT_EQ(c.version, entry->version);
        EXPECT_STREQ("start.jar", entry->classes);
        FreeRuntimeEntry(entry);
    }
}

// ---------------------------------------------------------------------------------------
// AddListEntry

TEST(AddListEntryTest, AppendsItemWithTheEntryAsValue)
{
    ListWindow window;
    const char* const versions[] = {"2", "10", "1", ""};
    std::vector<RuntimeEntry*> entries;
    for (const char* version : versions) {
        RuntimeEntry* entry = NewRuntimeEntry(kSunLabel, "C:\\J\\bin\\javaw.exe", version);
        ASSERT_NE(nullptr, entry);
        EXPECT_TRUE(AddListEntry(window.list(), entry));
        entries.push_back(entry);
    }
    // Unsorted: the order of adding.
    const std::vector<std::string> expected = {
        "Sun Java Runtime Environment (2)|C:\\J\\bin\\javaw.exe|2",
        "Sun Java Runtime Environment (10)|C:\\J\\bin\\javaw.exe|10",
        "Sun Java Runtime Environment (1)|C:\\J\\bin\\javaw.exe|1",
        "Sun Java Runtime Environment|C:\\J\\bin\\javaw.exe|",
    };
    EXPECT_EQ(expected, DescribeList(window.list()));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(reinterpret_cast<LRESULT>(entries[i]),
                  SendMessageA(window.list(), LB_GETITEMDATA, i, 0));
    }
    ReleaseRuntimeList(window.list());
}

// The list box class, with LB_ADDSTRING answered by a refusal. Wine's list box refuses an
// item only when memory runs out, which a test cannot bring about in a controlled way; the
// rest of the window is the real list box.
WNDPROC g_listBoxProc = nullptr;
LRESULT g_refusal = LB_ERRSPACE;
int g_setItemDataCount = 0;

LRESULT CALLBACK RefusingListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_ADDSTRING)
        return g_refusal;
    if (message == LB_SETITEMDATA)
        ++g_setItemDataCount;
    return CallWindowProcA(g_listBoxProc, window, message, wParam, lParam);
}

class RefusingListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_setItemDataCount = 0;
        g_listBoxProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            window_.list(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingListBoxProc)));
        ASSERT_NE(nullptr, g_listBoxProc);
    }
    void TearDown() override
    {
        SetWindowLongPtrA(window_.list(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listBoxProc));
    }

    // Heap growth over count entries made and handed to list.
    static long long GrowthOverAdds(HWND list, int count)
    {
        std::vector<bool> results(count);  // no allocation inside the measured loop
        const size_t before = HeapBytesInUse();
        for (int i = 0; i < count; ++i) {
            RuntimeEntry* entry = NewRuntimeEntry(kSunLabel, "C:\\J\\bin\\javaw.exe", "1.4");
            results[i] = entry != nullptr && AddListEntry(list, entry);
        }
        const size_t after = HeapBytesInUse();
        return static_cast<long long>(after) - static_cast<long long>(before);
    }

    ListWindow window_;
};

TEST_F(RefusingListTest, RefusedEntryIsNotGivenAnItemValue)
{
    for (LRESULT refusal : {static_cast<LRESULT>(LB_ERRSPACE), static_cast<LRESULT>(LB_ERR)}) {
        SCOPED_TRACE("refusal " + std::to_string(refusal));
        g_refusal = refusal;
        RuntimeEntry* entry = NewRuntimeEntry(kSunLabel, "C:\\J\\bin\\javaw.exe", "1.4");
        ASSERT_NE(nullptr, entry);
        EXPECT_FALSE(AddListEntry(window_.list(), entry));
        EXPECT_EQ(0, SendMessageA(window_.list(), LB_GETCOUNT, 0, 0));
        EXPECT_EQ(0, g_setItemDataCount);
    }
}

// 2,000 refused entries of 1,040 bytes would hold 2 MB if they leaked. The same count
// accepted shows that the measure sees entries that are held.
TEST_F(RefusingListTest, RefusedEntriesAreReleased)
{
    const int count = 2000;
    const long long entryBytes = static_cast<long long>(sizeof(RuntimeEntry));
    g_refusal = LB_ERRSPACE;
    GrowthOverAdds(window_.list(), 50);  // lets lazily made runtime state settle first
    const long long refused = GrowthOverAdds(window_.list(), count);
    EXPECT_LT(refused, count * entryBytes / 10) << "refused entries leaked";
    EXPECT_EQ(0, SendMessageA(window_.list(), LB_GETCOUNT, 0, 0));

    // Accepted: the list box holds every entry until the list is released.
    SetWindowLongPtrA(window_.list(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listBoxProc));
    const size_t baseline = HeapBytesInUse();
    const long long held = GrowthOverAdds(window_.list(), count);
    EXPECT_GE(held, count * entryBytes);
    ASSERT_EQ(count, SendMessageA(window_.list(), LB_GETCOUNT, 0, 0));
    ReleaseRuntimeList(window_.list());
    SendMessageA(window_.list(), LB_RESETCONTENT, 0, 0);
    const long long left = static_cast<long long>(HeapBytesInUse()) - static_cast<long long>(baseline);
    EXPECT_LT(left, count * entryBytes / 10) << "released entries still held";
    SetWindowLongPtrA(window_.list(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingListBoxProc));
}

TEST(AddListEntryNullListTest, NoWindowTakesNoEntry)
{
    const size_t before = HeapBytesInUse();
    for (int i = 0; i < 1000; ++i) {
        RuntimeEntry* entry = NewRuntimeEntry(kBundledLabel, "C:\\Q\\jre\\bin\\javaw.exe", "");
        ASSERT_NE(nullptr, entry);
        ASSERT_FALSE(AddListEntry(nullptr, entry));
    }
    const long long growth = static_cast<long long>(HeapBytesInUse()) - static_cast<long long>(before);
    EXPECT_LT(growth, 1000LL * static_cast<long long>(sizeof(RuntimeEntry)) / 10);
}

}  // namespace
