#include "ftp/PasvReply.h"

namespace {

constexpr int kNumbers = 6;
constexpr int kBeyondAByte = 256;

bool IsDigitAt(std::string_view text, size_t i)
{
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

void SkipSpaces(std::string_view text, size_t& i)
{
    while (i < text.size() && text[i] == ' ')
        ++i;
}

// The decimal number at text[i]; values beyond a byte all read as 256.
int ReadNumber(std::string_view text, size_t& i)
{
    int value = 0;
    for (; IsDigitAt(text, i); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kBeyondAByte)
            value = kBeyondAByte;
    }
    return value;
}

// Reads the run of comma-joined numbers that starts at text[i], leaving i
// after its last number; the first kNumbers go to numbers. Returns the count.
int ReadNumberRun(std::string_view text, size_t& i, int (&numbers)[kNumbers])
{
    int count = 0;
    for (;;) {
        int value = ReadNumber(text, i);
        if (count < kNumbers)
            numbers[count] = value;
        ++count;
        size_t next = i;
        SkipSpaces(text, next);
        if (next >= text.size() || text[next] != ',')
            return count;
        ++next;
        SkipSpaces(text, next);
        if (!IsDigitAt(text, next))
            return count;
        i = next;
    }
}

}  // namespace

std::optional<PasvEndpoint> ParsePasvReply(std::string_view replyText)
{
    for (size_t i = 0; i < replyText.size(); ++i) {
        if (!IsDigitAt(replyText, i))
            continue;
        int numbers[kNumbers];
        if (ReadNumberRun(replyText, i, numbers) < kNumbers)
            continue;
        PasvEndpoint endpoint;
        for (int n = 0; n < kNumbers; ++n) {
            if (numbers[n] >= kBeyondAByte)
                return std::nullopt;
        }
        for (int n = 0; n < 4; ++n)
            endpoint.address[n] = static_cast<uint8_t>(numbers[n]);
        endpoint.port = static_cast<uint16_t>((numbers[4] << 8) | numbers[5]);
        return endpoint;
    }
    return std::nullopt;
}
