#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "support/LoopbackServer.h"
#include "text/AsciiCase.h"

namespace brevaro::test {
namespace {

struct WinsockSession {
    WinsockSession() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    }
    ~WinsockSession() { WSACleanup(); }
};

void ensureWinsock() { static WinsockSession session; }

SOCKET asSocket(std::uintptr_t s) { return static_cast<SOCKET>(s); }

sockaddr_in loopback(int port, int lastByte = 1) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl((INADDR_LOOPBACK & 0xFFFFFF00u) | static_cast<u_long>(lastByte & 0xFF));
    return address;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Parses the header block (up to and including the blank line).
ReceivedRequest parseHead(std::string_view head) {
    ReceivedRequest request;
    std::size_t lineEnd = head.find("\r\n");
    const std::string_view requestLine = head.substr(0, lineEnd);
    const std::size_t space1 = requestLine.find(' ');
    const std::size_t space2 = requestLine.find(' ', space1 + 1);
    request.method = requestLine.substr(0, space1);
    request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);
    while (lineEnd != std::string_view::npos) {
        const std::size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string_view line = head.substr(start, lineEnd - start);
        if (line.empty()) break;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        request.headers.emplace_back(std::string(line.substr(0, colon)),
                                     std::string(trim(line.substr(colon + 1))));
    }
    return request;
}

// Waits until the socket has something to read (or is closed), giving up
// when the server stops: blocking calls do not wake reliably under Wine when
// another thread shuts the socket down.
bool waitReadable(SOCKET socket, const bool& stopping, std::mutex& mutex) {
    while (true) {
        {
            std::lock_guard lock(mutex);
            if (stopping) return false;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval wait{0, 20000};
        const int ready = ::select(0, &readable, nullptr, nullptr, &wait);
        if (ready < 0) return false;
        if (ready > 0) return true;
    }
}

// Sleeps for `pause` in short steps; false when the server stops meanwhile.
bool pauseUnlessStopping(std::chrono::milliseconds pause, const bool& stopping, std::mutex& mutex) {
    const auto end = std::chrono::steady_clock::now() + pause;
    while (std::chrono::steady_clock::now() < end) {
        {
            std::lock_guard lock(mutex);
            if (stopping) return false;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            end - std::chrono::steady_clock::now(), std::chrono::milliseconds(20)));
    }
    return true;
}

bool sendAll(SOCKET socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const int sent = ::send(socket, bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace

std::string ReceivedRequest::header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (text::equalsIgnoringAsciiCase(key, name)) return value;
    }
    return {};
}

Reply Reply::make(std::string_view status, std::string_view headers, std::string_view body,
                  bool withoutLength) {
    std::string response = "HTTP/1.1 " + std::string(status) + "\r\n" + std::string(headers);
    if (!withoutLength) response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    if (withoutLength) response += "Connection: close\r\n";
    response += "\r\n";
    response += body;
    Reply reply;
    reply.chunks.push_back(std::move(response));
    reply.closeAfter = withoutLength;
    return reply;
}

LoopbackServer::LoopbackServer(Handler handler, int lastByte, RequestLog log, int port)
    : handler_(std::move(handler)), host_("127.0.0." + std::to_string(lastByte)), log_(log) {
    ensureWinsock();
    const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = loopback(port, lastByte);
    if (port != 0 && listener != INVALID_SOCKET) {
        const BOOL reuse = TRUE;
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    }
    if (listener == INVALID_SOCKET ||
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, SOMAXCONN) != 0) {
        throw std::runtime_error("loopback server: cannot listen");
    }
    int length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listener_ = static_cast<std::uintptr_t>(listener);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    acceptor_.join();
    for (Worker& worker : workers_) worker.thread.join();
    ::closesocket(asSocket(listener_));
}

std::string LoopbackServer::url(std::string_view path) const {
    return "http://" + host_ + ":" + std::to_string(port_) + std::string(path);
}

std::vector<ReceivedRequest> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int LoopbackServer::requestCount() const {
    std::lock_guard lock(mutex_);
    return requestCount_;
}

int LoopbackServer::connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

void LoopbackServer::acceptLoop() {
    while (true) {
        if (!waitReadable(asSocket(listener_), stopping_, mutex_)) return;
        const SOCKET client = ::accept(asSocket(listener_), nullptr, nullptr);
        if (client == INVALID_SOCKET) return;  // the listener was closed
        // A send that a client never takes in (a program that went away in
        // the middle of a large answer) gives up instead of holding the
        // server's end, and with it the test, for good.
        const DWORD sendLimitMs = 20000;
        ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendLimitMs),
                     sizeof sendLimitMs);
        std::lock_guard lock(mutex_);
        if (stopping_) {
            ::closesocket(client);
            return;
        }
        joinFinishedWorkers();
        const int connection = ++connections_;
        Worker& worker = workers_.emplace_back();
        worker.thread = std::thread([this, client, connection, &worker] {
            serve(static_cast<std::uintptr_t>(client), connection);
            worker.done = true;
        });
    }
}

void LoopbackServer::joinFinishedWorkers() {
    for (auto worker = workers_.begin(); worker != workers_.end();) {
        if (!worker->done) {
            ++worker;
            continue;
        }
        worker->thread.join();
        worker = workers_.erase(worker);
    }
}

void LoopbackServer::serve(std::uintptr_t socketValue, int connection) {
    const SOCKET socket = asSocket(socketValue);
    std::string pending;
    char buffer[4096];
    bool open = true;
    while (open) {
        // One request: the header block, then Content-Length bytes of body.
        std::size_t headEnd;
        while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
            const int got = waitReadable(socket, stopping_, mutex_) ? ::recv(socket, buffer, sizeof buffer, 0) : 0;
            if (got <= 0) {
                open = false;
                break;
            }
            pending.append(buffer, static_cast<std::size_t>(got));
        }
        if (!open) break;
        ReceivedRequest request = parseHead(std::string_view(pending).substr(0, headEnd + 4));
        const std::size_t bodyLength = static_cast<std::size_t>(std::atoi(request.header("Content-Length").c_str()));
        while (pending.size() < headEnd + 4 + bodyLength) {
            const int got = waitReadable(socket, stopping_, mutex_) ? ::recv(socket, buffer, sizeof buffer, 0) : 0;
            if (got <= 0) break;
            pending.append(buffer, static_cast<std::size_t>(got));
        }
        const std::size_t total = std::min(pending.size(), headEnd + 4 + bodyLength);
        request.raw = pending.substr(0, total);
        request.body = pending.substr(headEnd + 4, total - headEnd - 4);
        request.connection = connection;
        pending.erase(0, total);
        {
            std::lock_guard lock(mutex_);
            ++requestCount_;
            if (log_ == RequestLog::Kept) requests_.push_back(request);
        }

        const Reply reply = handler_(request);
        if (reply.closeWithoutAnswer) break;
        for (const std::string& chunk : reply.chunks) {
            if ((reply.pause.count() > 0 && !pauseUnlessStopping(reply.pause, stopping_, mutex_)) ||
                !sendAll(socket, chunk)) {
                open = false;
                break;
            }
        }
        if (open && reply.reset) {
            // A zero linger time makes the close abortive: the peer gets RST.
            const linger abortive{1, 0};
            ::setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
                         sizeof abortive);
            ::closesocket(socket);
            return;
        }
        if (open && reply.holdOpen) {
            // Until the client closes (readable, then nothing to read) or the
            // server stops; whatever else the client sends is dropped.
            while (waitReadable(socket, stopping_, mutex_) &&
                   ::recv(socket, buffer, sizeof buffer, 0) > 0) {
            }
            break;
        }
        if (!open || reply.closeAfter) break;
    }
    ::shutdown(socket, SD_BOTH);
    ::closesocket(socket);
}

int closedLoopbackPort() {
    ensureWinsock();
    const SOCKET probe = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = loopback(0);
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::closesocket(probe);
    return ntohs(address.sin_port);
}

}  // namespace brevaro::test
