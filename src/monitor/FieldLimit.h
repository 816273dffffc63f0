#pragma once
// How long a field of a row may be. A field past the limit keeps its first
// whole characters within it (a byte of 0x80 or more begins a two-byte
// character). The extractors cut each field to its limit while it is still a
// view into the page and copy only what is kept, so a page that is one huge
// row never becomes several huge strings at once.

#include <cstddef>
#include <string>
#include <string_view>

namespace brevaro::monitor {

// No limit: every field whole.
inline constexpr std::size_t kWholeFields = std::string_view::npos;

// The part of field that its limit keeps.
std::string_view withinLimit(std::string_view field, std::size_t limit);

// A copy of what the limit keeps of field.
std::string limitedField(std::string_view field, std::size_t limit);

// The first bytes of field with every occurrence of part removed (as
// text::removeAll finds them), as many as decide what the limit keeps of the
// whole: empty exactly when the whole is. cutToLimit then cuts them as it
// would cut the whole.
std::string decidingBytesWithout(std::string_view field, std::string_view part, std::size_t limit);

// Cuts text in place to what its limit keeps.
void cutToLimit(std::string& text, std::size_t limit);

// What the limit keeps of front followed by back.
std::string limitedJoin(std::string_view front, std::string_view back, std::size_t limit);

}  // namespace brevaro::monitor
