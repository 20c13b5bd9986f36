#include "tests/e2e/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace quorvane::test {
namespace {

// Closes a socket however the answer ends.
class SocketHandle {
  public:
    explicit SocketHandle(int fd) : fd_(fd) {}
    ~SocketHandle() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    int get() const { return fd_; }
    // The socket is someone else's to close now.
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

std::string ReadRequestHead(int connection) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        pollfd ready{connection, POLLIN, 0};
        if (poll(&ready, 1, 2000) <= 0) {
            break;
        }
        const ssize_t count = recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0) {
            break;
        }
        head.append(buffer, static_cast<std::size_t>(count));
    }
    return head;
}

// The path of "GET /path HTTP/1.1", without a query.
std::string RequestPath(const std::string& head) {
    const auto start = head.find(' ');
    const auto end = head.find(' ', start + 1);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    return head.substr(start + 1, end - start - 1);
}

// False when the client went before it had everything.
bool SendAll(int connection, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t count =
            send(connection, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (count <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

}  // namespace

HttpTestServer::HttpTestServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("the test server cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { AcceptLoop(); });
}

HttpTestServer::~HttpTestServer() {
    Stop();
}

void HttpTestServer::Stop() {
    if (listener_ < 0) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    released_.notify_all();
    thread_.join();
    for (HeldAnswer& answer : heldAnswers_) {
        answer.thread.join();
    }
    close(listener_);
    listener_ = -1;
}

void HttpTestServer::Serve(const std::string& path, const std::string& contentType,
                           const std::string& body, std::optional<std::size_t> declaredLength) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{contentType, body, declaredLength, {}, false, {}};
}

void HttpTestServer::ServeAfter(std::chrono::milliseconds pause, const std::string& path,
                                const std::string& contentType, const std::string& body) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{contentType, body, std::nullopt, pause, false, {}};
}

void HttpTestServer::ServeHeldBack(std::chrono::milliseconds pause, const std::string& path,
                                   const std::string& contentType, const std::string& body) {
    std::lock_guard lock(mutex_);
    Page page{contentType, body, std::nullopt, pause, false, {}};
    page.heldBack = true;
    pages_[path] = std::move(page);
}

void HttpTestServer::ReleaseHeldBack() {
    {
        std::lock_guard lock(mutex_);
        releasing_ = true;
    }
    released_.notify_all();
}

std::size_t HttpTestServer::HeldBack() const {
    std::lock_guard lock(mutex_);
    return heldBack_;
}

void HttpTestServer::ServeWithHeader(const std::string& path, const std::string& contentType,
                                     const std::string& body, const std::string& header) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{contentType, body, std::nullopt, {}, false, header + "\r\n"};
}

void HttpTestServer::ServeRedirect(const std::string& path, const std::string& status,
                                   const std::string& location) {
    std::lock_guard lock(mutex_);
    Page page{"text/plain", "moved", std::nullopt, {}, false, "Location: " + location + "\r\n"};
    page.status = status;
    pages_[path] = page;
}

void HttpTestServer::ServeWithoutLength(const std::string& path, const std::string& contentType,
                                        const std::string& body) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{contentType, body, std::nullopt, {}, false, {}, true};
}

void HttpTestServer::ServeEndlessly(const std::string& path, const std::string& contentType) {
    std::lock_guard lock(mutex_);
    pages_[path] = Page{contentType, {}, std::nullopt, {}, true, {}};
}

std::string HttpTestServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> HttpTestServer::RequestedPaths() const {
    std::lock_guard lock(mutex_);
    return requested_;
}

void HttpTestServer::AcceptLoop() {
    while (!stopping_) {
        pollfd ready{listener_, POLLIN, 0};
        if (poll(&ready, 1, 50) <= 0) {
            continue;
        }
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection >= 0) {
            Answer(connection);
        }
    }
}

void HttpTestServer::Answer(int connection) {
    SocketHandle socket(connection);
    const std::string path = RequestPath(ReadRequestHead(socket.get()));
    Page page{"text/plain", "not found", std::nullopt, {}, false, {}};
    std::string status = "404 Not Found";
    {
        std::lock_guard lock(mutex_);
        requested_.push_back(path);
        if (auto found = pages_.find(path); found != pages_.end()) {
            page = found->second;
            status = page.status.empty() ? "200 OK" : page.status;
        }
    }
    if (page.endless) {
        SendEndlessly(socket.get(), page.contentType);
        return;
    }
    if (page.heldBack) {
        HoldBack(socket.Release(), std::move(page));
        return;
    }
    std::this_thread::sleep_for(page.pause);
    SendAnswer(socket.get(), status, page);
}

// The threads of answers already sent are joined here, so that a page of thousands of
// pictures held back leaves no more threads than answers still held.
void HttpTestServer::HoldBack(int connection, Page page) {
    heldAnswers_.remove_if([](HeldAnswer& answer) {
        if (!*answer.done) {
            return false;
        }
        answer.thread.join();
        return true;
    });
    {
        std::lock_guard lock(mutex_);
        ++heldBack_;
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, connection, page = std::move(page), done] {
        SendHeldBack(connection, page);
        *done = true;
    });
    heldAnswers_.push_back({std::move(thread), std::move(done)});
}

void HttpTestServer::SendHeldBack(int connection, const Page& page) {
    SocketHandle socket(connection);
    {
        std::unique_lock lock(mutex_);
        released_.wait_for(lock, page.pause, [this] { return releasing_ || stopping_; });
        --heldBack_;
    }
    SendAnswer(socket.get(), "200 OK", page);
}

bool HttpTestServer::SendAnswer(int connection, const std::string& status, const Page& page) {
    const std::string length =
        page.lengthUnsaid
            ? ""
            : "Content-Length: " + std::to_string(page.declaredLength.value_or(page.body.size())) +
                  "\r\n";
    return SendAll(connection, "HTTP/1.0 " + status + "\r\nContent-Type: " + page.contentType +
                                   "\r\n" + length + page.header + "Connection: close\r\n\r\n" +
                                   page.body);
}

void HttpTestServer::SendEndlessly(int connection, const std::string& contentType) {
    if (!SendAll(connection, "HTTP/1.0 200 OK\r\nContent-Type: " + contentType +
                                 "\r\n"
                                 "Content-Length: 1000000000\r\nConnection: close\r\n\r\n")) {
        return;
    }
    const std::string chunk(16 * 1024, 'x');
    while (!stopping_ && SendAll(connection, chunk)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}  // namespace quorvane::test
