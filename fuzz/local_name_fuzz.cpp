// Remote names are untrusted server data: a name accepted for a local file is
// one harmless path element, and a path made of it stays below its root.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/TextCodec.h"
#include "ops/LocalNames.h"
#include "ops/PathContainment.h"

namespace {

// Written apart from the checked code, from the list of Windows device names.
bool IsDevice(std::wstring_view name)
{
    std::wstring base(name.substr(0, name.find(L'.')));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    while (!base.empty() && base.front() == L' ')
        base.erase(0, 1);
    base = AsciiLower(base);
    for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"})
        if (base == device)
            return true;
    if (base.size() != 4 || (base.compare(0, 3, L"com") != 0 && base.compare(0, 3, L"lpt") != 0))
        return false;
    wchar_t last = base[3];
    return (last >= L'0' && last <= L'9') || last == L'\u00b9' || last == L'\u00b2' || last == L'\u00b3';
}

void CheckAccepted(const std::wstring& name)
{
    bool harmless = !name.empty() && name != L"." && name != L".." && name.size() <= 259 &&
                    name.find_first_of(L"/\\:<>\"|?*") == std::wstring::npos && name.back() != L'.' &&
                    name.back() != L' ' && !IsDevice(name);
    for (wchar_t c : name)
        harmless = harmless && c >= 0x20 && c != 0x7F;
    if (!harmless)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring text = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));

    std::wstring why;
    std::optional<std::wstring> local = LocalNameForRemote(text, why);
    if (local.has_value() == !why.empty() || (local && *local != text))
        __builtin_trap();
    if (local)
        CheckAccepted(*local);

    // Below a root, a path is inside exactly when each of its elements is a
    // name that would be accepted (one trailing separator allowed), and then
    // each element is harmless.
    const std::wstring root = L"C:\\Users\\me\\Downloads";
    bool inside = IsInsideRoot(root, root + L"\\" + text);
    std::wstring_view rest = text;
    if (!rest.empty() && (rest.back() == L'\\' || rest.back() == L'/'))
        rest.remove_suffix(1);
    bool allAccepted = true;
    while (true) {
        size_t separator = rest.find_first_of(L"\\/");
        std::wstring element(rest.substr(0, separator));
        allAccepted = allAccepted && LocalNameForRemote(element, why).has_value();
        if (inside)
            CheckAccepted(element);
        if (separator == std::wstring_view::npos)
            break;
        rest.remove_prefix(separator + 1);
    }
    if (inside != allAccepted || IsInsideRoot(root, root + L"2\\" + text))
        __builtin_trap();
    return 0;
}
