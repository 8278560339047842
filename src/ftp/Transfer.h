#pragma once
#include <string>

#include "ftp/FtpSession.h"

// One file over a passive data connection in binary mode, with progress on
// the context, a NOOP on the control connection every keep-alive interval and
// ABOR when the context is cancelled. replyText, when given, receives the
// server's words (or the program's own) on a failure, at most 259 units.

// Replaces the local file. Ok only when the data connection ended cleanly
// with every byte the server announced; a failed or cancelled download
// deletes what arrived (the session stays in step: ABOR and the replies owed
// are read). A failed write to the local file gives Failed with "Unable to
// write the local file.".
NetResult Download(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                   const std::wstring& localPath, std::wstring* replyText = nullptr);

// Stores the local file under remoteName (relative to the current remote
// folder or absolute). STOR refused with 550 is tried once more. On success
// the remote file gets the local file's modification time where the server
// offers MFMT.
NetResult Upload(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                 const std::wstring& localPath, std::wstring* replyText = nullptr);
