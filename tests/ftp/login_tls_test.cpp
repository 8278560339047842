// Log-in with TLS against real servers: explicit and implicit, good and bad
// certificates, and the features each server announces.
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "support/RealFtpServer.h"
#include "support/TestLog.h"

namespace {

using Kind = RealFtpServer::Kind;
using Tls = RealFtpServer::Tls;
using Certificate = RealFtpServer::Certificate;

LoginRequest RequestFor(const RealFtpServer& server, Tls tls)
{
    LoginRequest request;
    request.hostText = server.HostText();
    request.user = server.User();
    request.password = server.Password();
    request.secure = tls != Tls::None;
    request.implicit = tls == Tls::Implicit;
    return request;
}

// What each server lists in FEAT, as flags.
uint32_t ExpectedFeatures(Kind kind)
{
    if (kind == Kind::Vsftpd)
        return FeatQueried | HasSize | HasMdtm;
    return FeatQueried | HasSize | HasMdtm | HasMfmt | HasUtf8 | MlstModify | MlstSize | MlstType | HasMlsd;
}

struct Mode {
    Kind kind;
    Tls tls;
};

class TlsLogin : public ::testing::TestWithParam<Mode> {};

std::string ModeName(const ::testing::TestParamInfo<Mode>& info)
{
    const char* tls[] = {"plain", "explicit", "implicit"};
    return std::string(RealFtpServer::Name(info.param.kind)) + "_" + tls[static_cast<int>(info.param.tls)];
}

}  // namespace

TEST_P(TlsLogin, LogsInAndLearnsTheServersFeatures)
{
    RealFtpServer server(GetParam().kind, GetParam().tls);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, RequestFor(server, GetParam().tls), ProxySettings{}), NetResult::Ok)
        << log.All();
    EXPECT_EQ(session.TlsActive(), GetParam().tls != Tls::None);
    EXPECT_EQ(QueryFeatures(NullContext(), session), NetResult::Ok);
    EXPECT_EQ(session.features, ExpectedFeatures(GetParam().kind)) << std::hex << session.features;

    // The protected control connection carries commands both ways.
    std::string text;
    EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
    EXPECT_NE(text.find("\"/\""), std::string::npos) << text;
    EXPECT_FALSE(log.ContainsPart(server.Password()));
}

INSTANTIATE_TEST_SUITE_P(Servers, TlsLogin,
                         ::testing::Values(Mode{Kind::Vsftpd, Tls::None}, Mode{Kind::Vsftpd, Tls::Explicit},
                                           Mode{Kind::Vsftpd, Tls::Implicit}, Mode{Kind::Pyftpdlib, Tls::None},
                                           Mode{Kind::Pyftpdlib, Tls::Explicit}, Mode{Kind::Pyftpdlib, Tls::Implicit}),
                         ModeName);

namespace {

struct BadCertificate {
    Certificate certificate;
    Tls tls;
};

class BadCertificateLogin : public ::testing::TestWithParam<BadCertificate> {};

std::string CertificateCaseName(const ::testing::TestParamInfo<BadCertificate>& info)
{
    const char* names[] = {"good", "wrongname", "expired", "selfsigned"};
    return std::string(names[static_cast<int>(info.param.certificate)]) +
           (info.param.tls == Tls::Implicit ? "_implicit" : "_explicit");
}

}  // namespace

TEST_P(BadCertificateLogin, FailsWithTheTlsMessage)
{
    RealFtpServer server(Kind::Vsftpd, GetParam().tls, GetParam().certificate);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    EXPECT_EQ(Login(NullContext(), session, RequestFor(server, GetParam().tls), ProxySettings{}), NetResult::Failed);
    EXPECT_FALSE(session.TlsActive());
    std::wstring port = std::to_wstring(server.Port());
    std::wstring expected = GetParam().tls == Tls::Implicit
                                ? L"Connection to server localhost on port " + port + L" could not be secured using SSL/TLS."
                                : L"Unable to use SSL/TLS with server localhost on port " + port + L". Trying unsecured.";
    EXPECT_TRUE(log.Contains(expected)) << log.All();
    EXPECT_FALSE(log.ContainsPart(L"Command: PASS")) << "no password may follow a failed handshake";
}

INSTANTIATE_TEST_SUITE_P(Certificates, BadCertificateLogin,
                         ::testing::Values(BadCertificate{Certificate::SelfSigned, Tls::Implicit},
                                           BadCertificate{Certificate::WrongName, Tls::Implicit},
                                           BadCertificate{Certificate::Expired, Tls::Implicit},
                                           BadCertificate{Certificate::SelfSigned, Tls::Explicit},
                                           BadCertificate{Certificate::WrongName, Tls::Explicit},
                                           BadCertificate{Certificate::Expired, Tls::Explicit}),
                         CertificateCaseName);

TEST(TlsLogin, TheNameTheUserTypedIsWhatTheCertificateMustMatch)
{
    // The certificate is issued for localhost: the address 127.0.0.1 is not that name.
    RealFtpServer server(Kind::Vsftpd, Tls::Explicit);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    LoginRequest request = RequestFor(server, Tls::Explicit);
    request.hostText = L"127.0.0.1:" + std::to_wstring(server.Port());
    EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}), NetResult::Failed);
    request.hostText = L"LOCALHOST:" + std::to_wstring(server.Port());
    EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}), NetResult::Ok) << log.All();
}
