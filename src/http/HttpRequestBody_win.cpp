// HttpRequest: reading the answer, its status and headers, and its body into
// one growing heap buffer, never past kBodyLimit nor the time limit.

#include "http/HttpRequestParts_win.h"

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"

namespace brevaro::http {

// A body is whole or it is none: one that ends short of its Content-Length,
// or whose reading fails (a reset, a chunked body that breaks off), is a
// failed fetch with an empty page, never a part of a page taken for the
// whole. Under Wine a connection closed in the middle of the body ends the
// reading as if the body were complete, so the length is counted here.
std::string_view HttpRequest::bodyView() {
    if (request_ == nullptr || contentLength_ == 0) return {};
    if (bodyLength_ != 0) return {static_cast<const char*>(body_), bodyLength_};

    const auto resize = [this](std::size_t size) {
        void* grown = body_ == nullptr ? HeapAlloc(processHeap(), 0, size)
                                       : HeapReAlloc(processHeap(), 0, body_, size);
        if (grown == nullptr) return false;
        body_ = grown;
        bodyCapacity_ = size;
        return true;
    };
    const auto broken = [this](RequestFailure failure) {
        lastFailure_ = failure;
        bodyLength_ = 0;
        closeRequest();
        return std::string_view();
    };
    if (!resize(firstBodyBufferSize(contentLength_))) return broken(RequestFailure::NoAnswer);

    // Reading stops at kBodyLimit: a server that streams without end gets
    // what arrived until then, not the program's memory.
    bool ended = false;
    while (bodyLength_ < kBodyLimit && !aborted()) {
        if (deadline_.passed()) {
            endPastTimeLimit();
            return {};
        }
        HINTERNET request = asInternet(request_);
        cutTimeouts(request);
        DWORD available = 0;
        if (request == nullptr) break;
        if (!WinHttpQueryDataAvailable(request, &available)) {
            failed();
            return broken(lastFailure_ == RequestFailure::TimedOut ? RequestFailure::TimedOut
                                                                   : RequestFailure::ConnectionLost);
        }
        if (available < 1) {
            ended = true;
            break;
        }
        const std::size_t needed = std::min(bodyLength_ + static_cast<std::size_t>(available), kBodyLimit);
        if (needed > bodyCapacity_ &&
            !resize(std::min(grownBodyBufferSize(contentLength_, needed), kBodyLimit))) {
            return broken(RequestFailure::NoAnswer);  // memory ran out: no half page
        }
        DWORD read = 0;
        if (!WinHttpReadData(request, static_cast<char*>(body_) + bodyLength_,
                             static_cast<DWORD>(std::min<std::size_t>(bodyCapacity_ - bodyLength_,
                                                                      needed - bodyLength_)),
                             &read)) {
            failed();
            return broken(lastFailure_ == RequestFailure::TimedOut ? RequestFailure::TimedOut
                                                                   : RequestFailure::ConnectionLost);
        }
        bodyLength_ += read;
    }
    // Only what still came within the limit: the last wait may have ended
    // past it.
    if (deadline_.passed()) {
        endPastTimeLimit();
        return {};
    }
    if (aborted()) return broken(RequestFailure::NoAnswer);
    if (ended && contentLength_ > 0 && bodyLength_ < static_cast<std::size_t>(contentLength_)) {
        return broken(RequestFailure::ConnectionLost);
    }
    return {static_cast<const char*>(body_), bodyLength_};
}

std::string HttpRequest::BodyBytes() { return std::string(bodyView()); }

std::string HttpRequest::BodyText() { return std::string(text::textBeforeNul(bodyView())); }

std::string HttpRequest::TakeBodyText() {
    std::string text(text::textBeforeNul(bodyView()));
    // A large page's buffer is not kept through the wait: the next page
    // starts from a small one again.
    if (bodyCapacity_ > kKeptBodyCapacity) {
        HeapFree(processHeap(), 0, body_);
        body_ = nullptr;
        bodyCapacity_ = 0;
    }
    bodyLength_ = 0;
    contentLength_ = 0;  // taken: nothing more to read
    return text;
}

std::string HttpRequest::BodyTextFromUtf8() {
    const std::string_view bytes = bodyView();
    if (bytes.empty()) return {};
    return std::string(text::textBeforeNul(text::utf8ToGbk(bytes)));
}

int HttpRequest::StatusCode() {
    if (request_ == nullptr) return 0;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return 0;
    }
    return static_cast<int>(status);
}

std::string HttpRequest::StatusText() {
    if (request_ == nullptr) return {};
    DWORD size = 0;
    WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX,
                             text.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    return wideToGbk(std::wstring_view(text.data(), size / sizeof(wchar_t)));
}

std::string HttpRequest::ResponseHeader(std::string_view name) const {
    return responseHeader(responseHeaders_, name);
}

std::string HttpRequest::ResponseCookies() const { return responseCookies(responseHeaders_); }

std::string HttpRequest::ResponseCookie(std::string_view name) const {
    return responseCookie(responseHeaders_, name);
}

}  // namespace brevaro::http
