// Log-in with TLS against real servers: explicit and implicit, good and bad
// certificates, and the features each server announces.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/Login.h"
#include "ftp/RemoteListing.h"
#include "support/RealFtpServer.h"
#include "support/ScriptedTlsServer.h"
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
        return FeatQueried | HasSize | HasMdtm | HasRestStream;
    return FeatQueried | HasSize | HasMdtm | HasMfmt | HasUtf8 | MlstModify | MlstSize | MlstType | HasMlsd |
           HasRestStream;
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
                                : L"Unable to use SSL/TLS with server localhost on port " + port + L".";
    EXPECT_TRUE(log.Contains(expected)) << log.All();
    EXPECT_FALSE(log.ContainsPart(L"Command: PASS")) << "no password may follow a failed handshake";
}

TEST_P(BadCertificateLogin, TheServerReceivesNothingAfterTheHandshake)
{
    // The scripted server records every line, and clear text where it
    // expects TLS, until the client has gone.
    bool implicitTls = GetParam().tls == Tls::Implicit;
    std::vector<std::string> script = implicitTls ? std::vector<std::string>{"expect"}
                                                  : std::vector<std::string>{"send 220 hi", "expect", "send 234 go",
                                                                             "starttls", "expect"};
    ScriptedTlsServer server(implicitTls, script, GetParam().certificate);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    LoginRequest request{server.HostText(), L"alice", L"s3cret!", true, implicitTls};
    EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}), NetResult::Failed);
    EXPECT_FALSE(session.IsOpen());
    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), implicitTls ? std::vector<std::string>{} : std::vector<std::string>{"AUTH TLS\r\n"});
}

INSTANTIATE_TEST_SUITE_P(Certificates, BadCertificateLogin,
                         ::testing::Values(BadCertificate{Certificate::SelfSigned, Tls::Implicit},
                                           BadCertificate{Certificate::WrongName, Tls::Implicit},
                                           BadCertificate{Certificate::Expired, Tls::Implicit},
                                           BadCertificate{Certificate::SelfSigned, Tls::Explicit},
                                           BadCertificate{Certificate::WrongName, Tls::Explicit},
                                           BadCertificate{Certificate::Expired, Tls::Explicit}),
                         CertificateCaseName);

// A certificate that does not verify is refused with its facts, and passes
// when the user trusts its fingerprint: silently only for a missing trusted
// root, an expired or misnamed one only with the trust granted for this
// connection.
TEST(CertificateTrustLogin, ASelfSignedCertificatePassesOnItsFingerprintDataConnectionsToo)
{
    RealFtpServer server(Kind::Pyftpdlib, Tls::Explicit, Certificate::SelfSigned);
    ASSERT_TRUE(server.Started()) << server.Error();
    const std::string sha256 = RealFtpServer::CertificateSha256(Certificate::SelfSigned);
    ASSERT_EQ(sha256.size(), 64u);
    CapturedLog log;
    FtpSession session;
    LoginRequest request = RequestFor(server, Tls::Explicit);
    LoginFailure failure = LoginFailure::None;
    EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::CertificateRejected);
    ASSERT_TRUE(session.RejectedCertificate());
    const CertificateFacts& facts = *session.RejectedCertificate();
    EXPECT_EQ(facts.problem, CertificateProblem::UntrustedRoot);
    EXPECT_EQ(facts.sha256, sha256);
    EXPECT_EQ(facts.names, std::vector<std::wstring>{L"localhost"});
    EXPECT_NE(facts.subject.find(L"CN=localhost"), std::wstring::npos) << facts.subject;
    EXPECT_EQ(facts.issuer, facts.subject);
    EXPECT_LT(facts.validFrom, facts.validTo);
    EXPECT_TRUE(log.ContainsPart(L"was not accepted. The certificate is not issued by an authority")) << log.All();

    request.certificateTrust = {sha256.substr(0, 63) + (sha256[63] == '0' ? "1" : "0"), true};
    EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}, failure), NetResult::Failed);
    EXPECT_EQ(failure, LoginFailure::CertificateRejected) << "another fingerprint trusts nothing";

    request.certificateTrust = {sha256, false};
    ASSERT_EQ(Login(NullContext(), session, request, ProxySettings{}, failure), NetResult::Ok) << log.All();
    EXPECT_TRUE(session.TlsActive());
    RemoteListing listing;
    EXPECT_EQ(ListRemoteFolder(NullContext(), session, listing), NetResult::Ok) << log.All();
    EXPECT_FALSE(listing.dataConnectionFailed);
}

TEST(CertificateTrustLogin, AnExpiredOrMisnamedCertificateNeedsTheTrustOfThisConnection)
{
    for (Certificate certificate : {Certificate::Expired, Certificate::WrongName}) {
        SCOPED_TRACE(RealFtpServer::CertificateName(certificate));
        RealFtpServer server(Kind::Vsftpd, Tls::Implicit, certificate);
        ASSERT_TRUE(server.Started()) << server.Error();
        const std::string sha256 = RealFtpServer::CertificateSha256(certificate);
        CapturedLog log;
        FtpSession session;
        LoginRequest request = RequestFor(server, Tls::Implicit);
        request.certificateTrust = {sha256, false};
        LoginFailure failure = LoginFailure::None;
        EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}, failure), NetResult::Failed);
        EXPECT_EQ(failure, LoginFailure::CertificateRejected);
        ASSERT_TRUE(session.RejectedCertificate());
        EXPECT_EQ(session.RejectedCertificate()->problem,
                  certificate == Certificate::Expired ? CertificateProblem::Expired : CertificateProblem::WrongName);
        EXPECT_FALSE(log.ContainsPart(L"Command: PASS"));

        request.certificateTrust = {sha256, true};
        EXPECT_EQ(Login(NullContext(), session, request, ProxySettings{}, failure), NetResult::Ok) << log.All();
        RemoteListing listing;
        EXPECT_EQ(ListRemoteFolder(NullContext(), session, listing), NetResult::Ok) << log.All();
        EXPECT_FALSE(listing.dataConnectionFailed) << "the data connection passes on the same trust";
        size_t announced = std::count_if(log.lines.begin(), log.lines.end(), [](const CapturedLog::Line& line) {
            return line.text.find(L"is accepted as trusted by its fingerprint") != std::wstring::npos;
        });
        EXPECT_EQ(announced, 1u) << "once for the log-in, not again for the data connection\n" << log.All();
    }
}

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

TEST(TlsLogin, ThroughAProxyTlsIsNegotiatedWithTheProxy)
{
    // Explicit: AUTH TLS to the proxy right after its greeting; its own
    // log-in and the SITE command already travel protected.
    ScriptedTlsServer explicitProxy(false, {"send 220 proxy", "expect", "send 234 go", "starttls", "expect",
                                            "send 331 proxy password", "expect", "send 230 proxy ok", "expect",
                                            "send 220 connected", "expect", "send 331 pw", "expect", "send 230 in"});
    ASSERT_TRUE(explicitProxy.Started()) << explicitProxy.Error();
    CapturedLog log;
    FtpSession session;
    LoginRequest request{L"ftp.example.com", L"alice", L"s3cret!", true, false};
    ProxySettings proxy{1, explicitProxy.HostText(), L"puser", L"ppass"};
    EXPECT_EQ(Login(NullContext(), session, request, proxy), NetResult::Ok) << log.All();
    EXPECT_TRUE(session.TlsActive());
    session.Close();
    ASSERT_TRUE(explicitProxy.Finish());
    EXPECT_EQ(explicitProxy.Received(),
              (std::vector<std::string>{"AUTH TLS\r\n", "USER puser\r\n", "PASS ppass\r\n", "SITE ftp.example.com\r\n",
                                        "USER alice\r\n", "PASS s3cret!\r\n"}));

    // Implicit: TLS with the proxy from the first byte.
    ScriptedTlsServer implicitProxy(true, {"send 220 proxy", "expect", "send 220 connected", "expect", "send 230 in"});
    ASSERT_TRUE(implicitProxy.Started()) << implicitProxy.Error();
    request.implicit = true;
    proxy = {2, implicitProxy.HostText(), L"", L""};
    EXPECT_EQ(Login(NullContext(), session, request, proxy), NetResult::Ok) << log.All();
    EXPECT_TRUE(session.TlsActive());
    session.Close();
    ASSERT_TRUE(implicitProxy.Finish());
    EXPECT_EQ(implicitProxy.Received(), (std::vector<std::string>{"OPEN ftp.example.com\r\n", "USER alice\r\n"}));
}

TEST(TlsLogin, ProxyWithAnUntrustedCertificateGetsNothingInClear)
{
    ScriptedTlsServer proxyServer(true, {"send 220 proxy", "expect"}, Certificate::SelfSigned);
    ASSERT_TRUE(proxyServer.Started()) << proxyServer.Error();
    CapturedLog log;
    FtpSession session;
    LoginRequest request{L"ftp.example.com", L"alice", L"s3cret!", true, true};
    ProxySettings proxy{3, proxyServer.HostText(), L"", L""};
    EXPECT_EQ(Login(NullContext(), session, request, proxy), NetResult::Failed);
    std::wstring host = proxyServer.HostText();
    std::wstring port = host.substr(host.find(L':') + 1);
    EXPECT_TRUE(log.Contains(L"Connection to server localhost on port " + port + L" could not be secured using SSL/TLS."))
        << log.All();
    ASSERT_TRUE(proxyServer.Finish());
    EXPECT_EQ(proxyServer.Received(), std::vector<std::string>{}) << "no USER alice@ftp.example.com in clear text";
}
