#pragma once
#include <cstdint>
#include <string>

// What the engine has learnt about the server during one log-in.
enum FeatureFlag : uint32_t {
    FeatQueried = 0x0001,
    HasSize = 0x0002,
    HasMdtm = 0x0004,
    MlstFailed = 0x0008,
    MlstModify = 0x0010,
    MlstSize = 0x0020,
    MlstType = 0x0040,
    MlsdFailed = 0x0080,
    HasMlsd = 0x0100,
    SystQueried = 0x0200,
    SystWindows = 0x0400,
    HasMfmt = 0x0800,
    HasUtf8 = 0x1000,
    SystUnix = 0x2000,
    HasRestStream = 0x4000,  // REST with a byte offset before RETR and STOR
    DataProtected = 0x8000,  // PBSZ 0 and PROT P accepted: data connections are protected
};

// The names of the flags set in a features word, separated by spaces.
std::wstring FeatureNames(uint32_t features);
