#include "ui/QuickConnectDialog.h"

#include "store/SiteSave.h"
#include "ui/DialogFields.h"
#include "ui/HelpTopic.h"
#include "ui/SiteDialogIds.h"
#include "ui/SiteFieldChecks.h"
#include "ui/Tooltip.h"

namespace {

struct QuickState {
    QuickConnection result;
    Tooltip tips;
};

void Initialise(HWND dialog, QuickState& state)
{
    FillSecurityList(dialog, IDC_QC_SECURITY, SecurityChoice::Plain);
    SendDlgItemMessageW(dialog, IDC_QC_PORT, EM_LIMITTEXT, 5, 0);
    SetCue(dialog, IDC_QC_SERVER, kServerCue);
    SetCue(dialog, IDC_QC_PORT, L"e.g. 21, or 990 Implicit SSL");
    EnableWindow(GetDlgItem(dialog, IDC_QC_SAVE_PASSWORD), FALSE);
    state.tips.Create(dialog);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_SERVER), kServerTip);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_PORT), kPortTip);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_USER), kUserTip);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_PASSWORD), kPasswordTip);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_SECURITY), kSecurityTip);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_SAVE_PASSWORD), kRememberTip);
    state.tips.Add(GetDlgItem(dialog, IDC_QC_SAVE_CONNECTION), L"Tick this option if you want to save the connection.");
}

bool Accept(HWND dialog, QuickState& state)
{
    std::wstring server = FieldText(dialog, IDC_QC_SERVER);
    std::wstring port = FieldText(dialog, IDC_QC_PORT);
    std::wstring password = FieldText(dialog, IDC_QC_PASSWORD);
    bool saveConnection = IsTicked(dialog, IDC_QC_SAVE_CONNECTION);
    bool savePassword = saveConnection && IsTicked(dialog, IDC_QC_SAVE_PASSWORD);
    QuickFields fields;
    if (auto error = CheckQuickFields(server, port, FieldText(dialog, IDC_QC_USER), password, savePassword, fields)) {
        int id = error->field == SiteField::Password ? IDC_QC_PASSWORD : IDC_QC_SERVER;
        if (error->field == SiteField::Password)
            SetFieldText(dialog, IDC_QC_SERVER, fields.host);
        ShowFieldError(GetDlgItem(dialog, id), error->caption, error->text);
        return false;
    }
    SetFieldText(dialog, IDC_QC_SERVER, fields.host);
    SecurityChoice security = SelectedSecurity(dialog, IDC_QC_SECURITY);
    QuickConnection& result = state.result;
    result.server = fields.server;
    result.user = fields.user;
    result.password = password;
    result.label = L"Quick Connection";
    result.keepRecentFolders = false;
    if (saveConnection) {
        std::wstring label = SaveQuickSite(fields.host, port, fields.user, password, savePassword, security);
        if (!label.empty()) {
            result.label = label;
            result.keepRecentFolders = true;
        }
    }
    result.secure = security != SecurityChoice::Plain;
    result.implicit = security == SecurityChoice::Implicit;
    return true;
}

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<QuickState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Initialise(dialog, *reinterpret_cast<QuickState*>(lParam));
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_QC_SAVE_CONNECTION:
        EnableWindow(GetDlgItem(dialog, IDC_QC_SAVE_PASSWORD), IsTicked(dialog, IDC_QC_SAVE_CONNECTION));
        return TRUE;
    case IDOK:
        if (Accept(dialog, *state))
            EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDHELP:
        ShowHelpTopic(dialog, L"quickconnect");
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

std::optional<QuickConnection> AskQuickConnection(HWND owner)
{
    QuickState state;
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_QUICK_CONNECT), owner, Procedure,
                        reinterpret_cast<LPARAM>(&state)) != IDOK)
        return std::nullopt;
    return state.result;
}
