#pragma once
#include <string>
#include <vector>

struct ProcessResult {
    bool started = false;
    unsigned long exitCode = 0;
    std::string output;  // standard output and standard error together
};

// Runs a program of this build (found beside the test program) with the
// given arguments and collects what it prints.
ProcessResult RunSiblingProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                                unsigned long timeoutMs = 60000);
