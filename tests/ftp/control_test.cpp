#include <gtest/gtest.h>

#include "ftp/FtpSession.h"
#include "ftp/ReplyParsing.h"
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

TEST_F(ControlTest, MultiLineReplyEndsOnlyAtItsOwnCodeFollowedByASpace)
{
    // The interior lines look like other replies, like the final line without
    // its space, or like nothing at all; the next reply starts clean.
    server.Reply("220-Welcome")
        .Reply("226 hidden")
        .Reply("Banner text")
        .Reply("220")
        .Reply("220-still going")
        .Reply("2201 not the end")
        .Reply("220 Ready")
        .Reply("331 next");
    Connect();
    uint16_t code = 0;
    std::string text;
    std::vector<std::string> earlier;
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text, &earlier), NetResult::Ok);
    EXPECT_EQ(code, 220);
    EXPECT_EQ(text, "Ready");
    EXPECT_EQ(earlier, (std::vector<std::string>{"220-Welcome", "226 hidden", "Banner text", "220", "220-still going",
                                                 "2201 not the end"}));
    ASSERT_EQ(log.lines.size(), 1u) << log.All();
    EXPECT_EQ(log.lines[0].text, L"Response:  220 Ready");
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 331);
}

TEST_F(ControlTest, StrayLinesBeforeAReplyAndOneLineRepliesWithoutACode)
{
    server.Reply("").Reply(" stray").Reply("230 in").Reply("Hello there").Reply("200 after");
    Connect();
    uint16_t code = 99;
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 230);
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 0);  // a line that does not begin with a digit is a reply of its own
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 200);
}

TEST_F(ControlTest, LinesEndedByABareLineFeedEndAtOnce)
{
    // The server keeps the connection open: only the LF can end each line.
    server.Send("220-Hello\n220 Ready\n").ExpectLine().Send("257 \"/\"\n").ExpectLine().Send("200 mixed\r\n");
    server.WaitForClientClose();
    Connect();
    uint16_t code = 0;
    std::string text;
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 220);
    EXPECT_EQ(text, "Ready");
    EXPECT_TRUE(log.Contains(L"Response:  220 Ready")) << log.All();
    ASSERT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
    EXPECT_EQ(text, "\"/\"");
    ASSERT_EQ(SendCommand(NullContext(), session, "NOOP\r\n", &text), NetResult::Ok);
    EXPECT_EQ(text, "mixed");
    session.Close();
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

TEST_F(ControlTest, LongLinesAreReadWholeAndCutOnlyForDisplay)
{
    server.Reply("211-" + std::string(5000, 'a'))
        .Reply(" " + std::string(3000, 'b'))
        .Reply("211 " + std::string(700, 'c'))
        .ExpectLine()
        .Reply("211-start")
        .Reply(" " + std::string(6000, 'd'))
        .Reply("211 end")
        .Reply("200 next");
    Connect();
    uint16_t code = 0;
    std::string text;
    ASSERT_EQ(ReadReply(NullContext(), session, 3000, code, &text), NetResult::Ok);
    EXPECT_EQ(code, 211);
    EXPECT_EQ(text, std::string(255, 'c'));
    std::vector<std::string> lines;
    ASSERT_EQ(CollectReply(NullContext(), session, "FEAT\r\n", lines), NetResult::Ok);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], " " + std::string(6000, 'd'));
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 200);
}

TEST_F(ControlTest, EndlessRepliesFailAndCloseTheSession)
{
    std::string manyLines = "211-Start\r\n";
    for (int i = 0; i < 100000; ++i)
        manyLines += " line " + std::to_string(i) + "\r\n";
    server.SendUntilHangUp(manyLines + "211 End\r\n");
    Connect();
    uint16_t code = 0;
    EXPECT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Failed);
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(log.Contains(L"The reply from 127.0.0.1 went on for more than 10000 lines or 1048576 bytes; the connection "
                             L"was closed."))
        << log.All();
    // Nothing more is sent or waited for.
    EXPECT_EQ(SendCommand(NullContext(), session, "NOOP\r\n"), NetResult::Failed);
    EXPECT_TRUE(server.Finish());
}

TEST_F(ControlTest, AnEndlessLineFailsAndClosesTheSession)
{
    server.SendUntilHangUp("213-" + std::string(3 * 1024 * 1024, 'x'));
    Connect();
    std::vector<std::string> lines;
    EXPECT_EQ(CollectReply(NullContext(), session, "MLST x\r\n", lines), NetResult::Failed);
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(log.ContainsPart(L"went on for more than 10000 lines or 1048576 bytes")) << log.All();
    EXPECT_TRUE(server.Finish());
}

TEST_F(ControlTest, AReplyTimeOutClosesTheSession)
{
    // The client closing the connection ends the script; nothing else does.
    server.ExpectLine().WaitForClientClose();
    Connect(600);
    EXPECT_EQ(SendCommand(NullContext(), session, "NOOP\r\n"), NetResult::Failed);
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), std::vector<std::string>{"NOOP\r\n"});
    // Later commands fail without waiting for anything.
    std::vector<std::string> lines;
    EXPECT_EQ(CollectReply(NullContext(), session, "FEAT\r\n", lines), NetResult::Failed);
    EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n"), NetResult::Failed);
    DrainReply(session);
}

TEST_F(ControlTest, AReplyBrokenOffClosesTheSessionEvenInAShortWait)
{
    server.ExpectLine().Reply("211-Status").Reply(" more to come").WaitForClientClose();
    Connect();
    ASSERT_EQ(SendRaw(NullContext(), session, "STAT\r\n", 3000), NetResult::Ok);
    uint16_t code = 0;
    EXPECT_EQ(ReadReply(NullContext(), session, 600, code, nullptr), NetResult::Failed);
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(server.Finish());
}

TEST_F(ControlTest, SilenceInAShortWaitKeepsTheSession)
{
    // A wait shorter than the reply allowance looks for a reply that may not
    // come (a NOOP during a transfer): the reply may still arrive later.
    server.ExpectLine().Pause(1200).Reply("200 late").ExpectLine().Reply("257 \"/\"");
    Connect();
    ASSERT_EQ(SendRaw(NullContext(), session, "NOOP\r\n", 3000), NetResult::Ok);
    uint16_t code = 0;
    EXPECT_EQ(ReadReply(NullContext(), session, 400, code, nullptr), NetResult::Failed);
    EXPECT_TRUE(session.IsOpen());
    ASSERT_EQ(ReadReplyCode(NullContext(), session, code), NetResult::Ok);
    EXPECT_EQ(code, 200);
    std::string text;
    EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
    EXPECT_EQ(text, "\"/\"");
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

TEST_F(ControlTest, A500BeforeFeatWithNothingAfterItKeepsTheSession)
{
    server.ExpectLine().Reply("500 Unknown command.").ExpectLine().Reply("200 Fine.");
    Connect(600);
    uint16_t code = 0;
    EXPECT_EQ(SendCommand(NullContext(), session, "XYZ\r\n", nullptr, &code), NetResult::Failed);
    EXPECT_EQ(code, 500);
    EXPECT_TRUE(session.IsOpen());
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

TEST_F(ControlTest, NegativeMultiLineAnswersAreReadToTheirEnd)
{
    server.ExpectLine()
        .Reply("550-No such file")
        .Reply("550-the code and a hyphen do not end it")
        .Reply(" details")
        .Reply("550 End")
        .ExpectLine()
        .Reply("530-Not logged in")
        .Reply("530 Bye")
        .ExpectLine()
        .Reply("257 \"/pub\"");
    Connect();
    session.Set(FeatQueried);
    std::vector<std::string> lines;
    EXPECT_EQ(CollectReply(NullContext(), session, "MLST x\r\n", lines), NetResult::Failed);
    EXPECT_EQ(lines, (std::vector<std::string>{"550-No such file", "550-the code and a hyphen do not end it", " details"}));
    uint16_t code = 0;
    EXPECT_EQ(SendCommand(NullContext(), session, "CWD x\r\n", nullptr, &code), NetResult::Failed);
    EXPECT_EQ(code, 530);
    std::string text;
    EXPECT_EQ(SendCommand(NullContext(), session, "PWD\r\n", &text), NetResult::Ok);
    EXPECT_EQ(text, "\"/pub\"");
}

TEST_F(ControlTest, CollectReplyFailsOnStrayLinesButStaysInStep)
{
    server.ExpectLine().Reply("").Reply("211 x").ExpectLine().Reply("200 next");
    Connect();
    std::vector<std::string> lines;
    EXPECT_EQ(CollectReply(NullContext(), session, "FEAT\r\n", lines), NetResult::Failed);
    EXPECT_TRUE(lines.empty());
    uint16_t code = 0;
    EXPECT_EQ(SendCommand(NullContext(), session, "NOOP\r\n", nullptr, &code), NetResult::Ok);
    EXPECT_EQ(code, 200);
}

TEST_F(ControlTest, CommandsThatWouldSmuggleALineOrBeCutAreNotSent)
{
    server.ExpectLine().Reply("250 deleted").ExpectLine().Reply("230 ok").WaitForClientClose();
    Connect();
    const std::string longName(kMaxCommandLineBytes, 'n');
    for (const std::string& line :
         {CommandLine("DELE", "a\r\nRMD b"), CommandLine("RMD", "a\nb"), CommandLine("CWD", std::string("a\0b", 3)),
          CommandLine("DELE", longName)})
        EXPECT_EQ(SendCommand(NullContext(), session, line), NetResult::Failed);
    std::vector<std::string> lines;
    EXPECT_EQ(CollectReply(NullContext(), session, CommandLine("MLST", "x\ry"), lines), NetResult::Failed);
    EXPECT_EQ(SendLoggedCommand(NullContext(), session, CommandLine("PASS", "pass\nDELE x")), NetResult::Failed);
    EXPECT_TRUE(log.Contains(L"The DELE command was not sent: its name or path holds a line break or NUL character."))
        << log.All();
    EXPECT_TRUE(log.Contains(L"The RMD command was not sent: its name or path holds a line break or NUL character."));
    EXPECT_TRUE(log.Contains(L"The CWD command was not sent: its name or path holds a line break or NUL character."));
    EXPECT_TRUE(log.Contains(L"The MLST command was not sent: its name or path holds a line break or NUL character."));
    EXPECT_TRUE(log.Contains(L"The PASS command was not sent: its name or path holds a line break or NUL character."));
    EXPECT_TRUE(log.Contains(L"The DELE command was not sent: with its name or path it would be longer than the 512 bytes "
                             L"a server is sure to accept."));
    EXPECT_FALSE(log.ContainsPart(L"Command: PASS")) << "a refused command is not logged as sent";
    EXPECT_FALSE(log.ContainsPart(L"DELE x"));

    // The session is untouched: the longest line that may be sent goes whole.
    const std::string longest = CommandLine("DELE", std::string(kMaxCommandLineBytes - 7, 'n'));
    EXPECT_EQ(SendCommand(NullContext(), session, longest), NetResult::Ok);
    EXPECT_EQ(SendLoggedCommand(NullContext(), session, "PASS fine\r\n"), NetResult::Ok);
    session.Close();
    ASSERT_TRUE(server.Finish());
    EXPECT_EQ(server.Received(), (std::vector<std::string>{longest, "PASS fine\r\n"}));
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
