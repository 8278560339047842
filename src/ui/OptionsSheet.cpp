#include "ui/OptionsSheet.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "store/ProtectedValues.h"
#include "store/Registry.h"
#include "ui/DialogFields.h"
#include "ui/HelpTopic.h"
#include "ui/OptionDialogIds.h"
#include "ui/ProxyPageRules.h"
#include "ui/SheetPage.h"
#include "ui/Tooltip.h"

namespace {

struct GeneralOption {
    int control;
    const wchar_t* setting;
    const wchar_t* tooltip;
};

constexpr std::array<GeneralOption, 3> kGeneralOptions = {{
    {IDC_OPTION_RETRY, L"FtpRetry", L"Automatically retry connecting to a server when the initial attempt fails."},
    {IDC_OPTION_NO_SPACES, L"FtpNoSpaces", L"Some older servers do not allow files with spaces."},
    {IDC_OPTION_LOWER_CASE, L"FtpLowerCase", L"Some older servers do not allow files with upper case file names."},
}};

// Answers a page notification; true when it was one of the page's own.
bool OnPageNotify(HWND page, const NMHDR& header, const wchar_t* topic, void (*save)(HWND))
{
    if (header.code == PSN_APPLY) {
        save(page);
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return true;
    }
    if (header.code == PSN_HELP) {
        ShowHelpTopic(GetParent(page), topic);
        return true;
    }
    return false;
}

void SaveGeneral(HWND page)
{
    RegKeyRef settings = SettingsKey();
    for (const GeneralOption& option : kGeneralOptions)
        WriteBool(settings, option.setting, IsDlgButtonChecked(page, option.control) == BST_CHECKED);
}

INT_PTR CALLBACK GeneralPage(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RegKeyRef settings = SettingsKey();
        Tooltip tips;
        tips.Create(page);
        for (const GeneralOption& option : kGeneralOptions) {
            CheckDlgButton(page, option.control, ReadBool(settings, option.setting, false) ? BST_CHECKED : 0);
            tips.Add(GetDlgItem(page, option.control), option.tooltip);
        }
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnPageNotify(page, *reinterpret_cast<NMHDR*>(lParam), L"general", SaveGeneral);
    return FALSE;
}

// Enables a field with its label; a field losing the focus hands it on first.
void EnableField(HWND page, int label, int field, bool enabled)
{
    HWND edit = GetDlgItem(page, field);
    if (!enabled && GetFocus() == edit)
        SendMessageW(GetParent(page), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(GetDlgItem(page, label), enabled);
    EnableWindow(edit, enabled);
}

void ShowProxyFields(HWND page, ProxyFieldStates states)
{
    EnableField(page, IDC_PROXY_HOST_LABEL, IDC_PROXY_HOST, states.host);
    EnableField(page, IDC_PROXY_USER_LABEL, IDC_PROXY_USER, states.login);
    EnableField(page, IDC_PROXY_PASSWORD_LABEL, IDC_PROXY_PASSWORD, states.login);
}

void OpenProxyPage(HWND page)
{
    RegKeyRef settings = SettingsKey();
    ProxyPageStart start = ProxyPageStartFor(ReadInt(settings, L"FtpProxyType", 0));
    if (start.selected)
        CheckRadioButton(page, IDC_PROXY_TYPE_FIRST, IDC_PROXY_TYPE_LAST, IDC_PROXY_TYPE_FIRST + *start.selected);
    if (start.filled) {
        SetDlgItemTextW(page, IDC_PROXY_HOST, ReadString(settings, L"ProxyHost").c_str());
        SetDlgItemTextW(page, IDC_PROXY_USER, ReadString(settings, L"ProxyUsername").c_str());
        SetDlgItemTextW(page, IDC_PROXY_PASSWORD, ReadProtected(settings, L"ProxyPassword").c_str());
    }
    ShowProxyFields(page, start.fields);
}

void SaveProxy(HWND page)
{
    RegKeyRef settings = SettingsKey();
    // Disabled fields are saved too: a switch to a method without proxy
    // log-in keeps the proxy's user name and password.
    WriteString(settings, L"ProxyHost", FieldText(page, IDC_PROXY_HOST));
    WriteString(settings, L"ProxyUsername", FieldText(page, IDC_PROXY_USER));
    WriteProtected(settings, L"ProxyPassword", FieldText(page, IDC_PROXY_PASSWORD));
    // A stored type no button stands for stays as it is until one is chosen.
    for (int type = 0; type < kProxyTypeCount; ++type)
        if (IsDlgButtonChecked(page, IDC_PROXY_TYPE_FIRST + type) == BST_CHECKED)
            WriteInt(settings, L"FtpProxyType", type);
}

INT_PTR CALLBACK ProxyPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        OpenProxyPage(page);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= IDC_PROXY_TYPE_FIRST &&
        LOWORD(wParam) <= IDC_PROXY_TYPE_LAST) {
        ShowProxyFields(page, ProxyFieldsForChoice(LOWORD(wParam) - IDC_PROXY_TYPE_FIRST));
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnPageNotify(page, *reinterpret_cast<NMHDR*>(lParam), L"proxy", SaveProxy);
    return FALSE;
}

}  // namespace

void ShowOptionsSheet(HWND owner)
{
    std::array<PROPSHEETPAGEW, 2> pages = {SheetPage(IDD_OPTIONS_GENERAL, GeneralPage),
                                                SheetPage(IDD_OPTIONS_PROXY, ProxyPage)};
    PROPSHEETHEADERW sheet{};
    sheet.dwSize = sizeof(sheet);
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_NOCONTEXTHELP | PSH_MODELESS;
    sheet.hwndParent = owner;
    sheet.hInstance = GetModuleHandleW(nullptr);
    sheet.pszCaption = L"Tarnwick Options";
    sheet.nPages = static_cast<UINT>(pages.size());
    sheet.ppsp = pages.data();
    // Run modeless under a loop of our own, so that every system's sheet
    // gets Ctrl+Tab and Ctrl+PgDn for changing pages.
    auto window = reinterpret_cast<HWND>(PropertySheetW(&sheet));
    if (!window)
        return;
    EnableWindow(owner, FALSE);
    MSG message{};
    while (PropSheet_GetCurrentPageHwnd(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!PropSheet_IsDialogMessage(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    EnableWindow(owner, TRUE);
    DestroyWindow(window);
    if (message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam));
}
