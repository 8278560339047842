#pragma once
// A Connection over a session logged in to a real server, for the file
// command tests; a reconnect logs in afresh on a new session.
#include <gtest/gtest.h>

#include <memory>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "ops/Connection.h"
#include "support/RealFtpServer.h"

class TestConnection : public Connection {
public:
    explicit TestConnection(const RealFtpServer& server) : server_(server) {}
    NetResult LogIn(TaskContext& context)
    {
        session_ = std::make_unique<FtpSession>();
        LoginRequest request{server_.HostText(), server_.User(), server_.Password(), false, false};
        return Login(context, *session_, request, {});
    }
    FtpSession& Session() override { return *session_; }
    NetResult Reconnect(TaskContext& context) override
    {
        ++reconnects;
        return LogIn(context);
    }
    std::wstring CurrentFolder()
    {
        std::wstring path;
        EXPECT_EQ(GetRemoteFolder(NullContext(), *session_, path), NetResult::Ok);
        return path;
    }

    int reconnects = 0;

private:
    const RealFtpServer& server_;
    std::unique_ptr<FtpSession> session_;
};
