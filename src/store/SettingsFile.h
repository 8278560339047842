#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

// The settings file carries three FTP options, in this order, under the same
// names as the settings they come from.
constexpr std::array<std::wstring_view, 3> kFileFtpOptions = {L"FtpLowerCase", L"FtpNoSpaces", L"FtpRetry"};

using FtpOptionValues = std::array<bool, kFileFtpOptions.size()>;
// What a settings file said about each option; empty when it did not name it.
using FtpOptionsFound = std::array<std::optional<bool>, kFileFtpOptions.size()>;

// "Name:1" or "Name:0" with CR LF for each option.
std::wstring FormatSettingsFile(const FtpOptionValues& values);

// A line sets an option wherever it holds "Name:" (one line may set several):
// on when the decimal number right after it is not 0, off otherwise (letters
// read as 0).
void ReadSettingsLine(std::string_view line, FtpOptionsFound& found);
