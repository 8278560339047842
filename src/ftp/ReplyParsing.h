#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A reply that goes on for more lines or bytes (line ends included) than
// these is abandoned, so that a server that never ends one cannot hold the
// program.
constexpr size_t kMaxReplyLines = 10000;
constexpr size_t kMaxReplyBytes = 1024 * 1024;

struct ReplyLine {
    uint16_t code = 0;  // the decimal number at the start; 0 without a leading digit
    std::string text;   // from the fifth character on, at most 255 bytes
};

// The code and text of the line that ends a reply.
ReplyLine ParseReplyLine(std::string_view line);

// Frames one reply line by line: a first line "ddd-" opens a multi-line reply
// that only a line beginning with the same three digits and a space ends;
// the lines between may hold anything. Any other first line is a reply of
// its own. Empty lines and lines beginning with a space before the first line
// are stray and skipped.
class ReplyFramer {
public:
    enum class State { NeedMore, Complete, TooLong };

    // Feeds the next line without its line end.
    State Feed(std::string_view line);

    // The line that ended the reply.
    const std::string& FinalLine() const { return final_; }
    // Whether stray lines came before the reply.
    bool HadStrayLines() const { return stray_; }
    // The lines before the final line, trailing spaces removed, empty ones
    // left out.
    std::vector<std::string> TakeEarlierLines() { return std::move(earlier_); }
    // The earlier lines, or the only line of a one-line reply.
    std::vector<std::string> TakeCollectedLines();

private:
    void Keep(std::string_view line);

    size_t lines_ = 0;
    bool started_ = false;
    bool stray_ = false;
    std::string terminator_;  // "ddd " of a multi-line reply
    std::string final_;
    std::vector<std::string> earlier_;
};

// The longest command line sent, CR LF included. 512 bytes is what servers
// widely accept; a server that cut a longer line would act on another name,
// so longer lines are refused before anything is sent.
constexpr size_t kMaxCommandLineBytes = 512;

// Why a command line must not be sent, empty when it may: one line holds one
// command, so CR, LF and NUL may stand only in its closing CR LF.
std::wstring CommandLineRefusal(std::string_view line);

// "VERB argument\r\n" with the whole UTF-8 argument.
std::string CommandLine(std::string_view verb, std::string_view utf8Argument);
std::string CommandLine(std::string_view verb);
