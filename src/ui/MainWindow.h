#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "ops/ConnectionManager.h"
#include "store/FilterStore.h"
#include "ui/CertificateDialog.h"
#include "ui/ComboBox.h"
#include "ui/FileDragDrop.h"
#include "ui/LocalPaneWindow.h"
#include "ui/LogPanel.h"
#include "ui/MainMessages.h"
#include "ui/MessagePrompt.h"
#include "ui/PaneCommandStates.h"
#include "ui/ProgressDialog.h"
#include "ui/RemoteListPane.h"
#include "ui/Splitter.h"
#include "ui/StatusBar.h"
#include "ui/TextInputDialog.h"
#include "ui/UserLoginDialog.h"
#include "ui/Toolbar.h"
#include "ui/Tooltip.h"

// The program's main window: the local and the remote pane with their path
// boxes and toolbars, the log panel below a divider, the status bar, the
// menus and keys; it owns the connection manager and routes every command to
// the operations.
class MainWindow : private Scheduler, private ConnectionNotifier, private SitePicker {
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window from its dialog template, hidden.
    bool Create();
    HWND Handle() const { return window_; }
    // Offers a key to the window's accelerators; true when it was a command.
    bool TranslateKey(MSG& message);
    // Runs while the window is being destroyed, before its children go.
    void OnDestroy(std::function<void(HWND)> callback) { onDestroy_ = std::move(callback); }

private:
    // What needs the window's handle as owner.
    struct Parts {
        explicit Parts(HWND window) : progress(window), prompt(window), login(window), certificates(window) {}
        ProgressDialog progress;
        MessagePrompt prompt;
        UserLoginDialog login;
        CertificateDialog certificates;
    };

    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    void CreateToolbars();
    void AddTooltips();
    void Layout();
    void MoveDivider(int y);
    void Destroy();
    void OnTimer(UINT_PTR timer);
    bool OnNotify(NMHDR& header, LRESULT& result);
    void OnContextMenu(HWND source, POINT at);
    void OnToolbarDropDown(const NMTOOLBARW& request);

    // Commands (MainCommands.cpp).
    void OnCommand(int command, int code, HWND control);
    bool OnSiteCommand(int command);
    void ConnectCommand();
    void GoRemote();
    void GoLocal();
    void OpenRemote();
    void RefreshRemote();
    void UpRemote();
    void DeleteRemote();
    void StartRemoteRename();
    void FinishRemoteRename(const NMLVDISPINFOW& edit);
    void RenameEdited();
    void NewRemoteFolderCommand();
    void NewLocalFolderCommand();
    void ChmodRemote();
    void Download();
    void Upload();
    // Files dropped on the remote list: onto a folder row into that folder.
    void UploadDropped(const std::vector<std::wstring>& paths);
    // Drag, Copy and Paste between the remote list and the shell (MainClipboard.cpp).
    bool ClipboardHoldsShellItems() const;
    // The selected rows downloaded into folder (made afresh); the entries it then holds.
    std::vector<std::wstring> DownloadSelectionInto(const std::wstring& folder);
    void CopyRemote();
    void PasteRemote();
    void DragRemote();
    void UploadPaths(const std::vector<std::wstring>& paths, const std::wstring& localRoot,
                     const std::wstring& remoteRoot);
    void SynchronizeCommand();
    void CompareCommand();
    void OpenLogFolder();
    void ToggleFilters();
    // Apply Filter and Remove Filter of a pane (MainFilters.cpp).
    void FilterCommand(PaneSide side, bool apply);
    void ShowFilterBoxes();
    // The bookmark menus and their commands (MainBookmarks.cpp); false when
    // the command is none of theirs. Without a control it came from a key or a menu.
    bool OnBookmarkCommand(int command, HWND control);
    void ShowBookmarkMenu(PaneSide side, bool byKeyboard);
    void NewBookmarkCommand(PaneSide side);
    void GoToBookmark(PaneSide side, size_t index);
    // What a later version does: said in a message rather than doing nothing.
    void NotYetAvailable(const wchar_t* text);
    // Opens folder (absolute) in the remote pane; false restores the previous one.
    bool OpenRemoteFolder(const std::wstring& folder, bool recordHistory);
    // Runs step in the progress dialog of title with timer 3 stopped, re-armed at 100 ms afterwards.
    NetResult RunRemoteStep(const std::wstring& title, const std::function<NetResult(TaskContext&)>& step);
    void FocusRemoteName(const std::wstring& name);

    // Enabled states and menus (MainStates.cpp).
    PaneFacts Facts() const;
    void RefreshPaneStates();
    void RefreshMenuStates();
    void RebuildSiteMenu();
    void ShowSiteMenuAt(POINT at);
    void ShowRemoteMenu(POINT at);

    // Scheduler
    void SetTimer(TimerId timer, uint32_t milliseconds) override;
    void StopTimer(TimerId timer) override;
    // ConnectionNotifier
    void ShowBalloon(const std::wstring& title, const std::wstring& text) override;
    void SetStatusText(const std::wstring& text) override;
    void SetStatusIcon(StatusIcon icon) override;
    void PostCancel() override;
    void SiteMenuChanged() override;
    // SitePicker
    void ShowSiteMenu() override;
    void NewSite() override;

    HWND window_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::function<void(HWND)> onDestroy_;
    std::unique_ptr<Parts> parts_;
    std::unique_ptr<ConnectionManager> manager_;
    RemoteListPane remote_;
    LocalPaneWindow local_;
    LogPanel log_;
    Splitter divider_;
    StatusBar status_;
    Toolbar mainBar_;
    Toolbar localBar_;
    Toolbar remoteBar_;
    Tooltip tips_;
    ComboBox localPath_;
    ComboBox localFilter_;
    ComboBox remoteFilter_;
    PaneFilters filters_;  // both filter boxes' entries, stored when the window closes
    FileDropTarget* remoteDrop_ = nullptr;  // registered for the remote list
    HMENU siteMenu_ = nullptr;
    int dividerY_ = 500;
    bool filtersOn_ = false;
    std::optional<std::pair<SelectedRemoteRow, std::wstring>> pendingRename_;
    bool renaming_ = false;        // an in-place edit was asked for by Rename
    bool syncNoConfirmation_ = false;  // "Do not ask again." of Synchronize, for this run
    HWND lastBox_ = nullptr;  // the path or filter box that had the focus last, for Enter
    HICON statusIcons_[3] = {};
};
