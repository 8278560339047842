#pragma once
#include <cstdint>
#include <string>

// When a file transfer redraws its progress. Data moves in large blocks; the
// fraction follows the bytes moved. Files under 100 KiB are redrawn after
// every block, larger ones once more than 1% has moved since the last redraw.
class TransferProgress {
public:
    static constexpr uint64_t kSmallFileBytes = 100 * 1024;

    // expectedBytes: the remote size of a download (0 when unknown), the local
    // size of an upload.
    explicit TransferProgress(uint64_t expectedBytes) : expected_(expectedBytes) {}

    // Counts a block; true when the display is due for a redraw.
    bool Add(uint64_t bytes);
    // Bytes moved over the expected size; not capped (a file can grow while it
    // is sent), 0 while the size is unknown.
    double Fraction() const;
    uint64_t Moved() const { return moved_; }
    uint64_t Expected() const { return expected_; }

private:
    uint64_t expected_;
    uint64_t moved_ = 0;
    uint64_t sinceRedraw_ = 0;
};

// "name: 42%" for the detail line; the percentage is capped at 100.
std::wstring TransferStatusText(const std::wstring& name, double fraction);
