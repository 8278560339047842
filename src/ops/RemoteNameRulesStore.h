#pragma once
#include "ops/RemoteNameRules.h"

// The name rules as stored now (FtpNoSpaces and FtpLowerCase under Settings).
RemoteNameRules ReadRemoteNameRules();
