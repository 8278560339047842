// transfer-bench: times one download or upload through the engine, for
// bench/transfer. Prints "SECONDS BYTES" of the transfer itself (log-in and
// FEAT not counted; the size query, PASV and the replies are) on success.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ftp/Login.h"
#include "ftp/Transfer.h"
#include "ui/SessionLog.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

uint64_t FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 8) {
        fwprintf(stderr, L"usage: transfer-bench HOST:PORT USER PASSWORD plain|explicit get|put REMOTE LOCAL [BLOCK_BYTES]\n");
        return 2;
    }
    std::wstring mode = argv[4], direction = argv[5], remote = argv[6], local = argv[7];
    FtpSession session;
    // 0 or nothing: the product's block size.
    if (argc > 8 && _wtoi64(argv[8]) > 0)
        session.transferBlockBytes = static_cast<size_t>(_wtoi64(argv[8]));
    LoginRequest request{argv[1], argv[2], argv[3], mode == L"explicit", false};
    if (Login(NullContext(), session, request, {}) != NetResult::Ok) {
        fwprintf(stderr, L"transfer-bench: log-in failed\n");
        return 1;
    }
    // A session in use has asked FEAT already (its first listing does).
    QueryFeatures(NullContext(), session);
    std::wstring replyText;
    double start = Now();
    NetResult result = direction == L"get" ? Download(NullContext(), session, remote, local, &replyText)
                                           : Upload(NullContext(), session, remote, local, &replyText);
    double seconds = Now() - start;
    if (result != NetResult::Ok) {
        fwprintf(stderr, L"transfer-bench: %ls failed: %ls\n", direction.c_str(), replyText.c_str());
        return 1;
    }
    printf("%.6f %llu\n", seconds, static_cast<unsigned long long>(FileBytes(local)));
    return 0;
}
