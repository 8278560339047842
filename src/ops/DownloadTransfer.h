#pragma once
#include "ops/Connection.h"
#include "ops/TransferJob.h"

// The transfer phase of a download: every queued file from the front, each
// written under its part name beside the target and renamed over the target
// only when it arrived whole, so a failed or cancelled file leaves an older
// local file as it was. A file that fails is retried twice after a silent
// reconnect, then marked "Failed" (or with the free-space error) and the next
// one follows. One interrupted by standby is transferred again after the
// wake-up. A retry and the transfer after a wake-up continue after the bytes
// already in the part file where the server can (REST). Cancelled when the user cancelled; Failed when the first file may
// not be read or the connection could not be recovered after standby.
NetResult TransferDownloads(TaskContext& context, Connection& connection, TransferJob& job);
