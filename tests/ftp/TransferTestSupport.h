#pragma once
#include <cstdint>
#include <random>
#include <string>

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
