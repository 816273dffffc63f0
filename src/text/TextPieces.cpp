#include "text/TextPieces.h"

#include "text/Search.h"

namespace brevaro::text {

std::vector<std::string_view> splitNonEmpty(std::string_view text, std::string_view separator) {
    if (separator.empty()) separator = ",";
    std::vector<std::string_view> pieces;
    std::size_t pieceStart = 0;
    while (true) {
        const std::size_t at = findText(text, separator, pieceStart);
        const std::size_t pieceEnd = at == npos ? text.size() : at;
        if (pieceEnd > pieceStart) pieces.push_back(text.substr(pieceStart, pieceEnd - pieceStart));
        if (at == npos) break;
        pieceStart = at + separator.size();
    }
    return pieces;
}

std::string replaceAll(std::string_view text, std::string_view part, std::string_view replacement) {
    std::string result;
    std::size_t copied = 0;
    for (std::size_t at = findText(text, part); at != npos; at = findText(text, part, copied)) {
        result.append(text.substr(copied, at - copied));
        result.append(replacement);
        copied = at + part.size();
    }
    result.append(text.substr(copied));
    return result;
}

std::string removeAll(std::string_view text, std::string_view part) {
    return replaceAll(text, part, {});
}

std::string_view textAfterLast(std::string_view text, std::string_view mark) {
    // Occurrences may overlap ("aa" in "aaa" last occurs at the second
    // byte), so the search goes on one character after each match.
    std::size_t last = npos;
    for (std::size_t at = findText(text, mark); at != npos;
         at = findText(text, mark, at + (static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1))) {
        last = at;
    }
    return last == npos ? std::string_view{} : text.substr(last + mark.size());
}

std::string_view textBeforeNul(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

std::string_view trimAsciiSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace brevaro::text
