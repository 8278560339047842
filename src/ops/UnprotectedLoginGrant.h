#pragma once
#include "store/UserPrompt.h"

// After the server refused AUTH TLS: whether the log-in may go on without
// TLS. The answer remembered with the current site decides; otherwise the
// user is asked, and the answer is stored with the site when the check box
// says so.
bool GrantUnprotectedLogin(UserPrompt& prompt);

// Whether the current site already allows it, so that no attempt has to fail
// first.
bool CurrentSiteAllowsUnprotected();
