#include <gtest/gtest.h>

#include "ftp/ReplyParsing.h"

TEST(ReplyPieces, SplitAtEveryKindOfLineEnd)
{
    auto pieces = SplitReplyPieces("a\nb\r\nc\n\rd\re");
    ASSERT_EQ(pieces.size(), 5u);
    EXPECT_EQ(pieces[0], "a");
    EXPECT_EQ(pieces[1], "b");
    EXPECT_EQ(pieces[2], "c");
    EXPECT_EQ(pieces[3], "d");
    EXPECT_EQ(pieces[4], "e");
    // Two LFs are two line ends: the empty piece between them is kept.
    EXPECT_EQ(SplitReplyPieces("a\n\nb").size(), 3u);
}

TEST(FinalReplyLine, WhichPiecesEndAReply)
{
    EXPECT_FALSE(ParseFinalReplyLine(""));
    EXPECT_FALSE(ParseFinalReplyLine(" continuation"));
    EXPECT_FALSE(ParseFinalReplyLine("230-Welcome"));

    auto final = ParseFinalReplyLine("230 Logged in.");
    ASSERT_TRUE(final);
    EXPECT_EQ(final->code, 230);
    EXPECT_EQ(final->text, "Logged in.");

    auto letters = ParseFinalReplyLine("Hello there");  // not a digit: code 0, still final
    ASSERT_TRUE(letters);
    EXPECT_EQ(letters->code, 0);

    auto threeDigits = ParseFinalReplyLine("226");
    ASSERT_TRUE(threeDigits);
    EXPECT_EQ(threeDigits->code, 226);
    EXPECT_EQ(threeDigits->text, "");

    EXPECT_EQ(ParseFinalReplyLine("5")->code, 5);
    EXPECT_EQ(ParseFinalReplyLine("99999999 x")->code, 0xFFFF);
    EXPECT_EQ(ParseFinalReplyLine("200 " + std::string(300, 't'))->text.size(), 255u);
}

TEST(ReplyCollector, FeatAnswerKeepsAllButTheFinalLine)
{
    ReplyCollector collector;
    EXPECT_EQ(collector.Feed("211-Features:"), ReplyCollector::State::NeedMore);
    EXPECT_EQ(collector.Feed(" MDTM"), ReplyCollector::State::NeedMore);
    EXPECT_EQ(collector.Feed(" SIZE   "), ReplyCollector::State::NeedMore);
    EXPECT_EQ(collector.Feed(""), ReplyCollector::State::NeedMore);
    EXPECT_EQ(collector.Feed("211 End"), ReplyCollector::State::Ok);
    ASSERT_EQ(collector.Lines().size(), 3u);
    EXPECT_EQ(collector.Lines()[2], " SIZE");
}

TEST(ReplyCollector, NegativeAndEmptyAnswers)
{
    ReplyCollector oneLine;
    EXPECT_EQ(oneLine.Feed("500 Unknown command."), ReplyCollector::State::Failed);
    EXPECT_EQ(oneLine.Lines().size(), 1u);

    ReplyCollector negativeMultiLine;  // not read to its end
    EXPECT_EQ(negativeMultiLine.Feed("550-No such file"), ReplyCollector::State::Failed);

    ReplyCollector empty;
    EXPECT_EQ(empty.Feed("   "), ReplyCollector::State::Failed);
    EXPECT_TRUE(empty.Lines().empty());

    ReplyCollector bareCode;  // "213" alone ends the reply instead of waiting for more
    EXPECT_EQ(bareCode.Feed("213"), ReplyCollector::State::Ok);
}

TEST(CommandLine, ArgumentIsCutButTheLineEndStays)
{
    EXPECT_EQ(CommandLine("CWD", "/pub"), "CWD /pub\r\n");
    EXPECT_EQ(CommandLine("PWD"), "PWD\r\n");
    std::string longLine = CommandLine("RETR", std::string(400, 'n'));
    EXPECT_EQ(longLine.size(), 5u + 259u + 2u);
    EXPECT_EQ(longLine.substr(longLine.size() - 2), "\r\n");
}
