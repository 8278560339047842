#include "store/SiteStore.h"

#include <optional>

#include "net/CertificateFacts.h"
#include "net/TextCodec.h"
#include "store/ProtectedValues.h"

namespace {

bool UsableKeyName(std::wstring_view name)
{
    return !name.empty() && name.find(L'\\') == std::wstring_view::npos;
}

std::optional<RegKeyRef> FindUserSlotKey(const RegKeyRef& serverKey, std::wstring_view user)
{
    for (const RegKeyRef& slot : EnumerateSubkeys(serverKey))
        if (ReadString(slot, L"UserName") == user)
            return slot;
    return std::nullopt;
}

constexpr const wchar_t* kAllowUnprotected = L"AllowUnprotected";
constexpr const wchar_t* kTrustedCertificate = L"TrustedCertificate";

}  // namespace

UnprotectedLogin ReadUnprotectedLogin(const RegKeyRef& slot)
{
    return UnprotectedLoginFromText(ReadString(slot, kAllowUnprotected));
}

void ReadSlot(const RegKeyRef& slot, SiteRecord& site)
{
    site.server = ReadString(slot, L"Server");
    site.userName = ReadString(slot, L"UserName");
    site.password = ReadProtected(slot, L"Password");
    site.rememberPassword = ReadBool(slot, L"RemP", false);
    site.implicit = ReadBool(slot, L"UseImplicitSSL", false);
    site.secure = ReadBool(slot, L"UseExplicitSSL", false) || site.implicit;
    site.useRecentRemote = ReadBool(slot, L"UseRecentRemote", true);
    site.remoteDirectory = ReadString(slot, L"Directory", L"/");
    site.recentRemoteDirectory = ReadString(slot, L"RecentRemoteDirectory", L"/");
    site.useRecentLocal = ReadBool(slot, L"UseRecentLocal", true);
    site.localDirectory = ReadString(slot, L"LocalDirectory", L"C:\\");
    site.recentLocalDirectory = ReadString(slot, L"RecentLocalDirectory", L"C:\\");
    site.unprotectedLogin = ReadUnprotectedLogin(slot);
    site.trustedCertificate = ReadTrustedCertificate(slot);
}

std::string ReadTrustedCertificate(const RegKeyRef& slot)
{
    // A value that is no fingerprint trusts nothing.
    return ParseFingerprint(ReadString(slot, kTrustedCertificate)).value_or("");
}

void WriteTrustedCertificate(const RegKeyRef& slot, const std::string& sha256)
{
    WriteString(slot, kTrustedCertificate, std::wstring(sha256.begin(), sha256.end()));
}

void WriteUnprotectedLogin(const RegKeyRef& slot, UnprotectedLogin answer)
{
    if (answer == UnprotectedLogin::Ask)
        DeleteValue(slot, kAllowUnprotected);
    else
        WriteBool(slot, kAllowUnprotected, answer == UnprotectedLogin::Allow);
}

CurrentSiteName ReadCurrentSiteName()
{
    RegKeyRef settings = SettingsKey();
    return {ReadString(settings, L"Current"), ReadString(settings, L"CurrentServer"),
            ReadString(settings, L"CurrentUser")};
}

void WriteCurrentSiteName(const CurrentSiteName& name)
{
    RegKeyRef settings = SettingsKey();
    WriteString(settings, L"Current", name.label);
    WriteString(settings, L"CurrentServer", name.server);
    WriteString(settings, L"CurrentUser", name.user);
}

void ForgetCurrentSiteName()
{
    RegKeyRef settings = SettingsKey();
    DeleteValue(settings, L"Current");
    DeleteValue(settings, L"CurrentServer");
    DeleteValue(settings, L"CurrentUser");
}

RegKeyRef SiteServerKey(std::wstring_view label, std::wstring_view server)
{
    if (!UsableKeyName(label) || !UsableKeyName(server))
        return RegKeyRef{};
    return ChildKey(ChildKey(SitesKey(), label), server);
}

std::wstring FindUserSlot(std::wstring_view label, std::wstring_view server, std::wstring_view user)
{
    std::optional<RegKeyRef> slot = FindUserSlotKey(SiteServerKey(label, server), user);
    return slot ? slot->name : L"";
}

RegKeyRef SlotForUser(const RegKeyRef& serverKey, std::wstring_view user)
{
    for (int i = 0;; ++i) {
        RegKeyRef slot = ChildKey(serverKey, std::to_wstring(i));
        if (!KeyExists(slot) || ReadString(slot, L"UserName") == user)
            return slot;
    }
}

bool LoadCurrentSite(SiteRecord& site)
{
    if (site.requestedLabel.empty())
        return false;
    CurrentSiteName current = ReadCurrentSiteName();
    SiteRecord loaded;
    loaded.requestedLabel = site.requestedLabel;
    loaded.label = site.requestedLabel;
    // The matching slot is read by its own name, so a tree with gaps left
    // by a deleted user still loads.
    if (std::optional<RegKeyRef> slot = FindUserSlotKey(SiteServerKey(site.requestedLabel, current.server), current.user))
        ReadSlot(*slot, loaded);
    site = loaded;
    return true;
}

void WriteSecurity(const RegKeyRef& slot, SecurityChoice security)
{
    WriteBool(slot, L"UseExplicitSSL", security == SecurityChoice::Explicit);
    WriteBool(slot, L"UseImplicitSSL", security == SecurityChoice::Implicit);
}

void WriteSite(const SiteRecord& site)
{
    RegKeyRef serverKey = SiteServerKey(site.label, site.server);
    if (serverKey.path.empty())
        return;
    // The slot of this user, not blindly "0": another account may live there.
    RegKeyRef slot = SlotForUser(serverKey, site.userName);
    WriteString(slot, L"Server", site.server);
    WriteString(slot, L"UserName", site.userName);
    WriteProtected(slot, L"Password", site.rememberPassword ? site.password : L"");
    WriteBool(slot, L"RemP", site.rememberPassword);
    WriteSecurity(slot, SecurityOf(site.secure, site.implicit));
    WriteBool(slot, L"UseRecentRemote", site.useRecentRemote);
    WriteString(slot, L"Directory", site.remoteDirectory);
    WriteString(slot, L"RecentRemoteDirectory", site.recentRemoteDirectory);
    WriteBool(slot, L"UseRecentLocal", site.useRecentLocal);
    WriteString(slot, L"LocalDirectory", site.localDirectory);
    WriteString(slot, L"RecentLocalDirectory", site.recentLocalDirectory);
    WriteUnprotectedLogin(slot, site.unprotectedLogin);
}

RegKeyRef CurrentSiteSlot()
{
    CurrentSiteName current = ReadCurrentSiteName();
    if (!current.Complete())
        return RegKeyRef{};
    std::optional<RegKeyRef> slot = FindUserSlotKey(SiteServerKey(current.label, current.server), current.user);
    return slot ? *slot : RegKeyRef{};
}

void UpdateRecentFolders(std::wstring_view localFolder, std::wstring_view remoteFolder)
{
    RegKeyRef slot = CurrentSiteSlot();
    if (slot.path.empty())
        return;
    if (!localFolder.empty())
        WriteString(slot, L"RecentLocalDirectory", localFolder);
    if (!remoteFolder.empty())
        WriteString(slot, L"RecentRemoteDirectory", remoteFolder);
}

int CountSites()
{
    return static_cast<int>(EnumerateSubkeys(SitesKey()).size());
}

std::vector<SiteSlot> EnumerateSites()
{
    std::vector<SiteSlot> sites;
    for (const RegKeyRef& label : EnumerateSubkeys(SitesKey()))
        for (const RegKeyRef& server : EnumerateSubkeys(label))
            for (const RegKeyRef& slot : EnumerateSubkeys(server))
                sites.push_back({label.name, server.name, slot});
    return sites;
}

std::wstring SiteUserDisplay(const RegKeyRef& slot)
{
    std::wstring user = ReadString(slot, L"UserName");
    std::wstring domain = ReadString(slot, L"Domain");
    return domain.empty() ? user : CutText(domain + L"\\" + user);
}

void DeleteSite(std::wstring_view label, std::wstring_view server, std::wstring_view user)
{
    RegKeyRef serverKey = SiteServerKey(label, server);
    if (serverKey.path.empty())
        return;
    std::optional<RegKeyRef> slot = FindUserSlotKey(serverKey, user);
    // A list entry "domain\user" names the slot of user; a user name that
    // itself holds a backslash matched above.
    size_t backslash = user.find(L'\\');
    if (!slot && backslash != std::wstring_view::npos)
        slot = FindUserSlotKey(serverKey, user.substr(backslash + 1));
    if (slot)
        DeleteKeyTree(*slot);
    if (EnumerateSubkeys(serverKey).empty()) {
        DeleteKeyTree(serverKey);
        RegKeyRef labelKey = ChildKey(SitesKey(), label);
        if (EnumerateSubkeys(labelKey).empty())
            DeleteKeyTree(labelKey);
    }
}
