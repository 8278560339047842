#include "ftp/ReplyParsing.h"

namespace {

constexpr size_t kMaxReplyText = 255;
// Verbs are short words of letters; anything else is not named in a refusal.
constexpr size_t kMaxVerbLetters = 8;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view WithoutTrailingSpaces(std::string_view line)
{
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    return line;
}

bool OpensMultiLineReply(std::string_view line)
{
    return line.size() >= 4 && IsDigit(line[0]) && IsDigit(line[1]) && IsDigit(line[2]) && line[3] == '-';
}

// "The DELE command", or "The command" when the line does not begin with a
// verb: only letters are repeated in a message, never the argument.
std::wstring CommandName(std::string_view body)
{
    size_t letters = 0;
    while (letters < body.size() && letters <= kMaxVerbLetters && IsLetter(body[letters]))
        ++letters;
    bool verbEnds = letters == body.size() || std::string_view(" \r\n\0", 4).find(body[letters]) != std::string_view::npos;
    if (letters == 0 || letters > kMaxVerbLetters || !verbEnds)
        return L"The command";
    return L"The " + std::wstring(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(letters)) + L" command";
}

}  // namespace

ReplyLine ParseReplyLine(std::string_view line)
{
    ReplyLine reply;
    uint32_t code = 0;
    for (size_t i = 0; i < line.size() && IsDigit(line[i]) && code <= 0xFFFF; ++i)
        code = code * 10 + static_cast<uint32_t>(line[i] - '0');
    reply.code = code > 0xFFFF ? 0xFFFF : static_cast<uint16_t>(code);
    if (line.size() > 4)
        reply.text = std::string(line.substr(4, kMaxReplyText));
    return reply;
}

ReplyFramer::State ReplyFramer::Feed(std::string_view line)
{
    if (++lines_ > kMaxReplyLines)
        return State::TooLong;
    if (!started_) {
        if (line.empty() || line[0] == ' ') {
            stray_ = true;
            return State::NeedMore;
        }
        started_ = true;
        if (OpensMultiLineReply(line)) {
            terminator_ = std::string(line.substr(0, 3)) + ' ';
            Keep(line);
            return State::NeedMore;
        }
        final_ = line;
        return State::Complete;
    }
    if (line.starts_with(terminator_)) {
        final_ = line;
        return State::Complete;
    }
    Keep(line);
    return State::NeedMore;
}

void ReplyFramer::Keep(std::string_view line)
{
    line = WithoutTrailingSpaces(line);
    if (!line.empty())
        earlier_.emplace_back(line);
}

std::vector<std::string> ReplyFramer::TakeCollectedLines()
{
    if (terminator_.empty())
        Keep(final_);
    return std::move(earlier_);
}

std::wstring CommandLineRefusal(std::string_view line)
{
    std::string_view body = line.ends_with("\r\n") ? line.substr(0, line.size() - 2) : line;
    if (body.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return CommandName(body) + L" was not sent: its name or path holds a line break or NUL character.";
    if (line.size() > kMaxCommandLineBytes)
        return CommandName(body) + L" was not sent: with its name or path it would be longer than the " +
               std::to_wstring(kMaxCommandLineBytes) + L" bytes a server is sure to accept.";
    return {};
}

std::string CommandLine(std::string_view verb, std::string_view utf8Argument)
{
    std::string line(verb);
    line += ' ';
    line += utf8Argument;
    line += "\r\n";
    return line;
}

std::string CommandLine(std::string_view verb)
{
    return std::string(verb) + "\r\n";
}
