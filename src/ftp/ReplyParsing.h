#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits a received line at every CR, LF, CR LF or LF CR: a server that ends
// its lines with a bare LF delivers several reply lines in one read. Empty
// pieces are kept (they are continuation lines).
std::vector<std::string_view> SplitReplyPieces(std::string_view line);

struct FinalReplyLine {
    uint16_t code = 0;  // the decimal number at the start; 0 without a leading digit
    std::string text;   // from the fifth character on, at most 255 bytes
};

// The final line of a reply is any piece that is not empty, does not begin
// with a space and does not have '-' as its fourth character.
std::optional<FinalReplyLine> ParseFinalReplyLine(std::string_view piece);

// Reads a multi-line answer line by line (FEAT, MLST, SIZE, MDTM queries).
class ReplyCollector {
public:
    enum class State { NeedMore, Ok, Failed };

    // Feeds the next line (without its line end); trailing spaces are removed.
    State Feed(std::string_view line);
    // The first line and every continuation line, not the final line.
    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string> TakeLines() { return std::move(lines_); }

private:
    std::vector<std::string> lines_;
    std::string terminator_;
    bool positive_ = false;
};

// "VERB argument\r\n": the argument is UTF-8 cut to 259 bytes; the line always
// keeps its CR LF.
std::string CommandLine(std::string_view verb, std::string_view utf8Argument);
std::string CommandLine(std::string_view verb);
