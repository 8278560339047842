#include "store/Registry.h"

#include <utility>

#include "net/TextCodec.h"
#include "store/StoredValueText.h"

namespace {

constexpr wchar_t kDefaultProductKey[] = L"Software\\Velmora Software\\Tarnwick";

std::wstring& ProductKeyPath()
{
    static std::wstring path = kDefaultProductKey;
    return path;
}

// An open registry key, closed when it goes out of scope.
class OpenedKey {
public:
    OpenedKey(const RegKeyRef& key, REGSAM access)
    {
        if (!key.path.empty() && RegOpenKeyExW(key.root, key.path.c_str(), 0, access, &handle_) != ERROR_SUCCESS)
            handle_ = nullptr;
    }
    // Creates the key and any missing parents.
    static OpenedKey Create(const RegKeyRef& key, REGSAM access, bool* created = nullptr)
    {
        OpenedKey opened;
        DWORD disposition = 0;
        if (!key.path.empty() && RegCreateKeyExW(key.root, key.path.c_str(), 0, nullptr, 0, access, nullptr,
                                                 &opened.handle_, &disposition) != ERROR_SUCCESS)
            opened.handle_ = nullptr;
        if (created)
            *created = opened.handle_ && disposition == REG_CREATED_NEW_KEY;
        return opened;
    }
    OpenedKey(OpenedKey&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey()
    {
        if (handle_)
            RegCloseKey(handle_);
    }
    explicit operator bool() const { return handle_ != nullptr; }
    HKEY Handle() const { return handle_; }

private:
    OpenedKey() = default;
    HKEY handle_ = nullptr;
};

bool SetValue(const RegKeyRef& key, std::wstring_view name, DWORD type, const void* data, size_t bytes)
{
    OpenedKey opened = OpenedKey::Create(key, KEY_SET_VALUE);
    if (!opened)
        return false;
    static const BYTE nothing = 0;  // a zero-length value still needs a valid pointer
    return RegSetValueExW(opened.Handle(), std::wstring(name).c_str(), 0, type,
                          bytes ? static_cast<const BYTE*>(data) : &nothing, static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

}  // namespace

RegKeyRef ProductKey(std::wstring_view relativePath)
{
    if (relativePath.empty())
        return RegKeyRef{HKEY_CURRENT_USER, L"", L""};
    size_t separator = relativePath.rfind(L'\\');
    std::wstring_view name = separator == std::wstring_view::npos ? relativePath : relativePath.substr(separator + 1);
    return RegKeyRef{HKEY_CURRENT_USER, std::wstring(name), ProductKeyPath() + L"\\" + std::wstring(relativePath)};
}

RegKeyRef SettingsKey()
{
    return ProductKey(L"Settings");
}

RegKeyRef MainWindowKey()
{
    return ProductKey(L"MainWindow");
}

RegKeyRef SitesKey()
{
    return ProductKey(L"FTPAccounts");
}

void SetProductKeyPath(std::wstring_view path)
{
    ProductKeyPath() = path.empty() ? std::wstring(kDefaultProductKey) : std::wstring(path);
}

RegKeyRef ChildKey(const RegKeyRef& parent, std::wstring_view name)
{
    // The child of no key is no key either, never one below the root.
    if (parent.path.empty())
        return RegKeyRef{parent.root, std::wstring(name), L""};
    return RegKeyRef{parent.root, std::wstring(name), parent.path + L"\\" + std::wstring(name)};
}

bool CreateKey(const RegKeyRef& key, bool* created)
{
    return static_cast<bool>(OpenedKey::Create(key, KEY_QUERY_VALUE, created));
}

RegKeyRef CreateChildKey(const RegKeyRef& parent, std::wstring_view name, bool* created)
{
    RegKeyRef child = ChildKey(parent, name);
    CreateKey(child, created);
    return child;
}

bool ChildKeyExists(const RegKeyRef& parent, std::wstring_view name)
{
    return KeyExists(ChildKey(parent, name));
}

bool KeyExists(const RegKeyRef& key)
{
    return static_cast<bool>(OpenedKey(key, KEY_QUERY_VALUE));
}

bool SameKeyName(std::wstring_view a, std::wstring_view b)
{
    // Beyond ASCII too, as the registry does.
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::vector<RegKeyRef> EnumerateSubkeys(const RegKeyRef& parent)
{
    std::vector<RegKeyRef> children;
    OpenedKey opened(parent, KEY_ENUMERATE_SUB_KEYS);
    if (!opened)
        return children;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxTextUnits + 1];
        DWORD length = kMaxTextUnits + 1;
        if (RegEnumKeyExW(opened.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(ChildKey(parent, std::wstring_view(name, length)));
    }
    return children;
}

std::wstring ReadString(const RegKeyRef& key, std::wstring_view name, std::wstring_view fallback, bool* found)
{
    if (found)
        *found = false;
    OpenedKey opened(key, KEY_QUERY_VALUE);
    if (!opened)
        return std::wstring(fallback);
    // One unit more than the longest text, for its terminator.
    wchar_t buffer[kMaxTextUnits + 1];
    DWORD bytes = sizeof(buffer);
    if (RegQueryValueExW(opened.Handle(), std::wstring(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                         &bytes) != ERROR_SUCCESS)
        return std::wstring(fallback);
    std::wstring_view text(buffer, bytes / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    if (found)
        *found = true;
    return CutText(text);
}

bool WriteString(const RegKeyRef& key, std::wstring_view name, std::wstring_view text)
{
    std::wstring terminated(text);
    return SetValue(key, name, REG_SZ, terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t));
}

int ReadInt(const RegKeyRef& key, std::wstring_view name, int fallback)
{
    return ParseStoredInt(ReadString(key, name), fallback);
}

bool WriteInt(const RegKeyRef& key, std::wstring_view name, int value)
{
    return WriteString(key, name, FormatStoredInt(value));
}

bool ReadBool(const RegKeyRef& key, std::wstring_view name, bool fallback)
{
    return ParseStoredBool(ReadString(key, name), fallback);
}

bool WriteBool(const RegKeyRef& key, std::wstring_view name, bool value)
{
    return WriteString(key, name, FormatStoredBool(value));
}

bool ValueExists(const RegKeyRef& key, std::wstring_view name)
{
    OpenedKey opened(key, KEY_QUERY_VALUE);
    return opened &&
           RegQueryValueExW(opened.Handle(), std::wstring(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void DeleteValue(const RegKeyRef& key, std::wstring_view name)
{
    OpenedKey opened(key, KEY_SET_VALUE);
    if (!opened)
        return;
    if (RegDeleteValueW(opened.Handle(), std::wstring(name).c_str()) == ERROR_FILE_NOT_FOUND)
        RegDeleteValueW(opened.Handle(), (L"_" + std::wstring(name)).c_str());
}

void DeleteKeyTree(const RegKeyRef& key)
{
    if (!key.path.empty())
        RegDeleteTreeW(key.root, key.path.c_str());
}

bool RenameKey(RegKeyRef& key, std::wstring_view newName)
{
    if (key.path.empty() || newName.empty() || newName.find(L'\\') != std::wstring_view::npos ||
        SameKeyName(key.name, newName))
        return false;
    size_t separator = key.path.rfind(L'\\');
    RegKeyRef renamed{key.root, std::wstring(newName),
                      (separator == std::wstring::npos ? L"" : key.path.substr(0, separator + 1)) + std::wstring(newName)};
    // Copying into an existing key would mix two trees' values.
    if (KeyExists(renamed))
        return false;
    bool copied = false;
    {
        OpenedKey source(key, KEY_READ);
        if (!source)
            return false;
        OpenedKey target = OpenedKey::Create(renamed, KEY_ALL_ACCESS);
        copied = target && RegCopyTreeW(source.Handle(), nullptr, target.Handle()) == ERROR_SUCCESS;
    }
    if (!copied) {
        DeleteKeyTree(renamed);
        return false;
    }
    DeleteKeyTree(key);
    key = renamed;
    return true;
}

bool ReadValueBytes(const RegKeyRef& key, std::wstring_view name, std::string& bytes)
{
    OpenedKey opened(key, KEY_QUERY_VALUE);
    if (!opened)
        return false;
    std::wstring valueName(name);
    DWORD size = 0;
    if (RegQueryValueExW(opened.Handle(), valueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return false;
    bytes.assign(size, '\0');
    if (RegQueryValueExW(opened.Handle(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    bytes.resize(size);
    return true;
}

bool WriteBinary(const RegKeyRef& key, std::wstring_view name, std::string_view bytes)
{
    return SetValue(key, name, REG_BINARY, bytes.data(), bytes.size());
}
