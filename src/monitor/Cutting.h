#pragma once
// Cutting pages between fixed text markers. Markers are found with the
// forward search (exact bytes, character boundaries only). Results are views
// into the text they were cut from.

#include <functional>
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
//
// The cut is one pass over the text whatever it holds: the end marker and
// the exclusion found for one piece are remembered for the pieces that start
// before them, so a page of many start markers ahead of a single end marker
// is not scanned again for each. (This relies on the markers being whole
// characters, as every marker of the boards is: a piece then starts on a
// character boundary, where every search may begin.)
std::vector<std::string_view> cutAll(std::string_view text, std::string_view start,
                                     std::string_view end, std::string_view exclusion = {});

// The same pieces handed to visit one at a time, as they are cut. Before
// every start marker it looks for (dropped pieces included) the cut asks
// stopRequested, if given. Returns false when the stop or visit (by
// returning false) ended it early, true when it reached the end of the text.
bool cutEach(std::string_view text, std::string_view start, std::string_view end,
             std::string_view exclusion, const std::function<bool(std::string_view)>& visit,
             const std::function<bool()>& stopRequested = {});

}  // namespace brevaro::monitor
