// What the main window's timers drive: the start-up connection, the status
// icon and the keep-alive check with its reconnect attempts.
#include "ops/ConnectionManager.h"

#include "ftp/RemoteCommands.h"
#include "net/Log.h"
#include "store/SiteStore.h"

namespace {
// Named in the log; the next attempt really follows at the next keep-alive tick.
constexpr int kReconnectDelayNamedSeconds = 10;
}  // namespace

void ConnectionManager::StartUp()
{
    if (!ReadCurrentSiteName().label.empty())
        ConnectCurrentSite(true);
    if (!connected_) {
        LogWrite(L"Click the Connect button to connect to a site", LogHint);
        if (CountSites() == 0)
            window_.sites.NewSite();
    }
    reconnectAllowed_ = false;
    reconnectAttempts_ = 0;
}

void ConnectionManager::FlipStatusIcon()
{
    iconPhase_ = !iconPhase_;
    window_.notifier.SetStatusIcon(iconPhase_ ? StatusIcon::ConnectedSecond : StatusIcon::ConnectedFirst);
}

void ConnectionManager::BlinkTick()
{
    if (connected_)
        FlipStatusIcon();
}

void ConnectionManager::RefreshStatus()
{
    if (!connected_) {
        window_.notifier.SetStatusText(NotConnectedStatusText());
        window_.notifier.SetStatusIcon(StatusIcon::NotConnected);
        return;
    }
    FlipStatusIcon();
    CurrentSiteName current = ReadCurrentSiteName();
    window_.notifier.SetStatusText(ConnectedStatusText(current.label, current.server, current.user));
    window_.scheduler.SetTimer(TimerId::StatusBlink, timings_.blinkMs);
}

void ConnectionManager::KeepAliveTick()
{
    if (connected_) {
        listBusy_ = true;
        std::wstring folder = currentFolder_;
        if (ChangeRemoteFolderTracked(NullContext(), session_, folder) == NetResult::Ok) {
            SetCurrentFolder(folder);
        } else {
            connected_ = false;
            LogError(L"The server has timed out the connection.");
        }
        listBusy_ = false;
        if (!connected_)
            Disconnect(false);
    }
    RefreshStatus();
    if (connected_) {
        window_.scheduler.SetTimer(TimerId::KeepAlive, timings_.keepAliveMs);
        reconnectAttempts_ = 0;
        reconnectAllowed_ = true;
        return;
    }
    if (reconnectAttempts_ >= kMaxReconnectAttempts || !reconnectAllowed_)
        return;
    ++reconnectAttempts_;
    LogInfo(L"Attempting reconnect (%i of %i).", reconnectAttempts_, kMaxReconnectAttempts);
    ConnectCurrentSite(false);
    if (reconnectAllowed_ && !connected_) {
        LogInfo(L"Attempting reconnect in %i seconds.", kReconnectDelayNamedSeconds);
        window_.scheduler.SetTimer(TimerId::KeepAlive, timings_.keepAliveMs);
    }
}
