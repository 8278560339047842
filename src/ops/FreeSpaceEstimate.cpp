#include "ops/FreeSpaceEstimate.h"

#include <algorithm>

std::optional<uint64_t> FreeSpaceEstimate::RoomFor(const std::wstring& folder, uint64_t size)
{
    if (folder != folder_ || !bytes_ || size > *bytes_) {
        folder_ = folder;
        bytes_ = query_(folder);
    }
    return bytes_;
}

void FreeSpaceEstimate::Used(uint64_t size)
{
    if (bytes_)
        *bytes_ -= std::min(size, *bytes_);
}
