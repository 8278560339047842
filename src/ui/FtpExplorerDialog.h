#pragma once
#include <windows.h>

#include <string>

// The site the FTP Explorer browses, as the site sheet's fields hold it.
struct ExplorerSite {
    std::wstring host;  // host or host:port
    std::wstring user;
    std::wstring password;
    bool tls = false;
    bool implicitTls = false;
};

// The "FTP Explorer" window on a connection of its own, starting in folder:
// true when the user closed it with "Select", folder then holds the server's
// absolute path of the folder chosen.
bool OpenFtpExplorer(HWND owner, const ExplorerSite& site, std::wstring& folder);
