#include "desktop/CurlInternet.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>

#include "desktop/HttpHead.h"
#include "desktop/HttpTransfer.h"

namespace {

// A header text may not hold a line end or NUL: it would end the field early and let the rest
// pass as fields of its own.
bool IsSafeFieldText(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

// A host name (letters, digits, '-', '.', '_') or an IPv6 address in brackets; nothing that
// could change the meaning of the URL built around it.
bool IsServerName(const std::string& name) {
    if (name.empty() || name.size() > 255) return false;
    const auto isAlnum = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    if (name.front() == '[') {
        if (name.size() < 3 || name.back() != ']') return false;
        return std::all_of(name.begin() + 1, name.end() - 1,
                           [&](char c) { return isAlnum(c) || c == ':' || c == '.'; });
    }
    return std::all_of(name.begin(), name.end(),
                       [&](char c) { return isAlnum(c) || c == '-' || c == '.' || c == '_'; });
}

// A request target: "/" and what follows, without blanks or control characters.
bool IsTarget(const std::string& target) {
    if (target.empty() || target.front() != '/') return false;
    return std::none_of(target.begin(), target.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F;
    });
}

// The field that an information level asks for, or nothing for a level that is no field.
const char* FieldName(uint32_t level) {
    switch (level) {
        case HttpQuery::kContentType:
            return "Content-Type";
        case HttpQuery::kContentLength:
            return "Content-Length";
        case HttpQuery::kExpires:
            return "Expires";
        case HttpQuery::kLastModified:
            return "Last-Modified";
        case HttpQuery::kPragma:
            return "Pragma";
        case HttpQuery::kForwarded:
            return "Forwarded";
        case HttpQuery::kServer:
            return "Server";
        case HttpQuery::kUserAgent:
            return "User-Agent";
        case HttpQuery::kSetCookie:
            return "Set-Cookie";
        default:
            return nullptr;
    }
}

// One information level of a request head or a response head.
std::optional<std::string> Information(const std::string& head, uint32_t level, bool ofRequest) {
    if (head.empty()) return std::nullopt;
    const HttpHead::StartLine start = HttpHead::ParseStartLine(head);
    switch (level) {
        case HttpQuery::kRawHeadersCrlf:
            return head;
        case HttpQuery::kVersion:
            return ofRequest ? start.rest : start.first;
        case HttpQuery::kStatusCode:
            if (ofRequest) return std::nullopt;
            return start.second;
        case HttpQuery::kStatusText:
            if (ofRequest) return std::nullopt;
            return start.rest;
        case HttpQuery::kRequestMethod:
            if (!ofRequest) return std::nullopt;
            return start.first;
        default: {
            const char* name = FieldName(level);
            if (name == nullptr) return std::nullopt;
            return HttpHead::FieldValue(head, name);
        }
    }
}

}  // namespace

CurlInternet::CurlInternet() : CurlInternet(Settings{}) {}

CurlInternet::CurlInternet(Settings settings) : settings_(settings) {}

CurlInternet::~CurlInternet() = default;

InternetHandle CurlInternet::InternetOpen(const std::string& agent) {
    if (!IsSafeFieldText(agent)) return 0;
    return Add(Session{agent});
}

InternetHandle CurlInternet::InternetConnect(InternetHandle session, const std::string& serverName,
                                             uint16_t port) {
    const Session* owner = Find<Session>(session);
    if (owner == nullptr || !IsServerName(serverName)) return 0;
    return Add(Connection{owner->agent, serverName, settings_.portOverride.value_or(port)});
}

InternetHandle CurlInternet::HttpOpenRequest(InternetHandle connection, const std::string& verb,
                                             const std::string& target, const std::string& version,
                                             uint32_t flags) {
    const Connection* server = Find<Connection>(connection);
    if (server == nullptr || verb != "GET") return 0;
    if (version != "HTTP/1.0" && version != "HTTP/1.1") return 0;
    const std::string path = target.empty() ? "/" : target;
    if (!IsTarget(path)) return 0;

    HttpTransfer::Request request;
    request.url = "http://" + server->server + ":" + std::to_string(server->port) + path;
    request.userAgent = server->agent;
    request.http10 = version == "HTTP/1.0";
    request.noCache = (flags & kInternetFlagReload) != 0;
    request.stallTimeout = settings_.stallTimeout;
    request.transferTimeout = settings_.transferTimeout;
    request.bodyLimit = settings_.bodyLimit;
    if (settings_.portOverride) {
        request.connectTo = "::127.0.0.1:" + std::to_string(*settings_.portOverride);
    }
    return Add(Request{std::make_unique<HttpTransfer>(request)});
}

bool CurlInternet::HttpSendRequest(InternetHandle request) {
    Request* sending = Find<Request>(request);
    if (sending == nullptr || sending->sent) return false;
    sending->sent = true;
    return sending->transfer->Send();
}

bool CurlInternet::InternetReadFile(InternetHandle request, char* buffer, uint32_t size,
                                    uint32_t& read) {
    read = 0;
    Request* reading = Find<Request>(request);
    if (reading == nullptr) return false;
    std::size_t count = 0;
    const bool ok = reading->transfer->Read(buffer, size, count);
    read = static_cast<uint32_t>(count);
    return ok;
}

bool CurlInternet::HttpQueryInfo(InternetHandle request, uint32_t level, char* buffer,
                                 uint32_t& length) {
    const Request* asked = Find<Request>(request);
    const uint32_t room = length;
    length = 0;
    if (asked == nullptr || room == 0) return false;
    const bool ofRequest = (level & HttpQuery::kFlagRequestHeaders) != 0;
    const uint32_t what = level & ~HttpQuery::kFlagRequestHeaders;
    const std::string& head =
        ofRequest ? asked->transfer->SentHead() : asked->transfer->ReceivedHead();
    const std::optional<std::string> value = Information(head, what, ofRequest);
    if (!value) return false;

    const std::size_t copied = std::min<std::size_t>(value->size(), room - 1);
    std::memcpy(buffer, value->data(), copied);
    buffer[copied] = '\0';
    length = static_cast<uint32_t>(copied);
    return copied == value->size();
}

bool CurlInternet::QueryVersion(InternetHandle, uint32_t& major, uint32_t& minor) {
    // The version belongs to the library, not to a session: it is answered for any handle.
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    major = (info->version_num >> 16) & 0xFFu;
    minor = (info->version_num >> 8) & 0xFFu;
    return true;
}

bool CurlInternet::InternetCloseHandle(InternetHandle handle) {
    return handles_.erase(handle) != 0;
}

InternetHandle CurlInternet::Add(Object object) {
    do {
        ++lastHandle_;
    } while (lastHandle_ == 0 || handles_.contains(lastHandle_));
    handles_.emplace(lastHandle_, std::move(object));
    return lastHandle_;
}

template <class T>
T* CurlInternet::Find(InternetHandle handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end()) return nullptr;
    return std::get_if<T>(&found->second);
}
