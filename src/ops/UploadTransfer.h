#pragma once
#include "ops/Connection.h"
#include "ops/TransferJob.h"

// The transfer phase of an upload: every queued file from the front, stored
// in its remote folder below the remote root and recorded among the
// transferred files. A failure is retried twice after a silent reconnect; a
// third one ends the phase as Failed and deletes the partial remote file it
// left. A transfer interrupted by standby is sent again after the wake-up; a
// cancelled one stays recorded, so that the roll-back can remove what of it
// arrived.
NetResult TransferUploads(TaskContext& context, Connection& connection, TransferJob& job);
