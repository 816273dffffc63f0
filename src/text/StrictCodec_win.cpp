// Windows half of the conversions: the W-side conversion functions with code
// pages 936 and 65001, named explicitly so that the program behaves the same
// whatever the system's ANSI code page is.

#include <windows.h>

#include <climits>

#include "text/StrictCodec.h"

namespace brevaro::text::detail {
namespace {

UINT codePage(Charset charset) { return charset == Charset::Gbk ? 936u : CP_UTF8; }

}  // namespace

bool decodeStrict(Charset charset, std::string_view bytes, std::u16string& out) {
    out.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;
    const int inputSize = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(codePage(charset), MB_ERR_INVALID_CHARS, bytes.data(),
                                           inputSize, nullptr, 0);
    if (needed <= 0) return false;
    out.resize(static_cast<std::size_t>(needed));
    const int written = MultiByteToWideChar(codePage(charset), MB_ERR_INVALID_CHARS, bytes.data(),
                                            inputSize, reinterpret_cast<wchar_t*>(out.data()),
                                            needed);
    return written == needed;
}

bool encodeStrict(Charset charset, std::u16string_view text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
    const auto* input = reinterpret_cast<const wchar_t*>(text.data());
    const int inputSize = static_cast<int>(text.size());
    // UTF-8 refuses unpaired surrogates through the flag; code page 936 tells
    // through the used-default-char report. No best-fit substitutions: a
    // character GBK lacks must be refused, not replaced by a look-alike.
    const UINT page = codePage(charset);
    const DWORD flags = charset == Charset::Utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = charset == Charset::Utf8 ? nullptr : &usedDefault;
    const int needed =
        WideCharToMultiByte(page, flags, input, inputSize, nullptr, 0, nullptr, usedDefaultOut);
    if (needed <= 0 || usedDefault) return false;
    out.resize(static_cast<std::size_t>(needed));
    const int written = WideCharToMultiByte(page, flags, input, inputSize, out.data(), needed,
                                            nullptr, usedDefaultOut);
    return written == needed && !usedDefault;
}

}  // namespace brevaro::text::detail
