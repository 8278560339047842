#pragma once
// Helpers of the transfer tests: file contents and a context that cancels
// part-way through a transfer.
#include <cstdint>
#include <random>
#include <string>

#include <windows.h>

#include "support/TestContexts.h"

inline bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Reproducible random file contents.
inline std::string RandomBytes(size_t count, uint32_t seed)
{
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// FNV-1a, 64 bits: a short fingerprint of a file's contents for comparisons.
inline uint64_t ContentHash(const std::string& bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// Cancels once progress has been drawn the given number of times.
class CancelAtProgress : public RecordingContext {
public:
    explicit CancelAtProgress(size_t draws) : draws_(draws) {}
    void SetProgress(double fraction) override
    {
        RecordingContext::SetProgress(fraction);
        if (progress.size() >= draws_)
            cancelled = true;
    }

private:
    size_t draws_;
};
