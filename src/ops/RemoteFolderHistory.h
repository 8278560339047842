#pragma once
#include <array>
#include <cstddef>
#include <string>

// The remote folders opened last, newest first, and the position that Back
// and Forward move through them. The local pane keeps its folders the same way.
class RemoteFolderHistory {
public:
    static constexpr size_t kSize = 10;

    // The folder becomes entry 0: entries newer than the position are dropped,
    // the rest move down one place and the oldest falls out. Position 0.
    void Push(const std::wstring& folder);
    void Clear();

    // Empty text where nothing is stored.
    const std::wstring& At(size_t index) const { return entries_.at(index); }
    size_t Position() const { return position_; }
    // Back and Forward move the position; it stays inside the history.
    void SetPosition(size_t position) { position_ = position < kSize ? position : kSize - 1; }

    // Back goes one step older, Forward one step newer, each only onto an
    // entry that holds a folder; false (and no move) otherwise.
    bool CanBack() const;
    bool CanForward() const;
    bool Back();
    bool Forward();

private:
    std::array<std::wstring, kSize> entries_;
    size_t position_ = 0;
};
