// The connection manager against vsftpd and pyftpdlib: saved sites, plain
// and explicit TLS, the log-in dialog, the start folder, the TLS-refused
// question and dropping a connection.
#include <gtest/gtest.h>

#include "ops/ConnectionManager.h"
#include "ops/ConnectionTestWindow.h"
#include "support/RealFtpServer.h"
#include "support/ScratchRegistry.h"
#include "support/ServedFiles.h"
#include "support/SharedRealServer.h"
#include "support/TestLog.h"

namespace {

using Kind = RealFtpServer::Kind;
using Tls = RealFtpServer::Tls;

struct Mode {
    Kind kind;
    Tls tls;
};

std::string ModeName(const ::testing::TestParamInfo<Mode>& info)
{
    return std::string(RealFtpServer::Name(info.param.kind)) + (info.param.tls == Tls::None ? "_plain" : "_explicit");
}

void ServeDocs(RealFtpServer& server)
{
    MakeServedFolder(server.RootPath(L"/docs"));
    MakeServedFile(server.RootPath(L"/docs/readme.txt"), "read me", WholeMinuteNow());
    MakeServedFolder(server.RootPath(L"/docs/inner"));
    server.TakeOwnership();
}

RealFtpServer& Shared(Kind kind)
{
    return SharedRealServer(kind, ServeDocs);
}

class RealConnection : public ::testing::Test {
protected:
    RegKeyRef SaveSiteOf(const RealFtpServer& server, const std::wstring& label = L"Real", bool explicitTls = false)
    {
        return SaveCurrentSite(label, server.HostText(), server.User(), server.Password(), explicitTls);
    }

    ScratchProductKey scratch;
    CapturedLog log;
    TestWindow window;
    ConnectionManager manager{window.Parts()};
};

class SavedSiteConnection : public RealConnection, public ::testing::WithParamInterface<Mode> {};

}  // namespace

TEST_P(SavedSiteConnection, OpensTheStartFolderIntoTheRemotePane)
{
    RealFtpServer server(GetParam().kind, GetParam().tls);
    ASSERT_TRUE(server.Started()) << server.Error();
    ServeDocs(server);
    RegKeyRef slot = SaveSiteOf(server, L"Real", GetParam().tls == Tls::Explicit);
    WriteString(slot, L"Directory", L"/docs");
    WriteBool(slot, L"UseRecentLocal", false);
    WriteString(slot, L"LocalDirectory", L"C:\\work");

    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    EXPECT_TRUE(manager.Connected());
    EXPECT_EQ(manager.Session().TlsActive(), GetParam().tls == Tls::Explicit);
    EXPECT_TRUE(log.Contains(L"Connecting to server: " + server.HostText() + L"."));
    EXPECT_TRUE(log.Contains(L"Connected OK."));
    EXPECT_TRUE(window.prompt.asked.empty());
    EXPECT_TRUE(window.login.asked.empty());

    EXPECT_EQ(manager.CurrentFolder(), L"/docs");
    ASSERT_EQ(window.remote.rows.size(), 2u) << log.All();
    const RemoteRow* file = window.remote.Row(L"readme.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->kind, RemoteKind::File);
    EXPECT_EQ(file->size, 7u);
    ASSERT_NE(window.remote.Row(L"inner"), nullptr);
    EXPECT_EQ(window.remote.Row(L"inner")->kind, RemoteKind::Folder);
    EXPECT_EQ(manager.History().At(0), L"/docs");
    EXPECT_EQ(window.remote.historyPositions, std::vector<size_t>{0});

    EXPECT_EQ(window.local.folder, L"C:\\work");
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), ConnectionTimings{}.firstCheckMs);
    ASSERT_FALSE(window.progress.titles.empty());
    EXPECT_EQ(window.progress.titles[0], L"FTP Connect");
    const auto& statuses = window.progress.context.statuses;
    EXPECT_EQ(statuses.at(0).second, L"Connecting...");
    EXPECT_EQ(statuses.at(1).second, L"Logon...");
    const auto& progress = window.progress.context.progress;
    EXPECT_EQ(progress, (std::vector<double>{0.1, 0.33, 0.66}));

    // The folder in use is recorded with the site.
    EXPECT_EQ(ReadString(slot, L"RecentRemoteDirectory"), L"/docs");
    EXPECT_EQ(ReadString(slot, L"RecentLocalDirectory"), L"C:\\work");

    manager.KeepAliveTick();
    EXPECT_TRUE(manager.Connected());
    EXPECT_TRUE(manager.ReconnectAllowed());
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), 30000u);
    EXPECT_EQ(window.notifier.statusText, L"Connected to Real (" + server.HostText() + L") as " + server.User());
}

INSTANTIATE_TEST_SUITE_P(Servers, SavedSiteConnection,
                         ::testing::Values(Mode{Kind::Vsftpd, Tls::None}, Mode{Kind::Vsftpd, Tls::Explicit},
                                           Mode{Kind::Pyftpdlib, Tls::None}, Mode{Kind::Pyftpdlib, Tls::Explicit}),
                         ModeName);

TEST_F(RealConnection, WrongPasswordAsksAndKeepsTheTypedOne)
{
    RealFtpServer& server = Shared(Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    RegKeyRef slot = SaveCurrentSite(L"Real", server.HostText(), server.User(), L"not-the-password");
    window.login.passwords = {L"still-wrong", server.Password()};
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    ASSERT_EQ(window.login.asked.size(), 2u);
    EXPECT_EQ(window.login.asked[0], std::make_pair(server.HostText(), server.User()));
    SiteRecord site;
    site.requestedLabel = L"Real";
    LoadCurrentSite(site);
    EXPECT_EQ(site.password, server.Password());
    EXPECT_EQ(window.notifier.cancels, 2);
    EXPECT_TRUE(window.prompt.asked.empty());
}

TEST_F(RealConnection, CancelledLoginDialogStopsRetriesAndForgetsTheSite)
{
    RealFtpServer& server = Shared(Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    SaveCurrentSite(L"Real", server.HostText(), server.User(), L"not-the-password");
    WriteBool(SettingsKey(), L"FtpRetry", true);
    EXPECT_FALSE(manager.ConnectCurrentSite(true));
    EXPECT_EQ(window.login.asked.size(), 1u) << "no retry after the user cancelled";
    EXPECT_FALSE(manager.Connected());
    EXPECT_FALSE(manager.ReconnectAllowed());
    EXPECT_EQ(ReadCurrentSiteName().label, L"");
    EXPECT_EQ(window.remote.pathBoxRefreshes, 1);
}

TEST_F(RealConnection, MissingStartFolderOpensTheRoot)
{
    RealFtpServer& server = Shared(Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    RegKeyRef slot = SaveSiteOf(server);
    WriteString(slot, L"Directory", L"/no-such-folder");
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    EXPECT_EQ(manager.CurrentFolder(), L"/");
    EXPECT_NE(window.remote.Row(L"docs"), nullptr);
    EXPECT_TRUE(log.Contains(L"Unable to change to the directory \"/no-such-folder\". Please check if you have "
                             L"permission on the directory."))
        << log.All();
    EXPECT_EQ(manager.History().At(0), L"/");
}

TEST_F(RealConnection, UpBackForwardAndRefreshMoveThroughTheFolders)
{
    RealFtpServer& server = Shared(Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    WriteString(SaveSiteOf(server), L"Directory", L"/docs/inner");
    EXPECT_FALSE(manager.CanGoUp()) << "not connected";
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    RecordingContext context;
    EXPECT_FALSE(manager.CanGoBack());

    ASSERT_TRUE(manager.GoUp(context)) << log.All();
    EXPECT_EQ(manager.CurrentFolder(), L"/docs");
    EXPECT_NE(window.remote.Row(L"inner"), nullptr);
    ASSERT_TRUE(manager.GoUp(context));
    EXPECT_EQ(manager.CurrentFolder(), L"/");
    EXPECT_FALSE(manager.CanGoUp());
    EXPECT_FALSE(manager.GoUp(context));

    ASSERT_TRUE(manager.GoBack(context));
    EXPECT_EQ(manager.CurrentFolder(), L"/docs");
    EXPECT_NE(window.remote.Row(L"readme.txt"), nullptr);
    ASSERT_TRUE(manager.GoBack(context));
    EXPECT_EQ(manager.CurrentFolder(), L"/docs/inner");
    EXPECT_FALSE(manager.CanGoBack()) << "the start folder is the oldest";
    ASSERT_TRUE(manager.GoForward(context));
    EXPECT_EQ(manager.CurrentFolder(), L"/docs");
    EXPECT_EQ(window.remote.historyPositions.back(), 1u);
    EXPECT_EQ(manager.History().At(0), L"/") << "Back and Forward leave the history as it was";

    // Refresh shows what changed on the server and keeps the history.
    const std::wstring probe = server.RootPath(L"/docs/refresh-probe.txt");
    MakeServedFile(probe, "new", WholeMinuteNow());
    ASSERT_TRUE(manager.Refresh(context)) << log.All();
    DeleteFileW(probe.c_str());
    EXPECT_NE(window.remote.Row(L"refresh-probe.txt"), nullptr);
    EXPECT_EQ(manager.CurrentFolder(), L"/docs");
    EXPECT_EQ(manager.History().Position(), 1u);
    EXPECT_TRUE(log.Contains(L"Refreshing..."));
    EXPECT_TRUE(log.Contains(L"Refreshed."));
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), 100u);
}

TEST_F(RealConnection, AnUntrustedCertificateIsAskedAboutOnceAndAgainWhenItChanges)
{
    RealFtpServer server(Kind::Pyftpdlib, Tls::Explicit, RealFtpServer::Certificate::SelfSigned);
    ASSERT_TRUE(server.Started()) << server.Error();
    const std::string sha256 = RealFtpServer::CertificateSha256(RealFtpServer::Certificate::SelfSigned);
    RegKeyRef slot = SaveSiteOf(server, L"Real", true);

    // Refused: nothing is stored and the question carries the facts.
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    ASSERT_EQ(window.prompt.asked.size(), 1u);
    const PromptQuestion& question = window.prompt.asked[0];
    EXPECT_EQ(question.caption, L"Server Certificate");
    EXPECT_EQ(question.acceptButton, L"Trust this certificate for this server");
    EXPECT_TRUE(question.declineIsDefault);
    EXPECT_NE(question.text.find(L"SHA-256 fingerprint: " + FingerprintText(sha256)), std::wstring::npos);
    EXPECT_EQ(question.text.find(L"changed"), std::wstring::npos);
    EXPECT_EQ(ReadString(slot, L"TrustedCertificate"), L"");
    EXPECT_FALSE(log.ContainsPart(L"Command: PASS"));
    // The question stands in for the failure message.
    EXPECT_TRUE(window.progress.context.errors.empty());

    // Trusted: connected, the fingerprint stored with the site.
    window.prompt = ScriptedPrompt{{true}};
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    EXPECT_EQ(ReadTrustedCertificate(slot), sha256);

    // The next connection asks nothing; a silent reconnect neither.
    ConnectionManager again{window.Parts()};
    window.prompt = ScriptedPrompt{};
    ASSERT_TRUE(again.ConnectCurrentSite(false)) << log.All();
    RecordingContext context;
    EXPECT_EQ(static_cast<Connection&>(again).Reconnect(context), NetResult::Ok);
    EXPECT_TRUE(window.prompt.asked.empty());

    // Another certificate trusted for the site: asked again, and told so.
    WriteString(slot, L"TrustedCertificate", std::wstring(64, L'A'));
    ConnectionManager changed{window.Parts()};
    EXPECT_FALSE(changed.ConnectCurrentSite(false));
    ASSERT_EQ(window.prompt.asked.size(), 1u);
    EXPECT_NE(window.prompt.asked[0].text.find(L"has changed since you trusted it"), std::wstring::npos);
}

TEST_F(RealConnection, SilentReconnectReturnsToTheFolderWithoutADialog)
{
    RealFtpServer& server = Shared(Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    RegKeyRef slot = SaveSiteOf(server);
    WriteString(slot, L"Directory", L"/docs/inner");
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    size_t dialogs = window.progress.titles.size();
    RecordingContext context;
    Connection& connection = manager;
    EXPECT_EQ(connection.Reconnect(context), NetResult::Ok) << log.All();
    EXPECT_EQ(window.progress.titles.size(), dialogs);
    EXPECT_TRUE(log.Contains(L"Disconnected from server."));
    EXPECT_EQ(manager.CurrentFolder(), L"/docs/inner");
    std::string text;
    EXPECT_EQ(SendCommand(context, connection.Session(), "PWD\r\n", &text), NetResult::Ok);
    EXPECT_NE(text.find("\"/docs/inner\""), std::string::npos) << text;
}

TEST_F(RealConnection, ServerWithoutTlsLogsInUnprotectedOnlyWhenAllowed)
{
    RealFtpServer& server = Shared(Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    RegKeyRef slot = SaveSiteOf(server, L"Real", true);

    window.prompt = ScriptedPrompt{{true, false}, {true, true}};
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << log.All();
    EXPECT_FALSE(manager.Session().TlsActive());
    ASSERT_EQ(window.prompt.asked.size(), 1u);
    EXPECT_EQ(window.prompt.asked[0].acceptButton, L"Connect Unprotected");
    EXPECT_FALSE(ValueExists(slot, L"AllowUnprotected"));

    manager.Disconnect(false);
    ASSERT_TRUE(manager.ConnectCurrentSite(false)) << "asked again, and remembered this time";
    EXPECT_EQ(window.prompt.asked.size(), 2u);
    EXPECT_EQ(ReadString(slot, L"AllowUnprotected"), L"1");

    manager.Disconnect(false);
    ASSERT_TRUE(manager.ConnectCurrentSite(false));
    EXPECT_EQ(window.prompt.asked.size(), 2u) << "the remembered answer needs no question";

    // A remembered refusal fails at once.
    WriteUnprotectedLogin(slot, UnprotectedLogin::Refuse);
    manager.Disconnect(false);
    EXPECT_FALSE(manager.ConnectCurrentSite(false));
    EXPECT_EQ(window.prompt.asked.size(), 2u);
    EXPECT_TRUE(window.login.asked.empty());
}

TEST_F(RealConnection, ChoosingASiteWhileConnectedAsksFirst)
{
    RealFtpServer& server = Shared(Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    SaveSiteOf(server, L"Second");
    SaveSiteOf(server, L"First");
    std::vector<SiteSlot> sites = EnumerateSites();
    ASSERT_EQ(sites.size(), 2u);
    size_t first = sites[0].label == L"First" ? 0 : 1;
    size_t second = 1 - first;

    ASSERT_TRUE(manager.ConnectSiteFromMenu(first)) << log.All();
    window.prompt = ScriptedPrompt{{false}, {false}, {true}};
    EXPECT_FALSE(manager.ConnectSiteFromMenu(first));
    ASSERT_EQ(window.prompt.asked.size(), 1u);
    EXPECT_EQ(window.prompt.asked[0].caption, L"Reconnect Confirm");
    EXPECT_EQ(window.prompt.asked[0].text, L"You are currently connected to First, do you wish to reconnect?");
    EXPECT_TRUE(manager.Connected());

    EXPECT_FALSE(manager.ConnectSiteFromMenu(second));
    ASSERT_EQ(window.prompt.asked.size(), 2u);
    EXPECT_EQ(window.prompt.asked[1].caption, L"Disconnect Confirm");
    EXPECT_EQ(window.prompt.asked[1].text,
              L"You are connected to First as " + server.User() + L".\nAre you sure you want to disconnect?");
    EXPECT_TRUE(manager.Connected());
    EXPECT_EQ(ReadCurrentSiteName().label, L"First");

    ASSERT_TRUE(manager.ConnectSiteFromMenu(second)) << log.All();
    EXPECT_TRUE(log.Contains(L"Disconnected from server."));
    EXPECT_EQ(ReadCurrentSiteName().label, L"Second");
    EXPECT_TRUE(manager.Connected());

    manager.DisconnectCommand();
    EXPECT_FALSE(manager.Connected());
    EXPECT_EQ(ReadCurrentSiteName().label, L"") << "the Disconnect command forgets the site";
    EXPECT_EQ(window.scheduler.Interval(TimerId::KeepAlive), 0u);
    EXPECT_EQ(window.notifier.statusText, L"Not connected to FTP site");
    EXPECT_TRUE(window.remote.rows.empty());
    EXPECT_EQ(manager.History().At(0), L"");
    EXPECT_TRUE(manager.ConfirmDrop(DropWording::Disconnect)) << "nothing to drop";
    EXPECT_EQ(window.prompt.asked.size(), 3u);
}
