#include "ftp/ServerTest.h"

#include <windows.h>

#include "ftp/RemoteCommands.h"
#include "ftp/RemoteListing.h"
#include "ftp/Transfer.h"
#include "net/TextCodec.h"

namespace {

constexpr size_t kListedNamesShown = 20;
constexpr const wchar_t* kTestFileName = L"_ftptest";

void Reset(ServerTest& test)
{
    test.outcome = TestNotFinished;
    test.report.clear();
    test.stepResults.fill(StepNotRun);
    test.workingFolder.clear();
    test.folderNames.clear();
    test.fileNames.clear();
}

void BeginStep(TaskContext& context, double progress, const wchar_t* status)
{
    context.SetProgress(progress);
    context.SetStatus(status, 1);
}

// A failed step ends the test with its outcome, its sentence and its row.
void FailStep(ServerTest& test, ServerTestStep step, ServerTestOutcome outcome, const std::wstring& sentence)
{
    test.outcome = outcome;
    test.report += sentence;
    test.Result(step) = StepFailed;
}

void PassStep(ServerTest& test, ServerTestStep step, const std::wstring& sentence)
{
    test.report += sentence;
    test.Result(step) = StepPassed;
}

LoginRequest LoginOf(const ServerTest& test)
{
    return {test.host, test.user, test.password, test.useTls, test.implicitTls, test.allowUnprotected};
}

bool Resolves(const ServerTest& test)
{
    return SecureSocket::ResolveEndpoint(test.host, DefaultFtpPort(test.useTls, test.implicitTls)).sin_addr.s_addr != 0;
}

// Lists the working folder into the record and the report; Cancelled when
// the user stopped it.
NetResult ListWorkingFolder(ServerTest& test, TaskContext& context, FtpSession& session)
{
    test.report += L"Contains:";
    RemoteListing listing;
    NetResult result = ListRemoteFolder(context, session, listing);
    if (result == NetResult::Cancelled || listing.cancelled)
        return NetResult::Cancelled;
    size_t taken = 0;
    for (RemoteEntry& entry : listing.entries) {
        if (context.IsCancelled())
            return NetResult::Cancelled;
        if (IsDotEntry(entry))
            continue;
        if (taken == kListedNamesShown) {
            test.fileNames.push_back(L"[More...]");
            break;
        }
        bool folder = EntryIsFolder(context, session, listing, entry);
        if (listing.cancelled)
            return NetResult::Cancelled;
        (folder ? test.folderNames : test.fileNames).push_back(entry.name);
        test.report += L" " + entry.name;
        ++taken;
    }
    if (taken == 0)
        test.report += L" [no files]";
    test.report += L"\r\n";
    // A listing that failed (PASV refused, no data connection, or no end to
    // it) is reported as the passive-mode problem it nearly always is.
    bool passiveFailed = listing.dataConnectionFailed || result == NetResult::Failed;
    if (passiveFailed) {
        test.report += L"Passive Connection Failed!\r\n";
        test.report += std::wstring(L"See ") + kPassiveModeHelpAddress + L" for help with passive mode connections.\r\n";
    }
    test.Result(ServerTestStep::PassiveMode) = passiveFailed ? StepFailed : StepPassed;
    return NetResult::Ok;
}

// Uploads the four bytes "Test" from a temporary file as "_ftptest".
NetResult UploadTestFile(TaskContext& context, FtpSession& session)
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t path[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"ftt", 0, path))
        return NetResult::Failed;
    NetResult result = NetResult::Failed;
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        bool ready = WriteFile(file, "Test", 4, &written, nullptr) && written == 4;
        CloseHandle(file);
        if (ready)
            result = Upload(context, session, kTestFileName, path);
    }
    DeleteFileW(path);
    return result;
}

// Records how a write step (upload or delete) went; true when it passed.
bool RecordWriteStep(ServerTest& test, NetResult result, ServerTestStep step, ServerTestOutcome outcome,
                     const wchar_t* failed, const wchar_t* passed)
{
    if (result != NetResult::Ok) {
        FailStep(test, step, outcome, failed);
        return false;
    }
    PassStep(test, step, passed);
    return true;
}

}  // namespace

NetResult RunServerTest(ServerTest& test, TaskContext& context, FtpSession& session)
{
    Reset(test);
    context.SetProgress(0.01);
    context.SetStatus(L"Testing FTP...", 0);
    BeginStep(context, 0.1, L"Testing Server...");
    if (!Resolves(test)) {
        FailStep(test, ServerTestStep::ServerAddress, TestServerNotReached,
                 L"Unable to connect to server \"" + test.host + L"\".");
        return NetResult::Ok;
    }
    PassStep(test, ServerTestStep::ServerAddress, L"Server \"" + test.host + L"\" is OK.\r\n");

    BeginStep(context, 0.2, L"Logon...");
    NetResult result = Login(context, session, LoginOf(test), test.proxy);
    if (result == NetResult::Cancelled)
        return NetResult::Ok;
    if (result != NetResult::Ok) {
        FailStep(test, ServerTestStep::LogIn, TestLoginRefused,
                 L"Unable to logon with username \"" + test.user + L"\" or entered password.");
        return NetResult::Ok;
    }
    PassStep(test, ServerTestStep::LogIn, L"Logon details are OK.\r\n");

    context.SetProgress(0.3);
    if (!test.startFolder.empty()) {
        context.SetStatus(L"Change directory...", 1);
        result = ChangeRemoteFolder(context, session, test.startFolder);
        if (result == NetResult::Cancelled)
            return result;
        if (result != NetResult::Ok) {
            FailStep(test, ServerTestStep::ChangeDirectory, TestStartFolderRefused,
                     L"Unable to change to the directory \"" + test.startFolder + L"\".");
            return NetResult::Ok;
        }
    }
    // Without a start folder the step passes without its sentence.
    PassStep(test, ServerTestStep::ChangeDirectory, test.startFolder.empty() ? L"" : L"Directory changed OK.\r\n");

    BeginStep(context, 0.4, L"Get directory...");
    std::wstring folder;
    result = GetRemoteFolder(context, session, folder);
    if (result == NetResult::Cancelled)
        return result;
    if (result != NetResult::Ok) {
        FailStep(test, ServerTestStep::GetWorkingFolder, TestWorkingFolderMissing,
                 L"Unable to get the current directory.\r\n");
        return NetResult::Ok;
    }
    test.workingFolder = CutText(folder);
    PassStep(test, ServerTestStep::GetWorkingFolder, L"Current directory is: " + test.workingFolder + L"\r\n");

    BeginStep(context, 0.5, L"Get listing...");
    if (ListWorkingFolder(test, context, session) == NetResult::Cancelled)
        return NetResult::Cancelled;
    test.outcome = TestReadStepsPassed;
    return NetResult::Ok;
}

NetResult RunFullServerTest(ServerTest& test, TaskContext& context)
{
    FtpSession session;
    NetResult result = RunServerTest(test, context, session);
    if (result != NetResult::Ok || test.outcome != TestReadStepsPassed)
        return result;

    BeginStep(context, 0.8, L"Upload test...");
    result = UploadTestFile(context, session);
    if (result == NetResult::Cancelled)
        return result;
    if (!RecordWriteStep(test, result, ServerTestStep::Write, TestUploadFailed, L" Unable to upload to the server.",
                         L"File uploaded OK.\r\n"))
        return NetResult::Ok;

    BeginStep(context, 0.9, L"Deleting file...");
    result = DeleteRemoteFile(context, session, kTestFileName);
    if (result == NetResult::Cancelled)
        return result;
    if (RecordWriteStep(test, result, ServerTestStep::Delete, TestDeleteFailed, L"Unable to delete from server.",
                        L"File deleted OK.\r\n"))
        context.SetProgress(1.0);
    return NetResult::Ok;
}

NetResult QuickLogonTest(ServerTest& test, TaskContext& context)
{
    context.SetStatus(L"Connecting...", 0);
    context.SetProgress(0.1);
    context.SetProgress(0.33);
    if (!Resolves(test)) {
        context.ShowError(L"Unable to connect to server.");
        return NetResult::Failed;
    }
    context.SetStatus(L"Logon...", 0);
    context.SetProgress(0.66);
    FtpSession session;
    NetResult result = Login(context, session, LoginOf(test), test.proxy);
    if (result == NetResult::Failed)
        context.ShowError(L"Unable to log onto server.");
    return result;
}
