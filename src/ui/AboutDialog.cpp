#include "ui/AboutDialog.h"

#include "TarnwickVersion.h"
#include "ui/AboutIds.h"
#include "ui/ControlIds.h"

namespace {

// The icon is drawn at 48 pixels on a 96-dpi screen and scaled with the
// screen's dots per inch, so that it stays sharp at 150% and 200%.
HICON LoadAboutIcon(HWND dialog)
{
    HDC screen = GetDC(dialog);
    int size = MulDiv(48, GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(dialog, screen);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TARNWICK), IMAGE_ICON, size, size, 0));
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(LoadAboutIcon(dialog)), 0);
        SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, L"Version " TARNWICK_VERSION_TEXT);
        SetDlgItemTextW(dialog, IDC_ABOUT_COPYRIGHT, L"" TARNWICK_COPYRIGHT);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        DestroyIcon(reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0)));
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowAboutDialog(HWND owner)
{
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, Procedure, 0);
}
