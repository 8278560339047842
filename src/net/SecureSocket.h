#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/CertificateFacts.h"
#include "net/NetResult.h"
#include "net/TaskContext.h"

// Starts Windows Sockets 2.2 once per process.
void StartNetworking();

// Why a Receive that returned Failed got nothing: whether the data a
// connection carried is complete depends on how it ended.
enum class ReceiveEnd {
    None,      // the last Receive delivered data or was cancelled
    Closed,    // the peer closed in order: end of stream, or the TLS close notification
    TimedOut,  // nothing arrived within the allowance
    Broken,    // a connection error such as a reset, or no connection
    TlsError,  // a record that does not decrypt, or a stream that ends inside one
};

// One IPv4 TCP connection, non-blocking for its whole life, with optional TLS.
// Every wait is cut into 200 ms slices between which the TaskContext is asked
// whether to stop; time-outs are idle allowances consumed only by slices in
// which nothing happened.
class SecureSocket {
public:
    static constexpr uint32_t kSliceMs = 200;
    static constexpr size_t kMaxLineBytes = 259;
    static constexpr uint32_t kHandshakeTimeoutMs = 60000;

    SecureSocket();
    ~SecureSocket();
    SecureSocket(const SecureSocket&) = delete;
    SecureSocket& operator=(const SecureSocket&) = delete;

    void Init();
    void Close();
    void Destroy();

    NetResult Connect(TaskContext& context, std::wstring_view hostText, uint16_t defaultPort, uint32_t timeoutMs);
    static sockaddr_in ResolveEndpoint(std::wstring_view hostText, uint16_t defaultPort);

    NetResult Send(TaskContext& context, const void* data, size_t length, uint32_t timeoutMs);
    NetResult WaitReadable(TaskContext& context, uint32_t timeoutMs);
    NetResult Receive(TaskContext& context, void* buffer, size_t capacity, uint32_t timeoutMs, size_t& count);
    ReceiveEnd LastReceiveEnd() const { return receiveEnd_; }
    NetResult ReadExact(TaskContext& context, void* buffer, size_t length, uint32_t timeoutMs);

    // What one line read may store and take from the stream.
    struct LineBounds {
        size_t keepBytes = kMaxLineBytes;  // stored; the rest of a longer line is read and dropped
        // Taken from the stream, line end included, and reduced by each line:
        // a line that does not end within it fails and leaves it at 0.
        size_t streamBytes = SIZE_MAX;
    };
    // One line, ended by LF or CR LF (neither is stored); a CR before the
    // end of the connection also ends it. The reader takes the stream in
    // blocks and keeps what follows the line for the next read.
    NetResult ReadLine(TaskContext& context, std::string& line, uint32_t timeoutMs, LineBounds& bounds);
    // At most 259 bytes kept.
    NetResult ReadLine(TaskContext& context, std::string& line, uint32_t timeoutMs);
    // The same without a length limit.
    NetResult ReadLongLine(TaskContext& context, std::string& line, uint32_t timeoutMs);

    // TLS channel: a client handshake through SChannel, after which Send and
    // Receive encrypt and decrypt transparently. The handshake cannot be
    // cancelled; handshakeTimeoutMs bounds it. On false the connection is
    // closed: nothing can be sent in clear on a connection that was to be
    // protected.
    bool StartTls(uint32_t handshakeTimeoutMs = kHandshakeTimeoutMs);
    // As StartTls, reusing the credentials of another connection (the control
    // connection) so that the system can resume its TLS session.
    bool StartTls(const SecureSocket& credentialsSource);
    NetResult Handshake(TaskContext& context, bool initial, uint32_t timeoutMs);
    NetResult Shutdown(TaskContext& context, uint32_t timeoutMs);
    // A certificate the system does not accept passes when the user trusts
    // it by its fingerprint (see TrustAccepts). Kept across connections;
    // data connections inherit it with the credentials.
    void SetCertificateTrust(CertificateTrust trust)
    {
        trust_ = std::move(trust);
        trustAnnounced_ = false;
    }
    // The certificate of the last handshake that StartTls refused for it.
    const std::optional<CertificateFacts>& RejectedCertificate() const { return rejectedCertificate_; }

    bool IsOpen() const { return socket_ != INVALID_SOCKET; }
    bool TlsActive() const;
    const std::wstring& Host() const { return host_; }
    // The address of the connected peer (network byte order), 0 when closed.
    uint32_t PeerAddress() const;

private:
    NetResult ConnectOne(TaskContext& context, uint32_t address, uint16_t port, uint32_t timeoutMs);
    void CloseSocket();
    // Waits one slice for a network event (FD_READ, FD_WRITE or FD_CONNECT):
    // >0 when one came, 0 on time-out, <0 when the wait failed.
    int WaitSlice(long wanted, bool* connectFailed = nullptr);
    NetResult ReceiveStream(TaskContext& context, char* buffer, size_t capacity, uint32_t timeoutMs, size_t& count);
    bool HasReadAhead() const { return readAheadStart_ < readAheadEnd_; }
    NetResult SendPlain(TaskContext& context, const char* data, size_t length, uint32_t timeoutMs);
    NetResult WaitSocketReadable(TaskContext& context, uint32_t timeoutMs);
    NetResult ReceivePlain(TaskContext& context, char* buffer, size_t capacity, uint32_t timeoutMs, size_t& count);
    void CompactPending();
    NetResult SendTls(TaskContext& context, const char* data, size_t length, uint32_t timeoutMs);
    NetResult ReceiveTls(TaskContext& context, char* buffer, size_t capacity, uint32_t timeoutMs, size_t& count);
    NetResult RunHandshake(TaskContext& context, bool initial, std::vector<char> input, uint32_t timeoutMs);
    NetResult HandshakeSteps(TaskContext& context, bool initial, std::vector<char>& input, uint32_t timeoutMs);
    bool EstablishTls(uint32_t handshakeTimeoutMs);
    bool AcquireCredentials();
    bool VerifyServerCertificate();
    void DeleteContext();
    void FreeCredentials();

    SOCKET socket_ = INVALID_SOCKET;
    HANDLE socketEvent_ = nullptr;  // signalled by the socket's network events
    std::wstring host_;
    PCCERT_CONTEXT clientCertificate_ = nullptr;
    CredHandle credentials_;
    bool ownsCredentials_ = false;
    CtxtHandle context_;
    // Set from the first handshake of a connection to its Close: once TLS
    // was asked for, the connection carries TLS records or nothing, also
    // after the server ended TLS with a close notification.
    bool tlsRequired_ = false;
    SecPkgContext_StreamSizes streamSizes_{};
    // Encrypted bytes not yet decrypted: encryptedPending_ of them from
    // encryptedStart_ on. Records are decrypted where they lie; only the
    // rest of an incomplete record moves to the front, before more is read.
    std::vector<char> receiveBuffer_;
    uint32_t encryptedStart_ = 0;
    uint32_t encryptedPending_ = 0;
    std::vector<char> sendRecords_;  // records encrypted for one send call
    std::vector<char> leftover_;  // decrypted bytes not yet handed out
    uint32_t leftoverCount_ = 0;
    // Plaintext the line reader took beyond the line it returned.
    std::vector<char> readAhead_;
    size_t readAheadStart_ = 0;
    size_t readAheadEnd_ = 0;
    ReceiveEnd receiveEnd_ = ReceiveEnd::None;
    // Set while a reply line or a handshake message is awaited: those are
    // never waiting when asked for, so the receive waits before it tries.
    bool awaitingAnswer_ = false;
    bool closeNotified_ = false;  // the peer ended its TLS stream
    CertificateTrust trust_;
    // The trust came from the control connection, which logged the
    // acceptance: a tree of many files would repeat it for every file.
    bool trustAnnounced_ = false;
    std::string acceptedSha256_;  // the certificate this connection accepted
    std::optional<CertificateFacts> rejectedCertificate_;
};
