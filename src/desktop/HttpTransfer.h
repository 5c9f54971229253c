#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// One HTTP GET over libcurl, driven on the caller's thread: Send waits until the head of the
// final response is in (redirects are followed), Read hands out the body in pieces of the
// caller's size as it arrives, never holding more than one delivery of libcurl ahead. A transfer
// that gets no byte from the server for the stall timeout, that takes longer than the transfer
// timeout, or whose body grows past the body limit ends as failed.
class HttpTransfer {
public:
    struct Request {
        std::string url;
        std::string userAgent;
        bool http10 = true;    // HTTP/1.0, else HTTP/1.1
        bool noCache = false;  // ask every cache on the way for a fresh answer
        std::chrono::milliseconds stallTimeout{30000};
        // The whole transfer, redirects included, ends as failed after this long.
        std::chrono::milliseconds transferTimeout{120000};
        // A body longer than this ends the transfer as failed once this much was delivered.
        std::size_t bodyLimit = 64 * 1024 * 1024;
        // For tests: "host:port:to-host:to-port" sends connections to that host and port
        // elsewhere (an empty host or port matches any).
        std::string connectTo;
    };

    explicit HttpTransfer(const Request& request);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Sends the request; true once the final response head is complete.
    bool Send();
    // Copies up to size bytes of the body into buffer; count = 0 at the end of the body.
    // False when the transfer failed and nothing it delivered is left.
    bool Read(char* buffer, std::size_t size, std::size_t& count);

    // The head of the last request sent: request line and fields, each line ended by CR LF,
    // and the empty line. Empty before Send.
    const std::string& SentHead() const { return sentHead_; }
    // The head of the final response, as received; empty until it is complete.
    const std::string& ReceivedHead() const;

private:
    struct Handles;
    struct Callbacks;
    friend struct Callbacks;

    template <class Done>
    void DriveUntil(Done done);
    void CollectResult();
    void Finish(int result);
    void HeadLine(std::string_view line);
    std::size_t BodyDelivered(const char* data, std::size_t size);
    void RequestHeadSent(const char* data, std::size_t size);

    std::chrono::milliseconds stallTimeout_;
    std::size_t bodyLimit_;
    std::size_t bodyDelivered_ = 0;  // of the final response, in all
    std::unique_ptr<Handles> handles_;
    std::string sentHead_;
    bool sentHeadComplete_ = false;  // the next request head sent starts afresh
    std::string receivedHead_;
    bool receivedHeadComplete_ = false;  // its empty line came
    bool receivedHeadFinal_ = false;
    std::string body_;  // delivered by libcurl, not yet read from offset bodyTaken_
    std::size_t bodyTaken_ = 0;
    bool paused_ = false;  // libcurl holds a delivery until the body is read
    bool sent_ = false;
    bool finished_ = false;
    int result_ = 0;  // libcurl's result once finished
    std::chrono::steady_clock::time_point lastActivity_;
};
