#pragma once
// The Reed–Solomon encoder of ISO/IEC 18004: the error-correction codewords
// of a block are the remainder of the data polynomial times x^e divided by the
// generator polynomial of degree e, (x + α^0)(x + α^1)…(x + α^(e−1)).

#include <vector>

#include "qr/GaloisField.h"

namespace brevaro::qr {

class RS编码器类 {
public:
    static constexpr const char* kClassName = "RS编码器类";

    // An encoder over field, which must be the QR field (same identity).
    explicit RS编码器类(const GF256& field);

    // The generator polynomial of degree d ≥ 0; built on first use, kept.
    const GFP& generator(int degree);

    // message holds the data codewords (0–255) followed by ecCount places;
    // those places are overwritten with the EC codewords, right-aligned, zeros
    // in front when the remainder is shorter. ecCount must be at least 1 and
    // leave at least one data codeword.
    void 编码(std::vector<int>& message, int ecCount);

private:
    const GF256* field_;
    std::vector<GFP> generators_;
};

}  // namespace brevaro::qr
