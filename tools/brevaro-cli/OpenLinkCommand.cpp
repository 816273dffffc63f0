// brevaro-cli open-link LISTURL LINK: what a double click on a row with that
// link, on a board whose list page is LISTURL, hands the shell.

#include "Cli.h"
#include "app/boards/LinkResolution.h"
#include "text/Encoding.h"

namespace brevaro::cli {

int runOpenLink(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: brevaro-cli open-link LISTURL LINK\n";
        return kExitUsage;
    }
    const std::optional<std::string> address =
        app::openableLink(text::utf8ToGbk(args[0]), text::utf8ToGbk(args[1]));
    if (!address) return kExitNothingToOpen;
    // The shell's form is ASCII: the same bytes in GBK and UTF-8.
    out << *address << '\n';
    return kExitOk;
}

}  // namespace brevaro::cli
