#include "store/ValueCipher.h"

#include <algorithm>

namespace {

constexpr char kPassPhrase[] = "pvtrmelqoz";

// A fresh copy of the key, destroyed when it goes out of scope.
class KeyCopy {
public:
    explicit KeyCopy(HCRYPTKEY key)
    {
        if (!CryptDuplicateKey(key, nullptr, 0, &copy_))
            copy_ = 0;
    }
    KeyCopy(const KeyCopy&) = delete;
    KeyCopy& operator=(const KeyCopy&) = delete;
    ~KeyCopy()
    {
        if (copy_)
            CryptDestroyKey(copy_);
    }
    HCRYPTKEY Handle() const { return copy_; }

private:
    HCRYPTKEY copy_ = 0;
};

}  // namespace

ValueCipher::ValueCipher(const wchar_t* providerName)
{
    // The default key container does not exist until someone creates it.
    if (!CryptAcquireContextW(&provider_, nullptr, providerName, PROV_RSA_FULL, 0) &&
        !CryptAcquireContextW(&provider_, nullptr, providerName, PROV_RSA_FULL, CRYPT_NEWKEYSET)) {
        provider_ = 0;
        return;
    }
    HCRYPTHASH hash = 0;
    if (!CryptCreateHash(provider_, CALG_MD5, 0, 0, &hash))
        return;
    if (!CryptHashData(hash, reinterpret_cast<const BYTE*>(kPassPhrase), sizeof(kPassPhrase) - 1, 0) ||
        !CryptDeriveKey(provider_, CALG_RC4, hash, CRYPT_EXPORTABLE, &key_))
        key_ = 0;
    CryptDestroyHash(hash);
}

ValueCipher::~ValueCipher()
{
    if (key_)
        CryptDestroyKey(key_);
    if (provider_)
        CryptReleaseContext(provider_, 0);
}

bool ValueCipher::Encrypt(std::string& bytes) const
{
    if (!Available())
        return false;
    if (bytes.empty())  // RC4 turns nothing into nothing
        return true;
    KeyCopy copy(key_);
    if (!copy.Handle())
        return false;
    DWORD length = static_cast<DWORD>(bytes.size());
    DWORD needed = length;
    if (!CryptEncrypt(copy.Handle(), 0, TRUE, 0, nullptr, &needed, 0))
        return false;
    std::string buffer(bytes);
    buffer.resize(std::max<size_t>(needed, length));
    if (!CryptEncrypt(copy.Handle(), 0, TRUE, 0, reinterpret_cast<BYTE*>(buffer.data()), &length,
                      static_cast<DWORD>(buffer.size())))
        return false;
    buffer.resize(length);
    bytes.swap(buffer);
    return true;
}

bool ValueCipher::Decrypt(std::string& bytes) const
{
    if (!Available())
        return false;
    if (bytes.empty())
        return true;
    KeyCopy copy(key_);
    if (!copy.Handle())
        return false;
    DWORD length = static_cast<DWORD>(bytes.size());
    if (!CryptDecrypt(copy.Handle(), 0, TRUE, 0, reinterpret_cast<BYTE*>(bytes.data()), &length))
        return false;
    bytes.resize(length);
    return true;
}

const ValueCipher& StoredPasswordCipher()
{
    static const ValueCipher cipher(L"Microsoft Base Cryptographic Provider v1.0");
    return cipher;
}
