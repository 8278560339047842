#include "RegistryDump.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "ProbeOutput.h"

bool DumpRegistryKey(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return true;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size + sizeof(wchar_t), 0);
        nameLength = 16384;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        std::wstring text;
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0')
                text.pop_back();
        } else {
            for (DWORD i = 0; i < size; ++i) {
                wchar_t hex[4];
                swprintf(hex, 4, L"%02x", data[i]);
                text += hex;
            }
        }
        Record(L"value").Text(name).Number(type).Text(text).Print();
    }
    RegCloseKey(key);
    return true;
}

bool ForgetRegistryKey(const std::wstring& path)
{
    LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
        return true;
    }
    PrintError(L"cannot delete the key " + path + L" (error " + std::to_wstring(status) + L")");
    return false;
}
