// OK when the registry takes "starter" and refuses "classes": the new "starter" stays,
// "classes" keeps its old value, and "Unable to apply changes!" is shown. Wine cannot refuse
// one value of a key and take another (a key's security covers all of its values), so the
// refusal is brought about in this process: the program's dialog runs here, from this
// executable's resources, and this executable's import of RegSetValueExA is replaced for
// the run by one that refuses "classes" and passes every other value on.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "app/runtime_dialog.h"
#include "driver/driver.h"
#include "e2e/session.h"
#include "support/machine_test.h"

namespace {

typedef LONG(WINAPI* RegSetValueExAFunction)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);

RegSetValueExAFunction g_realRegSetValueExA = nullptr;
int g_starterWrites = 0;
int g_classesWrites = 0;

LONG WINAPI RegSetValueExRefusingClasses(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                         const BYTE* data, DWORD size)
{
    if (name != nullptr && strcmp(name, "classes") == 0) {
        ++g_classesWrites;
        return ERROR_ACCESS_DENIED;
    }
    if (name != nullptr && strcmp(name, "starter") == 0)
        ++g_starterWrites;
    return g_realRegSetValueExA(key, name, reserved, type, data, size);
}

// Points this executable's import slot of dll!function at replacement while it lives. The
// program's registry code is linked into this executable, so its calls go through that slot.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement)
    {
        BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const IMAGE_NT_HEADERS* nt =
            reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (imports.VirtualAddress == 0)
            return;
        for (const IMAGE_IMPORT_DESCRIPTOR* d =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             d->Name != 0; ++d) {
            if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0 ||
                d->OriginalFirstThunk == 0)
                continue;
            const IMAGE_THUNK_DATA* names =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const IMAGE_IMPORT_BY_NAME* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                    slot_ = reinterpret_cast<void**>(&slots->u1.Function);
                    original_ = *slot_;
                    Write(replacement);
                    return;
                }
            }
        }
    }
    ~ImportPatch()
    {
        if (slot_ != nullptr)
            Write(original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool patched() const { return slot_ != nullptr; }
    void* original() const { return original_; }

private:
    void Write(void* value)
    {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(*slot_), PAGE_READWRITE, &protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(*slot_), protection, &protection);
    }

    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// What the user does, from a second thread while the dialog runs on this one: choose
// item 1, press OK, read and answer the message box. On any surprise it closes what is open,
// so that the dialog never waits for ever.
struct UserSession {
    bool sawDialog = false;
    int preselected = -2;
    std::string message;
};

DWORD WINAPI ActAsUser(void* parameter)
{
    UserSession* session = static_cast<UserSession*>(parameter);
    const DWORD pid = GetCurrentProcessId();
    const Seen opened = WaitFor(kWatchDialog | kWatchMessage, pid, nullptr, kWaitMs);
    if (opened.kind == kSeenMessage) {
        ReadMessageText(opened.window, &session->message);
        DismissMessage(opened.window, kWaitMs);
        return 0;
    }
    if (opened.kind != kSeenDialog)
        return 0;
    session->sawDialog = true;
    ListState list = {-2, -2, {}};
    if (ReadRuntimeList(opened.window, &list))
        session->preselected = list.selection;
    if (!SelectRuntime(opened.window, 1) || !PressButton(opened.window, IDOK)) {
        PressCloseBox(opened.window);
        return 0;
    }
    const Seen box = WaitFor(kWatchMessage, pid, nullptr, kWaitMs);
    if (box.kind == kSeenMessage) {
        ReadMessageText(box.window, &session->message);
        DismissMessage(box.window, kWaitMs);
    }
    return 0;
}

class ClassesWriteFailureTest : public MachineTest {};

TEST_F(ClassesWriteFailureTest, StarterStaysWrittenAndTheMessageShows)
{
    const std::string registered = "C:\\jt\\jre142\\bin\\javaw.exe";
    SeedProduct(kProductHome, kBundledLauncher, "old.jar");
    MakeLauncher(kBundledLauncher);
    MakeLauncher(registered);
    SeedRuntime("1.4.2", "C:\\jt\\jre142");
    const std::string before = DumpKeyTree(kTestVelmorKey);

    g_starterWrites = 0;
    g_classesWrites = 0;
    UserSession session;
    int result = -1;
    {
        ImportPatch patch("advapi32.dll", "RegSetValueExA",
                          reinterpret_cast<void*>(RegSetValueExRefusingClasses));
        ASSERT_TRUE(patch.patched()) << "no import of RegSetValueExA in this executable";
        g_realRegSetValueExA = reinterpret_cast<RegSetValueExAFunction>(patch.original());

        HANDLE user = CreateThread(nullptr, 0, ActAsUser, &session, 0, nullptr);
        ASSERT_NE(nullptr, user);
        result = RunRuntimeDialog(GetModuleHandleA(nullptr));
        WaitForSingleObject(user, kWaitMs);
        CloseHandle(user);
    }

    EXPECT_EQ(0, result);
    EXPECT_TRUE(session.sawDialog);
    EXPECT_EQ(0, session.preselected);
    EXPECT_EQ(kApplyFailedText, session.message);
    EXPECT_EQ(1, g_starterWrites);
    EXPECT_EQ(1, g_classesWrites) << "the hook did not see the \"classes\" write";
    // Only "starter" differs from before: the chosen launcher, as a whole REG_SZ text.
    const std::string after = DumpKeyTree(kTestVelmorKey);
    EXPECT_EQ(WithoutValue(before, "starter"), WithoutValue(after, "starter"));
    EXPECT_EQ(TextValueLine("starter", registered), ValueLine(after, "starter"));
    EXPECT_EQ(TextValueLine("classes", "old.jar"), ValueLine(after, "classes"));
}

}  // namespace
