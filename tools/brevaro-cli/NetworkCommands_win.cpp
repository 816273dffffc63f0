// The network commands of the Windows tool: what a board monitor does for its
// polls, the announcement's fetch and the browser's cookies for a host.

#include <optional>

#include "Cli.h"
#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "http/WebFetch.h"
#include "text/Encoding.h"

namespace brevaro::cli {

// fetch [--polls N] [--cookies TEXT] URL: N polls on one object, each as a
// forum monitor makes it (cookies given) or as the other boards do; every
// body is written as received.
int runFetch(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    int polls = 1;
    std::optional<std::string> cookies;
    std::optional<std::string> url;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--polls" && i + 1 < args.size()) {
            const auto parsed = parseWholeInt(args[++i]);
            if (!parsed || *parsed < 1) {
                err << "brevaro-cli fetch: --polls takes a count of 1 or more\n";
                return kExitUsage;
            }
            polls = *parsed;
        } else if (args[i] == "--cookies" && i + 1 < args.size()) {
            cookies = text::utf8ToGbk(args[++i]);
        } else if (!url && !args[i].starts_with("--")) {
            url = text::utf8ToGbk(args[i]);
        } else {
            url.reset();
            break;
        }
    }
    if (!url) {
        err << "usage: brevaro-cli fetch [--polls N] [--cookies TEXT] URL\n";
        return kExitUsage;
    }
    http::HttpRequest request;
    for (int poll = 0; poll < polls; ++poll) {
        request.Open("GET", *url);
        if (cookies) {
            request.SetCookieMode();
            request.CookieText(*cookies);
        }
        request.Send();
        out << request.BodyText();  // as the monitor takes it: bytes, unconverted
    }
    out.flush();
    return kExitOk;
}

int runWebFetch(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: brevaro-cli webfetch URL\n";
        return kExitUsage;
    }
    out << text::gbkToUtf8(http::FetchPageText(text::utf8ToGbk(args[0])));
    return kExitOk;
}

int runBrowserCookies(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: brevaro-cli browser-cookies HOST\n";
        return kExitUsage;
    }
    out << text::gbkToUtf8(http::BrowserCookies(text::utf8ToGbk(args[0]))) << '\n';
    return kExitOk;
}

}  // namespace brevaro::cli
