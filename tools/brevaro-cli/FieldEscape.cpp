#include "FieldEscape.h"

namespace brevaro::cli {

std::string escapeField(std::string_view field) {
    std::string escaped;
    escaped.reserve(field.size());
    for (char c : field) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\n':
                escaped += "\\n";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace brevaro::cli
