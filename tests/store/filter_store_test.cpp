// Filter lists and the filter warning in a scratch registry key.
#include <gtest/gtest.h>

#include "store/FilterStore.h"
#include "store/Registry.h"
#include "support/ScratchRegistry.h"
#include "support/ScriptedPrompt.h"

namespace {

using Texts = std::vector<std::wstring>;

RegKeyRef LocalFilters()
{
    return ProductKey(L"Settings\\FileFilters\\LocalFilters");
}

RegKeyRef RemoteFilters()
{
    return ProductKey(L"Settings\\FileFilters\\RemoteFilters");
}

void Apply(PaneFilter& filter, const std::wstring& text)
{
    filter.boxText = text;
    ApplyFilter(filter);
}

}  // namespace

TEST(FilterStore, SavesAtMostSixAndLoadsThemBack)
{
    ScratchProductKey scratch;
    PaneFilters filters = LoadFilterLists();
    EXPECT_EQ(filters.local.entries, (Texts{L"[None]", L"[New]", L"[Clear All]"}));
    for (const wchar_t* text : {L"1", L"2", L"3", L"4", L"5", L"6", L"7"})
        Apply(filters.local, text);
    Apply(filters.remote, L"log");
    SaveFilterLists(filters);

    RegKeyRef local = LocalFilters();
    EXPECT_EQ(ReadString(local, L"Count"), L"6");
    EXPECT_EQ(ReadString(local, L"0"), L"7");
    EXPECT_EQ(ReadString(local, L"5"), L"2");
    EXPECT_FALSE(ValueExists(local, L"6"));
    EXPECT_EQ(ReadString(RemoteFilters(), L"Count"), L"1");

    PaneFilters loaded = LoadFilterLists();
    EXPECT_EQ(loaded.local.entries, filters.local.entries);
    EXPECT_EQ(loaded.remote.entries, (Texts{L"log", L"[None]", L"[New]", L"[Clear All]"}));
    EXPECT_TRUE(loaded.local.active.empty()) << "the active filter lives in memory only";
}

TEST(FilterStore, ShorterListLeavesOldValuesBehindUnread)
{
    ScratchProductKey scratch;
    PaneFilters filters = LoadFilterLists();
    for (const wchar_t* text : {L"a", L"b", L"c"})
        Apply(filters.remote, text);
    SaveFilterLists(filters);
    filters.remote.boxText = L"[Clear All]";
    ApplyFilter(filters.remote);
    Apply(filters.remote, L"z");
    SaveFilterLists(filters);

    EXPECT_EQ(ReadString(RemoteFilters(), L"Count"), L"1");
    EXPECT_EQ(ReadString(RemoteFilters(), L"2"), L"a");
    EXPECT_EQ(LoadFilterLists().remote.entries, (Texts{L"z", L"[None]", L"[New]", L"[Clear All]"}));
}

TEST(FilterStore, DamagedCountsLoadSafely)
{
    ScratchProductKey scratch;
    RegKeyRef local = LocalFilters();
    for (int i = 0; i < 8; ++i)
        WriteString(local, std::to_wstring(i), L"f" + std::to_wstring(i));
    const std::pair<const wchar_t*, size_t> cases[] = {
        {L"2147483647", 6}, {L"-5", 0}, {L"abc", 0}, {L"3", 3}, {L"", 0}};
    for (const auto& [count, texts] : cases) {
        WriteString(local, L"Count", count);
        EXPECT_EQ(LoadFilterLists().local.entries.size(), texts + 3) << count;
    }
    WriteString(local, L"Count", L"4");
    DeleteValue(local, L"1");
    EXPECT_EQ(LoadFilterLists().local.entries, (Texts{L"f0", L"f2", L"f3", L"[None]", L"[New]", L"[Clear All]"}));
}

TEST(FilterStore, WarningAsksRemembersTheBoxAndDecides)
{
    ScratchProductKey scratch;
    RegKeyRef settings = SettingsKey();

    ScriptedPrompt none;
    EXPECT_TRUE(FilterWarning(PaneSide::Local, L"", true, none));
    EXPECT_TRUE(FilterWarning(PaneSide::Local, L"txt", false, none));
    EXPECT_TRUE(none.asked.empty());

    ScriptedPrompt cancel{{false, false}};
    EXPECT_FALSE(FilterWarning(PaneSide::Remote, L"txt", true, cancel));
    ASSERT_EQ(cancel.asked.size(), 1u);
    EXPECT_EQ(cancel.asked[0].caption, L"Filter Warning");
    EXPECT_EQ(cancel.asked[0].acceptButton, L"Continue");
    EXPECT_EQ(cancel.asked[0].checkBox, L"Do not show this dialog again.");
    EXPECT_EQ(cancel.asked[0].text, L"All files contained in a folder will be transferred even though a filter is "
                                    L"applied to the directory view. Do you wish to continue?");
    EXPECT_EQ(ReadString(settings, L"FilterWarningOff"), L"0");

    ScriptedPrompt cancelForGood{{false, true}};
    EXPECT_FALSE(FilterWarning(PaneSide::Local, L"txt", true, cancelForGood));
    EXPECT_EQ(cancelForGood.asked[0].text,
              L"When downloading or uploading files, the filter will not remove files within subfolders. Do you "
              L"wish to continue?");
    EXPECT_EQ(ReadString(settings, L"FilterWarningOff"), L"1");

    ScriptedPrompt never;
    EXPECT_TRUE(FilterWarning(PaneSide::Remote, L"txt", true, never));
    EXPECT_TRUE(never.asked.empty()) << "switched off";
}
