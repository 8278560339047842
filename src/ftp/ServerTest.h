#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ftp/FtpSession.h"
#include "ftp/Login.h"

// The steps of the connection test, in table order.
enum class ServerTestStep { ServerAddress, LogIn, ChangeDirectory, GetWorkingFolder, PassiveMode, Write, Delete };
constexpr size_t kServerTestStepCount = 7;
constexpr std::array<const wchar_t*, kServerTestStepCount> kServerTestStepLabels = {
    L"Server address", L"Log in", L"Change directory", L"Get working folder", L"Passive mode", L"Write", L"Delete"};

// How far a test got.
enum ServerTestOutcome : uint32_t {
    TestNotFinished = 0,
    TestReadStepsPassed = 1,
    TestServerNotReached = 2,
    TestLoginRefused = 3,
    TestStartFolderRefused = 4,
    TestWorkingFolderMissing = 5,
    TestUploadFailed = 6,
    TestDeleteFailed = 7,
};

enum ServerTestStepResult : uint32_t { StepNotRun = 0, StepFailed = 1, StepPassed = 2 };

// The help page on the problem of data connections that cannot be opened.
constexpr const wchar_t* kPassiveModeHelpAddress = L"https://www.velmora-software.com/tarnwick/help/passive-mode";

// The input of a connection test, filled by the caller, and what the test found.
struct ServerTest {
    std::wstring host;  // host or host:port
    std::wstring user;
    std::wstring password;
    std::wstring startFolder;  // empty: the change-directory step is skipped
    bool useTls = false;
    bool implicitTls = false;  // with useTls: TLS from the first byte, port 990 by default
    ProxySettings proxy;
    bool allowUnprotected = false;  // with explicit TLS: log in without it when the server refuses AUTH TLS

    uint32_t outcome = TestNotFinished;
    std::wstring report;
    std::array<uint32_t, kServerTestStepCount> stepResults{};
    std::wstring workingFolder;
    std::vector<std::wstring> folderNames;
    std::vector<std::wstring> fileNames;  // ends with "[More...]" when the listing was cut

    uint32_t& Result(ServerTestStep step) { return stepResults[static_cast<size_t>(step)]; }
};

// The read-only steps on the given session: resolve, log in (through the
// test's proxy), change to the start folder, ask the working folder, list it. A failed step is reported in the record; the result is
// Cancelled when the user stopped the test after the log-in, otherwise Ok.
NetResult RunServerTest(ServerTest& test, TaskContext& context, FtpSession& session);

// The read-only steps on a session of its own and, when they passed, uploads
// "_ftptest" into the working folder and deletes it again.
NetResult RunFullServerTest(ServerTest& test, TaskContext& context);

// Connects and logs in only. Failed after showing why through the context.
NetResult QuickLogonTest(ServerTest& test, TaskContext& context);
