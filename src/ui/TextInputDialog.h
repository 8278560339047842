#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ops/LoginPrompt.h"

// A small modal dialog asking for one line of text.
struct TextRequest {
    std::wstring caption;
    std::wstring label;
    std::wstring initial;
    bool password = false;
};
std::optional<std::wstring> AskText(HWND owner, const TextRequest& request);

// The "User Login" question as the connection manager asks it.
class PasswordDialog : public LoginPrompt {
public:
    explicit PasswordDialog(HWND owner) : owner_(owner) {}
    std::optional<std::wstring> AskPassword(const std::wstring& server, const std::wstring& user) override;

private:
    HWND owner_;
};
