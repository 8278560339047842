#include "store/NumberedValues.h"

std::vector<std::wstring> ReadNumberedValues(const RegKeyRef& key)
{
    std::vector<std::wstring> values;
    for (size_t i = 0;; ++i) {
        std::wstring name = std::to_wstring(i);
        if (!ValueExists(key, name))
            break;
        bool found = false;
        std::wstring text = ReadString(key, name, L"", &found);
        if (found)
            values.push_back(text);
    }
    return values;
}

void WriteNumberedValues(const RegKeyRef& key, const std::vector<std::wstring>& values)
{
    for (size_t i = 0; i < values.size(); ++i)
        WriteString(key, std::to_wstring(i), values[i]);
    for (size_t i = values.size(); ValueExists(key, std::to_wstring(i)); ++i)
        DeleteValue(key, std::to_wstring(i));
}
