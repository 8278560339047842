#pragma once
#include <functional>
#include <string>

#include "ops/Connection.h"
#include "ops/TransferJob.h"
#include "store/UserPrompt.h"

// Runs step up to `attempts` times with a silent reconnect after each failure
// but the last. Cancelled ends at once, as does a reconnect that is cancelled.
// After a reconnect the session is in the start folder: step must change to
// where it works itself.
NetResult WithReconnects(TaskContext& context, Connection& connection, int attempts,
                         const std::function<NetResult()>& step);

// The overwrite question of both directions ("A copy of the file ... already
// exists in the local folder. ..."), answered from the memory when "Do this
// for all" was ticked before. True: overwrite.
bool AnswerOverwrite(UserPrompt& prompt, OverwriteMemory& memory, const std::wstring& text);


// After a transfer that the standby flag interrupted: closes the control
// connection, waits until the flag clears, then logs in again (up to 11
// attempts, a 500 ms pause after each; a responsive one through the context
// when asked) into the start folder. Ok: the file may be transferred again.
NetResult RecoverFromStandby(TaskContext& context, Connection& connection, bool responsivePauses);

// Tells that the queue building ended because the computer went to standby.
void ShowStandbyCancel(UserPrompt& prompt, const wchar_t* caption, const wchar_t* text);
