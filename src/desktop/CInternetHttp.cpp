#include "desktop/CInternetHttp.h"

#include <array>
#include <exception>
#include <new>

#include "common/ErrorRecord.h"
#include "common/MessageBox.h"
#include "common/PlatformErrors.h"
#include "desktop/CurlInternet.h"

namespace {

constexpr const char* kDefaultUserAgent = "Vorn! Voice Command";
constexpr uint16_t kHttpPort = 80;
constexpr uint32_t kBufferSize = 2048;

constexpr int32_t kOutOfMemory = 7;

// Runs the work of a member. A failure inside it is shown in a box titled with the member's
// name; the member then returns whatever result it held.
template <class Work>
void Trapped(const char* member, Work work) {
    int32_t number = PlatformError::kInvalidProcedureCall;
    std::string description = PlatformError::Description(number);
    try {
        work();
        return;
    } catch (const ErrorRecord& error) {
        number = error.Number();
        description = error.Description();
    } catch (const std::bad_alloc&) {
        number = kOutOfMemory;
        description = "Out of memory";
    } catch (...) {
    }
    Dialogs::MsgBox("Error: " + std::to_string(number) + ". " + description, MsgButtons::OK,
                    MsgIcon::None, member);
}

}  // namespace

CInternetHttp::CInternetHttp() : CInternetHttp(std::make_unique<CurlInternet>()) {}

CInternetHttp::CInternetHttp(std::unique_ptr<IInternet> library)
    : library_(std::move(library)), mUserAgent(kDefaultUserAgent) {}

// Handles still open are freed with the library object: nothing else can reach them then.
CInternetHttp::~CInternetHttp() = default;

std::string CInternetHttp::DLLVersion() {
    std::string result;
    Trapped("DLLVersion", [&] {
        if (mhSession == 0) return;
        uint32_t major = 0;
        uint32_t minor = 0;
        library_->QueryVersion(mhSession, major, minor);
        result = std::to_string(major) + "." + std::to_string(minor);
    });
    return result;
}

bool CInternetHttp::HitCacheFirst() const {
    return mHitCacheFirst;
}
void CInternetHttp::HitCacheFirst(bool fValue) {
    mHitCacheFirst = fValue;
}

std::string CInternetHttp::QueryContentLength() const {
    return mQueryContentLength;
}
std::string CInternetHttp::QueryContentType() const {
    return mQueryContentType;
}
std::string CInternetHttp::QueryExpires() const {
    return mQueryExpires;
}
std::string CInternetHttp::QueryForwarded() const {
    return mQueryForwarded;
}
std::string CInternetHttp::QueryLastModified() const {
    return mQueryLastModified;
}
std::string CInternetHttp::QueryPragma() const {
    return mQueryPragma;
}
std::string CInternetHttp::QueryRequestHeaders() const {
    return mQueryRequestHeaders;
}
std::string CInternetHttp::QueryRequestHeaders2() const {
    return mQueryRequestHeaders2;
}
std::string CInternetHttp::QueryServer() const {
    return mQueryServer;
}
std::string CInternetHttp::QuerySetCookie() const {
    return mQuerySetCookie;
}
std::string CInternetHttp::QueryStatusCode() const {
    return mQueryStatusCode;
}
std::string CInternetHttp::QueryStatusText() const {
    return mQueryStatusText;
}
std::string CInternetHttp::QueryUserAgent() const {
    return mQueryUserAgent;
}
std::string CInternetHttp::QueryVersion() const {
    return mQueryVersion;
}

std::string CInternetHttp::UserAgent() const {
    return mUserAgent;
}
void CInternetHttp::UserAgent(const std::string& strValue) {
    mUserAgent = strValue;
}

void CInternetHttp::CloseConnection() {
    Trapped("CloseConnection", [&] { library_->InternetCloseHandle(mhConnection); });
}

void CInternetHttp::CloseHTTPRequest() {
    Trapped("CloseHTTPRequest", [&] { library_->InternetCloseHandle(mhRequest); });
}

void CInternetHttp::CloseSession() {
    Trapped("CloseSession", [&] { library_->InternetCloseHandle(mhSession); });
}

std::string CInternetHttp::GetHTMLFromURL() {
    std::string result;
    Trapped("GetHTMLFromURL", [&] {
        mhRequest = library_->HttpOpenRequest(mhConnection, "GET", "", "HTTP/1.0", RequestFlags());
        if (!library_->HttpSendRequest(mhRequest)) return;
        std::array<char, kBufferSize> buffer{};
        for (;;) {
            uint32_t read = 0;
            if (!library_->InternetReadFile(mhRequest, buffer.data(), kBufferSize, read)) break;
            if (read == 0) break;
            result.append(buffer.data(), read);
        }
    });
    return result;
}

bool CInternetHttp::GotoURL(const std::string& strURL) {
    bool result = false;
    Trapped("GotoURL", [&] {
        if (mhSession == 0) return;
        mhConnection = library_->InternetConnect(mhSession, strURL, kHttpPort);
        result = true;
    });
    return result;
}

bool CInternetHttp::OpenSession() {
    bool result = false;
    Trapped("OpenSession", [&] {
        mhSession = library_->InternetOpen(mUserAgent);
        result = mhSession != 0;
    });
    return result;
}

void CInternetHttp::SendQuery() {
    Trapped("SendQuery", [&] {
        mhRequest = library_->HttpOpenRequest(mhConnection, "GET", "", "HTTP/1.0", RequestFlags());
        library_->HttpSendRequest(mhRequest);
        mQueryContentType = QueryDispatch(HttpQuery::kContentType);
        mQueryContentLength = QueryDispatch(HttpQuery::kContentLength);
        mQueryExpires = QueryDispatch(HttpQuery::kExpires);
        mQueryLastModified = QueryDispatch(HttpQuery::kLastModified);
        mQueryPragma = QueryDispatch(HttpQuery::kFlagRequestHeaders | HttpQuery::kPragma);
        mQueryVersion = QueryDispatch(HttpQuery::kVersion);
        mQueryStatusCode = QueryDispatch(HttpQuery::kStatusCode);
        mQueryStatusText = QueryDispatch(HttpQuery::kStatusText);
        mQueryRequestHeaders =
            QueryDispatch(HttpQuery::kFlagRequestHeaders | HttpQuery::kRawHeadersCrlf);
        mQueryRequestHeaders2 =
            QueryDispatch(HttpQuery::kFlagRequestHeaders | HttpQuery::kRequestMethod);
        mQueryForwarded = QueryDispatch(HttpQuery::kForwarded);
        mQueryServer = QueryDispatch(HttpQuery::kServer);
        mQueryUserAgent = QueryDispatch(HttpQuery::kFlagRequestHeaders | HttpQuery::kUserAgent);
        mQuerySetCookie = QueryDispatch(HttpQuery::kSetCookie);
    });
}

std::string CInternetHttp::QueryDispatch(uint32_t level) {
    std::string result;
    Trapped("QueryDispatch", [&] {
        // A value longer than the buffer is cut to fit it, with room for the NUL.
        std::string buffer(kBufferSize, '\0');
        uint32_t length = kBufferSize;
        library_->HttpQueryInfo(mhRequest, level, buffer.data(), length);
        result = TrimNulls(buffer);
    });
    return result;
}

std::string CInternetHttp::TrimNulls(const std::string& text) {
    std::string result;
    Trapped("TrimNulls", [&] { result = text.substr(0, text.find('\0')); });
    return result;
}

// With HitCacheFirst a cached answer will do; otherwise every request asks for a fresh one.
uint32_t CInternetHttp::RequestFlags() const {
    return mHitCacheFirst ? 0 : kInternetFlagReload;
}
