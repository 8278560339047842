#pragma once
#include <string>
#include <vector>

#include "ops/Connection.h"
#include "ops/RemoteNameRules.h"
#include "ops/TransferJob.h"
#include "store/UserPrompt.h"

// Queue building of an upload: the selected local files and folders (full
// paths below job.localRoot) go into job.queue with their remote paths
// relative to job.remoteRoot (the name rules applied); remote folders are
// created on the way and those the job made are recorded. Existing remote
// files are overwritten only when the user agrees. Local links and junctions
// are not followed. Cancelled when stopped by the context or standby, Failed
// when a remote folder could not be entered.
NetResult BuildUploadQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                           const std::vector<std::wstring>& localPaths, const RemoteNameRules& rules);

// The remote path of a local one below the job's local root: "\" turned into
// "/", the name rules applied.
std::wstring UploadRemotePath(const TransferJob& job, const std::wstring& localPath, const RemoteNameRules& rules);
