// The GBK, UTF-16 and UTF-8 conversions. A character that does not convert
// becomes one "?", so a text converts back to itself exactly when the
// conversion added no "?" of its own; and a converted text always converts
// back to itself. The two-step conversions are the one-step ones composed.
//
// Input: bytes read as GBK, as UTF-8 and (in pairs, little-endian) as UTF-16.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "text/Encoding.h"

namespace brevaro::fuzz {
namespace {

template <typename Text>
std::size_t questionMarks(const Text& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '?'));
}

std::string shownUtf16(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return shown(bytes);
}

// Bytes → UTF-16 → bytes, for GBK or UTF-8.
void checkBytes(std::string_view bytes, std::u16string (*decode)(std::string_view),
                std::string (*encode)(std::u16string_view), const char* charset) {
    const std::u16string decoded = decode(bytes);
    FUZZ_CHECK(decoded.size() <= bytes.size(),
               std::string(charset) + " decodes to more characters than bytes");
    const std::string encoded = encode(decoded);
    if (questionMarks(decoded) == questionMarks(bytes)) {
        FUZZ_CHECK(encoded == bytes, std::string(charset) + " that decodes whole does not come back: " +
                                         shown(bytes) + " -> " + shown(encoded));
    }
    FUZZ_CHECK(encode(decode(encoded)) == encoded,
               std::string(charset) + " converted once does not come back: " + shown(encoded));
}

// UTF-16 → bytes → UTF-16, for GBK or UTF-8.
void checkUtf16(std::u16string_view text, std::u16string (*decode)(std::string_view),
                std::string (*encode)(std::u16string_view), const char* charset) {
    const std::string encoded = encode(text);
    const std::u16string decoded = decode(encoded);
    if (questionMarks(encoded) == questionMarks(text)) {
        FUZZ_CHECK(decoded == text, "UTF-16 that encodes whole in " + std::string(charset) +
                                        " does not come back: " + shownUtf16(text));
    }
    FUZZ_CHECK(decode(encode(decoded)) == decoded,
               "UTF-16 converted once through " + std::string(charset) + " does not come back");
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::checkBytes(bytes, text::gbkToUtf16, text::utf16ToGbk, "GBK");
    fuzz::checkBytes(bytes, text::utf8ToUtf16, text::utf16ToUtf8, "UTF-8");

    std::u16string utf16;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        utf16 += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    fuzz::checkUtf16(utf16, text::gbkToUtf16, text::utf16ToGbk, "GBK");
    fuzz::checkUtf16(utf16, text::utf8ToUtf16, text::utf16ToUtf8, "UTF-8");

    FUZZ_CHECK(text::gbkToUtf8(bytes) == text::utf16ToUtf8(text::gbkToUtf16(bytes)),
               "gbkToUtf8 is not the conversion through UTF-16");
    FUZZ_CHECK(text::utf8ToGbk(bytes) == text::utf16ToGbk(text::utf8ToUtf16(bytes)),
               "utf8ToGbk is not the conversion through UTF-16");
    return 0;
}
