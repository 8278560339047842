#include <gtest/gtest.h>

#include "net/HostText.h"
#include "net/TextCodec.h"

TEST(TextCodec, Utf8RoundTripKeepsEveryPlane)
{
    std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";  // a é € 😀 z
    std::wstring wide = Utf8ToWide(utf8);
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(wide.size(), sizeof(wchar_t) == 2 ? 6u : 5u);
}

TEST(TextCodec, InvalidUtf8IsReplacedNotRejected)
{
    // A lone continuation byte, a truncated sequence, an overlong form and a
    // surrogate encoded in UTF-8.
    EXPECT_EQ(Utf8ToWide("a\x80" "b"), L"a\uFFFDb");
    EXPECT_EQ(Utf8ToWide("a\xE2\x82"), L"a\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
}

TEST(TextCodec, CutsNeverSplitACharacter)
{
    std::string text = std::string(258, 'x') + "\xC3\xA9";  // 260 bytes, the last character is 2 bytes
    EXPECT_EQ(CutUtf8(text).size(), 258u);
    EXPECT_EQ(WideToUtf8Limited(std::wstring(300, L'y')).size(), 259u);
    EXPECT_EQ(CutText(std::wstring(300, L'y')).size(), 259u);
}

TEST(TextCodec, TrimsBlanksAndControls)
{
    EXPECT_EQ(TrimControlsAndSpaces(std::wstring(L"\t 230 ok \r\n")), L"230 ok");
    EXPECT_EQ(TrimSpaces(L"  a\tb  "), L"a\tb");
    EXPECT_EQ(TrimControlsAndSpaces(std::wstring(L" \r\n")), L"");
}

TEST(HostText, PortRules)
{
    HostAndPort plain = SplitHostText(L"ftp.example.com", 990);
    EXPECT_EQ(plain.host, L"ftp.example.com");
    EXPECT_EQ(plain.port, 990);

    HostAndPort explicitPort = SplitHostText(L"ftp.example.com:21", 990);
    EXPECT_EQ(explicitPort.host, L"ftp.example.com");
    EXPECT_EQ(explicitPort.port, 21);

    EXPECT_EQ(SplitHostText(L"host:", 21).port, 0);
    EXPECT_EQ(SplitHostText(L"host:abc", 21).port, 0);
    EXPECT_EQ(SplitHostText(L"host:2121junk", 21).port, 2121);
    EXPECT_EQ(SplitHostText(L"host:99999", 21).port, 0);
    EXPECT_EQ(SplitHostText(L"host:65535", 21).port, 65535);
}
