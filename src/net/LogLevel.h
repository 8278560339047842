#pragma once
#include <cstdint>

// Stored with each log line; chooses colour and icon in the log panel.
enum LogLevel : uint8_t {
    LogInformation = 0,
    LogErrorLevel = 1,
    LogWarningLevel = 2,
    LogHint = 3,
    LogCommandLevel = 4,
    LogResponse = 5,
};
