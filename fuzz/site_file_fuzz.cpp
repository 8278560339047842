// Import files are untrusted input: split them into lines in blocks of any
// size and run the site and settings readers over every line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/ImportLines.h"
#include "store/SettingsFile.h"
#include "store/SiteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    size_t blockSize = data[0] % 64 + 1;  // the first byte picks the block size
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    SiteFileParser parser;
    FtpOptionsFound options;
    ImportLineSplitter splitter([&](std::string_view line) {
        if (line.size() > 259)
            __builtin_trap();
        parser.AddLine(line);
        ReadSettingsLine(line, options);
    });
    for (size_t at = 0; at < input.size(); at += blockSize)
        splitter.Feed(input.substr(at, blockSize));
    splitter.Finish();

    SiteFileContents contents = parser.Finish();
    for (const SiteFileRecord& record : contents.records) {
        bool complete = !record.label.empty() && !record.server.empty() && !record.userName.empty();
        if (!complete || record.label.find_first_of(L"\\/") != std::wstring::npos || record.userName.size() > 259)
            __builtin_trap();
        (void)FormatSiteRecord(record);
    }
    if (!contents.hasLabelLine && (!contents.records.empty() || contents.unreadableRecords != 0))
        __builtin_trap();
    return 0;
}
