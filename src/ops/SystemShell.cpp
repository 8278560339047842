#include <windows.h>
#include <shellapi.h>

#include "ops/Shell.h"

namespace {

class WindowsShell : public Shell {
public:
    bool OpenFile(const std::wstring& path) override
    {
        // ShellExecuteW reports success with a value above 32.
        HINSTANCE started = ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(started) > 32;
    }

    bool DeleteToRecycleBin(const std::wstring& path) override
    {
        std::wstring paths = path + L'\0';  // the list ends with a second NUL
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = paths.c_str();
        operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted &&
               GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    }

    bool FreeDiskSpace(const std::wstring& folder, uint64_t& bytes) override
    {
        ULARGE_INTEGER available{};
        if (!GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr))
            return false;
        bytes = available.QuadPart;
        return true;
    }
};

}  // namespace

Shell& SystemShell()
{
    static WindowsShell shell;
    return shell;
}
