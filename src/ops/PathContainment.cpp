#include "ops/PathContainment.h"

#include "ops/LocalNames.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

wchar_t FoldForPath(wchar_t c)
{
    if (IsSeparator(c))
        return L'\\';
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameRoot(std::wstring_view root, std::wstring_view text)
{
    for (size_t i = 0; i < root.size(); ++i)
        if (FoldForPath(root[i]) != FoldForPath(text[i]))
            return false;
    return true;
}

}  // namespace

bool IsInsideRoot(std::wstring_view root, std::wstring_view candidate)
{
    while (!root.empty() && IsSeparator(root.back()))
        root.remove_suffix(1);
    if (root.empty() || candidate.size() <= root.size() + 1 || !SameRoot(root, candidate) ||
        !IsSeparator(candidate[root.size()]))
        return false;
    std::wstring_view rest = candidate.substr(root.size() + 1);
    if (IsSeparator(rest.back()))
        rest.remove_suffix(1);
    while (true) {
        size_t separator = rest.find_first_of(L"\\/");
        if (!LocalNameRefusal(rest.substr(0, separator)).empty())
            return false;
        if (separator == std::wstring_view::npos)
            return true;
        rest.remove_prefix(separator + 1);
    }
}
