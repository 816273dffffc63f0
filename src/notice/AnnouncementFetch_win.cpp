#include "http/GiveUpAfter.h"
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

// The fetch's own time-outs are cut to the time left; the give-up covers a
// server that keeps them from ever running out.
std::string fetchAnnouncement(std::string_view url, int timeLimitMs) {
    const std::optional<std::string> page = http::giveUpAfter(
        timeLimitMs, [address = std::string(url), timeLimitMs] { return http::FetchPageText(address, timeLimitMs); });
    return page ? readAnnouncement(*page) : std::string();
}

}  // namespace brevaro::notice
