#pragma once

// Result of every network and FTP operation; values travel through
// out-parameters and nothing is thrown.
enum class NetResult { Ok = 0, Cancelled = 1, Failed = 2 };
