// GF(256) of QR Code, polynomials over it and the Reed–Solomon encoder.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "qr/GaloisField.h"
#include "qr/ReedSolomon.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::qr {
namespace {

using test::thrownRecord;

TEST(GF256, TablesOfTheQrPolynomial) {
    const GF256& field = GF256::qr();
    EXPECT_EQ(field.identity(), "GF256:285");
    EXPECT_EQ(field.exp(0), 1);
    EXPECT_EQ(field.exp(8), 29);  // x^8 reduced by 0x11D
    EXPECT_EQ(field.log(29), 8);
    EXPECT_EQ(field.exp(255), 1);
    for (int a = 1; a <= 255; ++a) {
        SCOPED_TRACE(a);
        EXPECT_EQ(field.exp(field.log(a)), a);
        EXPECT_EQ(field.multiply(a, field.inverse(a)), 1);
        EXPECT_EQ(field.multiply(a, 0), 0);
    }
    EXPECT_EQ(field.multiply(3, 3), 5);  // (x + 1)^2 = x^2 + 1
    EXPECT_EQ(GF256::add(0x53, 0xCA), 0x99);
}

TEST(GFP, ArithmeticKeepsNoLeadingZeros) {
    const GF256& f = GF256::qr();
    const GFP p(f, {0, 0, 1, 2, 3});  // leading zeros dropped: x^2 + 2x + 3
    EXPECT_EQ(p.coefficients(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(p.degree(), 2);
    EXPECT_EQ(p.coefficient(0), 3);
    EXPECT_EQ(p.coefficient(2), 1);
    EXPECT_EQ(p.coefficient(5), 0);
    EXPECT_TRUE(GFP(f, {0, 0}).isZero());

    // The shorter operand is aligned to the low-degree end.
    EXPECT_EQ(p.加或减(GFP(f, {4, 5})).coefficients(), (std::vector<int>{1, 2 ^ 4, 3 ^ 5}));
    // Equal leading terms cancel and leave no leading zero.
    EXPECT_EQ(GFP(f, {1, 2}).加或减(GFP(f, {1, 3})).coefficients(), (std::vector<int>{1}));
    EXPECT_TRUE(p.加或减(p).isZero());
    EXPECT_EQ(p.加或减(GFP(f, {0})).coefficients(), p.coefficients());

    // (x + 1)(x + 2) = x^2 + 3x + 2
    EXPECT_EQ(GFP(f, {1, 1}).multiply(GFP(f, {1, 2})).coefficients(), (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(p.multiply(GFP(f, {0})).isZero());
    EXPECT_EQ(p.叠加单项式(2, 2).coefficients(), (std::vector<int>{2, 4, 6, 0, 0}));
    EXPECT_TRUE(p.叠加单项式(3, 0).isZero());
    EXPECT_EQ(GFP::构造单项式(f, 3, 7).coefficients(), (std::vector<int>{7, 0, 0, 0}));
}

TEST(GFPP, DivisionGivesQuotientAndRemainder) {
    const GF256& f = GF256::qr();
    const std::vector<int> dividends[] = {{1, 0, 0}, {32, 91, 11, 120, 209, 0, 0}, {5}, {0}};
    const GFP divisor(f, {3, 1, 2});
    for (const auto& coefficients : dividends) {
        const GFPP dividend(f, coefficients);
        const auto [quotient, remainder] = dividend.分离(divisor);
        EXPECT_TRUE(remainder.isZero() || remainder.degree() < divisor.degree());
        EXPECT_EQ(quotient.multiply(divisor).加或减(remainder).coefficients(),
                  dividend.coefficients());
    }
}

TEST(RSEncoder, GeneratorPolynomials) {
    RS编码器类 encoder(GF256::qr());
    EXPECT_EQ(encoder.generator(0).coefficients(), (std::vector<int>{1}));
    EXPECT_EQ(encoder.generator(2).coefficients(), (std::vector<int>{1, 3, 2}));
    // ISO/IEC 18004 Annex A, degree 7: α^0 α^87 α^229 α^146 α^149 α^238 α^102 α^21.
    const GF256& f = GF256::qr();
    const int exponents[] = {0, 87, 229, 146, 149, 238, 102, 21};
    std::vector<int> expected;
    for (const int e : exponents) expected.push_back(f.exp(e));
    EXPECT_EQ(encoder.generator(7).coefficients(), expected);
}

TEST(RSEncoder, KnownErrorCorrectionCodewords) {
    struct Case {
        std::vector<int> data;
        std::vector<int> ec;
    };
    const Case cases[] = {
        // "HELLO WORLD", version 1-M
        {{32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236, 17, 236, 17},
         {196, 35, 39, 119, 235, 215, 231, 226, 93, 23}},
        // "01234567", version 1-M
        {{16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17},
         {165, 36, 212, 193, 237, 54, 199, 135, 44, 85}},
        // 3x^3 + 7x^2 leaves 0·x + 4 modulo x^2 + 3x + 2: right-aligned, 0 in front.
        {{3, 7}, {0, 4}},
        {{0, 0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int> message = c.data;
        message.resize(c.data.size() + c.ec.size(), 99);  // the places are overwritten
        RS编码器类(GF256::qr()).编码(message, static_cast<int>(c.ec.size()));
        EXPECT_EQ(
            std::vector<int>(message.begin(), message.begin() + static_cast<long>(c.data.size())),
            c.data);
        EXPECT_EQ(
            std::vector<int>(message.begin() + static_cast<long>(c.data.size()), message.end()),
            c.ec);
    }
}

TEST(RSEncoder, FailuresNameTheirSource) {
    const GF256& qr = GF256::qr();
    const GF256 other(301);
    struct Case {
        const char* what;
        std::function<void()> action;
        QrFailureRecord record;
    };
    const Case cases[] = {
        {"another field",
         [&] { RS编码器类 encoder(other); },
         {"RS编码器类", "RS编码器", "GF标识不相同"}},
        {"no EC codewords",
         [&] {
             std::vector<int> m{1, 2, 3};
             RS编码器类(qr).编码(m, 0);
         },
         {"RS编码器类", "编码", "没有容错字节"}},
        {"no data codewords",
         [&] {
             std::vector<int> m{0, 0};
             RS编码器类(qr).编码(m, 2);
         },
         {"RS编码器类", "编码", "未提供数据字节"}},
        {"sum across fields",
         [&] { GFP(qr, {1}).加或减(GFP(other, {1})); },
         {"GFP", "加或减", "GF256信息不相同"}},
        {"product across fields",
         [&] { GFP(qr, {1}).multiply(GFP(other, {1})); },
         {"GFP", "加或减", "GF256信息不相同"}},
        {"monomial factor of negative degree",
         [&] { GFP(qr, {1}).叠加单项式(-1, 1); },
         {"GFP", "叠加单项式", "维度小于0"}},
        {"monomial of negative degree",
         [&] { GFP::构造单项式(qr, -1, 1); },
         {"GFP", "构造单项式", "度小于0"}},
        {"division across fields",
         [&] {
             GFPP(qr, {1, 0}).分离(GFP(other, {1}));
         },
         {"GFPP", "分离", "GF256不同"}},
        {"division by zero",
         [&] {
             GFPP(qr, {1, 0}).分离(GFP(qr, {0}));
         },
         {"GFPP", "分离", "除数为0"}},
        {"log of 0", [&] { qr.log(0); }, QrFailureRecord::none()},
        {"inverse of 0", [&] { qr.inverse(0); }, QrFailureRecord::none()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(thrownRecord(c.action), c.record);
    }
}

}  // namespace
}  // namespace brevaro::qr
