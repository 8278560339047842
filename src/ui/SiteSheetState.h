#pragma once
#include <windows.h>

#include <string>

#include "store/Registry.h"
#include "ui/Tooltip.h"

// What the two pages of the site sheet share.
struct SiteSheetState {
    std::wstring previousLabel;
    std::wstring previousServer;
    std::wstring previousUser;
    RegKeyRef slot;  // of the site edited; an empty path for a new site
    bool IsNew() const { return previousLabel.empty(); }

    HWND sheet = nullptr;
    HWND sitePage = nullptr;
    HWND advancedPage = nullptr;  // null until the user opens the page
    Tooltip siteTips;
    Tooltip advancedTips;
    bool asking = false;  // a question of the port field is open
    std::wstring savedLabel;
};

// Brings the page forward, as the sheet does when the user picks its tab.
void ShowSheetPage(const SiteSheetState& state, HWND page);

// The Advanced page (SiteAdvancedPage.cpp).
INT_PTR CALLBACK AdvancedPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
