// The floor of the start-up benchmark: the program's own dialog template 103, shown empty
// and owned by the desktop window, and nothing else (no settings, no icon, no search).
#include <windows.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(hDlg, 0);
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_RUNTIME_DIALOG), GetDesktopWindow(),
                    EmptyDialogProc, 0);
    return 0;
}
