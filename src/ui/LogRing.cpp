#include "ui/LogRing.h"

#include <algorithm>

void LogRing::Append(std::wstring stamp, std::wstring text, LogLevel level)
{
    if (newest_ < 0) {
        newest_ = 0;
    } else {
        newest_ = (newest_ + 1) % kCapacity;
        if (newest_ == oldest_) {
            if (top_ == oldest_)
                top_ = (top_ + 1) % kCapacity;
            oldest_ = (oldest_ + 1) % kCapacity;
        }
    }
    LogLine& slot = slots_[newest_];
    slot.stamp = stamp.substr(0, 15);
    slot.text = std::move(text);
    slot.level = level;
}

int LogRing::Count() const
{
    if (newest_ < 0)
        return 0;
    return (newest_ - oldest_ + kCapacity) % kCapacity + 1;
}

void LogRing::ScrollTo(int position)
{
    int count = Count();
    if (count == 0 || position >= count - 1) {
        top_ = -1;
        return;
    }
    top_ = (oldest_ + std::max(position, 0)) % kCapacity;
}

std::wstring LogRing::Text() const
{
    std::wstring text;
    for (int i = 0; i < Count(); ++i) {
        const LogLine& line = LineAt(i);
        text += line.stamp + L" " + line.text + L"\r\n";
    }
    return text;
}
