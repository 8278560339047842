#pragma once
#include <cstdint>
#include <string>

// A real FTP server on 127.0.0.1 for one test, started through the test
// environment's server manager and stopped when the object goes.
class RealFtpServer {
public:
    enum class Kind { Vsftpd, Pyftpdlib };
    enum class Tls { None, Explicit, Implicit };
    enum class Certificate { Good, WrongName, Expired, SelfSigned };

    explicit RealFtpServer(Kind kind, Tls tls = Tls::None, Certificate certificate = Certificate::Good,
                           const std::string& options = "");
    ~RealFtpServer();
    RealFtpServer(const RealFtpServer&) = delete;
    RealFtpServer& operator=(const RealFtpServer&) = delete;

    bool Started() const { return port_ != 0; }
    const std::string& Error() const { return error_; }
    uint16_t Port() const { return port_; }
    // "localhost:port": the name the test certificates are issued for.
    std::wstring HostText() const;
    const std::wstring& User() const { return user_; }
    const std::wstring& Password() const { return password_; }
    // The served folder, as a Windows path (Wine's Z: drive).
    const std::wstring& Root() const { return root_; }
    std::wstring RootPath(const std::wstring& relative) const;
    // Gives files the test made in the folder to the server's user.
    void TakeOwnership();
    // Makes a symbolic link in the served folder (names without spaces).
    bool MakeSymlink(const std::string& link, const std::string& target);
    // The server's protocol log.
    std::string ProtocolLog() const;

    static const char* Name(Kind kind);
    // The SHA-256 fingerprint of a test certificate, upper-case hex.
    static std::string CertificateSha256(Certificate certificate);
    // The certificate's name in the server manager's requests.
    static const char* CertificateName(Certificate certificate);

private:
    std::string Ask(const std::string& request) const;

    std::string id_;
    uint16_t port_ = 0;
    std::wstring root_;
    std::wstring user_;
    std::wstring password_;
    std::string error_;
};
