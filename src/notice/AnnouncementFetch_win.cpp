#include "http/WebFetch.h"
#include "notice/Announcement.h"

namespace brevaro::notice {

std::string fetchAnnouncement(std::string_view url) {
    return readAnnouncement(http::FetchPageText(url));
}

}  // namespace brevaro::notice
