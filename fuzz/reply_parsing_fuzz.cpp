// Server replies and data-connection text are untrusted input: split,
// classify and collect any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ftp/DataLines.h"
#include "ftp/PasvReply.h"
#include "ftp/ReplyParsing.h"
#include "ftp/TransferSize.h"
#include "net/TextCodec.h"
#include "ui/LogText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    ReplyCollector collector;
    bool collecting = true;
    for (std::string_view piece : SplitReplyPieces(input)) {
        if (auto final = ParseFinalReplyLine(piece))
            (void)ResponseLogText(piece);
        if (collecting)
            collecting = collector.Feed(piece) == ReplyCollector::State::NeedMore;
    }
    (void)ParsePasvReply(input);
    (void)AnnouncedSize(input);
    DataLineSplitter splitter;
    std::vector<std::string> lines;
    splitter.Feed(input.substr(0, size / 2), lines);
    splitter.Feed(input.substr(size / 2), lines);
    splitter.Finish(lines);
    (void)CommandLogText(input);
    (void)WideToUtf8(Utf8ToWide(input));
    return 0;
}
