#pragma once
// The probe's output: one record a line, fields separated by tabs, UTF-8.
// Tabs, line breaks and backslashes inside a text are escaped (\t \n \r \\)
// so that a reader can split every line on tabs.
#include <windows.h>

#include <string>

class Record {
public:
    explicit Record(const wchar_t* kind) { line_ = kind; }
    Record& Text(const std::wstring& text);
    Record& Number(long long value);
    Record& Handle(const void* handle);  // as 0x... hexadecimal
    Record& Flag(bool on, const wchar_t* yes, const wchar_t* no) { return Text(on ? yes : no); }
    Record& Rect(const RECT& rect);      // left, top, right, bottom: four fields
    void Print() const;
    const std::wstring& Line() const { return line_; }  // without the line end

private:
    std::wstring line_;
};

void PrintError(const std::wstring& text);  // "ui-probe: TEXT" on stderr
// From now on errors are "error" TEXT records on stdout, among the answers.
void ReportErrorsAsRecords();
// Bytes exactly as given, on stdout (records made elsewhere).
void PrintRaw(const std::string& bytes);
std::string Utf8(const std::wstring& text);
