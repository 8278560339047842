#pragma once
#include <string_view>
#include <vector>

// The words of one listing line. The line is cut to its first 259 bytes before
// it is split, so every word and every rest of the line fits a record field.
// Reading past the last word gives an empty view, which no word is.
class ListingTokens {
public:
    enum class Separators {
        SpaceAndControls,  // every byte up to 32 (the nine-column form)
        Blanks,            // space, tab, CR and LF only
    };

    ListingTokens(std::string_view line, Separators separators);

    std::string_view operator[](size_t index) const;
    // The line from the start of word `index` to its end; empty past the last word.
    std::string_view RestFrom(size_t index) const;

private:
    std::string_view line_;
    std::vector<std::string_view> words_;
};

// True when a token starts like a Unix permissions column ('-', 'b', 'c',
// 'd', 'l', 'p' or 's').
bool StartsLikeUnixPermissions(std::string_view token);

// The text without any of `bytes` at its end.
std::string_view TrimTrailing(std::string_view text, std::string_view bytes);
