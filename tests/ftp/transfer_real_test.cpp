// Downloads and uploads through real servers: vsftpd and pyftpdlib, plain,
// explicit and implicit TLS; and the 534 refusal of a scripted TLS server.
#include <gtest/gtest.h>

#include <algorithm>

#include "ftp/Login.h"
#include "ftp/RemoteCommands.h"
#include "ftp/Transfer.h"
#include "ftp/TransferTestSupport.h"
#include "support/RealFtpServer.h"
#include "support/ScriptedTlsServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

using Kind = RealFtpServer::Kind;
using Tls = RealFtpServer::Tls;

LoginRequest LoginFor(const RealFtpServer& server, Tls tls)
{
    return {server.HostText(), server.User(), server.Password(), tls != Tls::None, tls == Tls::Implicit};
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<Kind, Tls>> {};

std::string RoundTripName(const ::testing::TestParamInfo<std::tuple<Kind, Tls>>& info)
{
    const char* tls[] = {"Plain", "ExplicitTls", "ImplicitTls"};
    return std::string(RealFtpServer::Name(std::get<0>(info.param))) + tls[static_cast<int>(std::get<1>(info.param))];
}

}  // namespace

TEST_P(RoundTrip, FilesOfEverySizeComeBackByteIdentical)
{
    const auto [kind, tls] = GetParam();
    RealFtpServer server(kind, tls);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, LoginFor(server, tls), {}), NetResult::Ok) << log.All();
    ScratchFolder folder;
    uint32_t seed = 100;
    for (size_t size : {0u, 1u, 1023u, 1024u, 1025u, 100u << 10, 20u << 20}) {
        SCOPED_TRACE(size);
        const std::string data = RandomBytes(size, ++seed);
        std::wstring name = L"file-" + std::to_wstring(size) + L".bin";
        WriteWholeFile(folder.File(L"up-" + name), data);
        std::wstring replyText;
        ASSERT_EQ(Upload(NullContext(), session, name, folder.File(L"up-" + name), &replyText), NetResult::Ok)
            << log.All() << replyText;
        EXPECT_EQ(ContentHash(ReadWholeFile(server.RootPath(L"/" + name))), ContentHash(data));
        ASSERT_EQ(Download(NullContext(), session, name, folder.File(L"down-" + name), &replyText), NetResult::Ok)
            << log.All() << replyText;
        std::string back = ReadWholeFile(folder.File(L"down-" + name));
        EXPECT_EQ(back.size(), size);
        EXPECT_EQ(ContentHash(back), ContentHash(data));
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, RoundTrip,
                         ::testing::Combine(::testing::Values(Kind::Vsftpd, Kind::Pyftpdlib),
                                            ::testing::Values(Tls::None, Tls::Explicit, Tls::Implicit)),
                         RoundTripName);

// A new log-in starts in the server's default type: its first transfer sets
// binary mode again, the transfers after it do not.
TEST(TransferType, EachLogInSetsBinaryModeOnceForItsTransfers)
{
    RealFtpServer server(Kind::Vsftpd, Tls::None);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    ScratchFolder folder;
    WriteWholeFile(folder.File(L"t.bin"), RandomBytes(2000, 9));
    auto binarySwitches = [&] {
        return std::count_if(log.lines.begin(), log.lines.end(), [](const CapturedLog::Line& line) {
            return line.text.find(L"Switching to Binary mode") != std::wstring::npos;
        });
    };
    for (int login = 1; login <= 2; ++login) {
        SCOPED_TRACE(login);
        ASSERT_EQ(Login(NullContext(), session, LoginFor(server, Tls::None), {}), NetResult::Ok) << log.All();
        ASSERT_EQ(Upload(NullContext(), session, L"t.bin", folder.File(L"t.bin")), NetResult::Ok) << log.All();
        ASSERT_EQ(Download(NullContext(), session, L"t.bin", folder.File(L"back.bin")), NetResult::Ok) << log.All();
        ASSERT_EQ(Download(NullContext(), session, L"t.bin", folder.File(L"again.bin")), NetResult::Ok) << log.All();
        EXPECT_EQ(binarySwitches(), login) << log.All();
    }
    EXPECT_EQ(ReadWholeFile(folder.File(L"again.bin")), ReadWholeFile(folder.File(L"t.bin")));
}

// Both servers announce REST STREAM: a part continues in either direction,
// through a protected data connection too.
class Resume : public ::testing::TestWithParam<Kind> {};

TEST_P(Resume, APartContinuesInBothDirectionsByteIdentical)
{
    RealFtpServer server(GetParam(), Tls::Explicit);
    ASSERT_TRUE(server.Started()) << server.Error();
    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, LoginFor(server, Tls::Explicit), {}), NetResult::Ok) << log.All();
    ASSERT_EQ(QueryFeatures(NullContext(), session), NetResult::Ok);
    EXPECT_TRUE(session.Has(HasRestStream));
    ScratchFolder folder;
    const std::string data = RandomBytes(3 << 20, 77);
    std::wstring replyText;

    // The first attempt got one MiB across.
    WriteWholeFile(folder.File(L"up.bin"), data.substr(0, 1 << 20));
    ASSERT_EQ(Upload(NullContext(), session, L"up.bin", folder.File(L"up.bin"), &replyText), NetResult::Ok);
    WriteWholeFile(folder.File(L"up.bin"), data);
    ASSERT_EQ(ContinueUpload(NullContext(), session, L"up.bin", folder.File(L"up.bin"), &replyText), NetResult::Ok)
        << log.All() << replyText;
    EXPECT_EQ(ContentHash(ReadWholeFile(server.RootPath(L"/up.bin"))), ContentHash(data));
    EXPECT_TRUE(log.Contains(L"Continuing the upload of up.bin after 1048576 bytes.")) << log.All();

    WriteWholeFile(folder.File(L"down.part"), data.substr(0, 2 << 20));
    ASSERT_EQ(ContinueDownload(NullContext(), session, L"up.bin", folder.File(L"down.part"), &replyText),
              NetResult::Ok)
        << log.All() << replyText;
    EXPECT_EQ(ContentHash(ReadWholeFile(folder.File(L"down.part"))), ContentHash(data));
    EXPECT_TRUE(log.Contains(L"Continuing the download of up.bin after 2097152 bytes.")) << log.All();
}

INSTANTIATE_TEST_SUITE_P(Servers, Resume, ::testing::Values(Kind::Vsftpd, Kind::Pyftpdlib),
                         [](const auto& info) { return std::string(RealFtpServer::Name(info.param)); });

TEST(TransferTime, MfmtSetsTheRemoteModificationTime)
{
    RealFtpServer server(Kind::Pyftpdlib);
    ASSERT_TRUE(server.Started()) << server.Error();
    ScratchFolder folder;
    std::wstring local = folder.File(L"dated.txt");
    WriteWholeFile(local, "dated contents");
    // 2019-03-10 08:30:15 UTC.
    const uint64_t units = 1552206615ull * 10000000 + 116444736000000000ull;
    FILETIME written{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    HANDLE file = CreateFileW(local.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);

    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, LoginFor(server, Tls::None), {}), NetResult::Ok) << log.All();
    ASSERT_EQ(Upload(NullContext(), session, L"dated.txt", local), NetResult::Ok) << log.All();
    EXPECT_TRUE(session.Has(HasMfmt));
    EXPECT_TRUE(log.ContainsPart(L"Response:  213 Modify=20190310083015")) << log.All();

    WIN32_FILE_ATTRIBUTE_DATA remote{};
    ASSERT_TRUE(GetFileAttributesExW(server.RootPath(L"/dated.txt").c_str(), GetFileExInfoStandard, &remote));
    uint64_t remoteUnits = (static_cast<uint64_t>(remote.ftLastWriteTime.dwHighDateTime) << 32) |
                           remote.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(remoteUnits / 10000000, units / 10000000);
}

TEST(TransferCancel, CancelledTransfersLeaveTheSessionInStep)
{
    // vsftpd reads no command while it moves data: the abort must not leave
    // its replies behind for the next command.
    RealFtpServer server(Kind::Vsftpd);
    ASSERT_TRUE(server.Started()) << server.Error();
    const std::string data = RandomBytes(20u << 20, 7);
    WriteWholeFile(server.RootPath(L"/big.bin"), data);
    server.TakeOwnership();
    ScratchFolder folder;
    WriteWholeFile(folder.File(L"big.bin"), data);

    CapturedLog log;
    FtpSession session;
    ASSERT_EQ(Login(NullContext(), session, LoginFor(server, Tls::None), {}), NetResult::Ok) << log.All();
    std::wstring here;

    CancelAtProgress downloadContext(2);
    NetResult result = Download(downloadContext, session, L"big.bin", folder.File(L"down.bin"));
    EXPECT_NE(result, NetResult::Ok);  // Cancelled, or Failed when the server's answers did not come
    EXPECT_EQ(GetFileAttributesW(folder.File(L"down.bin").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(GetRemoteFolder(NullContext(), session, here), NetResult::Ok) << log.All();
    EXPECT_EQ(here, L"/");

    CancelAtProgress uploadContext(2);
    Upload(uploadContext, session, L"up.bin", folder.File(L"big.bin"));
    here.clear();
    ASSERT_EQ(GetRemoteFolder(NullContext(), session, here), NetResult::Ok) << log.All();
    EXPECT_EQ(here, L"/");
    EXPECT_LT(ReadWholeFile(server.RootPath(L"/up.bin")).size(), data.size());
}

TEST(TransferProtection, RefusedProtPIsShownAndNothingMoves)
{
    const char* kRefused = "534 Protection level not supported";
    ScriptedTlsServer downloadServer(true, {"send 220 hi", "expect", "send 230 in", "expect", "send 211-Features:",
                                            "send  SIZE", "send 211 End", "expect", "send 200 binary", "expect",
                                            "send 213 5", "expect", "send 200 PBSZ=0", "expect",
                                            std::string("send ") + kRefused, "expect"});
    ScriptedTlsServer uploadServer(true, {"send 220 hi", "expect", "send 230 in", "expect", "send 200 PBSZ=0", "expect",
                                          std::string("send ") + kRefused, "expect"});
    ASSERT_TRUE(downloadServer.Started()) << downloadServer.Error();
    ASSERT_TRUE(uploadServer.Started()) << uploadServer.Error();
    ScratchFolder folder;
    WriteWholeFile(folder.File(L"up.txt"), "12345");
    const std::wstring message =
        L"This FTP server does not support the required protected mode data transfers for SSL connections.";

    FtpSession session;
    session.timeouts.reply = 5000;
    RecordingContext context;
    ASSERT_EQ(Login(context, session, {downloadServer.HostText(), L"u", L"p", true, true}, {}), NetResult::Ok);
    EXPECT_EQ(Download(context, session, L"a.txt", folder.File(L"a.txt")), NetResult::Failed);
    EXPECT_EQ(context.errors, std::vector<std::wstring>{message});
    EXPECT_EQ(GetFileAttributesW(folder.File(L"a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(downloadServer.Received(), (std::vector<std::string>{"USER u\r\n", "FEAT\r\n", "TYPE I\r\n",
                                                                   "SIZE a.txt\r\n", "PBSZ 0\r\n", "PROT P\r\n"}));

    RecordingContext uploadContext;
    ASSERT_EQ(Login(uploadContext, session, {uploadServer.HostText(), L"u", L"p", true, true}, {}), NetResult::Ok);
    EXPECT_EQ(Upload(uploadContext, session, L"up.txt", folder.File(L"up.txt")), NetResult::Failed);
    EXPECT_EQ(uploadContext.errors, std::vector<std::wstring>{message});
    EXPECT_EQ(uploadServer.Received(), (std::vector<std::string>{"USER u\r\n", "PBSZ 0\r\n", "PROT P\r\n"}));
}
