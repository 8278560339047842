#include "ui/SitePropertiesSheet.h"

#include <commctrl.h>

#include "net/TextCodec.h"
#include "ops/ConnectionParameters.h"
#include "ops/ProxySettingsStore.h"
#include "store/ProtectedValues.h"
#include "store/ServerAddress.h"
#include "store/SiteSave.h"
#include "store/SiteStore.h"
#include "ui/ConnectionTestDialog.h"
#include "ui/DialogFields.h"
#include "ui/HelpTopic.h"
#include "ui/MessagePrompt.h"
#include "ui/SheetPage.h"
#include "ui/SiteDialogIds.h"
#include "ui/SiteFieldChecks.h"
#include "ui/SiteSheetState.h"

namespace {

constexpr int kMaxPageTries = 64;

void InitialiseSitePage(HWND page, SiteSheetState& state)
{
    state.sitePage = page;
    state.sheet = GetParent(page);
    SetDlgItemTextW(state.sheet, IDOK, state.IsNew() ? L"Add Site" : L"Save Site");
    SendDlgItemMessageW(page, IDC_SP_PORT, EM_LIMITTEXT, 5, 0);
    SetCue(page, IDC_SP_SERVER, kServerCue);
    SetCue(page, IDC_SP_USER, L"e.g. anonymous");
    SecurityChoice security = SecurityChoice::Plain;
    if (state.IsNew()) {
        SetTicked(page, IDC_SP_REMEMBER, true);
    } else {
        std::wstring server = ReadString(state.slot, L"Server");
        size_t colon = server.find(L':');
        SetFieldText(page, IDC_SP_SERVER, server.substr(0, colon));
        SetFieldText(page, IDC_SP_PORT, colon == std::wstring::npos ? L"" : server.substr(colon + 1));
        SetFieldText(page, IDC_SP_USER,
                     state.previousUser.empty() ? ReadString(state.slot, L"UserName") : state.previousUser);
        SetFieldText(page, IDC_SP_PASSWORD, ReadProtected(state.slot, L"Password"));
        SetTicked(page, IDC_SP_REMEMBER, ReadBool(state.slot, L"RemP", false));
        security = ReadBool(state.slot, L"UseExplicitSSL", false)   ? SecurityChoice::Explicit
                   : ReadBool(state.slot, L"UseImplicitSSL", false) ? SecurityChoice::Implicit
                                                                    : SecurityChoice::Plain;
    }
    FillSecurityList(page, IDC_SP_SECURITY, security);
    SetCue(page, IDC_SP_PORT, PortCue(security));

    state.siteTips.Create(page);
    state.siteTips.Add(GetDlgItem(page, IDC_SP_SERVER), kServerTip);
    state.siteTips.Add(GetDlgItem(page, IDC_SP_PORT), kPortTip);
    state.siteTips.Add(GetDlgItem(page, IDC_SP_USER), kUserTip);
    state.siteTips.Add(GetDlgItem(page, IDC_SP_PASSWORD), kPasswordTip);
    state.siteTips.Add(GetDlgItem(page, IDC_SP_SECURITY), kSecurityTip);
    state.siteTips.Add(GetDlgItem(page, IDC_SP_REMEMBER), kRememberTip);
}

bool Ask(SiteSheetState& state, const PromptQuestion& question)
{
    state.asking = true;
    bool accepted = MessagePrompt(state.sheet).Ask(question).accepted;
    state.asking = false;
    return accepted;
}

void SecurityChanged(HWND page, SiteSheetState& state)
{
    SecurityChoice security = SelectedSecurity(page, IDC_SP_SECURITY);
    SetCue(page, IDC_SP_PORT, PortCue(security));
    if (auto question = DefaultPortQuestion(security, FieldText(page, IDC_SP_PORT)))
        if (Ask(state, *question))
            SetFieldText(page, IDC_SP_PORT, DefaultPortText(security));
}

void PortLeft(HWND page, SiteSheetState& state)
{
    if (state.asking)
        return;
    auto question = ImplicitPortQuestion(SelectedSecurity(page, IDC_SP_SECURITY), FieldText(page, IDC_SP_PORT));
    if (question && Ask(state, *question)) {
        SelectSecurity(page, IDC_SP_SECURITY, SecurityChoice::Implicit);
        SetCue(page, IDC_SP_PORT, PortCue(SecurityChoice::Implicit));
    }
}

bool FolderExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(TrimSpaces(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

SiteDialogValues ReadValues(const SiteSheetState& state)
{
    HWND page = state.sitePage;
    SiteDialogValues values;
    values.server = FieldText(page, IDC_SP_SERVER);
    values.port = FieldText(page, IDC_SP_PORT);
    values.user = FieldText(page, IDC_SP_USER);
    values.password = FieldText(page, IDC_SP_PASSWORD);
    values.rememberPassword = IsTicked(page, IDC_SP_REMEMBER);
    values.security = SelectedSecurity(page, IDC_SP_SECURITY);
    if (HWND advanced = state.advancedPage) {
        SiteFolderChoices choices;
        choices.label = FieldText(advanced, IDC_AP_LABEL);
        choices.useRecentRemote = IsTicked(advanced, IDC_AP_REMOTE_RECENT);
        choices.remotePath = FieldText(advanced, IDC_AP_REMOTE_PATH);
        choices.useRecentLocal = IsTicked(advanced, IDC_AP_LOCAL_RECENT);
        choices.localPath = FieldText(advanced, IDC_AP_LOCAL_PATH);
        values.advanced = choices;
    }
    return values;
}

void ShowError(const SiteSheetState& state, const FieldError& error)
{
    bool onAdvanced = error.field == SiteField::Label || error.field == SiteField::RemotePath ||
                      error.field == SiteField::LocalPath;
    HWND page = onAdvanced ? state.advancedPage : state.sitePage;
    int id = error.field == SiteField::Label        ? IDC_AP_LABEL
             : error.field == SiteField::RemotePath ? IDC_AP_REMOTE_PATH
             : error.field == SiteField::LocalPath  ? IDC_AP_LOCAL_PATH
                                                    : IDC_SP_SERVER;
    ShowSheetPage(state, page);
    ShowFieldError(GetDlgItem(page, id), error.caption, error.text);
}

std::optional<FieldError> CheckFields(const SiteDialogValues& values, const SiteSheetState& state)
{
    SiteSheetFields fields;
    fields.server = values.server;
    fields.port = values.port;
    if (values.advanced) {
        fields.advancedOpened = true;
        fields.label = values.advanced->label;
        fields.labelProblem = CheckSiteLabel(TrimSpaces(values.advanced->label), state.previousLabel);
        fields.remoteAlways = !values.advanced->useRecentRemote;
        fields.remotePath = values.advanced->remotePath;
        fields.localPathExists = FolderExists(values.advanced->localPath);
    }
    return FirstSiteSheetError(fields);
}

void TestSavedSite(const SiteDialogValues& values, HWND owner)
{
    ServerTest test;
    std::wstring server = JoinServerPort(SplitServerField(values.server).host, values.port);
    NormalizeServerAddress(server);
    test.host = server;
    std::wstring user = TrimSpaces(values.user);
    test.user = user.empty() ? L"anonymous" : user;
    test.password = values.password;
    if (AsciiLower(test.user) == L"anonymous" && test.password.empty())
        test.password = kAnonymousPassword;
    test.startFolder = values.advanced ? TrimSpaces(values.advanced->remotePath) : L"/";
    test.useTls = values.security != SecurityChoice::Plain;
    test.implicitTls = values.security == SecurityChoice::Implicit;
    test.proxy = ReadProxySettings();
    RunConnectionTest(owner, test);
}

// OK of the sheet: false keeps it open.
bool Apply(SiteSheetState& state)
{
    SiteDialogValues values = ReadValues(state);
    if (auto error = CheckFields(values, state)) {
        ShowError(state, *error);
        return false;
    }
    if (values.password.empty()) {
        values.rememberPassword = false;
        SetTicked(state.sitePage, IDC_SP_REMEMBER, false);
    }
    std::wstring label = SaveSite(values, state.previousLabel);
    if (label.empty()) {
        ShowError(state, InvalidServerError());
        return false;
    }
    TestSavedSite(values, state.sheet);
    state.savedLabel = label;
    return true;
}

INT_PTR CALLBACK SitePageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<SiteSheetState*>(GetWindowLongPtrW(page, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<SiteSheetState*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        InitialiseSitePage(page, *state);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SP_SECURITY && HIWORD(wParam) == CBN_SELCHANGE)
            SecurityChanged(page, *state);
        else if (LOWORD(wParam) == IDC_SP_PORT && HIWORD(wParam) == EN_KILLFOCUS)
            PortLeft(page, *state);
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == PSN_HELP) {
            ShowHelpTopic(page, L"siteprop");
        } else if (header->code == PSN_APPLY) {
            SetWindowLongPtrW(page, DWLP_MSGRESULT, Apply(*state) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

void ShowSheetPage(const SiteSheetState& state, HWND page)
{
    if (!page)
        return;
    int index = page == state.sitePage ? 0 : 1;
    for (int tries = 0; tries < kMaxPageTries && PropSheet_GetCurrentPageHwnd(state.sheet) != page; ++tries)
        PropSheet_SetCurSel(state.sheet, nullptr, index);
}

std::optional<std::wstring> EditSite(HWND owner, const std::wstring& label, const std::wstring& server,
                                     const std::wstring& user)
{
    SiteSheetState state;
    state.previousLabel = label;
    state.previousServer = server;
    state.previousUser = user;
    if (!state.IsNew()) {
        std::wstring slot = FindUserSlot(label, server, user.empty() ? L"anonymous" : user);
        state.slot = ChildKey(SiteServerKey(label, server), slot.empty() ? L"0" : slot);
    }
    auto data = reinterpret_cast<LPARAM>(&state);
    PROPSHEETPAGEW pages[] = {SheetPage(IDD_SITE_PAGE, SitePageProcedure, data),
                              SheetPage(IDD_ADVANCED_PAGE, AdvancedPageProcedure, data)};
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = state.IsNew() ? L"Add New Site" : L"Site Properties";
    header.nPages = 2;
    header.ppsp = pages;
    if (PropertySheetW(&header) <= 0 || state.savedLabel.empty())
        return std::nullopt;
    return state.savedLabel;
}
