// The connection test against real servers.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/ServerTest.h"
#include "support/SharedRealServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

using Results = std::array<uint32_t, kServerTestStepCount>;

ServerTest TestOf(const RealFtpServer& server, const std::wstring& startFolder = L"", bool tls = false)
{
    ServerTest test;
    test.host = server.HostText();
    test.user = server.User();
    test.password = server.Password();
    test.startFolder = startFolder;
    test.useTls = tls;
    return test;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST(FullServerTest, AllSevenStepsPassOverExplicitTls)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd, RealFtpServer::Tls::Explicit);
    ASSERT_TRUE(server.Started()) << server.Error();
    ASSERT_TRUE(CreateDirectoryW(server.RootPath(L"/in").c_str(), nullptr));
    server.TakeOwnership();
    ServerTest test = TestOf(server, L"/in", true);
    CapturedLog log;
    RecordingContext context;
    ASSERT_EQ(RunFullServerTest(test, context), NetResult::Ok) << log.All();
    EXPECT_EQ(test.outcome, TestReadStepsPassed);
    EXPECT_EQ(test.stepResults, (Results{2, 2, 2, 2, 2, 2, 2})) << test.report;
    EXPECT_EQ(test.report, L"Server \"" + server.HostText() +
                               L"\" is OK.\r\nLogon details are OK.\r\nDirectory changed OK.\r\n"
                               L"Current directory is: /in\r\nContains: [no files]\r\nFile uploaded OK.\r\n"
                               L"File deleted OK.\r\n");
    EXPECT_EQ(test.workingFolder, L"/in");
    EXPECT_TRUE(test.folderNames.empty());
    EXPECT_TRUE(test.fileNames.empty());
    EXPECT_FALSE(Exists(server.RootPath(L"/in/_ftptest")));
    // The listing and the upload went over protected data connections.
    EXPECT_TRUE(log.ContainsPart(L"Response:  200 PROT now Private.")) << log.All();
    ASSERT_FALSE(context.statuses.empty());
    EXPECT_EQ(context.statuses.front(), (std::pair<int, std::wstring>{0, L"Testing FTP..."}));
    EXPECT_EQ(context.progress.front(), 0.01);
    EXPECT_EQ(context.progress.back(), 1.0);
}

TEST(ServerTestSteps, PassiveConnectionsThatCannotBeMadeFailThePassiveStep)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib, RealFtpServer::Tls::None,
                         RealFtpServer::Certificate::Good, "dead-pasv");
    ASSERT_TRUE(server.Started()) << server.Error();
    ServerTest test = TestOf(server);
    FtpSession session;
    ASSERT_EQ(RunServerTest(test, NullContext(), session), NetResult::Ok);
    EXPECT_EQ(test.outcome, TestReadStepsPassed);
    EXPECT_EQ(test.stepResults, (Results{2, 2, 2, 2, 1, 0, 0})) << test.report;
    EXPECT_NE(test.report.find(L"Contains: [no files]\r\nPassive Connection Failed!\r\nSee "), std::wstring::npos)
        << test.report;
    EXPECT_NE(test.report.find(kPassiveModeHelpAddress), std::wstring::npos);

    // The full test goes on to the upload, which needs a data connection too.
    ASSERT_EQ(RunFullServerTest(test, NullContext()), NetResult::Ok);
    EXPECT_EQ(test.outcome, TestUploadFailed);
    EXPECT_EQ(test.stepResults, (Results{2, 2, 2, 2, 1, 1, 0})) << test.report;
    EXPECT_TRUE(test.report.ends_with(L" Unable to upload to the server.")) << test.report;
}

TEST(ServerTestSteps, AnUnknownHostFailsOnlyTheAddress)
{
    ServerTest test;
    test.host = L"no-such-host.invalid";
    test.user = L"someone";
    test.stepResults.fill(StepPassed);  // left from an earlier run
    test.report = L"earlier";
    FtpSession session;
    ASSERT_EQ(RunServerTest(test, NullContext(), session), NetResult::Ok);
    EXPECT_EQ(test.outcome, TestServerNotReached);
    EXPECT_EQ(test.stepResults, (Results{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test.report, L"Unable to connect to server \"no-such-host.invalid\".");
    EXPECT_FALSE(session.IsOpen());
}

namespace {

// A pyftpdlib server with 23 files and 2 folders for the read-only steps.
void AddFilesAndFolders(RealFtpServer& server)
{
    for (int i = 0; i < 23; ++i)
        WriteWholeFile(server.RootPath(L"/file" + std::to_wstring(i) + L".txt"), "x");
    CreateDirectoryW(server.RootPath(L"/folder-a").c_str(), nullptr);
    CreateDirectoryW(server.RootPath(L"/folder-b").c_str(), nullptr);
}

class ServerTestRead : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server->Started()) << server->Error(); }

    RealFtpServer* server = &SharedRealServer(RealFtpServer::Kind::Pyftpdlib, AddFilesAndFolders);
    FtpSession session;
};

}  // namespace

TEST_F(ServerTestRead, TwentyNamesAreListedThenMore)
{
    ServerTest test = TestOf(*server);
    ASSERT_EQ(RunServerTest(test, NullContext(), session), NetResult::Ok);
    EXPECT_EQ(test.outcome, TestReadStepsPassed);
    EXPECT_EQ(test.stepResults, (Results{2, 2, 2, 2, 2, 0, 0})) << test.report;
    EXPECT_EQ(test.workingFolder, L"/");
    // No start folder: the step passes without its sentence.
    EXPECT_EQ(test.report.find(L"Directory changed OK."), std::wstring::npos);
    ASSERT_FALSE(test.fileNames.empty());
    EXPECT_EQ(test.fileNames.back(), L"[More...]");
    EXPECT_EQ(test.folderNames.size() + test.fileNames.size(), 21u);
    for (const std::wstring& name : test.folderNames)
        EXPECT_TRUE(name == L"folder-a" || name == L"folder-b") << name;
    size_t listed = test.report.find(L"Contains:");
    ASSERT_NE(listed, std::wstring::npos);
    std::wstring names = test.report.substr(listed);
    EXPECT_EQ(std::count(names.begin(), names.end(), L' '), 20) << names;  // one before each name
    EXPECT_EQ(test.report.find(L"[More...]"), std::wstring::npos);
}

TEST_F(ServerTestRead, RefusedLogInAndStartFolderEndTheTestAtTheirSteps)
{
    ServerTest test = TestOf(*server);
    test.password = L"wrong";
    ASSERT_EQ(RunServerTest(test, NullContext(), session), NetResult::Ok);
    EXPECT_EQ(test.outcome, TestLoginRefused);
    EXPECT_EQ(test.stepResults, (Results{2, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test.report, L"Server \"" + server->HostText() + L"\" is OK.\r\nUnable to logon with username \"" +
                               server->User() + L"\" or entered password.");

    test = TestOf(*server, L"/no/such/folder");
    ASSERT_EQ(RunServerTest(test, NullContext(), session), NetResult::Ok);
    EXPECT_EQ(test.outcome, TestStartFolderRefused);
    EXPECT_EQ(test.stepResults, (Results{2, 2, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(test.report.ends_with(L"Logon details are OK.\r\nUnable to change to the directory \"/no/such/folder\"."))
        << test.report;
}

TEST_F(ServerTestRead, QuickLogonTestShowsWhatFailed)
{
    ServerTest test = TestOf(*server);
    RecordingContext context;
    EXPECT_EQ(QuickLogonTest(test, context), NetResult::Ok);
    EXPECT_TRUE(context.errors.empty());

    test.password = L"wrong";
    EXPECT_EQ(QuickLogonTest(test, context), NetResult::Failed);
    test.host = L"no-such-host.invalid";
    EXPECT_EQ(QuickLogonTest(test, context), NetResult::Failed);
    EXPECT_EQ(context.errors, (std::vector<std::wstring>{L"Unable to log onto server.", L"Unable to connect to server."}));
}
