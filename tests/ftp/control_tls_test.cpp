// The control connection around the switch to TLS, against the scripted TLS
// server.
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestLog.h"

TEST(ControlTls, PlaintextSentAheadOfTheHandshakeIsNeverTakenAsProtected)
{
    // An attacker on the path appends a reply to the 234: read ahead with it,
    // it would answer the USER command sent after the handshake.
    ScriptedTlsServer server(false, {"send 220 hi", "expect", "sendraw 234 Proceed\\r\\n230 injected\\r\\n", "starttls",
                                     "expect", "send 331 password please", "expect", "send 230 in"});
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    session.timeouts.reply = 5000;
    LoginRequest request{server.HostText(), L"u", L"p", true, false};
    EXPECT_EQ(Login(NullContext(), session, request, {}), NetResult::Failed);
    EXPECT_FALSE(session.TlsActive());
    EXPECT_TRUE(log.ContainsPart(L"Unable to use SSL/TLS with server localhost on port")) << log.All();
    EXPECT_FALSE(log.ContainsPart(L"230 injected")) << log.All();
    session.Close();
    EXPECT_EQ(server.Received(), std::vector<std::string>{"AUTH TLS\r\n"});
}
