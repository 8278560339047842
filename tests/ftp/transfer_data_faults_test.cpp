// Data connections that must fail their operation: on a protected session,
// one left in clear text after PROT P or one with an untrusted certificate;
// on any session, one reset part-way. Played by the native scripted server
// (a reset from Wine's sockets is an orderly close) and by pyftpdlib with the
// fault on demand.
#include <gtest/gtest.h>

#include "ftp/Login.h"
#include "ftp/PassiveData.h"
#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/Transfer.h"
#include "ftp/TransferTestSupport.h"
#include "support/RealFtpServer.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

using Script = std::vector<std::string>;

Script operator+(Script first, const Script& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::string kSecret = "TOP SECRET: what a protected session carries";
const std::wstring kNotSecured = L"The data connection could not be secured using SSL/TLS.";

const Script kImplicitLogin = {"send 220 hi", "expect", "send 230 in"};
const Script kProtect = {"expect", "send 200 PBSZ=0", "expect", "send 200 Protection set to Private"};
// PWD after the operation gets its own reply: nothing stale was left.
const Script kInStep = {"expect", "send 257 \"/\" is the current directory"};

void ExpectInStep(FtpSession& session)
{
    std::wstring here;
    EXPECT_EQ(GetRemoteFolder(NullContext(), session, here), NetResult::Ok);
    EXPECT_EQ(here, L"/");
}

bool EndsWith(const std::vector<std::string>& lines, const std::vector<std::string>& tail)
{
    return lines.size() >= tail.size() && std::equal(tail.begin(), tail.end(), lines.end() - tail.size());
}

// How the scripted server treats the data connection of a protected session.
enum class DataFault { ClearText, UntrustedCertificate };

const char* FaultName(const ::testing::TestParamInfo<DataFault>& info)
{
    return info.param == DataFault::ClearText ? "ClearText" : "UntrustedCertificate";
}

class UnprotectedData : public ::testing::TestWithParam<DataFault> {
protected:
    // The server's side once the operation's preliminary reply is out: TLS
    // under a self-signed certificate, or none at all.
    Script Secure() const
    {
        return GetParam() == DataFault::UntrustedCertificate ? Script{"datatls selfsigned"} : Script{};
    }
    void LogIn(ScriptedTlsServer& server)
    {
        ASSERT_TRUE(server.Started()) << server.Error();
        session.timeouts.reply = 5000;
        ASSERT_EQ(Login(context, session, LoginRequest{server.HostText(), L"u", L"p", true, true}, {}), NetResult::Ok)
            << log.All();
        session.features = FeatQueried | HasSize;
    }

    FtpSession session;
    CapturedLog log;
    RecordingContext context;
    ScratchFolder folder;
    std::wstring replyText = L"stale";
};

}  // namespace

TEST_P(UnprotectedData, AListingFailsWithNoLineTaken)
{
    ScriptedTlsServer server(true, kImplicitLogin + kProtect +
                                       Script{"expect", "send 200 Type set to A", "expect", "pasv", "accept", "expect",
                                              "send 150 Here comes the listing."} +
                                       Secure() +
                                       Script{"datasend -rw-r--r-- 1 o g 44 Jan 01 2020 secret.txt", "dataclose",
                                              "send 426 Failure writing network stream.", "expect",
                                              "send 225 No transfer to ABOR."} +
                                       kInStep);
    ASSERT_NO_FATAL_FAILURE(LogIn(server));
    std::vector<std::string> lines;
    EXPECT_EQ(ListOverData(context, session, "LIST\r\n", lines), NetResult::Failed);
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(log.Contains(kNotSecured)) << log.All();
    ExpectInStep(session);
    EXPECT_TRUE(EndsWith(server.Received(), {"LIST\r\n", "ABOR\r\n", "PWD\r\n"}));
}

TEST_P(UnprotectedData, ADownloadFailsAndWritesNothing)
{
    ScriptedTlsServer server(true, kImplicitLogin +
                                       Script{"expect", "send 200 Switching to Binary mode.", "expect", "send 213 44"} +
                                       kProtect +
                                       // The size query's TYPE I holds for the transfer.
                                       Script{"expect", "pasv", "accept", "expect",
                                              "send 150 Opening BINARY mode data connection (44 bytes)."} +
                                       Secure() +
                                       Script{"datasend " + kSecret, "dataclose",
                                              "send 426 Failure writing network stream.", "expect",
                                              "send 225 No transfer to ABOR."} +
                                       kInStep);
    ASSERT_NO_FATAL_FAILURE(LogIn(server));
    std::wstring local = folder.File(L"secret.txt");
    EXPECT_EQ(Download(context, session, L"secret.txt", local, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, kNotSecured);
    EXPECT_FALSE(FileExists(local));
    ExpectInStep(session);
    EXPECT_TRUE(EndsWith(server.Received(), {"RETR secret.txt\r\n", "ABOR\r\n", "PWD\r\n"}));
}

TEST_P(UnprotectedData, AnUploadFailsAndSendsNothingInClear)
{
    // The clear-text server speaks first, and more than the TLS record its
    // first bytes would announce, so that the handshake fails at once.
    Script serverData = GetParam() == DataFault::ClearText ? Script{"datafill 40000"} : Secure();
    ScriptedTlsServer server(true, kImplicitLogin + kProtect +
                                       Script{"expect", "send 200 Switching to Binary mode.", "expect", "pasv", "accept",
                                              "expect", "send 150 Ok to send data."} +
                                       serverData +
                                       Script{"datarecv", "send 226 Transfer complete.", "expect",
                                              "send 225 No transfer to ABOR."} +
                                       kInStep);
    ASSERT_NO_FATAL_FAILURE(LogIn(server));
    std::string contents;
    for (int i = 0; i < 1000; ++i)
        contents += kSecret + "\n";
    std::wstring local = folder.File(L"secret.txt");
    WriteWholeFile(local, contents);
    EXPECT_EQ(Upload(context, session, L"secret.txt", local, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, kNotSecured);
    ExpectInStep(session);
    EXPECT_TRUE(EndsWith(server.Received(), {"STOR secret.txt\r\n", "ABOR\r\n", "PWD\r\n"}));
    EXPECT_EQ(server.ReceivedData().find("TOP SECRET"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Faults, UnprotectedData,
                         ::testing::Values(DataFault::ClearText, DataFault::UntrustedCertificate), FaultName);

namespace {

class UnprotectedRealData : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(UnprotectedRealData, NothingMovesAndTheSessionStaysInStep)
{
    RealFtpServer server(RealFtpServer::Kind::Pyftpdlib, RealFtpServer::Tls::Explicit,
                         RealFtpServer::Certificate::Good, GetParam());
    ASSERT_TRUE(server.Started()) << server.Error();
    WriteWholeFile(server.RootPath(L"/secret.txt"), kSecret);
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, {server.HostText(), server.User(), server.Password(), true, false}, {}),
              NetResult::Ok)
        << log.All();

    std::vector<std::string> lines;
    EXPECT_EQ(ListOverData(NullContext(), session, "NLST\r\n", lines), NetResult::Failed);
    EXPECT_TRUE(lines.empty());
    ExpectInStep(session);
    RemoteListing listing;
    EXPECT_EQ(ListRemoteFolder(NullContext(), session, listing), NetResult::Failed);
    EXPECT_TRUE(listing.entries.empty());
    ExpectInStep(session);

    ScratchFolder folder;
    std::wstring replyText;
    std::wstring local = folder.File(L"secret.txt");
    EXPECT_EQ(Download(NullContext(), session, L"secret.txt", local, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText, kNotSecured);
    EXPECT_FALSE(FileExists(local));
    ExpectInStep(session);

    // A server that speaks no TLS on the data connection also sends nothing
    // that would end the upload's handshake before its minute is up: the
    // scripted server covers that case.
    if (GetParam() == "untrusted-data-cert") {
        WriteWholeFile(local, kSecret);
        EXPECT_EQ(Upload(NullContext(), session, L"up.txt", local, &replyText), NetResult::Failed);
        EXPECT_EQ(replyText, kNotSecured);
        EXPECT_EQ(ReadWholeFile(server.RootPath(L"/up.txt")).find("TOP SECRET"), std::string::npos);
        ExpectInStep(session);
    }
}

INSTANTIATE_TEST_SUITE_P(Pyftpdlib, UnprotectedRealData, ::testing::Values("untrusted-data-cert", "clear-data"),
                         [](const auto& info) {
                             return info.param == "clear-data" ? std::string("ClearText")
                                                               : std::string("UntrustedCertificate");
                         });

namespace {

// A plain session with the native scripted server.
class ResetData : public ::testing::Test {
protected:
    void Connect(ScriptedTlsServer& server)
    {
        ASSERT_TRUE(server.Started()) << server.Error();
        session.timeouts.reply = 5000;
        session.timeouts.dataConnect = 3000;
        session.features = FeatQueried | HasSize;
        ASSERT_EQ(session.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
    }

    FtpSession session;
    CapturedLog log;
    RecordingContext context;
    ScratchFolder folder;
    std::wstring replyText;
};

}  // namespace

TEST_F(ResetData, ADownloadResetHalfWayFailsAndLeavesNoFile)
{
    ScriptedTlsServer server(false, Script{"expect", "send 200 Switching to Binary mode.", "expect", "send 213 100000",
                                           "expect", "pasv", "accept", "expect",
                                           "send 150 Opening BINARY mode data connection.", "datafill 50000",
                                           "pause 300", "datareset", "send 426 Connection reset; transfer aborted.",
                                           "expect", "send 225 No transfer to ABOR."} +
                                        kInStep);
    ASSERT_NO_FATAL_FAILURE(Connect(server));
    std::wstring local = folder.File(L"r.bin");
    EXPECT_EQ(Download(context, session, L"r.bin", local, &replyText), NetResult::Failed);
    // How much arrives before the reset is the system's affair.
    EXPECT_EQ(replyText.rfind(L"The data connection was broken off after ", 0), 0u) << replyText;
    EXPECT_TRUE(replyText.ends_with(L" of 100000 bytes.")) << replyText;
    EXPECT_FALSE(FileExists(local));
    ExpectInStep(session);
    EXPECT_TRUE(EndsWith(server.Received(), {"RETR r.bin\r\n", "ABOR\r\n", "PWD\r\n"}));
}

TEST_F(ResetData, AnUploadResetPartWayFails)
{
    ScriptedTlsServer server(false, Script{"expect", "send 200 Switching to Binary mode.", "expect", "pasv", "accept",
                                           "expect", "send 150 Ok to send data.", "datarecvbytes 100000", "datareset",
                                           "send 426 Connection reset; transfer aborted."} +
                                        kInStep);
    ASSERT_NO_FATAL_FAILURE(Connect(server));
    // Far more than the connection's buffers on both sides hold, so the
    // client is still sending when the reset comes.
    const size_t size = 24u << 20;
    std::wstring local = folder.File(L"q.bin");
    WriteWholeFile(local, RandomBytes(size, 17));
    EXPECT_EQ(Upload(context, session, L"q.bin", local, &replyText), NetResult::Failed);
    EXPECT_EQ(replyText.rfind(L"The data connection failed after ", 0), 0u) << replyText;
    EXPECT_TRUE(replyText.ends_with(L" of " + std::to_wstring(size) + L" bytes.")) << replyText;
    ExpectInStep(session);
    EXPECT_TRUE(EndsWith(server.Received(), {"STOR q.bin\r\n", "PWD\r\n"}));
}
