#include "alerts/PopupCommandLine.h"

#include "text/Encoding.h"

namespace brevaro::alerts {

std::string percentEncodeUtf8(std::string_view gbk) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text::gbkToUtf8(gbk)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '.';
        if (kept) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string popupCommandLine(const AlertRequest& alert) {
    // Each label is encoded together with its value, so every argument is a
    // single token whatever the value holds; the stay text goes last, as
    // typed, so the companion fills its labels before the countdown starts.
    std::string line;
    for (const std::string& argument : {"帖子地址:" + alert.link, "帖子名称:" + alert.title,
                                        "帖子时间:" + alert.postTime, "关键词语:" + alert.keyword}) {
        line += ' ';
        line += percentEncodeUtf8(argument);
    }
    line += " 频率:";
    line += alert.staySeconds;
    return line;
}

}  // namespace brevaro::alerts
