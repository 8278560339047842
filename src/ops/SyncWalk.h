#pragma once
#include <string>
#include <vector>

#include "ops/Connection.h"
#include "ops/RemoteNameRules.h"
#include "ops/SyncDecisions.h"

// One transfer Synchronize would make, with the pair of folders it belongs to.
struct SyncItem {
    std::wstring localFolder;   // full local path of the folder
    std::wstring remoteFolder;  // the server's path (PWD) of the folder
    std::wstring listedName;    // downloads: the remote name as listed (a link's " -> target" kept)
    SyncDecision decision;
};

// What each side would get, folder by folder in the order of the walk.
struct SyncPlan {
    std::vector<SyncItem> downloads;
    std::vector<SyncItem> uploads;
};

// Walks the local and the remote tree side by side from their roots (remoteRoot
// empty: the session's current folder), entering every folder that exists on
// both sides, and collects the decisions to transfer. Remote times without
// seconds are asked by MDTM, where the server has it, for the files found on
// both sides. Skipped names and folders that cannot be entered are logged.
// Ends in the remote root. Cancelled when stopped; Failed when the root could
// not be entered or listed.
NetResult CompareFolders(TaskContext& context, Connection& connection, const std::wstring& localRoot,
                        const std::wstring& remoteRoot, const RemoteNameRules& rules, SyncPlan& plan,
                        std::wstring& remoteRootPath);
