#include <gtest/gtest.h>

#include "ftp/DataLines.h"
#include "ftp/PasvReply.h"

namespace {

std::vector<std::string> SplitInBlocks(const std::string& text, size_t blockSize)
{
    DataLineSplitter splitter;
    std::vector<std::string> lines;
    for (size_t i = 0; i < text.size(); i += blockSize)
        splitter.Feed(std::string_view(text).substr(i, blockSize), lines);
    splitter.Finish(lines);
    return lines;
}

}  // namespace

TEST(DataLines, EveryLineEndAndEveryBlockBoundaryGiveTheSameLines)
{
    std::string text = "one\r\ntwo\nthree\n\rfour\rfive\r\n\r\n\nsix";
    std::vector<std::string> expected{"one", "two", "three", "four", "five", "six"};
    for (size_t blockSize : {1u, 2u, 3u, 5u, 64u})
        EXPECT_EQ(SplitInBlocks(text, blockSize), expected) << "block size " << blockSize;
}

TEST(DataLines, LongLinesAreCutNotSplit)
{
    std::string text = std::string(300, 'a') + "\r\nnext\r\n";
    auto lines = SplitInBlocks(text, 7);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(259, 'a'));
    EXPECT_EQ(lines[1], "next");
}

TEST(PasvReply, SixNumbersAfterTheParenthesis)
{
    auto endpoint = ParsePasvReply("Entering Passive Mode (10,0,0,5,4,1).");
    ASSERT_TRUE(endpoint);
    EXPECT_EQ(endpoint->address[0], 10);
    EXPECT_EQ(endpoint->address[3], 5);
    EXPECT_EQ(endpoint->port, 1025);

    auto spaced = ParsePasvReply("=( 127, 0, 0, 1, 255, 255)");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->port, 65535);
}

TEST(PasvReply, MalformedRepliesAreRefused)
{
    EXPECT_FALSE(ParsePasvReply("Entering Passive Mode 127,0,0,1,4,1"));  // no parenthesis
    EXPECT_FALSE(ParsePasvReply("(127,0,0,1,4)"));                        // five numbers
    EXPECT_FALSE(ParsePasvReply("(127,0,0,1,4,256)"));                    // not a byte
    EXPECT_FALSE(ParsePasvReply("(127,0,0,1,4,99999999999999999999)"));
    EXPECT_FALSE(ParsePasvReply("(127,0,0,1,,1)"));
    EXPECT_FALSE(ParsePasvReply("("));
}
