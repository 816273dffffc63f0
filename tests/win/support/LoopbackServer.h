#pragma once
// A real HTTP server on 127.0.0.1 for the Windows tests, inside the test
// process: it binds a free port (port 0), records every request's exact bytes
// and answers with exact bytes from a handler, so a test sees what the client
// put on the wire and can send malformed, split or missing answers. Stopped
// and joined when it goes out of scope.

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace brevaro::test {

struct ReceivedRequest {
    std::string raw;  // header block and body, as received
    std::string method;
    std::string target;
    std::vector<std::pair<std::string, std::string>> headers;  // in order, value trimmed
    std::string body;
    int connection = 0;  // 1-based index of the TCP connection it came on

    // The value of the first header of that name (ignoring case); empty when absent.
    std::string header(std::string_view name) const;
};

struct Reply {
    std::vector<std::string> chunks;  // written one after the other
    std::chrono::milliseconds pause{0};  // before each chunk
    bool closeWithoutAnswer = false;  // close the connection instead of answering
    bool closeAfter = false;          // close the connection after the answer

    // A complete response: status line, the headers given, Content-Length
    // (unless withoutLength, which also closes after) and the body.
    static Reply make(std::string_view status, std::string_view headers, std::string_view body,
                      bool withoutLength = false);
};

class LoopbackServer {
public:
    using Handler = std::function<Reply(const ReceivedRequest&)>;

    // lastByte: the server listens on 127.0.0.lastByte (2 and up stand for a
    // second host).
    explicit LoopbackServer(Handler handler, int lastByte = 1);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.N:PORT" + path
    std::string url(std::string_view path = "/") const;
    std::vector<ReceivedRequest> requests() const;
    int connections() const;

private:
    void acceptLoop();
    void serve(std::uintptr_t socket, int connection);

    Handler handler_;
    std::string host_;
    std::uintptr_t listener_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<ReceivedRequest> requests_;
    int connections_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int closedLoopbackPort();

}  // namespace brevaro::test
