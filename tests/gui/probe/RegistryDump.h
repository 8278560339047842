#pragma once
// The settings a program left below HKEY_CURRENT_USER, for tests that check
// what it stored, and the removal of a test's scratch key.
#include <string>

// "value" NAME TYPE DATA for each value of the key: the text of REG_SZ data,
// hexadecimal bytes otherwise. A missing key prints nothing.
bool DumpRegistryKey(const std::wstring& path);
// Deletes the key with everything below it; a missing key is fine.
bool ForgetRegistryKey(const std::wstring& path);
