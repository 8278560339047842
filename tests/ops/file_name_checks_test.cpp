// Names typed for new folders and renames.
#include <gtest/gtest.h>

#include "ops/FileNameChecks.h"

TEST(NewFolderName, TrimmedAndRefusedForWindowsReservedCharacters)
{
    EXPECT_EQ(CheckNewFolderName(L"  reports 2024 \t"), std::optional<std::wstring>(L"reports 2024"));
    EXPECT_EQ(CheckNewFolderName(L"say \"hi\""), std::optional<std::wstring>(L"say \"hi\"")) << "quotes pass";
    EXPECT_EQ(CheckNewFolderName(L"caf\u00e9"), std::optional<std::wstring>(L"caf\u00e9"));
    EXPECT_FALSE(CheckNewFolderName(L""));
    EXPECT_FALSE(CheckNewFolderName(L" \r\n "));
    for (const wchar_t* bad : {L"a\\b", L"a/b", L"a:b", L"a*", L"?", L"<a", L"a>", L"a|b", L"a\x01" L"b", L"a\x7f"})
        EXPECT_FALSE(CheckNewFolderName(bad)) << bad;
}

TEST(RenameName, EachEditComesToOneStep)
{
    EXPECT_EQ(RenameText(L"  new name.txt \r\n"), L"new name.txt");
    EXPECT_EQ(ClassifyRename(L"a.txt", L".htaccess"), RenameStep::OnlyExtension);
    EXPECT_EQ(ClassifyRename(L"a.txt", L"."), RenameStep::OnlyExtension);
    EXPECT_EQ(ClassifyRename(L"a.txt", L"v1.2.txt"), RenameStep::Rename);
    EXPECT_EQ(ClassifyRename(L"", L""), RenameStep::NothingNamed);
    EXPECT_EQ(ClassifyRename(L"", L"new folder"), RenameStep::CreateFolder);
    EXPECT_EQ(ClassifyRename(L"a.txt", L""), RenameStep::EmptyName);
    EXPECT_EQ(ClassifyRename(L"readme.txt", L"README.TXT"), RenameStep::Unchanged);
    EXPECT_EQ(ClassifyRename(L"readme.txt", L"readme.txt"), RenameStep::Unchanged);
    EXPECT_EQ(ClassifyRename(L"caf\u00e9", L"CAF\u00c9"), RenameStep::Rename) << "only A-Z fold";
    EXPECT_EQ(ClassifyRename(L"a.txt", L"sub/a.txt"), RenameStep::BadCharacter);
    EXPECT_EQ(ClassifyRename(L"a.txt", L"a\tb"), RenameStep::BadCharacter);
    EXPECT_EQ(ClassifyRename(L"", L"x/y"), RenameStep::BadCharacter);
    EXPECT_EQ(ClassifyRename(L"a.txt", L"a\\b"), RenameStep::Rename) << "a Unix name may hold a backslash";
}

TEST(RenameName, CaseFoldsOnlyAsciiLetters)
{
    EXPECT_TRUE(SameNameIgnoringCase(L"Read Me", L"rEAD mE"));
    EXPECT_FALSE(SameNameIgnoringCase(L"read", L"reads"));
    EXPECT_FALSE(SameNameIgnoringCase(L"[", L"{")) << "not folded by bit flipping";
    EXPECT_TRUE(SameNameIgnoringCase(L"", L""));
}
