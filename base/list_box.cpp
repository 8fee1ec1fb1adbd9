// List box messages, sent with SendMessageA on the runtime list.
#include "base/list_box.h"

#include "base/text_buffer.h"

int ListAddString(HWND list, const char* text)
{
    return static_cast<int>(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void ListSetItemData(HWND list, int index, const void* value)
{
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(value));
}

int ListGetCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
}

void* ListGetItemData(HWND list, int index)
{
    const LRESULT value = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (value == LB_ERR)
        return nullptr;
    return reinterpret_cast<void*>(value);
}

int ListGetCurSel(HWND list)
{
    return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

void ListSetCurSel(HWND list, int index)
{
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool ListGetText(HWND list, int index, char* out)
{
    out[0] = '\0';
    // LB_GETTEXT takes no buffer size: the length is asked for first.
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0 || static_cast<size_t>(length) >= kTextBufferSize)
        return false;
    const LRESULT copied =
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out));
    if (copied == LB_ERR || copied < 0 || static_cast<size_t>(copied) >= kTextBufferSize) {
        out[0] = '\0';
        return false;
    }
    out[copied] = '\0';
    return true;
}
