#pragma once
#include <functional>
#include <map>
#include <memory>

#include "support/RealFtpServer.h"

// One real server of a kind for all the tests of a program that ask for it:
// started (and prepared) by the first, stopped when the program ends.
inline RealFtpServer& SharedRealServer(RealFtpServer::Kind kind,
                                       const std::function<void(RealFtpServer&)>& prepare = {})
{
    static std::map<RealFtpServer::Kind, std::unique_ptr<RealFtpServer>> servers;
    std::unique_ptr<RealFtpServer>& server = servers[kind];
    if (!server) {
        server = std::make_unique<RealFtpServer>(kind);
        if (server->Started() && prepare)
            prepare(*server);
    }
    return *server;
}
