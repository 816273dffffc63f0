#include "popup/PopupArguments.h"

#include <array>
#include <utility>

#include "text/Encoding.h"
#include "text/IntegerText.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::popup {
namespace {

bool isSeparator(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// The length of the character at `at`: a byte of 0x80 or more takes the next
// byte with it when there is one.
std::size_t characterLength(std::string_view line, std::size_t at) {
    return static_cast<unsigned char>(line[at]) >= 0x80 && at + 1 < line.size() ? 2 : 1;
}

// Index of the next double quote at or after `from` that is a character of
// its own, or the end of the line.
std::size_t nextQuote(std::string_view line, std::size_t from) {
    while (from < line.size() && line[from] != '"') from += characterLength(line, from);
    return from;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

struct DecodedMarker {
    std::string_view marker;
    ArgumentKind kind;
};

// The order of this table is the order of the tests.
constexpr std::array<DecodedMarker, 4> kDecodedMarkers{{
    {kAddressMarker, ArgumentKind::Address},
    {kTitleMarker, ArgumentKind::Title},
    {kTimeMarker, ArgumentKind::Time},
    {kKeywordMarker, ArgumentKind::Keyword},
}};

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        at = nextQuote(line, 1);
        if (at < line.size()) ++at;  // the closing quote
        if (at < line.size() && line[at] == ' ') ++at;
    } else {
        while (at < line.size() && line[at] != ' ') at += characterLength(line, at);
        if (at < line.size()) ++at;  // the space
    }

    std::vector<std::string> arguments;
    while (true) {
        while (at < line.size() && isSeparator(line[at])) ++at;
        if (at >= line.size()) break;
        if (line[at] == '"') {
            const std::size_t start = at + 1;
            const std::size_t end = nextQuote(line, start);
            arguments.emplace_back(line.substr(start, end - start));
            at = end < line.size() ? end + 1 : end;
        } else {
            const std::size_t start = at;
            while (at < line.size() && !isSeparator(line[at]) && line[at] != '"') {
                at += characterLength(line, at);
            }
            arguments.emplace_back(line.substr(start, at - start));
        }
    }
    return arguments;
}

std::string decodeArgument(std::string_view argument) {
    std::string bytes;
    bytes.reserve(argument.size());
    for (std::size_t at = 0; at < argument.size();) {
        if (argument[at] == '%' && at + 2 < argument.size()) {
            const int high = hexDigit(argument[at + 1]);
            const int low = hexDigit(argument[at + 2]);
            if (high >= 0 && low >= 0) {
                bytes += static_cast<char>(high * 16 + low);
                at += 3;
                continue;
            }
        }
        bytes += argument[at];
        ++at;
    }
    // Texts end at their first zero byte, as everywhere in the program.
    return text::utf8ToGbk(text::textBeforeNul(bytes));
}

PopupArgument readArgument(std::string_view argument) {
    const std::string decoded = decodeArgument(argument);
    for (const DecodedMarker& entry : kDecodedMarkers) {
        if (text::containsText(decoded, entry.marker)) {
            return {entry.kind, text::removeAll(decoded, entry.marker), 0};
        }
    }
    // The stay argument is not encoded: its marker is looked for as it stands.
    if (text::containsText(argument, kStayMarker)) {
        std::string value = text::removeAll(argument, kStayMarker);
        const int seconds = text::readInteger(value);
        return {ArgumentKind::Stay, std::move(value), seconds};
    }
    return {};
}

std::string labelText(ArgumentKind kind, std::string_view value) {
    std::string_view lead;
    switch (kind) {
        case ArgumentKind::Title: lead = "帖子名称："; break;
        case ArgumentKind::Time: lead = "发帖时间："; break;
        case ArgumentKind::Keyword: lead = "对应的关键词："; break;
        default: return {};
    }
    std::string label(lead);
    label += value;
    return label;
}

std::string countdownCaption(int seconds) {
    // Seven ASCII spaces between the two halves, as the caption has always had.
    return "您设置的关键词监控到新的内容...       关闭倒计时：" + std::to_string(seconds) + " 秒";
}

std::optional<int> secondsLeft(int staySeconds, std::uint32_t elapsedMilliseconds) {
    const long long elapsed = elapsedMilliseconds / 1000;
    if (elapsed >= staySeconds) return std::nullopt;
    return static_cast<int>(staySeconds - elapsed);
}

PopupContent readPopupContent(std::string_view commandLine) {
    PopupContent content;
    for (const std::string& raw : splitCommandLine(commandLine)) {
        PopupArgument argument = readArgument(raw);
        switch (argument.kind) {
            case ArgumentKind::Address: content.address = std::move(argument.value); break;
            case ArgumentKind::Title: content.titleLine = labelText(argument.kind, argument.value); break;
            case ArgumentKind::Time: content.timeLine = labelText(argument.kind, argument.value); break;
            case ArgumentKind::Keyword: content.keywordLine = labelText(argument.kind, argument.value); break;
            case ArgumentKind::Stay: content.staySeconds = argument.staySeconds; break;
            case ArgumentKind::Ignored: break;
        }
    }
    return content;
}

}  // namespace brevaro::popup
