// The connection manager against the scripted server: anonymous fallback,
// proxy hint, a refused AUTH TLS and a server that drops the connection.
#include <gtest/gtest.h>

#include <memory>

#include "ops/ConnectionManager.h"
#include "ops/ConnectionTestWindow.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestLog.h"

namespace {

using Lines = std::vector<std::string>;

// A log-in with a password, the change to "/" and the listing of one file.
ScriptedFtpServer& LogInAndList(ScriptedFtpServer& server, const std::string& passReply = "230 in")
{
    return server.Reply("220 hi")
        .ExpectLine()
        .Reply("331 pw")
        .ExpectLine()
        .Reply(passReply)
        .ExpectLine()
        .Reply("250 ok")
        .ExpectLine()
        .Reply("257 \"/\" is current")
        .ExpectLine()
        .Reply("500 no FEAT")
        .ExpectLine()
        .Reply("200 Type set to A")
        .ExpectLine()
        .OfferPassive()
        .AcceptData()
        .ExpectLine()
        .Reply("150 Here it comes")
        .SendData("-rw-r--r--    1 ftp      ftp             5 Jan 01  2019 a.txt\r\n")
        .CloseData()
        .Reply("226 Done");
}

// The commands of LogInAndList after the password.
const Lines kOpenRoot = {"CWD /\r\n", "PWD\r\n", "FEAT\r\n", "TYPE A\r\n", "PASV\r\n", "LIST\r\n"};

Lines Join(Lines first, const Lines& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class ScriptedConnection : public ::testing::Test {
protected:
    void SetUp() override { Shorten(manager.Session()); }
    static void Shorten(FtpSession& session)
    {
        session.timeouts.connect = 3000;
        session.timeouts.reply = 3000;
        session.timeouts.dataConnect = 3000;
        session.timeouts.listingLine = 3000;
        session.timeouts.folderListing = 3000;
    }
    void ExpectScriptDone()
    {
        EXPECT_TRUE(server->Finish());
        EXPECT_EQ(server->Failure(), "");
    }
    size_t LinesStarting(const std::wstring& start) const
    {
        size_t count = 0;
        for (const CapturedLog::Line& line : log.lines)
            count += line.text.rfind(start, 0) == 0;
        return count;
    }

    ScratchProductKey scratch;
    CapturedLog log;
    TestWindow window;
    ConnectionTimings timings{2000, 10, 50};
    ConnectionManager manager{window.Parts(), timings};
    std::unique_ptr<ScriptedFtpServer> server = std::make_unique<ScriptedFtpServer>();
};

}  // namespace

TEST_F(ScriptedConnection, AnonymousWithoutPasswordTriesThePlaceholderOnce)
{
    LogInAndList(server->Reply("220 hi").ExpectLine().Reply("331 pw").ExpectLine().Reply("530 no").AcceptControl());
    server->ExpectLine().Reply("221 bye");
    server->Start();
    SaveCurrentSite(L"Public", server->HostText(), L"Anonymous", L"");
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    manager.Disconnect(false);
    ExpectScriptDone();
    Lines received = server->Received();
    ASSERT_EQ(received.size(), 4u + kOpenRoot.size() + 1) << "and QUIT";
    EXPECT_EQ(received[1], "PASS \r\n");
    EXPECT_EQ(received[2], "USER Anonymous\r\n");
    EXPECT_NE(received[3].find('@'), std::string::npos) << received[3];
    EXPECT_TRUE(window.login.asked.empty());
    EXPECT_TRUE(window.notifier.balloons.empty());
    EXPECT_EQ(window.notifier.cancels, 1) << "the first attempt failed";
}

TEST_F(ScriptedConnection, FailedPlaceholderShowsTheBalloonThenTheLoginDialog)
{
    server->Reply("220 hi").ExpectLine().Reply("331 pw").ExpectLine().Reply("530 no");
    server->AcceptControl().Reply("220 hi").ExpectLine().Reply("331 pw").ExpectLine().Reply("530 no");
    server->Start();
    SaveCurrentSite(L"Public", server->HostText(), L"anonymous", L"");
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    ExpectScriptDone();
    ASSERT_EQ(window.notifier.balloons.size(), 1u);
    EXPECT_EQ(window.notifier.balloons[0].first, L"Anonymous login failed.");
    EXPECT_EQ(window.notifier.balloons[0].second,
              L"The server either needs a password for, or does not allow, anonymous login.");
    ASSERT_EQ(window.login.asked.size(), 1u);
    EXPECT_EQ(window.login.asked[0], std::make_pair(server->HostText(), std::wstring(L"anonymous")));
    EXPECT_FALSE(manager.ReconnectAllowed());
    EXPECT_FALSE(manager.Connected());
}

TEST_F(ScriptedConnection, AnonymousWithAPasswordGetsNoPlaceholder)
{
    server->Reply("220 hi").ExpectLine().Reply("331 pw").ExpectLine().Reply("530 no");
    server->Start();
    SaveCurrentSite(L"Public", server->HostText(), L"anonymous", L"me@example.com");
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    ExpectScriptDone();
    EXPECT_EQ(server->Received(), (Lines{"USER anonymous\r\n", "PASS me@example.com\r\n"}));
    EXPECT_TRUE(window.notifier.balloons.empty());
    EXPECT_EQ(window.login.asked.size(), 1u);
}

TEST_F(ScriptedConnection, FailedLoginThroughAProxyPointsToTheProxySettings)
{
    server->Reply("220 proxy").ExpectLine().Reply("530 not here");
    server->Start();
    WriteInt(SettingsKey(), L"FtpProxyType", 2);
    WriteString(SettingsKey(), L"ProxyHost", server->HostText());
    SaveCurrentSite(L"Behind", L"ftp.example.com", L"alice", L"secret");
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    ExpectScriptDone();
    EXPECT_EQ(server->Received(), (Lines{"OPEN ftp.example.com\r\n"}));
    ASSERT_EQ(window.prompt.asked.size(), 1u);
    EXPECT_EQ(window.prompt.asked[0].caption, L"Proxy Failure");
    EXPECT_EQ(window.prompt.asked[0].text,
              L"Please check your proxy settings in the options or turn them off to connect directly.");
    EXPECT_EQ(window.prompt.asked[0].icon, PromptIcon::Error);
    EXPECT_TRUE(window.login.asked.empty());
}

TEST_F(ScriptedConnection, DecliningTheUnprotectedLoginSendsNothingMore)
{
    server->Reply("220 hi").ExpectLine().Reply("500 AUTH not understood").RecordBytesUntilClientClose();
    server->Start();
    RegKeyRef slot = SaveCurrentSite(L"Secure", server->HostText(), L"alice", L"secret", true);
    window.prompt = ScriptedPrompt{{false, false}};
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    ExpectScriptDone();
    EXPECT_EQ(server->Received(), (Lines{"AUTH TLS\r\n"}));
    EXPECT_EQ(server->ReceivedBytes(), "") << "neither USER nor PASS in clear text";
    ASSERT_EQ(window.prompt.asked.size(), 1u);
    const PromptQuestion& question = window.prompt.asked[0];
    EXPECT_EQ(question.text, L"The server does not support TLS. Log in without encryption? Your user name and "
                             L"password will be sent unprotected.");
    EXPECT_EQ(question.acceptButton, L"Connect Unprotected");
    EXPECT_EQ(question.declineButton, L"Cancel");
    EXPECT_EQ(question.checkBox, L"Remember for this site");
    EXPECT_TRUE(question.declineIsDefault);
    EXPECT_TRUE(window.login.asked.empty());
    EXPECT_FALSE(ValueExists(slot, L"AllowUnprotected")) << "the box was not ticked";
    EXPECT_FALSE(manager.Connected());
}

TEST_F(ScriptedConnection, RemoteFilterKeepsFoldersAndMatchingFiles)
{
    server->Reply("220 hi").ExpectLine().Reply("230 in").ExpectLine().Reply("250 ok").ExpectLine().Reply(
        "257 \"/\"");
    server->ExpectLine().Reply("500 no FEAT").ExpectLine().Reply("200 A").ExpectLine().OfferPassive().AcceptData();
    server->ExpectLine()
        .Reply("150 list")
        .SendData("-rw-r--r--    1 ftp      ftp             5 Jan 01  2019 README.TXT\r\n"
                  "-rw-r--r--    1 ftp      ftp             7 Jan 01  2019 notes.doc\r\n"
                  "drwxr-xr-x    2 ftp      ftp          4096 Jan 01  2019 dir/\r\n"
                  "drwxr-xr-x    2 ftp      ftp          4096 Jan 01  2019 .\r\n")
        .CloseData()
        .Reply("226 Done");
    server->Start();
    window.remote.filter = L"txt";
    ASSERT_TRUE(manager.Connect({server->HostText(), L"u", L"", L"", false, false, true})) << log.All();
    ExpectScriptDone();
    ASSERT_EQ(window.remote.rows.size(), 2u);
    ASSERT_NE(window.remote.Row(L"README.TXT"), nullptr);
    EXPECT_EQ(window.remote.Row(L"README.TXT")->size, 5u);
    ASSERT_NE(window.remote.Row(L"dir"), nullptr);
    EXPECT_EQ(window.remote.Row(L"dir")->kind, RemoteKind::Folder);
    EXPECT_EQ(window.remote.Row(L"dir")->size, 0u);
    EXPECT_EQ(window.remote.Row(L"dir")->permissions, L"drwxr-xr-x");
}

TEST_F(ScriptedConnection, DroppedConnectionIsRetriedFiveTimesOnePerTick)
{
    LogInAndList(*server).ExpectLine().Reply("250 ok").ExpectLine().Reply("257 \"/\"");  // alive
    server->ExpectLine().CloseControl().CloseListener();                                    // gone
    server->Start();
    SaveCurrentSite(L"Flaky", server->HostText(), L"alice", L"secret");
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), timings.firstCheckMs);

    manager.KeepAliveTick();
    EXPECT_TRUE(manager.Connected()) << log.All();
    EXPECT_TRUE(manager.ReconnectAllowed());
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), timings.keepAliveMs);
    EXPECT_EQ(window.notifier.statusText, L"Connected to Flaky (" + server->HostText() + L") as alice");
    EXPECT_EQ(window.scheduler.Interval(TimerId::StatusBlink), timings.blinkMs);

    StatusIcon shown = window.notifier.icons.back();
    manager.BlinkTick();
    ASSERT_NE(window.notifier.icons.back(), StatusIcon::NotConnected);
    EXPECT_NE(window.notifier.icons.back(), shown) << "the connected icon blinks";

    manager.KeepAliveTick();
    EXPECT_FALSE(manager.Connected());
    size_t iconsShown = window.notifier.icons.size();
    manager.BlinkTick();
    EXPECT_EQ(window.notifier.icons.size(), iconsShown) << "no blinking while not connected";
    EXPECT_TRUE(log.Contains(L"The server has timed out the connection.")) << log.All();
    EXPECT_EQ(window.notifier.statusText, L"Not connected to FTP site");
    EXPECT_EQ(window.notifier.icons.back(), StatusIcon::NotConnected);
    EXPECT_EQ(manager.ReconnectAttempts(), 1);
    EXPECT_TRUE(log.Contains(L"Attempting reconnect (1 of 5).")) << log.All();
    EXPECT_TRUE(log.Contains(L"Attempting reconnect in 10 seconds."));
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), timings.keepAliveMs);
    ExpectScriptDone();

    // With FtpRetry each attempt connects up to four times.
    WriteBool(SettingsKey(), L"FtpRetry", true);
    for (int tick = 2; tick <= 7; ++tick)
        manager.KeepAliveTick();
    EXPECT_EQ(manager.ReconnectAttempts(), ConnectionManager::kMaxReconnectAttempts);
    EXPECT_EQ(LinesStarting(L"Attempting reconnect ("), 5u) << log.All();
    EXPECT_TRUE(log.Contains(L"Attempting reconnect (5 of 5)."));
    EXPECT_EQ(LinesStarting(L"Connecting to server: "), 1u + 1u + 4u * 4u)
        << "the first connection, one attempt, then four attempts of four connections";
    EXPECT_TRUE(window.login.asked.empty()) << "no password helps a server that is gone";
    EXPECT_FALSE(manager.Connected());
    EXPECT_EQ(ReadCurrentSiteName().label, L"Flaky") << "reconnects never forget the site";
}

TEST_F(ScriptedConnection, ReconnectSucceedsWhenTheServerTakesConnectionsAgain)
{
    LogInAndList(*server).ExpectLine().Reply("250 ok").ExpectLine().Reply("257 \"/\"");  // alive
    server->ExpectLine().CloseControl().AcceptControl();                                    // back at once
    LogInAndList(*server).ExpectLine().Reply("250 ok").ExpectLine().Reply("257 \"/\"");  // alive again
    server->ExpectLine().Reply("221 bye");
    server->Start();
    SaveCurrentSite(L"Flaky", server->HostText(), L"alice", L"secret");
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    manager.KeepAliveTick();
    ASSERT_TRUE(manager.Connected());

    manager.KeepAliveTick();
    EXPECT_TRUE(log.Contains(L"Attempting reconnect (1 of 5).")) << log.All();
    EXPECT_TRUE(manager.Connected()) << log.All();
    EXPECT_FALSE(log.Contains(L"Attempting reconnect in 10 seconds."));
    EXPECT_EQ(manager.ReconnectAttempts(), 1);
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), timings.firstCheckMs);

    manager.KeepAliveTick();  // the next tick finds it alive
    EXPECT_EQ(manager.ReconnectAttempts(), 0);
    EXPECT_TRUE(manager.ReconnectAllowed());
    manager.Disconnect(false);
    ExpectScriptDone();
    Lines firstSession = Join({"USER alice\r\n", "PASS secret\r\n"}, kOpenRoot);
    Lines expected = Join(Join(firstSession, {"CWD /\r\n", "PWD\r\n", "CWD /\r\n"}), firstSession);
    expected = Join(expected, {"CWD /\r\n", "PWD\r\n", "QUIT\r\n"});
    EXPECT_EQ(server->Received(), expected);
}

TEST_F(ScriptedConnection, StartUpWithoutASiteOpensTheNewSitePath)
{
    manager.StartUp();
    EXPECT_TRUE(log.Contains(L"Click the Connect button to connect to a site"));
    EXPECT_EQ(window.sites.newSites, 1);
    EXPECT_FALSE(manager.ReconnectAllowed());
    EXPECT_FALSE(manager.ConnectCurrentSite(false)) << "still no site";
    EXPECT_EQ(window.sites.newSites, 2);
    EXPECT_EQ(window.sites.menus, 0);
}

TEST_F(ScriptedConnection, FailedStartUpConnectionForgetsTheSite)
{
    SaveCurrentSite(L"Gone", server->HostText(), L"alice", L"secret");
    server.reset();  // nothing listens there any more
    manager.StartUp();
    EXPECT_FALSE(manager.Connected());
    EXPECT_EQ(ReadCurrentSiteName().label, L"");
    EXPECT_TRUE(log.Contains(L"Click the Connect button to connect to a site")) << log.All();
    EXPECT_EQ(window.sites.newSites, 0) << "a site is stored";
    EXPECT_TRUE(window.login.asked.empty());
    EXPECT_EQ(window.progress.context.errors, (std::vector<std::wstring>{L"Unable to connect to server."}));

    // Connect with no current site offers the site menu.
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    EXPECT_EQ(window.sites.menus, 1);
}

TEST_F(ScriptedConnection, QuickConnectionNamesTheCurrentSite)
{
    LogInAndList(*server).ExpectLine().Reply("221 bye");
    server->Start();
    QuickConnection quick{server->HostText(), L"alice", L"secret", L"Quick Connection", false, false, false, true};
    ASSERT_TRUE(manager.QuickConnect(quick)) << log.All();
    CurrentSiteName current = ReadCurrentSiteName();
    EXPECT_EQ(current.label, L"Quick Connection");
    EXPECT_EQ(current.server, server->HostText());
    EXPECT_EQ(current.user, L"alice");
    EXPECT_EQ(window.remote.Row(L"a.txt")->size, 5u);
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), timings.firstCheckMs);
    manager.Disconnect(false);
    ExpectScriptDone();

    // Failing, and asked to forget: the names go again.
    std::wstring gone = server->HostText();
    server.reset();
    quick.server = gone;
    EXPECT_FALSE(manager.QuickConnect(quick));
    EXPECT_EQ(ReadCurrentSiteName().label, L"");
    EXPECT_EQ(window.remote.pathBoxRefreshes, 1);
}

TEST_F(ScriptedConnection, NoReconnectUntilAKeepAliveCheckSawTheConnection)
{
    LogInAndList(*server).ExpectLine().CloseControl().CloseListener();
    server->Start();
    SaveCurrentSite(L"Flaky", server->HostText(), L"alice", L"secret");
    WriteBool(SettingsKey(), L"FtpRetry", true);
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    manager.KeepAliveTick();
    ExpectScriptDone();
    EXPECT_FALSE(manager.Connected());
    EXPECT_EQ(manager.ReconnectAttempts(), 0);
    EXPECT_EQ(LinesStarting(L"Attempting reconnect"), 0u) << log.All();

    // The connect command itself is not retried either.
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    EXPECT_EQ(LinesStarting(L"Connecting to server: "), 2u) << log.All();
}
