#pragma once
#include "ops/Connection.h"
#include "ops/TransferJob.h"
#include "store/UserPrompt.h"

// After a cancelled download: asks "Delete downloaded local files and
// folders?" and on "Delete" removes the files this job wrote and the local
// folders it created (newest first, each only when empty by then). Files the
// user had before are never touched.
void OfferDownloadRollback(TaskContext& context, UserPrompt& prompt, TransferJob& job);

// After a cancelled upload that stored something: asks "Do you wish to
// delete the already uploaded files and folders?" and on "Delete" removes
// the stored remote files and the created remote folders with everything in
// them. Ok when it ran to its end.
NetResult OfferUploadRollback(TaskContext& context, Connection& connection, UserPrompt& prompt,
                              const TransferJob& job);
