#pragma once
// What the keyword box takes from a paste or a typed key: the keywords stay
// one line, so every line break (CR LF, CR or LF alone) and every tab
// becomes the separator "*"; a list pasted one keyword per line becomes a
// list of keywords. Nothing else changes: spaces belong to the keywords.
// Works on UTF-16 as the box holds it and on GBK bytes alike (no byte of a
// GBK character's second half is a control character).

#include <string>
#include <string_view>

namespace brevaro::app {

template <class Char>
std::basic_string<Char> breaksAsSeparators(std::basic_string_view<Char> text) {
    std::basic_string<Char> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == Char('\r') || c == Char('\n') || c == Char('\t')) {
            result.push_back(Char('*'));
            if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

}  // namespace brevaro::app
