#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "desktop/Internet.h"

// A small HTTP/1.0 GET client: opens a session under a user-agent text, connects to one server
// on port 80, and either fetches the whole response body or reads fourteen header values of
// the request and its response. Handles are kept as plain values: closing one leaves its field
// as it was, and a new open overwrites the field without closing what it held. Failures inside
// a member show a message box titled with the member's name. One instance is for one thread.
class CInternetHttp {
public:
    CInternetHttp();
    // Runs over another library (tests: another port, a shorter stall timeout, a fake).
    explicit CInternetHttp(std::unique_ptr<IInternet> library);
    ~CInternetHttp();
    CInternetHttp(const CInternetHttp&) = delete;
    CInternetHttp& operator=(const CInternetHttp&) = delete;

    std::string DLLVersion();
    bool HitCacheFirst() const;
    void HitCacheFirst(bool fValue);
    std::string QueryContentLength() const;
    std::string QueryContentType() const;
    std::string QueryExpires() const;
    std::string QueryForwarded() const;
    std::string QueryLastModified() const;
    std::string QueryPragma() const;
    std::string QueryRequestHeaders() const;
    std::string QueryRequestHeaders2() const;
    std::string QueryServer() const;
    std::string QuerySetCookie() const;
    std::string QueryStatusCode() const;
    std::string QueryStatusText() const;
    std::string QueryUserAgent() const;
    std::string QueryVersion() const;
    std::string UserAgent() const;
    void UserAgent(const std::string& strValue);
    void CloseConnection();
    void CloseHTTPRequest();
    void CloseSession();
    std::string GetHTMLFromURL();
    bool GotoURL(const std::string& strURL);
    bool OpenSession();
    void SendQuery();

private:
    std::string QueryDispatch(uint32_t level);
    std::string TrimNulls(const std::string& text);

    uint32_t RequestFlags() const;

    std::unique_ptr<IInternet> library_;
    InternetHandle mhSession = 0;
    InternetHandle mhConnection = 0;
    InternetHandle mhRequest = 0;
    std::string mUserAgent;
    bool mHitCacheFirst = false;
    std::string mQueryContentType;
    std::string mQueryContentLength;
    std::string mQueryExpires;
    std::string mQueryLastModified;
    std::string mQueryPragma;
    std::string mQueryVersion;
    std::string mQueryStatusCode;
    std::string mQueryStatusText;
    std::string mQueryRequestHeaders;
    std::string mQueryRequestHeaders2;
    std::string mQueryForwarded;
    std::string mQueryServer;
    std::string mQueryUserAgent;
    std::string mQuerySetCookie;
};
