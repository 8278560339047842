#include "store/ImportLines.h"

#include "net/TextCodec.h"

void ImportLineSplitter::Feed(std::string_view bytes)
{
    for (char c : bytes) {
        if (c == '\n' && afterCr_) {
            afterCr_ = false;  // the LF of a CR LF pair
            continue;
        }
        afterCr_ = c == '\r';
        if (c == '\r' || c == '\n')
            EndLine();
        else if (line_.size() <= kMaxTextUnits)
            line_.push_back(c);
    }
}

void ImportLineSplitter::Finish()
{
    if (!line_.empty())
        EndLine();
    afterCr_ = false;
}

void ImportLineSplitter::EndLine()
{
    sink_(CutUtf8(line_));
    line_.clear();
}
