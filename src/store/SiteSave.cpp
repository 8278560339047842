#include "store/SiteSave.h"

#include <vector>

#include "net/TextCodec.h"
#include "store/NumberedValues.h"
#include "store/ProtectedValues.h"
#include "store/Registry.h"
#include "store/ServerAddress.h"
#include "store/SiteStore.h"

namespace {

// prefix + N with the lowest N from 1 that names no site yet. The registry
// compares key names ignoring case, so "site2" makes "Site2" taken too.
std::wstring FreeLabel(std::wstring_view prefix)
{
    RegKeyRef sites = SitesKey();
    for (int n = 1;; ++n) {
        std::wstring label = std::wstring(prefix) + std::to_wstring(n);
        if (!ChildKeyExists(sites, label))
            return label;
    }
}

// What outlives the rebuild of a site's tree: its bookmarks and, for when
// the Advanced page was not opened, its start folders.
struct KeptValues {
    std::vector<std::wstring> localBookmarks;
    std::vector<std::wstring> remoteBookmarks;
    std::wstring remoteDirectory;
    std::wstring localDirectory;
    bool useRecentRemote = true;
    bool useRecentLocal = true;
};

KeptValues ReadKeptValues(const RegKeyRef& slot)
{
    KeptValues kept;
    kept.localBookmarks = ReadNumberedValues(ChildKey(slot, L"LocalBookmarks"));
    kept.remoteBookmarks = ReadNumberedValues(ChildKey(slot, L"RemoteBookmarks"));
    kept.remoteDirectory = ReadString(slot, L"Directory", L"/");
    kept.localDirectory = ReadString(slot, L"LocalDirectory", L"C:\\");
    kept.useRecentRemote = ReadBool(slot, L"UseRecentRemote", true);
    kept.useRecentLocal = ReadBool(slot, L"UseRecentLocal", true);
    return kept;
}

}  // namespace

SiteLabelProblem CheckSiteLabel(std::wstring_view label, std::wstring_view previousLabel)
{
    if (label.find_first_of(L"/\\") != std::wstring_view::npos)
        return SiteLabelProblem::HasSlash;
    if (!label.empty() && ChildKeyExists(SitesKey(), label) && !SameKeyName(label, previousLabel))
        return SiteLabelProblem::Taken;
    return SiteLabelProblem::None;
}

std::wstring SaveSite(const SiteDialogValues& values, std::wstring_view previousLabel)
{
    std::wstring label = values.advanced ? TrimSpaces(values.advanced->label) : std::wstring();
    if (label.empty())
        label = previousLabel;
    if (label.empty())
        label = FreeLabel(L"Site");
    if (CheckSiteLabel(label, previousLabel) != SiteLabelProblem::None)
        return L"";

    ServerField field = SplitServerField(values.server);
    std::wstring server = JoinServerPort(field.host, values.port);
    if (!NormalizeServerAddress(server))
        return L"";

    std::wstring typedUser = TrimSpaces(values.user);
    std::wstring user = typedUser.empty() ? L"anonymous" : typedUser;
    bool remember = values.rememberPassword && !values.password.empty();

    bool editing = !previousLabel.empty();
    // An edit that leaves the user name empty stays in the tree it came from.
    std::wstring siteLabel = editing && typedUser.empty() ? std::wstring(previousLabel) : label;
    RegKeyRef serverKey = SiteServerKey(siteLabel, server);
    // Nothing is deleted unless the new tree can be made.
    if (!CreateKey(serverKey))
        return L"";

    std::wstring keptSlot = FindUserSlot(siteLabel, server, user);
    KeptValues kept = ReadKeptValues(ChildKey(serverKey, keptSlot.empty() ? L"0" : keptSlot));

    for (const RegKeyRef& oldServer : EnumerateSubkeys(ChildKey(SitesKey(), label)))
        DeleteKeyTree(oldServer);
    if (editing && !typedUser.empty() && !SameKeyName(label, previousLabel))
        DeleteKeyTree(ChildKey(SitesKey(), previousLabel));
    CreateKey(serverKey);
    RegKeyRef slot = SlotForUser(serverKey, user);

    std::wstring remoteDirectory = kept.remoteDirectory;
    std::wstring localDirectory = kept.localDirectory;
    bool useRecentRemote = kept.useRecentRemote;
    bool useRecentLocal = kept.useRecentLocal;
    if (values.advanced) {
        remoteDirectory = TrimSpaces(values.advanced->remotePath);
        useRecentRemote = values.advanced->useRecentRemote;
        if (!field.remotePath.empty()) {  // a path typed after the host wins
            remoteDirectory = field.remotePath;
            useRecentRemote = false;
        }
        localDirectory = TrimSpaces(values.advanced->localPath);
        useRecentLocal = values.advanced->useRecentLocal;
    }

    WriteString(slot, L"Server", server);
    WriteString(slot, L"UserName", user);
    WriteProtected(slot, L"Password", remember ? values.password : L"");
    WriteBool(slot, L"UseRecentRemote", useRecentRemote);
    WriteString(slot, L"Directory", remoteDirectory);
    WriteBool(slot, L"UseRecentLocal", useRecentLocal);
    WriteString(slot, L"LocalDirectory", localDirectory);
    if (ReadString(slot, L"RecentLocalDirectory").empty())
        WriteString(slot, L"RecentLocalDirectory", localDirectory);
    WriteSecurity(slot, values.security);
    WriteBool(slot, L"RemP", remember);
    WriteNumberedValues(CreateChildKey(slot, L"LocalBookmarks"), kept.localBookmarks);
    WriteNumberedValues(CreateChildKey(slot, L"RemoteBookmarks"), kept.remoteBookmarks);
    return siteLabel;
}

std::wstring SaveQuickSite(std::wstring_view server, std::wstring_view port, std::wstring_view user,
                           std::wstring_view password, bool savePassword, SecurityChoice security)
{
    std::wstring host(server);
    if (!NormalizeServerAddress(host))
        return L"";
    std::wstring fullServer = JoinServerPort(host, port);
    std::wstring label = FreeLabel(L"Quick Site ");
    RegKeyRef slot = ChildKey(SiteServerKey(label, fullServer), L"0");
    if (!CreateKey(slot))
        return L"";
    WriteString(slot, L"Server", fullServer);
    WriteString(slot, L"UserName", user.empty() ? std::wstring_view(L"anonymous") : user);
    WriteSecurity(slot, security);
    WriteBool(slot, L"RemP", savePassword);
    WriteProtected(slot, L"Password", savePassword ? password : L"");
    return label;
}
