#pragma once
#include <cstdint>
#include <string>

// What the file commands need from the Windows shell, so that they can run
// without a window and tests can stand in for the shell.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens the file with the program associated with it; false when none starts.
    virtual bool OpenFile(const std::wstring& path) = 0;
    // Moves a file or folder (with everything in it) to the recycle bin without
    // asking and without error windows; false when it is still there.
    virtual bool DeleteToRecycleBin(const std::wstring& path) = 0;
    // The bytes free for the current user on the volume holding folder.
    virtual bool FreeDiskSpace(const std::wstring& folder, uint64_t& bytes) = 0;
};

// The real shell.
Shell& SystemShell();
