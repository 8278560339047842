#pragma once
#include <cstdint>
#include <string>

#include "ftp/FtpSession.h"

// The small remote commands. Paths go to the server as given (absolute when
// they start with '/'), as UTF-8. Where a reply code is wanted, the code of the
// last reply read is stored in *code (0 when none was read).

// "CWD": Ok for replies 200-399 and 150.
NetResult ChangeRemoteFolder(TaskContext& context, FtpSession& session, const std::wstring& path,
                             uint16_t* code = nullptr);
// "PWD": the quoted path of a 2xx reply (empty when the reply quotes nothing).
NetResult GetRemoteFolder(TaskContext& context, FtpSession& session, std::wstring& path);
// "MKD": Ok also for 521 (the folder exists). "" and "/" send nothing.
NetResult MakeRemoteFolder(TaskContext& context, FtpSession& session, const std::wstring& path,
                           uint16_t* code = nullptr);
// "DELE".
NetResult DeleteRemoteFile(TaskContext& context, FtpSession& session, const std::wstring& name,
                           uint16_t* code = nullptr);
// "RMD": the folder must be empty.
NetResult RemoveRemoteFolder(TaskContext& context, FtpSession& session, const std::wstring& name,
                             uint16_t* code = nullptr);
// "RNFR" then "RNTO"; RNTO is not sent when RNFR is refused.
NetResult RenameRemote(TaskContext& context, FtpSession& session, const std::wstring& oldName,
                       const std::wstring& newName, uint16_t* code = nullptr);
// Changes to path (unless it is empty) and replaces it with the server's own
// absolute form of the new current folder.
NetResult ChangeRemoteFolderTracked(TaskContext& context, FtpSession& session, std::wstring& path);
// Deletes the folder (relative to the current one) with everything below it,
// depth first, reporting status and progress. Ends in the parent folder on
// success and inside the folder being deleted when cancelled or failed. A
// folder that cannot be entered counts as deleted (Ok).
NetResult DeleteRemoteTree(TaskContext& context, FtpSession& session, const std::wstring& folder);
