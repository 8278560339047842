// The TLS half of SecureSocket: SChannel through SSPI. The server's
// certificate chain is checked by the program itself after every handshake,
// because Wine's SChannel accepts any certificate.
#include <algorithm>
#include <cstring>
#include <ctime>

#include "net/Log.h"
#include "net/SecureSocket.h"
#include "net/ServerCertificate.h"

namespace {

constexpr DWORD kRequestFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM;
constexpr DWORD kProtocolsUpTo12 = SP_PROT_TLS1_CLIENT | SP_PROT_TLS1_1_CLIENT | SP_PROT_TLS1_2_CLIENT;
constexpr size_t kHandshakeReadBytes = 16384;
// Encrypted bytes taken from the socket at once: many records per receive
// call, since every call is expensive on some systems (about 0.2 ms under
// Wine, whatever its size). As much as the socket's own buffer holds.
constexpr size_t kTlsReceiveBytes = 1024 * 1024;
// Records encrypted into one send call: a transfer block's worth.
constexpr size_t kRecordsPerSend = 64;
constexpr char kAlertRecord = 0x15;
// Calls of the security package in a row that neither consumed input nor
// were followed by a read. A well-behaved handshake needs one or two; a
// status that asks to call again with nothing new must not spin.
constexpr int kMaxCallsWithoutProgress = 8;

struct ContextBuffer {
    SecBuffer buffer{0, SECBUFFER_TOKEN, nullptr};
    ~ContextBuffer()
    {
        if (buffer.pvBuffer)
            FreeContextBuffer(buffer.pvBuffer);
    }
};

uint32_t ElapsedSince(DWORD start)
{
    return static_cast<uint32_t>(GetTickCount() - start);
}

}  // namespace

bool SecureSocket::TlsActive() const
{
    return SecIsValidHandle(&context_);
}

void SecureSocket::DeleteContext()
{
    if (SecIsValidHandle(&context_)) {
        DeleteSecurityContext(&context_);
        SecInvalidateHandle(&context_);
    }
}

void SecureSocket::FreeCredentials()
{
    if (ownsCredentials_ && SecIsValidHandle(&credentials_))
        FreeCredentialsHandle(&credentials_);
    SecInvalidateHandle(&credentials_);
    ownsCredentials_ = false;
}

bool SecureSocket::AcquireCredentials()
{
    if (SecIsValidHandle(&credentials_))
        return true;
    // TLS 1.0 to 1.3 where the system offers 1.3; systems that refuse 1.3 in
    // this credential structure get 1.0 to 1.2.
    for (DWORD protocols : {kProtocolsUpTo12 | SP_PROT_TLS1_3_CLIENT, kProtocolsUpTo12}) {
        SCHANNEL_CRED cred{};
        cred.dwVersion = SCHANNEL_CRED_VERSION;
        cred.grbitEnabledProtocols = protocols;
        cred.dwFlags = SCH_CRED_NO_DEFAULT_CREDS;
        TimeStamp expiry;
        SECURITY_STATUS status = AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                                           nullptr, &cred, nullptr, nullptr, &credentials_, &expiry);
        if (status == SEC_E_OK) {
            ownsCredentials_ = true;
            return true;
        }
    }
    SecInvalidateHandle(&credentials_);
    return false;
}

bool SecureSocket::StartTls(uint32_t handshakeTimeoutMs)
{
    tlsRequired_ = true;
    rejectedCertificate_.reset();
    acceptedSha256_.clear();
    // Plaintext read ahead of the handshake would pass for protected data.
    if (!HasReadAhead() && AcquireCredentials() && EstablishTls(handshakeTimeoutMs))
        return true;
    Close();
    return false;
}

bool SecureSocket::EstablishTls(uint32_t handshakeTimeoutMs)
{
    if (Handshake(NullContext(), true, handshakeTimeoutMs) != NetResult::Ok || !TlsActive())
        return false;
    if (!VerifyServerCertificate())
        return false;
    if (QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &streamSizes_) != SEC_E_OK ||
        streamSizes_.cbMaximumMessage == 0)
        return false;
    size_t recordBytes = streamSizes_.cbHeader + streamSizes_.cbMaximumMessage + streamSizes_.cbTrailer;
    if (receiveBuffer_.size() < recordBytes + kTlsReceiveBytes)
        receiveBuffer_.resize(recordBytes + kTlsReceiveBytes);
    return true;
}

bool SecureSocket::StartTls(const SecureSocket& credentialsSource)
{
    // The data connection is named by an address; its certificate belongs to
    // the server the user named.
    host_ = credentialsSource.host_;
    // A data connection passes on the control connection's terms: a
    // certificate the system trusts for the host, or the very one the
    // control connection accepted by its fingerprint, which it announced.
    trust_ = {credentialsSource.acceptedSha256_, credentialsSource.trust_.evenIfExpiredOrMisnamed};
    trustAnnounced_ = true;
    if (SecIsValidHandle(&credentialsSource.credentials_)) {
        FreeCredentials();
        credentials_ = credentialsSource.credentials_;
        ownsCredentials_ = false;
    }
    return StartTls();
}

bool SecureSocket::VerifyServerCertificate()
{
    PCCERT_CONTEXT certificate = nullptr;
    if (QueryContextAttributesW(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK || !certificate)
        return false;
    CertificateFacts facts = ReadCertificateFacts(certificate);
    facts.problem = ClassifyCertificate(VerifyCertificateChain(certificate, host_), facts, host_,
                                        static_cast<int64_t>(time(nullptr)));
    CertFreeCertificateContext(certificate);
    if (facts.problem == CertificateProblem::None || TrustAccepts(trust_, facts)) {
        if (facts.problem != CertificateProblem::None && !trustAnnounced_)
            LogWarning(L"The certificate of %ls is accepted as trusted by its fingerprint: %ls", host_.c_str(),
                       CertificateProblemText(facts.problem).c_str());
        acceptedSha256_ = facts.sha256;
        return true;
    }
    rejectedCertificate_ = std::move(facts);
    return false;
}

NetResult SecureSocket::Handshake(TaskContext& context, bool initial, uint32_t timeoutMs)
{
    return RunHandshake(context, initial, {}, timeoutMs);
}

NetResult SecureSocket::RunHandshake(TaskContext& context, bool initial, std::vector<char> input, uint32_t timeoutMs)
{
    if (!SecIsValidHandle(&credentials_) || socket_ == INVALID_SOCKET)
        return NetResult::Failed;
    NetResult result = HandshakeSteps(context, initial, input, timeoutMs);
    // A context left half-way (also by a cancelled or failed send) must not
    // look like an active session.
    if (result != NetResult::Ok && initial)
        DeleteContext();
    return result;
}

NetResult SecureSocket::HandshakeSteps(TaskContext& context, bool initial, std::vector<char>& input, uint32_t timeoutMs)
{
    const DWORD start = GetTickCount();
    // What is left of the allowance; every step of the handshake is paid
    // from it, the calls of the security package included.
    auto remaining = [&]() -> uint32_t {
        uint32_t used = ElapsedSince(start);
        return used < timeoutMs ? timeoutMs - used : 0;
    };
    auto sendToken = [&](const SecBuffer& token) {
        if (token.cbBuffer == 0 || !token.pvBuffer)
            return NetResult::Ok;
        uint32_t left = remaining();
        if (left == 0)
            return NetResult::Failed;
        return SendPlain(context, static_cast<const char*>(token.pvBuffer), token.cbBuffer, left);
    };
    auto fail = [&]() {
        DeleteContext();
        return NetResult::Failed;
    };

    bool first = initial;
    int callsWithoutProgress = 0;
    for (;;) {
        if (++callsWithoutProgress > kMaxCallsWithoutProgress || remaining() == 0)
            return fail();
        SecBuffer inBuffers[2] = {{static_cast<unsigned long>(input.size()), SECBUFFER_TOKEN, input.data()},
                                  {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc inDesc{SECBUFFER_VERSION, 2, inBuffers};
        ContextBuffer output;
        SecBufferDesc outDesc{SECBUFFER_VERSION, 1, &output.buffer};
        unsigned long attributes = 0;
        bool passInput = !first && !input.empty();
        SECURITY_STATUS status = InitializeSecurityContextW(
            &credentials_, first ? nullptr : &context_, const_cast<wchar_t*>(host_.c_str()), kRequestFlags, 0, 0,
            passInput ? &inDesc : nullptr, 0, first ? &context_ : nullptr, &outDesc, &attributes, nullptr);
        first = false;
        size_t extra = passInput && inBuffers[1].BufferType == SECBUFFER_EXTRA ? inBuffers[1].cbBuffer : 0;
        if (extra > input.size())
            return fail();

        switch (status) {
        case SEC_I_CONTEXT_EXPIRED:
            if (initial)
                return fail();
            // The answer to the server's close notification: send our own.
            return sendToken(output.buffer);
        case SEC_I_INCOMPLETE_CREDENTIALS:
            // No client certificate is offered: the same call again, which
            // then goes on without one.
            continue;
        case SEC_I_CONTINUE_NEEDED: {
            if (NetResult sent = sendToken(output.buffer); sent != NetResult::Ok)
                return sent == NetResult::Cancelled ? sent : fail();
            if (extra > 0) {
                // The rest of the input holds the next handshake message.
                if (extra < input.size())
                    callsWithoutProgress = 0;
                input.erase(input.begin(), input.end() - static_cast<std::ptrdiff_t>(extra));
                continue;
            }
            input.clear();
            break;  // read more
        }
        case SEC_E_OK: {
            if (extra > 0) {
                // Application data that came with the server's last handshake message.
                CompactPending();
                if (receiveBuffer_.size() < encryptedPending_ + extra)
                    receiveBuffer_.resize(encryptedPending_ + extra);
                std::memcpy(receiveBuffer_.data() + encryptedPending_, input.data() + input.size() - extra, extra);
                encryptedPending_ += static_cast<uint32_t>(extra);
            }
            NetResult sent = sendToken(output.buffer);
            return sent == NetResult::Ok || sent == NetResult::Cancelled ? sent : fail();
        }
        case SEC_E_INCOMPLETE_MESSAGE:
            break;  // read more
        default:
            // Other success codes ask for another call; the bound above
            // keeps them from spinning. Errors end the handshake, among them
            // an untrusted, expired or misnamed certificate.
            if (status >= 0)
                continue;
            return fail();
        }

        uint32_t left = remaining();
        if (left == 0)
            return fail();
        size_t had = input.size();
        input.resize(had + kHandshakeReadBytes);
        size_t count = 0;
        awaitingAnswer_ = true;
        NetResult received = ReceivePlain(context, input.data() + had, kHandshakeReadBytes, left, count);
        awaitingAnswer_ = false;
        if (received != NetResult::Ok)
            return received == NetResult::Cancelled ? received : fail();
        input.resize(had + count);
        callsWithoutProgress = 0;
    }
}

NetResult SecureSocket::Shutdown(TaskContext& context, uint32_t timeoutMs)
{
    DWORD token = SCHANNEL_SHUTDOWN;
    SecBuffer buffer{sizeof(token), SECBUFFER_TOKEN, &token};
    SecBufferDesc desc{SECBUFFER_VERSION, 1, &buffer};
    if (ApplyControlToken(&context_, &desc) != SEC_E_OK)
        return NetResult::Failed;
    NetResult result = Handshake(context, false, timeoutMs);
    DeleteContext();
    return result;
}

NetResult SecureSocket::SendTls(TaskContext& context, const char* data, size_t length, uint32_t timeoutMs)
{
    const size_t header = streamSizes_.cbHeader, maxMessage = streamSizes_.cbMaximumMessage,
                 trailer = streamSizes_.cbTrailer;
    std::vector<char>& batch = sendRecords_;
    size_t batchCapacity = (header + maxMessage + trailer) * std::min(kRecordsPerSend, length / maxMessage + 1);
    if (batch.size() < batchCapacity)
        batch.resize(batchCapacity);
    size_t done = 0;
    while (done < length) {
        size_t batchBytes = 0, batchPlain = 0;
        // Asked once per batch: a context may do real work to answer.
        if (context.IsCancelled())
            return NetResult::Cancelled;
        for (size_t r = 0; r < kRecordsPerSend && done + batchPlain < length; ++r) {
            size_t chunk = std::min(maxMessage, length - done - batchPlain);
            char* record = batch.data() + batchBytes;
            std::memcpy(record + header, data + done + batchPlain, chunk);
            SecBuffer buffers[4] = {{static_cast<unsigned long>(header), SECBUFFER_STREAM_HEADER, record},
                                    {static_cast<unsigned long>(chunk), SECBUFFER_DATA, record + header},
                                    {static_cast<unsigned long>(trailer), SECBUFFER_STREAM_TRAILER, record + header + chunk},
                                    {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
            if (EncryptMessage(&context_, 0, &desc, 0) != SEC_E_OK)
                return NetResult::Failed;
            batchBytes += buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer;
            batchPlain += chunk;
        }
        // This batch's share of the caller's allowance, plus a minute.
        uint32_t share = static_cast<uint32_t>(static_cast<uint64_t>(timeoutMs) * batchPlain / length) + 60000;
        NetResult sent = SendPlain(context, batch.data(), batchBytes, share);
        if (sent != NetResult::Ok)
            return sent;
        done += batchPlain;
    }
    return NetResult::Ok;
}

void SecureSocket::CompactPending()
{
    if (encryptedStart_ == 0)
        return;
    std::memmove(receiveBuffer_.data(), receiveBuffer_.data() + encryptedStart_, encryptedPending_);
    encryptedStart_ = 0;
}

NetResult SecureSocket::ReceiveTls(TaskContext& context, char* buffer, size_t capacity, uint32_t timeoutMs, size_t& count)
{
    count = 0;
    auto deliver = [&](const char* bytes, size_t n) {
        size_t now = std::min(n, capacity);
        std::memcpy(buffer + count, bytes, now);
        count += now;
        capacity -= now;
        return now;
    };
    if (leftoverCount_ > 0) {
        size_t taken = deliver(leftover_.data(), leftoverCount_);
        std::memmove(leftover_.data(), leftover_.data() + taken, leftoverCount_ - taken);
        leftoverCount_ -= static_cast<uint32_t>(taken);
        if (capacity == 0)
            return NetResult::Ok;
    }

    bool needData = encryptedPending_ == 0;
    bool endOfStream = false;
    int stalledRenegotiations = 0;
    // Asked before each look at the socket rather than for every record: a
    // context may do real work to answer.
    for (bool first = true;; first = false) {
        if ((first || needData) && context.IsCancelled())
            return NetResult::Cancelled;
        if (needData) {
            // Whatever is already decrypted is handed out before waiting for more.
            if (count > 0)
                break;
            CompactPending();
            if (encryptedPending_ < receiveBuffer_.size()) {
                size_t received = 0;
                NetResult result = ReceivePlain(context, receiveBuffer_.data() + encryptedPending_,
                                                receiveBuffer_.size() - encryptedPending_, timeoutMs, received);
                if (result == NetResult::Cancelled)
                    return result;
                if (result == NetResult::Failed)
                    endOfStream = true;
                encryptedPending_ += static_cast<uint32_t>(received);
            }
            if (encryptedPending_ == 0)
                break;
        }

        char* record = receiveBuffer_.data() + encryptedStart_;
        const char recordType = record[0];
        SecBuffer buffers[4] = {{encryptedPending_, SECBUFFER_DATA, record},
                                {0, SECBUFFER_EMPTY, nullptr},
                                {0, SECBUFFER_EMPTY, nullptr},
                                {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
        SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            if (endOfStream) {
                // The stream ended inside a record: the rest of it is lost.
                if (receiveEnd_ == ReceiveEnd::Closed)
                    receiveEnd_ = ReceiveEnd::TlsError;
                break;
            }
            needData = true;
            continue;
        }

        bool delivered = false;
        if (status == SEC_E_OK) {
            for (SecBuffer& b : buffers) {
                if (b.BufferType != SECBUFFER_DATA || b.cbBuffer == 0)
                    continue;
                size_t taken = deliver(static_cast<char*>(b.pvBuffer), b.cbBuffer);
                size_t rest = b.cbBuffer - taken;
                if (rest > 0) {
                    if (leftover_.size() < rest)
                        leftover_.resize(std::max<size_t>(rest, streamSizes_.cbMaximumMessage));
                    std::memcpy(leftover_.data(), static_cast<char*>(b.pvBuffer) + taken, rest);
                    leftoverCount_ = static_cast<uint32_t>(rest);
                }
                delivered = true;
            }
        }
        // Undecrypted bytes of the next record stay where they are.
        uint32_t extra = 0;
        for (SecBuffer& b : buffers) {
            if (b.BufferType == SECBUFFER_EXTRA && b.cbBuffer > 0)
                extra = b.cbBuffer;
        }
        encryptedStart_ = extra > 0 ? encryptedStart_ + encryptedPending_ - extra : 0;
        encryptedPending_ = extra;

        // The server's close notification: Windows reports it as an expired
        // context, Wine as an alert record that decrypts to nothing.
        bool closeNotify = status == SEC_I_CONTEXT_EXPIRED || (status == SEC_E_OK && !delivered && recordType == kAlertRecord);
        if (closeNotify) {
            if (Shutdown(context, timeoutMs) == NetResult::Cancelled)
                return NetResult::Cancelled;
            receiveEnd_ = ReceiveEnd::Closed;
            closeNotified_ = true;
            break;
        }
        if (status == SEC_I_RENEGOTIATE) {
            // TLS 1.3 post-handshake messages (session tickets): the extra
            // bytes go back to the handshake. A failed one has dropped the
            // context, and the connection then carries nothing more.
            std::vector<char> pending(receiveBuffer_.data() + encryptedStart_,
                                      receiveBuffer_.data() + encryptedStart_ + encryptedPending_);
            encryptedStart_ = encryptedPending_ = 0;
            if (RunHandshake(context, false, pending, timeoutMs) != NetResult::Ok) {
                receiveEnd_ = ReceiveEnd::TlsError;
                return NetResult::Failed;
            }
            // One that consumed nothing would come back at once, for ever.
            stalledRenegotiations = encryptedPending_ < pending.size() ? 0 : stalledRenegotiations + 1;
            if (stalledRenegotiations >= kMaxCallsWithoutProgress) {
                receiveEnd_ = ReceiveEnd::TlsError;
                return NetResult::Failed;
            }
            needData = encryptedPending_ == 0;
            continue;
        }
        if (status != SEC_E_OK) {
            receiveEnd_ = ReceiveEnd::TlsError;
            return NetResult::Failed;
        }
        if (delivered && (capacity == 0 || leftoverCount_ > 0))
            break;
        needData = encryptedPending_ == 0;
    }
    if (count == 0)
        return NetResult::Failed;  // receiveEnd_ tells why
    receiveEnd_ = ReceiveEnd::None;
    return NetResult::Ok;
}
