#include "ui/LogicalOrder.h"

#include <algorithm>
#include <cstddef>

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Upper case to lower case for the Latin, Greek and Cyrillic letters file
// names mostly use; the same on every platform, unlike the C library's.
wchar_t Fold(wchar_t c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return static_cast<wchar_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<wchar_t>(c + 0x50);
    return c;
}

struct DigitRun {
    size_t significant = 0;  // first digit after the leading zeros
    size_t end = 0;
};

DigitRun ReadDigits(std::wstring_view text, size_t at)
{
    DigitRun run;
    while (at < text.size() && text[at] == L'0')
        ++at;
    run.significant = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    run.end = at;
    return run;
}

int CompareRuns(std::wstring_view a, DigitRun x, std::wstring_view b, DigitRun y)
{
    size_t lengthA = x.end - x.significant;
    size_t lengthB = y.end - y.significant;
    if (lengthA != lengthB)
        return lengthA < lengthB ? -1 : 1;
    for (size_t k = 0; k < lengthA; ++k) {
        if (a[x.significant + k] != b[y.significant + k])
            return a[x.significant + k] < b[y.significant + k] ? -1 : 1;
    }
    return 0;
}

}  // namespace

int CompareLogical(std::wstring_view a, std::wstring_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            DigitRun x = ReadDigits(a, i);
            DigitRun y = ReadDigits(b, j);
            if (int order = CompareRuns(a, x, b, y))
                return order;
            i = x.end;
            j = y.end;
            continue;
        }
        wchar_t ca = Fold(a[i++]);
        wchar_t cb = Fold(b[j++]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    size_t restA = a.size() - i;
    size_t restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}

void AppendLogicalKey(std::wstring_view name, std::wstring& key)
{
    size_t i = 0;
    while (i < name.size()) {
        if (!IsDigit(name[i])) {
            key.push_back(Fold(name[i++]));
            continue;
        }
        // Any digit stands against a letter as "0" does; two runs meet at the
        // count, so a longer number is the larger one.
        DigitRun run = ReadDigits(name, i);
        size_t significant = run.end - run.significant;
        key.push_back(L'0');
        key.push_back(static_cast<wchar_t>(std::min<size_t>(significant, 0xFFFF)));
        key.append(name.substr(run.significant, significant));
        i = run.end;
    }
}
