#include "support/RealFtpServer.h"

#include <sstream>

#include "net/TextCodec.h"
#include "support/ServerManager.h"
#include "support/TestLog.h"

namespace {

const char* TlsName(RealFtpServer::Tls tls)
{
    switch (tls) {
    case RealFtpServer::Tls::Explicit:
        return "explicit";
    case RealFtpServer::Tls::Implicit:
        return "implicit";
    default:
        return "none";
    }
}

}  // namespace

const char* RealFtpServer::CertificateName(Certificate certificate)
{
    switch (certificate) {
    case Certificate::WrongName:
        return "wrongname";
    case Certificate::Expired:
        return "expired";
    case Certificate::SelfSigned:
        return "selfsigned";
    default:
        return "good";
    }
}

std::string RealFtpServer::CertificateSha256(Certificate certificate)
{
    std::string path = TestEnvFolder() + "/certs/" + CertificateName(certificate) + ".sha256";
    return ReadWholeFile(WindowsPathOf(path));
}

const char* RealFtpServer::Name(Kind kind)
{
    return kind == Kind::Vsftpd ? "vsftpd" : "pyftpdlib";
}

RealFtpServer::RealFtpServer(Kind kind, Tls tls, Certificate certificate, const std::string& options)
{
    std::string answer =
        Ask(std::string("start ") + Name(kind) + " " + TlsName(tls) + " " + CertificateName(certificate) + " " + options);
    std::istringstream words(answer);
    std::string status, root, user, password;
    int port = 0;
    words >> status >> id_ >> port >> root >> user >> password;
    if (status != "ok" || port <= 0) {
        error_ = answer.empty() ? "the FTP server manager is not running (run the tests through ctest)" : answer;
        id_.clear();
        return;
    }
    port_ = static_cast<uint16_t>(port);
    root_ = WindowsPathOf(root);
    user_ = Utf8ToWide(user);
    password_ = Utf8ToWide(password);
}

RealFtpServer::~RealFtpServer()
{
    if (!id_.empty())
        Ask("stop " + id_);
}

std::wstring RealFtpServer::HostText() const
{
    return L"localhost:" + std::to_wstring(port_);
}

std::wstring RealFtpServer::RootPath(const std::wstring& relative) const
{
    std::wstring path = root_;
    for (wchar_t c : relative)
        path.push_back(c == L'/' ? L'\\' : c);
    return path;
}

void RealFtpServer::TakeOwnership()
{
    Ask("own " + id_);
}

bool RealFtpServer::MakeSymlink(const std::string& link, const std::string& target)
{
    return Ask("symlink " + id_ + " " + link + " " + target) == "ok";
}

std::string RealFtpServer::ProtocolLog() const
{
    std::string answer = Ask("log " + id_);
    if (answer.rfind("ok ", 0) != 0)
        return {};
    return ReadWholeFile(WindowsPathOf(answer.substr(3)));
}

std::string RealFtpServer::Ask(const std::string& request) const
{
    return AskServerManager(request);
}
