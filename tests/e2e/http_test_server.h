#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvane::test {

// A tiny HTTP/1.0 server on 127.0.0.1 for the end-to-end tests: it serves fixed pages
// by path, answers 404 to anything else, and records every path asked for. It starts
// in the constructor on a port of the system's choosing and stops in the destructor.
class HttpTestServer {
  public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // declaredLength, when given, is the length the answer's header announces: a longer
    // one makes an answer cut off before its end.
    void Serve(const std::string& path, const std::string& contentType, const std::string& body,
               std::optional<std::size_t> declaredLength = std::nullopt);
    // Serves path as Serve does, but only after a pause, during which the server answers
    // nobody else.
    void ServeAfter(std::chrono::milliseconds pause, const std::string& path,
                    const std::string& contentType, const std::string& body);
    // Serves path as Serve does, but holds each answer back for pause, or until
    // ReleaseHeldBack, on a thread of its own: the server answers the others meanwhile, as a
    // slow server does for many pictures at once.
    void ServeHeldBack(std::chrono::milliseconds pause, const std::string& path,
                       const std::string& contentType, const std::string& body);
    // Sends every answer held back, now and from now on, at once.
    void ReleaseHeldBack();
    // The answers held back now.
    std::size_t HeldBack() const;
    // Serves path as Serve does, with one more header line ("Name: value").
    void ServeWithHeader(const std::string& path, const std::string& contentType,
                         const std::string& body, const std::string& header);
    // Answers path with status ("301 Moved Permanently") and "Location: location".
    void ServeRedirect(const std::string& path, const std::string& status,
                       const std::string& location);
    // Serves path as Serve does, but says no length: the answer ends where the connection does.
    void ServeWithoutLength(const std::string& path, const std::string& contentType,
                            const std::string& body);
    // Serves path as a file that never ends: a little more every 50 ms until the client
    // goes, during which the server answers nobody else.
    void ServeEndlessly(const std::string& path, const std::string& contentType);
    // Stops serving: the port refuses every connection from now on. The destructor stops it
    // when it still serves.
    void Stop();
    // "http://127.0.0.1:<port>" followed by path.
    std::string Url(const std::string& path) const;
    int Port() const { return port_; }
    std::vector<std::string> RequestedPaths() const;

  private:
    struct Page {
        std::string contentType;
        std::string body;
        std::optional<std::size_t> declaredLength;
        std::chrono::milliseconds pause{0};
        bool endless = false;
        std::string header;
        bool lengthUnsaid = false;
        bool heldBack = false;
        std::string status{};  // "200 OK" when empty
    };
    // An answer sent from a thread of its own; done once it is sent.
    struct HeldAnswer {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    void AcceptLoop();
    void Answer(int connection);
    void SendEndlessly(int connection, const std::string& contentType);
    void HoldBack(int connection, Page page);
    void SendHeldBack(int connection, const Page& page);
    static bool SendAnswer(int connection, const std::string& status, const Page& page);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Page> pages_;
    std::vector<std::string> requested_;
    std::condition_variable released_;
    bool releasing_ = false;
    std::size_t heldBack_ = 0;
    std::list<HeldAnswer> heldAnswers_;  // the accepting thread's alone
    std::thread thread_;
};

}  // namespace quorvane::test
