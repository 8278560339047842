#include "ftp/ListingTokens.h"

#include "net/TextCodec.h"

namespace {

bool IsSeparator(char c, ListingTokens::Separators separators)
{
    auto byte = static_cast<unsigned char>(c);
    if (separators == ListingTokens::Separators::SpaceAndControls)
        return byte <= ' ';
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

ListingTokens::ListingTokens(std::string_view line, Separators separators)
    : line_(line.substr(0, kMaxTextUnits))
{
    size_t i = 0;
    while (i < line_.size()) {
        while (i < line_.size() && IsSeparator(line_[i], separators))
            ++i;
        size_t start = i;
        while (i < line_.size() && !IsSeparator(line_[i], separators))
            ++i;
        if (i > start)
            words_.push_back(line_.substr(start, i - start));
    }
}

std::string_view ListingTokens::operator[](size_t index) const
{
    return index < words_.size() ? words_[index] : std::string_view();
}

std::string_view ListingTokens::RestFrom(size_t index) const
{
    if (index >= words_.size())
        return {};
    return line_.substr(static_cast<size_t>(words_[index].data() - line_.data()));
}

bool StartsLikeUnixPermissions(std::string_view token)
{
    return !token.empty() && std::string_view("-bcdlps").find(token[0]) != std::string_view::npos;
}

std::string_view TrimTrailing(std::string_view text, std::string_view bytes)
{
    while (!text.empty() && bytes.find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    return text;
}
