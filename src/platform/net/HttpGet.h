#pragma once
// One HTTP(S) GET for the optional network helpers (disc details, rip verification).
// Blocking: call it from a worker thread, never from the main thread, which must keep
// painting. It runs its own event loop on the calling thread and needs the application's
// QCoreApplication to exist.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct HttpRequest {
    std::string url;
    // Extra headers, e.g. {"Accept", "application/json"}. The User-Agent names the
    // program and its version unless one is given here.
    std::vector<std::pair<std::string, std::string>> headers;
    // The whole exchange, connection included, must end within this time.
    std::chrono::milliseconds timeout{10000};
    // A body longer than this is refused (a lying or broken server).
    std::size_t maxBytes = 8u << 20;
    // Set from another thread to abandon the request; may be null.
    const std::atomic<bool>* cancel = nullptr;
};

struct HttpReply {
    bool ok = false;      // a complete body arrived with a 2xx status
    int status = 0;       // the HTTP status, 0 when none arrived
    std::string body;     // the body (also on an HTTP error status, as far as it came)
    std::string error;    // why not ok, one line a user can read ("timed out", ...)
};

// The User-Agent sent with every request: "Mervane/<version> ( <contact> )".
std::string HttpUserAgent();

// Fetches `request.url`. Runs on the calling (worker) thread; never throws.
HttpReply HttpGet(const HttpRequest& request);
