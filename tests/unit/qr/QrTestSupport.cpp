#include "unit/qr/QrTestSupport.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "qr/QrImage.h"
#include "text/Encoding.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace brevaro::qr::test {
namespace {

// A failure that no test asked for is reported here instead of in a message
// box (which would wait for a click under Wine) and fails the test.
class UnexpectedFailureGuard : public testing::Environment {
public:
    void SetUp() override {
        setQrFailureReporter([](const QrFailureRecord& record) {
            ADD_FAILURE() << "unexpected QR failure: " << text::gbkToUtf8(qrFailureText(record));
        });
    }
    void TearDown() override { setQrFailureReporter({}); }
};

[[maybe_unused]] testing::Environment* const guard =
    testing::AddGlobalTestEnvironment(new UnexpectedFailureGuard);

}  // namespace

std::string tempPath(const std::string& suffix) {
    static std::atomic<int> counter{0};
#ifdef _WIN32
    const long process = 0;
#else
    const long process = static_cast<long>(getpid());
#endif
    const auto name =
        "brevaro-qr-" + std::to_string(process) + "-" + std::to_string(counter++) + suffix;
    return (std::filesystem::temp_directory_path() / name).string();
}

#ifdef _WIN32

bool decoderAvailable() {
    return false;
}
std::optional<std::string> decodeBitmap(const std::string&) {
    return std::nullopt;
}

#else

bool decoderAvailable() {
    return true;
}

std::optional<std::string> decodeBitmap(const std::string& bmp) {
    const std::string path = tempPath(".bmp");
    {
        std::ofstream file(path, std::ios::binary);
        file.write(bmp.data(), static_cast<std::streamsize>(bmp.size()));
    }
    const std::string command = "zbarimg --nodbus -q -Sbinary '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string payload;
    int status = -1;
    if (pipe != nullptr) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) payload.append(buffer, got);
        status = pclose(pipe);
    }
    std::filesystem::remove(path);
    if (status != 0) return std::nullopt;
    return payload;
}

#endif

std::optional<std::string> decodeMatrix(const 字节矩阵类& matrix) {
    const int side = (matrix.width() + 8) * 4;
    return decodeBitmap(paintBitmap(
        matrix, placeSymbol(matrix.width(), matrix.height(), side, side), side, side, 0xFFFFFF, 0));
}

}  // namespace brevaro::qr::test
