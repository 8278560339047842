#include "net/HostText.h"

#include "net/TextCodec.h"

HostAndPort SplitHostText(std::wstring_view hostText, uint16_t defaultPort)
{
    HostAndPort result;
    std::wstring text = CutText(hostText);
    size_t colon = text.find(L':');
    if (colon == std::wstring::npos) {
        result.host = text;
        result.port = defaultPort;
        return result;
    }
    result.host = text.substr(0, colon);
    uint32_t port = 0;
    for (size_t i = colon + 1; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        port = port * 10 + static_cast<uint32_t>(text[i] - L'0');
        if (port > 0xFFFF) {
            port = 0;  // out of range: no usable port
            break;
        }
    }
    result.port = static_cast<uint16_t>(port);
    return result;
}
