#pragma once
#include <string>
#include <string_view>

#include "store/ImportExportFile.h"
#include "store/UserPrompt.h"

// Shown (caption "Bad Format", warning icon) when an import finds no option.
constexpr std::wstring_view kNoSettingsInFile = L"No Ftp settings were found in the file.";

// Writes FtpLowerCase, FtpNoSpaces and FtpRetry to a settings file.
ExportResult ExportSettings(const std::wstring& path, UserPrompt& prompt);

// Stores every option the file names; false when it names none or cannot be
// read.
bool ImportSettings(const std::wstring& path);
