#pragma once
#include "app/cli/CliServer.h"

// Logs in and changes to the target's start folder (the URL's path or the
// site's remote folder) when it names one; prints a message and returns false
// when either fails.
bool ConnectInStartFolder(TaskContext& context, FtpSession& session, const ServerTarget& target);
