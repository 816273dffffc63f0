#pragma once
// The longer texts the main program shows, built from their parts (GBK),
// portable.

#include <string>
#include <string_view>

namespace brevaro::app {

// The usage page: six lines of notes, three empty lines and, indented by 56
// spaces, the disclaimer; lines end with CR LF (the last has none).
std::string usageText();

// The exit confirmation: its title and its text, two lines apart
// ("\r\n\r\n"): 25 spaces and "确定要退出软件吗？", then 5 spaces and the
// sentence (the maker's advice to keep in touch, a build-time text).
inline constexpr std::string_view kExitBoxTitle = "信息：";
std::string exitBoxText(std::string_view sentence);

// The main window's caption after the exit box was answered.
inline constexpr std::string_view kExitConfirmedCaption = "确认";
inline constexpr std::string_view kExitCancelledCaption = "取消";

// The announcement label's text for an announcement (possibly empty).
std::string announcementCaption(std::string_view announcement);

}  // namespace brevaro::app
