// MLSD and LIST lines, fact times and names are untrusted server data: each
// becomes a bounded entry or nothing, and the time arithmetic stays exact.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ftp/RemoteEntryLines.h"
#include "ftp/RemoteNames.h"
#include "ftp/RemoteTime.h"

namespace {

const ListingClock kToday{2024, 2, 29};

void CheckEntry(const RemoteEntry& entry)
{
    if (entry.name.size() > 259)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string_view line = text.substr(0, 259);  // lines arrive cut to 259 bytes

    CheckEntry(MlsdLineToEntry(line));
    RemoteEntry entry;
    if (ListLineToEntry(line, kToday, entry))
        CheckEntry(entry);

    if (std::optional<int64_t> seconds = FactTimeToSeconds(text)) {
        if (UtcTimeToSeconds(SecondsToUtcTime(*seconds)) != seconds)
            __builtin_trap();
    }
    (void)ParseSize(text);

    // The first byte splits the rest into a pattern and a name.
    if (!text.empty()) {
        size_t split = static_cast<uint8_t>(text[0]) % text.size();
        (void)MatchesWildcard(text.substr(1, split), text.substr(1 + split));
    }
    std::string parent = ParentFolder(text);
    if (parent.size() > text.size() || FileNamePart(text).size() > text.size())
        __builtin_trap();
    return 0;
}
