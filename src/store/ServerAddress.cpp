#include "store/ServerAddress.h"

#include <optional>
#include <vector>

#include "net/TextCodec.h"

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsHostChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || IsDigit(c) || c == L'-' || c == L'.' ||
           c == L':' || c == L'_' || c == L'~';
}

bool AllHostChars(std::wstring_view text)
{
    for (wchar_t c : text)
        if (!IsHostChar(c))
            return false;
    return true;
}

// The first four dot-separated pieces that start with a digit, each with a
// leading number of at most 255, joined again; later pieces are dropped, so
// "1.2.3.4.5" gives "1.2.3.4" and "1.2.3.4:21" keeps its port.
std::optional<std::wstring> DottedAddress(std::wstring_view text)
{
    std::vector<std::wstring_view> pieces;
    size_t start = 0;
    while (pieces.size() < 4) {
        size_t dot = text.find(L'.', start);
        std::wstring_view piece = text.substr(start, dot == std::wstring_view::npos ? text.npos : dot - start);
        if (!piece.empty() && IsDigit(piece[0])) {
            int value = 0;
            for (size_t i = 0; i < piece.size() && IsDigit(piece[i]); ++i) {
                value = value * 10 + (piece[i] - L'0');
                if (value > 255)
                    return std::nullopt;
            }
            pieces.push_back(piece);
        }
        if (dot == std::wstring_view::npos)
            break;
        start = dot + 1;
    }
    if (pieces.size() < 4)
        return std::nullopt;
    std::wstring joined;
    for (std::wstring_view piece : pieces) {
        if (!joined.empty())
            joined += L'.';
        joined += piece;
    }
    // Anything else in a piece ("1.2.3.4/pub", "1.2.3.4\x") cannot be part of
    // a server name (nor of a registry key name); let the host-name rule cut it.
    if (!AllHostChars(joined))
        return std::nullopt;
    return joined;
}

// The run of host characters around the last dot of the host part: after a
// "scheme://" and before the path, so that a dot in a pasted path
// ("ftp://ftp.example.com/pub/readme.txt") does not pick the wrong run.
std::optional<std::wstring> HostName(const std::wstring& text)
{
    std::wstring lower = AsciiLower(text);
    size_t scheme = lower.find(L"://");
    size_t regionStart = scheme == std::wstring::npos ? 0 : scheme + 3;
    size_t regionEnd = lower.find(L'/', regionStart);
    if (regionEnd == std::wstring::npos)
        regionEnd = lower.size();
    if (regionEnd == regionStart)
        return std::nullopt;
    size_t dot = lower.rfind(L'.', regionEnd - 1);
    if (dot == std::wstring::npos || dot < regionStart)
        return std::nullopt;
    size_t begin = dot;
    while (begin > 0 && IsHostChar(lower[begin - 1]))
        --begin;
    size_t end = dot + 1;
    while (end < lower.size() && IsHostChar(lower[end]))
        ++end;
    if (begin == dot || end == dot + 1)
        return std::nullopt;
    return lower.substr(begin, end - begin);
}

}  // namespace

bool NormalizeServerAddress(std::wstring& text)
{
    std::wstring trimmed = TrimSpaces(text);
    if (trimmed.empty())
        return false;
    size_t lastDot = trimmed.rfind(L'.');
    if (lastDot == std::wstring::npos || lastDot == 0)
        return false;
    std::optional<std::wstring> server;
    if (IsDigit(trimmed[0]))
        server = DottedAddress(trimmed);
    if (!server)
        server = HostName(trimmed);
    if (!server)
        return false;
    text = *server;
    return true;
}

ServerField SplitServerField(std::wstring_view field)
{
    std::wstring text = TrimSpaces(field);
    size_t scheme = text.find(L"://");
    if (scheme != std::wstring::npos)
        text.erase(0, scheme + 3);
    ServerField result;
    // The path is split off before the port is dropped, so that a colon in
    // the path does not cut the host short.
    size_t slash = text.find(L'/');
    if (slash != std::wstring::npos) {
        result.remotePath = TrimSpaces(std::wstring_view(text).substr(slash));
        text.resize(slash);
    }
    size_t colon = text.rfind(L':');
    if (colon != std::wstring::npos)
        text.resize(colon);
    result.host = text;
    return result;
}

std::wstring JoinServerPort(std::wstring_view host, std::wstring_view port)
{
    std::wstring server(host);
    if (!port.empty()) {
        server += L':';
        server += port;
    }
    return server;
}
