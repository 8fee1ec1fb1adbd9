// List box messages, sent with SendMessageA on the runtime list.
#include "app/list_box.h"

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
