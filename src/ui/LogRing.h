#pragma once
#include <array>
#include <string>

#include "net/LogLevel.h"

struct LogLine {
    std::wstring stamp;  // at most 15 characters
    std::wstring text;
    LogLevel level = LogInformation;
};

// The last 128 log lines of the panel. Indices are 0-127 or -1: newest (-1
// while empty), oldest, and top (the first line shown; -1 while the panel
// follows the newest line).
class LogRing {
public:
    static constexpr int kCapacity = 128;

    void Append(std::wstring stamp, std::wstring text, LogLevel level);
    int Count() const;
    // The i-th line held, 0 being the oldest.
    const LogLine& LineAt(int i) const { return slots_[(oldest_ + i) % kCapacity]; }
    int Newest() const { return newest_; }
    int Oldest() const { return oldest_; }
    int Top() const { return top_; }
    // Scrolling: the first line shown, as a position from the oldest; reaching
    // the newest line returns the panel to following it.
    void ScrollTo(int position);
    // Every line held, oldest first, as "stamp text" lines ending in CR LF:
    // what the panel copies and what its window text reads.
    std::wstring Text() const;

private:
    std::array<LogLine, kCapacity> slots_;
    int newest_ = -1;
    int oldest_ = 0;
    int top_ = -1;
};
