#pragma once
#include <cstdint>
#include <optional>
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

// Downloads into a part file that may already hold the start of the remote
// file from an earlier attempt: when it is shorter than the server's size and
// the server announced REST STREAM, the transfer continues after those bytes
// (REST before RETR); otherwise, or when REST is refused, the file is written
// afresh. Ok only as for Download, with the whole file in partPath. Unlike
// Download, a failed or cancelled transfer keeps what arrived, so that a
// later call can continue it; the caller removes the part when it gives up.
// askedSize: what a size query the caller has just made gave (0 when it gave
// nothing), so that the server is not asked twice; without it the size is
// asked here.
NetResult ContinueDownload(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                           const std::wstring& partPath, std::wstring* replyText = nullptr,
                           std::optional<uint64_t> askedSize = std::nullopt);
// As ContinueDownload, but whatever partPath held is replaced: a part left
// by an earlier job may be of another version of the file.
NetResult StartPartDownload(TaskContext& context, FtpSession& session, const std::wstring& remotePath,
                            const std::wstring& partPath, std::wstring* replyText = nullptr,
                            std::optional<uint64_t> askedSize = std::nullopt);

// Stores the local file under remoteName (relative to the current remote
// folder or absolute). STOR refused with 550 is tried once more. On success
// the remote file gets the local file's modification time where the server
// offers MFMT. storeAccepted, when given, tells whether the server took the
// store command: from then on the remote file may hold a part of this one.
NetResult Upload(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                 const std::wstring& localPath, std::wstring* replyText = nullptr, bool* storeAccepted = nullptr);

// Stores the rest of the local file after the bytes an earlier attempt left
// on the server under remoteName: when the server's size is short of the
// local file, REST and STOR where it announced REST STREAM, APPE otherwise;
// when it cannot tell the size or holds as much or more, the whole file.
// A continued store is Ok only when the server's size then equals the local
// file's. Only for a remote file that an earlier attempt of this upload
// began to store: any other file would be continued as if it were the start
// of this one.
NetResult ContinueUpload(TaskContext& context, FtpSession& session, const std::wstring& remoteName,
                         const std::wstring& localPath, std::wstring* replyText = nullptr,
                         bool* storeAccepted = nullptr);
