#pragma once
#include <string>
#include <vector>

#include "ops/Shell.h"

// Records what it is asked to do; opens when openWorks, deletes every path
// but the refused one.
class FakeShell : public Shell {
public:
    bool OpenFile(const std::wstring& path) override
    {
        opened.push_back(path);
        return openWorks;
    }
    bool DeleteToRecycleBin(const std::wstring& path) override
    {
        deleteCalls.push_back(path);
        return path != refused;
    }
    bool FreeDiskSpace(const std::wstring&, uint64_t& bytes) override
    {
        bytes = 0;
        return false;
    }

    bool openWorks = true;
    std::wstring refused;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> deleteCalls;
};
