// The companion's command line. Read as a whole command line, any bytes give
// arguments that are pieces of the line and label texts that start with
// their labels; reading stays linear in the line. Split at the part
// separator into link, title, post time, keyword and stay text, the input is
// also an alert whose command line (alerts::popupCommandLine) must give its
// fields back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "alerts/AlertRequest.h"
#include "alerts/PopupCommandLine.h"
#include "popup/PopupArguments.h"
#include "text/Encoding.h"
#include "text/IntegerText.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::fuzz {
namespace {

constexpr std::string_view kMarkers[] = {popup::kAddressMarker, popup::kTitleMarker,
                                         popup::kTimeMarker, popup::kKeywordMarker};

bool startsWithAny(std::string_view text, std::string_view design, std::string_view label) {
    return text == design || text.starts_with(label);
}

void checkReading(std::string_view line) {
    const std::vector<std::string> arguments = popup::splitCommandLine(line);
    std::size_t searchFrom = 0;
    for (const std::string& argument : arguments) {
        FUZZ_CHECK(!argument.empty() || line.find('"') != std::string_view::npos,
                   "an empty argument without quotes");
        const std::size_t at = line.find(argument, searchFrom);
        FUZZ_CHECK(at != std::string_view::npos,
                   "an argument that is not a piece of the line, in order: " + shown(argument));
        searchFrom = at + argument.size();
    }
    const popup::PopupContent content = popup::readPopupContent(line);
    FUZZ_CHECK(startsWithAny(content.titleLine, popup::kTitleLineDesign, "帖子名称："),
               "the title label lost its label: " + shown(content.titleLine));
    FUZZ_CHECK(startsWithAny(content.timeLine, popup::kTimeLineDesign, "发帖时间："),
               "the time label lost its label: " + shown(content.timeLine));
    FUZZ_CHECK(startsWithAny(content.keywordLine, popup::kKeywordLineDesign, "对应的关键词："),
               "the keyword label lost its label: " + shown(content.keywordLine));
    FUZZ_CHECK(content.address.find('\0') == std::string::npos, "an address holds a NUL");
}

// A text as the program holds it: GBK that converts both ways, no NUL, none
// of the companion's markers.
std::string programText(std::string_view raw) {
    std::string text = text::utf8ToGbk(text::gbkToUtf8(text::textBeforeNul(raw)));
    text = text::utf8ToGbk(text::gbkToUtf8(text));
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::string_view marker : kMarkers) {
            if (text::containsText(text, marker)) {
                text = text::removeAll(text, marker);
                changed = true;
            }
        }
    }
    return text;
}

// A stay text that stays one argument and is not taken for a marker: the
// printable ASCII bytes of the part, '"' and '%' left out.
std::string stayText(std::string_view raw) {
    std::string text;
    for (const char c : raw) {
        if (c > 0x20 && c < 0x7F && c != '"' && c != '%') text += c;
    }
    return text;
}

void checkRoundTrip(std::string_view input) {
    const std::vector<std::string_view> parts = splitParts(input, 5);
    alerts::AlertRequest alert{programText(parts[0]), programText(parts[1]),
                               programText(parts[2]), programText(parts[3]), stayText(parts[4])};
    // The companion's own path goes in front of the line it is given.
    const std::string line = "\"C:\\Brevaro\\Pellis.exe\"" + alerts::popupCommandLine(alert);
    const popup::PopupContent content = popup::readPopupContent(line);
    const std::string shownAlert = "\nline: " + shown(line);
    FUZZ_CHECK(content.address == alert.link, "the link did not come back" + shownAlert);
    FUZZ_CHECK(content.titleLine == popup::labelText(popup::ArgumentKind::Title, alert.title),
               "the title did not come back" + shownAlert);
    FUZZ_CHECK(content.timeLine == popup::labelText(popup::ArgumentKind::Time, alert.postTime),
               "the post time did not come back" + shownAlert);
    FUZZ_CHECK(content.keywordLine == popup::labelText(popup::ArgumentKind::Keyword, alert.keyword),
               "the keyword did not come back" + shownAlert);
    FUZZ_CHECK(content.staySeconds == text::readInteger(alert.staySeconds),
               "the stay did not come back" + shownAlert);
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    brevaro::fuzz::checkReading(input);
    brevaro::fuzz::checkRoundTrip(input);
    brevaro::fuzz::checkLinearTime(
        input, [](std::string_view line) { brevaro::popup::readPopupContent(line); },
        "reading a command line");
    return 0;
}
