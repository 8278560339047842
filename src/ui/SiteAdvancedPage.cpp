// The "Advanced Properties" page of the site sheet: the label and the start
// folders on both sides.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include "net/TextCodec.h"
#include "store/ServerAddress.h"
#include "ui/DialogFields.h"
#include "ui/FtpExplorerDialog.h"
#include "ui/HelpTopic.h"
#include "ui/SiteDialogIds.h"
#include "ui/SiteFieldChecks.h"
#include "ui/SiteSheetState.h"

namespace {

const wchar_t kRecentTip[] =
    L"Tarnwick can remember the %ls folder you used on the last connection to this site. If you want Tarnwick to "
    L"restore this folder on every connection to this site then tick this option.";
const wchar_t kAlwaysTip[] =
    L"If you want Tarnwick to use a specific folder always on every connection to this site then tick this option.";

std::wstring RecentTip(const wchar_t* side)
{
    wchar_t text[400];
    swprintf(text, 400, kRecentTip, side);
    return text;
}

std::wstring DocumentsFolder()
{
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void UpdatePathStates(HWND page)
{
    bool remote = IsTicked(page, IDC_AP_REMOTE_ALWAYS);
    EnableWindow(GetDlgItem(page, IDC_AP_REMOTE_PATH), remote);
    EnableWindow(GetDlgItem(page, IDC_AP_REMOTE_BROWSE), remote);
    bool local = IsTicked(page, IDC_AP_LOCAL_ALWAYS);
    EnableWindow(GetDlgItem(page, IDC_AP_LOCAL_PATH), local);
    EnableWindow(GetDlgItem(page, IDC_AP_LOCAL_BROWSE), local);
}

void Initialise(HWND page, SiteSheetState& state)
{
    state.advancedPage = page;
    std::wstring documents = DocumentsFolder();
    SetCue(page, IDC_AP_REMOTE_PATH, L"eg. /var/www/html");
    SetCue(page, IDC_AP_LOCAL_PATH, documents);
    SendDlgItemMessageW(page, IDC_AP_LABEL, EM_LIMITTEXT, 259, 0);
    bool recentRemote = true;
    bool recentLocal = true;
    if (state.IsNew()) {
        SetFieldText(page, IDC_AP_LOCAL_PATH, documents);
    } else {
        SetFieldText(page, IDC_AP_LABEL, state.previousLabel);
        recentRemote = ReadBool(state.slot, L"UseRecentRemote", true);
        recentLocal = ReadBool(state.slot, L"UseRecentLocal", true);
        SetFieldText(page, IDC_AP_REMOTE_PATH, ReadString(state.slot, L"Directory", L"/"));
        SetFieldText(page, IDC_AP_LOCAL_PATH, ReadString(state.slot, L"LocalDirectory", L"C:\\"));
    }
    SetTicked(page, recentRemote ? IDC_AP_REMOTE_RECENT : IDC_AP_REMOTE_ALWAYS, true);
    SetTicked(page, recentLocal ? IDC_AP_LOCAL_RECENT : IDC_AP_LOCAL_ALWAYS, true);
    UpdatePathStates(page);

    state.advancedTips.Create(page);
    state.advancedTips.Add(GetDlgItem(page, IDC_AP_LABEL),
                           L"A name for the site you are setting up.  This can be anything that will help you "
                           L"remember the site.");
    state.advancedTips.Add(GetDlgItem(page, IDC_AP_REMOTE_RECENT), RecentTip(L"remote"));
    state.advancedTips.Add(GetDlgItem(page, IDC_AP_REMOTE_ALWAYS), kAlwaysTip);
    state.advancedTips.Add(GetDlgItem(page, IDC_AP_LOCAL_RECENT), RecentTip(L"local"));
    state.advancedTips.Add(GetDlgItem(page, IDC_AP_LOCAL_ALWAYS), kAlwaysTip);
}

void BrowseRemote(HWND page, SiteSheetState& state)
{
    HWND site = state.sitePage;
    std::wstring server = FieldText(site, IDC_SP_SERVER);
    if (TrimSpaces(server).empty()) {
        FieldError error = InvalidServerError();
        ShowSheetPage(state, site);
        ShowFieldError(GetDlgItem(site, IDC_SP_SERVER), error.caption, error.text);
        return;
    }
    ExplorerSite target;
    target.host = JoinServerPort(SplitServerField(server).host, FieldText(site, IDC_SP_PORT));
    target.user = FieldText(site, IDC_SP_USER);
    target.password = FieldText(site, IDC_SP_PASSWORD);
    SecurityChoice security = SelectedSecurity(site, IDC_SP_SECURITY);
    target.tls = security != SecurityChoice::Plain;
    target.implicitTls = security == SecurityChoice::Implicit;
    std::wstring folder = FieldText(page, IDC_AP_REMOTE_PATH);
    if (OpenFtpExplorer(state.sheet, target, folder))
        SetFieldText(page, IDC_AP_REMOTE_PATH, folder);
}

}  // namespace

INT_PTR CALLBACK AdvancedPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<SiteSheetState*>(GetWindowLongPtrW(page, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<SiteSheetState*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        Initialise(page, *state);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_AP_REMOTE_RECENT:
        case IDC_AP_REMOTE_ALWAYS:
        case IDC_AP_LOCAL_RECENT:
        case IDC_AP_LOCAL_ALWAYS:
            UpdatePathStates(page);
            return TRUE;
        case IDC_AP_REMOTE_BROWSE:
            BrowseRemote(page, *state);
            return TRUE;
        case IDC_AP_LOCAL_BROWSE:
            PickFolderIntoField(page, IDC_AP_LOCAL_PATH, L"Select local folder", BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == PSN_HELP)
            ShowHelpTopic(page, L"advprop");
        return FALSE;
    }
    default:
        return FALSE;
    }
}
