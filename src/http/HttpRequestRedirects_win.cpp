// HttpRequest: the redirects it follows itself when it keeps the cookies
// (at most 10 hops), and where its own cookie store may travel along them.

#include "http/HttpRequestParts_win.h"

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"

namespace brevaro::http {

bool HttpRequest::storeTravelsHere() const { return sharesCookies(chainHome_, connectedHost_); }

void HttpRequest::FollowRedirect(bool ignoreEmpty) {
    const std::string location = RedirectLocation(true);
    if (location.empty()) {
        redirectCount_ = 0;
        return;
    }
    if (++redirectCount_ > 10) {
        redirectCount_ = 0;  // the last redirect response stays the answer
        return;
    }
    // Every hop is a GET; the nested send reads its response and takes the
    // next hop, so the chain ends after at most 10 hops. A hop that gets no
    // answer ends the chain too: the next chain starts counting from 0.
    if (!Open({}, location) || !sendBody({}, ignoreEmpty, 3)) redirectCount_ = 0;
}

std::string HttpRequest::RedirectLocation(bool complete) const {
    return redirectLocation(responseHeaders_, complete,
                            ConnectedTarget{scheme_ == 2, connectedHost_, connectedPort_}, currentUrl_);
}

}  // namespace brevaro::http
