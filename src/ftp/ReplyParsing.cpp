#include "ftp/ReplyParsing.h"

#include "net/TextCodec.h"

namespace {

constexpr size_t kMaxReplyText = 255;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::vector<std::string_view> SplitReplyPieces(std::string_view line)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c != '\r' && c != '\n')
            continue;
        pieces.push_back(line.substr(start, i - start));
        // CR LF and LF CR are one separator.
        if (i + 1 < line.size() && (line[i + 1] == '\r' || line[i + 1] == '\n') && line[i + 1] != c)
            ++i;
        start = i + 1;
    }
    pieces.push_back(line.substr(start));
    return pieces;
}

std::optional<FinalReplyLine> ParseFinalReplyLine(std::string_view piece)
{
    if (piece.empty() || piece[0] == ' ')
        return std::nullopt;
    if (piece.size() >= 4 && piece[3] == '-')
        return std::nullopt;
    FinalReplyLine reply;
    uint32_t code = 0;
    for (size_t i = 0; i < piece.size() && IsDigit(piece[i]) && code <= 0xFFFF; ++i)
        code = code * 10 + static_cast<uint32_t>(piece[i] - '0');
    reply.code = code > 0xFFFF ? 0xFFFF : static_cast<uint16_t>(code);
    if (piece.size() > 4)
        reply.text = std::string(piece.substr(4, kMaxReplyText));
    return reply;
}

ReplyCollector::State ReplyCollector::Feed(std::string_view line)
{
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    if (lines_.empty()) {
        if (line.empty())
            return State::Failed;
        int code = 0;
        for (size_t i = 0; i < 3 && i < line.size() && IsDigit(line[i]); ++i)
            code = code * 10 + (line[i] - '0');
        positive_ = code >= 200 && code <= 399;
        terminator_ = std::string(line.substr(0, 3)) + " ";
        lines_.emplace_back(line);
        if (line.starts_with(terminator_) || line.size() == 3)
            return positive_ ? State::Ok : State::Failed;
        // A negative multi-line answer is not read to its end.
        return positive_ ? State::NeedMore : State::Failed;
    }
    if (line.empty())
        return State::NeedMore;
    if (line.starts_with(terminator_) || line == terminator_.substr(0, 3))
        return State::Ok;
    lines_.emplace_back(line);
    return State::NeedMore;
}

std::string CommandLine(std::string_view verb, std::string_view utf8Argument)
{
    std::string line(verb);
    line += ' ';
    line += CutUtf8(utf8Argument, kMaxTextUnits);
    line += "\r\n";
    return line;
}

std::string CommandLine(std::string_view verb)
{
    return std::string(verb) + "\r\n";
}
