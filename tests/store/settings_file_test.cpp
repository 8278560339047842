// The settings export format and the substring rules of its reader.
#include <gtest/gtest.h>

#include "net/TextCodec.h"
#include "store/SettingsFile.h"

namespace {

FtpOptionsFound Read(std::initializer_list<std::string_view> lines)
{
    FtpOptionsFound found;
    for (std::string_view line : lines)
        ReadSettingsLine(line, found);
    return found;
}

constexpr size_t kLowerCase = 0, kNoSpaces = 1, kRetry = 2;

}  // namespace

TEST(SettingsFile, ThreeLinesInFixedOrder)
{
    EXPECT_EQ(WideToUtf8(FormatSettingsFile({true, false, true})), "FtpLowerCase:1\r\nFtpNoSpaces:0\r\nFtpRetry:1\r\n");
    FtpOptionsFound found;
    ReadSettingsLine("FtpLowerCase:0", found);
    ReadSettingsLine("FtpNoSpaces:1", found);
    EXPECT_EQ(found, (FtpOptionsFound{false, true, std::nullopt}));
}

TEST(SettingsFile, NumberAfterTheKeyDecides)
{
    EXPECT_EQ(Read({"FtpRetry:7"})[kRetry], true);
    EXPECT_EQ(Read({"FtpRetry:abc"})[kRetry], false);
    EXPECT_EQ(Read({"FtpRetry:"})[kRetry], false);
    EXPECT_EQ(Read({"FtpRetry:-0"})[kRetry], false);
    EXPECT_EQ(Read({"FtpRetry:000"})[kRetry], false);
    EXPECT_EQ(Read({"FtpRetry:-3"})[kRetry], true);
    EXPECT_EQ(Read({"FtpRetry: 1"})[kRetry], true);
    EXPECT_EQ(Read({"FtpRetry:0001x"})[kRetry], true);
    EXPECT_EQ(Read({"FtpRetry:99999999999999999999999"})[kRetry], true) << "no overflow to zero";
    EXPECT_EQ(Read({"FtpRetry:4294967296"})[kRetry], true);
}

TEST(SettingsFile, KeysCountAnywhereInALineAndSeveralPerLine)
{
    FtpOptionsFound found = Read({"xx FtpNoSpaces:1 and FtpRetry:0,FtpLowerCase:1"});
    EXPECT_EQ(found, (FtpOptionsFound{true, true, false}));
    EXPECT_EQ(Read({"FtpRetry:1", "FtpRetry:0"})[kRetry], false) << "a later line wins";
    EXPECT_EQ(Read({"[FtpLowerCase:1]"})[kLowerCase], true);
}

TEST(SettingsFile, OtherTextNamesNoOption)
{
    FtpOptionsFound found = Read({"ftpretry:1", "FtpRetry 1", "FtpNoSpaces=1", "", "FTPLOWERCASE:1"});
    EXPECT_EQ(found, FtpOptionsFound{});
    EXPECT_FALSE(found[kNoSpaces].has_value());
}
