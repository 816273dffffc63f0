// text::readInteger against a plain reference: the GBK text read character
// by character, the full-width digits, signs and the ideographic space taken
// as their ASCII forms, every other character (and every byte that is no
// character) as one that stops the reading.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "text/IntegerText.h"

namespace brevaro::fuzz {
namespace {

constexpr char kOther = '\x7F';  // a character that is neither blank, sign nor digit

bool isTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

// The characters of a GBK text, each as the ASCII character it reads as.
std::string readAs(std::string_view gbk) {
    std::string out;
    for (std::size_t i = 0; i < gbk.size();) {
        const auto lead = static_cast<unsigned char>(gbk[i]);
        if (lead < 0x80) {
            out += gbk[i++];
            continue;
        }
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < gbk.size() &&
            isTrail(static_cast<unsigned char>(gbk[i + 1]))) {
            const auto trail = static_cast<unsigned char>(gbk[i + 1]);
            char c = kOther;
            if (lead == 0xA1 && trail == 0xA1) c = ' ';         // the ideographic space
            if (lead == 0xA3 && trail == 0xAB) c = '+';         // ＋
            if (lead == 0xA3 && trail == 0xAD) c = '-';         // －
            if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9) c = static_cast<char>('0' + trail - 0xB0);
            out += c;
            i += 2;
            continue;
        }
        out += kOther;
        ++i;
    }
    return out;
}

int reference(std::string_view gbk) {
    const std::string text = readAs(gbk);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 32);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int read = brevaro::text::readInteger(text);
    const int expected = brevaro::fuzz::reference(text);
    FUZZ_CHECK(read == expected, "readInteger(" + brevaro::fuzz::shown(text) + ") is " +
                                     std::to_string(read) + ", not " + std::to_string(expected));
    return 0;
}
