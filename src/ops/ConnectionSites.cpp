// The connect commands on saved sites and quick connections, and dropping a
// connection.
#include "ops/ConnectionManager.h"

#include "store/Registry.h"
#include "store/SiteStore.h"

namespace {

constexpr int kFurtherConnectAttempts = 3;

// The remote folder to start in: what the path box holds, else the site's.
std::wstring StartFolder(RemotePane& remote, const SiteRecord& site)
{
    std::wstring typed = remote.PathText();
    if (!typed.empty())
        return typed;
    return site.useRecentRemote ? site.recentRemoteDirectory : site.remoteDirectory;
}

bool SameSite(const CurrentSiteName& a, const CurrentSiteName& b)
{
    return a.label == b.label && a.server == b.server && a.user == b.user;
}

}  // namespace

bool ConnectionManager::ConnectWithRetries(const ConnectionParameters& parameters)
{
    bool connected = Connect(parameters);
    bool retry = ReadBool(SettingsKey(), L"FtpRetry", false);
    for (int i = 0; i < kFurtherConnectAttempts && !connected && retry && reconnectAllowed_; ++i)
        connected = Connect(parameters);
    return connected;
}

void ConnectionManager::AfterConnectFailed(bool forget)
{
    window_.remote.RefreshPathBox();
    if (forget)
        ForgetCurrentSiteName();
    window_.notifier.SiteMenuChanged();
}

void ConnectionManager::AfterConnected()
{
    window_.notifier.SiteMenuChanged();
    // The first keep-alive check and status refresh come at once.
    window_.scheduler.SetTimer(TimerId::KeepAlive, timings_.firstCheckMs);
}

bool ConnectionManager::ConnectCurrentSite(bool forgetOnFailure)
{
    CurrentSiteName current = ReadCurrentSiteName();
    if (current.label.empty()) {
        if (CountSites() > 0)
            window_.sites.ShowSiteMenu();
        else
            window_.sites.NewSite();
        return !ReadCurrentSiteName().label.empty();
    }
    SiteRecord site;
    site.requestedLabel = current.label;
    if (!LoadCurrentSite(site))
        return false;

    ConnectionParameters parameters;
    parameters.startFolder = StartFolder(window_.remote, site);
    bool connected = false;
    if (!site.server.empty()) {
        parameters.server = site.server;
        parameters.user = site.userName;
        parameters.password = site.password;
        parameters.secure = site.secure;
        parameters.implicit = site.implicit;
        connected = ConnectWithRetries(parameters);
    } else {
        // No slot of that user: the names of the current site are all there is.
        parameters.server = current.server;
        parameters.user = current.user;
        connected = Connect(parameters);
    }
    if (!connected) {
        AfterConnectFailed(forgetOnFailure);
        return false;
    }
    window_.local.NavigateTo(site.useRecentLocal ? site.recentLocalDirectory : site.localDirectory);
    saveRecentFolders_ = true;
    // What the local pane reports once it has changed folder.
    RecordRecentFolders();
    AfterConnected();
    return true;
}

bool ConnectionManager::ConnectSiteFromMenu(size_t index)
{
    std::vector<SiteSlot> sites = EnumerateSites();
    if (index >= sites.size())
        return false;
    const SiteSlot& entry = sites[index];
    CurrentSiteName chosen{entry.label, entry.server, ReadString(entry.slot, L"UserName")};
    if (connected_) {
        DropWording wording = SameSite(chosen, ReadCurrentSiteName()) ? DropWording::Reconnect : DropWording::Disconnect;
        if (!ConfirmDrop(wording))
            return false;
    }
    WriteCurrentSiteName(chosen);
    return ConnectCurrentSite(true);
}

bool ConnectionManager::QuickConnect(const QuickConnection& quick)
{
    if (connected_ && !ConfirmDrop(DropWording::Disconnect))
        return false;
    WriteCurrentSiteName({quick.label, quick.server, quick.user});
    ConnectionParameters parameters{quick.server, quick.user,   quick.password, window_.remote.PathText(),
                                    quick.secure, quick.implicit, true};
    if (!ConnectWithRetries(parameters)) {
        AfterConnectFailed(quick.forgetOnFailure);
        return false;
    }
    saveRecentFolders_ = quick.keepRecentFolders;
    AfterConnected();
    return true;
}

bool ConnectionManager::ConfirmDrop(DropWording wording)
{
    if (!connected_)
        return true;
    CurrentSiteName current = ReadCurrentSiteName();
    bool drop = window_.prompt.Ask(DropQuestion(wording, current.label, current.user)).accepted;
    if (drop)
        Disconnect(false);
    window_.notifier.SiteMenuChanged();
    return drop;
}

void ConnectionManager::Disconnect(bool forget)
{
    EndConnection();
    connected_ = false;
    window_.remote.Clear();
    history_.Clear();
    window_.notifier.SiteMenuChanged();
    if (forget)
        ForgetCurrentSiteName();
}

void ConnectionManager::DisconnectCommand()
{
    Disconnect(true);
    window_.scheduler.StopTimer(TimerId::KeepAlive);
    RefreshStatus();
}
