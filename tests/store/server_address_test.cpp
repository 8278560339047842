#include <gtest/gtest.h>

#include "store/ServerAddress.h"

namespace {

// The normalised text, or "(invalid)".
std::wstring Normalized(std::wstring text)
{
    return NormalizeServerAddress(text) ? text : L"(invalid)";
}

}  // namespace

TEST(ServerAddress, DottedAddresses)
{
    EXPECT_EQ(Normalized(L"192.168.1.20"), L"192.168.1.20");
    EXPECT_EQ(Normalized(L"  10.0.0.1 "), L"10.0.0.1");
    EXPECT_EQ(Normalized(L"1.2.3.4.5"), L"1.2.3.4");
    EXPECT_EQ(Normalized(L"1.2.3.4:2121"), L"1.2.3.4:2121");
    EXPECT_EQ(Normalized(L"1..2.3.4"), L"1.2.3.4");  // empty pieces are skipped
    // Not four pieces of at most 255: taken as a host name, and digits are
    // host characters.
    EXPECT_EQ(Normalized(L"10.0.0.300"), L"10.0.0.300");
    EXPECT_EQ(Normalized(L"1.2.3"), L"1.2.3");
    EXPECT_EQ(Normalized(L"1.2.3.99999999999999"), L"1.2.3.99999999999999");
}

TEST(ServerAddress, DottedAddressesKeepOnlyHostCharacters)
{
    EXPECT_EQ(Normalized(L"1.2.3.4/pub"), L"1.2.3.4");
    EXPECT_EQ(Normalized(L"1.2.3.4\\x"), L"1.2.3.4");
    EXPECT_EQ(Normalized(L"1.2.3.4 5"), L"1.2.3.4");
}

TEST(ServerAddress, HostNamesAreReducedAndLowerCased)
{
    EXPECT_EQ(Normalized(L"FTP.Example.COM"), L"ftp.example.com");
    EXPECT_EQ(Normalized(L"ftp.example.com:2121"), L"ftp.example.com:2121");
    EXPECT_EQ(Normalized(L"ftp://user@Ftp.Example.com/pub/files"), L"ftp.example.com");
    EXPECT_EQ(Normalized(L"my_host-1~x.example.org"), L"my_host-1~x.example.org");
    // A dot in a pasted path does not pick the host.
    EXPECT_EQ(Normalized(L"ftp://ftp.example.com/pub/readme.txt"), L"ftp.example.com");
    EXPECT_EQ(Normalized(L"ftp.example.com/x.y"), L"ftp.example.com");
}

TEST(ServerAddress, TextsThatNameNoServer)
{
    for (const wchar_t* text : {L"", L"   ", L"localhost", L".example", L"example.", L"ftp://host/a.b", L"a .b",
                                L"\u00E9.\u00E9", L"ftp:///x.y", L"user@.com"})
        EXPECT_EQ(Normalized(text), L"(invalid)") << text;
}

TEST(ServerAddress, ServerFieldDropsSchemeAndPortAndSplitsThePath)
{
    ServerField field = SplitServerField(L"  ftp://ftp.example.com:21/pub/files ");
    EXPECT_EQ(field.host, L"ftp.example.com");
    EXPECT_EQ(field.remotePath, L"/pub/files");

    field = SplitServerField(L"ftp.example.com");
    EXPECT_EQ(field.host, L"ftp.example.com");
    EXPECT_EQ(field.remotePath, L"");

    // A colon in the path does not cut the host short.
    field = SplitServerField(L"host.example.com/a:b");
    EXPECT_EQ(field.host, L"host.example.com");
    EXPECT_EQ(field.remotePath, L"/a:b");

    EXPECT_EQ(JoinServerPort(L"host.example.com", L"2121"), L"host.example.com:2121");
    EXPECT_EQ(JoinServerPort(L"host.example.com", L""), L"host.example.com");
}
