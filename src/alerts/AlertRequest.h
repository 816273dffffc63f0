#pragma once
// What one popup alert needs: the row's link, title and post time, the
// keyword that matched and the popup-stay text as typed. All GBK.

#include <string>

namespace brevaro::alerts {

struct AlertRequest {
    std::string link;
    std::string title;
    std::string postTime;
    std::string keyword;
    std::string staySeconds;  // the popup-stay box's text, neither checked nor converted

    bool operator==(const AlertRequest&) const = default;
};

}  // namespace brevaro::alerts
