#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/ImportExportFile.h"
#include "store/UserPrompt.h"

// Messages of a site import; both are shown with a warning or error icon.
constexpr std::wstring_view kBadFormatCaption = L"Bad Format";
constexpr std::wstring_view kNoSitesInFile = L"No Ftp sites were found in the file.";
constexpr std::wstring_view kImportErrorCaption = L"Import Error";
constexpr std::wstring_view kRecordsNotRead = L"One or more records could not be read!";

// The export text of every slot of every server below the given labels
// (compared exactly), labels and slots in the registry's order. Passwords
// are written in plain text.
std::wstring SiteExportText(const std::vector<std::wstring>& labels);

ExportResult ExportSites(const std::wstring& path, const std::vector<std::wstring>& labels, UserPrompt& prompt);

struct SiteImportResult {
    bool sitesFound = false;     // false: the file could not be read or held no "Label" line
    bool allRecordsRead = true;  // false: a record lacked its label, server or user name
    size_t stored = 0;
    size_t kept = 0;  // records that already existed and were not overwritten
};

// Stores every complete record of a site file. A record whose label, server
// and user already have a slot replaces that slot only when the user agrees;
// any other goes into the first free slot of its label and server.
SiteImportResult ImportSites(const std::wstring& path, UserPrompt& prompt);
