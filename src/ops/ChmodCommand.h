#pragma once
#include <vector>

#include "ops/Connection.h"
#include "ops/PermissionDigits.h"
#include "ops/RemoteSelection.h"

// The digits the Change File Permissions dialog starts with: those of the
// focused row's listed text, 0 0 0 when it cannot be read.
PermissionDigits DialogDigits(const SelectedRemoteRow& focused);

// Sends "SITE chmod" with the digits for each row in order and logs what
// became of it. A changed row's permission text is rewritten to the digits
// sent, and the server's own text is read back to warn when it kept other
// permissions. A server answering 504 does not support the command: nothing
// more is sent. Ok when every row was changed, Cancelled, or Failed when any
// row was refused.
NetResult ChangeRemotePermissions(TaskContext& context, Connection& connection,
                                  std::vector<SelectedRemoteRow>& rows, const PermissionDigits& digits);
