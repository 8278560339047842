#pragma once
#include <string>

// The local pane as the connection manager uses it.
class LocalPane {
public:
    virtual ~LocalPane() = default;
    // The folder shown, as a full path.
    virtual std::wstring Folder() = 0;
    virtual void NavigateTo(const std::wstring& folder) = 0;
};
