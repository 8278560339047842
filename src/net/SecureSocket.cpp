#include "net/SecureSocket.h"

#include <algorithm>
#include <cstring>

#include "net/HostText.h"
#include "net/TextCodec.h"

namespace {

constexpr int kSendBufferBytes = 262144;
// A server that writes in small pieces still finds room while we are busy,
// and each receive call then takes many of its writes at once.
constexpr int kReceiveBufferBytes = 1048576;
constexpr size_t kMaxAddresses = 4;
// Bytes the line reader asks for at once: every receive call is expensive
// (about 0.2 ms under Wine, whatever its size), and replies of many lines
// are common.
constexpr size_t kReadAheadBytes = 4096;

struct AddressList {
    uint16_t port = 0;
    uint32_t count = 0;
    uint32_t addresses[kMaxAddresses] = {};  // network byte order
};

std::string ToAnsi(std::wstring_view text)
{
    if (text.empty())
        return {};
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out.substr(0, kMaxTextUnits);
}

bool ParseDottedAddress(const std::string& host, uint32_t& address)
{
    in_addr parsed;
    if (inet_pton(AF_INET, host.c_str(), &parsed) != 1)
        return false;
    address = parsed.s_addr;
    return true;
}

AddressList Resolve(std::wstring_view hostText, uint16_t defaultPort)
{
    StartNetworking();
    AddressList list;
    HostAndPort endpoint = SplitHostText(hostText, defaultPort);
    list.port = endpoint.port;
    std::string host = ToAnsi(endpoint.host);
    uint32_t address;
    if (ParseDottedAddress(host, address)) {
        list.addresses[list.count++] = address;
        return list;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return list;
    for (addrinfo* a = found; a && list.count < kMaxAddresses; a = a->ai_next) {
        if (a->ai_family == AF_INET)
            list.addresses[list.count++] = reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
    }
    freeaddrinfo(found);
    return list;
}

// One 200 ms slice has passed without progress: spend it from the allowance.
// False when the allowance is used up.
bool SpendSlice(uint32_t& remainingMs)
{
    if (remainingMs <= SecureSocket::kSliceMs)
        return false;
    remainingMs -= SecureSocket::kSliceMs;
    return true;
}

}  // namespace

void StartNetworking()
{
    static bool started = false;
    if (started)
        return;
    WSADATA data;
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

SecureSocket::SecureSocket()
{
    Init();
}

SecureSocket::~SecureSocket()
{
    Destroy();
}

void SecureSocket::Init()
{
    socket_ = INVALID_SOCKET;
    socketEvent_ = nullptr;
    host_.clear();
    clientCertificate_ = nullptr;
    SecInvalidateHandle(&credentials_);
    ownsCredentials_ = false;
    SecInvalidateHandle(&context_);
    tlsRequired_ = false;
    streamSizes_ = {};
    encryptedStart_ = encryptedPending_ = 0;
    leftoverCount_ = 0;
    readAheadStart_ = readAheadEnd_ = 0;
    StartNetworking();
}

void SecureSocket::Close()
{
    encryptedStart_ = encryptedPending_ = 0;
    leftoverCount_ = 0;
    readAheadStart_ = readAheadEnd_ = 0;
    closeNotified_ = false;
    DeleteContext();
    tlsRequired_ = false;
    CloseSocket();
    host_.clear();
}

void SecureSocket::CloseSocket()
{
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

// Under Wine a select costs five calls to the Wine server and a wait on the
// socket's event one; a reply is waited for several times per file. The event
// is signalled once for all the network events, so a wait may also end for
// one it did not want: its callers then try and wait again.
int SecureSocket::WaitSlice(long wanted, bool* connectFailed)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD waited = GetTickCount() - start;
        if (waited >= kSliceMs)
            return 0;
        DWORD signalled = WaitForSingleObject(socketEvent_, kSliceMs - waited);
        if (signalled == WAIT_TIMEOUT)
            return 0;
        if (signalled != WAIT_OBJECT_0)
            return -1;
        if (wanted != FD_CONNECT)
            return 1;
        // Only the recorded events tell how the connect ended.
        WSANETWORKEVENTS events{};
        if (WSAEnumNetworkEvents(socket_, nullptr, &events) != 0)
            return -1;
        // Bytes that came with the connect, a greeting, are signalled again
        // for the first read.
        if (events.lNetworkEvents & (FD_READ | FD_CLOSE))
            SetEvent(socketEvent_);
        if (events.lNetworkEvents & FD_CONNECT) {
            *connectFailed = events.iErrorCode[FD_CONNECT_BIT] != 0;
            return 1;
        }
    }
}

void SecureSocket::Destroy()
{
    Close();
    if (socketEvent_) {
        CloseHandle(socketEvent_);
        socketEvent_ = nullptr;
    }
    FreeCredentials();
    if (clientCertificate_) {
        CertFreeCertificateContext(clientCertificate_);
        clientCertificate_ = nullptr;
    }
    std::vector<char>().swap(sendRecords_);
    std::vector<char>().swap(leftover_);
    std::vector<char>().swap(receiveBuffer_);
    std::vector<char>().swap(readAhead_);
}

uint32_t SecureSocket::PeerAddress() const
{
    sockaddr_in peer{};
    int length = sizeof(peer);
    if (socket_ == INVALID_SOCKET || getpeername(socket_, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return 0;
    return peer.sin_addr.s_addr;
}

sockaddr_in SecureSocket::ResolveEndpoint(std::wstring_view hostText, uint16_t defaultPort)
{
    AddressList list = Resolve(hostText, defaultPort);
    sockaddr_in endpoint{};
    endpoint.sin_family = AF_INET;
    endpoint.sin_port = htons(list.port);
    endpoint.sin_addr.s_addr = list.count > 0 ? list.addresses[0] : 0;
    return endpoint;
}

NetResult SecureSocket::Connect(TaskContext& context, std::wstring_view hostText, uint16_t defaultPort, uint32_t timeoutMs)
{
    Close();
    host_ = SplitHostText(hostText, defaultPort).host;
    AddressList list = Resolve(hostText, defaultPort);
    for (uint32_t i = 0; i < list.count; ++i) {
        NetResult result = ConnectOne(context, list.addresses[i], list.port, timeoutMs);
        if (result != NetResult::Failed)
            return result;
    }
    return NetResult::Failed;
}

NetResult SecureSocket::ConnectOne(TaskContext& context, uint32_t address, uint16_t port, uint32_t timeoutMs)
{
    CloseSocket();
    if (context.IsCancelled())
        return NetResult::Cancelled;
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    // One event serves every connection of this object: a signal left over
    // from the last one only ends a wait early.
    if (!socketEvent_)
        socketEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    // The event select also makes the socket non-blocking.
    if (socket_ == INVALID_SOCKET || !socketEvent_ ||
        WSAEventSelect(socket_, socketEvent_, FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE) != 0) {
        CloseSocket();
        return NetResult::Failed;
    }
    setsockopt(socket_, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&kSendBufferBytes), sizeof(int));
    setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&kReceiveBufferBytes), sizeof(int));

    NetResult result = NetResult::Failed;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = address;
    if (address != INADDR_NONE) {
        if (connect(socket_, reinterpret_cast<sockaddr*>(&target), sizeof(target)) == 0)
            return NetResult::Ok;
        if (WSAGetLastError() == WSAEWOULDBLOCK) {
            uint32_t remaining = timeoutMs;
            for (;;) {
                bool connectFailed = false;
                int n = WaitSlice(FD_CONNECT, &connectFailed);
                if (n > 0) {
                    if (!connectFailed)
                        return NetResult::Ok;
                    break;
                }
                if (n < 0)
                    break;
                if (context.IsCancelled()) {
                    result = NetResult::Cancelled;
                    break;
                }
                if (!SpendSlice(remaining))
                    break;
            }
        }
    }
    CloseSocket();
    return result;
}

NetResult SecureSocket::Send(TaskContext& context, const void* data, size_t length, uint32_t timeoutMs)
{
    const char* bytes = static_cast<const char*>(data);
    if (TlsActive())
        return SendTls(context, bytes, length, timeoutMs);
    if (tlsRequired_)
        return NetResult::Failed;
    return SendPlain(context, bytes, length, timeoutMs);
}

NetResult SecureSocket::SendPlain(TaskContext& context, const char* data, size_t length, uint32_t timeoutMs)
{
    if (context.IsCancelled())
        return NetResult::Cancelled;
    uint32_t remaining = timeoutMs;
    size_t sent = 0;
    for (;;) {
        while (sent < length) {
            int chunk = static_cast<int>(std::min<size_t>(length - sent, 1u << 30));
            int n = send(socket_, data + sent, chunk, 0);
            if (n > 0) {
                sent += static_cast<size_t>(n);
                continue;
            }
            if (n == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
                break;
            return NetResult::Failed;
        }
        if (sent == length)
            return NetResult::Ok;
        int n = WaitSlice(FD_WRITE);
        if (n < 0)
            return NetResult::Failed;
        if (n == 0 && !SpendSlice(remaining))
            return NetResult::Failed;
        if (context.IsCancelled())
            return NetResult::Cancelled;
    }
}

NetResult SecureSocket::WaitReadable(TaskContext& context, uint32_t timeoutMs)
{
    // The end after a close notification is there to be read at once.
    if (HasReadAhead() || leftoverCount_ != 0 || encryptedPending_ != 0 || closeNotified_)
        return NetResult::Ok;
    if (socket_ == INVALID_SOCKET)
        return NetResult::Failed;
    return WaitSocketReadable(context, timeoutMs);
}

NetResult SecureSocket::WaitSocketReadable(TaskContext& context, uint32_t timeoutMs)
{
    if (context.IsCancelled())
        return NetResult::Cancelled;
    uint32_t remaining = timeoutMs;
    for (;;) {
        // A failed wait is left to the following receive to report.
        if (WaitSlice(FD_READ) != 0)
            return NetResult::Ok;
        if (!SpendSlice(remaining))
            return NetResult::Failed;
        if (context.IsCancelled())
            return NetResult::Cancelled;
    }
}

NetResult SecureSocket::Receive(TaskContext& context, void* buffer, size_t capacity, uint32_t timeoutMs, size_t& count)
{
    count = 0;
    receiveEnd_ = ReceiveEnd::None;
    // After the peer's close notification its stream has ended, whatever the
    // socket does next: our answer may meet a closed socket and draw a reset.
    if (closeNotified_) {
        receiveEnd_ = ReceiveEnd::Closed;
        return NetResult::Failed;
    }
    char* bytes = static_cast<char*>(buffer);
    if (HasReadAhead()) {
        // Bytes the line reader took come first: they were received first.
        count = std::min(capacity, readAheadEnd_ - readAheadStart_);
        std::memcpy(bytes, readAhead_.data() + readAheadStart_, count);
        readAheadStart_ += count;
        return NetResult::Ok;
    }
    return ReceiveStream(context, bytes, capacity, timeoutMs, count);
}

NetResult SecureSocket::ReceiveStream(TaskContext& context, char* buffer, size_t capacity, uint32_t timeoutMs,
                                      size_t& count)
{
    count = 0;
    if (TlsActive())
        return ReceiveTls(context, buffer, capacity, timeoutMs, count);
    if (tlsRequired_)
        return NetResult::Failed;
    return ReceivePlain(context, buffer, capacity, timeoutMs, count);
}

NetResult SecureSocket::ReceivePlain(TaskContext& context, char* buffer, size_t capacity, uint32_t timeoutMs, size_t& count)
{
    count = 0;
    if (capacity == 0)
        return NetResult::Ok;
    auto failed = [this](ReceiveEnd why) {
        receiveEnd_ = why;
        return NetResult::Failed;
    };
    if (socket_ == INVALID_SOCKET)
        return failed(ReceiveEnd::Broken);
    if (context.IsCancelled())
        return NetResult::Cancelled;
    // Bytes already waiting are taken without a wait first: in a bulk
    // transfer data is usually there, and under Wine every call counts.
    // An answer the peer has yet to write is waited for first instead, for
    // one slice: should the socket's event not tell of bytes that were
    // already there, the receive below finds them.
    if (awaitingAnswer_ && WaitSlice(FD_READ) == 0 && context.IsCancelled())
        return NetResult::Cancelled;
    for (;;) {
        int n = recv(socket_, buffer, static_cast<int>(std::min<size_t>(capacity, 1u << 30)), 0);
        if (n > 0) {
            count = static_cast<size_t>(n);
            return NetResult::Ok;
        }
        // Wine reports a reset as an orderly end; sending nothing tells them
        // apart without putting a byte on the wire.
        if (n == 0)
            return failed(send(socket_, buffer, 0, 0) == SOCKET_ERROR ? ReceiveEnd::Broken : ReceiveEnd::Closed);
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            return failed(ReceiveEnd::Broken);
        NetResult waited = WaitSocketReadable(context, timeoutMs);
        if (waited == NetResult::Failed)
            return failed(ReceiveEnd::TimedOut);
        if (waited != NetResult::Ok)
            return waited;
    }
}

NetResult SecureSocket::ReadExact(TaskContext& context, void* buffer, size_t length, uint32_t timeoutMs)
{
    char* bytes = static_cast<char*>(buffer);
    size_t received = 0;
    while (received < length) {
        if (context.IsCancelled())
            return NetResult::Cancelled;
        size_t count = 0;
        NetResult result = Receive(context, bytes + received, length - received, timeoutMs, count);
        if (result != NetResult::Ok)
            return result;
        received += count;
    }
    return NetResult::Ok;
}

NetResult SecureSocket::ReadLine(TaskContext& context, std::string& line, uint32_t timeoutMs)
{
    LineBounds bounds;
    return ReadLine(context, line, timeoutMs, bounds);
}

NetResult SecureSocket::ReadLongLine(TaskContext& context, std::string& line, uint32_t timeoutMs)
{
    LineBounds bounds{std::string::npos};
    return ReadLine(context, line, timeoutMs, bounds);
}

NetResult SecureSocket::ReadLine(TaskContext& context, std::string& line, uint32_t timeoutMs, LineBounds& bounds)
{
    line.clear();
    bool anyByte = false;
    bool pendingCr = false;  // a CR is a line end only before LF or the end of the connection
    auto keep = [&](char c) {
        if (line.size() < bounds.keepBytes)
            line.push_back(c);
    };
    for (;;) {
        if (bounds.streamBytes == 0)
            return NetResult::Failed;
        if (!HasReadAhead()) {
            readAhead_.resize(kReadAheadBytes);
            readAheadStart_ = readAheadEnd_ = 0;
            awaitingAnswer_ = true;
            NetResult received = ReceiveStream(context, readAhead_.data(), readAhead_.size(), timeoutMs, readAheadEnd_);
            awaitingAnswer_ = false;
            if (received == NetResult::Cancelled)
                return received;
            // The end of the connection completes a line that has begun.
            if (received != NetResult::Ok)
                return anyByte ? NetResult::Ok : NetResult::Failed;
        }
        char c = readAhead_[readAheadStart_++];
        --bounds.streamBytes;
        anyByte = true;
        if (pendingCr) {
            pendingCr = false;
            if (c == '\n')
                return NetResult::Ok;
            keep('\r');
        }
        if (c == '\n')
            return NetResult::Ok;
        if (c == '\r')
            pendingCr = true;
        else
            keep(c);
    }
}
