#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How many bytes a download should bring, and the words for one that did not
// bring them.

// The size a preliminary reply announces, as in "150 Opening BINARY mode data
// connection for a.bin (5000 bytes).": the last "(N bytes)" group of the text
// (a file name may hold one of its own), "bytes" in any case. Nothing when the
// text has none or the number does not fit.
std::optional<uint64_t> AnnouncedSize(std::string_view replyText);

// "<what> after 4000 of 5000 bytes.", or "<what> after 4000 bytes." when the
// size is not known.
std::wstring TransferStopText(std::wstring_view what, uint64_t moved, std::optional<uint64_t> expected);

// The words for a data connection that ended in order but brought another
// number of bytes than expected; nothing when the count is right or the size
// is not known.
std::optional<std::wstring> SizeMismatchText(uint64_t moved, std::optional<uint64_t> expected);
