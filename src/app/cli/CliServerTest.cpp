// tarnwick-cli test SERVER [--full]: the connection test, printing its
// report and the table of steps.
#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "app/cli/CliServer.h"
#include "ftp/ServerTest.h"
#include "ops/ProxySettingsStore.h"

namespace {

const wchar_t* ResultWord(uint32_t result)
{
    switch (result) {
    case StepPassed:
        return L"passed";
    case StepFailed:
        return L"failed";
    default:
        return L"not run";
    }
}

void PrintReport(const std::wstring& report)
{
    size_t start = 0;
    while (start < report.size()) {
        size_t end = report.find(L"\r\n", start);
        if (end == std::wstring::npos)
            end = report.size();
        PrintLine(report.substr(start, end - start));
        start = end + 2;
    }
}

// The step table; Write and Delete belong to the full test only.
void PrintSteps(const ServerTest& test, bool full)
{
    size_t rows = full ? kServerTestStepCount : static_cast<size_t>(ServerTestStep::Write);
    for (size_t i = 0; i < rows; ++i) {
        std::wstring label = kServerTestStepLabels[i];
        label.resize(20, L' ');
        PrintLine(L"  " + label + ResultWord(test.stepResults[i]));
    }
    if (test.stepResults[static_cast<size_t>(ServerTestStep::GetWorkingFolder)] != StepPassed)
        return;
    PrintLine(L"Working folder: " + test.workingFolder);
    for (const std::wstring& name : test.folderNames)
        PrintLine(L"  " + name + L"/");
    for (const std::wstring& name : test.fileNames)
        PrintLine(L"  " + name);
}

}  // namespace

int RunTestCommand(const CliArguments& args)
{
    bool full = args.size() == 2 && args[1] == L"--full";
    std::optional<ServerTarget> target;
    if (args.size() == (full ? 2u : 1u))
        target = ResolveServer(args[0]);
    else
        PrintError(L"usage: tarnwick-cli test URL|LABEL [--full]");
    if (!target)
        return 2;
    ServerTest test;
    test.host = target->login.hostText;
    test.user = target->login.user;
    test.password = target->login.password;
    test.startFolder = target->path;
    test.useTls = target->login.secure;
    test.implicitTls = target->login.implicit;
    test.proxy = ReadProxySettings();
    test.allowUnprotected = target->login.allowUnprotected;
    ConsoleTaskContext context;
    NetResult result = NetResult::Ok;
    if (full) {
        result = RunFullServerTest(test, context);
    } else {
        FtpSession session;
        result = RunServerTest(test, context, session);
    }
    PrintLine(L"Report:");
    PrintReport(test.report);
    PrintLine(L"Steps:");
    PrintSteps(test, full);
    if (result == NetResult::Cancelled) {
        PrintError(L"test cancelled");
        return 1;
    }
    for (size_t i = 0; i < kServerTestStepCount; ++i) {
        if (test.stepResults[i] == StepFailed) {
            PrintError(std::wstring(L"the connection test failed at the step \"") + kServerTestStepLabels[i] + L"\"");
            return 1;
        }
    }
    return 0;
}
