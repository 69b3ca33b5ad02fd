#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for the tests of the network helpers: it answers
// each request with what the test's handler returns, one connection at a time, and
// keeps the requests it saw. Replies are written by the tests from the public formats.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpTestRequest {
    std::string method;
    std::string target;   // path and query, as sent
    std::vector<std::pair<std::string, std::string>> headers;
    std::string Header(const std::string& name) const;  // "" when absent; name case-insensitive
};

struct HttpTestResponse {
    int status = 200;
    std::string body;  // a redirect's (3xx) is its Location and is not sent
    std::string contentType = "text/plain; charset=utf-8";
    // Wait this long before answering (a slow server); the server still stops promptly.
    std::chrono::milliseconds delay{0};

    // The hostile servers a network helper must outlast:
    // a Location header (with status 301/302: a redirect, to itself for a loop),
    std::string location{};
    // the status line and headers, then silence until the client gives up,
    bool stallAfterHeaders = false;
    // the body one byte at a time with this pause before each (a trickle that never times
    // out a read but takes for ever),
    std::chrono::milliseconds pausePerByte{0};
    // and this many spaces after the body, counted in its length and sent as the client
    // takes them (a reply larger than any answer), never held in memory.
    std::uint64_t paddingBytes = 0;
};

// A redirect to `url` (a loop when it names the request's own address).
HttpTestResponse RedirectTo(const std::string& url);

class LocalHttpServer {
public:
    using Handler = std::function<HttpTestResponse(const HttpTestRequest&)>;

    // Starts listening on a free port; the handler runs on the server's thread.
    explicit LocalHttpServer(Handler handler);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "http://127.0.0.1:<port>"
    std::string Url() const;
    std::vector<HttpTestRequest> Requests() const;

private:
    void Serve();  // runs on server_
    void Answer(int connection);

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex requestsLock_;
    std::vector<HttpTestRequest> requests_;  // guarded by requestsLock_
    std::thread server_;
};

// An address on 127.0.0.1 where nothing listens: connections are refused.
std::string RefusingHttpUrl();
