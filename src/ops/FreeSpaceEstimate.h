#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The room on the volume of the folder the files of a download go to. The
// system is asked once per folder, and the answer is counted down by what
// arrives: the files of a tree arrive folder by folder, and asking for every
// small file cost more than its transfer. A file that seems not to fit is
// measured against a fresh answer, so nothing is refused on an old one.
class FreeSpaceEstimate {
public:
    // Asks the system: the bytes the user may still write in the folder,
    // nothing when it cannot tell.
    using Query = std::function<std::optional<uint64_t>(const std::wstring& folder)>;
    explicit FreeSpaceEstimate(Query query) : query_(std::move(query)) {}

    std::optional<uint64_t> RoomFor(const std::wstring& folder, uint64_t size);
    // A file of this size arrived in the folder last asked about.
    void Used(uint64_t size);

private:
    Query query_;
    std::wstring folder_;
    std::optional<uint64_t> bytes_;
};
