#pragma once
#include <string>

#include "ops/Connection.h"
#include "ops/RemoteNameRules.h"
#include "ops/SyncWalk.h"
#include "store/UserPrompt.h"

struct SyncOptions {
    bool dryRun = false;  // walk and report, transfer nothing, ask nothing
    RemoteNameRules rules;
    // "Do not ask again." of the confirmation, kept by the caller for the
    // program run; null: always ask.
    bool* noConfirmation = nullptr;
};

// Brings the two trees to the newest copy of every file, in both directions:
// the decisions of CompareFolders, then the download and the upload phase of
// the transfer jobs on the queues built from them. Downloaded files get the
// server's time; on a server that cannot set times (no MFMT) an uploaded
// local file gets the time the server gave the copy, so that a second run
// finds both equal. The plan walked is stored in *plan when given. Ok only
// when everything decided was transferred; Cancelled when the user declined
// or stopped it.
NetResult SynchronizeFolders(TaskContext& context, Connection& connection, UserPrompt& prompt,
                             const std::wstring& localRoot, const std::wstring& remoteRoot, const SyncOptions& options,
                             SyncPlan* plan = nullptr);
