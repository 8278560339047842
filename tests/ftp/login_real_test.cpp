// Log-in against real servers started by the test environment.
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "support/RealFtpServer.h"
#include "support/TestLog.h"

namespace {

class RealLogin : public ::testing::TestWithParam<RealFtpServer::Kind> {};

LoginRequest RequestFor(const RealFtpServer& server)
{
    LoginRequest request;
    request.hostText = server.HostText();
    request.user = server.User();
    request.password = server.Password();
    return request;
}

}  // namespace

TEST_P(RealLogin, UserAndPasswordAreAccepted)
{
    RealFtpServer server(GetParam());
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, RequestFor(server), ProxySettings{}), NetResult::Ok) << log.All();
    EXPECT_TRUE(log.ContainsPart(L"Response:  220")) << log.All();
    EXPECT_TRUE(log.ContainsPart(L"Response:  230"));
    std::wstring stars(server.Password().size(), L'*');
    EXPECT_TRUE(log.Contains(L"Command: PASS " + stars));
    EXPECT_FALSE(log.ContainsPart(server.Password()));

    std::string text;
    EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
    EXPECT_NE(text.find("\"/\""), std::string::npos) << text;
}

TEST_P(RealLogin, WrongPasswordIsRefused)
{
    RealFtpServer server(GetParam());
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    LoginRequest request = RequestFor(server);
    request.password = L"not-the-password";
    EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"User login failed. Check that you have the correct username and password.")) << log.All();
}

INSTANTIATE_TEST_SUITE_P(Servers, RealLogin,
                         ::testing::Values(RealFtpServer::Kind::Vsftpd, RealFtpServer::Kind::Pyftpdlib),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });
