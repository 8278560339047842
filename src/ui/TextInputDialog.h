#pragma once
#include <windows.h>

#include <optional>
#include <string>

// A small modal dialog asking for one line of text.
struct TextRequest {
    std::wstring caption;
    std::wstring label;
    std::wstring initial;
    bool password = false;
};
std::optional<std::wstring> AskText(HWND owner, const TextRequest& request);
