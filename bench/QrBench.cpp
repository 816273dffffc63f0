// The QR encoder against two encoders from Debian, in the same run: Nayuki's
// qrcodegen (C++, one byte segment through encodeBinary) and libqrencode
// (QRcode_encodeString8bit). Each encodes the same byte-mode payload, as long
// as our encoder puts into versions 1, 10 and 40, at levels L and H. The goal:
// no slower than the faster of the two at every version.
//
// Run: build/native/bench/brevaro_qr_bench

#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <cstdint>
#include <qrcodegen.hpp>
#include <string>
#include <vector>

#include "qr/Encoder.h"
#include "qr/QrCode.h"
#include "qr/QrImage.h"

namespace {

using namespace brevaro;

const qr::QrLevel& levelOf(std::int64_t index) {
    return qr::qrLevels()[static_cast<std::size_t>(index)];
}

// ASCII with lower-case letters (byte mode): as many bytes as the version
// holds at the level with our 3-byte header allowance.
std::string payload(int version, const qr::QrLevel& level) {
    const qr::QrVersion& record = qr::二维码类::取版本_通过版本号(version);
    const int bytes = record.totalCodewords - record.blocks(level).totalEc() - 3;
    const std::string pattern = "https://lumaq.example/tip/2024/deal-of-the-day?id=8812&ref=board;";
    std::string text;
    while (static_cast<int>(text.size()) < bytes) text += pattern;
    text.resize(static_cast<std::size_t>(bytes));
    return text;
}

void label(benchmark::State& state, int version, const qr::QrLevel& level) {
    state.SetLabel("version " + std::to_string(version) + " level " + level.name);
}

void BM_QrBrevaro(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const qr::QrLevel& level = levelOf(state.range(1));
    const std::string text = payload(version, level);
    for (auto _ : state) {
        qr::二维码类 record;
        qr::编码类 encoder;
        encoder.编码(text, level, record);
        if (record.version != version) state.SkipWithError("unexpected version");
        benchmark::DoNotOptimize(record.matrix.cells().data());
    }
    label(state, version, level);
}

void BM_QrBrevaroPicture(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const qr::QrLevel& level = levelOf(state.range(1));
    const std::string text = payload(version, level);
    for (auto _ : state) {
        std::string image =
            qr::创建二维码(text, std::string_view(level.name), 300, 300, 0xFFFFFF, 0);
        if (image.empty()) state.SkipWithError("no picture");
        benchmark::DoNotOptimize(image.data());
    }
    label(state, version, level);
}

void BM_QrQrcodegen(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const qr::QrLevel& level = levelOf(state.range(1));
    const std::string text = payload(version, level);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    const auto ecc =
        state.range(1) == 0 ? qrcodegen::QrCode::Ecc::LOW : qrcodegen::QrCode::Ecc::HIGH;
    for (auto _ : state) {
        const qrcodegen::QrCode code = qrcodegen::QrCode::encodeBinary(bytes, ecc);
        if (code.getVersion() != version) state.SkipWithError("unexpected version");
        benchmark::DoNotOptimize(code.getModule(0, 0));
    }
    label(state, version, level);
}

void BM_QrLibqrencode(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const qr::QrLevel& level = levelOf(state.range(1));
    const std::string text = payload(version, level);
    const QRecLevel ecc = state.range(1) == 0 ? QR_ECLEVEL_L : QR_ECLEVEL_H;
    for (auto _ : state) {
        QRcode* code = QRcode_encodeString8bit(text.c_str(), 0, ecc);
        if (code == nullptr || code->version != version) state.SkipWithError("unexpected version");
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }
    label(state, version, level);
}

// Arguments: version, level index (0 = L, 3 = H).
void versionsAndLevels(benchmark::internal::Benchmark* benchmark) {
    for (const std::int64_t level : {0, 3}) {
        for (const std::int64_t version : {1, 10, 40}) benchmark->Args({version, level});
    }
}

}  // namespace

BENCHMARK(BM_QrBrevaro)->Apply(versionsAndLevels);
BENCHMARK(BM_QrQrcodegen)->Apply(versionsAndLevels);
BENCHMARK(BM_QrLibqrencode)->Apply(versionsAndLevels);
BENCHMARK(BM_QrBrevaroPicture)->Apply(versionsAndLevels);
