#include "support/ScriptedFtpServer.h"

#include <ws2tcpip.h>

#include <chrono>
#include <cstdio>

#include "net/SecureSocket.h"

namespace {

SOCKET ListenOnLoopback(uint16_t& port, int backlog = SOMAXCONN)
{
    StartNetworking();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    listen(s, backlog);
    int length = sizeof(address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

// Waits for a connection; gives up after timeoutMs or when stopping is set.
SOCKET AcceptWithin(SOCKET listener, int timeoutMs, const std::atomic<bool>& stopping)
{
    for (int waited = 0; waited < timeoutMs && !stopping; waited += 100) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(listener, &set);
        timeval slice{0, 100000};
        if (select(0, &set, nullptr, nullptr, &slice) > 0)
            return accept(listener, nullptr, nullptr);
    }
    return INVALID_SOCKET;
}

// Waits until s is readable; false after timeoutMs or when stopping is set.
bool ReadableWithin(SOCKET s, int timeoutMs, const std::atomic<bool>& stopping)
{
    for (int waited = 0; waited < timeoutMs && !stopping; waited += 100) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval slice{0, 100000};
        if (select(0, &set, nullptr, nullptr, &slice) > 0)
            return true;
    }
    return false;
}

bool SendAll(SOCKET s, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        int n = send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

void CloseSocket(SOCKET& s)
{
    if (s != INVALID_SOCKET) {
        closesocket(s);
        s = INVALID_SOCKET;
    }
}

constexpr int kStepTimeoutMs = 20000;

}  // namespace

ScriptedFtpServer::ScriptedFtpServer()
{
    listener_ = ListenOnLoopback(port_);
}

ScriptedFtpServer::~ScriptedFtpServer()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    CloseSocket(data_);
    CloseSocket(dataListener_);
    CloseSocket(control_);
    CloseSocket(listener_);
}

std::wstring ScriptedFtpServer::HostText() const
{
    return L"127.0.0.1:" + std::to_wstring(port_);
}

void ScriptedFtpServer::Add(std::function<bool()> step)
{
    steps_.push_back(std::move(step));
}

void ScriptedFtpServer::Fail(const std::string& why)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (failure_.empty())
        failure_ = why;
}

ScriptedFtpServer& ScriptedFtpServer::Send(std::string bytes)
{
    Add([this, bytes = std::move(bytes)]() {
        if (SendAll(control_, bytes))
            return true;
        Fail("could not send \"" + bytes + "\"");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::SendUntilHangUp(std::string bytes)
{
    Add([this, bytes = std::move(bytes)]() {
        SendAll(control_, bytes);
        return true;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::Reply(const std::string& line)
{
    return Send(line + "\r\n");
}

bool ScriptedFtpServer::ReadControlLine(std::string& line)
{
    line.clear();
    while (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) {
        if (!ReadableWithin(control_, kStepTimeoutMs, stopping_))
            return false;
        char c;
        if (recv(control_, &c, 1, 0) != 1)
            return false;
        line.push_back(c);
    }
    return true;
}

ScriptedFtpServer& ScriptedFtpServer::ExpectLine()
{
    Add([this]() {
        std::string line;
        if (!ReadControlLine(line)) {
            Fail("expected a command line, got \"" + line + "\" and then nothing");
            return false;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        received_.push_back(line);
        return true;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::ExpectLines(int count)
{
    for (int i = 0; i < count; ++i)
        ExpectLine();
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::Pause(int milliseconds)
{
    Add([this, milliseconds]() {
        for (int waited = 0; waited < milliseconds && !stopping_; waited += 10)
            Sleep(10);
        return !stopping_;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::CloseControl()
{
    Add([this]() {
        CloseSocket(control_);
        return true;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::AcceptControl()
{
    Add([this]() {
        CloseSocket(control_);
        control_ = AcceptWithin(listener_, kStepTimeoutMs, stopping_);
        if (control_ != INVALID_SOCKET)
            return true;
        Fail("no further control connection");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::CloseListener()
{
    Add([this]() {
        CloseSocket(listener_);
        return true;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::WaitForClientClose()
{
    return ReadUntilClientClose(false);
}

bool ScriptedFtpServer::ReceiveControlBytes(bool record)
{
    char buffer[4096];
    int n = recv(control_, buffer, sizeof(buffer), 0);
    if (n <= 0)
        return false;
    if (record) {
        std::lock_guard<std::mutex> lock(mutex_);
        receivedBytes_.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

ScriptedFtpServer& ScriptedFtpServer::RecordBytes()
{
    Add([this]() {
        if (ReadableWithin(control_, kStepTimeoutMs, stopping_) && ReceiveControlBytes(true))
            return true;
        Fail("the client sent nothing");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::RecordBytesUntilClientClose()
{
    return ReadUntilClientClose(true);
}

ScriptedFtpServer& ScriptedFtpServer::ReadUntilClientClose(bool record)
{
    Add([this, record]() {
        while (ReadableWithin(control_, kStepTimeoutMs, stopping_)) {
            if (!ReceiveControlBytes(record))
                return true;
        }
        Fail("the client did not close the control connection");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::OfferPassive(const std::string& format, const std::string& address)
{
    Add([this, format, address]() {
        CloseSocket(dataListener_);
        uint16_t dataPort = 0;
        dataListener_ = ListenOnLoopback(dataPort);
        char numbers[64];
        snprintf(numbers, sizeof(numbers), "%s,%d,%d", address.c_str(), dataPort >> 8, dataPort & 0xFF);
        char reply[512];
        snprintf(reply, sizeof(reply), format.c_str(), numbers);
        return SendAll(control_, std::string(reply) + "\r\n");
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::AcceptData()
{
    Add([this]() {
        CloseSocket(data_);
        data_ = AcceptWithin(dataListener_, kStepTimeoutMs, stopping_);
        if (data_ != INVALID_SOCKET)
            return true;
        Fail("no data connection arrived");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::SendData(std::string bytes)
{
    Add([this, bytes = std::move(bytes)]() {
        if (SendAll(data_, bytes))
            return true;
        Fail("could not send on the data connection");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::ReceiveDataToEnd()
{
    Add([this]() {
        char buffer[65536];
        while (ReadableWithin(data_, kStepTimeoutMs, stopping_)) {
            int n = recv(data_, buffer, sizeof(buffer), 0);
            if (n <= 0)
                return true;
            std::lock_guard<std::mutex> lock(mutex_);
            receivedData_.append(buffer, static_cast<size_t>(n));
        }
        Fail("the data connection was not closed by the client");
        return false;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::CloseData()
{
    Add([this]() {
        CloseSocket(data_);
        return true;
    });
    return *this;
}

ScriptedFtpServer& ScriptedFtpServer::Run(std::function<void()> step)
{
    Add([step = std::move(step)]() {
        step();
        return true;
    });
    return *this;
}

void ScriptedFtpServer::Start()
{
    thread_ = std::thread([this]() { RunScript(); });
}

void ScriptedFtpServer::RunScript()
{
    control_ = AcceptWithin(listener_, kStepTimeoutMs, stopping_);
    if (control_ == INVALID_SOCKET) {
        Fail("no client connected");
    } else {
        for (auto& step : steps_) {
            if (stopping_ || !step())
                break;
        }
    }
    done_ = true;
}

bool ScriptedFtpServer::Finish(int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done_ && std::chrono::steady_clock::now() < deadline)
        Sleep(10);
    if (!done_)
        return false;
    if (thread_.joinable())
        thread_.join();
    return true;
}

bool ScriptedFtpServer::ConnectionWaiting() const
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener_, &set);
    timeval now{0, 0};
    return select(0, &set, nullptr, nullptr, &now) > 0;
}

std::vector<std::string> ScriptedFtpServer::Received() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::string ScriptedFtpServer::ReceivedData() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return receivedData_;
}

std::string ScriptedFtpServer::ReceivedBytes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return receivedBytes_;
}

std::string ScriptedFtpServer::Failure() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
}

UnresponsiveEndpoint::UnresponsiveEndpoint()
{
    listener_ = ListenOnLoopback(port_, 1);
    // Fill the backlog; the kernel then drops further connection requests
    // without an answer.
    for (int i = 0; i < 8; ++i) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port_);
        connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        fillers_.push_back(s);
    }
    Sleep(100);
}

UnresponsiveEndpoint::~UnresponsiveEndpoint()
{
    for (SOCKET s : fillers_)
        closesocket(s);
    closesocket(listener_);
}

std::wstring UnresponsiveEndpoint::HostText() const
{
    return L"127.0.0.1:" + std::to_wstring(port_);
}
