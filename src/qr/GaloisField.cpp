#include "qr/GaloisField.h"

#include <algorithm>
#include <cstddef>

#include "qr/QrFailure.h"

namespace brevaro::qr {
namespace {

constexpr const char* kPolynomialClass = "GFP";
constexpr const char* kDividingPolynomialClass = "GFPP";

std::vector<int> withoutLeadingZeros(std::vector<int> coefficients) {
    const auto first =
        std::find_if(coefficients.begin(), coefficients.end(), [](int c) { return c != 0; });
    if (first == coefficients.end()) return {0};
    coefficients.erase(coefficients.begin(), first);
    return coefficients;
}

}  // namespace

GF256::GF256(int primitive) : identity_("GF256:" + std::to_string(primitive)) {
    int x = 1;
    for (std::size_t i = 0; i < 256; ++i) {
        exp_[i] = x;
        x <<= 1;
        if (x >= 256) x ^= primitive;
    }
    for (std::size_t i = 0; i < 255; ++i) {
        log_[static_cast<std::size_t>(exp_[i])] = static_cast<int>(i);
    }
}

const GF256& GF256::qr() {
    static const GF256 field(0x11D);
    return field;
}

int GF256::exp(int i) const {
    if (i < 0 || i > 255) failQrWithoutRecord();
    return exp_[static_cast<std::size_t>(i)];
}

int GF256::log(int a) const {
    if (a < 1 || a > 255) failQrWithoutRecord();
    return log_[static_cast<std::size_t>(a)];
}

int GF256::inverse(int a) const {
    return exp(255 - log(a));
}

int GF256::multiply(int a, int b) const {
    if (a == 0 || b == 0) return 0;
    if (a == 1) return b;
    if (b == 1) return a;
    return exp((log(a) + log(b)) % 255);
}

GFP::GFP(const GF256& field, std::vector<int> coefficients)
    : GFP(kPolynomialClass, field, std::move(coefficients)) {}

GFP::GFP(const char* className, const GF256& field, std::vector<int> coefficients)
    : className_(className),
      field_(&field),
      coefficients_(withoutLeadingZeros(std::move(coefficients))) {}

int GFP::coefficient(int degree) const {
    const int index = this->degree() - degree;
    if (index < 0 || degree < 0) return 0;
    return coefficients_[static_cast<std::size_t>(index)];
}

void GFP::requireSameField(const GFP& other, const char* method, const char* message) const {
    if (field_->identity() != other.field_->identity()) failQr(className_, method, message);
}

GFP GFP::加或减(const GFP& other) const {
    requireSameField(other, "加或减", "GF256信息不相同");
    if (isZero()) return other;
    if (other.isZero()) return *this;
    const std::vector<int>* longer = &coefficients_;
    const std::vector<int>* shorter = &other.coefficients_;
    if (longer->size() < shorter->size()) std::swap(longer, shorter);
    std::vector<int> sum = *longer;
    const std::size_t offset = longer->size() - shorter->size();
    for (std::size_t i = 0; i < shorter->size(); ++i) sum[offset + i] ^= (*shorter)[i];
    return GFP(*field_, std::move(sum));
}

GFP GFP::multiply(const GFP& other) const {
    requireSameField(other, "加或减", "GF256信息不相同");
    if (isZero() || other.isZero()) return GFP(*field_, {0});
    std::vector<int> product(coefficients_.size() + other.coefficients_.size() - 1, 0);
    for (std::size_t i = 0; i < coefficients_.size(); ++i) {
        for (std::size_t j = 0; j < other.coefficients_.size(); ++j) {
            product[i + j] ^= field_->multiply(coefficients_[i], other.coefficients_[j]);
        }
    }
    return GFP(*field_, std::move(product));
}

GFP GFP::叠加单项式(int degree, int coefficient) const {
    if (degree < 0) failQr(className_, "叠加单项式", "维度小于0");
    if (coefficient == 0) return GFP(*field_, {0});
    std::vector<int> product(coefficients_.size() + static_cast<std::size_t>(degree), 0);
    for (std::size_t i = 0; i < coefficients_.size(); ++i) {
        product[i] = field_->multiply(coefficients_[i], coefficient);
    }
    return GFP(*field_, std::move(product));
}

GFP GFP::构造单项式(const GF256& field, int degree, int coefficient) {
    if (degree < 0) failQr(kPolynomialClass, "构造单项式", "度小于0");
    if (coefficient == 0) return GFP(field, {0});
    std::vector<int> monomial(static_cast<std::size_t>(degree) + 1, 0);
    monomial[0] = coefficient;
    return GFP(field, std::move(monomial));
}

GFPP::GFPP(const GF256& field, std::vector<int> coefficients)
    : GFP(kDividingPolynomialClass, field, std::move(coefficients)) {}

GFPP::GFPP(const GFP& polynomial) : GFPP(polynomial.field(), polynomial.coefficients()) {}

std::pair<GFP, GFP> GFPP::分离(const GFP& divisor) const {
    requireSameField(divisor, "分离", "GF256不同");
    if (divisor.isZero()) failQr(className(), "分离", "除数为0");
    GFP quotient(field(), {0});
    GFP remainder(field(), coefficients());
    const int inverseLead = field().inverse(divisor.coefficient(divisor.degree()));
    while (remainder.degree() >= divisor.degree() && !remainder.isZero()) {
        const int degreeDiff = remainder.degree() - divisor.degree();
        const int scale = field().multiply(remainder.coefficient(remainder.degree()), inverseLead);
        quotient = quotient.加或减(构造单项式(field(), degreeDiff, scale));
        remainder = remainder.加或减(divisor.叠加单项式(degreeDiff, scale));
    }
    return {quotient, remainder};
}

}  // namespace brevaro::qr
