#include "ftp/DataLines.h"

#include "net/TextCodec.h"

void DataLineSplitter::Feed(std::string_view block, std::vector<std::string>& out)
{
    for (char c : block) {
        if (c == '\r' || c == '\n') {
            // The second half of a CR LF or LF CR pair ends nothing more.
            if (separator_ != 0 && c != separator_ && lineLength_ == 0) {
                separator_ = 0;
                continue;
            }
            EndLine(out);
            separator_ = c;
            continue;
        }
        separator_ = 0;
        if (line_.size() < kMaxTextUnits)
            line_.push_back(c);
        ++lineLength_;
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
