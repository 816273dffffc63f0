// brevaro-cli qr [--level L] [--width W] [--height H] TEXT OUT.bmp: the
// program's QR picture of a text. TEXT is converted to GBK first, so it takes
// the program's own path (GBK to UTF-8 in byte mode). Defaults as 创建二维码:
// level L, 100 × 100 pixels; white background, black modules.

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "Cli.h"
#include "qr/QrFailure.h"
#include "qr/QrImage.h"
#include "text/Encoding.h"

namespace brevaro::cli {
namespace {

constexpr const char* kUsage =
    "usage: brevaro-cli qr [--level L] [--width W] [--height H] TEXT OUT.bmp\n";

const char* modeName(const qr::QrMode& mode) {
    if (mode == qr::numericMode()) return "numeric";
    if (mode == qr::alphanumericMode()) return "alphanumeric";
    return "byte";
}

bool writeFile(const std::string& utf8Path, const std::string& bytes) {
    const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
    std::ofstream file(path, std::ios::binary);
    if (!file) return false;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace

int runQr(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> level;
    std::optional<int> width;
    std::optional<int> height;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--level" && hasValue && !level) {
            level = text::utf8ToGbk(args[++i]);
        } else if ((arg == "--width" || arg == "--height") && hasValue) {
            std::optional<int>& size = arg == "--width" ? width : height;
            if (size || !(size = parseWholeInt(args[++i]))) {
                err << "brevaro-cli qr: " << arg << " takes one whole number of pixels\n";
                return kExitUsage;
            }
        } else if (!arg.starts_with("--")) {
            positional.push_back(arg);
        } else {
            err << kUsage;
            return kExitUsage;
        }
    }
    if (positional.size() != 2) {
        err << kUsage;
        return kExitUsage;
    }

    // A QR failure is shown as its box text on standard error.
    const qr::ScopedQrFailureReporter reporter([&err](const qr::QrFailureRecord& record) {
        err << text::gbkToUtf8(qr::qrFailureText(record)) << '\n';
    });
    const std::optional<std::string_view> levelText =
        level ? std::optional<std::string_view>(*level) : std::nullopt;
    const std::string image =
        qr::创建二维码(text::utf8ToGbk(positional[0]), levelText, width.value_or(0),
                       height.value_or(0), 0xFFFFFF, 0x000000);
    if (image.empty()) return kExitQrFailure;
    if (!writeFile(positional[1], image)) {
        err << "brevaro-cli qr: cannot write " << positional[1] << "\n";
        return kExitUsage;
    }
    const qr::二维码类& code = qr::currentQrCode();
    out << "version=" << code.version << " level=" << code.level->name
        << " mask=" << code.maskPattern << " mode=" << modeName(*code.mode) << '\n';
    return kExitOk;
}

}  // namespace brevaro::cli
