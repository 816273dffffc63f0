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

std::string HttpRequest::BodyBytes() {
    if (request_ == nullptr || contentLength_ == 0) return {};
    if (bodyLength_ != 0) return std::string(static_cast<const char*>(body_), bodyLength_);

    const auto resize = [this](std::size_t size) {
        void* grown = body_ == nullptr ? HeapAlloc(processHeap(), 0, size)
                                       : HeapReAlloc(processHeap(), 0, body_, size);
        if (grown == nullptr) return false;
        body_ = grown;
        bodyCapacity_ = size;
        return true;
    };
    if (!resize(firstBodyBufferSize(contentLength_))) return {};

    // Reading stops at kBodyLimit: a server that streams without end gets
    // what arrived until then, not the program's memory.
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
            break;
        }
        if (available < 1) break;
        const std::size_t needed = std::min(bodyLength_ + static_cast<std::size_t>(available), kBodyLimit);
        if (needed > bodyCapacity_ &&
            !resize(std::min(grownBodyBufferSize(contentLength_, needed), kBodyLimit))) {
            break;
        }
        DWORD read = 0;
        if (!WinHttpReadData(request, static_cast<char*>(body_) + bodyLength_,
                             static_cast<DWORD>(std::min<std::size_t>(bodyCapacity_ - bodyLength_,
                                                                      needed - bodyLength_)),
                             &read)) {
            failed();
            break;
        }
        bodyLength_ += read;
    }
    // Only what still came within the limit: the last wait may have ended
    // past it.
    if (deadline_.passed()) {
        endPastTimeLimit();
        return {};
    }
    return std::string(static_cast<const char*>(body_), bodyLength_);
}

std::string HttpRequest::BodyText() { return std::string(text::textBeforeNul(BodyBytes())); }

std::string HttpRequest::BodyTextFromUtf8() {
    const std::string bytes = BodyBytes();
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
