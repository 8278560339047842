// Protected data connections: real servers and a scripted TLS server.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/Login.h"
#include "ftp/PassiveData.h"
#include "support/RealFtpServer.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

TEST(ProtectedData, RefusedProtPIsShownAndFails)
{
    ScriptedTlsServer server(true, {"send 220 hi", "expect", "send 230 in", "expect", "send 200 PBSZ=0", "expect",
                                    "send 534 Protection level not supported", "expect"});
    ASSERT_TRUE(server.Started()) << server.Error();
    FtpSession session;
    session.timeouts.reply = 5000;
    RecordingContext context;
    LoginRequest request{server.HostText(), L"u", L"p", true, true};
    ASSERT_EQ(Login(context, session, request, {}), NetResult::Ok);
    std::vector<std::string> lines;
    EXPECT_EQ(ListOverData(context, session, "LIST\r\n", lines), NetResult::Failed);
    ASSERT_EQ(context.errors.size(), 1u);
    EXPECT_EQ(context.errors[0],
              L"This FTP server does not support the required protected mode data transfers for SSL connections.");
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER u\r\n", "PBSZ 0\r\n", "PROT P\r\n"}));
}

namespace {

class ProtectedListing : public ::testing::TestWithParam<RealFtpServer::Kind> {};

}  // namespace

TEST_P(ProtectedListing, ListOverAProtectedDataConnectionEndsAtOnce)
{
    RealFtpServer server(GetParam(), RealFtpServer::Tls::Explicit);
    ASSERT_TRUE(server.Started()) << server.Error();
    // Enough names to need many TLS records.
    std::vector<std::string> expected;
    for (int i = 0; i < 600; ++i) {
        std::string name = "file-with-a-long-name-" + std::to_string(i) + ".txt";
        WriteWholeFile(server.RootPath(L"/" + std::wstring(name.begin(), name.end())), "x");
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    FtpSession session;
    CapturedLog log;
    LoginRequest request{server.HostText(), server.User(), server.Password(), true, false};
    ASSERT_EQ(Login(NullContext(), session, request, {}), NetResult::Ok) << log.All();
    std::vector<std::string> lines;
    DWORD start = GetTickCount();
    ASSERT_EQ(ListOverData(NullContext(), session, "NLST\r\n", lines), NetResult::Ok) << log.All();
    // The server's close notification is answered, so the listing does not
    // wait for its time-out.
    EXPECT_LT(GetTickCount() - start, 5000u);
    for (std::string& line : lines)
        line = line.substr(line.find_last_of('/') + 1);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, expected);
}

INSTANTIATE_TEST_SUITE_P(Servers, ProtectedListing,
                         ::testing::Values(RealFtpServer::Kind::Vsftpd, RealFtpServer::Kind::Pyftpdlib),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });
