#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "store/Registry.h"
#include "store/SiteRecord.h"

// Saved sites live below "FTPAccounts" as label\server\slot, one slot ("0",
// "1", …) per user account on that server.

// The current site: the settings Current, CurrentServer and CurrentUser.
struct CurrentSiteName {
    std::wstring label;
    std::wstring server;
    std::wstring user;
    bool Complete() const { return !label.empty() && !server.empty() && !user.empty(); }
};
CurrentSiteName ReadCurrentSiteName();
void WriteCurrentSiteName(const CurrentSiteName& name);
void ForgetCurrentSiteName();

// "FTPAccounts\label\server"; a key with an empty path when label or server
// is empty or holds a backslash, so that nothing outside the site is touched.
RegKeyRef SiteServerKey(std::wstring_view label, std::wstring_view server);

// The name of the slot below label\server whose UserName is exactly user;
// "" when there is none.
std::wstring FindUserSlot(std::wstring_view label, std::wstring_view server, std::wstring_view user);
// The slot for user below serverKey: the first of "0", "1", … that does not
// exist or holds exactly that UserName.
RegKeyRef SlotForUser(const RegKeyRef& serverKey, std::wstring_view user);

// The slot of the current site; an empty path when Current, CurrentServer
// and CurrentUser name none.
RegKeyRef CurrentSiteSlot();

// Reads the values of one slot into site (label fields untouched).
void ReadSlot(const RegKeyRef& slot, SiteRecord& site);

// Loads site.requestedLabel with the current server and user into site;
// fields take their defaults when no slot matches. False only when no
// label was requested.
bool LoadCurrentSite(SiteRecord& site);
// Writes every value of the record into the slot of its user (a log-in
// with a newly typed password).
void WriteSite(const SiteRecord& site);
// Records the folders in use on the current site; empty texts are skipped.
void UpdateRecentFolders(std::wstring_view localFolder, std::wstring_view remoteFolder);

int CountSites();

struct SiteSlot {
    std::wstring label;
    std::wstring server;
    RegKeyRef slot;
};
// Every slot of every server of every label, in the registry's order.
std::vector<SiteSlot> EnumerateSites();
// The user as the site list shows it: "domain\user" when the slot has a Domain.
std::wstring SiteUserDisplay(const RegKeyRef& slot);

// Deletes the slot of user (as the site list shows it), then the server key
// and the label key when they are left empty.
void DeleteSite(std::wstring_view label, std::wstring_view server, std::wstring_view user);

// The remembered answer about logging in without TLS ("AllowUnprotected"
// "1"/"0"; absent or anything else: ask; writing Ask removes it).
UnprotectedLogin ReadUnprotectedLogin(const RegKeyRef& slot);
void WriteUnprotectedLogin(const RegKeyRef& slot, UnprotectedLogin answer);

// The fingerprint of the certificate the user trusts for this site
// ("TrustedCertificate"); empty when none or when the value is not one.
std::string ReadTrustedCertificate(const RegKeyRef& slot);
void WriteTrustedCertificate(const RegKeyRef& slot, const std::string& sha256);

// The TLS mode as the two stored flags.
void WriteSecurity(const RegKeyRef& slot, SecurityChoice security);
