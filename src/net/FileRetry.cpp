#include "net/FileRetry.h"

HANDLE CreateFileWithRetry(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD attributes)
{
    constexpr DWORD kBudgetMs = 500;
    DWORD waited = 0;
    for (DWORD pause = 4;; pause *= 2) {
        HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || pause >= kBudgetMs - waited)
            return file;
        Sleep(pause);
        waited += pause;
    }
}
