#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "store/Registry.h"

// Points the store at a fresh key of its own for the life of the object and
// deletes it afterwards, so tests never meet the user's real settings.
class ScratchProductKey {
public:
    ScratchProductKey()
    {
        static int counter = 0;
        path_ = std::wstring(kParent) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        SetProductKeyPath(path_);
    }
    ~ScratchProductKey()
    {
        SetProductKeyPath(L"");
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kParent);  // only when no other test's key is left
    }
    ScratchProductKey(const ScratchProductKey&) = delete;
    ScratchProductKey& operator=(const ScratchProductKey&) = delete;
    // The key's path below HKEY_CURRENT_USER (for tarnwick-cli --registry).
    const std::wstring& Path() const { return path_; }

private:
    static constexpr const wchar_t* kParent = L"Software\\Velmora Software\\Tarnwick Tests";
    std::wstring path_;
};

// A value exactly as the registry holds it, bypassing the store's encodings.
struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

inline RawValue ReadRawValue(const RegKeyRef& key, std::wstring_view name)
{
    RawValue value;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return value;
    std::wstring valueName(name);
    DWORD size = 0;
    if (RegQueryValueExW(opened, valueName.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.exists = RegQueryValueExW(opened, valueName.c_str(), nullptr, &value.type,
                                        reinterpret_cast<BYTE*>(value.bytes.data()), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(opened);
    return value;
}

inline bool WriteRawValue(const RegKeyRef& key, std::wstring_view name, DWORD type, std::string_view bytes)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExW(key.root, key.path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool written = RegSetValueExW(opened, std::wstring(name).c_str(), 0, type,
                                  reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return written;
}

// The UTF-16 bytes of text, as REG_SZ data holds it (without a terminator).
inline std::string Utf16Bytes(std::wstring_view text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}
