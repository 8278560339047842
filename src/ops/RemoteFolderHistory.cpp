#include "ops/RemoteFolderHistory.h"

void RemoteFolderHistory::Push(const std::wstring& folder)
{
    std::array<std::wstring, kSize> pushed;
    pushed[0] = folder;
    for (size_t from = position_, to = 1; from < kSize && to < kSize; ++from, ++to)
        pushed[to] = entries_[from];
    entries_ = pushed;
    position_ = 0;
}

void RemoteFolderHistory::Clear()
{
    *this = RemoteFolderHistory();
}

bool RemoteFolderHistory::CanBack() const
{
    return position_ + 1 < kSize && !entries_[position_ + 1].empty();
}

bool RemoteFolderHistory::CanForward() const
{
    return position_ > 0 && !entries_[position_ - 1].empty();
}

bool RemoteFolderHistory::Back()
{
    if (!CanBack())
        return false;
    ++position_;
    return true;
}

bool RemoteFolderHistory::Forward()
{
    if (!CanForward())
        return false;
    --position_;
    return true;
}
