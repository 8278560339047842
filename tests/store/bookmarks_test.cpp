// Bookmark lists of the current site in a scratch registry key.
#include <gtest/gtest.h>

#include "store/Bookmarks.h"
#include "store/SiteStore.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"

namespace {

using Texts = std::vector<std::wstring>;

// Makes label/server/slot the current site of user.
void MakeCurrent(const std::wstring& label, const std::wstring& server, const std::wstring& slot,
                 const std::wstring& user)
{
    WriteString(ChildKey(SiteServerKey(label, server), slot), L"UserName", user);
    WriteCurrentSiteName({label, server, user});
}

Texts StoredValues(const RegKeyRef& key)
{
    Texts values;
    for (int i = 0; ValueExists(key, std::to_wstring(i)); ++i)
        values.push_back(ReadString(key, std::to_wstring(i)));
    return values;
}

void AddAll(PaneSide side, const Texts& paths)
{
    for (const std::wstring& path : paths)
        EXPECT_EQ(AddBookmark(side, path), AddBookmarkResult::Added) << path.c_str();
}

}  // namespace

TEST(Bookmarks, ListsHangBelowTheCurrentUsersSlot)
{
    ScratchProductKey scratch;
    MakeCurrent(L"Work", L"ftp.example.com", L"0", L"anna");
    MakeCurrent(L"Work", L"ftp.example.com", L"1", L"bob");
    AddAll(PaneSide::Remote, {L"/pub"});
    AddAll(PaneSide::Local, {L"C:\\Data"});

    RegKeyRef slot = ChildKey(SiteServerKey(L"Work", L"ftp.example.com"), L"1");
    EXPECT_EQ(StoredValues(ChildKey(slot, L"RemoteBookmarks")), Texts{L"/pub"});
    EXPECT_EQ(StoredValues(ChildKey(slot, L"LocalBookmarks")), Texts{L"C:\\Data"});
    EXPECT_EQ(ReadBookmarks(PaneSide::Remote), Texts{L"/pub"});

    // A current user without a slot of its own falls back to slot "0".
    WriteCurrentSiteName({L"Work", L"ftp.example.com", L"nobody"});
    RegKeyRef slotZero = ChildKey(SiteServerKey(L"Work", L"ftp.example.com"), L"0");
    EXPECT_EQ(BookmarkListKey(PaneSide::Local).path, ChildKey(slotZero, L"LocalBookmarks").path);
    EXPECT_TRUE(ReadBookmarks(PaneSide::Local).empty());
}

TEST(Bookmarks, AddKeepsOneOfEachExactText)
{
    ScratchProductKey scratch;
    MakeCurrent(L"Work", L"ftp.example.com", L"0", L"anna");
    AddAll(PaneSide::Remote, {L"/pub", L"/Pub"});
    EXPECT_EQ(AddBookmark(PaneSide::Remote, L"/pub"), AddBookmarkResult::AlreadyListed);
    EXPECT_EQ(AddBookmark(PaneSide::Remote, L""), AddBookmarkResult::EmptyPath);
    EXPECT_EQ(ReadBookmarks(PaneSide::Remote), (Texts{L"/pub", L"/Pub"}));

    // A path beyond 259 characters is cut, so that it can be read back.
    std::wstring longPath = L"/" + std::wstring(300, L'x');
    EXPECT_EQ(AddBookmark(PaneSide::Remote, longPath), AddBookmarkResult::Added);
    EXPECT_EQ(AddBookmark(PaneSide::Remote, longPath), AddBookmarkResult::AlreadyListed);
    Texts list = ReadBookmarks(PaneSide::Remote);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2], longPath.substr(0, 259));
}

TEST(Bookmarks, NoListWithoutASavedSite)
{
    ScratchProductKey scratch;
    EXPECT_EQ(AddBookmark(PaneSide::Local, L"C:\\"), AddBookmarkResult::NoSite);
    WriteCurrentSiteName({L"Quick Connection", L"q.example.com", L"anonymous"});
    EXPECT_EQ(AddBookmark(PaneSide::Remote, L"/"), AddBookmarkResult::QuickConnection);
    EXPECT_TRUE(EnumerateSubkeys(SitesKey()).empty()) << "nothing was stored anywhere";
    EXPECT_TRUE(ReadBookmarks(PaneSide::Remote).empty());
}

TEST(Bookmarks, DeletingTheMiddleOfThreeClosesTheGap)
{
    ScratchProductKey scratch;
    MakeCurrent(L"Work", L"ftp.example.com", L"0", L"anna");
    AddAll(PaneSide::Local, {L"C:\\one", L"C:\\two", L"C:\\three"});
    Texts rows = ReadBookmarks(PaneSide::Local);

    ScriptedPrompt decline;
    EXPECT_EQ(DeleteBookmarks(PaneSide::Local, rows, {1}, decline), rows);
    ASSERT_EQ(decline.asked.size(), 1u);
    EXPECT_EQ(decline.asked[0].caption, L"Confirm Delete");
    EXPECT_EQ(decline.asked[0].text, L"Are you sure you want to delete the selected bookmarks?");
    EXPECT_EQ(decline.asked[0].acceptButton, L"Delete");

    ScriptedPrompt accept{{true}};
    EXPECT_EQ(DeleteBookmarks(PaneSide::Local, rows, {1}, accept), (Texts{L"C:\\one", L"C:\\three"}));
    EXPECT_EQ(StoredValues(BookmarkListKey(PaneSide::Local)), (Texts{L"C:\\one", L"C:\\three"}));
    EXPECT_FALSE(ValueExists(BookmarkListKey(PaneSide::Local), L"2"));
}

TEST(Bookmarks, ForgetDropsDeletedPathsOnly)
{
    ScratchProductKey scratch;
    MakeCurrent(L"Work", L"ftp.example.com", L"0", L"anna");
    AddAll(PaneSide::Remote, {L"/a", L"/b", L"/c", L"/d"});
    AddAll(PaneSide::Local, {L"/b"});
    ForgetBookmarks(PaneSide::Remote, {L"/b", L"/D", L"/d", L"/elsewhere"});
    EXPECT_EQ(StoredValues(BookmarkListKey(PaneSide::Remote)), (Texts{L"/a", L"/c"}));
    EXPECT_EQ(ReadBookmarks(PaneSide::Local), Texts{L"/b"}) << "the other pane's list is its own";
}
