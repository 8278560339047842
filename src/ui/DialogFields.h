#pragma once
#include <windows.h>

#include <string>

#include "store/SiteRecord.h"

// What the site dialogs do alike with their fields.

std::wstring FieldText(HWND dialog, int id);
void SetFieldText(HWND dialog, int id, const std::wstring& text);
bool IsTicked(HWND dialog, int id);
void SetTicked(HWND dialog, int id, bool ticked);
void SetCue(HWND dialog, int id, const std::wstring& text);

// The shell's folder picker (SHBrowseForFolder with these BIF_ flags), opened
// on the field's folder; a chosen folder replaces the field's text.
void PickFolderIntoField(HWND dialog, int id, const wchar_t* title, UINT flags);

// The "Secure FTP:" list with its three entries, choice selected.
void FillSecurityList(HWND dialog, int id, SecurityChoice choice);
SecurityChoice SelectedSecurity(HWND dialog, int id);
void SelectSecurity(HWND dialog, int id, SecurityChoice choice);

// The tooltip texts of the account fields, shared by Site Properties and Quick Connect.
extern const wchar_t kPortTip[];
extern const wchar_t kUserTip[];
extern const wchar_t kPasswordTip[];
extern const wchar_t kSecurityTip[];
extern const wchar_t kRememberTip[];
extern const wchar_t kServerTip[];
extern const wchar_t kServerCue[];

// Focuses the field and shows the balloon of an input error on it.
void ShowFieldError(HWND field, const std::wstring& caption, const std::wstring& text);

// Where a context menu of control opens: at the mouse, or near the control's
// corner when the keyboard asked for it.
POINT ContextMenuPoint(HWND control, LPARAM lParam);
