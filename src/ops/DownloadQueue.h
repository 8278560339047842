#pragma once
#include <string>
#include <vector>

#include "ops/Connection.h"
#include "ops/TransferJob.h"
#include "store/UserPrompt.h"

// Queue building of a download: the selected names of the remote root
// (job.remoteRoot, the session's current folder) go into job.queue, folders
// with everything below them, their local folders created below
// job.localRoot. Every local path is checked to lie below the local root;
// remote names Windows could not hold as one element are passed over with a
// log line, and a suspicious name ("/", "\", a drive name) stops the building
// while the files queued so far stay queued. Folders that lead back up or lie
// too deep are passed over. Cancelled when the context or the standby flag
// stopped it; otherwise Ok.
NetResult BuildDownloadQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job,
                             const std::vector<std::wstring>& names);
