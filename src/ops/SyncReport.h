#pragma once
#include <string>

#include "ops/SyncDecisions.h"

// One decision as a line for a listing of differences, e.g.
// "Upload notes.txt: newer here (2024-03-01 10:00:05 UTC, 120 bytes) than on
// the server (2024-03-01 09:00 UTC, 100 bytes)".
std::wstring SyncDecisionLine(const SyncDecision& decision);
