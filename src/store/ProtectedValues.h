#pragma once
#include <string>
#include <string_view>

#include "store/Registry.h"

class ValueCipher;

// A password is stored RC4-encrypted as REG_BINARY under "_" + name. When
// encryption is unavailable or fails it is stored as plain REG_SZ under the
// name itself, and reads fall back to that plain value (also how passwords
// written before encryption was available are found). At most 259 bytes of
// its UTF-8 form are kept.

std::wstring ReadProtected(const RegKeyRef& key, std::wstring_view name, bool* found = nullptr);
bool WriteProtected(const RegKeyRef& key, std::wstring_view name, std::wstring_view text);

// The same with a given cipher instead of the process's.
std::wstring ReadProtected(const ValueCipher& cipher, const RegKeyRef& key, std::wstring_view name,
                           bool* found = nullptr);
bool WriteProtected(const ValueCipher& cipher, const RegKeyRef& key, std::wstring_view name, std::wstring_view text);
