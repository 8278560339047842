#include "ui/DialogFields.h"

#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include "ui/BalloonTip.h"
#include "ui/Window.h"

const wchar_t kPortTip[] =
    L"Enter the Port number given to you by your hosting provider. If Port number not available, keep it as blank.";
const wchar_t kUserTip[] = L"Enter the username given to you by your hosting provider.";
const wchar_t kPasswordTip[] = L"Enter the password given to you by your hosting provider.";
const wchar_t kSecurityTip[] = L"Select whether to use a plain FTP connection or a secure FTP connection over SSL/TLS.";
const wchar_t kRememberTip[] = L"Tick this option if you want the system to remember the password for this site.";
const wchar_t kServerTip[] =
    L"Enter the host name of the FTP server alone, without \"ftp://\" or a folder, for example ftp.example.com.";
const wchar_t kServerCue[] = L"e.g. ftp.example.com";

std::wstring FieldText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

namespace {

int CALLBACK StartPickerAt(HWND picker, UINT message, LPARAM, LPARAM start)
{
    if (message == BFFM_INITIALIZED)
        SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

void PickFolderIntoField(HWND dialog, int id, const wchar_t* title, UINT flags)
{
    std::wstring start = FieldText(dialog, id);
    BROWSEINFOW browse{};
    browse.hwndOwner = dialog;
    browse.lpszTitle = title;
    browse.ulFlags = flags;
    browse.lpfn = StartPickerAt;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen)
        return;
    wchar_t path[MAX_PATH] = L"";
    if (SHGetPathFromIDListW(chosen, path))
        SetFieldText(dialog, id, path);
    CoTaskMemFree(chosen);
}

void SetFieldText(HWND dialog, int id, const std::wstring& text)
{
    SetDlgItemTextW(dialog, id, text.c_str());
}

bool IsTicked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetTicked(HWND dialog, int id, bool ticked)
{
    CheckDlgButton(dialog, id, ticked ? BST_CHECKED : BST_UNCHECKED);
}

void SetCue(HWND dialog, int id, const std::wstring& text)
{
    SendDlgItemMessageW(dialog, id, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void FillSecurityList(HWND dialog, int id, SecurityChoice choice)
{
    for (const wchar_t* entry : {L"Use standard FTP", L"Use explict SSL/TLS FTP", L"Use implicit SSL/TLS FTP"})
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SelectSecurity(dialog, id, choice);
}

SecurityChoice SelectedSecurity(HWND dialog, int id)
{
    LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return index == 1 ? SecurityChoice::Explicit : index == 2 ? SecurityChoice::Implicit : SecurityChoice::Plain;
}

void SelectSecurity(HWND dialog, int id, SecurityChoice choice)
{
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
}

void ShowFieldError(HWND field, const std::wstring& caption, const std::wstring& text)
{
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    ShowBalloonTip(field, caption, text);
}

POINT ContextMenuPoint(HWND control, LPARAM lParam)
{
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        RECT rect;
        GetWindowRect(control, &rect);
        at = {rect.left + 8, rect.top + 8};
    }
    return at;
}
