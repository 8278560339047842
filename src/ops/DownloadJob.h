#pragma once
#include <string>
#include <vector>

#include "ops/Connection.h"
#include "ops/TransferJob.h"
#include "store/UserPrompt.h"

// Whether the job waits a moment after the last file for a press of Cancel
// that may still be on its way (a window's button, whose message can come in
// after the last file has finished), so that it still counts as a cancel.
enum class LateCancel { Awaited, NotAwaited };

// Downloads the named files and folders of the session's current remote
// folder (names as listed; a link's " -> target" is allowed) into localFolder:
// queue building, the transfer phase, the roll-back offered after a cancel,
// then each downloaded file gets the server's modification time. Ok only
// when every queued file arrived; Cancelled when the user (or standby during
// the queue building) stopped it.
NetResult DownloadSelection(TaskContext& context, Connection& connection, UserPrompt& prompt,
                            const std::vector<std::wstring>& remoteNames, const std::wstring& localFolder,
                            LateCancel lateCancel = LateCancel::Awaited);

// The same for a queue built beforehand (Synchronize): items with absolute
// remote paths, job.remoteRoot the folder to return to. Nothing happens for
// an empty queue.
NetResult DownloadPreparedQueue(TaskContext& context, Connection& connection, UserPrompt& prompt, TransferJob& job);
