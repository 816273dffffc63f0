#include "Cli.h"

#include <charconv>

namespace brevaro::cli {

std::optional<int> parseWholeInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        if (args[0] == "extract") return runExtract(args.subspan(1), out, err);
        if (args[0] == "match") return runMatch(args.subspan(1), out, err);
        if (args[0] == "alert-cmdline") return runAlertCmdline(args.subspan(1), out, err);
        if (args[0] == "pellis-args") return runPellisArgs(args.subspan(1), out, err);
        if (args[0] == "open-link") return runOpenLink(args.subspan(1), out, err);
        if (args[0] == "qr") return runQr(args.subspan(1), out, err);
        if (args[0] == "fetch") return runFetch(args.subspan(1), out, err);
        if (args[0] == "webfetch") return runWebFetch(args.subspan(1), out, err);
        if (args[0] == "browser-cookies") return runBrowserCookies(args.subspan(1), out, err);
        if (args[0] == "watch") return runWatch(args.subspan(1), out, err);
    }
    err << "usage: brevaro-cli extract --board N FILE | brevaro-cli match KEYWORDS TITLE | "
           "brevaro-cli alert-cmdline LINK TITLE TIME KEYWORD STAY | "
           "brevaro-cli pellis-args CMDLINE | brevaro-cli open-link LISTURL LINK | "
           "brevaro-cli qr [--level L] [--width W] [--height H] TEXT OUT.bmp | "
           "brevaro-cli fetch [--polls N] [--cookies TEXT] URL | brevaro-cli webfetch URL | "
           "brevaro-cli browser-cookies HOST | "
           "brevaro-cli watch --board N [--url URL] [--keywords K] [--interval S] [--popup] [--voice] "
           "[--stay S] [--limits-divisor D]\n";
    return kExitUsage;
}

}  // namespace brevaro::cli
