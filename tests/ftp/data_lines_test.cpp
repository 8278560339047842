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

namespace {

std::string EndpointText(const std::optional<PasvEndpoint>& endpoint)
{
    if (!endpoint)
        return "none";
    return std::to_string(endpoint->address[0]) + "." + std::to_string(endpoint->address[1]) + "." +
           std::to_string(endpoint->address[2]) + "." + std::to_string(endpoint->address[3]) + ":" +
           std::to_string(endpoint->port);
}

}  // namespace

TEST(PasvReply, SixNumbersWhereverTheyStand)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Entering Passive Mode (10,0,0,5,4,1).", "10.0.0.5:1025"},
        {"=( 127, 0, 0, 1, 255, 255)", "127.0.0.1:65535"},
        // Without parentheses, as some servers answer.
        {"Entering Passive Mode 127,0,0,1,4,1", "127.0.0.1:1025"},
        {"Entering Passive Mode=192,168,1,2,200,7.", "192.168.1.2:51207"},
        {"Passive 10 , 1 ,2,3 ,0, 21 ok", "10.1.2.3:21"},
        // Shorter runs of numbers before the six are passed over.
        {"Server 2,5 says: 127,0,0,1,0,80", "127.0.0.1:80"},
        {"v1.4 (127,0,0,1,0,80)", "127.0.0.1:80"},
        // The first six of a longer run.
        {"(1,2,3,4,5,6,7)", "1.2.3.4:1286"},
        {"(010,0,0,5,4,001)", "10.0.0.5:1025"},
    };
    for (auto [text, expected] : cases)
        EXPECT_EQ(EndpointText(ParsePasvReply(text)), expected) << text;
}

TEST(PasvReply, MalformedRepliesAreRefused)
{
    for (const char* text : {"(127,0,0,1,4)",  // five numbers
                             "(127,0,0,1,4,256)", "(127,0,0,1,4,99999999999999999999)",  // not bytes
                             "1000,127,0,0,1,4,1",  // the run begins with a non-byte
                             "(127,0,0,1,,1)", "(127;0;0;1;4;1)", "127,0,0,1,4,", "Entering Passive Mode", "(", ""})
        EXPECT_EQ(EndpointText(ParsePasvReply(text)), "none") << text;
}
