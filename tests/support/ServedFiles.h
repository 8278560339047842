#pragma once
#include <cstdint>
#include <string>

// Files and folders a test makes in a real server's served folder (Windows
// paths), with the modification times the server will report.

// Seconds since 1970 as the test's "now", cut to the minute: LIST shows no
// seconds, so times meant to compare across listing styles must have none.
int64_t WholeMinuteNow();

void SetModifiedTime(const std::wstring& path, int64_t seconds);
void MakeServedFile(const std::wstring& path, const std::string& bytes, int64_t modified);
// Creates the folder when missing; the time is best set after its contents.
void MakeServedFolder(const std::wstring& path);
bool PathExists(const std::wstring& path);
