#pragma once
// How the companion program Pellis reads the command line the popup launcher
// writes (alerts/PopupCommandLine.h), and the texts its alert window shows.
// Portable: the Windows side only feeds in GetCommandLineW (converted to GBK
// with code page 936) and puts the results on the window. All texts are GBK.
//
// The command line holds four percent-encoded "marker:value" arguments and
// the unencoded stay argument " 频率:N". Arguments are recognised by the
// marker they contain, in any order; an argument without one is ignored.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brevaro::popup {

// The alert window's design texts, shown until the arguments are read.
inline constexpr std::string_view kAlertCaption = "您设置的关键词监控到新的内容......";
inline constexpr std::string_view kTitleLineDesign = "帖子标题：";
inline constexpr std::string_view kTimeLineDesign = "发帖时间：";
inline constexpr std::string_view kKeywordLineDesign = "对应关键词：";
inline constexpr std::string_view kViewButtonText = "查看原帖";

// The markers: ASCII colons, unlike the full-width colons of the texts the
// labels show. They must stay byte for byte what the launcher writes.
inline constexpr std::string_view kAddressMarker = "帖子地址:";
inline constexpr std::string_view kTitleMarker = "帖子名称:";
inline constexpr std::string_view kTimeMarker = "帖子时间:";
inline constexpr std::string_view kKeywordMarker = "关键词语:";
inline constexpr std::string_view kStayMarker = "频率:";

// Splits a whole command line (as GetCommandLineW gives it, in GBK) into its
// arguments, the program name left out:
// - the program name runs to the closing double quote (and one space after
//   it, if any) when the line starts with a quote, otherwise up to and
//   including the first space; a line that starts with a space has an empty
//   program name;
// - then bytes up to 0x20 separate arguments; an argument that starts with a
//   double quote runs to the next one (neither quote belongs to it, a missing
//   closing quote ends it at the end of the line); any other argument runs
//   to a byte up to 0x20 or a double quote.
// A byte of 0x80 or more always takes the next byte with it, also in the
// program name: a GBK character is never split, even when its second byte is
// a quote or a space.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// "%" and two hexadecimal digits (either case) become that byte; every other
// byte, "+" included, is copied, and so is a "%" that is not followed by two
// hexadecimal digits (also at the end of the argument). The bytes are read
// up to the first zero byte as UTF-8 and converted to GBK.
std::string decodeArgument(std::string_view argument);

enum class ArgumentKind { Address, Title, Time, Keyword, Stay, Ignored };

struct PopupArgument {
    ArgumentKind kind = ArgumentKind::Ignored;
    // The argument with every occurrence of its marker removed: decoded for
    // the first four kinds, as it stands for Stay; empty for Ignored.
    std::string value;
    int staySeconds = 0;  // Stay only: the integer value (0 when not a number)

    bool operator==(const PopupArgument&) const = default;
};

// What one argument is: the decoded argument is tested for the address,
// title, time and keyword markers in that order (the first one found wins);
// otherwise the argument as it stands is tested for the stay marker.
PopupArgument readArgument(std::string_view argument);

// The text a label shows for a Title, Time or Keyword argument:
// "帖子名称：" + value, "发帖时间：" + value, "对应的关键词：" + value.
// Empty for the other kinds.
std::string labelText(ArgumentKind kind, std::string_view value);

// The caption during the countdown, with the seconds left.
std::string countdownCaption(int secondsLeft);

// Seconds still to show after `elapsedMilliseconds` of a stay of
// `staySeconds` (elapsed time counted in whole seconds); nullopt once the
// stay is over, at once for a stay of 0 or less.
std::optional<int> secondsLeft(int staySeconds, std::uint32_t elapsedMilliseconds);

// What the window shows once every argument has been read: the post address
// and the three label texts (design texts where no argument set them), and
// the stay of the last stay argument (nullopt when there is none). Later
// arguments of a kind replace earlier ones, as they do on the labels.
struct PopupContent {
    std::string address;
    std::string titleLine{kTitleLineDesign};
    std::string timeLine{kTimeLineDesign};
    std::string keywordLine{kKeywordLineDesign};
    std::optional<int> staySeconds;
};

PopupContent readPopupContent(std::string_view commandLine);

}  // namespace brevaro::popup
