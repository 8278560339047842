#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

// One single-file transfer of a job's queue.
struct QueueItem {
    std::wstring localPath;
    std::wstring remotePath;  // downloads: absolute; uploads: relative to the remote root
    std::wstring error;       // empty while no error
    // Downloads: the permission text its folder's listing gave, when it did.
    std::optional<std::wstring> permissions;
    // Downloads: the job has put its own file at localPath, so a roll-back
    // may remove it. A user's file that was only queued is never touched.
    bool written = false;
};

// "Do this for all" of the overwrite prompts, for one command.
struct OverwriteMemory {
    bool forAll = false;
    bool overwrite = false;
};

// What one upload or download command collects and consumes.
struct TransferJob {
    std::wstring localRoot;
    std::wstring remoteRoot;
    // New items go to the front and the transfer phase takes them from the
    // front: files are transferred in the reverse order of queuing.
    std::deque<QueueItem> queue;
    // Downloads: local folders the job created; uploads: remote folders it
    // created. Newest first.
    std::vector<std::wstring> createdFolders;
    // Uploads: remote paths (relative to the remote root) the job stored.
    std::vector<std::wstring> transferredFiles;
    OverwriteMemory memory;
};
