#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A socket bound to 127.0.0.1 on a port the system picks; returns the port.
int BindLoopback(int socketFd)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot bind a test socket on 127.0.0.1");
    }
    socklen_t length = sizeof address;
    getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

const char* StatusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// Waits `pause` on the server's thread; false when the client closed its end or the
// server is stopping first.
bool ClientStays(int connection, std::chrono::milliseconds pause, const std::atomic<bool>& stopping)
{
    const auto until = std::chrono::steady_clock::now() + pause;
    while (std::chrono::steady_clock::now() < until) {
        if (stopping) {
            return false;
        }
        pollfd waiting{connection, POLLIN, 0};
        char peek = 0;
        if (poll(&waiting, 1, 10) > 0 && recv(connection, &peek, 1, MSG_PEEK) <= 0) {
            return false;
        }
    }
    return !stopping;
}

bool SendAll(int connection, const char* data, std::size_t size, const std::atomic<bool>& stopping)
{
    std::size_t sent = 0;
    while (sent < size && !stopping) {
        const ssize_t wrote = send(connection, data + sent, size - sent, MSG_NOSIGNAL);
        if (wrote <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(wrote);
    }
    return sent == size;
}

} // namespace

HttpTestResponse RedirectTo(const std::string& url)
{
    HttpTestResponse response;
    response.status = 302;
    response.location = url;
    return response;
}

std::string HttpTestRequest::Header(const std::string& name) const
{
    for (const auto& [key, value] : headers) {
        if (Lower(key) == Lower(name)) {
            return value;
        }
    }
    return "";
}

LocalHttpServer::LocalHttpServer(Handler handler) : handler_(std::move(handler))
{
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    port_ = BindLoopback(listener_);
    listen(listener_, 16);
    server_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer()
{
    stopping_ = true;
    server_.join();
    close(listener_);
}

std::string LocalHttpServer::Url() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<HttpTestRequest> LocalHttpServer::Requests() const
{
    std::lock_guard lock(requestsLock_);
    return requests_;
}

// Runs on the server's thread: accepts and answers until the server is destroyed.
void LocalHttpServer::Serve()
{
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection >= 0) {
            Answer(connection);
            close(connection);
        }
    }
}

// Runs on the server's thread.
void LocalHttpServer::Answer(int connection)
{
    std::string received;
    char chunk[4096];
    while (received.find("\r\n\r\n") == std::string::npos && !stopping_) {
        pollfd waiting{connection, POLLIN, 0};
        if (poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        const ssize_t got = read(connection, chunk, sizeof chunk);
        if (got <= 0) {
            return;
        }
        received.append(chunk, static_cast<std::size_t>(got));
    }
    HttpTestRequest request;
    std::size_t lineStart = 0;
    for (bool first = true;; first = false) {
        const std::size_t lineEnd = received.find("\r\n", lineStart);
        if (lineEnd == std::string::npos || lineEnd == lineStart) {
            break;
        }
        const std::string line = received.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first) {
            const std::size_t space1 = line.find(' ');
            const std::size_t space2 = line.find(' ', space1 + 1);
            request.method = line.substr(0, space1);
            request.target = line.substr(space1 + 1, space2 - space1 - 1);
        } else if (const std::size_t colon = line.find(':'); colon != std::string::npos) {
            std::size_t valueStart = colon + 1;
            while (valueStart < line.size() && line[valueStart] == ' ') {
                ++valueStart;
            }
            request.headers.emplace_back(line.substr(0, colon), line.substr(valueStart));
        }
    }
    {
        std::lock_guard lock(requestsLock_);
        requests_.push_back(request);
    }
    HttpTestResponse response = handler_(request);
    // A redirect whose target was given as its body sends it as the Location, without a body.
    if (response.status >= 300 && response.status < 400 && response.location.empty()) {
        response.location = response.body;
        response.body.clear();
    }
    // A client that gave up closes its end: stop waiting for it.
    if (!ClientStays(connection, response.delay, stopping_)) {
        return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + StatusText(response.status) +
                       "\r\nContent-Type: " + response.contentType;
    // A stalled reply names no length: the client waits for the body until the end.
    if (!response.stallAfterHeaders) {
        head += "\r\nContent-Length: " + std::to_string(response.body.size() + response.paddingBytes);
    }
    if (!response.location.empty()) {
        head += "\r\nLocation: " + response.location;
    }
    head += "\r\nConnection: close\r\n\r\n";
    if (response.stallAfterHeaders) {
        if (SendAll(connection, head.data(), head.size(), stopping_)) {
            while (ClientStays(connection, std::chrono::milliseconds(100), stopping_)) {
            }
        }
        return;
    }
    if (response.pausePerByte.count() > 0) {
        if (!SendAll(connection, head.data(), head.size(), stopping_)) {
            return;
        }
        for (const char c : response.body) {
            if (!ClientStays(connection, response.pausePerByte, stopping_) ||
                !SendAll(connection, &c, 1, stopping_)) {
                return;
            }
        }
    } else {
        const std::string whole = head + response.body;
        if (!SendAll(connection, whole.data(), whole.size(), stopping_)) {
            return;
        }
    }
    const std::string spaces(65536, ' ');
    for (std::uint64_t left = response.paddingBytes; left > 0;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, spaces.size()));
        if (!SendAll(connection, spaces.data(), n, stopping_)) {
            return;
        }
        left -= n;
    }
}

std::string RefusingHttpUrl()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    const int port = BindLoopback(probe);
    close(probe);
    return "http://127.0.0.1:" + std::to_string(port);
}
