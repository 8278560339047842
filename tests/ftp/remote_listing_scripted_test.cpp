// Folder listings against the scripted server: the replies and data
// connections real servers will not produce on demand.
#include <gtest/gtest.h>

#include <winsock2.h>

#include "ftp/Login.h"
#include "ftp/RemoteListing.h"
#include "ftp/ScriptedSession.h"
#include "support/ScriptedTlsServer.h"

namespace {

class ScriptedListing : public ScriptedSession {
protected:
    RemoteListing listing;
};

const char kUnixLines[] =
    "total 8\r\n"
    "drwxr-xr-x    2 ftp      ftp          4096 Jan 01  2019 docs\r\n"
    "-rw-r--r--    1 ftp      ftp          1234 Jan 01  2019 a b.txt\r\n"
    "lrwxrwxrwx    1 ftp      ftp             4 Jan 01  2019 latest -> docs\r\n";

std::vector<std::wstring> Names(const RemoteListing& listing)
{
    std::vector<std::wstring> names;
    for (const RemoteEntry& entry : listing.entries)
        names.push_back(entry.name);
    return names;
}

// A listening port whose queue is full: connection requests get no answer
// until Release(), after which the next one is accepted.
class BackloggedListener {
public:
    BackloggedListener()
    {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(listener_, 1);
        int length = sizeof(address);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        // Connect until one is left hanging; that one is withdrawn so that
        // nothing is waiting to get in when the queue is released.
        for (int i = 0; i < 16; ++i) {
            SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            u_long nonBlocking = 1;
            ioctlsocket(s, FIONBIO, &nonBlocking);
            connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
            fd_set writable;
            FD_ZERO(&writable);
            FD_SET(s, &writable);
            timeval wait{0, 300000};
            if (select(0, nullptr, &writable, nullptr, &wait) != 1) {
                closesocket(s);
                break;
            }
            fillers_.push_back(s);
        }
    }
    ~BackloggedListener()
    {
        for (SOCKET s : fillers_)
            closesocket(s);
        closesocket(accepted_);
        closesocket(listener_);
    }
    uint16_t Port() const { return port_; }
    void Release()
    {
        for (SOCKET s : fillers_) {
            closesocket(accept(listener_, nullptr, nullptr));
            closesocket(s);
        }
        fillers_.clear();
    }
    bool AcceptAndSend(const std::string& bytes)
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        timeval wait{5, 0};
        if (select(0, &readable, nullptr, nullptr, &wait) != 1)
            return false;
        accepted_ = accept(listener_, nullptr, nullptr);
        bool sent = send(accepted_, bytes.data(), static_cast<int>(bytes.size()), 0) == static_cast<int>(bytes.size());
        closesocket(accepted_);
        accepted_ = INVALID_SOCKET;
        return sent;
    }

private:
    SOCKET listener_ = INVALID_SOCKET;
    SOCKET accepted_ = INVALID_SOCKET;
    std::vector<SOCKET> fillers_;
    uint16_t port_ = 0;
};

}  // namespace

TEST_F(ScriptedListing, MlsdEntriesInTheServersOrder)
{
    OpenData()
        .ExpectLine()
        .Reply("200 Type set to A")
        .ExpectLine()
        .Reply("150 Here it comes")
        .SendData("type=cdir;modify=20200101000000; /home/u\r\n"
                  "type=file;size=5;modify=20240229123456; z.txt\r\n"
                  "type=dir;modify=20200101000000; a folder\r\n")
        .CloseData()
        .Reply("226 Done");
    server.ExpectLine().Reply("200 NOOP ok");
    Connect(FeatQueried | HasMlsd);
    ASSERT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok) << log.All();
    EXPECT_EQ(Names(listing), (std::vector<std::wstring>{L".", L"z.txt", L"a folder"}));
    EXPECT_EQ(listing.count, 3u);
    EXPECT_EQ(listing.cursor, 0u);
    EXPECT_TRUE(listing.succeeded);
    EXPECT_FALSE(listing.cancelled || listing.dataConnectionFailed);
    EXPECT_EQ(listing.entries[1].modified, 1709210096);
    EXPECT_EQ(SendCommand(context, session, "NOOP\r\n"), NetResult::Ok) << "the final reply was read";
    ExpectScriptDone();
    EXPECT_EQ(server.Received(),
              (std::vector<std::string>{"TYPE A\r\n", "PASV\r\n", "TYPE A\r\n", "MLSD\r\n", "NOOP\r\n"}));
}

TEST_F(ScriptedListing, RefusedMlsdFallsBackToListOnTheSameDataConnection)
{
    server.ExpectLine().Reply("200 UTF8 on");
    OpenData()
        .ExpectLine()
        .Reply("200 Type set to A")
        .ExpectLine()
        .Reply("500 MLSD not understood")
        .ExpectLine()
        .Reply("150 Here it comes")
        .SendData(kUnixLines)
        .CloseData()
        .Reply("226 Done");
    Connect(FeatQueried | HasMlsd | HasUtf8);
    ASSERT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok) << log.All();
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"OPTS UTF8 ON\r\n", "TYPE A\r\n", "PASV\r\n", "TYPE A\r\n",
                                                           "MLSD\r\n", "LIST\r\n"}));
    ASSERT_EQ(Names(listing), (std::vector<std::wstring>{L"docs", L"a b.txt", L"latest -> docs"}));
    EXPECT_TRUE(listing.entries[0].isFolder);
    EXPECT_EQ(listing.entries[1].size, 1234u);
    EXPECT_EQ(listing.entries[1].owner, L"ftp");
    EXPECT_TRUE(listing.entries[2].isLink);
}

TEST_F(ScriptedListing, AListingWithoutAPreliminaryReplyIsEmpty)
{
    OpenData().ExpectLine().Reply("550 No files found").CloseData();
    Connect();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok);
    EXPECT_TRUE(listing.entries.empty());
    EXPECT_EQ(listing.count, 0u);
    EXPECT_TRUE(listing.succeeded);
    EXPECT_FALSE(listing.dataConnectionFailed);
    ExpectScriptDone();
}

TEST_F(ScriptedListing, AListingTheServerAbortsFailsButKeepsWhatArrived)
{
    OpenData().ExpectLine().Reply("150 go").SendData(kUnixLines).CloseData().Reply("426 Connection closed; aborted");
    Connect();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Failed);
    EXPECT_EQ(listing.count, 3u);
    EXPECT_FALSE(listing.succeeded || listing.cancelled || listing.dataConnectionFailed);
    ExpectScriptDone();
}

TEST_F(ScriptedListing, APassiveReplyWithoutSixNumbersFailsBeforeAnyDataConnection)
{
    server.ExpectLine().Reply("200 ok").ExpectLine().Reply("227 Entering Passive Mode 127,0,0,1,4").WaitForClientClose();
    Connect();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Failed);
    EXPECT_FALSE(listing.dataConnectionFailed);
    EXPECT_FALSE(listing.succeeded);
    session.Close();
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE A\r\n", "PASV\r\n"}));
}

TEST_F(ScriptedListing, AnotherAddressInThePassiveReplyIsNotFollowed)
{
    OpenData("227 Entering Passive Mode (%s)", "10,0,0,5")
        .ExpectLine()
        .Reply("150 go")
        .SendData(kUnixLines)
        .CloseData()
        .Reply("226 done");
    Connect();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok);
    EXPECT_EQ(listing.count, 3u);
    EXPECT_TRUE(log.ContainsPart(L"The server offered the address 10.0.0.5")) << log.All();
    ExpectScriptDone();
}

TEST_F(ScriptedListing, ADataConnectionRefusedTwiceIsReportedAsSuch)
{
    // Nothing listens on port 1.
    server.ExpectLine().Reply("200 ok").ExpectLine().Reply("227 Entering Passive Mode (127,0,0,1,0,1).").WaitForClientClose();
    Connect();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Failed);
    EXPECT_TRUE(listing.dataConnectionFailed);
    EXPECT_FALSE(listing.succeeded);
    session.Close();
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE A\r\n", "PASV\r\n"}));
}

TEST_F(ScriptedListing, ADataConnectionThatFailsOnceIsTriedAgain)
{
    // The first attempt meets a full queue and times out (its connection
    // request is next repeated after one second, after the 600 ms time-out);
    // the queue is freed before the second attempt starts.
    BackloggedListener data;
    char reply[64];
    snprintf(reply, sizeof(reply), "227 Entering Passive Mode (127,0,0,1,%d,%d).", data.Port() >> 8, data.Port() & 0xFF);
    bool sent = false;
    server.ExpectLine()
        .Reply("200 ok")
        .ExpectLine()
        .Reply(reply)
        .Pause(300)
        .Run([&] { data.Release(); })
        .ExpectLine()
        .Reply("150 go")
        .Run([&] { sent = data.AcceptAndSend(kUnixLines); })
        .Reply("226 done");
    Connect();
    session.timeouts.dataConnect = 600;
    DWORD start = GetTickCount();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok) << log.All();
    DWORD elapsed = GetTickCount() - start;
    ExpectScriptDone();
    EXPECT_TRUE(sent);
    EXPECT_EQ(listing.count, 3u);
    EXPECT_FALSE(listing.dataConnectionFailed);
    EXPECT_GE(elapsed, 550u) << "the first attempt waited for its time-out";
}

TEST_F(ScriptedListing, CancellingWhileTheDataArrivesKeepsTheSessionInStep)
{
    OpenData()
        .ExpectLine()
        .Reply("150 go")
        .SendData(kUnixLines)
        .ReceiveDataToEnd()  // until the client gives up on the data
        .Reply("426 Transfer aborted")
        .ExpectLine()
        .Reply("200 NOOP ok");
    Connect();
    context.CancelAfter(500);
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Cancelled);
    EXPECT_TRUE(listing.cancelled);
    EXPECT_FALSE(listing.succeeded);
    // The 426 was consumed: the next command gets its own reply.
    uint16_t code = 0;
    EXPECT_EQ(SendCommand(NullContext(), session, "NOOP\r\n", nullptr, &code), NetResult::Ok);
    EXPECT_EQ(code, 200);
    ExpectScriptDone();
}

TEST_F(ScriptedListing, ASilentDataConnectionEndsTheListingWithWhatArrived)
{
    OpenData()
        .ExpectLine()
        .Reply("150 go")
        .SendData(kUnixLines)
        .ReceiveDataToEnd()  // the server keeps the connection open
        .Reply("226 done");
    Connect();
    session.timeouts.folderListing = 500;
    DWORD start = GetTickCount();
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Ok);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(listing.count, 3u);
    EXPECT_LT(elapsed, 10000u);
    ExpectScriptDone();
}

TEST(ScriptedTlsListing, RefusedProtectionIsShownAndNothingIsListed)
{
    ScriptedTlsServer server(true, {"send 220 hi", "expect", "send 230 in", "expect", "send 200 PBSZ=0", "expect",
                                    "send 534 Protection level not supported", "expect"});
    ASSERT_TRUE(server.Started()) << server.Error();
    FtpSession session;
    session.timeouts.reply = 5000;
    RecordingContext context;
    ASSERT_EQ(Login(context, session, LoginRequest{server.HostText(), L"u", L"p", true, true}, {}), NetResult::Ok);
    session.Set(FeatQueried);
    RemoteListing listing;
    EXPECT_EQ(ListRemoteFolder(context, session, listing), NetResult::Failed);
    EXPECT_TRUE(listing.entries.empty());
    EXPECT_FALSE(listing.dataConnectionFailed);
    ASSERT_EQ(context.errors.size(), 1u);
    EXPECT_EQ(context.errors[0],
              L"This FTP server does not support the required protected mode data transfers for SSL connections.");
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"USER u\r\n", "PBSZ 0\r\n", "PROT P\r\n"}));
}
