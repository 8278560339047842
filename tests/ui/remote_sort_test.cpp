#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ui/LogicalOrder.h"
#include "ui/RemoteSort.h"

namespace {

RemoteRow Row(RemoteKind kind, const std::wstring& name, uint64_t size = 0, int64_t modified = 0)
{
    RemoteRow row;
    row.kind = kind;
    row.name = name;
    row.size = size;
    row.modified = modified;
    return row;
}

RemoteRow File(const std::wstring& name, uint64_t size = 0, int64_t modified = 0)
{
    return Row(RemoteKind::File, name, size, modified);
}

RemoteRow Folder(const std::wstring& name, int64_t modified = 0)
{
    return Row(RemoteKind::Folder, name, 0, modified);
}

std::vector<std::wstring> Names(const std::vector<RemoteRow>& rows)
{
    std::vector<std::wstring> names;
    for (const RemoteRow& row : rows)
        names.push_back(row.name);
    return names;
}

std::vector<std::wstring> Sorted(std::vector<RemoteRow> rows, RemoteColumn column, bool ascending)
{
    SortRemoteRows(rows, {column, ascending});
    return Names(rows);
}

using Strings = std::vector<std::wstring>;

}  // namespace

TEST(LogicalOrder, DigitRunsCompareByValueAndCaseDoesNotCount)
{
    EXPECT_LT(CompareLogical(L"file9", L"file10"), 0);
    EXPECT_GT(CompareLogical(L"file10", L"file9"), 0);
    EXPECT_LT(CompareLogical(L"a2b3", L"a2b12"), 0);
    EXPECT_EQ(CompareLogical(L"README", L"readme"), 0);
    EXPECT_EQ(CompareLogical(L"\u00C4rger", L"\u00E4rger"), 0);
    EXPECT_EQ(CompareLogical(L"\u0416\u0401", L"\u0436\u0451"), 0);
    EXPECT_EQ(CompareLogical(L"a007", L"a7"), 0);
    EXPECT_LT(CompareLogical(L"abc", L"abcd"), 0);
    EXPECT_GT(CompareLogical(L"b", L"A"), 0);
    EXPECT_LT(CompareLogical(L"", L"a"), 0);
    EXPECT_LT(CompareLogical(L"x99999999999999999999999", L"x100000000000000000000000"), 0);
}

// The keys the sort compares must order every pair as CompareLogical does:
// names of digits (with leading zeros and long runs), letters in both cases,
// and characters on either side of the digits.
TEST(LogicalOrder, KeysOrderAsTheComparisonDoes)
{
    const std::wstring alphabet = L"0019aAzZ.-_ \u00C4\u00E4\u0416\u0436";
    std::mt19937 random(7);
    auto name = [&] {
        std::wstring text;
        size_t length = random() % 7;
        for (size_t k = 0; k < length; ++k)
            text.push_back(alphabet[random() % alphabet.size()]);
        return text;
    };
    auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (int round = 0; round < 20000; ++round) {
        std::wstring a = name();
        std::wstring b = name();
        std::wstring keyA;
        std::wstring keyB;
        AppendLogicalKey(a, keyA);
        AppendLogicalKey(b, keyB);
        ASSERT_EQ(sign(keyA.compare(keyB)), sign(CompareLogical(a, b))) << "\"" << std::string(a.begin(), a.end())
                                                                        << "\" against \"" << std::string(b.begin(), b.end()) << "\"";
    }
    std::wstring longRun;
    AppendLogicalKey(std::wstring(300, L'7'), longRun);
    std::wstring shortRun;
    AppendLogicalKey(std::wstring(299, L'9'), shortRun);
    EXPECT_GT(longRun.compare(shortRun), 0);
}

TEST(RemoteSort, StoredColumnNumbers)
{
    EXPECT_EQ(RemoteColumnFromSetting(0), RemoteColumn::Name);
    EXPECT_EQ(RemoteColumnFromSetting(3), RemoteColumn::Date);
    EXPECT_EQ(RemoteColumnFromSetting(6), RemoteColumn::Group);
    EXPECT_EQ(RemoteColumnFromSetting(7), RemoteColumn::Name);
    EXPECT_EQ(RemoteColumnFromSetting(-1), RemoteColumn::Name);
    for (int i = 0; i < kRemoteColumnCount; ++i)
        EXPECT_EQ(RemoteColumnSetting(RemoteColumnFromSetting(i)), i);
}

TEST(RemoteSort, HeaderClickFlipsOnlyTheSortColumn)
{
    RemoteSortOrder order;
    order = AfterHeaderClick(order, RemoteColumn::Name);
    EXPECT_EQ(order.column, RemoteColumn::Name);
    EXPECT_FALSE(order.ascending);
    order = AfterHeaderClick(order, RemoteColumn::Size);  // another column keeps the direction
    EXPECT_EQ(order.column, RemoteColumn::Size);
    EXPECT_FALSE(order.ascending);
    order = AfterHeaderClick(order, RemoteColumn::Size);
    EXPECT_TRUE(order.ascending);
    order = AfterHeaderClick(order, RemoteColumn::Date);
    EXPECT_EQ(order.column, RemoteColumn::Date);
    EXPECT_TRUE(order.ascending);
}

TEST(RemoteSort, FoldersComeFirstInBothDirections)
{
    std::vector<RemoteRow> rows = {File(L"b.txt"), Folder(L"zeta"), Row(RemoteKind::Link, L"link"), Folder(L"alpha"),
                                   File(L"a.txt")};
    EXPECT_EQ(Sorted(rows, RemoteColumn::Name, true), (Strings{L"alpha", L"zeta", L"a.txt", L"b.txt", L"link"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Name, false), (Strings{L"zeta", L"alpha", L"link", L"b.txt", L"a.txt"}));
    // "Link" after "File"; folders of equal type keep their order.
    EXPECT_EQ(Sorted(rows, RemoteColumn::Type, true), (Strings{L"zeta", L"alpha", L"b.txt", L"a.txt", L"link"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Type, false), (Strings{L"zeta", L"alpha", L"link", L"b.txt", L"a.txt"}));
}

TEST(RemoteSort, SizesByTheirKilobyteText)
{
    // 9 KB and 10 KB: a shorter text first; 1,000 KB after 999 KB; 1,025 bytes is already 2 KB.
    std::vector<RemoteRow> rows = {File(L"ten", 10 * 1024),      File(L"nine", 9 * 1024), Folder(L"dir"),
                                   File(L"k1000", 1000 * 1024),  File(L"k999", 999 * 1024),
                                   File(L"two", 1025),           File(L"one", 1024)};
    EXPECT_EQ(Sorted(rows, RemoteColumn::Size, true),
              (Strings{L"dir", L"one", L"two", L"nine", L"ten", L"k999", L"k1000"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Size, false),
              (Strings{L"dir", L"k1000", L"k999", L"ten", L"nine", L"two", L"one"}));
}

TEST(RemoteSort, SizesInOneKilobyteAreEqualAndKeepTheirOrder)
{
    std::vector<RemoteRow> rows = {File(L"c", 1000), File(L"a", 1), File(L"b", 1024), File(L"zero", 0)};
    EXPECT_EQ(Sorted(rows, RemoteColumn::Size, true), (Strings{L"zero", L"c", L"a", L"b"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Size, false), (Strings{L"c", L"a", L"b", L"zero"}));
}

TEST(RemoteSort, DatesByModificationTime)
{
    std::vector<RemoteRow> rows = {File(L"new", 0, 2000000000), File(L"old", 0, 1000000000), Folder(L"d2", 5),
                                   Folder(L"d1", 3), File(L"mid", 0, 1500000000)};
    EXPECT_EQ(Sorted(rows, RemoteColumn::Date, true), (Strings{L"d1", L"d2", L"old", L"mid", L"new"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Date, false), (Strings{L"d2", L"d1", L"new", L"mid", L"old"}));
}

TEST(RemoteSort, DigitsAndDotsCompareAsNumbersOtherTextsLogically)
{
    // As numbers 1.5 is above 1.10; logically "1.10" would come after "1.5".
    std::vector<RemoteRow> rows = {File(L"1.5"), File(L"1.10"), File(L"2"), File(L"10")};
    EXPECT_EQ(Sorted(rows, RemoteColumn::Name, true), (Strings{L"1.10", L"1.5", L"2", L"10"}));

    rows = {File(L"v1.10a"), File(L"v1.5a"), File(L"File2"), File(L"file10")};
    EXPECT_EQ(Sorted(rows, RemoteColumn::Name, true), (Strings{L"File2", L"file10", L"v1.5a", L"v1.10a"}));

    std::vector<RemoteRow> owned = {File(L"a"), File(L"b"), File(L"c")};
    owned[0].owner = L"1000";
    owned[1].owner = L"33";
    owned[2].owner = L"Root";
    EXPECT_EQ(Sorted(owned, RemoteColumn::Owner, true), (Strings{L"b", L"a", L"c"}));
    EXPECT_EQ(Sorted(owned, RemoteColumn::Owner, false), (Strings{L"c", L"a", L"b"}));
}

TEST(RemoteSort, EqualKeysKeepTheirOrderInBothDirections)
{
    std::vector<RemoteRow> rows = {File(L"x"), File(L"y"), File(L"z"), File(L"w")};
    rows[0].permissions = rows[1].permissions = rows[3].permissions = L"-rw-r--r--";
    rows[2].permissions = L"-rwxr-xr-x";
    EXPECT_EQ(Sorted(rows, RemoteColumn::Permissions, true), (Strings{L"x", L"y", L"w", L"z"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Permissions, false), (Strings{L"z", L"x", L"y", L"w"}));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Type, false), (Strings{L"x", L"y", L"z", L"w"}));
}

TEST(RemoteSort, ManyRowsEndInOrderWithNothingLost)
{
    std::vector<RemoteRow> rows;
    for (int i = 0; i < 100000; ++i) {
        int n = (i * 7919) % 100000;
        rows.push_back(n % 10 == 0 ? Folder(L"dir" + std::to_wstring(n)) : File(L"file" + std::to_wstring(n), n));
    }
    SortRemoteRows(rows, {RemoteColumn::Name, true});
    ASSERT_EQ(rows.size(), 100000u);
    EXPECT_EQ(rows.front().name, L"dir0");
    EXPECT_EQ(rows[9999].name, L"dir99990");
    EXPECT_EQ(rows[10000].name, L"file1");
    EXPECT_EQ(rows.back().name, L"file99999");
    for (size_t i = 1; i < rows.size(); ++i) {
        bool sameKind = rows[i - 1].kind == rows[i].kind;
        ASSERT_TRUE(!sameKind || CompareLogical(rows[i - 1].name, rows[i].name) < 0) << i;
    }
}

// A listing that comes in name order is left as it is; one row out of place
// at its end, or a folder among files, still sorts the whole.
TEST(RemoteSort, AListingAlmostInOrderEndsInOrder)
{
    std::vector<RemoteRow> rows;
    for (int i = 1; i <= 1000; ++i)
        rows.push_back(File(L"f" + std::to_wstring(i)));
    EXPECT_EQ(Sorted(rows, RemoteColumn::Name, true), Names(rows));
    std::vector<std::wstring> descending = Sorted(rows, RemoteColumn::Name, false);
    EXPECT_EQ(descending.front(), L"f1000");
    EXPECT_EQ(descending.back(), L"f1");

    rows.push_back(File(L"e"));
    std::vector<std::wstring> names = Sorted(rows, RemoteColumn::Name, true);
    EXPECT_EQ(names.front(), L"e");
    EXPECT_EQ(names.back(), L"f1000");

    rows.push_back(Folder(L"z"));
    names = Sorted(rows, RemoteColumn::Name, true);
    EXPECT_EQ(names[0], L"z");
    EXPECT_EQ(names[1], L"e");
    EXPECT_EQ(names[2], L"f1");
}
