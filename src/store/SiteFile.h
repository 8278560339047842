#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/SiteRecord.h"

// One saved site as it travels in a site export file.
struct SiteFileRecord {
    std::wstring label;
    std::wstring server;
    std::wstring userName;  // an imported "Domain" line is already folded in as domain\user
    std::wstring password;  // plain text
    // A file without these lines gives the start folders a site has by default.
    std::wstring directory = L"/";
    std::wstring localDirectory = L"C:\\";
    bool rememberPassword = false;
    bool explicitTls = false;
    bool implicitTls = false;
    bool useRecentLocal = false;
    bool useRecentRemote = false;
    UnprotectedLogin unprotectedLogin = UnprotectedLogin::Ask;  // a file without the line asks, as before

    bool operator==(const SiteFileRecord&) const = default;
};

// The eleven "Key:value" lines of one record, each ended by CR LF, and an
// "AllowUnprotected" line after them only when an answer is remembered.
std::wstring FormatSiteRecord(const SiteFileRecord& record);

// What the parser found in a site file.
struct SiteFileContents {
    std::vector<SiteFileRecord> records;  // the complete records, in file order
    size_t unreadableRecords = 0;         // records dropped for a missing label, server or user name
    bool hasLabelLine = false;
};

// Reads a site file line by line. A "Label" line finishes the record being
// collected and starts the next one; lines before the first "Label" fill no
// record. Keys are matched exactly (case-sensitive); unknown lines are ignored.
class SiteFileParser {
public:
    void AddLine(std::string_view line);
    // Finishes the last record and hands over everything found.
    SiteFileContents Finish();

private:
    void FinishRecord();

    SiteFileContents contents_;
    std::optional<SiteFileRecord> collecting_;
    std::wstring domain_;
};
