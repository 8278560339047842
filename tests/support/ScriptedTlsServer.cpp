#include "support/ScriptedTlsServer.h"

#include <windows.h>

#include <sstream>

#include "support/ServerManager.h"
#include "support/TestLog.h"

ScriptedTlsServer::ScriptedTlsServer(bool implicitTls, const std::vector<std::string>& script,
                                     RealFtpServer::Certificate certificate)
{
    static int counter = 0;
    std::string stem = TestEnvFolder() + "/script-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    std::string text;
    for (const std::string& step : script)
        text += step + "\n";
    WriteWholeFile(WindowsPathOf(stem + ".txt"), text);
    record_ = stem + ".received";
    WriteWholeFile(WindowsPathOf(record_), "");

    std::string answer = AskServerManager(std::string("scripted ") + (implicitTls ? "implicit " : "explicit ") + stem +
                                          ".txt " + record_ + " " + RealFtpServer::CertificateName(certificate));
    std::istringstream words(answer);
    std::string status;
    int port = 0;
    words >> status >> id_ >> port;
    if (status != "ok" || port <= 0) {
        error_ = answer.empty() ? "the FTP server manager is not running (run the tests through ctest)" : answer;
        id_.clear();
        return;
    }
    port_ = static_cast<uint16_t>(port);
}

ScriptedTlsServer::~ScriptedTlsServer()
{
    if (!id_.empty())
        AskServerManager("stop " + id_);
}

std::vector<std::string> ScriptedTlsServer::Received() const
{
    std::vector<std::string> lines;
    std::string all = ReadWholeFile(WindowsPathOf(record_));
    size_t start = 0;
    for (size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(all.substr(start, end + 1 - start));
    return lines;
}

bool ScriptedTlsServer::Finish(int timeoutMs) const
{
    std::wstring done = WindowsPathOf(record_ + ".done");
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        if (GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(20);
    }
    return false;
}

std::string ScriptedTlsServer::ReceivedData() const
{
    return ReadWholeFile(WindowsPathOf(record_ + ".data"));
}
