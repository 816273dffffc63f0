#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace brevaro::text {

// The text between two marks, used to read values out of cookie lines and
// pages. In both marks every "#引号" stands for a double quote (so a mark can
// be written without escaping). The start mark is searched from `from` (a
// 0-based byte offset), the end mark from just after the start mark; both
// ignore ASCII letter case unless caseSensitive is set. Empty when either mark
// is missing.
std::string TextBetween(std::string_view text, std::string_view startMark,
                        std::string_view endMark, std::size_t from = 0,
                        bool caseSensitive = false);

}  // namespace brevaro::text
