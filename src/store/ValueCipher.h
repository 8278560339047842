#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <string>

// The RC4 key that hides stored passwords from a casual look at the registry.
// It is derived from a fixed pass phrase, so every installation shares it:
// this is obfuscation, not protection against anyone who has the registry.
class ValueCipher {
public:
    // providerName: a CryptoAPI provider of type PROV_RSA_FULL.
    explicit ValueCipher(const wchar_t* providerName);
    ~ValueCipher();
    ValueCipher(const ValueCipher&) = delete;
    ValueCipher& operator=(const ValueCipher&) = delete;

    // False when the provider or the key could not be had.
    bool Available() const { return key_ != 0; }
    // Each call starts at the beginning of the key stream.
    bool Encrypt(std::string& bytes) const;
    bool Decrypt(std::string& bytes) const;

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTKEY key_ = 0;
};

// The process's cipher over "Microsoft Base Cryptographic Provider v1.0",
// made on first use and kept; a failure is not retried.
const ValueCipher& StoredPasswordCipher();
