#include "text/Encoding.h"

#include "text/StrictCodec.h"

namespace brevaro::text {
namespace {

using detail::Charset;

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Length of the character unit that starts at i: the span that is replaced by
// one "?" when it does not convert. Ill-formed bytes are units of one byte.
std::size_t gbkUnitLength(std::string_view s, std::size_t i) {
    const unsigned char lead = byteAt(s, i);
    if (lead >= 0x81 && lead <= 0xFE && i + 1 < s.size()) {
        const unsigned char trail = byteAt(s, i + 1);
        if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) return 2;
    }
    return 1;
}

std::size_t utf8UnitLength(std::string_view s, std::size_t i) {
    const unsigned char lead = byteAt(s, i);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (i + length > s.size()) return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byteAt(s, i + k) & 0xC0) != 0x80) return 1;
    }
    return length;
}

std::size_t utf16UnitLength(std::u16string_view s, std::size_t i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
        return 2;
    }
    return 1;
}

// The whole text in one platform call; only when that refuses, unit by unit,
// each refused unit becoming "?". Runs of ASCII are copied without a call.
std::u16string decode(Charset charset, std::string_view bytes) {
    std::u16string out;
    if (detail::decodeStrict(charset, bytes, out)) return out;
    out.clear();
    const auto unitLength = charset == Charset::Gbk ? gbkUnitLength : utf8UnitLength;
    std::u16string piece;
    for (std::size_t i = 0; i < bytes.size();) {
        if (byteAt(bytes, i) < 0x80) {
            out.push_back(static_cast<char16_t>(bytes[i]));
            ++i;
            continue;
        }
        const std::size_t length = unitLength(bytes, i);
        if (detail::decodeStrict(charset, bytes.substr(i, length), piece)) {
            out += piece;
        } else {
            out.push_back(u'?');
        }
        i += length;
    }
    return out;
}

std::string encode(Charset charset, std::u16string_view text) {
    std::string out;
    if (detail::encodeStrict(charset, text, out)) return out;
    out.clear();
    std::string piece;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < 0x80) {
            out.push_back(static_cast<char>(text[i]));
            ++i;
            continue;
        }
        const std::size_t length = utf16UnitLength(text, i);
        if (detail::encodeStrict(charset, text.substr(i, length), piece)) {
            out += piece;
        } else {
            out.push_back('?');
        }
        i += length;
    }
    return out;
}

}  // namespace

std::u16string gbkToUtf16(std::string_view gbk) { return decode(Charset::Gbk, gbk); }
std::string utf16ToGbk(std::u16string_view utf16) { return encode(Charset::Gbk, utf16); }
std::u16string utf8ToUtf16(std::string_view utf8) { return decode(Charset::Utf8, utf8); }
std::string utf16ToUtf8(std::u16string_view utf16) { return encode(Charset::Utf8, utf16); }
std::string gbkToUtf8(std::string_view gbk) { return utf16ToUtf8(gbkToUtf16(gbk)); }
std::string utf8ToGbk(std::string_view utf8) { return utf16ToGbk(utf8ToUtf16(utf8)); }

}  // namespace brevaro::text
