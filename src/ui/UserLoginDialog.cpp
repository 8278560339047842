#include "ui/UserLoginDialog.h"

#include "ui/DialogFields.h"
#include "ui/HelpTopic.h"
#include "ui/SiteDialogIds.h"

namespace {

struct LoginState {
    const std::wstring* server;
    const std::wstring* user;
    std::wstring password;
};

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<LoginState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<LoginState*>(lParam);
        SetFieldText(dialog, IDC_UL_SERVER, *state->server);
        SetFieldText(dialog, IDC_UL_USER, *state->user);
        SetFocus(GetDlgItem(dialog, IDC_UL_PASSWORD));
        return FALSE;  // the focus is set
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        state->password = FieldText(dialog, IDC_UL_PASSWORD);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDHELP:
        ShowHelpTopic(dialog, L"userlogin");
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

std::optional<std::wstring> UserLoginDialog::AskPassword(const std::wstring& server, const std::wstring& user)
{
    LoginState state{&server, &user, L""};
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_USER_LOGIN), owner_, Procedure,
                        reinterpret_cast<LPARAM>(&state)) != IDOK)
        return std::nullopt;
    return state.password;
}
