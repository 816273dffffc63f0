#include "http/WebFetch.h"
#include "notice/Announcement.h"

namespace brevaro::notice {
namespace {

// The main window appears only once the fetch is over: a server that answers
// slowly, or drips, may hold it this long and no longer.
constexpr int kAnnouncementTimeLimitMs = 10000;

}  // namespace

std::string fetchAnnouncement(std::string_view url) {
    return fetchAnnouncement(url, kAnnouncementTimeLimitMs);
}

std::string fetchAnnouncement(std::string_view url, int timeLimitMs) {
    return readAnnouncement(http::FetchPageText(url, timeLimitMs));
}

}  // namespace brevaro::notice
