#include "ui/RemoteSort.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "ui/LogicalOrder.h"
#include "ui/RemoteColumnText.h"

namespace {

// What a row is compared by, worked out once per row so that a large folder
// sorts without work or allocation in the comparison.
struct SortKey {
    size_t index = 0;
    bool folder = false;
    std::wstring_view logical;  // Name, Type, Permissions, Owner, Group: the text's logical key
    size_t logicalStart = 0;    // where that key lies among all the keys
    size_t logicalLength = 0;
    bool numeric = false;       // the text is only digits and "."
    double number = 0;
    uint64_t kilobytes = 0;  // Size
    int64_t modified = 0;    // Date
};

// "12.5" as 12.5; "1.2.3" as 1.2 (the digits after a second "." do not count).
bool ReadNumber(std::wstring_view text, double& number)
{
    if (text.empty() || text.find_first_not_of(L"0123456789.") != std::wstring_view::npos)
        return false;
    number = 0;
    double scale = 0;  // 0 before the first "."
    for (wchar_t c : text) {
        if (c == L'.') {
            if (scale != 0)
                break;
            scale = 1;
            continue;
        }
        if (scale == 0) {
            number = number * 10 + (c - L'0');
        } else {
            scale /= 10;
            number += (c - L'0') * scale;
        }
    }
    return true;
}

SortKey MakeKey(const RemoteRow& row, size_t index, RemoteColumn column, std::wstring& logicalKeys)
{
    SortKey key;
    key.index = index;
    key.folder = row.kind == RemoteKind::Folder;
    switch (column) {
    case RemoteColumn::Size:
        key.kilobytes = RemoteKilobytes(row.size);
        break;
    case RemoteColumn::Date:
        key.modified = row.modified;
        break;
    default: {
        std::wstring_view text = RemoteTextField(row, column);
        key.numeric = ReadNumber(text, key.number);
        key.logicalStart = logicalKeys.size();
        AppendLogicalKey(text, logicalKeys);
        key.logicalLength = logicalKeys.size() - key.logicalStart;
        break;
    }
    }
    return key;
}

template <typename T>
int Compare(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Sizes show as grouped kilobytes, so a shorter text is a smaller number and
// texts of one length compare as their numbers do. Only folders show no size,
// and they are never compared with files here.
int CompareColumn(const SortKey& a, const SortKey& b, RemoteColumn column)
{
    switch (column) {
    case RemoteColumn::Size:
        return Compare(a.kilobytes, b.kilobytes);
    case RemoteColumn::Date:
        return Compare(a.modified, b.modified);
    default:
        if (a.numeric && b.numeric)
            return Compare(a.number, b.number);
        return a.logical.compare(b.logical);
    }
}

bool Before(const SortKey& a, const SortKey& b, RemoteSortOrder order)
{
    if (a.folder != b.folder)
        return a.folder;
    int compared = CompareColumn(a, b, order.column);
    return order.ascending ? compared < 0 : compared > 0;
}

// Whether no row should come before the one above it: servers mostly list in
// name order already, and the keys of a whole large folder would cost far
// more fresh memory than this walk, which keeps two keys at a time.
bool InOrder(const std::vector<RemoteRow>& rows, RemoteSortOrder order)
{
    std::wstring texts[2];
    SortKey previous;
    for (size_t i = 0; i < rows.size(); ++i) {
        std::wstring& text = texts[i % 2];
        text.clear();
        SortKey key = MakeKey(rows[i], i, order.column, text);
        key.logical = text;
        if (i > 0 && Before(key, previous, order))
            return false;
        previous = key;
    }
    return true;
}

}  // namespace

RemoteColumn RemoteColumnFromSetting(int stored)
{
    return stored >= 0 && stored < kRemoteColumnCount ? static_cast<RemoteColumn>(stored) : RemoteColumn::Name;
}

int RemoteColumnSetting(RemoteColumn column)
{
    return static_cast<int>(column);
}

RemoteSortOrder AfterHeaderClick(RemoteSortOrder current, RemoteColumn clicked)
{
    if (clicked == current.column)
        current.ascending = !current.ascending;
    else
        current.column = clicked;
    return current;
}

void SortRemoteRows(std::vector<RemoteRow>& rows, RemoteSortOrder order)
{
    if (InOrder(rows, order))
        return;  // as the stable sort would leave them
    std::wstring logicalKeys;
    size_t textLength = 0;
    for (const RemoteRow& row : rows)
        textLength += RemoteTextField(row, order.column).size();
    logicalKeys.reserve(textLength * 2);  // a key is its text plus two units per run of digits
    std::vector<SortKey> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys.push_back(MakeKey(rows[i], i, order.column, logicalKeys));
    // The views are made once the keys' text no longer grows.
    for (SortKey& key : keys)
        key.logical = std::wstring_view(logicalKeys).substr(key.logicalStart, key.logicalLength);
    std::stable_sort(keys.begin(), keys.end(),
                     [order](const SortKey& a, const SortKey& b) { return Before(a, b, order); });
    // The rows move into their places by swaps along the permutation's cycles:
    // building a second vector of 100,000 rows cost more than the sort itself.
    std::vector<bool> placed(rows.size(), false);
    for (size_t start = 0; start < rows.size(); ++start) {
        if (placed[start])
            continue;
        size_t at = start;
        while (keys[at].index != start) {
            std::swap(rows[at], rows[keys[at].index]);
            placed[at] = true;
            at = keys[at].index;
        }
        placed[at] = true;
    }
}
