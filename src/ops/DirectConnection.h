#pragma once
#include <string>

#include "ftp/Login.h"
#include "ops/Connection.h"

// A connection of its own for the command-line tool and the tests: logs in
// with a fixed request and proxy, and after every log-in changes to the start
// folder (the folder the server put the first log-in in, unless one is given).
class DirectConnection : public Connection {
public:
    DirectConnection(LoginRequest request, ProxySettings proxy, std::wstring startFolder = L"");

    // The first log-in. Failed also when the start folder cannot be entered.
    NetResult Open(TaskContext& context, LoginFailure* failure = nullptr);

    FtpSession& Session() override { return session_; }
    NetResult Reconnect(TaskContext& context) override;
    const std::wstring& StartFolder() const { return startFolder_; }

private:
    NetResult LogInAndEnter(TaskContext& context, LoginFailure* failure);

    LoginRequest request_;
    ProxySettings proxy_;
    std::wstring startFolder_;
    FtpSession session_;
};
