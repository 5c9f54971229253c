#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "desktop/Internet.h"

class HttpTransfer;

// The Internet library's calls on libcurl. Handles are numbers into this object's own table,
// handed out in rising order; closing a handle frees what it holds, and destroying the
// object frees every handle still open. A connection and a request keep what they need from
// their session and connection, so closing those does not spoil them.
class CurlInternet : public IInternet {
public:
    struct Settings {
        // Longest silence of the server (while connecting, or waiting for a response or body
        // bytes) before the request ends as failed.
        std::chrono::milliseconds stallTimeout{30000};
        // Longest time one request may take in all, so that a server that never stops sending
        // cannot hold the caller for ever.
        std::chrono::milliseconds transferTimeout{120000};
        // Most body bytes one request delivers; a longer body ends the request as failed after
        // that many.
        std::size_t bodyLimit = 64 * 1024 * 1024;
        // For tests: every connection goes to this port instead of the one asked for, and a
        // redirect to another server goes to this port of the loopback address.
        std::optional<uint16_t> portOverride;
    };

    CurlInternet();
    explicit CurlInternet(Settings settings);
    ~CurlInternet() override;

    InternetHandle InternetOpen(const std::string& agent) override;
    InternetHandle InternetConnect(InternetHandle session, const std::string& serverName,
                                   uint16_t port) override;
    InternetHandle HttpOpenRequest(InternetHandle connection, const std::string& verb,
                                   const std::string& target, const std::string& version,
                                   uint32_t flags) override;
    bool HttpSendRequest(InternetHandle request) override;
    bool InternetReadFile(InternetHandle request, char* buffer, uint32_t size,
                          uint32_t& read) override;
    bool HttpQueryInfo(InternetHandle request, uint32_t level, char* buffer,
                       uint32_t& length) override;
    bool QueryVersion(InternetHandle session, uint32_t& major, uint32_t& minor) override;
    bool InternetCloseHandle(InternetHandle handle) override;

private:
    struct Session {
        std::string agent;
    };
    struct Connection {
        std::string agent;
        std::string server;
        uint16_t port;
    };
    struct Request {
        std::unique_ptr<HttpTransfer> transfer;
        bool sent = false;
    };
    using Object = std::variant<Session, Connection, Request>;

    InternetHandle Add(Object object);
    template <class T>
    T* Find(InternetHandle handle);

    Settings settings_;
    std::map<InternetHandle, Object> handles_;
    InternetHandle lastHandle_ = 0;
};
