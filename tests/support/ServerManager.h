#pragma once
#include <string>

// The test environment's server manager (ftpd_manager.py), which starts Linux
// server processes for the tests running under Wine.

// Sends one request line and returns the answer line ("" when the manager is
// not running).
std::string AskServerManager(const std::string& request);

// The test environment folder (a Linux path) and Linux paths as Wine sees
// them, through its Z: drive.
std::string TestEnvFolder();
std::wstring WindowsPathOf(const std::string& unixPath);
