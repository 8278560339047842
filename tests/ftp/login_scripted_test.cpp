// Log-in dialogues that real servers will not produce on demand.
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"
#include "support/TlsRecords.h"
#include "ui/SessionLog.h"

namespace {

class ScriptedLogin : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLogFolder(logFolder.Path());
        session.timeouts.reply = 3000;
        session.timeouts.connect = 3000;
        session.timeouts.tlsHandshake = 3000;
    }
    void TearDown() override { SetLogFolder(L""); }

    NetResult LoginTo(const std::wstring& hostText, bool secure = false, const ProxySettings& proxy = {})
    {
        request.hostText = hostText;
        request.secure = secure;
        server.Start();
        NetResult result = Login(NullContext(), session, request, proxy, failure);
        EXPECT_TRUE(server.Finish());
        EXPECT_EQ(server.Failure(), "");
        return result;
    }
    std::wstring Port() const { return std::to_wstring(server.Port()); }
    // Everything written to the log files of this test.
    std::string LogFiles() const
    {
        FlushSessionLog();
        std::string all;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((logFolder.Path() + L"\\*.txt").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return all;
        do
            all += ReadWholeFile(logFolder.File(found.cFileName));
        while (FindNextFileW(search, &found));
        FindClose(search);
        return all;
    }

    // The level of the log line with exactly this text, -1 when there is none.
    int LevelOf(const std::wstring& text) const
    {
        for (const CapturedLog::Line& line : log.lines) {
            if (line.text == text)
                return line.level;
        }
        return -1;
    }
    std::wstring NoExplicitTls() const
    {
        return L"The server 127.0.0.1 on port " + Port() +
               L" does not support explicit SSL/TLS, try using Implicit SSL/TLS or standard FTP.";
    }

    ScratchFolder logFolder;
    ScriptedFtpServer server;
    FtpSession session;
    CapturedLog log;
    LoginRequest request{L"", L"alice", L"s3cret!", false, false};
    LoginFailure failure = LoginFailure::None;
};

// A peer that wants the session unprotected: it reads the ClientHello, ends
// the handshake with a fatal alert, greets in clear text and records
// whatever else comes.
void RefuseTheHandshakeAndGreetInClear(ScriptedFtpServer& server)
{
    server.RecordBytes()
        .Send(std::string("\x15\x03\x03\x00\x02\x02\x28", 7))
        .Pause(300)
        .Reply("220 welcome")
        .RecordBytesUntilClientClose();
}

}  // namespace

TEST_F(ScriptedLogin, RefusedAuthTlsStopsBeforeTheUserName)
{
    server.Reply("220 hi").ExpectLine().Reply("500 AUTH not understood").RecordBytesUntilClientClose();
    server.Start();
    request.hostText = server.HostText();
    request.secure = true;
    EXPECT_EQ(Login(NullContext(), session, request, {}, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::ExplicitTlsRefused);
    session.Close();
    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"AUTH TLS\r\n"}));
    EXPECT_EQ(server.ReceivedBytes(), "") << "neither USER nor PASS in clear text";
    EXPECT_EQ(LevelOf(NoExplicitTls()), LogErrorLevel) << log.All();
}

TEST_F(ScriptedLogin, RefusedAuthTlsWithThePermissionWarnsAndLogsInWithoutTls)
{
    server.Reply("220 hi").ExpectLine().Reply("500 AUTH not understood").ExpectLine().Reply("331 pw").ExpectLine().Reply(
        "230 in");
    request.allowUnprotected = true;
    EXPECT_EQ(LoginTo(server.HostText(), true), NetResult::Ok) << log.All();
    EXPECT_EQ(failure, LoginFailure::None);
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"AUTH TLS\r\n", "USER alice\r\n", "PASS s3cret!\r\n"}));
    EXPECT_EQ(LevelOf(NoExplicitTls()), LogWarningLevel) << log.All();
    EXPECT_FALSE(session.TlsActive());
}

TEST_F(ScriptedLogin, OnlyARefusedAuthTlsIsReportedAsSuch)
{
    server.Reply("220 hi").ExpectLine().Reply("502 no TLS here");
    EXPECT_EQ(LoginTo(server.HostText(), true), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::ExplicitTlsRefused);

    // A later attempt that fails otherwise does not keep the old reason.
    ScriptedFtpServer refusingUser;
    refusingUser.Reply("220 hi").ExpectLine().Reply("500 AUTH not understood").ExpectLine().Reply("530 not you");
    refusingUser.Start();
    request.hostText = refusingUser.HostText();
    request.allowUnprotected = true;
    EXPECT_EQ(Login(NullContext(), session, request, {}, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::None);
    EXPECT_TRUE(log.Contains(L"User login failed. Check that you have the correct username and password."));
}

TEST_F(ScriptedLogin, FailedHandshakeEndsTheLogInWithNothingSentInClear)
{
    // Implicit TLS straight to the server.
    RefuseTheHandshakeAndGreetInClear(server);
    request.implicit = true;
    EXPECT_EQ(LoginTo(server.HostText(), true), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"Connection to server 127.0.0.1 on port " + Port() +
                             L" could not be secured using SSL/TLS."))
        << log.All();
    EXPECT_FALSE(server.ReceivedBytes().empty());
    EXPECT_TRUE(OnlyTlsRecords(server.ReceivedBytes())) << server.ReceivedBytes();

    // Explicit TLS: the handshake after 234 fails.
    ScriptedFtpServer explicitServer;
    explicitServer.Reply("220 hi").ExpectLine().Reply("234 go ahead");
    RefuseTheHandshakeAndGreetInClear(explicitServer);
    explicitServer.Start();
    request.hostText = explicitServer.HostText();
    request.implicit = false;
    EXPECT_EQ(Login(NullContext(), session, request, {}, failure), NetResult::Failed);
    ASSERT_TRUE(explicitServer.Finish());
    EXPECT_EQ(explicitServer.Failure(), "");
    EXPECT_EQ(failure, LoginFailure::None);
    std::wstring port = std::to_wstring(explicitServer.Port());
    EXPECT_TRUE(log.Contains(L"Unable to use SSL/TLS with server 127.0.0.1 on port " + port + L".")) << log.All();
    EXPECT_EQ(explicitServer.Received(), (std::vector<std::string>{"AUTH TLS\r\n"}));
    EXPECT_FALSE(explicitServer.ReceivedBytes().empty());
    EXPECT_TRUE(OnlyTlsRecords(explicitServer.ReceivedBytes())) << explicitServer.ReceivedBytes();
}

TEST_F(ScriptedLogin, StalledHandshakeFailsWithinItsAllowance)
{
    session.timeouts.tlsHandshake = 1000;
    server.RecordBytes().RecordBytesUntilClientClose();
    request.implicit = true;
    EXPECT_EQ(LoginTo(server.HostText(), true), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"Connection to server 127.0.0.1 on port " + Port() +
                             L" could not be secured using SSL/TLS."))
        << log.All();
    EXPECT_TRUE(OnlyTlsRecords(server.ReceivedBytes())) << server.ReceivedBytes();
}

TEST_F(ScriptedLogin, UserAnsweredWith230NeedsNoPassword)
{
    server.Reply("220 hi").ExpectLine().Reply("230 no password needed");
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Ok);
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER alice\r\n"}));
}

TEST_F(ScriptedLogin, UserAnsweredWith332StillGetsThePassword)
{
    server.Reply("220 hi").ExpectLine().Reply("332 need account").ExpectLine().Reply("230 in");
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Ok);
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER alice\r\n", "PASS s3cret!\r\n"}));
}

TEST_F(ScriptedLogin, AReplyCodeInsideAMultiLineGreetingDoesNotEndIt)
{
    server.Reply("220-Welcome")
        .Reply("226 hidden")
        .Reply("220-Rules:")
        .Reply("530 not for you")
        .Reply("220 ready")
        .ExpectLine()
        .Reply("331 pw")
        .ExpectLine()
        .Reply("230 in");
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Ok) << log.All();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER alice\r\n", "PASS s3cret!\r\n"}));
    EXPECT_TRUE(log.Contains(L"Response:  220 ready")) << log.All();
    EXPECT_FALSE(log.ContainsPart(L"226 hidden"));
}

TEST_F(ScriptedLogin, ServerEndingItsLinesWithABareLineFeed)
{
    // The reply allowance is short (3000 ms): a reader that waited for CR LF
    // would fail instead of passing slowly.
    server.Send("220-Hello\n220 ready\n").ExpectLine().Send("331 pw\n").ExpectLine().Send("230 in\n");
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Ok) << log.All();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER alice\r\n", "PASS s3cret!\r\n"}));
}

TEST_F(ScriptedLogin, AUserNameWithALineBreakIsNeverSent)
{
    request.hostText = server.HostText();
    request.user = L"alice\r\nDELE x";
    server.Reply("220 hi").WaitForClientClose();
    server.Start();
    EXPECT_EQ(Login(NullContext(), session, request, {}), NetResult::Failed);
    session.Close();
    EXPECT_TRUE(server.Finish());
    EXPECT_TRUE(server.Received().empty());
    EXPECT_TRUE(log.Contains(L"The USER command was not sent: its name or path holds a line break or NUL character."))
        << log.All();
}

TEST_F(ScriptedLogin, FailuresNameTheServerAndPort)
{
    server.Reply("421 too many users");
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"The server 127.0.0.1 on port " + Port() +
                             L" returned a bad reply. Check that you have the correct server address and port."));
}

TEST_F(ScriptedLogin, SilentGreetingAndRefusedUser)
{
    server.Pause(4000);
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"No reply from the server 127.0.0.1 on port " + Port() +
                             L". Check that you have the correct server address and port."))
        << log.All();

    ScriptedFtpServer refusing;
    refusing.Reply("220 hi").ExpectLine().Reply("530 not you");
    refusing.Start();
    request.hostText = refusing.HostText();
    EXPECT_EQ(Login(NullContext(), session, request, {}), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"User login failed. Check that you have the correct username and password."));
}

TEST_F(ScriptedLogin, ImplicitTlsDefaultsToPort990AndFailsBeforeAnyGreeting)
{
    // Nothing listens on 990 here, so the connection fails: the message shows
    // the port that was tried.
    request.hostText = L"127.0.0.1";
    request.secure = request.implicit = true;
    EXPECT_EQ(Login(NullContext(), session, request, {}), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"Connection to server 127.0.0.1 on port 990 could not be secured using SSL/TLS."))
        << log.All();
}

TEST_F(ScriptedLogin, CancelledConnectionIsReportedAsCancelled)
{
    UnresponsiveEndpoint silent;
    RecordingContext context;
    context.cancelled = true;
    request.hostText = silent.HostText();
    EXPECT_EQ(Login(context, session, request, {}), NetResult::Cancelled);
}

TEST_F(ScriptedLogin, OnlyAConnectionNotMadeIsReportedAsNotConnected)
{
    UnresponsiveEndpoint silent;
    session.timeouts.connect = 500;
    request.hostText = silent.HostText();
    EXPECT_EQ(Login(NullContext(), session, request, {}, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::NotConnected);
    ProxySettings proxy{2, silent.HostText(), L"", L""};
    request.hostText = L"ftp.example.com";
    EXPECT_EQ(Login(NullContext(), session, request, proxy, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::NotConnected);

    // Reached, but the log-in is refused: the server was there.
    server.Reply("220 hi").ExpectLine().Reply("530 no such user");
    EXPECT_EQ(LoginTo(server.HostText()), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::None);
}

TEST_F(ScriptedLogin, SiteProxyLogsInToTheProxyFirst)
{
    server.Reply("220 proxy")
        .ExpectLine()
        .Reply("331 proxy password")
        .ExpectLine()
        .Reply("230 proxy ok")
        .ExpectLine()
        .Reply("220 connected")
        .ExpectLine()
        .Reply("331 pw")
        .ExpectLine()
        .Reply("230 in");
    ProxySettings proxy{1, L"", L"proxyuser", L"proxy-secret"};
    proxy.host = server.HostText();
    EXPECT_EQ(LoginTo(L"ftp.example.com:2121", false, proxy), NetResult::Ok) << log.All();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER proxyuser\r\n", "PASS proxy-secret\r\n",
                                                           "SITE ftp.example.com:2121\r\n", "USER alice\r\n",
                                                           "PASS s3cret!\r\n"}));
    // Neither password reaches the log, on screen or on disk.
    EXPECT_FALSE(log.ContainsPart(L"proxy-secret"));
    EXPECT_FALSE(log.ContainsPart(L"s3cret!"));
    EXPECT_TRUE(log.Contains(L"Command: PASS *******"));
    std::string files = LogFiles();
    EXPECT_NE(files.find("Command: PASS *******"), std::string::npos);
    EXPECT_EQ(files.find("proxy-secret"), std::string::npos);
    EXPECT_EQ(files.find("s3cret!"), std::string::npos);
}

TEST_F(ScriptedLogin, OpenProxySendsTheHostWithItsPort)
{
    server.Reply("220 proxy").ExpectLine().Reply("220 connected").ExpectLine().Reply("230 in");
    ProxySettings proxy{2, L"", L"", L""};
    proxy.host = server.HostText();
    EXPECT_EQ(LoginTo(L"ftp.example.com:2121", false, proxy), NetResult::Ok);
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"OPEN ftp.example.com:2121\r\n", "USER alice\r\n"}));
}

TEST_F(ScriptedLogin, UserAtSiteProxyGoesStraightToThePassword)
{
    server.Reply("220 proxy").ExpectLine().Reply("331 pw").ExpectLine().Reply("230 in");
    ProxySettings proxy{3, L"", L"", L""};
    proxy.host = server.HostText();
    EXPECT_EQ(LoginTo(L"ftp.example.com", false, proxy), NetResult::Ok);
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER alice@ftp.example.com\r\n", "PASS s3cret!\r\n"}));
}

TEST_F(ScriptedLogin, UserAtSiteProxyWithProxyLogIn)
{
    server.Reply("220 proxy")
        .ExpectLine()
        .Reply("230 proxy ok without password")
        .ExpectLine()
        .Reply("331 pw")
        .ExpectLine()
        .Reply("230 in");
    ProxySettings proxy{4, L"", L"puser", L"ppass"};
    proxy.host = server.HostText();
    EXPECT_EQ(LoginTo(L"ftp.example.com", false, proxy), NetResult::Ok);
    EXPECT_EQ(server.Received(),
              (std::vector<std::string>{"USER puser\r\n", "USER alice@ftp.example.com\r\n", "PASS s3cret!\r\n"}));
}

TEST_F(ScriptedLogin, ProxyFailures)
{
    server.Reply("220 proxy").ExpectLine().Reply("500 who?");
    ProxySettings proxy{2, L"", L"", L""};
    proxy.host = server.HostText();
    EXPECT_EQ(LoginTo(L"ftp.example.com", false, proxy), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"Unknown response from server 127.0.0.1 on port " + Port() + L"."));

    ScriptedFtpServer badGreeting;  // a proxy must greet with exactly 220
    badGreeting.Reply("230 hello");
    badGreeting.Start();
    proxy.host = badGreeting.HostText();
    EXPECT_EQ(Login(NullContext(), session, request, proxy), NetResult::Failed);
    EXPECT_TRUE(log.ContainsPart(L"returned a bad reply"));

    ScriptedFtpServer unknownType;
    unknownType.Reply("220 proxy").WaitForClientClose();
    unknownType.Start();
    proxy = {5, unknownType.HostText(), L"", L""};
    EXPECT_EQ(Login(NullContext(), session, request, proxy), NetResult::Failed);
    session.Close();
    EXPECT_TRUE(unknownType.Finish());
    EXPECT_TRUE(unknownType.Received().empty()) << "nothing is sent for an unknown proxy type";
}

TEST_F(ScriptedLogin, ProxyRefusingItsOwnLogIn)
{
    server.Reply("220 proxy").ExpectLine().Reply("331 pw").ExpectLine().Reply("530 no");
    ProxySettings proxy{1, L"", L"puser", L"wrong"};
    proxy.host = server.HostText();
    EXPECT_EQ(LoginTo(L"ftp.example.com", false, proxy), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"User login failed. Check that you have the correct username and password."));
    EXPECT_EQ(server.Received().size(), 2u);
}

TEST_F(ScriptedLogin, ExplicitTlsThroughAProxyIsAskedOfTheProxyBeforeAnyLogIn)
{
    // The proxy refuses: not even its own user name is sent.
    server.Reply("220 proxy").ExpectLine().Reply("500 AUTH not understood").RecordBytesUntilClientClose();
    ProxySettings proxy{1, L"", L"puser", L"ppass"};
    proxy.host = server.HostText();
    request.hostText = L"ftp.example.com";
    request.secure = true;
    server.Start();
    EXPECT_EQ(Login(NullContext(), session, request, proxy, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::ExplicitTlsRefused);
    session.Close();
    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"AUTH TLS\r\n"}));
    EXPECT_EQ(server.ReceivedBytes(), "");
    EXPECT_EQ(LevelOf(NoExplicitTls()), LogErrorLevel) << log.All();

    // With the user's permission the log-in goes on in clear text.
    ScriptedFtpServer plainProxy;
    plainProxy.Reply("220 proxy")
        .ExpectLine()
        .Reply("500 AUTH not understood")
        .ExpectLine()
        .Reply("230 proxy ok")
        .ExpectLine()
        .Reply("331 pw")
        .ExpectLine()
        .Reply("230 in");
    plainProxy.Start();
    proxy = {4, plainProxy.HostText(), L"puser", L"ppass"};
    request.allowUnprotected = true;
    EXPECT_EQ(Login(NullContext(), session, request, proxy, failure), NetResult::Ok) << log.All();
    ASSERT_TRUE(plainProxy.Finish());
    EXPECT_EQ(plainProxy.Received(), (std::vector<std::string>{"AUTH TLS\r\n", "USER puser\r\n",
                                                               "USER alice@ftp.example.com\r\n", "PASS s3cret!\r\n"}));
}

TEST_F(ScriptedLogin, FailedImplicitTlsThroughAProxySendsNothingInClear)
{
    RefuseTheHandshakeAndGreetInClear(server);
    ProxySettings proxy{2, L"", L"", L""};
    proxy.host = server.HostText();
    request.implicit = true;
    EXPECT_EQ(LoginTo(L"ftp.example.com", true, proxy), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"Connection to server 127.0.0.1 on port " + Port() +
                             L" could not be secured using SSL/TLS."))
        << log.All();
    EXPECT_FALSE(server.ReceivedBytes().empty());
    EXPECT_TRUE(OnlyTlsRecords(server.ReceivedBytes())) << "no OPEN in clear text: " << server.ReceivedBytes();
}
