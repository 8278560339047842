#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "store/SiteRecord.h"

// The saves of the Site Properties and Quick Connect dialogs.

// What the Advanced page of Site Properties holds; only when it was opened.
struct SiteFolderChoices {
    std::wstring label;
    bool useRecentRemote = true;
    std::wstring remotePath;
    bool useRecentLocal = true;
    std::wstring localPath;
};

// The fields of Site Properties as typed.
struct SiteDialogValues {
    std::wstring server;  // may carry a scheme, a port and a path after the host
    std::wstring port;    // "" for the default port
    std::wstring user;    // "" stores "anonymous"
    std::wstring password;
    bool rememberPassword = false;
    SecurityChoice security = SecurityChoice::Plain;
    std::optional<SiteFolderChoices> advanced;
};

enum class SiteLabelProblem { None, HasSlash, Taken };
// A label must not hold "/" or "\" and must not name another site (ignoring
// case); previousLabel is the label of the site being edited.
SiteLabelProblem CheckSiteLabel(std::wstring_view label, std::wstring_view previousLabel);

// Rebuilds the site's tree from the dialog and returns the label it is
// stored under; previousLabel is "" for a new site. Returns "" and changes
// nothing when the label or the server cannot be stored.
std::wstring SaveSite(const SiteDialogValues& values, std::wstring_view previousLabel);

// Stores a Quick Connect connection under the first free "Quick Site N" and
// returns that label; "" (nothing stored) when the server is not usable.
// server and port are the dialog's fields: the port is joined here.
std::wstring SaveQuickSite(std::wstring_view server, std::wstring_view port, std::wstring_view user,
                           std::wstring_view password, bool savePassword, SecurityChoice security);
