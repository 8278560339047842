// Server addresses and stored numbers come from users, pasted text and
// import files: whatever they hold must normalise safely.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/TextCodec.h"
#include "store/ServerAddress.h"
#include "store/StoredValueText.h"

namespace {

bool IsHostChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
           c == L'.' || c == L':' || c == L'_' || c == L'~';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    ServerField field = SplitServerField(text);
    std::wstring server = JoinServerPort(field.host, L"2121");
    for (std::wstring* candidate : {&text, &server}) {
        std::wstring normalized = *candidate;
        if (!NormalizeServerAddress(normalized))
            continue;
        // A stored server becomes a registry key name: host characters only.
        if (normalized.empty() || normalized.find(L'.') == std::wstring::npos)
            __builtin_trap();
        for (wchar_t c : normalized)
            if (!IsHostChar(c))
                __builtin_trap();
    }
    (void)ParseStoredInt(text, 0);
    (void)ParseStoredBool(text, false);
    return 0;
}
