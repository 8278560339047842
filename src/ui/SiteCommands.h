#pragma once
#include <windows.h>

class ConnectionManager;

// The main window's site commands: each opens its dialog and hands the
// answer to the connection manager.

// "Sites...": the Site Manager; its chosen row connects or reconnects.
void RunSiteManager(HWND owner, ConnectionManager& manager);
// "New Site ...": the "Add New Site" sheet, then a connection to the new site.
void RunNewSite(HWND owner, ConnectionManager& manager);
// "Quick Connect".
void RunQuickConnect(HWND owner, ConnectionManager& manager);
