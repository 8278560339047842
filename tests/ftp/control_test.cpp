#include <gtest/gtest.h>

#include "ftp/FtpSession.h"
#include "support/ScriptedFtpServer.h"
#include "support/TestContexts.h"
#include "support/TestLog.h"

namespace {

// A session on the scripted server with short allowances, so that a test of
// silence does not wait a minute.
class ControlTest : public ::testing::Test {
protected:
    void Connect(uint32_t replyTimeout = 3000)
    {
        session.timeouts.reply = replyTimeout;
        server.Start();
        ASSERT_EQ(session.Connect(NullContext(), server.HostText(), 21, 3000), NetResult::Ok);
    }
    void TearDown() override { EXPECT_EQ(server.Failure(), ""); }

    ScriptedFtpServer server;
    FtpSession session;
    CapturedLog log;
};

}  // namespace

TEST_F(ControlTest, MultiLineReplyEndsAtItsFinalLineAndOnlyThatIsLogged)
{
    server.Reply("230-Welcome to the test server").Reply(" continued greeting").Reply("230 Logged in.");
    Connect();
    uint16_t code = 0;
    std::string text;
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 230);
    EXPECT_EQ(text, "Logged in.");
    ASSERT_EQ(log.lines.size(), 1u) << log.All();
    EXPECT_EQ(log.lines[0].text, L"Response:  230 Logged in.");
    EXPECT_EQ(log.lines[0].level, LogResponse);
}

TEST_F(ControlTest, LineNotBeginningWithADigitEndsTheReplyWithCodeZero)
{
    server.Reply("220-Hello").Reply("Banner text").Reply("220 Ready");
    Connect();
    uint16_t code = 99;
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 220);
}

TEST_F(ControlTest, ShortFinalLines)
{
    server.Reply("226").Reply("5");
    Connect();
    uint16_t code = 0;
    std::string text = "stale";
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 226);
    EXPECT_EQ(text, "");
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 5);
}

TEST_F(ControlTest, OverlongReplyLineKeepsItsCodeAndTheNextReplyIsIntact)
{
    server.Reply("213 " + std::string(296, '7')).Reply("200 next");
    Connect();
    uint16_t code = 0;
    std::string text;
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 213);
    EXPECT_EQ(text, std::string(255, '7'));
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 200);
    EXPECT_EQ(text, "next");
}

TEST_F(ControlTest, BareLineFeedServerIsUnderstoodAfterTheIdleAllowance)
{
    // Only CR LF ends a line, so lines ended by a bare LF arrive together
    // when the server falls silent; the reply is then split at the LFs.
    server.Send("220-Hello\n220 Ready\n").Pause(4000);
    Connect(1000);
    uint16_t code = 0;
    std::string text;
    ASSERT_EQ(ReadReply(NullContext(), session, 1000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 220);
    EXPECT_EQ(text, "Ready");
    EXPECT_TRUE(log.Contains(L"Response:  220 Ready")) << log.All();
}

TEST_F(ControlTest, PeerClosingBeforeAReplyFails)
{
    server.CloseControl();
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Failed);
}

TEST_F(ControlTest, SendCommandAccepts150ButNot125)
{
    server.ExpectLine().Reply("150 Opening data connection.").ExpectLine().Reply("125 Data connection already open.");
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(SendCommand(NullContext(), session, "RETR a\r\n", nullptr, &code), NetResult::Ok);
    EXPECT_EQ(code, 150);
    EXPECT_EQ(SendCommand(NullContext(), session, "RETR b\r\n", nullptr, &code), NetResult::Failed);
    EXPECT_EQ(code, 125);
    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), (std::vector<std::string>{"RETR a\r\n", "RETR b\r\n"}));
}

TEST_F(ControlTest, Reply500BeforeFeatDrainsOneMoreReply)
{
    server.ExpectLine().Reply("500 Unknown command.").Reply("500 Second line some servers send.").ExpectLine().Reply(
        "200 Fine.");
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(SendCommand(NullContext(), session, "XYZ\r\n", nullptr, &code), NetResult::Failed);
    EXPECT_EQ(code, 500);
    EXPECT_EQ(SendCommand(NullContext(), session, "NOOP\r\n", nullptr, &code), NetResult::Ok);
    EXPECT_EQ(code, 200);
}

TEST_F(ControlTest, CancelledReplyWaitDrainsTheOwedReply)
{
    server.ExpectLine().Pause(700).Reply("200 late").ExpectLine().Reply("257 \"/\"");
    Connect();
    RecordingContext context;
    context.CancelAfter(200);
    EXPECT_EQ(SendCommand(context, session, "NOOP\r\n"), NetResult::Cancelled);
    std::string text;
    EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
    EXPECT_EQ(text, "\"/\"");
}

TEST_F(ControlTest, CollectReplyOnFeatAndOnAOneLine500)
{
    server.ExpectLine()
        .Reply("211-Features:")
        .Reply(" MDTM")
        .Reply(" SIZE")
        .Reply("211 End")
        .ExpectLine()
        .Reply("500 FEAT not understood");
    Connect();
    std::vector<std::string> lines;
    ASSERT_EQ(CollectReply(NullContext(), session, "FEAT\r\n", lines), NetResult::Ok);
    EXPECT_EQ(lines, (std::vector<std::string>{"211-Features:", " MDTM", " SIZE"}));
    session.Set(FeatQueried);  // no extra drain after the 500 below
    EXPECT_EQ(CollectReply(NullContext(), session, "FEAT\r\n", lines), NetResult::Failed);
    EXPECT_EQ(lines, (std::vector<std::string>{"500 FEAT not understood"}));
    EXPECT_TRUE(log.lines.empty()) << "CollectReply does not log";
}

TEST_F(ControlTest, CollectReplyFailsOnAnEmptyFirstLine)
{
    server.ExpectLine().Reply("").Reply("211 x");
    Connect();
    std::vector<std::string> lines;
    EXPECT_EQ(CollectReply(NullContext(), session, "FEAT\r\n", lines), NetResult::Failed);
    EXPECT_TRUE(lines.empty());
}

TEST_F(ControlTest, LoggedPasswordIsMaskedAndRefusalsAreExplained)
{
    server.ExpectLine().Reply("230 OK").ExpectLine().Reply("530 Login incorrect.").ExpectLine().Reply("421 Go away.");
    Connect();
    EXPECT_EQ(SendLoggedCommand(NullContext(), session, "PASS sesame\r\n"), NetResult::Ok);
    EXPECT_EQ(SendLoggedCommand(NullContext(), session, "PASS wrong\r\n"), NetResult::Failed);
    EXPECT_EQ(SendLoggedCommand(NullContext(), session, "OPTS UTF8 ON\r\n"), NetResult::Failed);
    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received()[0], "PASS sesame\r\n");
    EXPECT_TRUE(log.Contains(L"Command: PASS ******")) << log.All();
    EXPECT_TRUE(log.Contains(L"Command: PASS *****"));
    EXPECT_TRUE(log.Contains(L"User login failed. Check that you have the correct username and password."));
    EXPECT_TRUE(log.Contains(L"Command: OPTS UTF8 ON"));
    EXPECT_TRUE(log.Contains(L"Reply Gave Unexpected Response: 421"));
    EXPECT_FALSE(log.ContainsPart(L"sesame"));
}
