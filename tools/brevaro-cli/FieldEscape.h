#pragma once
#include <string>
#include <string_view>

namespace brevaro::cli {

// A field cut from markup may hold line breaks and tabs: written as \\, \t,
// \r and \n so that one row is always one tab-separated line.
std::string escapeField(std::string_view field);

}  // namespace brevaro::cli
