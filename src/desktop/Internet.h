#pragma once

#include <cstdint>
#include <string>

// The calls of an Internet library that the HTTP client class makes, shaped as the handle-based
// session / connection / request interface it was written against. CurlInternet implements it on
// libcurl; tests may put another in its place.

// A handle of the library: a plain 32-bit value, 0 for none.
using InternetHandle = uint32_t;

// Request flag: fetch from the server, never from a cache.
inline constexpr uint32_t kInternetFlagReload = 0x80000000u;

// Information levels of HttpQueryInfo.
namespace HttpQuery {
inline constexpr uint32_t kContentType = 1;
inline constexpr uint32_t kContentLength = 5;
inline constexpr uint32_t kExpires = 10;
inline constexpr uint32_t kLastModified = 11;
inline constexpr uint32_t kPragma = 17;
inline constexpr uint32_t kVersion = 18;
inline constexpr uint32_t kStatusCode = 19;
inline constexpr uint32_t kStatusText = 20;
inline constexpr uint32_t kRawHeadersCrlf = 22;
inline constexpr uint32_t kForwarded = 30;
inline constexpr uint32_t kServer = 37;
inline constexpr uint32_t kUserAgent = 39;
inline constexpr uint32_t kSetCookie = 43;
inline constexpr uint32_t kRequestMethod = 45;
// Added to a level: ask about the request that was sent instead of the response.
inline constexpr uint32_t kFlagRequestHeaders = 0x80000000u;
}  // namespace HttpQuery

class IInternet {
public:
    virtual ~IInternet() = default;

    // Opens a session that sends the agent text; 0 on failure. Proxies are those configured
    // for the user.
    virtual InternetHandle InternetOpen(const std::string& agent) = 0;
    // A connection of the session to one HTTP server; nothing goes over the network yet.
    virtual InternetHandle InternetConnect(InternetHandle session, const std::string& serverName,
                                           uint16_t port) = 0;
    // A request on the connection, not yet sent. An empty target asks for "/".
    virtual InternetHandle HttpOpenRequest(InternetHandle connection, const std::string& verb,
                                           const std::string& target, const std::string& version,
                                           uint32_t flags) = 0;
    // Sends the request and waits for the response head; false when no response came.
    virtual bool HttpSendRequest(InternetHandle request) = 0;
    // Reads up to size bytes of the response body; read = 0 at its end. False on a failure.
    virtual bool InternetReadFile(InternetHandle request, char* buffer, uint32_t size,
                                  uint32_t& read) = 0;
    // Copies the first value of an information level, with a terminating NUL, into the buffer
    // of length bytes; length becomes the number of bytes copied before the NUL. A value that
    // does not fit is cut to length - 1 bytes and gives false, as does a value not there.
    virtual bool HttpQueryInfo(InternetHandle request, uint32_t level, char* buffer,
                               uint32_t& length) = 0;
    // The library's version, major and minor.
    virtual bool QueryVersion(InternetHandle session, uint32_t& major, uint32_t& minor) = 0;
    // Closes any handle; false when it is not open.
    virtual bool InternetCloseHandle(InternetHandle handle) = 0;
};
