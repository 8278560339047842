#pragma once
#include <windows.h>

#include <prsht.h>

// One page of a property sheet from the program's own template, with a Help
// button; data reaches the page's WM_INITDIALOG in the PROPSHEETPAGE.
inline PROPSHEETPAGEW SheetPage(int templateId, DLGPROC procedure, LPARAM data = 0)
{
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_HASHELP;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pfnDlgProc = procedure;
    page.lParam = data;
    return page;
}
