#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>

#include "net/CertificateFacts.h"

// What the certificate itself says, with the problem left at None.
CertificateFacts ReadCertificateFacts(PCCERT_CONTEXT certificate);

// The system's verdict on the certificate's chain for this host name:
// trusted root, validity period and the name, as a TLS client checks them.
CertificateProblem VerifyCertificateChain(PCCERT_CONTEXT certificate, const std::wstring& host);
