#pragma once
// Forum list pages made up for the Windows tests and the soak run: each
// thread row as the live forum serves it, with nothing the cutter does not
// need.

#include <cstddef>
#include <string>
#include <vector>

namespace brevaro::test {

// One thread row, linking to thread `id`.
inline void appendForumRow(std::string& page, const std::string& title, int id) {
    const std::string url = "http://f/thread-" + std::to_string(id) + "-1-1.html";
    page += "<tr><td><a href=\"";
    page += url;
    page += "\" title=\"open\" target=\"_blank\"></a></td><th><a href=\"";
    page += url;
    page += "\"  class=\"s xst\" target=\"_blank\">";
    page += title;
    page += "</a></th><td><em><span>2026-12-8</span></em></td></tr>\r\n";
}

// A page of one row per title, in order.
inline std::string forumPage(const std::vector<std::string>& titles) {
    std::string page = "<table>\r\n";
    int id = 0;
    for (const std::string& title : titles) appendForumRow(page, title, ++id);
    return page + "</table>\r\n";
}

// A page of about `bytes` of rows titled prefix + 1, prefix + 2, …: with a
// prefix of its own, titles no other page carries.
inline std::string forumPageOfUniqueTitles(const std::string& prefix, std::size_t bytes) {
    std::string page = "<table>\r\n";
    page.reserve(bytes + 512);
    for (int n = 1; page.size() < bytes; ++n) appendForumRow(page, prefix + std::to_string(n), n);
    return page + "</table>\r\n";
}

}  // namespace brevaro::test
