#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ops/RemoteNameRules.h"
#include "ops/SyncTime.h"

// What Synchronize does with each name of one local folder and the matching
// remote folder, and what Compare Directories shows for it. Times decide,
// sizes never do. A folder on both sides is entered and compared name by name
// (its own time says nothing about the files inside), never sent whole.

// One file or folder of either side. A remote link counts as what it leads to;
// its name is its own name, without " -> target".
struct SyncEntry {
    std::wstring name;
    bool isFolder = false;
    uint64_t size = 0;  // shown, not compared
    SyncTime modified;  // on one clock (UTC) for both sides
};

enum class SyncAction : uint8_t { Upload, Download, Skip, Descend };

enum class SyncReason : uint8_t {
    SameTime,      // Skip: files with the same time at the coarser precision
    LocalNewer,    // Upload
    RemoteNewer,   // Download
    OnlyLocal,     // Upload: the file or the whole folder
    OnlyRemote,    // Download: the file or the whole folder
    FolderOnBoth,  // Descend
    NoTime,        // Skip: a file on both sides, one of them without a time
    KindsDiffer,   // Skip: a folder on one side, a file on the other
    NamesClash,    // Skip: several names of one side pair with the same name
    NameRefused,   // Skip: the remote name cannot be a local name (refusal says why)
};

// Names pair when they are equal after the remote name rules, ignoring A-Z
// case as Windows does. An Upload goes to the paired remote entry's name, or,
// without one, to the local name after the remote name rules.
struct SyncDecision {
    SyncAction action = SyncAction::Skip;
    SyncReason reason = SyncReason::SameTime;
    std::optional<SyncEntry> local;
    std::optional<SyncEntry> remote;
    std::wstring refusal;  // NameRefused: the reason for the log
};

// Decisions for the remote entries in their order, then for the local entries
// that have no remote partner, in theirs. "." and ".." (also with a trailing
// "/") are left out.
std::vector<SyncDecision> DecideSync(const std::vector<SyncEntry>& local, const std::vector<SyncEntry>& remote,
                                     const RemoteNameRules& rules);
