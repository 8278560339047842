#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "ftp/Login.h"
#include "ops/Connection.h"
#include "ops/ConnectionParameters.h"
#include "ops/ConnectionPrompts.h"
#include "ops/ConnectionWindow.h"
#include "ops/RemoteFolderHistory.h"

// The one FTP session of the main window's remote pane: connecting to sites,
// what follows a failed log-in, the first listing, keep-alive checks with the
// silent reconnect, and the connection's status line. Sites and settings are
// read from the store when they are needed.
class ConnectionManager : public Connection {
public:
    static constexpr int kMaxReconnectAttempts = 5;

    explicit ConnectionManager(const ConnectionWindow& window, const ConnectionTimings& timings = {});

    FtpSession& Session() override { return session_; }
    // Connect with the last connection parameters, showing no dialog.
    NetResult Reconnect(TaskContext& context) override;

    // One connection attempt with everything that follows a failed log-in:
    // the anonymous fallback, the proxy hint, the log-in dialog loop.
    bool Connect(const ConnectionParameters& parameters);
    // The site named by Current; with forgetOnFailure a failure forgets it.
    bool ConnectCurrentSite(bool forgetOnFailure);
    // Entry index of the site menu: every slot of every saved site, in store order.
    bool ConnectSiteFromMenu(size_t index);
    bool QuickConnect(const QuickConnection& quick);
    // Asks before the connection is dropped (yes at once when not connected);
    // yes disconnects.
    bool ConfirmDrop(DropWording wording);
    // Ends the connection and empties the remote pane; forget deletes the
    // current site's name.
    void Disconnect(bool forget);
    // The Disconnect command of the window.
    void DisconnectCommand();

    // Changes to the current remote folder and fills the remote pane;
    // recordHistory puts the folder at the head of the history.
    bool OpenFolder(TaskContext& context, bool recordHistory = true);
    // "/" for an empty text.
    void SetCurrentFolder(const std::wstring& folder);
    // Writes the folders in use to the current site, when that is wanted.
    void RecordRecentFolders();

    // The remote pane's navigation; false when the step was not possible or
    // the folder could not be opened (the folder shown stays current).
    // Refresh lists the current folder again, keep-alive paused meanwhile.
    bool Refresh(TaskContext& context);
    // Up opens the parent and records it; the window focuses the row of the
    // folder it left (RemoteFolderName of the folder before).
    bool GoUp(TaskContext& context);
    // Back and Forward open a history entry without changing the history.
    bool GoBack(TaskContext& context);
    bool GoForward(TaskContext& context);
    bool CanGoUp() const;
    bool CanGoBack() const;
    bool CanGoForward() const;

    // Timer 1 (and once at window creation).
    void StartUp();
    // Timer 2.
    void BlinkTick();
    // Timer 3.
    void KeepAliveTick();
    void RefreshStatus();

    bool Connected() const { return connected_; }
    const std::wstring& CurrentFolder() const { return currentFolder_; }
    const RemoteFolderHistory& History() const { return history_; }
    // Set while a keep-alive check uses the session.
    bool ListBusy() const { return listBusy_; }
    bool ReconnectAllowed() const { return reconnectAllowed_; }
    int ReconnectAttempts() const { return reconnectAttempts_; }

private:
    using Step = std::function<NetResult(TaskContext&)>;

    NetResult ConnectWith(const ConnectionParameters& parameters, TaskContext& silent);
    // What the user allowed for this connection beyond the system's rules.
    struct LoginPermissions {
        bool allowUnprotected = false;
        CertificateTrust certificateTrust;
    };
    NetResult Attempt(const ConnectionParameters& parameters, const LoginPermissions& permissions,
                      TaskContext& silent, LoginFailure& failure);
    NetResult ConnectStep(TaskContext& context, const ConnectionParameters& parameters,
                          const LoginPermissions& permissions, LoginFailure& failure);
    NetResult GiveUp(bool userDeclined);
    NetResult RunStep(bool showProgress, TaskContext& silent, const Step& step);
    void OpenStartFolder(const ConnectionParameters& parameters, TaskContext& silent);
    void EndConnection();
    bool ConnectWithRetries(const ConnectionParameters& parameters);
    void AfterConnectFailed(bool forget);
    void AfterConnected();
    bool FillRemotePane(TaskContext& context);
    bool OpenHistoryEntry(TaskContext& context, size_t position);
    void FlipStatusIcon();

    ConnectionWindow window_;
    ConnectionTimings timings_;
    FtpSession session_;
    ConnectionParameters last_;
    CertificateTrust grantedTrust_;  // of the last successful log-in
    std::wstring currentFolder_ = L"/";
    RemoteFolderHistory history_;
    bool connected_ = false;
    bool reconnectAllowed_ = false;
    bool listBusy_ = false;
    bool listingRunning_ = false;
    bool saveRecentFolders_ = false;
    bool iconPhase_ = false;
    int reconnectAttempts_ = 0;
};
