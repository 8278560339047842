#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Everything Tarnwick keeps lives in the current user's registry below one
// product key. Every accessor opens and closes its key within the call;
// failures are silent: reads give their default, writes return false.

// A registry key named by path; making one does not touch the registry.
struct RegKeyRef {
    HKEY root = HKEY_CURRENT_USER;
    std::wstring name;  // last component of the path
    std::wstring path;  // full path below root; empty names no key at all
};

// The key at relativePath below the product key ("Settings", "FTPAccounts\x").
// An empty relativePath gives a key with an empty path.
RegKeyRef ProductKey(std::wstring_view relativePath);
RegKeyRef SettingsKey();
RegKeyRef MainWindowKey();
RegKeyRef SitesKey();

// Moves the whole store below another key of HKEY_CURRENT_USER (tests and
// tools); an empty path restores "Software\Velmora Software\Tarnwick".
void SetProductKeyPath(std::wstring_view path);

// The child of a key with an empty path has an empty path too.
RegKeyRef ChildKey(const RegKeyRef& parent, std::wstring_view name);
// Creates the key and any missing parents; created (when given) tells
// whether it is new. False when it can neither be created nor opened.
bool CreateKey(const RegKeyRef& key, bool* created = nullptr);
RegKeyRef CreateChildKey(const RegKeyRef& parent, std::wstring_view name, bool* created = nullptr);
bool ChildKeyExists(const RegKeyRef& parent, std::wstring_view name);
// The sub-keys in the registry's enumeration order; none when key is missing.
std::vector<RegKeyRef> EnumerateSubkeys(const RegKeyRef& parent);
bool KeyExists(const RegKeyRef& key);
// Key names compare as the registry compares them: ignoring case.
bool SameKeyName(std::wstring_view a, std::wstring_view b);

// Strings read back are at most 259 characters; a stored value that does
// not fit 260 units with its terminator reads as absent. The value's type
// is not checked: whatever bytes it holds are read as UTF-16 text.
std::wstring ReadString(const RegKeyRef& key, std::wstring_view name, std::wstring_view fallback = L"",
                        bool* found = nullptr);
// Creates the key (with missing parents) and writes a REG_SZ value.
bool WriteString(const RegKeyRef& key, std::wstring_view name, std::wstring_view text);
int ReadInt(const RegKeyRef& key, std::wstring_view name, int fallback = 0);
bool WriteInt(const RegKeyRef& key, std::wstring_view name, int value);
bool ReadBool(const RegKeyRef& key, std::wstring_view name, bool fallback);
bool WriteBool(const RegKeyRef& key, std::wstring_view name, bool value);
// True when the value exists, whatever its length or type.
bool ValueExists(const RegKeyRef& key, std::wstring_view name);
// Deletes the value, or, only when there is no such value, its protected
// form "_" + name.
void DeleteValue(const RegKeyRef& key, std::wstring_view name);
// Deletes the key with all its sub-keys and values.
void DeleteKeyTree(const RegKeyRef& key);
// Moves the key with everything below it to newName beside it and updates
// key. Nothing happens when newName equals the current name ignoring case,
// when a key of that name already exists, or when the copy fails.
bool RenameKey(RegKeyRef& key, std::wstring_view newName);

// The raw bytes of a value of any type; false when it cannot be read.
bool ReadValueBytes(const RegKeyRef& key, std::wstring_view name, std::string& bytes);
bool WriteBinary(const RegKeyRef& key, std::wstring_view name, std::string_view bytes);
