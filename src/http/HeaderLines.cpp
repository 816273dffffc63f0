#include "http/HeaderLines.h"

#include <algorithm>

#include "text/AsciiCase.h"

namespace brevaro::http {

std::string_view beforeLineBreak(std::string_view text) {
    return text.substr(0, std::min(text.find_first_of(std::string_view("\r\n\0", 3)), text.size()));
}

void forEachHeaderValue(std::string_view headers, std::string_view name, const HeaderVisit& visit) {
    if (name.empty()) return;
    // The status line needs no skipping: "HTTP/1.1 200 OK" has no header
    // name, and a reason phrase holding "Name:" has a space before it.
    std::size_t lineStart = 0;
    while (lineStart <= headers.size()) {
        const std::size_t lineEnd = headers.find('\n', lineStart);
        std::string_view line =
            headers.substr(lineStart, (lineEnd == std::string_view::npos ? headers.size() : lineEnd) - lineStart);
        line = line.substr(0, std::min(line.find_first_of(std::string_view("\r\0", 2)), line.size()));
        if (line.size() > name.size() && line[name.size()] == ':' &&
            text::equalsIgnoringAsciiCase(line.substr(0, name.size()), name)) {
            if (!visit(line.substr(name.size() + 1))) return;
        }
        if (lineEnd == std::string_view::npos) return;
        lineStart = lineEnd + 1;
    }
}

std::optional<std::string_view> headerValue(std::string_view headers, std::string_view name) {
    std::optional<std::string_view> found;
    forEachHeaderValue(headers, name, [&found](std::string_view value) {
        const std::size_t start = value.find_first_not_of(" \t");
        found = value.substr(start == std::string_view::npos ? value.size() : start);
        return false;
    });
    return found;
}

}  // namespace brevaro::http
