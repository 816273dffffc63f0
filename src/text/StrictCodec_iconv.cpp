// Native half of the conversions: glibc's iconv with CP936 (GBK with the euro
// sign at 0x80, as Windows' code page 936) and UTF-8, without //TRANSLIT or
// //IGNORE so that every refused character is reported.
//
// Each thread opens each of its four converters once and keeps it: opening
// one costs far more than converting a short text, and a text that does not
// convert whole is converted again unit by unit (Encoding.cpp).

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "text/StrictCodec.h"

namespace brevaro::text::detail {
namespace {

static_assert(std::endian::native == std::endian::little,
              "char16_t texts are exchanged with iconv as UTF-16LE");

const char* iconvName(Charset charset) { return charset == Charset::Gbk ? "CP936" : "UTF-8"; }

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input into output bytes; false on any refused input.
    // Starts from the initial state, whatever an earlier refused input left.
    bool run(const char* input, std::size_t inputSize, std::string& output) {
        output.clear();
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input);
        std::size_t inLeft = inputSize;
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, sizeof buffer - outLeft);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
        }
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            return false;
        }
        output.append(buffer, sizeof buffer - outLeft);
        return true;
    }

private:
    iconv_t handle_;
};

// The thread's converter from or to a charset.
Converter& converterFor(Charset charset, bool decoding) {
    thread_local Converter gbkDecoder("UTF-16LE", iconvName(Charset::Gbk));
    thread_local Converter utf8Decoder("UTF-16LE", iconvName(Charset::Utf8));
    thread_local Converter gbkEncoder(iconvName(Charset::Gbk), "UTF-16LE");
    thread_local Converter utf8Encoder(iconvName(Charset::Utf8), "UTF-16LE");
    if (decoding) return charset == Charset::Gbk ? gbkDecoder : utf8Decoder;
    return charset == Charset::Gbk ? gbkEncoder : utf8Encoder;
}

}  // namespace

bool decodeStrict(Charset charset, std::string_view bytes, std::u16string& out) {
    Converter& converter = converterFor(charset, true);
    std::string raw;
    if (!converter.valid() || !converter.run(bytes.data(), bytes.size(), raw)) return false;
    out.resize(raw.size() / 2);
    std::memcpy(out.data(), raw.data(), out.size() * 2);
    return true;
}

bool encodeStrict(Charset charset, std::u16string_view text, std::string& out) {
    Converter& converter = converterFor(charset, false);
    return converter.valid() &&
           converter.run(reinterpret_cast<const char*>(text.data()), text.size() * 2, out);
}

}  // namespace brevaro::text::detail
