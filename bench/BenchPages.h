#pragma once
#include <string>

namespace brevaro::bench {

// A thread-list page shaped like the live forum's (GBK, CRLF): head, the
// quick-login form, `rows` thread rows padded with the markup a real row
// carries, and the footer, about `bytes` long in all.
std::string forumPage(int rows, std::size_t bytes);

// The article site's front page: navigation and hot-list <li> blocks around
// `rows` post entries, about `bytes` long.
std::string articlePage(int rows, std::size_t bytes);

}  // namespace brevaro::bench
