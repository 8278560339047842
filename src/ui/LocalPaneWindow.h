#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ops/LocalPane.h"
#include "ops/RemoteFolderHistory.h"
#include "ops/Shell.h"
#include "store/UserPrompt.h"

class FileDropTarget;

// What the pane posts to its parent: the folder shown changed; the selection
// changed.
constexpr UINT kLocalFolderChangedMessage = WM_USER + 100;
constexpr UINT kLocalSelectionChangedMessage = WM_USER + 101;

// The local pane: a folder browser of its own over the file system (a report
// list of the current folder, folders first, and an optional folder tree), in
// a window of the class "LEXPLORER". An empty folder is the computer itself,
// listing its drives. Double clicking a folder opens it, a file opens with its
// program; an edited name renames the item. The selection can be dragged out
// as files, and files dropped on the list are copied in (OLE must be running
// in the thread for both).
class LocalPaneWindow : public LocalPane {
public:
    explicit LocalPaneWindow(Shell& shell = SystemShell());
    ~LocalPaneWindow() override;
    LocalPaneWindow(const LocalPaneWindow&) = delete;
    LocalPaneWindow& operator=(const LocalPaneWindow&) = delete;

    // Opens on the computer's drives until told otherwise.
    bool Create(HWND parent, int controlId);
    HWND Handle() const { return window_; }
    HWND ListHandle() const { return list_; }
    HWND TreeHandle() const { return tree_; }
    void Move(const RECT& rect);

    std::wstring Folder() override { return folder_; }
    // Does nothing for a path that is not a folder.
    void NavigateTo(const std::wstring& folder) override;
    // A typed path; false when it names no folder (the folder stays).
    bool GoToPath(const std::wstring& text);
    void Refresh();
    void Up();
    void Back();
    void Forward();
    bool CanBack() const { return OnDrives() || history_.CanBack(); }
    bool CanForward() const { return history_.CanForward(); }
    // A file system folder is shown (not the computer's drives).
    bool IsFileSystemFolder() const { return !folder_.empty(); }

    // Lists only the files whose lower-cased names contain the filter (and
    // every folder); empty lists everything.
    void SetActiveFilter(const std::wstring& lowerCased);
    const std::wstring& ActiveFilter() const { return filter_; }

    // Full paths of the selected items, in list order.
    std::vector<std::wstring> Selection() const;
    size_t SelectedCount() const;
    // Selects exactly the items of these names (others are deselected).
    void SelectNames(const std::vector<std::wstring>& names);

    // After the user confirms: every selected item to the recycle bin, the
    // current site's local bookmarks of them dropped. False when the user
    // declined or an item stayed.
    bool Delete(UserPrompt& prompt);
    // Starts editing the name of the one selected item; nothing otherwise.
    void Rename();
    bool RenamePending() const { return renamePending_; }
    // Renames an item of the current folder and selects it; false (nothing
    // changed) when the name is not allowed or the system refuses.
    bool RenameItem(const std::wstring& oldName, const std::wstring& newText);
    // The one selected item: a folder opens in the pane, a file with its program.
    void Open();
    // The name typed in the new-folder dialog, made in the current folder.
    bool NewFolder(UserPrompt& prompt, const std::wstring& typedName);

    // Files dropped on the list: the shell copies them into the current
    // folder, asking as it does about existing names. Items already in the
    // folder stay where they are.
    void DropFiles(const std::vector<std::wstring>& paths);

    // "Folder Explorer": the tree takes the left half.
    void ToggleTree();
    bool TreeShown() const { return treeShown_; }
    // The folder of the tree's selected node; empty when none is.
    std::wstring TreeFolder() const;

private:
    struct Item {
        std::wstring name;
        bool folder = false;
        uint64_t size = 0;
        int64_t modified = 0;  // seconds since 1970 UTC; 0 for drives
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Notify(const NMHDR& header);
    void Layout();
    // Column widths in their proportions over the list's width.
    void FitColumns() const;

    // Shows folder; history decides whether it goes onto the history.
    bool Show(const std::wstring& folder, bool recordHistory);
    void FillList();
    // The list read again, the selected names selected again.
    void RefillList();
    std::vector<Item> ReadItems() const;
    std::wstring PathOf(const std::wstring& name) const;
    std::vector<std::wstring> SelectedNames() const;
    int ItemAt(int row) const;
    void OpenRow(int row);
    bool MoveItem(const std::wstring& oldName, const std::wstring& newText);
    void EndRename();
    void DragSelection();
    void PostToParent(UINT message) const;
    // The drives are shown, which are not on the history, after a folder that is.
    bool OnDrives() const { return folder_.empty() && !history_.At(history_.Position()).empty(); }

    void FillTreeRoots();
    void FillTreeChildren(HTREEITEM node);
    std::wstring TreePath(HTREEITEM node) const;
    HTREEITEM TreeChild(HTREEITEM parent, const std::wstring& name) const;
    void CollectExpanded(HTREEITEM first, std::vector<std::wstring>& paths) const;
    void Reexpand(HTREEITEM first, const std::vector<std::wstring>& paths);
    void SelectTreeFolder();

    Shell& shell_;
    HWND window_ = nullptr;
    HWND parent_ = nullptr;
    HWND list_ = nullptr;
    HWND tree_ = nullptr;
    std::wstring folder_;
    std::wstring filter_;
    std::vector<Item> items_;
    RemoteFolderHistory history_;
    bool treeShown_ = false;
    bool renamePending_ = false;
    bool cancellingEdit_ = false;  // an edit ended by navigation renames nothing
    bool filling_ = false;  // the list or tree is changed by the program, not the user
    std::wstring renamedTo_;  // selected once the list is rebuilt after an edited name
    FileDropTarget* dropTarget_ = nullptr;  // registered for the list while OLE runs
};
