#pragma once
#include <string>

#include "ops/Connection.h"

// A silent reconnect that ends in folder (absolute) rather than in the start
// folder, so that a command can try again where it failed.
NetResult ReconnectInFolder(TaskContext& context, Connection& connection, const std::wstring& folder);
