#pragma once
// Running tarnwick-cli.exe against a real server, for the end-to-end tests.
#include <string>
#include <vector>

#include "support/ProcessRunner.h"
#include "support/RealFtpServer.h"

inline std::wstring UrlOf(const RealFtpServer& server, const std::wstring& path = L"/")
{
    return L"ftp://" + server.User() + L":" + server.Password() + L"@" + server.HostText() + path;
}

inline bool Has(const ProcessResult& run, const std::string& text)
{
    return run.output.find(text) != std::string::npos;
}

inline ProcessResult Cli(const std::vector<std::wstring>& arguments)
{
    return RunSiblingProgram(L"tarnwick-cli.exe", arguments);
}
