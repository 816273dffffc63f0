#pragma once
// The companion program's command line: the one place where it is written
// (the companion reads it back). Four percent-encoded "label:value"
// arguments and the unencoded stay text, e.g.
//   " %E5%B8%96...%3Athread-1-1-1.html %E5%B8%96...%3AAB %E5%B8%96...%3A10%3A05
//    %E5%85%B3...%3AB 频率:10"
// It starts with a space and does not hold the program's own path.

#include <string>
#include <string_view>

#include "alerts/AlertRequest.h"

namespace brevaro::alerts {

// The GBK text as UTF-8 with every byte other than A–Z, a–z, 0–9, "-" and "."
// written as "%" and two upper-case hexadecimal digits.
std::string percentEncodeUtf8(std::string_view gbk);

// " " a1 " " a2 " " a3 " " a4 " 频率:" + staySeconds, where a1…a4 encode
// "帖子地址:" + link, "帖子名称:" + title, "帖子时间:" + postTime and
// "关键词语:" + keyword. GBK, like every text of the program.
std::string popupCommandLine(const AlertRequest& alert);

}  // namespace brevaro::alerts
