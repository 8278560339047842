#pragma once
#include <string>
#include <vector>

#include "ops/Connection.h"
#include "ops/RemoteNameRules.h"
#include "ops/TransferJob.h"
#include "store/UserPrompt.h"

// Uploads the selected local files and folders (full paths, all in the
// folder localRoot) into remoteRoot (empty: the session's current folder):
// queue building, the transfer phase, and after a cancel the offer to delete
// what was stored. Ok only when every queued file was stored. answered: an
// overwrite answer "for all" given beforehand (a command line's); with
// "overwrite" the remote files are not even looked for.
NetResult UploadSelection(TaskContext& context, Connection& connection, UserPrompt& prompt,
                          const std::vector<std::wstring>& localPaths, const std::wstring& localRoot,
                          const std::wstring& remoteRoot, const RemoteNameRules& rules,
                          OverwriteMemory answered = {});

// The same for a queue built beforehand (Synchronize) with BuildUploadQueue.
// Nothing happens for an empty queue.
NetResult UploadPreparedQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job);
