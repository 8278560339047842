#pragma once
#include "ftp/Login.h"

// The proxy settings as stored now (FtpProxyType, ProxyHost, ProxyUsername,
// ProxyPassword under Settings), read at the moment of each log-in.
ProxySettings ReadProxySettings();
