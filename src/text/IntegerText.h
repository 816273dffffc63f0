#pragma once
#include <string_view>

namespace brevaro::text {

// The integer value of a GBK text as typed by a user: full-width characters
// that have an ASCII counterpart ("１０", "－５", the ideographic space) are
// first read as that ASCII character; then leading blanks are skipped, an
// optional sign is taken, and decimal digits are read up to the first other
// character. No digits gives 0 ("abc" → 0, "10秒" → 10). A value beyond the
// range of int is held at the nearest end of the range.
int readInteger(std::string_view gbk);

}  // namespace brevaro::text
