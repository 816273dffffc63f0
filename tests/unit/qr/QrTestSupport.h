#pragma once
// Helpers of the QR tests: failure capture and an independent decoder.
//
// Every symbol a test makes is read back with zbar's command-line decoder
// (Debian's zbar-tools): `zbarimg --nodbus -q -Sbinary FILE` prints the exact
// payload bytes (without -Sbinary it guesses a legacy charset for UTF-8 byte
// data). The decoder is a host tool: the Windows build's tests skip decoding.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "qr/ByteMatrix.h"
#include "qr/QrFailure.h"

namespace brevaro::qr::test {

// Collects the failures reported while it lives (no box, no standard error).
class FailureLog {
public:
    FailureLog() : guard_([this](const QrFailureRecord& record) { records_.push_back(record); }) {}
    const std::vector<QrFailureRecord>& records() const { return records_; }

private:
    std::vector<QrFailureRecord> records_;
    ScopedQrFailureReporter guard_;
};

// The record that action throws as QrFailure; a test failure when it throws
// none.
inline QrFailureRecord thrownRecord(const std::function<void()>& action) {
    try {
        action();
    } catch (const QrFailure& failure) {
        return failure.record();
    }
    ADD_FAILURE() << "no QR failure";
    return {};
}

// True where zbarimg can run (not in the Windows build).
bool decoderAvailable();

// The payload zbarimg reads from a .bmp file image; nullopt when it finds no
// symbol.
std::optional<std::string> decodeBitmap(const std::string& bmp);

// The payload of a module matrix, painted 4 pixels a module with a margin.
std::optional<std::string> decodeMatrix(const 字节矩阵类& matrix);

// A unique path in the temporary directory with the suffix.
std::string tempPath(const std::string& suffix);

}  // namespace brevaro::qr::test

// Skips the rest of a test that needs the decoder where there is none.
#define BREVARO_REQUIRE_DECODER()                                             \
    do {                                                                      \
        if (!::brevaro::qr::test::decoderAvailable()) {                       \
            GTEST_SKIP() << "zbarimg is a host tool; the native run decodes"; \
        }                                                                     \
    } while (false)
