#include "app/cli/FtpUrl.h"

#include <utility>

#include "net/TextCodec.h"

namespace {

// %XX sequences are UTF-8 bytes; anything else is kept as it stands.
std::wstring PercentDecode(std::wstring_view text)
{
    std::wstring out;
    std::string bytes;
    auto flush = [&]() {
        out += Utf8ToWide(bytes);
        bytes.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 && HexDigitValue(text[i + 2]) >= 0) {
            bytes.push_back(static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2])));
            i += 2;
            continue;
        }
        flush();
        out.push_back(text[i]);
    }
    flush();
    return out;
}

// CR, LF and NUL would end or cut the command line that carries the text.
bool HoldsLineBreak(std::wstring_view text)
{
    return text.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos;
}

}  // namespace

bool LooksLikeUrl(std::wstring_view text)
{
    return text.find(L"://") != std::wstring_view::npos;
}

std::optional<FtpUrl> ParseFtpUrl(std::wstring_view text, std::wstring& error)
{
    FtpUrl url;
    size_t schemeEnd = text.find(L"://");
    if (schemeEnd == std::wstring_view::npos) {
        error = L"not a URL";
        return std::nullopt;
    }
    std::wstring scheme = AsciiLower(text.substr(0, schemeEnd));
    if (scheme == L"ftpes") {
        url.secure = true;
    } else if (scheme == L"ftps") {
        url.secure = url.implicit = true;
    } else if (scheme != L"ftp") {
        error = L"unknown scheme \"" + scheme + L"\" (use ftp://, ftpes:// or ftps://)";
        return std::nullopt;
    }
    std::wstring_view rest = text.substr(schemeEnd + 3);
    size_t slash = rest.find(L'/');
    std::wstring_view authority = rest.substr(0, slash);
    if (slash != std::wstring_view::npos)
        url.path = PercentDecode(rest.substr(slash));

    size_t at = authority.rfind(L'@');
    std::wstring_view hostPart = authority;
    url.user = L"anonymous";
    if (at != std::wstring_view::npos) {
        std::wstring_view credentials = authority.substr(0, at);
        hostPart = authority.substr(at + 1);
        size_t colon = credentials.find(L':');
        url.user = PercentDecode(credentials.substr(0, colon));
        if (colon != std::wstring_view::npos)
            url.password = PercentDecode(credentials.substr(colon + 1));
        if (url.user.empty())
            url.user = L"anonymous";
    }
    if (hostPart.empty() || hostPart.front() == L':') {
        error = L"the URL names no host";
        return std::nullopt;
    }
    size_t colon = hostPart.find(L':');
    if (colon != std::wstring_view::npos) {
        std::wstring_view port = hostPart.substr(colon + 1);
        bool digits = !port.empty() && port.size() <= 5;
        for (wchar_t c : port)
            digits = digits && c >= L'0' && c <= L'9';
        if (!digits || std::stoul(std::wstring(port)) > 65535) {
            error = L"bad port \"" + std::wstring(port) + L"\"";
            return std::nullopt;
        }
    }
    url.hostText = std::wstring(hostPart);
    for (auto [field, name] : {std::pair{&url.user, L"user name"}, {&url.password, L"password"}, {&url.path, L"path"}}) {
        if (HoldsLineBreak(*field)) {
            error = std::wstring(L"the ") + name + L" holds a line break or NUL character (%0D, %0A or %00)";
            return std::nullopt;
        }
    }
    return url;
}
