#pragma once
#include <optional>
#include <string>

// The "User Login" dialog: asks for the password of user on server.
class LoginPrompt {
public:
    virtual ~LoginPrompt() = default;
    // The typed password, or nothing when the user cancelled.
    virtual std::optional<std::wstring> AskPassword(const std::wstring& server, const std::wstring& user) = 0;
};
