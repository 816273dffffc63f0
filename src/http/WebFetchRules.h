#pragma once
// The simple fetch's text rules, without the platform: the agent, where the
// URL points, the header block that is sent and what is read back from the
// response's headers. Texts are GBK.

#include <string>
#include <string_view>

namespace brevaro::http {

inline constexpr std::string_view kWebFetchUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac; .NET CLR 2.0.50727; .NET CLR "
    "3.0.04506.648; .NET CLR 3.5.21022)";

// The responses' header block is read into 5000 bytes: a longer block reads
// as this many spaces.
inline constexpr std::size_t kWebFetchHeaderLimit = 5000;

// The agent: the value of a "User-Agent:" line of the extra headers (name
// found ignoring case), else the default agent.
std::string webFetchUserAgent(std::string_view extraHeaders);

struct WebFetchTarget {
    std::string host;  // lower case
    int port = 80;
    std::string path;  // from the caller's URL, query included
    bool https = false;
};

WebFetchTarget webFetchTarget(std::string_view url);

// The extra headers completed with Referer, Accept, Accept-Language,
// Content-Type (each unless present, case-sensitive) and the cookies.
std::string webFetchHeaderBlock(std::string_view extraHeaders, std::string_view url,
                                std::string_view cookies);

struct WebFetchHeaderReading {
    std::string location;
    std::string receivedCookies;  // "a=1; b=2" (spaces inside kept until the merge)
};

WebFetchHeaderReading readWebFetchHeaders(std::string_view headerBlock);

}  // namespace brevaro::http
