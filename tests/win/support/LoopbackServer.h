#pragma once
// A real HTTP server on 127.0.0.1 for the Windows tests, inside the test
// process: it binds a free port (port 0), records every request's exact bytes
// and answers with exact bytes from a handler, so a test sees what the client
// put on the wire and can send malformed, split, reset or missing answers.
// Stopped and joined when it goes out of scope. A server that answers for
// hours (the soak run) keeps no log of the requests, only their count.

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
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
    std::chrono::milliseconds pause{0};  // before each chunk (cut short when the server stops)
    bool closeWithoutAnswer = false;  // close the connection instead of answering
    bool closeAfter = false;          // close the connection after the answer
    // After the chunks, send nothing more and keep the connection open until
    // the client closes it or the server stops: a server that stalls.
    bool holdOpen = false;
    // After the chunks, abort the connection: the client sees a reset (RST),
    // not an orderly close.
    bool reset = false;

    // A complete response: status line, the headers given, Content-Length
    // (unless withoutLength, which also closes after) and the body.
    static Reply make(std::string_view status, std::string_view headers, std::string_view body,
                      bool withoutLength = false);
};

// Whether the server keeps every request it received (requests()) or only
// counts them.
enum class RequestLog { Kept, CountOnly };

class LoopbackServer {
public:
    using Handler = std::function<Reply(const ReceivedRequest&)>;

    // lastByte: the server listens on 127.0.0.lastByte (2 and up stand for a
    // second host). port: the port to listen on, 0 for a free one; a given
    // port is taken even while connections of an earlier server on it wait
    // out their close (a server that goes away and comes back).
    explicit LoopbackServer(Handler handler, int lastByte = 1, RequestLog log = RequestLog::Kept,
                            int port = 0);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.N:PORT" + path
    std::string url(std::string_view path = "/") const;
    std::vector<ReceivedRequest> requests() const;  // empty with RequestLog::CountOnly
    int requestCount() const;
    int connections() const;

private:
    // One connection's thread; `done` is set as it returns, so that a
    // long-lived server can join the finished ones as it goes.
    struct Worker {
        std::thread thread;
        std::atomic<bool> done = false;
    };

    void acceptLoop();
    void joinFinishedWorkers();  // with mutex_ held
    void serve(std::uintptr_t socket, int connection);

    Handler handler_;
    std::string host_;
    RequestLog log_;
    std::uintptr_t listener_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<ReceivedRequest> requests_;
    int requestCount_ = 0;
    int connections_ = 0;
    bool stopping_ = false;
    std::list<Worker> workers_;  // a list: a worker's node stays where it is
    std::thread acceptor_;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int closedLoopbackPort();

}  // namespace brevaro::test
