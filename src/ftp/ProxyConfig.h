#pragma once
#include "ftp/Login.h"

// The proxy settings as stored now (FtpProxyType, ProxyHost, ProxyUsername,
// ProxyPassword under Settings).
ProxySettings ReadProxySettings();

// Login through whatever proxy the settings name, read at the moment of the
// log-in.
NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request);
NetResult Login(TaskContext& context, FtpSession& session, const LoginRequest& request, LoginFailure& failure);
