// The driver's window operations. Texts cross the process boundary as UTF-16: under Wine
// an ANSI LB_GETTEXT from another process brings back only the first character, while the
// wide messages are marshalled whole.
#include "driver/driver.h"

#include <cstdio>
#include <cstring>

const char kDialogCaption[] = "Quillfern";
const char kMessageCaption[] = "Fatal Error";

namespace {

const char kDialogClass[] = "#32770";
const int kRuntimeListId = 1000;
const DWORD kPollMs = 10;
// A window that does not answer within this time is taken as hung.
const UINT kAnswerMs = 5000;

bool Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    DWORD_PTR value = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs,
                            &value) == 0)
        return false;
    if (result != nullptr)
        *result = static_cast<LRESULT>(value);
    return true;
}

std::string ToAnsi(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size,
                        nullptr, nullptr);
    return text;
}

bool ReadWindowText(HWND window, std::string* text)
{
    LRESULT length = 0;
    if (!Answer(window, WM_GETTEXTLENGTH, 0, 0, &length) || length < 0)
        return false;
    std::wstring wide(static_cast<size_t>(length) + 1, L'\xbdbd');
    LRESULT copied = 0;
    if (!Answer(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0]), &copied) ||
        copied != length)
        return false;
    wide.resize(static_cast<size_t>(copied));
    *text = ToAnsi(wide);
    return true;
}

// A visible top-level window of the dialog class with this caption, owned by pid (0: any).
HWND FindTopLevel(const char* caption, DWORD pid)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kDialogClass, caption)) != nullptr) {
        if (!IsWindowVisible(window))
            continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (pid == 0 || owner == pid)
            return window;
    }
    return nullptr;
}

HWND RuntimeList(HWND dialog)
{
    return GetDlgItem(dialog, kRuntimeListId);
}

// Every 24-bit pixel of the screen inside rect, rows bottom-up and padded to 4 bytes.
bool CaptureScreen(const RECT& rect, std::vector<BYTE>* pixels, BITMAPINFOHEADER* header)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return false;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool captured = false;
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        captured = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top,
                          SRCCOPY | CAPTUREBLT) != 0;
        SelectObject(memory, previous);
    }
    if (captured) {
        memset(header, 0, sizeof(*header));
        header->biSize = sizeof(*header);
        header->biWidth = width;
        header->biHeight = height;
        header->biPlanes = 1;
        header->biBitCount = 24;
        header->biCompression = BI_RGB;
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        header->biSizeImage = stride * static_cast<DWORD>(height);
        pixels->assign(header->biSizeImage, 0xbd);
        BITMAPINFO info;
        memset(&info, 0, sizeof(info));
        info.bmiHeader = *header;
        captured = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels->data(), &info,
                             DIB_RGB_COLORS) == height;
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (memory != nullptr)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return captured;
}

bool WriteBitmapFile(const char* path, const BITMAPINFOHEADER& header,
                     const std::vector<BYTE>& pixels)
{
    BITMAPFILEHEADER file;
    memset(&file, 0, sizeof(file));
    file.bfType = 0x4d42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = fopen(path, "wb");
    if (out == nullptr)
        return false;
    const bool written = fwrite(&file, sizeof(file), 1, out) == 1 &&
                         fwrite(&header, sizeof(header), 1, out) == 1 &&
                         fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return fclose(out) == 0 && written;
}

}  // namespace

HWND FindDialog(DWORD pid)
{
    return FindTopLevel(kDialogCaption, pid);
}

HWND FindMessageBox(DWORD pid)
{
    return FindTopLevel(kMessageCaption, pid);
}

Seen WaitFor(unsigned what, DWORD pid, HANDLE process, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (what & kWatchMessage) {
            if (HWND box = FindMessageBox(pid))
                return Seen{kSeenMessage, box};
        }
        if (what & kWatchDialog) {
            if (HWND dialog = FindDialog(pid))
                return Seen{kSeenDialog, dialog};
        }
        if (process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return Seen{kSeenExit, nullptr};
        if (GetTickCount() - start >= timeoutMs)
            return Seen{kSeenNothing, nullptr};
        Sleep(kPollMs);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

bool ReadMessageText(HWND box, std::string* text)
{
    // The box holds two statics: the icon (SS_ICON) and the text.
    HWND child = nullptr;
    while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON)
            continue;
        std::string candidate;
        if (ReadWindowText(child, &candidate) && !candidate.empty()) {
            *text = candidate;
            return true;
        }
    }
    return false;
}

bool DismissMessage(HWND box, DWORD timeoutMs)
{
    HWND ok = GetDlgItem(box, IDOK);
    if (!PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok)))
        return false;
    return WaitUntilGone(box, timeoutMs);
}

bool ReadRuntimeList(HWND dialog, ListState* state)
{
    HWND list = RuntimeList(dialog);
    if (list == nullptr)
        return false;
    LRESULT count = 0;
    LRESULT selection = 0;
    if (!Answer(list, LB_GETCOUNT, 0, 0, &count) || count < 0 ||
        !Answer(list, LB_GETCURSEL, 0, 0, &selection))
        return false;
    state->count = static_cast<int>(count);
    state->selection = static_cast<int>(selection);
    state->items.clear();
    for (LRESULT index = 0; index < count; ++index) {
        LRESULT length = 0;
        if (!Answer(list, LB_GETTEXTLEN, index, 0, &length) || length < 0)
            return false;
        std::wstring wide(static_cast<size_t>(length) + 1, L'\xbdbd');
        LRESULT copied = 0;
        if (!Answer(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]), &copied) ||
            copied != length)
            return false;
        wide.resize(static_cast<size_t>(copied));
        state->items.push_back(ToAnsi(wide));
    }
    return true;
}

bool SelectRuntime(HWND dialog, int index)
{
    HWND list = RuntimeList(dialog);
    LRESULT count = 0;
    if (list == nullptr || !Answer(list, LB_GETCOUNT, 0, 0, &count) || index < 0 ||
        index >= count)
        return false;
    // Scrolled into view first, as the user would, then clicked in its middle.
    LRESULT top = 0;
    LRESULT height = 0;
    RECT client;
    if (!Answer(list, LB_SETTOPINDEX, index, 0, nullptr) ||
        !Answer(list, LB_GETTOPINDEX, 0, 0, &top) ||
        !Answer(list, LB_GETITEMHEIGHT, index, 0, &height) || height <= 0 ||
        !GetClientRect(list, &client))
        return false;
    const int y = static_cast<int>((index - top) * height + height / 2);
    if (y < 0 || y >= client.bottom)
        return false;
    const LPARAM point = MAKELPARAM(client.right / 2, y);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    // The clicks are posted; a sent question is answered before them, so ask until the
    // selection shows.
    const DWORD start = GetTickCount();
    for (;;) {
        LRESULT selected = LB_ERR;
        if (Answer(list, LB_GETCURSEL, 0, 0, &selected) && selected == index)
            return true;
        if (GetTickCount() - start >= kAnswerMs)
            return false;
        Sleep(kPollMs);
    }
}

bool PressButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0);
}

bool PressEscape(HWND dialog)
{
    // Posted to the control with the focus, where the dialog's IsDialogMessage meets it.
    GUITHREADINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) &&
        info.hwndFocus != nullptr && IsChild(dialog, info.hwndFocus))
        target = info.hwndFocus;
    const UINT scanCode = MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    const LPARAM up = down | (1L << 30) | (1L << 31);
    if (!PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, down))
        return false;
    // The key-down may end the dialog before the key-up is posted: the release then has
    // no window left to go to, as when a user lets go of the key.
    PostMessageA(target, WM_KEYUP, VK_ESCAPE, up);
    return true;
}

bool PressCloseBox(HWND dialog)
{
    return PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
}

bool SaveScreenshot(HWND window, const char* path)
{
    // Tests of other Wine prefixes may share the display and open windows on top of this
    // one; it is raised above them for the picture.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Answered only once the thread is back in its message loop; painting follows when its
    // queue is empty, so the picture is taken once two captures agree.
    if (!Answer(window, WM_NULL, 0, 0, nullptr))
        return false;
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    std::vector<BYTE> previous;
    std::vector<BYTE> pixels;
    BITMAPINFOHEADER header;
    const DWORD start = GetTickCount();
    for (;;) {
        Sleep(50);
        if (!CaptureScreen(rect, &pixels, &header))
            return false;
        if (pixels == previous || GetTickCount() - start >= kAnswerMs)
            break;
        previous.swap(pixels);
    }
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return WriteBitmapFile(path, header, pixels);
}
