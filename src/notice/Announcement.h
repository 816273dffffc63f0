#pragma once
// The one-line online announcement: a small UTF-8 page on the maker's host
// whose value after "在线公告内容1=" (up to the next "<") is shown in the main
// window's status bar. Read once at start-up; no refresh.

#include <string>
#include <string_view>

namespace brevaro::notice {

// "http://" + announcement host + the page's path.
std::string announcementUrl();

// The announcement of a page already decoded to GBK: the text after the
// first "在线公告内容1=" (found ignoring case) up to the next "<", as it
// stands; empty when the key or the "<" is missing.
std::string readAnnouncement(std::string_view page);

// Fetches the page (UTF-8, decoded to GBK) and reads the announcement; empty
// when the page cannot be fetched, or not within the start-up's 10 s (or
// `timeLimitMs`): the window waits for this fetch before it appears. Blocks
// the calling thread for the fetch.
std::string fetchAnnouncement(std::string_view url);
std::string fetchAnnouncement(std::string_view url, int timeLimitMs);

}  // namespace brevaro::notice
