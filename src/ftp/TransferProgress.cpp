#include "ftp/TransferProgress.h"

#include <algorithm>
#include <cwchar>

bool TransferProgress::Add(uint64_t bytes)
{
    moved_ += bytes;
    if (expected_ < kSmallFileBytes)
        return true;
    sinceRedraw_ += bytes;
    // "More than 1%" compared without rounding: 100 * moved > expected.
    if (sinceRedraw_ * 100 <= expected_)
        return false;
    sinceRedraw_ = 0;
    return true;
}

double TransferProgress::Fraction() const
{
    return expected_ == 0 ? 0.0 : static_cast<double>(moved_) / static_cast<double>(expected_);
}

std::wstring TransferStatusText(const std::wstring& name, double fraction)
{
    wchar_t percent[16];
    swprintf(percent, 16, L": %2.0f%%", std::min(fraction, 1.0) * 100.0);
    return name + percent;
}
