#pragma once
#include <string>
#include <vector>

#include "net/Log.h"

// Collects the session log lines written while it exists.
class CapturedLog : public LogSink {
public:
    struct Line {
        std::wstring text;
        LogLevel level;
    };
    CapturedLog() { AddLogSink(this); }
    ~CapturedLog() override { RemoveLogSink(this); }
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::vector<Line> lines;
    bool Contains(const std::wstring& text) const;
    bool ContainsPart(const std::wstring& part) const;
    // Every line joined by newlines, for failure messages.
    std::wstring All() const;

    void Write(std::wstring_view text, LogLevel level) override { lines.push_back({std::wstring(text), level}); }
};

// A fresh folder under the temporary folder, deleted with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

std::string ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& bytes);
void DeleteTree(const std::wstring& path);
