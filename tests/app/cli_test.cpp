// tarnwick-cli.exe end to end, against real servers.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <ctime>

#include "net/TextCodec.h"
#include "support/ProcessRunner.h"
#include "support/RealFtpServer.h"
#include "support/TestLog.h"
#include "ui/LogText.h"

namespace {

std::wstring UrlFor(const RealFtpServer& server, const wchar_t* scheme = L"ftp")
{
    return std::wstring(scheme) + L"://" + server.User() + L":" + server.Password() + L"@" + server.HostText() + L"/";
}

// Today's session log file of every program in this prefix.
std::string TodaysLogFile()
{
    wchar_t appData[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return "";
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return ReadWholeFile(std::wstring(appData) + L"\\Velmora Software\\Tarnwick\\Logs\\" +
                         LogFileName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
}

}  // namespace

TEST(CliRaw, PrintsTheGreetingTheLogInAndEachReply)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    ProcessResult run = RunSiblingProgram(L"tarnwick-cli.exe", {L"raw", UrlFor(server), L"PWD", L"SYST"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Response:  220 Tarnwick test vsftpd ready."), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Response:  230"), std::string::npos);
    EXPECT_NE(run.output.find("Command: PWD"), std::string::npos);
    EXPECT_NE(run.output.find("Response:  257 \"/\""), std::string::npos);
    EXPECT_NE(run.output.find("Response:  215 UNIX Type: L8"), std::string::npos);
    EXPECT_EQ(run.output.find(WideToUtf8(server.Password())), std::string::npos) << "the password is masked";
}

TEST(CliRaw, TheLastLinesOfARunAreInTheLogFileWhenItEnds)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    std::string folder = "/no/such/folder-" + std::to_string(GetTickCount());
    ProcessResult run = RunSiblingProgram(L"tarnwick-cli.exe", {L"raw", UrlFor(server), Utf8ToWide("CWD " + folder)});
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    std::string file = TodaysLogFile();
    size_t command = file.find(" Command: CWD " + folder + "\r\n");
    ASSERT_NE(command, std::string::npos) << "the log file has the run's last command";
    EXPECT_NE(file.find(" Response:  550", command), std::string::npos) << "and the reply that ended the run";
}

TEST(CliRaw, FailuresSayWhyAndExitNonZero)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();

    ProcessResult refused = RunSiblingProgram(
        L"tarnwick-cli.exe", {L"raw", L"ftp://tester:wrong@" + server.HostText() + L"/", L"PWD"});
    EXPECT_NE(refused.exitCode, 0u);
    EXPECT_NE(refused.output.find("User login failed."), std::string::npos) << refused.output;

    ProcessResult negative = RunSiblingProgram(L"tarnwick-cli.exe", {L"raw", UrlFor(server), L"CWD /no/such/folder"});
    EXPECT_EQ(negative.exitCode, 1u) << negative.output;
    EXPECT_NE(negative.output.find("Response:  550"), std::string::npos) << negative.output;

    ProcessResult noServer = RunSiblingProgram(L"tarnwick-cli.exe", {L"raw", L"ftp://127.0.0.1:1/", L"PWD"});
    EXPECT_NE(noServer.exitCode, 0u);
    EXPECT_NE(noServer.output.find("Failed to connect to server 127.0.0.1 on port 1."), std::string::npos)
        << noServer.output;

    ProcessResult badUrl = RunSiblingProgram(L"tarnwick-cli.exe", {L"raw", L"http://x/", L"PWD"});
    EXPECT_EQ(badUrl.exitCode, 2u);
    EXPECT_NE(badUrl.output.find("not a server URL"), std::string::npos) << badUrl.output;
}

TEST(CliLogin, ExplicitAndImplicitTlsPrintTheLearntFeatures)
{
    RealFtpServer explicitServer(RealFtpServer::Kind::Vsftpd, RealFtpServer::Tls::Explicit);
    ASSERT_TRUE(explicitServer.Started()) << explicitServer.Error();
    ProcessResult run = RunSiblingProgram(L"tarnwick-cli.exe", {L"login", UrlFor(explicitServer, L"ftpes")});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Response:  234"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("TLS: yes"), std::string::npos);
    EXPECT_NE(run.output.find("Features: FeatQueried HasSize HasMdtm"), std::string::npos);

    RealFtpServer implicitServer(RealFtpServer::Kind::Pyftpdlib, RealFtpServer::Tls::Implicit);
    ASSERT_TRUE(implicitServer.Started()) << implicitServer.Error();
    run = RunSiblingProgram(L"tarnwick-cli.exe", {L"login", UrlFor(implicitServer, L"ftps")});
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("TLS: yes"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("HasMlsd"), std::string::npos);
    EXPECT_NE(run.output.find("HasMfmt"), std::string::npos);
}

TEST(CliLogin, BadCertificateFailsWithTheTlsMessage)
{
    RealFtpServer server(RealFtpServer::Kind::Vsftpd, RealFtpServer::Tls::Implicit,
                         RealFtpServer::Certificate::SelfSigned);
    ASSERT_TRUE(server.Started()) << server.Error();
    ProcessResult run = RunSiblingProgram(L"tarnwick-cli.exe", {L"login", UrlFor(server, L"ftps")});
    EXPECT_NE(run.exitCode, 0u);
    std::string expected = "Connection to server localhost on port " + std::to_string(server.Port()) +
                           " could not be secured using SSL/TLS.";
    EXPECT_NE(run.output.find(expected), std::string::npos) << run.output;
}

TEST(CliLogin, AnUntrustedCertificateIsShownAndPassesWithItsFingerprint)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib, RealFtpServer::Tls::Explicit,
                         RealFtpServer::Certificate::SelfSigned);
    ASSERT_TRUE(server.Started()) << server.Error();
    const std::string sha256 = RealFtpServer::CertificateSha256(RealFtpServer::Certificate::SelfSigned);
    std::wstring url = UrlFor(server, L"ftpes");

    ProcessResult refused = RunSiblingProgram(L"tarnwick-cli.exe", {L"ls", url});
    EXPECT_EQ(refused.exitCode, 1u) << refused.output;
    EXPECT_NE(refused.output.find("  Subject: "), std::string::npos) << refused.output;
    EXPECT_NE(refused.output.find("  Host names: localhost"), std::string::npos) << refused.output;
    EXPECT_NE(refused.output.find("if you trust it, repeat with --trust-fingerprint " + sha256), std::string::npos)
        << refused.output;
    EXPECT_EQ(refused.output.find("Command: PASS"), std::string::npos) << refused.output;

    // The colon form in lower case, as certificate viewers show it.
    std::wstring colons;
    for (size_t i = 0; i < sha256.size(); ++i)
        colons += (i > 0 && i % 2 == 0 ? L":" : L"") + std::wstring(1, static_cast<wchar_t>(tolower(sha256[i])));
    ProcessResult trusted = RunSiblingProgram(L"tarnwick-cli.exe", {L"--trust-fingerprint", colons, L"ls", url});
    EXPECT_EQ(trusted.exitCode, 0u) << trusted.output;

    ProcessResult bad = RunSiblingProgram(L"tarnwick-cli.exe", {L"--trust-fingerprint", L"12:34", L"ls", url});
    EXPECT_EQ(bad.exitCode, 2u) << bad.output;
    EXPECT_NE(bad.output.find("is not a SHA-256 fingerprint"), std::string::npos) << bad.output;
}

TEST(CliLogin, ServerRefusingTlsIsLoggedInToOnlyWithAllowPlain)
{
    // vsftpd without TLS answers AUTH TLS with 530.
    RealFtpServer server(RealFtpServer::Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    std::wstring url = UrlFor(server, L"ftpes");

    ProcessResult refused = RunSiblingProgram(L"tarnwick-cli.exe", {L"login", url});
    EXPECT_EQ(refused.exitCode, 1u) << refused.output;
    std::string reason = "tarnwick-cli: log-in to " + WideToUtf8(server.HostText()) +
                         " failed: the server refused TLS; use --allow-plain to log in without it (the password then "
                         "travels in clear text)\r\n";
    EXPECT_NE(refused.output.find(reason), std::string::npos) << refused.output;
    EXPECT_NE(refused.output.find("does not support explicit SSL/TLS"), std::string::npos) << refused.output;
    EXPECT_EQ(refused.output.find("Command: PASS"), std::string::npos) << refused.output;

    ProcessResult allowed = RunSiblingProgram(L"tarnwick-cli.exe", {L"--allow-plain", L"login", url});
    EXPECT_EQ(allowed.exitCode, 0u) << allowed.output;
    EXPECT_NE(allowed.output.find("TLS: no"), std::string::npos) << allowed.output;
    EXPECT_NE(allowed.output.find("Command: PASS"), std::string::npos) << allowed.output;
    EXPECT_EQ(allowed.output.find("--allow-plain"), std::string::npos) << allowed.output;

    // The permission changes nothing for a server that speaks TLS.
    RealFtpServer tlsServer(RealFtpServer::Kind::Vsftpd, RealFtpServer::Tls::Explicit);
    ASSERT_TRUE(tlsServer.Started()) << tlsServer.Error();
    ProcessResult secured = RunSiblingProgram(L"tarnwick-cli.exe", {L"--allow-plain", L"login", UrlFor(tlsServer, L"ftpes")});
    EXPECT_EQ(secured.exitCode, 0u) << secured.output;
    EXPECT_NE(secured.output.find("TLS: yes"), std::string::npos) << secured.output;
}
