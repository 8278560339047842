#pragma once
#include <windows.h>

#include "ops/LoginPrompt.h"

// The "User Login" dialog: the server and the user name read-only, the
// password typed afresh.
class UserLoginDialog : public LoginPrompt {
public:
    explicit UserLoginDialog(HWND owner) : owner_(owner) {}
    std::optional<std::wstring> AskPassword(const std::wstring& server, const std::wstring& user) override;

private:
    HWND owner_;
};
