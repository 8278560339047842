// trust-test-ca.exe CA.pem: makes this Wine prefix trust the test CA (the
// current user's Root store), so that the test servers' certificates verify.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: trust-test-ca CA.pem\n");
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fwprintf(stderr, L"cannot open %ls\n", argv[1]);
        return 1;
    }
    std::string pem(65536, '\0');
    DWORD n = 0;
    ReadFile(file, pem.data(), static_cast<DWORD>(pem.size()), &n, nullptr);
    CloseHandle(file);
    pem.resize(n);

    DWORD derLength = 0;
    if (!CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &derLength, nullptr, nullptr)) {
        fwprintf(stderr, L"not a PEM certificate\n");
        return 1;
    }
    std::string der(derLength, '\0');
    CryptStringToBinaryA(pem.c_str(), 0, CRYPT_STRING_BASE64HEADER, reinterpret_cast<BYTE*>(der.data()), &derLength,
                         nullptr, nullptr);
    HCERTSTORE root = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (!root ||
        !CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), derLength,
                                          CERT_STORE_ADD_REPLACE_EXISTING, nullptr)) {
        fwprintf(stderr, L"cannot add the certificate: %lu\n", GetLastError());
        return 1;
    }
    CertCloseStore(root, 0);
    return 0;
}
