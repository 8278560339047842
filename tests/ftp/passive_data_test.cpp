// Passive data connections against the scripted server.
#include <gtest/gtest.h>

#include "ftp/PassiveData.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

class PassiveDataTest : public ::testing::Test {
protected:
    void Connect()
    {
        session.timeouts.reply = 3000;
        session.timeouts.dataConnect = 2000;
        session.timeouts.listingLine = 2000;
        server.Start();
        ASSERT_EQ(session.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
    }
    void ExpectScriptDone()
    {
        EXPECT_TRUE(server.Finish());
        EXPECT_EQ(server.Failure(), "");
    }

    ScriptedFtpServer server;
    FtpSession session;
    CapturedLog log;
    RecordingContext context;
    std::vector<std::string> lines;
};

}  // namespace

TEST_F(PassiveDataTest, ListingLinesArriveAndTheFinalReplyCounts)
{
    server.ExpectLine()
        .Reply("200 Type set to A")
        .ExpectLine()
        .OfferPassive()
        .AcceptData()
        .ExpectLine()
        .Reply("150 Here it comes")
        .SendData("-rw-r--r-- 1 u g 5 Jan 01 2024 a.txt\r\n\r\ndrwxr-xr-x 2 u g 0 Jan 01 2024 sub\n")
        .CloseData()
        .Reply("226 Done");
    Connect();
    ASSERT_EQ(ListOverData(context, session, "LIST\r\n", lines), NetResult::Ok);
    EXPECT_EQ(lines, (std::vector<std::string>{"-rw-r--r-- 1 u g 5 Jan 01 2024 a.txt",
                                               "drwxr-xr-x 2 u g 0 Jan 01 2024 sub"}));
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE A\r\n", "PASV\r\n", "LIST\r\n"}));
}

TEST_F(PassiveDataTest, ReplyWithoutSixNumbersFailsBeforeAnyDataConnection)
{
    server.ExpectLine().Reply("200 ok").ExpectLine().Reply("227 Entering Passive Mode (127,0,0,1,4)").WaitForClientClose();
    Connect();
    EXPECT_EQ(ListOverData(context, session, "LIST\r\n", lines), NetResult::Failed);
    session.Close();
    ExpectScriptDone();
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"TYPE A\r\n", "PASV\r\n"}));
}

TEST_F(PassiveDataTest, AnotherAddressInAReplyWithoutParenthesesIsNotFollowed)
{
    // The reply names 10.0.0.5, without parentheses as some servers write
    // it; the data connection still goes to the server the control
    // connection talks to, with the port from the reply.
    server.ExpectLine()
        .Reply("200 ok")
        .ExpectLine()
        .OfferPassive("227 Entering Passive Mode %s", "10,0,0,5")
        .AcceptData()
        .ExpectLine()
        .Reply("150 go")
        .SendData("line\r\n")
        .CloseData()
        .Reply("226 done");
    Connect();
    EXPECT_EQ(ListOverData(context, session, "LIST\r\n", lines), NetResult::Ok);
    EXPECT_EQ(lines, std::vector<std::string>{"line"});
    EXPECT_TRUE(log.ContainsPart(L"The server offered the address 10.0.0.5 for the data connection; connecting to 127.0.0.1"))
        << log.All();
    ExpectScriptDone();
}

TEST_F(PassiveDataTest, ListingWithoutAPreliminaryReplyFails)
{
    server.ExpectLine().Reply("200 ok").ExpectLine().OfferPassive().AcceptData().ExpectLine().Reply("550 No files").CloseData();
    Connect();
    EXPECT_EQ(ListOverData(context, session, "LIST x\r\n", lines), NetResult::Failed);
    EXPECT_TRUE(lines.empty());
    ExpectScriptDone();
}

TEST_F(PassiveDataTest, NegativeFinalReplyFailsButKeepsTheLines)
{
    server.ExpectLine()
        .Reply("200 ok")
        .ExpectLine()
        .OfferPassive()
        .AcceptData()
        .ExpectLine()
        .Reply("125 go")
        .SendData("partial\r\n")
        .CloseData()
        .Reply("426 Connection closed; transfer aborted.");
    Connect();
    EXPECT_EQ(ListOverData(context, session, "LIST\r\n", lines), NetResult::Failed);
    EXPECT_EQ(lines, std::vector<std::string>{"partial"});
    ExpectScriptDone();
}

TEST_F(PassiveDataTest, Utf8ServersGetOptsFirst)
{
    server.ExpectLine()
        .Reply("200 UTF8 on")
        .ExpectLine()
        .Reply("200 ok")
        .ExpectLine()
        .OfferPassive()
        .AcceptData()
        .ExpectLine()
        .Reply("150 go")
        .CloseData()
        .Reply("226 done");
    Connect();
    session.Set(HasUtf8);
    EXPECT_EQ(ListOverData(context, session, "NLST\r\n", lines), NetResult::Ok);
    ExpectScriptDone();
    EXPECT_EQ(server.Received()[0], "OPTS UTF8 ON\r\n");
    EXPECT_TRUE(log.Contains(L"Command: OPTS UTF8 ON"));
}

TEST_F(PassiveDataTest, RefusedPassiveCommandFails)
{
    server.ExpectLine().Reply("200 ok").ExpectLine().Reply("421 Passive mode refused").WaitForClientClose();
    Connect();
    std::wstring endpoint;
    EXPECT_EQ(SendCommand(context, session, "TYPE A\r\n"), NetResult::Ok);
    EXPECT_EQ(OpenPassive(context, session, endpoint), NetResult::Failed);
    EXPECT_EQ(endpoint, L"");
    session.Close();
    ExpectScriptDone();
}
