#include "ftp/ServerTest.h"

#include <windows.h>

#include "ftp/ProxyConfig.h"
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

LoginRequest LoginOf(const ServerTest& test)
{
    return {test.host, test.user, test.password, test.useTls, test.implicitTls};
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
    // A listing that failed before any data arrived (PASV refused, or no
    // data connection) is a passive-mode problem.
    if (listing.dataConnectionFailed || result == NetResult::Failed) {
        test.report += L"Passive Connection Failed!\r\n";
        test.report += std::wstring(L"See ") + kPassiveModeHelpAddress + L" for help with passive mode connections.\r\n";
        test.Result(ServerTestStep::PassiveMode) = StepFailed;
    } else {
        test.Result(ServerTestStep::PassiveMode) = StepPassed;
    }
    return NetResult::Ok;
}

// Uploads a small file as "_ftptest"; the outcome goes to the record.
NetResult WriteTestFile(ServerTest& test, TaskContext& context, FtpSession& session)
{
    BeginStep(context, 0.8, L"Upload test...");
    wchar_t folder[MAX_PATH + 1];
    wchar_t path[MAX_PATH + 1];
    NetResult result = NetResult::Failed;
    if (GetTempPathW(MAX_PATH + 1, folder) && GetTempFileNameW(folder, L"ftt", 0, path)) {
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        bool ready = file != INVALID_HANDLE_VALUE && WriteFile(file, "Test", 4, &written, nullptr) && written == 4;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (ready)
            result = Upload(context, session, kTestFileName, path);
        DeleteFileW(path);
    }
    if (result == NetResult::Cancelled)
        return result;
    if (result != NetResult::Ok) {
        test.outcome = TestUploadFailed;
        test.report += L" Unable to upload to the server.";
        test.Result(ServerTestStep::Write) = StepFailed;
        return NetResult::Failed;
    }
    test.report += L"File uploaded OK.\r\n";
    test.Result(ServerTestStep::Write) = StepPassed;
    return NetResult::Ok;
}

NetResult DeleteTestFile(ServerTest& test, TaskContext& context, FtpSession& session)
{
    BeginStep(context, 0.9, L"Deleting file...");
    NetResult result = DeleteRemoteFile(context, session, kTestFileName);
    if (result == NetResult::Cancelled)
        return result;
    if (result != NetResult::Ok) {
        test.outcome = TestDeleteFailed;
        test.report += L"Unable to delete from server.";
        test.Result(ServerTestStep::Delete) = StepFailed;
        return NetResult::Ok;
    }
    test.report += L"File deleted OK.\r\n";
    test.Result(ServerTestStep::Delete) = StepPassed;
    context.SetProgress(1.0);
    return NetResult::Ok;
}

}  // namespace

NetResult RunServerTest(ServerTest& test, TaskContext& context, FtpSession& session)
{
    Reset(test);
    context.SetProgress(0.01);
    context.SetStatus(L"Testing FTP...", 0);
    BeginStep(context, 0.1, L"Testing Server...");
    if (!Resolves(test)) {
        test.outcome = TestServerNotReached;
        test.report += L"Unable to connect to server \"" + test.host + L"\".";
        test.Result(ServerTestStep::ServerAddress) = StepFailed;
        return NetResult::Ok;
    }
    test.report += L"Server \"" + test.host + L"\" is OK.\r\n";
    test.Result(ServerTestStep::ServerAddress) = StepPassed;

    BeginStep(context, 0.2, L"Logon...");
    NetResult result = Login(context, session, LoginOf(test));
    if (result == NetResult::Cancelled)
        return NetResult::Ok;
    if (result != NetResult::Ok) {
        test.outcome = TestLoginRefused;
        test.report += L"Unable to logon with username \"" + test.user + L"\" or entered password.";
        test.Result(ServerTestStep::LogIn) = StepFailed;
        return NetResult::Ok;
    }
    test.report += L"Logon details are OK.\r\n";
    test.Result(ServerTestStep::LogIn) = StepPassed;

    context.SetProgress(0.3);
    if (!test.startFolder.empty()) {
        context.SetStatus(L"Change directory...", 1);
        result = ChangeRemoteFolder(context, session, test.startFolder);
        if (result == NetResult::Cancelled)
            return result;
        if (result != NetResult::Ok) {
            test.outcome = TestStartFolderRefused;
            test.report += L"Unable to change to the directory \"" + test.startFolder + L"\".";
            test.Result(ServerTestStep::ChangeDirectory) = StepFailed;
            return NetResult::Ok;
        }
        test.report += L"Directory changed OK.\r\n";
    }
    test.Result(ServerTestStep::ChangeDirectory) = StepPassed;

    BeginStep(context, 0.4, L"Get directory...");
    std::wstring folder;
    result = GetRemoteFolder(context, session, folder);
    if (result == NetResult::Cancelled)
        return result;
    if (result != NetResult::Ok) {
        test.outcome = TestWorkingFolderMissing;
        test.report += L"Unable to get the current directory.\r\n";
        test.Result(ServerTestStep::GetWorkingFolder) = StepFailed;
        return NetResult::Ok;
    }
    test.workingFolder = CutText(folder);
    test.report += L"Current directory is: " + test.workingFolder + L"\r\n";
    test.Result(ServerTestStep::GetWorkingFolder) = StepPassed;

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
    result = WriteTestFile(test, context, session);
    if (result == NetResult::Cancelled)
        return result;
    if (result != NetResult::Ok)
        return NetResult::Ok;
    return DeleteTestFile(test, context, session);
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
    NetResult result = Login(context, session, LoginOf(test));
    if (result == NetResult::Failed)
        context.ShowError(L"Unable to log onto server.");
    return result;
}
