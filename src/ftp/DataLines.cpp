#include "ftp/DataLines.h"

#include <algorithm>

#include "net/TextCodec.h"

void DataLineSplitter::Feed(std::string_view block, std::vector<std::string>& out)
{
    size_t at = 0;
    while (at < block.size()) {
        // The text up to the next line end goes in as one piece.
        size_t end = at;
        while (end < block.size() && block[end] != '\r' && block[end] != '\n')
            ++end;
        if (end > at) {
            separator_ = 0;
            size_t room = kMaxTextUnits - std::min(line_.size(), kMaxTextUnits);
            line_.append(block.substr(at, std::min(room, end - at)));
            lineLength_ += end - at;
        }
        if (end == block.size())
            break;
        char c = block[end];
        at = end + 1;
        // The second half of a CR LF or LF CR pair ends nothing more.
        if (separator_ != 0 && c != separator_ && lineLength_ == 0) {
            separator_ = 0;
            continue;
        }
        EndLine(out);
        separator_ = c;
    }
}

void DataLineSplitter::Finish(std::vector<std::string>& out)
{
    EndLine(out);
    separator_ = 0;
}

void DataLineSplitter::EndLine(std::vector<std::string>& out)
{
    if (!line_.empty())
        out.push_back(std::move(line_));
    line_.clear();
    lineLength_ = 0;
}
