#include "ftp/PasvReply.h"

namespace {

// The decimal number at text[i], after leading spaces; -1 when there is none
// or it is above 255.
int ReadByteNumber(std::string_view text, size_t& i)
{
    while (i < text.size() && text[i] == ' ')
        ++i;
    int value = -1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = (value < 0 ? 0 : value) * 10 + (text[i] - '0');
        if (value > 255)
            return -1;
        ++i;
    }
    return value;
}

}  // namespace

std::optional<PasvEndpoint> ParsePasvReply(std::string_view replyText)
{
    size_t i = replyText.find('(');
    if (i == std::string_view::npos)
        return std::nullopt;
    ++i;
    int numbers[6];
    for (int n = 0; n < 6; ++n) {
        if (n > 0) {
            i = replyText.find(',', i);
            if (i == std::string_view::npos)
                return std::nullopt;
            ++i;
        }
        numbers[n] = ReadByteNumber(replyText, i);
        if (numbers[n] < 0)
            return std::nullopt;
    }
    PasvEndpoint endpoint;
    for (int n = 0; n < 4; ++n)
        endpoint.address[n] = static_cast<uint8_t>(numbers[n]);
    endpoint.port = static_cast<uint16_t>((numbers[4] << 8) | numbers[5]);
    return endpoint;
}
