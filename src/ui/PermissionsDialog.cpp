#include "ui/PermissionsDialog.h"

#include "ui/ControlIds.h"
#include "ui/HelpTopic.h"

namespace {

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* flags = reinterpret_cast<PermissionFlags*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        flags = reinterpret_cast<PermissionFlags*>(lParam);
        for (size_t i = 0; i < flags->size(); ++i)
            CheckDlgButton(dialog, IDC_PERMISSION_FIRST + static_cast<int>(i), (*flags)[i] ? BST_CHECKED : 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        for (size_t i = 0; i < flags->size(); ++i)
            (*flags)[i] = IsDlgButtonChecked(dialog, IDC_PERMISSION_FIRST + static_cast<int>(i)) == BST_CHECKED;
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (LOWORD(wParam) == IDHELP) {
        ShowHelpTopic(dialog, L"changefileperms");
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::optional<PermissionDigits> AskPermissions(HWND owner, const PermissionDigits& start)
{
    PermissionFlags flags = FlagsFromDigits(start);
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PERMISSIONS), owner, Procedure,
                        reinterpret_cast<LPARAM>(&flags)) != IDOK)
        return std::nullopt;
    return DigitsFromFlags(flags);
}
