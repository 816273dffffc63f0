#pragma once
// Titles that a board drops although they match its markers: staff notices,
// not deals. Tested with the forward search against the title only.

#include <array>
#include <string_view>

namespace brevaro::monitor {

// The standard forum boards and the Lumaq site drop the same three notices.
inline constexpr std::array<std::string_view, 3> kNoticeTitleSkips{
    "互联网跟帖评论服务管理规定",
    "违规行为",
    "【赚吧吧友专属】极客修免费维修手机福利已送到！",
};

inline constexpr std::array<std::string_view, 2> kTradeTitleSkips{
    "果果交易系统—自动发货",
    "果果交易系统—担保交易",
};

inline constexpr std::array<std::string_view, 3> kTaskTitleSkips{
    "板块标准化格式贴实施细则",
    "如何让更多吧友注意到你的",
    "板块系统使用说明",
};

}  // namespace brevaro::monitor
