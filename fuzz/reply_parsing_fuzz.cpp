// Server replies are untrusted input: split, classify and collect any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ftp/ReplyParsing.h"
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
    (void)CommandLogText(input);
    (void)WideToUtf8(Utf8ToWide(input));
    return 0;
}
