#include "ftp/RemoteNames.h"

#include "net/TextCodec.h"

namespace {

size_t LastSeparator(std::string_view path)
{
    return path.find_last_of("/\\");
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string ParentFolder(std::string_view path)
{
    size_t separator = LastSeparator(path);
    if (separator == std::string_view::npos)
        return {};
    if (separator == 0)
        return "/";
    return std::string(path.substr(0, separator));
}

std::string_view FileNamePart(std::string_view path)
{
    size_t separator = LastSeparator(path);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool MatchesWildcard(std::string_view pattern, std::string_view text)
{
    // Greedy matching that returns to the last '*' on a mismatch: linear in
    // practice and never recursive.
    size_t p = 0, t = 0;
    size_t starAt = std::string_view::npos, textAtStar = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(text[t]))) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            textAtStar = t;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            t = ++textAtStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool ListedNameIs(const ListingLine& line, std::string_view path)
{
    std::string_view name = line.name;
    if (line.isLink)
        name = name.substr(0, name.find(" -> "));
    return !name.empty() && (name == path || name == FileNamePart(path));
}

std::wstring_view OwnName(const RemoteEntry& entry)
{
    std::wstring_view name = entry.name;
    return entry.isLink ? name.substr(0, name.find(L" -> ")) : name;
}

std::wstring JoinRemotePath(std::wstring_view folder, std::wstring_view name)
{
    std::wstring path(folder);
    if (path.empty() || path.back() != L'/')
        path += L'/';
    return path.append(name);
}

std::wstring_view SuspiciousNameReason(std::wstring_view name)
{
    if (name.find_first_of(L"/\\") != std::wstring_view::npos)
        return L"the name holds \"/\" or \"\\\"";
    if (name.size() == 2 && IsAsciiLetter(name[0]) && name[1] == L':')
        return L"the name is a drive name";
    if (name.size() > kMaxTextUnits)
        return L"the name is longer than 259 characters";
    return {};
}
