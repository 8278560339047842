#pragma once
#include <windows.h>

#include <string>

// CreateFileW that waits out a sharing violation: pauses of 4, 8, 16 ... ms,
// each taken only while it fits in what remains of a 500 ms budget.
// Returns INVALID_HANDLE_VALUE on failure, with the last error set.
HANDLE CreateFileWithRetry(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                           DWORD attributes = FILE_ATTRIBUTE_NORMAL);
