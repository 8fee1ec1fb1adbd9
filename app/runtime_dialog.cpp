// The dialog procedure: it only routes messages to one short handler each.
#include "app/runtime_dialog.h"

#include "app/messages.h"
#include "discovery/runtime_list.h"
#include "res/messages.h"
#include "res/resource.h"
#include "settings/product_settings.h"

HICON g_icon = nullptr;
HWND g_runtimeList = nullptr;

namespace {

// A failed step ends the dialog before it is shown but does not stop the sequence, so
// both fatal messages can appear, the settings one first.
void OnInitDialog(HWND hDlg)
{
    if (!LoadInstallSettings()) {
        ShowFatalError(kCannotLocateMessage);
        EndDialog(hDlg, 0);
    }

    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hDlg, GWLP_HINSTANCE));
    if (instance != nullptr && g_icon == nullptr) {
        g_icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_ICON));
        if (g_icon != nullptr)
            SendMessageA(hDlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_icon));
    }

    g_runtimeList = GetDlgItem(hDlg, IDC_RUNTIME_LIST);
    if (g_runtimeList == nullptr) {
        ShowFatalError(kInitUiFailedMessage);
        EndDialog(hDlg, 0);
    }

    InitRuntimeList(g_runtimeList);
}

void OnCommand(HWND hDlg, WORD id)
{
    switch (id) {
    case IDOK:
        ApplyRuntimeChoice(g_runtimeList);
        EndDialog(hDlg, 0);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 0);
        break;
    default:
        // List box notifications included: a double click does nothing.
        break;
    }
}

// Only a minimised dialog paints itself: its icon at the top-left corner.
BOOL OnPaint(HWND hDlg)
{
    if (!IsIconic(hDlg) || g_icon == nullptr)
        return FALSE;
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hDlg, &paint);
    DrawIcon(hdc, 0, 0, g_icon);
    EndPaint(hDlg, &paint);
    return TRUE;
}

}  // namespace

void ApplyRuntimeChoice(HWND list)
{
    if (!ApplySelection(list))
        ShowFatalError(kApplyFailedMessage);
}

INT_PTR CALLBACK RuntimeDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return FALSE;
    case WM_COMMAND:
        OnCommand(hDlg, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, 0);
        return FALSE;
    case WM_PAINT:
        return OnPaint(hDlg);
    case WM_DESTROY:
        ReleaseRuntimeList(g_runtimeList);
        return TRUE;
    default:
        return FALSE;
    }
}

int RunRuntimeDialog(HINSTANCE instance)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_RUNTIME_DIALOG), GetDesktopWindow(),
                    RuntimeDialogProc, 0);
    return 0;
}
