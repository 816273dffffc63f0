// 创建二维码 on any text, level and size. It fails only where it says it
// does (a text of nothing but spaces, an unknown level, a picture too large
// for a .bmp, a text no version holds), and then reports once and returns
// nothing; otherwise the record holds the smallest version that holds the
// data, and the picture is a .bmp of the size asked for (100 for 0 or less),
// every pixel in one of the two colours. Failures go to a reporter of the
// harness, so none ends or clutters a run.
//
// Input: a byte for the level, four for the width and the height, six for
// the two colours, then the text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "qr/Encoder.h"
#include "qr/QrFailure.h"
#include "qr/QrImage.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"

namespace brevaro::fuzz {
namespace {

using qr::QrColour;

struct Request {
    std::optional<std::string> level;
    int width = 0;
    int height = 0;
    QrColour background = 0;
    QrColour module = 0;
    std::string_view content;
};

// Levels: the four, lower case too, none, and ones that do not exist.
std::optional<std::string> levelFor(unsigned char pick) {
    static constexpr const char* kLevels[] = {"L", "M", "Q", "H", "l", "m", "q", "h", "", "X", "LL", "Ｌ"};
    const std::size_t index = pick % (std::size(kLevels) + 1);
    if (index == std::size(kLevels)) return std::nullopt;
    return std::string(kLevels[index]);
}

// Sizes up to a couple of hundred pixels, 0 and negative ones, and now and
// then one too large for a .bmp (a row alone would pass its 32-bit sizes).
constexpr int kTooLarge = 1 << 30;
int sideFor(unsigned char pick, unsigned char size) {
    if (pick == 0xFF) return size % 2 == 0 ? 0x7FFFFFFF : kTooLarge;
    return static_cast<int>(size) - 32;
}

QrColour colourFor(const std::uint8_t* bytes) {
    return static_cast<QrColour>(bytes[0] | bytes[1] << 8 | bytes[2] << 16);
}

bool onlySpaces(std::string_view text) {
    return text::removeAll(text::removeAll(text, "　"), " ").empty();
}

int dataBits(std::string_view content, const qr::QrMode& mode) {
    const auto n = static_cast<int>(content.size());
    if (mode == qr::numericMode()) return 10 * (n / 3) + (n % 3 == 2 ? 7 : n % 3 == 1 ? 4 : 0);
    if (mode == qr::alphanumericMode()) return 11 * (n / 2) + 6 * (n % 2);
    return 8 * static_cast<int>(text::gbkToUtf8(content).size());
}

// The first version whose data codewords hold the data and 3 bytes more;
// 0 when none does.
int smallestVersion(std::string_view content, const qr::QrLevel& level) {
    const qr::编码类 encoder;
    const int bytes = (dataBits(content, encoder.chooseMode(content)) + 7) / 8;
    for (int number = 1; number <= 40; ++number) {
        const qr::QrVersion& version = qr::二维码类::取版本_通过版本号(number);
        if (version.totalCodewords - version.blocks(level).totalEc() >= bytes + 3) return number;
    }
    return 0;
}

std::uint32_t readLe(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

void checkPicture(const Request& request, const std::string& image) {
    const int width = request.width <= 0 ? 100 : request.width;
    const int height = request.height <= 0 ? 100 : request.height;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    FUZZ_CHECK(image.size() == 54 + stride * static_cast<std::size_t>(height),
               "a picture of the wrong size");
    FUZZ_CHECK(image.starts_with("BM") && readLe(image, 2, 4) == image.size() &&
                   readLe(image, 10, 4) == 54 && readLe(image, 14, 4) == 40 &&
                   readLe(image, 18, 4) == static_cast<std::uint32_t>(width) &&
                   readLe(image, 22, 4) == static_cast<std::uint32_t>(height) &&
                   readLe(image, 26, 2) == 1 && readLe(image, 28, 2) == 24,
               "a .bmp header that does not describe its picture");
    bool moduleSeen = false;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = 54 + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            const QrColour colour = readLe(image, at, 3);
            const QrColour rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
            FUZZ_CHECK(rgb == request.background || rgb == request.module,
                       "a pixel in neither colour");
            moduleSeen = moduleSeen || rgb == request.module;
        }
        for (std::size_t pad = row + static_cast<std::size_t>(width) * 3; pad < row + stride; ++pad) {
            FUZZ_CHECK(image[pad] == '\0', "row padding that is not zero");
        }
    }
    // The finder pattern's corner lands two pixels in from the top left.
    FUZZ_CHECK(moduleSeen || width < 3 || height < 3, "a picture without a single module");
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    if (size < 11) return 0;
    fuzz::Request request;
    request.level = fuzz::levelFor(data[0]);
    request.width = fuzz::sideFor(data[1], data[2]);
    request.height = fuzz::sideFor(data[3], data[4]);
    request.background = fuzz::colourFor(data + 5);
    request.module = fuzz::colourFor(data + 8);
    request.content = std::string_view(reinterpret_cast<const char*>(data) + 11, size - 11);

    std::vector<qr::QrFailureRecord> failures;
    const qr::ScopedQrFailureReporter reporter(
        [&failures](const qr::QrFailureRecord& record) { failures.push_back(record); });
    const int before = qr::currentQrCode().version;
    const std::optional<std::string_view> level =
        request.level ? std::optional<std::string_view>(*request.level) : std::nullopt;
    const std::string image = qr::创建二维码(request.content, level, request.width, request.height,
                                            request.background, request.module);

    const std::string_view content = text::textBeforeNul(request.content);
    const qr::QrLevel* chosen = nullptr;
    for (const qr::QrLevel& known : qr::qrLevels()) {
        if (!level || text::equalsIgnoringAsciiCase(*level, known.name)) {
            chosen = level ? &known : &qr::levelL();
            break;
        }
    }
    const auto tooLarge = [](int side) { return side >= fuzz::kTooLarge; };
    // The failures in the order the operation tests them.
    const int version = chosen ? fuzz::smallestVersion(content, *chosen) : 0;
    std::optional<std::string> expectedFailure;
    if (fuzz::onlySpaces(content)) {
        expectedFailure = "没有编码内容";
    } else if (!chosen) {
        expectedFailure = "容错等级必须为L、M、Q、H四个之一。";
    } else if (tooLarge(request.width) || tooLarge(request.height)) {
        expectedFailure = "图片尺寸过大";
    } else if (version == 0) {
        expectedFailure = "";  // no version holds the text: 初始化二维码's empty message
    }
    const bool shouldFail = expectedFailure.has_value();

    if (shouldFail) {
        FUZZ_CHECK(image.empty(), "a picture where the operation must fail");
        FUZZ_CHECK(failures.size() == 1 && failures[0].message == *expectedFailure,
                   "not the one failure expected (" + fuzz::shown(*expectedFailure) + "), got " +
                       std::to_string(failures.size()) +
                       (failures.empty() ? "" : ": " + fuzz::shown(failures[0].message)));
        FUZZ_CHECK(qr::currentQrCode().version == before, "a failure changed the QR record");
        return 0;
    }
    FUZZ_CHECK(failures.empty(), "an unexpected failure: " + fuzz::shown(failures[0].source) + " " +
                                     fuzz::shown(failures[0].method) + " " +
                                     fuzz::shown(failures[0].message));
    const qr::二维码类& record = qr::currentQrCode();
    FUZZ_CHECK(record.isValid(), "an invalid QR record after a success");
    FUZZ_CHECK(record.version == version,
               "not the smallest version that holds the text");
    FUZZ_CHECK(record.matrixWidth == 17 + 4 * record.version &&
                   record.matrix.width() == record.matrixWidth &&
                   record.matrix.height() == record.matrixWidth,
               "a symbol whose size does not match its version");
    FUZZ_CHECK(record.level == chosen, "a symbol at another level");
    fuzz::checkPicture(request, image);
    return 0;
}
