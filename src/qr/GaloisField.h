#pragma once
// GF(2^8) as ISO/IEC 18004 uses it for Reed–Solomon codes, and polynomials
// over it. Elements are the integers 0 to 255; addition is exclusive-or.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace brevaro::qr {

class GF256 {
public:
    static constexpr const char* kClassName = "GF256";

    // The field of the primitive polynomial (285 for QR Code). Its identity
    // text is "GF256:" followed by the polynomial in decimal.
    explicit GF256(int primitive);

    // The QR Code field, x^8 + x^4 + x^3 + x^2 + 1 (285, 0x11D); built once.
    static const GF256& qr();

    const std::string& identity() const { return identity_; }

    // α^i for 0 ≤ i ≤ 255 (exp(255) = exp(0) = 1).
    int exp(int i) const;
    // i with α^i = a, for 1 ≤ a ≤ 255; 0 fails without a record.
    int log(int a) const;
    // a^-1 for 1 ≤ a ≤ 255; 0 fails without a record.
    int inverse(int a) const;
    static int add(int a, int b) { return a ^ b; }
    int multiply(int a, int b) const;

private:
    std::string identity_;
    std::array<std::int32_t, 256> exp_{};
    std::array<std::int32_t, 256> log_{};
};

// A polynomial over a field: coefficients highest degree first, without
// leading zeros; the zero polynomial is the single coefficient 0. Operands of
// an operation must belong to the same field (compared by identity).
class GFP {
public:
    GFP(const GF256& field, std::vector<int> coefficients);

    const GF256& field() const { return *field_; }
    const std::vector<int>& coefficients() const { return coefficients_; }
    int degree() const { return static_cast<int>(coefficients_.size()) - 1; }
    bool isZero() const { return coefficients_[0] == 0; }
    // The coefficient of x^degree (0 above the polynomial's degree).
    int coefficient(int degree) const;

    GFP 加或减(const GFP& other) const;
    GFP multiply(const GFP& other) const;
    // This polynomial times coefficient·x^degree (degree ≥ 0).
    GFP 叠加单项式(int degree, int coefficient) const;
    // coefficient·x^degree (degree ≥ 0).
    static GFP 构造单项式(const GF256& field, int degree, int coefficient);

protected:
    GFP(const char* className, const GF256& field, std::vector<int> coefficients);
    const char* className() const { return className_; }
    void requireSameField(const GFP& other, const char* method, const char* message) const;

private:
    const char* className_;
    const GF256* field_;
    std::vector<int> coefficients_;
};

// A polynomial that also divides.
class GFPP : public GFP {
public:
    GFPP(const GF256& field, std::vector<int> coefficients);
    explicit GFPP(const GFP& polynomial);

    // Quotient and remainder of this polynomial divided by divisor (not zero).
    std::pair<GFP, GFP> 分离(const GFP& divisor) const;
};

}  // namespace brevaro::qr
