#include "monitor/FieldLimit.h"

#include <algorithm>

#include "text/Search.h"

namespace brevaro::monitor {
namespace {

// What the cut of a text depends on: its first `limit` bytes, and whether it
// is longer than that. So the first limit + 1 bytes of a text are cut as the
// text itself is.
std::size_t bytesDeciding(std::size_t limit) { return limit == kWholeFields ? limit : limit + 1; }

// Appends as much of more as keeps text within `room` bytes.
void appendWithin(std::string& text, std::string_view more, std::size_t room) {
    if (text.size() < room) text.append(more.substr(0, room - text.size()));
}

}  // namespace

std::string_view withinLimit(std::string_view field, std::size_t limit) {
    if (field.size() <= limit) return field;
    std::size_t at = 0;
    while (at < field.size()) {
        const std::size_t size = static_cast<unsigned char>(field[at]) >= 0x80 ? 2 : 1;
        if (at + size > limit) break;
        at += size;
    }
    return field.substr(0, at);
}

std::string limitedField(std::string_view field, std::size_t limit) {
    return std::string(withinLimit(field, limit));
}

std::string decidingBytesWithout(std::string_view field, std::string_view part, std::size_t limit) {
    const std::size_t room = bytesDeciding(limit);
    std::string kept;
    std::size_t copied = 0;
    for (std::size_t at = text::findText(field, part); at != text::npos && kept.size() < room;
         at = text::findText(field, part, copied)) {
        appendWithin(kept, field.substr(copied, at - copied), room);
        copied = at + part.size();
    }
    appendWithin(kept, field.substr(copied), room);
    return kept;
}

void cutToLimit(std::string& text, std::size_t limit) { text.resize(withinLimit(text, limit).size()); }

std::string limitedJoin(std::string_view front, std::string_view back, std::size_t limit) {
    const std::size_t room = bytesDeciding(limit);
    std::string joined;
    appendWithin(joined, front, room);
    appendWithin(joined, back, room);
    cutToLimit(joined, limit);
    return joined;
}

}  // namespace brevaro::monitor
