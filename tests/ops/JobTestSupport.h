#pragma once
// Helpers of the transfer-job tests: log-ins to the real servers and whole
// local trees as maps of relative path to contents.
#include <windows.h>

#include <map>
#include <string>

#include "ftp/Login.h"
#include "ops/DirectConnection.h"
#include "support/RealFtpServer.h"
#include "support/TestLog.h"

inline LoginRequest JobLoginFor(const RealFtpServer& server, RealFtpServer::Tls tls = RealFtpServer::Tls::None)
{
    return {server.HostText(), server.User(), server.Password(), tls != RealFtpServer::Tls::None,
            tls == RealFtpServer::Tls::Implicit};
}

// Every file below root ("sub\name" -> contents) and every folder ("sub\" ->
// "<folder>"), links included as what they are.
inline void ReadTreeInto(const std::wstring& root, const std::wstring& relative,
                         std::map<std::wstring, std::string>& tree)
{
    WIN32_FIND_DATAW data;
    std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[path + L"\\"] = "<folder>";
            ReadTreeInto(root, path, tree);
        } else {
            tree[path] = ReadWholeFile(root + L"\\" + path);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

inline std::map<std::wstring, std::string> ReadTree(const std::wstring& root)
{
    std::map<std::wstring, std::string> tree;
    ReadTreeInto(root, L"", tree);
    return tree;
}
