// brevaro-cli alert-cmdline LINK TITLE TIME KEYWORD STAY: the command line the
// popup launcher hands the companion program for one alert.

#include "Cli.h"
#include "alerts/AlertRequest.h"
#include "alerts/PopupCommandLine.h"
#include "text/Encoding.h"

namespace brevaro::cli {

int runAlertCmdline(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 5) {
        err << "usage: brevaro-cli alert-cmdline LINK TITLE TIME KEYWORD STAY\n";
        return kExitUsage;
    }
    const alerts::AlertRequest alert{text::utf8ToGbk(args[0]), text::utf8ToGbk(args[1]),
                                     text::utf8ToGbk(args[2]), text::utf8ToGbk(args[3]),
                                     text::utf8ToGbk(args[4])};
    // The line starts with a space, as the companion receives it.
    out << text::gbkToUtf8(alerts::popupCommandLine(alert)) << '\n';
    return kExitOk;
}

}  // namespace brevaro::cli
