// Permission texts come from listings: whatever the server sends reads as
// three digits 0-7 or as nothing, and the text written after a chmod reads
// back as the digits sent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/TextCodec.h"
#include "ops/PermissionDigits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    std::optional<PermissionDigits> digits = DigitsFromPermissionText(text);
    if (digits) {
        if (digits->owner > 7 || digits->group > 7 || digits->others > 7)
            __builtin_trap();
        if (ParseChmodDigits(ChmodDigitsText(*digits)) != digits ||
            DigitsFromFlags(FlagsFromDigits(*digits)) != *digits)
            __builtin_trap();
    }
    // Any stored text, rewritten with any digits, shows those digits.
    PermissionDigits sent{static_cast<uint8_t>(size % 8), static_cast<uint8_t>(size / 8 % 8),
                          static_cast<uint8_t>(size / 64 % 8)};
    if (DigitsFromPermissionText(PermissionTextAfterChmod(text, sent)) != sent)
        __builtin_trap();
    if (!digits && !PermissionsAllowReading(text))
        __builtin_trap();
    return 0;
}
