#pragma once
#include "ftp/FtpSession.h"

// The logged-in session an operation works on, and the way back when the
// server drops it: the connection manager in the program, a plain log-in in
// the command-line tool and the tests.
class Connection {
public:
    virtual ~Connection() = default;
    // The same object for the connection's whole life, across reconnects:
    // callers keep references to it.
    virtual FtpSession& Session() = 0;
    // Logs in again with the last connection parameters and returns to the
    // start folder, showing nothing but the context's status lines.
    virtual NetResult Reconnect(TaskContext& context) = 0;
};
