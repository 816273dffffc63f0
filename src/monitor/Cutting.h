#pragma once
// Cutting pages between fixed text markers. Markers are found with the
// forward search (exact bytes, character boundaries only). Results are views
// into the text they were cut from.

#include <string_view>
#include <vector>

namespace brevaro::monitor {

// The text between the first start marker and the first end marker after it;
// empty when either is missing.
std::string_view cutBetween(std::string_view text, std::string_view start, std::string_view end);

// Every piece between a start marker and the next end marker, in page order.
// A piece that contains the exclusion text (empty: none) is dropped, and the
// search goes on just after its start marker, so a start marker inside the
// dropped piece can begin the next one.
std::vector<std::string_view> cutAll(std::string_view text, std::string_view start,
                                     std::string_view end, std::string_view exclusion = {});

}  // namespace brevaro::monitor
