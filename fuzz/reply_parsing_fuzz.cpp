// Server replies and data-connection text are untrusted input: frame,
// classify and collect any bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ftp/DataLines.h"
#include "ftp/PasvReply.h"
#include "ftp/ReplyParsing.h"
#include "ftp/TransferSize.h"
#include "net/TextCodec.h"
#include "net/Log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // Lines as the control connection delivers them, ended by LF.
    ReplyFramer framer;
    ReplyFramer::State state = ReplyFramer::State::NeedMore;
    for (size_t start = 0; start <= size && state == ReplyFramer::State::NeedMore;) {
        size_t end = std::min(input.find('\n', start), size);
        state = framer.Feed(input.substr(start, end - start));
        start = end + 1;
    }
    if (state == ReplyFramer::State::Complete) {
        (void)ParseReplyLine(framer.FinalLine());
        (void)ResponseLogText(framer.FinalLine());
    }
    (void)framer.TakeCollectedLines();
    // Only one clean line of at most kMaxCommandLineBytes may be sent.
    std::string_view body = input.ends_with("\r\n") ? input.substr(0, size - 2) : input;
    bool clean = body.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos && size <= kMaxCommandLineBytes;
    if (CommandLineRefusal(input).empty() != clean)
        __builtin_trap();
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
