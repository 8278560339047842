// LIST lines are untrusted server data: every parser either rejects a line or
// fills a record whose fields stay within their documented ranges.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ftp/ListingLineParsers.h"
#include "ftp/ListingNumbers.h"
#include "ftp/MonthNames.h"

namespace {

// A leap day, so inferred years meet the end of February.
const ListingClock kToday{2024, 2, 29};

bool InRange(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

void CheckAccepted(const ListingLine& line)
{
    bool bounded = !line.name.empty() && line.name.size() <= 259 && line.owner.size() <= 259 &&
                   line.group.size() <= 259 && line.permissions.size() <= 259;
    bool dated = line.hasDate && InRange(line.month, 1, 12) && InRange(line.day, 1, 31);
    bool timed = !line.hasTime || (InRange(line.hour, 0, 24) && InRange(line.minute, 0, 59));
    if (!bounded || !dated || !timed)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view line(reinterpret_cast<const char*>(data), size);
    ListingLine out;
    if (ParseUnixStrict(line, out, kToday))
        CheckAccepted(out);
    if (ParseUnixLoose(line, out, kToday))
        CheckAccepted(out);
    if (ParseDosLine(line, out))
        CheckAccepted(out);
    if (ParseListingLine(line, out, kToday))
        CheckAccepted(out);
    else if (!out.name.empty() || out.hasDate || out.size != 0)
        __builtin_trap();  // a rejected line leaves a cleared record

    (void)MonthFromName(line);
    uint64_t value = 0;
    (void)ParseSizeText(line, value);
    return 0;
}
