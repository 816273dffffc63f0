// brevaro-cli pellis-args CMDLINE: what the companion program makes of a
// command line. CMDLINE is the whole line as the companion reads it, program
// name included; the launcher's line starts with a space (an empty
// program name), so the output of alert-cmdline goes in as it stands.

#include "Cli.h"
#include "FieldEscape.h"
#include "popup/PopupArguments.h"
#include "text/Encoding.h"
#include "text/ShellAddress.h"

namespace brevaro::cli {

int runPellisArgs(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: brevaro-cli pellis-args CMDLINE\n";
        return kExitUsage;
    }
    const popup::PopupContent content = popup::readPopupContent(text::utf8ToGbk(args[0]));
    // A decoded value may hold a line break ("%0A"): escaped, one line each.
    auto line = [&out](const char* name, const std::string& gbk) {
        out << name << '=' << escapeField(text::gbkToUtf8(gbk)) << '\n';
    };
    line("address", content.address);
    line("title", content.titleLine);
    line("time", content.timeLine);
    line("keyword", content.keywordLine);
    // No stay argument: nothing after "=" (the companion ends at once, as
    // with a stay of 0).
    out << "stay=" << (content.staySeconds ? std::to_string(*content.staySeconds) : std::string()) << '\n';
    // What "查看原帖" hands the shell, as it stands: the shell's form is ASCII
    // without controls or backslashes, so nothing needs escaping. Nothing
    // after "=" when the button opens nothing.
    out << "opens=" << text::shellAddress(content.address).value_or(std::string()) << '\n';
    return kExitOk;
}

}  // namespace brevaro::cli
