// brevaro-cli match KEYWORDS TITLE: the monitors' keyword test on one title.

#include "Cli.h"
#include "monitor/Keywords.h"
#include "text/Encoding.h"

namespace brevaro::cli {

int runMatch(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: brevaro-cli match KEYWORDS TITLE\n";
        return kExitUsage;
    }
    const std::string keywords = text::utf8ToGbk(args[0]);
    const std::string title = text::utf8ToGbk(args[1]);
    std::string matched;
    if (!monitor::matchKeywords(title, keywords, matched)) return kExitNoMatch;
    out << text::gbkToUtf8(matched) << '\n';
    return kExitOk;
}

}  // namespace brevaro::cli
