// brevaro-cli extract --board N FILE: the rows a board's monitor would find in
// a saved page, one tab-separated line per row in page order.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "Cli.h"
#include "FieldEscape.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"
#include "text/Encoding.h"

namespace brevaro::cli {
namespace {

std::optional<std::string> readFile(const std::string& utf8Path) {
    const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    try {
        std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (file.bad()) return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;  // a read error underneath the stream
    }
}

void writeRow(const monitor::ResultRow& row, std::ostream& out) {
    const std::string* fields[] = {&row.title,    &row.readLevel, &row.replies,
                                   &row.views,    &row.postTime,  &row.link,
                                   &row.remaining, &row.category, &row.bounty};
    bool first = true;
    for (const std::string* field : fields) {
        if (!first) out << '\t';
        out << escapeField(text::gbkToUtf8(*field));
        first = false;
    }
    out << '\n';
}

}  // namespace

int runExtract(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::optional<int> page;
    std::optional<std::string> file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--board" && i + 1 < args.size() && !page) {
            page = parseWholeInt(args[++i]);
            if (!page) {
                err << "brevaro-cli extract: --board takes a page index (0-6 or 8)\n";
                return kExitUsage;
            }
        } else if (!file && !args[i].starts_with("--")) {
            file = args[i];
        } else {
            err << "usage: brevaro-cli extract --board N FILE\n";
            return kExitUsage;
        }
    }
    if (!page || !file) {
        err << "usage: brevaro-cli extract --board N FILE\n";
        return kExitUsage;
    }
    const monitor::BoardSpec* board = monitor::boardForPage(*page);
    if (board == nullptr) {
        err << "brevaro-cli extract: page " << *page << " holds no board (0-6 or 8)\n";
        return kExitUsage;
    }
    const std::optional<std::string> body = readFile(*file);
    if (!body) {
        err << "brevaro-cli extract: cannot read " << *file << "\n";
        return kExitUsage;
    }
    const std::string pageText = monitor::boardPageText(*board, *body);
    for (const monitor::ResultRow& row : monitor::extractRows(*board, pageText)) {
        writeRow(row, out);
    }
    return kExitOk;
}

}  // namespace brevaro::cli
