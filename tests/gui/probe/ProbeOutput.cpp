#include "ProbeOutput.h"

#include <cstdio>

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

namespace {

bool errorsAsRecords = false;

// Written as bytes, not through the console: the reader is a pipe and wants UTF-8.
void WriteBytes(DWORD which, const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

Record& Record::Text(const std::wstring& text)
{
    line_ += L'\t';
    for (wchar_t c : text) {
        switch (c) {
        case L'\\': line_ += L"\\\\"; break;
        case L'\t': line_ += L"\\t"; break;
        case L'\n': line_ += L"\\n"; break;
        case L'\r': line_ += L"\\r"; break;
        default: line_ += c;
        }
    }
    return *this;
}

Record& Record::Number(long long value)
{
    return Text(std::to_wstring(value));
}

Record& Record::Handle(const void* handle)
{
    wchar_t text[32];
    swprintf(text, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
    return Text(text);
}

Record& Record::Rect(const RECT& rect)
{
    return Number(rect.left).Number(rect.top).Number(rect.right).Number(rect.bottom);
}

void Record::Print() const
{
    WriteBytes(STD_OUTPUT_HANDLE, Utf8(line_) + "\n");
}

void ReportErrorsAsRecords()
{
    errorsAsRecords = true;
}

void PrintError(const std::wstring& text)
{
    if (errorsAsRecords)
        return Record(L"error").Text(text).Print();
    WriteBytes(STD_ERROR_HANDLE, "ui-probe: " + Utf8(text) + "\n");
}

void PrintRaw(const std::string& bytes)
{
    WriteBytes(STD_OUTPUT_HANDLE, bytes);
}
