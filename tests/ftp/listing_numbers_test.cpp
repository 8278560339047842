#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ftp/ListingNumbers.h"
#include "ftp/MonthNames.h"

namespace {

constexpr uint64_t kMaxSize = std::numeric_limits<int64_t>::max();

uint64_t SizeOf(std::string_view text)
{
    uint64_t value = 12345;
    EXPECT_TRUE(ParseSizeText(text, value)) << text;
    return value;
}

}  // namespace

TEST(ListingSizeText, UnitsScaleByPowersOf1024AndFractionsAreKept)
{
    EXPECT_EQ(SizeOf("1234"), 1234u);
    EXPECT_EQ(SizeOf("1.5K"), 1536u);
    EXPECT_EQ(SizeOf("2M"), 2097152u);
    EXPECT_EQ(SizeOf("1.25m"), 1310720u);
    EXPECT_EQ(SizeOf("3G"), 3221225472u);
    EXPECT_EQ(SizeOf("2t"), 2199023255552u);
    EXPECT_EQ(SizeOf("0.5k"), 512u);
    EXPECT_EQ(SizeOf("5.K"), 5120u);
    EXPECT_EQ(SizeOf("K"), 0u);
}

TEST(ListingSizeText, RejectsWhatIsNotASize)
{
    uint64_t value = 0;
    for (std::string_view text : {"", ".5K", "1.5", "15B", "1,5K", "12a", "-5", "+5", "K5", "1 K"})
        EXPECT_FALSE(ParseSizeText(text, value)) << text;
}

TEST(ListingSizeText, HugeValuesSaturate)
{
    EXPECT_EQ(SizeOf("9223372036854775807"), kMaxSize);
    EXPECT_EQ(SizeOf("9223372036854775808"), kMaxSize);
    EXPECT_EQ(SizeOf("99999999999999999999999999"), kMaxSize);
    EXPECT_EQ(SizeOf("9999999999T"), kMaxSize);
}

TEST(ListingNumbers, SizeNumbersAndLeadingNumbers)
{
    EXPECT_EQ(ReadSizeNumber("  +42"), 42u);
    EXPECT_EQ(ReadSizeNumber("12 34"), 12u);
    EXPECT_EQ(ReadSizeNumber("-42"), 0u);  // never a huge unsigned size
    EXPECT_EQ(ReadSizeNumber("owner"), 0u);
    EXPECT_EQ(ReadSizeNumber("123456789012345678901234567890"), kMaxSize);

    EXPECT_EQ(LeadingNumber("05x"), 5);
    EXPECT_EQ(LeadingNumber("x5"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999"), std::numeric_limits<int32_t>::max());

    EXPECT_TRUE(IsAllDigits("0123"));
    EXPECT_FALSE(IsAllDigits(""));
    EXPECT_FALSE(IsAllDigits("12a"));
}

TEST(MonthNames, EnglishNamesAndNumbersIgnoreAsciiCase)
{
    EXPECT_EQ(MonthFromName("Jan"), 1);
    EXPECT_EQ(MonthFromName("JUNE"), 6);
    EXPECT_EQ(MonthFromName("Sept"), 9);
    EXPECT_EQ(MonthFromName("dec"), 12);
    EXPECT_EQ(MonthFromName("01"), 1);
    EXPECT_EQ(MonthFromName("9"), 9);
    EXPECT_EQ(MonthFromName("12"), 12);
}

TEST(MonthNames, LatinLanguages)
{
    EXPECT_EQ(MonthFromName("M\xE4rz"), 3);  // German, Windows-1252
    EXPECT_EQ(MonthFromName("j\xE4n"), 1);
    EXPECT_EQ(MonthFromName("Okt"), 10);
    EXPECT_EQ(MonthFromName("janv"), 1);  // French
    EXPECT_EQ(MonthFromName("f\xE9vr"), 2);
    EXPECT_EQ(MonthFromName("ao\xFBt"), 8);
    EXPECT_EQ(MonthFromName("d\xE9" "c"), 12);
    EXPECT_EQ(MonthFromName("giu"), 6);  // Italian
    EXPECT_EQ(MonthFromName("ott"), 10);
    EXPECT_EQ(MonthFromName("ene"), 1);  // Spanish
    EXPECT_EQ(MonthFromName("agto"), 8);
    EXPECT_EQ(MonthFromName("ab"), 4);
    EXPECT_EQ(MonthFromName("sty"), 1);  // Polish
    EXPECT_EQ(MonthFromName("pa"), 10);
    EXPECT_EQ(MonthFromName("gru"), 12);
    EXPECT_EQ(MonthFromName("mrt"), 3);  // Dutch
    EXPECT_EQ(MonthFromName("mei"), 5);
    EXPECT_EQ(MonthFromName("out"), 10);  // Portuguese
    EXPECT_EQ(MonthFromName("tammi"), 1);  // Finnish
    EXPECT_EQ(MonthFromName("kes\xE4"), 6);
    EXPECT_EQ(MonthFromName("hein\xE4"), 7);
    EXPECT_EQ(MonthFromName("marras"), 11);
    EXPECT_EQ(MonthFromName("avg"), 8);  // Slovenian
    EXPECT_EQ(MonthFromName("oct0"), 10);  // digit-suffixed
    EXPECT_EQ(MonthFromName("sept9"), 9);
}

TEST(MonthNames, CyrillicWindows1251)
{
    const char* months[] = {"\xFF\xED\xE2", "\xF4\xE5\xE2", "\xEC\xE0\xF0", "\xE0\xEF\xF0",
                            "\xEC\xE0\xE9", "\xE8\xFE\xED", "\xE8\xFE\xEB", "\xE0\xE2\xE3",
                            "\xF1\xE5\xED", "\xEE\xEA\xF2", "\xED\xEE\xFF", "\xE4\xE5\xEA"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(MonthFromName(months[i]), i + 1) << i;
}

TEST(MonthNames, DoubleByteSuffixes)
{
    EXPECT_EQ(MonthFromName("1\x8C\x8E"), 1);  // 1月, Shift-JIS
    EXPECT_EQ(MonthFromName("12\x8C\x8E"), 12);
    EXPECT_EQ(MonthFromName("7\xC6\xD4"), 7);
    EXPECT_EQ(MonthFromName("10\xC6\xD4"), 10);
    EXPECT_EQ(MonthFromName("3\xBF\xF9"), 3);  // 3월, EUC-KR
    EXPECT_EQ(MonthFromName("11\xBF\xF9"), 11);
}

TEST(MonthNames, AccentedAndCyrillicNamesInBothEncodings)
{
    EXPECT_EQ(MonthFromName("f\xE9v"), 2);          // Windows-1252
    EXPECT_EQ(MonthFromName("f\xC3\xA9v"), 2);      // UTF-8
    EXPECT_EQ(MonthFromName("\xEE\xEA\xF2"), 10);  // окт, Windows-1251
    EXPECT_EQ(MonthFromName("\xD0\xBE\xD0\xBA\xD1\x82"), 10);  // окт, UTF-8
}

TEST(MonthNames, AnythingElseIsNoMonth)
{
    for (std::string_view text : {"", "0", "00", "13", "ja", "janx", "janua", "J\xC4N", "f\xC3\xA9z", "f\xC3v", "13\x8C\x8E"})
        EXPECT_EQ(MonthFromName(text), 0) << text;
}
