#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP server for tests, listening on 127.0.0.1 only, on a port the system chooses. It
// serves one connection at a time on its own thread: reads the request head, records it, and
// sends back what the test's handler returns.
class LoopbackHttpServer {
public:
    struct Reply {
        std::string bytes;      // sent as they are
        bool stayOpen = false;  // afterwards keep the connection open and silent until the
                                // client leaves or the server stops
        // A response that never ends: after the bytes, this is sent again and again, with the
        // pause before each time, until the client leaves or the server stops.
        std::string endlessTail{};
        std::chrono::milliseconds tailPause{0};
    };
    using Handler = std::function<Reply(const std::string& requestHead)>;

    explicit LoopbackHttpServer(Handler handler);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    uint16_t Port() const { return port_; }
    // The request heads received so far, in order.
    std::vector<std::string> Requests() const;
    // Drops the request heads kept so far (a long run would pile them up).
    void ForgetRequests();
    int Connections() const;

    // A whole response: status line, the fields (each "Name: value"), the empty line, the body.
    static std::string Response(const std::string& statusLine,
                                const std::vector<std::string>& fields, const std::string& body);

private:
    void Run();
    void Serve(int client);
    // Waits until fd can be read (or written); false when the server is stopping.
    bool Wait(int fd, short events);
    // Sends all the bytes; false when the client left or the server is stopping.
    bool SendAll(int client, const std::string& bytes);
    // Waits that long; false when the client left or the server is stopping.
    bool Pause(int client, std::chrono::milliseconds pause);

    Handler handler_;
    int listener_ = -1;
    int stopPipe_[2] = {-1, -1};
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    int connections_ = 0;
    std::thread thread_;
};
