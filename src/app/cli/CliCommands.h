#pragma once
#include <string>
#include <vector>

// Each command gets the arguments after its name and returns the exit code.
using CliArguments = std::vector<std::wstring>;

int RunRawCommand(const CliArguments& args);
int RunLoginCommand(const CliArguments& args);
int RunGetCommand(const CliArguments& args);
int RunPutCommand(const CliArguments& args);
// get -r and put -r: folder trees.
int RunRecursiveGet(const CliArguments& args);
int RunRecursivePut(const CliArguments& args);
int RunTestCommand(const CliArguments& args);
// sync and compare: a local folder tree against a remote one.
int RunSyncCommand(const CliArguments& args);
int RunCompareCommand(const CliArguments& args);
int RunSitesCommand(const CliArguments& args);
int RunSiteAddCommand(const CliArguments& args);
int RunSiteRemoveCommand(const CliArguments& args);
int RunLsCommand(const CliArguments& args);
int RunMkdirCommand(const CliArguments& args);
int RunRmdirCommand(const CliArguments& args);
int RunRmCommand(const CliArguments& args);
// rm with -r: every name (files and folders) with everything in it.
int RunRecursiveRmCommand(const CliArguments& args);
int RunChmodCommand(const CliArguments& args);
int RunMvCommand(const CliArguments& args);
int RunRmtreeCommand(const CliArguments& args);
int RunCdCommand(const CliArguments& args);
int RunPwdCommand(const CliArguments& args);
int RunExportSitesCommand(const CliArguments& args);
int RunImportSitesCommand(const CliArguments& args);
int RunExportSettingsCommand(const CliArguments& args);
int RunImportSettingsCommand(const CliArguments& args);
