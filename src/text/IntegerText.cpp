#include "text/IntegerText.h"

#include <climits>
#include <string>

#include "text/Encoding.h"

namespace brevaro::text {
namespace {

// U+FF01..U+FF5E are the full-width forms of '!'..'~'; U+3000 is the
// ideographic space.
char16_t halfWidth(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char16_t>(c - 0xFF01 + u'!');
    if (c == 0x3000) return u' ';
    return c;
}

bool isBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

int readInteger(std::string_view gbk) {
    std::u16string text = gbkToUtf16(gbk);
    for (char16_t& c : text) c = halfWidth(c);

    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace brevaro::text
