#include "store/ProtectedValues.h"

#include "net/TextCodec.h"
#include "store/ValueCipher.h"

namespace {

std::wstring EncryptedName(std::wstring_view name)
{
    return L"_" + std::wstring(name);
}

// Text up to its first NUL, as C strings end.
template <typename String>
String UpToNul(const String& text)
{
    return text.substr(0, text.find(typename String::value_type(0)));
}

}  // namespace

std::wstring ReadProtected(const RegKeyRef& key, std::wstring_view name, bool* found)
{
    return ReadProtected(StoredPasswordCipher(), key, name, found);
}

bool WriteProtected(const RegKeyRef& key, std::wstring_view name, std::wstring_view text)
{
    return WriteProtected(StoredPasswordCipher(), key, name, text);
}

std::wstring ReadProtected(const ValueCipher& cipher, const RegKeyRef& key, std::wstring_view name, bool* found)
{
    std::string bytes;
    if (cipher.Available() && ReadValueBytes(key, EncryptedName(name), bytes) && cipher.Decrypt(bytes)) {
        if (found)
            *found = true;
        return CutText(Utf8ToWide(CutUtf8(UpToNul(bytes))));
    }
    return ReadString(key, name, L"", found);
}

bool WriteProtected(const ValueCipher& cipher, const RegKeyRef& key, std::wstring_view name, std::wstring_view text)
{
    if (cipher.Available()) {
        std::string bytes = WideToUtf8Limited(UpToNul(std::wstring(text)));
        if (cipher.Encrypt(bytes) && WriteBinary(key, EncryptedName(name), bytes))
            return true;
    }
    return WriteString(key, name, text);
}
