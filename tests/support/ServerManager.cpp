#include "support/ServerManager.h"

#include <winsock2.h>

#include <cstdlib>

#include "net/SecureSocket.h"
#include "net/TextCodec.h"
#include "support/TestLog.h"

std::string TestEnvFolder()
{
    const char* env = std::getenv("TARNWICK_TESTENV");
    return env ? env : "";
}

std::wstring WindowsPathOf(const std::string& unixPath)
{
    std::wstring path = L"Z:" + Utf8ToWide(unixPath);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::string AskServerManager(const std::string& request)
{
    if (TestEnvFolder().empty())
        return {};
    std::string portText = ReadWholeFile(WindowsPathOf(TestEnvFolder() + "/manager.port"));
    if (portText.empty())
        return {};
    StartNetworking();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(std::atoi(portText.c_str())));
    std::string answer;
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
        std::string line = request + "\n";
        send(s, line.data(), static_cast<int>(line.size()), 0);
        char c;
        while (recv(s, &c, 1, 0) == 1 && c != '\n')
            answer.push_back(c);
    }
    closesocket(s);
    return answer;
}
