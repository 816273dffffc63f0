#pragma once
// brevaro-cli: the developer's view of the program's own logic. Arguments and
// output are UTF-8; inside, texts are GBK as in the program.
//
//   brevaro-cli extract --board N FILE   rows of a saved board page
//   brevaro-cli match KEYWORDS TITLE     the keyword test of the monitors
//   brevaro-cli alert-cmdline LINK TITLE TIME KEYWORD STAY
//                                        the companion program's command line
//   brevaro-cli pellis-args CMDLINE      what the companion reads from a whole
//                                        command line: address=, title=, time=,
//                                        keyword= (the label texts), stay= and
//                                        opens= (what "查看原帖" hands the shell)
//   brevaro-cli open-link LISTURL LINK   what a row's double click hands the
//                                        shell (exit 1: it opens nothing)
//   brevaro-cli qr [--level L] [--width W] [--height H] TEXT OUT.bmp
//                                        the QR picture of a text
//   brevaro-cli fetch [--polls N] [--cookies TEXT] URL
//                                        a board monitor's polls, body bytes out
//   brevaro-cli webfetch URL             the announcement's fetch, as UTF-8
//   brevaro-cli browser-cookies HOST     the browser's cookies for a host
//   brevaro-cli watch --board N [--url URL] [--keywords K] [--interval S]
//                     [--popup] [--voice] [--stay S]
//                                        a board's real worker in the console
// The last four talk to the network through the Windows layer and exist in
// the Windows build only.

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace brevaro::cli {

// Exit codes shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoMatch = 1;
inline constexpr int kExitQrFailure = 1;
inline constexpr int kExitNothingToOpen = 1;
inline constexpr int kExitUsage = 2;

// Runs one command; args exclude the program name. Output goes to out, one
// line of complaint to err.
int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// An argument that is one whole decimal int (an optional leading '-', digits,
// nothing before or after); nullopt otherwise.
std::optional<int> parseWholeInt(std::string_view text);

int runExtract(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runMatch(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runAlertCmdline(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runPellisArgs(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runOpenLink(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runQr(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runFetch(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runWebFetch(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runBrowserCookies(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int runWatch(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace brevaro::cli
