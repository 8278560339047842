#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The "Site Properties" sheet of a saved site (label, server and user as the
// site list shows them), or "Add New Site" when all three are empty. On OK the
// fields are checked, the site is saved and the connection test runs; the
// label the site was saved under is the result. Nothing when cancelled.
std::optional<std::wstring> EditSite(HWND owner, const std::wstring& label = L"", const std::wstring& server = L"",
                                     const std::wstring& user = L"");
