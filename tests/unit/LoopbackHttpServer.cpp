#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0 || pipe2(stopPipe_, O_CLOEXEC) != 0) throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t size = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("bind");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    const char stop = 'x';
    (void)!write(stopPipe_[1], &stop, 1);
    thread_.join();
    close(listener_);
    close(stopPipe_[0]);
    close(stopPipe_[1]);
}

std::vector<std::string> LoopbackHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::ForgetRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

int LoopbackHttpServer::Connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

std::string LoopbackHttpServer::Response(const std::string& statusLine,
                                         const std::vector<std::string>& fields,
                                         const std::string& body) {
    std::string response = statusLine + "\r\n";
    for (const std::string& field : fields) response += field + "\r\n";
    return response + "\r\n" + body;
}

bool LoopbackHttpServer::Wait(int fd, short events) {
    pollfd watched[2] = {{fd, events, 0}, {stopPipe_[0], POLLIN, 0}};
    while (poll(watched, 2, -1) < 0) {
    }
    return (watched[1].revents & POLLIN) == 0;
}

bool LoopbackHttpServer::SendAll(int client, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!Wait(client, POLLOUT)) return false;
        const ssize_t put =
            send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (put < 0 && errno == EAGAIN) continue;
        if (put <= 0) return false;
        sent += static_cast<std::size_t>(put);
    }
    return true;
}

bool LoopbackHttpServer::Pause(int client, std::chrono::milliseconds pause) {
    pollfd watched[2] = {{client, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (poll(watched, 2, static_cast<int>(pause.count())) <= 0) return true;
    if ((watched[1].revents & POLLIN) != 0) return false;
    // Readable: the client sent more (ignored) or closed its end.
    char buffer[256];
    return recv(client, buffer, sizeof buffer, MSG_DONTWAIT) > 0;
}

void LoopbackHttpServer::Run() {
    while (Wait(listener_, POLLIN)) {
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        {
            std::lock_guard lock(mutex_);
            ++connections_;
        }
        Serve(client);
        close(client);
    }
}

void LoopbackHttpServer::Serve(int client) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (!Wait(client, POLLIN)) return;
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(head);
    }
    const Reply reply = handler_(head);

    if (!SendAll(client, reply.bytes)) return;
    while (!reply.endlessTail.empty()) {
        if (reply.tailPause.count() > 0 && !Pause(client, reply.tailPause)) return;
        if (!SendAll(client, reply.endlessTail)) return;
    }
    // Silent until the client closes its end (recv gives 0) or the server stops.
    while (reply.stayOpen && Wait(client, POLLIN) && recv(client, buffer, sizeof buffer, 0) > 0) {
    }
}
