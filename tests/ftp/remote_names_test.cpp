// Taking remote paths apart and matching listed names.
#include <gtest/gtest.h>

#include "ftp/RemoteNames.h"

TEST(RemotePaths, ParentAndFileName)
{
    EXPECT_EQ(ParentFolder("/pub/docs/a.txt"), "/pub/docs");
    EXPECT_EQ(ParentFolder("/a.txt"), "/");
    EXPECT_EQ(ParentFolder("a.txt"), "");
    EXPECT_EQ(ParentFolder("sub\\a.txt"), "sub");
    EXPECT_EQ(FileNamePart("/pub/docs/a.txt"), "a.txt");
    EXPECT_EQ(FileNamePart("a.txt"), "a.txt");
    EXPECT_EQ(FileNamePart("sub\\a b.txt"), "a b.txt");
    EXPECT_EQ(FileNamePart("/pub/"), "");
}

TEST(RemotePaths, JoinDoesNotDoubleTheSeparator)
{
    EXPECT_EQ(JoinRemotePath(L"/", L"a"), L"/a");
    EXPECT_EQ(JoinRemotePath(L"/pub", L"a"), L"/pub/a");
    EXPECT_EQ(JoinRemotePath(L"/pub/", L"a"), L"/pub/a");
    EXPECT_EQ(JoinRemotePath(L"", L"a"), L"/a");
}

TEST(Wildcards, StarQuestionMarkAndCase)
{
    EXPECT_TRUE(MatchesWildcard("*", ""));
    EXPECT_TRUE(MatchesWildcard("*", "anything at all"));
    EXPECT_TRUE(MatchesWildcard("Report.TXT", "report.txt"));
    EXPECT_TRUE(MatchesWildcard("r?port*", "REPORT-2024.txt"));
    EXPECT_TRUE(MatchesWildcard("*a*b*c", "xxaxxbxxbc"));
    EXPECT_FALSE(MatchesWildcard("a.txt", "ba.txt"));
    EXPECT_FALSE(MatchesWildcard("a?", "a"));
    EXPECT_FALSE(MatchesWildcard("*.txt", "a.txt.bak"));
    EXPECT_FALSE(MatchesWildcard("", "a"));
    // Non-ASCII bytes match only themselves.
    EXPECT_TRUE(MatchesWildcard("\xc3\xa9*", "\xc3\xa9t\xc3\xa9"));
    EXPECT_FALSE(MatchesWildcard("\xc3\x89*", "\xc3\xa9t\xc3\xa9"));
}

TEST(Wildcards, ManyStarsStayFast)
{
    std::string text(5000, 'a');
    std::string pattern;
    for (int i = 0; i < 50; ++i)
        pattern += "*a";
    pattern += "b";
    EXPECT_FALSE(MatchesWildcard(pattern, text));
}

TEST(ListedNames, ALinkIsKnownByItsOwnName)
{
    ListingLine link;
    link.name = "latest -> releases/2.0";
    link.isLink = true;
    EXPECT_TRUE(ListedNameIs(link, "latest"));
    EXPECT_TRUE(ListedNameIs(link, "/pub/latest"));
    EXPECT_FALSE(ListedNameIs(link, "latest -> releases/2.0x"));

    ListingLine file;
    file.name = "notes -> not a link";
    EXPECT_TRUE(ListedNameIs(file, "notes -> not a link"));
    EXPECT_FALSE(ListedNameIs(file, "notes"));

    RemoteEntry entry;
    entry.name = L"latest -> releases/2.0";
    entry.isLink = true;
    EXPECT_EQ(OwnName(entry), L"latest");
    entry.isLink = false;
    EXPECT_EQ(OwnName(entry), L"latest -> releases/2.0");
}

TEST(SuspiciousNames, SeparatorsDriveNamesAndOverlongNames)
{
    for (const wchar_t* name : {L"../x", L"..\\x", L"/x", L"a/b", L"a\\b", L"dir/", L"C:", L"z:"})
        EXPECT_FALSE(SuspiciousNameReason(name).empty()) << name;
    EXPECT_FALSE(SuspiciousNameReason(std::wstring(260, L'a')).empty());

    EXPECT_EQ(SuspiciousNameReason(L"a/b"), L"the name holds \"/\" or \"\\\"");
    EXPECT_EQ(SuspiciousNameReason(L"C:"), L"the name is a drive name");
    EXPECT_EQ(SuspiciousNameReason(std::wstring(260, L'a')), L"the name is longer than 259 characters");

    // Only a bare drive name is suspicious here; other names with a colon
    // are a question for the local side.
    for (const wchar_t* name : {L"a.txt", L"..", L"C:x", L"1:", L"CC:", L":", L"-rf", L"a b", L"\u00e9t\u00e9"})
        EXPECT_TRUE(SuspiciousNameReason(name).empty()) << name;
    EXPECT_TRUE(SuspiciousNameReason(std::wstring(259, L'a')).empty());
}
