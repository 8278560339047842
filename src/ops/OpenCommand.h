#pragma once
#include "ops/Connection.h"
#include "ops/RemoteSelection.h"
#include "ops/Shell.h"

// Open on a file row: the file is downloaded into the temporary folder under
// its own name and opened with the program the shell associates with it. Ok
// when it was opened; a failure is logged with the transfer's reason, a
// cancelled download logs nothing and opens nothing.
NetResult OpenRemoteFile(TaskContext& context, Connection& connection, Shell& shell, const SelectedRemoteRow& row);
