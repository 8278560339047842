#include <gtest/gtest.h>

#include "ftp/ReplyParsing.h"

namespace {

using State = ReplyFramer::State;

// Feeds the lines and returns the state after each one.
std::vector<State> FeedAll(ReplyFramer& framer, const std::vector<std::string>& lines)
{
    std::vector<State> states;
    for (const std::string& line : lines)
        states.push_back(framer.Feed(line));
    return states;
}

}  // namespace

TEST(ReplyLine, CodeAndText)
{
    ReplyLine final = ParseReplyLine("230 Logged in.");
    EXPECT_EQ(final.code, 230);
    EXPECT_EQ(final.text, "Logged in.");

    EXPECT_EQ(ParseReplyLine("Hello there").code, 0);  // not a digit: code 0
    ReplyLine threeDigits = ParseReplyLine("226");
    EXPECT_EQ(threeDigits.code, 226);
    EXPECT_EQ(threeDigits.text, "");
    EXPECT_EQ(ParseReplyLine("5").code, 5);
    EXPECT_EQ(ParseReplyLine("99999999 x").code, 0xFFFF);
    EXPECT_EQ(ParseReplyLine("200 " + std::string(300, 't')).text.size(), 255u);
}

TEST(ReplyFramer, MultiLineReplyEndsOnlyAtItsOwnCodeAndASpace)
{
    ReplyFramer framer;
    // Lines that look like other replies, or like the final line without its
    // space, are part of the reply.
    EXPECT_EQ(FeedAll(framer, {"220-Welcome", "226 hidden", "220-more", "220", "2201 also", "Banner text", " indented",
                               "", "220 ready"}),
              (std::vector<State>{State::NeedMore, State::NeedMore, State::NeedMore, State::NeedMore, State::NeedMore,
                                  State::NeedMore, State::NeedMore, State::NeedMore, State::Complete}));
    EXPECT_EQ(framer.FinalLine(), "220 ready");
    EXPECT_FALSE(framer.HadStrayLines());
    EXPECT_EQ(framer.TakeEarlierLines(), (std::vector<std::string>{"220-Welcome", "226 hidden", "220-more", "220",
                                                                   "2201 also", "Banner text", " indented"}));
}

TEST(ReplyFramer, OneLineReplies)
{
    for (std::string line : {"200 Fine", "213", "Hello there", "5", "2201 odd", "abc-not a code", "21-x"}) {
        ReplyFramer framer;
        EXPECT_EQ(framer.Feed(line), State::Complete) << line;
        EXPECT_EQ(framer.FinalLine(), line);
        EXPECT_TRUE(framer.TakeEarlierLines().empty()) << line;
    }
}

TEST(ReplyFramer, StrayLinesBeforeAReplyAreSkippedAndNoted)
{
    ReplyFramer framer;
    EXPECT_EQ(FeedAll(framer, {"", " stray", "331 Password"}),
              (std::vector<State>{State::NeedMore, State::NeedMore, State::Complete}));
    EXPECT_TRUE(framer.HadStrayLines());
    EXPECT_EQ(framer.FinalLine(), "331 Password");
}

TEST(ReplyFramer, CollectedLinesOfFeatAndOfAOneLineAnswer)
{
    ReplyFramer feat;
    FeedAll(feat, {"211-Features:", " MDTM", " SIZE   ", "", "211 End"});
    EXPECT_EQ(feat.TakeCollectedLines(), (std::vector<std::string>{"211-Features:", " MDTM", " SIZE"}));

    ReplyFramer refused;
    refused.Feed("500 Unknown command.  ");
    EXPECT_EQ(refused.TakeCollectedLines(), std::vector<std::string>{"500 Unknown command."});

    ReplyFramer negativeMultiLine;  // read to its end like any other
    EXPECT_EQ(FeedAll(negativeMultiLine, {"550-No such file", " details", "550 End"}).back(), State::Complete);
    EXPECT_EQ(negativeMultiLine.TakeCollectedLines(), (std::vector<std::string>{"550-No such file", " details"}));
}

TEST(ReplyFramer, AReplyOfTooManyLinesIsAbandoned)
{
    ReplyFramer framer;
    EXPECT_EQ(framer.Feed("211-start"), State::NeedMore);
    for (size_t i = 2; i <= kMaxReplyLines; ++i)
        ASSERT_EQ(framer.Feed(" line"), State::NeedMore) << i;
    EXPECT_EQ(framer.Feed("211 end"), State::TooLong);

    ReplyFramer justFits;
    for (size_t i = 1; i < kMaxReplyLines; ++i)
        justFits.Feed(i == 1 ? "211-start" : " line");
    EXPECT_EQ(justFits.Feed("211 end"), State::Complete);

    ReplyFramer blanks;  // stray lines count too
    for (size_t i = 1; i <= kMaxReplyLines; ++i)
        ASSERT_EQ(blanks.Feed(""), State::NeedMore);
    EXPECT_EQ(blanks.Feed(""), State::TooLong);
}

TEST(CommandLine, TheWholeArgumentIsKept)
{
    EXPECT_EQ(CommandLine("CWD", "/pub"), "CWD /pub\r\n");
    EXPECT_EQ(CommandLine("PWD"), "PWD\r\n");
    std::string longLine = CommandLine("RETR", std::string(400, 'n'));
    EXPECT_EQ(longLine, "RETR " + std::string(400, 'n') + "\r\n");
}

TEST(CommandLine, LinesThatMustNotBeSentAreRefusedWithAReason)
{
    EXPECT_EQ(CommandLineRefusal("NOOP\r\n"), L"");
    EXPECT_EQ(CommandLineRefusal(CommandLine("DELE", "caf\xc3\xa9 & co.txt")), L"");

    const std::wstring lineBreak = L" was not sent: its name or path holds a line break or NUL character.";
    EXPECT_EQ(CommandLineRefusal(CommandLine("DELE", "a\r\nRMD b")), L"The DELE command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal(CommandLine("RMD", "a\nb")), L"The RMD command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal(CommandLine("CWD", "a\rb")), L"The CWD command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal(CommandLine("STOR", std::string("a\0b", 3))), L"The STOR command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal("NOOP\r\nDELE x\r\n"), L"The NOOP command" + lineBreak);
    // The argument is never repeated; a line without a verb is not named.
    EXPECT_EQ(CommandLineRefusal(CommandLine("PASS", "se\ncret")), L"The PASS command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal("/etc\nx\r\n"), L"The command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal("site dirstyle\n\r\n"), L"The site command" + lineBreak);
    EXPECT_EQ(CommandLineRefusal("\r\n\r\n"), L"The command" + lineBreak);

    std::string longest = CommandLine("DELE", std::string(kMaxCommandLineBytes - 7, 'n'));
    ASSERT_EQ(longest.size(), kMaxCommandLineBytes);
    EXPECT_EQ(CommandLineRefusal(longest), L"");
    EXPECT_EQ(CommandLineRefusal(CommandLine("DELE", std::string(kMaxCommandLineBytes - 6, 'n'))),
              L"The DELE command was not sent: with its name or path it would be longer than the 512 bytes a server "
              L"is sure to accept.");
}
