#pragma once
#include <string>
#include <vector>

#include "ops/LocalPane.h"
#include "store/UserPrompt.h"
#include "ui/Window.h"

// The local pane's area while the local folder view is not part of the
// window: an empty panel with the pane's calls, none of which does anything
// but remember the folder it was sent to.
class LocalPanePlaceholder : public OwnWindow, public LocalPane {
public:
    bool Create(HWND parent, int controlId);
    std::wstring Folder() override { return folder_; }
    void NavigateTo(const std::wstring& folder) override { folder_ = folder; }
    bool GoToPath(const std::wstring&) { return false; }
    void Refresh() {}
    void Up() {}
    void Back() {}
    void Forward() {}
    bool CanBack() const { return false; }
    bool CanForward() const { return false; }
    std::vector<std::wstring> Selection() const { return {}; }
    size_t SelectedCount() const { return 0; }
    bool Delete(UserPrompt&) { return false; }
    void Rename() {}
    void ToggleTree() {}
    bool IsFileSystemFolder() const { return false; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring folder_ = L"C:\\";
};
