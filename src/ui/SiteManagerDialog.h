#pragma once
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>

// What the Site Manager needs of the main window's connection.
struct SiteManagerHost {
    std::function<bool()> connected;
    std::function<void()> disconnect;
};

// The row the user chose in the "Site Manager" (its position in the store's
// order of slots, as the site menu counts them); nothing for Close.
struct SiteManagerChoice {
    size_t row = 0;
    bool isConnectedSite = false;
};
std::optional<SiteManagerChoice> ShowSiteManager(HWND owner, const SiteManagerHost& host);
