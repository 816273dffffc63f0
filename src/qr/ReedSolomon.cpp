#include "qr/ReedSolomon.h"

#include <cstddef>

#include "qr/QrFailure.h"

namespace brevaro::qr {

RS编码器类::RS编码器类(const GF256& field) : field_(&field) {
    if (field.identity() != GF256::qr().identity()) failQr(kClassName, "RS编码器", "GF标识不相同");
    generators_.emplace_back(field, std::vector<int>{1});
}

const GFP& RS编码器类::generator(int degree) {
    if (degree < 0) failQr(kClassName, "编码", "没有容错字节");
    for (int d = static_cast<int>(generators_.size()); d <= degree; ++d) {
        const GFP factor(*field_, {1, field_->exp(d - 1)});
        generators_.push_back(generators_.back().multiply(factor));
    }
    return generators_[static_cast<std::size_t>(degree)];
}

void RS编码器类::编码(std::vector<int>& message, int ecCount) {
    if (ecCount <= 0) failQr(kClassName, "编码", "没有容错字节");
    const int dataCount = static_cast<int>(message.size()) - ecCount;
    if (dataCount <= 0) failQr(kClassName, "编码", "未提供数据字节");
    const std::vector<int>& g = generator(ecCount).coefficients();

    // The long division of data·x^e by the monic generator, kept to the
    // remainder's e coefficients (highest degree first): the same quotient
    // steps as GFPP::分离, without a polynomial object per step.
    const std::size_t e = static_cast<std::size_t>(ecCount);
    std::vector<int> logG(e, -1);  // logarithms of g's lower coefficients; -1 for 0
    for (std::size_t j = 0; j < e; ++j) {
        if (g[j + 1] != 0) logG[j] = field_->log(g[j + 1]);
    }
    std::vector<int> remainder(e, 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(dataCount); ++i) {
        const int data = message[i];
        if (data < 0 || data > 255) failQrWithoutRecord();
        const int factor = data ^ remainder[0];
        for (std::size_t j = 0; j + 1 < e; ++j) remainder[j] = remainder[j + 1];
        remainder[e - 1] = 0;
        if (factor == 0) continue;
        const int logFactor = field_->log(factor);
        for (std::size_t j = 0; j < e; ++j) {
            if (logG[j] >= 0) remainder[j] ^= field_->exp((logG[j] + logFactor) % 255);
        }
    }
    for (std::size_t j = 0; j < e; ++j) {
        message[static_cast<std::size_t>(dataCount) + j] = remainder[j];
    }
}

}  // namespace brevaro::qr
