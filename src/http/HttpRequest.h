#pragma once
// HttpRequest: the board monitors' HTTP/HTTPS client over WinHttp,
// synchronous. One object lives as long as a board's run and is reused for
// every poll: Open a GET for the board's URL, (forum boards) load the forum
// cookies, Send, read BodyText. On top of WinHttp it adds a cookie mode
// (platform, its own store, or the browser store), its own redirect following
// (at most 10 hops) when it keeps the cookies itself (its store, which holds
// the forum's login, goes only to the host a chain started on and that host's
// relatives, and takes no cookie from any other), a default header block,
// bounded send attempts and a body reader that grows one heap buffer.
//
// Every text it takes and returns is GBK; it converts with code page 936 at
// each platform call. No operation throws or shows anything: each reports by
// its result (false, 0, an empty text). One object per thread, with one
// exception: Abort may be called from any thread.
//
// Declared without platform headers (handles are void*), so portable code and
// the wininet side can include it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "http/CookieText.h"
#include "http/Deadline.h"
#include "http/RequestFailure.h"
#include "http/RequestRules.h"

namespace brevaro::http {

enum class CookieMode : int {
    Platform = 0,      // WinHttp keeps the session's cookies and follows redirects
    OwnStore = 1,      // the object's store, sent as "Cookie:"; redirects followed by the object
    BrowserStore = 2,  // the browser cookie store for the current URL; redirects by the object
};

class HttpRequest {
public:
    // Opens the session with the default agent and resets the options.
    HttpRequest();
    // Releases the platform handles and the body buffer (Close).
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    void OpenSession(std::string_view userAgent = kRequestUserAgent);
    void Close();
    void ResetOptions();
    void MergeResponseCookies(bool ignoreEmpty);
    void StoreResponseCookiesInBrowser(bool ignoreEmpty);
    bool StoreCookiesInBrowser(std::string_view cookieText);
    bool AddStoreCookieHeader();
    bool AddBrowserCookieHeader();
    bool AddDefaultHeaders(bool hasBody);
    void ApplyOptions();
    bool ReadResponseHeaders(bool ignoreEmpty);
    void FollowRedirect(bool ignoreEmpty);

    // Read, or replace (the handle given is owned from then on).
    void* SessionHandle(std::optional<void*> replacement = std::nullopt);
    void* ConnectionHandle(std::optional<void*> replacement = std::nullopt);
    void* RequestHandle(std::optional<void*> replacement = std::nullopt);

    void SetDefaultHeaders(bool on = true);
    // 0 Platform, 1 OwnStore, 2 BrowserStore; any other value means Platform.
    void SetCookieMode(int mode = 1);
    void Reinitialise(std::string_view userAgent = kRequestUserAgent);

    bool Open(std::string_view method, std::string_view url);
    bool Send(std::string_view body = {}, bool ignoreEmpty = false, int retries = 3);
    bool SendBytes(std::string_view body, bool ignoreEmpty, int retries = 3);

    // The body as received (read once, then kept); empty without a response,
    // and empty when it did not come whole (short of its Content-Length, or
    // its reading failed: LastFailure says why).
    std::string BodyBytes();
    // The body up to its first zero byte, without character-set conversion.
    std::string BodyText();
    // BodyText, handed over: the object keeps no copy of it, and lets go of
    // a large body's buffer. BodyBytes and BodyText give nothing after it.
    std::string TakeBodyText();
    // The body decoded as UTF-8 and re-encoded as GBK.
    std::string BodyTextFromUtf8();
    int StatusCode();
    std::string StatusText();
    // Why the request of the latest Open failed (its Open, its Send, a hop
    // of its redirects or the reading of its body); None while nothing of
    // it has failed. A request past its time limit has TimedOut.
    RequestFailure LastFailure() const { return lastFailure_; }
    std::string ResponseHeaders() const { return responseHeaders_; }
    std::string ResponseHeader(std::string_view name) const;
    std::string ResponseCookies() const;
    std::string ResponseCookie(std::string_view name) const;
    std::string RedirectLocation(bool complete) const;

    bool SetTimeouts(int resolveMs = 10000, int connectMs = 20000, int sendMs = 300000,
                     int receiveMs = 600000);
    // Every later request of the object, from its Open to the body's last
    // byte (its send attempts and the redirect hops the object follows
    // included), ends within `milliseconds`; one that runs out has failed:
    // Send returns false, the body is empty. Each Open starts the time
    // again. Within it the platform's own time-outs still hold, each cut to
    // the time left. 0 or less: no limit (as after construction).
    void SetTimeLimit(int milliseconds);
    bool SetProxy(std::string_view server, std::string_view user, std::string_view password);
    // target: 0 server, 1 proxy; scheme: 1 Basic.
    bool SetCredentials(std::string_view user, std::string_view password, int target = 0,
                        int scheme = 1);
    // handleKind: 1 connection, 2 request, anything else the session.
    bool SetOption(int handleKind, std::uint32_t option, std::uint32_t value,
                   std::uint32_t size = sizeof(std::uint32_t));
    void SetAllowRedirects(bool allow = true);
    // modifiers omitted: WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE.
    bool SetHeader(std::string_view name, std::string_view value,
                   std::optional<std::uint32_t> modifiers = std::nullopt);
    bool RemoveHeader(std::string_view name);
    bool SetCookies(std::string_view cookieText);
    bool SetUserAgent(std::string_view value = kRequestUserAgent);
    // value omitted: the current URL.
    bool SetReferer(std::optional<std::string_view> value = std::nullopt);
    bool SetAccept(std::string_view value = "*/*");
    bool SetAcceptLanguage(std::string_view value = "zh-cn");
    bool SetContentType(std::string_view value = "application/x-www-form-urlencoded");
    bool SetAjax();
    bool SetClientIp(std::string_view address);

    // newText omitted: the store's cookie text; given: the store becomes it.
    std::string CookieText(std::optional<std::string_view> newText = std::nullopt);
    std::string CookieValue(std::string_view name, bool withName = false) const;
    bool MergeCookies(std::string_view cookieText);
    bool DeleteCookies(std::string_view names);

    // From any thread: the request in flight fails at its next step (a
    // blocking call under way runs to its own end, bounded by the time
    // limit and the platform's time-outs; its answer is dropped) and every
    // later Open and Send is refused. It touches no handle: only the thread
    // that uses the object closes them. A board's stop uses it so that
    // nothing of a stopped run goes on.
    void Abort();
    // The same, once `stop` reads true; `stop` must outlive the object.
    void AbortWhen(const std::atomic<bool>& stop);
    bool aborted() const;

    CookieMode cookieMode() const { return cookieMode_; }
    const std::string& currentUrl() const { return currentUrl_; }

private:
    // A body's buffer of at most this capacity is kept for the next one.
    static constexpr std::size_t kKeptBodyCapacity = 1024 * 1024;

    // The body read into the buffer (once), as BodyBytes describes it.
    std::string_view bodyView();
    bool sendBody(std::string_view body, bool ignoreEmpty, int retries);
    void closeHandle(void*& handle);
    void closeRequest();
    void* handleOfKind(int kind) const;
    bool disablePlatformFeature(std::uint32_t feature);
    bool addHeaderLines(std::string_view lines, std::uint32_t modifiers);
    // OwnStore: whether the store may go to, and take cookies from, the
    // connected host (the chain's home host or a relative of it).
    bool storeTravelsHere() const;
    void readPlatformTimeouts();
    void cutTimeouts(void* request);
    void endPastTimeLimit();
    // Records the failure of the step that just failed (the thread's last
    // error); false, for the caller to return.
    bool failed();

    void* session_ = nullptr;
    void* connection_ = nullptr;
    // Read by tests from another thread; only the object's own thread
    // changes or closes it.
    std::atomic<void*> request_ = nullptr;
    std::atomic<bool> aborted_ = false;
    const std::atomic<bool>* abortWhen_ = nullptr;
    std::string connectedHost_;
    std::string chainHome_;  // the host the current redirect chain started on
    int connectedPort_ = 0;
    std::string currentUrl_;
    int scheme_ = 0;  // as WinHttp reports it: 1 HTTP, 2 HTTPS
    bool isPost_ = false;
    void* body_ = nullptr;  // process-heap block
    std::size_t bodyCapacity_ = 0;
    std::size_t bodyLength_ = 0;
    int contentLength_ = 0;  // -1 unknown, 0 after Open until headers are read
    std::string responseHeaders_;
    bool defaultHeaders_ = true;
    CookieMode cookieMode_ = CookieMode::Platform;
    std::string cookieStore_{kEmptyCookieStore};
    bool redirectsForbidden_ = false;
    int redirectCount_ = 0;
    bool proxyCredentialsPending_ = false;
    std::string pendingProxyUser_;
    std::string pendingProxyPassword_;
    int timeLimitMs_ = 0;    // 0: no limit
    Deadline deadline_;      // of the request under way, from its Open
    int sendsUnderWay_ = 0;
    RequestFailure lastFailure_ = RequestFailure::None;  // an Open while a Send is under way is a redirect hop
    // The request handle's own time-outs, read at Open (WinHttp's initial
    // values until then); 0 or less: none.
    struct PlatformTimeouts {
        int resolveMs = 0;
        int connectMs = 60000;
        int sendMs = 30000;
        int receiveMs = 30000;
        int receiveResponseMs = 90000;
    } platformTimeouts_;
};

}  // namespace brevaro::http
