#include "store/SettingsFile.h"

#include "net/TextCodec.h"

namespace {

// Like atoi's test for zero, without its overflow: blanks, a sign, then
// digits; the number is non-zero when any of those digits is.
bool LeadingNumberIsNonZero(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (text[i] != '0')
            return true;
    return false;
}

}  // namespace

std::wstring FormatSettingsFile(const FtpOptionValues& values)
{
    std::wstring text;
    for (size_t i = 0; i < kFileFtpOptions.size(); ++i)
        text += std::wstring(kFileFtpOptions[i]) + (values[i] ? L":1\r\n" : L":0\r\n");
    return text;
}

void ReadSettingsLine(std::string_view line, FtpOptionsFound& found)
{
    for (size_t i = 0; i < kFileFtpOptions.size(); ++i) {
        std::string key = WideToUtf8(kFileFtpOptions[i]) + ":";
        size_t at = line.find(key);
        if (at != std::string_view::npos)
            found[i] = LeadingNumberIsNonZero(line.substr(at + key.size()));
    }
}
