// The filter box as a list model, the match rule and the warning decision.
#include <gtest/gtest.h>

#include "store/FilterList.h"

namespace {

using Texts = std::vector<std::wstring>;

Texts WithFixed(Texts texts)
{
    texts.insert(texts.end(), {L"[None]", L"[New]", L"[Clear All]"});
    return texts;
}

void Apply(PaneFilter& filter, const std::wstring& text)
{
    filter.boxText = text;
    EXPECT_EQ(ApplyFilter(filter), FilterOutcome::RefreshListing) << text;
}

}  // namespace

TEST(FilterList, StoredTextsComeFirstAndDamagedListsAreTamed)
{
    PaneFilter filter = MakePaneFilter({L"txt", L"log"});
    EXPECT_EQ(filter.entries, WithFixed({L"txt", L"log"}));
    EXPECT_TRUE(filter.active.empty());

    PaneFilter damaged = MakePaneFilter({L"a", L"", L"[New]", L"b", L"c", L"d", L"e", L"f", L"g"});
    EXPECT_EQ(damaged.entries, WithFixed({L"a", L"b", L"c", L"d", L"e", L"f"}));
}

TEST(FilterList, ApplyMovesTheTextToTheTopWithoutDuplicates)
{
    PaneFilter filter = MakePaneFilter({L"txt", L"log", L"TXT"});
    Apply(filter, L"log");
    EXPECT_EQ(filter.entries, WithFixed({L"log", L"txt", L"TXT"}));
    Apply(filter, L"Log");  // a case variant is an entry of its own
    EXPECT_EQ(filter.entries, WithFixed({L"Log", L"log", L"txt", L"TXT"}));
    EXPECT_EQ(filter.active, L"log");
    EXPECT_EQ(filter.boxText, L"Log");
}

TEST(FilterList, SeventhFilterDropsTheOldestAndSixAreStored)
{
    PaneFilter filter = MakePaneFilter({});
    for (const wchar_t* text : {L"one", L"two", L"three", L"four", L"five", L"six"})
        Apply(filter, text);
    EXPECT_EQ(filter.entries.size(), 9u);
    Apply(filter, L"seven");
    EXPECT_EQ(filter.entries, WithFixed({L"seven", L"six", L"five", L"four", L"three", L"two"}));
    EXPECT_EQ(FilterTextsToStore(filter), (Texts{L"seven", L"six", L"five", L"four", L"three", L"two"}));
    Apply(filter, L"four");  // re-applying one that is listed drops nothing
    EXPECT_EQ(FilterTextsToStore(filter), (Texts{L"four", L"seven", L"six", L"five", L"three", L"two"}));
}

TEST(FilterList, ClearAllKeepsTheActiveFilterUntilItIsRemoved)
{
    PaneFilter filter = MakePaneFilter({L"old"});
    Apply(filter, L"TXT");
    filter.boxText = L"[Clear All]";
    EXPECT_EQ(ApplyFilter(filter), FilterOutcome::Nothing);
    EXPECT_EQ(filter.entries, WithFixed({}));
    EXPECT_TRUE(filter.boxText.empty());
    EXPECT_EQ(filter.active, L"txt");
    EXPECT_TRUE(FilterTextsToStore(filter).empty());

    // The box is empty now, and "Remove Filter" still ends the filtering.
    EXPECT_EQ(RemoveFilter(filter), FilterOutcome::RefreshListing);
    EXPECT_TRUE(filter.active.empty());
}

TEST(FilterList, FixedEntriesActAsCommands)
{
    PaneFilter filter = MakePaneFilter({L"doc"});
    Apply(filter, L"Doc");
    filter.boxText = L"[New]";
    EXPECT_EQ(ApplyFilter(filter), FilterOutcome::FocusFilterBox);
    EXPECT_TRUE(filter.boxText.empty());
    EXPECT_EQ(filter.active, L"doc") << "[New] only prepares the box";

    filter.boxText = L"[None]";
    EXPECT_EQ(RemoveFilter(filter), FilterOutcome::RefreshListing);
    EXPECT_TRUE(filter.active.empty());
    EXPECT_EQ(filter.entries, WithFixed({L"Doc", L"doc"})) << "fixed entries are never removed or added twice";

    Apply(filter, L"doc");
    filter.boxText = L"[None]";
    EXPECT_EQ(ApplyFilter(filter), FilterOutcome::RefreshListing);
    EXPECT_TRUE(filter.active.empty());
    EXPECT_TRUE(filter.boxText.empty());
}

TEST(FilterList, RemoveDropsTheTextAndTheFilter)
{
    PaneFilter filter = MakePaneFilter({L"a", L"b", L"c"});
    Apply(filter, L"b");
    EXPECT_EQ(RemoveFilter(filter), FilterOutcome::RefreshListing);
    EXPECT_EQ(filter.entries, WithFixed({L"a", L"c"}));
    EXPECT_TRUE(filter.boxText.empty());
    EXPECT_TRUE(filter.active.empty());

    filter.boxText = L"unlisted";
    RemoveFilter(filter);
    EXPECT_EQ(filter.entries, WithFixed({L"a", L"c"}));
}

TEST(FilterList, ApplyingEmptyTextKeepsTheFilter)
{
    PaneFilter filter = MakePaneFilter({});
    Apply(filter, L"x");
    Apply(filter, L"");
    EXPECT_EQ(filter.active, L"x");
    EXPECT_EQ(filter.entries, WithFixed({L"x"}));
}

TEST(FilterMatch, LowerCasedSubstringOfFileNames)
{
    PaneFilter filter = MakePaneFilter({});
    Apply(filter, L"TXT");
    EXPECT_TRUE(IsListedUnderFilter(filter.active, L"notes.txt", true));
    EXPECT_TRUE(IsListedUnderFilter(filter.active, L"TXT-readme", true));
    EXPECT_FALSE(IsListedUnderFilter(filter.active, L"notes.tx", true));
    EXPECT_TRUE(IsListedUnderFilter(filter.active, L"images", false)) << "folders stay visible";
    EXPECT_TRUE(IsListedUnderFilter(L"", L"anything", true));

    EXPECT_FALSE(IsListedUnderFilter(L"*.txt", L"notes.txt", true)) << "no wildcards";
    EXPECT_TRUE(IsListedUnderFilter(L"*.txt", L"odd*.TXT", true));
    // Only A-Z fold: other letters match in their own case.
    Apply(filter, L"\u00c9T\u00c9");
    EXPECT_TRUE(IsListedUnderFilter(filter.active, L"\u00c9t\u00c9.doc", true));
    EXPECT_FALSE(IsListedUnderFilter(filter.active, L"\u00e9t\u00e9.doc", true));
}

TEST(FilterWarning, AsksOnlyWithFilterTextAFolderAndNoOptOut)
{
    EXPECT_TRUE(NeedsFilterWarning(L"txt", false, true));
    EXPECT_FALSE(NeedsFilterWarning(L"", false, true));
    EXPECT_FALSE(NeedsFilterWarning(L"txt", true, true));
    EXPECT_FALSE(NeedsFilterWarning(L"txt", false, false));
    EXPECT_NE(FilterWarningText(PaneSide::Local).find(L"uploading"), std::wstring_view::npos);
    EXPECT_NE(FilterWarningText(PaneSide::Remote).find(L"All files contained in a folder"), std::wstring_view::npos);
}
