// The native tool has no network layer: the request object, the simple fetch
// and the browser cookie store are the Windows program's.

#include "Cli.h"

namespace brevaro::cli {
namespace {

int unavailable(const char* command, std::ostream& err) {
    err << "brevaro-cli " << command << ": only in the Windows build (brevaro-cli.exe)\n";
    return kExitUsage;
}

}  // namespace

int runFetch(std::span<const std::string>, std::ostream&, std::ostream& err) {
    return unavailable("fetch", err);
}

int runWebFetch(std::span<const std::string>, std::ostream&, std::ostream& err) {
    return unavailable("webfetch", err);
}

int runBrowserCookies(std::span<const std::string>, std::ostream&, std::ostream& err) {
    return unavailable("browser-cookies", err);
}

int runWatch(std::span<const std::string>, std::ostream&, std::ostream& err) {
    return unavailable("watch", err);
}

}  // namespace brevaro::cli
