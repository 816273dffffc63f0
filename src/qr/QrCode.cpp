#include "qr/QrCode.h"

#include <cstring>
#include <string>

#include "qr/QrFailure.h"

namespace brevaro::qr {
namespace {

// The three modes in this order: numeric, alphanumeric, byte.
constexpr QrMode kModes[] = {
    {"数字", 1, {10, 12, 14}},
    {"字母数字", 2, {9, 11, 13}},
    {"字节", 4, {8, 16, 16}},
};

constexpr std::array<QrLevel, 4> kLevels = {{
    {1, 1, "L"},
    {2, 0, "M"},
    {3, 3, "Q"},
    {4, 2, "H"},
}};

// One version at one level: EC codewords per block, then the two block groups
// as (blocks, data codewords per block); the second group is (0, 0) when the
// version has only one.
struct Table9Entry {
    int ecPerBlock;
    int blocks1, data1;
    int blocks2, data2;
};

// ISO/IEC 18004:2006, Table 9 (error correction characteristics for QR Code),
// every version in the order L, M, Q, H.
// clang-format off
constexpr std::array<std::array<Table9Entry, 4>, 40> kTable9 = {{
    /*  1 */ {{{7, 1, 19, 0, 0}, {10, 1, 16, 0, 0}, {13, 1, 13, 0, 0}, {17, 1, 9, 0, 0}}},
    /*  2 */ {{{10, 1, 34, 0, 0}, {16, 1, 28, 0, 0}, {22, 1, 22, 0, 0}, {28, 1, 16, 0, 0}}},
    /*  3 */ {{{15, 1, 55, 0, 0}, {26, 1, 44, 0, 0}, {18, 2, 17, 0, 0}, {22, 2, 13, 0, 0}}},
    /*  4 */ {{{20, 1, 80, 0, 0}, {18, 2, 32, 0, 0}, {26, 2, 24, 0, 0}, {16, 4, 9, 0, 0}}},
    /*  5 */ {{{26, 1, 108, 0, 0}, {24, 2, 43, 0, 0}, {18, 2, 15, 2, 16}, {22, 2, 11, 2, 12}}},
    /*  6 */ {{{18, 2, 68, 0, 0}, {16, 4, 27, 0, 0}, {24, 4, 19, 0, 0}, {28, 4, 15, 0, 0}}},
    /*  7 */ {{{20, 2, 78, 0, 0}, {18, 4, 31, 0, 0}, {18, 2, 14, 4, 15}, {26, 4, 13, 1, 14}}},
    /*  8 */ {{{24, 2, 97, 0, 0}, {22, 2, 38, 2, 39}, {22, 4, 18, 2, 19}, {26, 4, 14, 2, 15}}},
    /*  9 */ {{{30, 2, 116, 0, 0}, {22, 3, 36, 2, 37}, {20, 4, 16, 4, 17}, {24, 4, 12, 4, 13}}},
    /* 10 */ {{{18, 2, 68, 2, 69}, {26, 4, 43, 1, 44}, {24, 6, 19, 2, 20}, {28, 6, 15, 2, 16}}},
    /* 11 */ {{{20, 4, 81, 0, 0}, {30, 1, 50, 4, 51}, {28, 4, 22, 4, 23}, {24, 3, 12, 8, 13}}},
    /* 12 */ {{{24, 2, 92, 2, 93}, {22, 6, 36, 2, 37}, {26, 4, 20, 6, 21}, {28, 7, 14, 4, 15}}},
    /* 13 */ {{{26, 4, 107, 0, 0}, {22, 8, 37, 1, 38}, {24, 8, 20, 4, 21}, {22, 12, 11, 4, 12}}},
    /* 14 */ {{{30, 3, 115, 1, 116}, {24, 4, 40, 5, 41}, {20, 11, 16, 5, 17}, {24, 11, 12, 5, 13}}},
    /* 15 */ {{{22, 5, 87, 1, 88}, {24, 5, 41, 5, 42}, {30, 5, 24, 7, 25}, {24, 11, 12, 7, 13}}},
    /* 16 */ {{{24, 5, 98, 1, 99}, {28, 7, 45, 3, 46}, {24, 15, 19, 2, 20}, {30, 3, 15, 13, 16}}},
    /* 17 */ {{{28, 1, 107, 5, 108}, {28, 10, 46, 1, 47}, {28, 1, 22, 15, 23}, {28, 2, 14, 17, 15}}},
    /* 18 */ {{{30, 5, 120, 1, 121}, {26, 9, 43, 4, 44}, {28, 17, 22, 1, 23}, {28, 2, 14, 19, 15}}},
    /* 19 */ {{{28, 3, 113, 4, 114}, {26, 3, 44, 11, 45}, {26, 17, 21, 4, 22}, {26, 9, 13, 16, 14}}},
    /* 20 */ {{{28, 3, 107, 5, 108}, {26, 3, 41, 13, 42}, {30, 15, 24, 5, 25}, {28, 15, 15, 10, 16}}},
    /* 21 */ {{{28, 4, 116, 4, 117}, {26, 17, 42, 0, 0}, {28, 17, 22, 6, 23}, {30, 19, 16, 6, 17}}},
    /* 22 */ {{{28, 2, 111, 7, 112}, {28, 17, 46, 0, 0}, {30, 7, 24, 16, 25}, {24, 34, 13, 0, 0}}},
    /* 23 */ {{{30, 4, 121, 5, 122}, {28, 4, 47, 14, 48}, {30, 11, 24, 14, 25}, {30, 16, 15, 14, 16}}},
    /* 24 */ {{{30, 6, 117, 4, 118}, {28, 6, 45, 14, 46}, {30, 11, 24, 16, 25}, {30, 30, 16, 2, 17}}},
    /* 25 */ {{{26, 8, 106, 4, 107}, {28, 8, 47, 13, 48}, {30, 7, 24, 22, 25}, {30, 22, 15, 13, 16}}},
    /* 26 */ {{{28, 10, 114, 2, 115}, {28, 19, 46, 4, 47}, {28, 28, 22, 6, 23}, {30, 33, 16, 4, 17}}},
    /* 27 */ {{{30, 8, 122, 4, 123}, {28, 22, 45, 3, 46}, {30, 8, 23, 26, 24}, {30, 12, 15, 28, 16}}},
    /* 28 */ {{{30, 3, 117, 10, 118}, {28, 3, 45, 23, 46}, {30, 4, 24, 31, 25}, {30, 11, 15, 31, 16}}},
    /* 29 */ {{{30, 7, 116, 7, 117}, {28, 21, 45, 7, 46}, {30, 1, 23, 37, 24}, {30, 19, 15, 26, 16}}},
    /* 30 */ {{{30, 5, 115, 10, 116}, {28, 19, 47, 10, 48}, {30, 15, 24, 25, 25}, {30, 23, 15, 25, 16}}},
    /* 31 */ {{{30, 13, 115, 3, 116}, {28, 2, 46, 29, 47}, {30, 42, 24, 1, 25}, {30, 23, 15, 28, 16}}},
    /* 32 */ {{{30, 17, 115, 0, 0}, {28, 10, 46, 23, 47}, {30, 10, 24, 35, 25}, {30, 19, 15, 35, 16}}},
    /* 33 */ {{{30, 17, 115, 1, 116}, {28, 14, 46, 21, 47}, {30, 29, 24, 19, 25}, {30, 11, 15, 46, 16}}},
    /* 34 */ {{{30, 13, 115, 6, 116}, {28, 14, 46, 23, 47}, {30, 44, 24, 7, 25}, {30, 59, 16, 1, 17}}},
    /* 35 */ {{{30, 12, 121, 7, 122}, {28, 12, 47, 26, 48}, {30, 39, 24, 14, 25}, {30, 22, 15, 41, 16}}},
    /* 36 */ {{{30, 6, 121, 14, 122}, {28, 6, 47, 34, 48}, {30, 46, 24, 10, 25}, {30, 2, 15, 64, 16}}},
    /* 37 */ {{{30, 17, 122, 4, 123}, {28, 29, 46, 14, 47}, {30, 49, 24, 10, 25}, {30, 24, 15, 46, 16}}},
    /* 38 */ {{{30, 4, 122, 18, 123}, {28, 13, 46, 32, 47}, {30, 48, 24, 14, 25}, {30, 42, 15, 32, 16}}},
    /* 39 */ {{{30, 20, 117, 4, 118}, {28, 40, 47, 7, 48}, {30, 43, 24, 22, 25}, {30, 10, 15, 67, 16}}},
    /* 40 */ {{{30, 19, 118, 6, 119}, {28, 18, 47, 31, 48}, {30, 34, 24, 34, 25}, {30, 20, 15, 61, 16}}},
}};
// clang-format on

constexpr QrVersion makeVersion(int number) {
    QrVersion version{number, {}, 0, 17 + 4 * number};
    const auto& row = kTable9[static_cast<std::size_t>(number - 1)];
    for (std::size_t level = 0; level < 4; ++level) {
        const Table9Entry& entry = row[level];
        version.levels[level] = {entry.ecPerBlock,
                                 {{{entry.blocks1, entry.data1}, {entry.blocks2, entry.data2}}}};
    }
    // The total is the same at every level; it is taken from L.
    for (const QrBlockGroup& group : version.levels[0].groups) {
        version.totalCodewords +=
            group.blocks * (group.dataCodewords + version.levels[0].ecPerBlock);
    }
    return version;
}

constexpr std::array<QrVersion, 40> makeVersions() {
    std::array<QrVersion, 40> versions{};
    for (int number = 1; number <= 40; ++number) {
        versions[static_cast<std::size_t>(number - 1)] = makeVersion(number);
    }
    return versions;
}

constexpr std::array<QrVersion, 40> kVersions = makeVersions();

// Every level of a version must add up to the same codeword capacity.
constexpr bool levelsAgree() {
    for (const QrVersion& version : kVersions) {
        for (const QrLevelBlocks& blocks : version.levels) {
            int total = 0;
            for (const QrBlockGroup& group : blocks.groups) {
                total += group.blocks * (group.dataCodewords + blocks.ecPerBlock);
            }
            if (total != version.totalCodewords) return false;
        }
    }
    return true;
}
static_assert(levelsAgree(), "Table 9: the levels of a version disagree on its capacity");
static_assert(kVersions[0].totalCodewords == 26 && kVersions[39].totalCodewords == 3706);

}  // namespace

int QrMode::countWidth(int version) const {
    if (version < 10) return countWidths[0];
    if (version >= 27) return countWidths[2];
    return countWidths[1];
}

bool QrMode::operator==(const QrMode& other) const {
    return std::strcmp(name, other.name) == 0;
}

const QrMode& numericMode() {
    return kModes[0];
}
const QrMode& alphanumericMode() {
    return kModes[1];
}
const QrMode& byteMode() {
    return kModes[2];
}

const std::array<QrLevel, 4>& qrLevels() {
    return kLevels;
}
const QrLevel& levelL() {
    return kLevels[0];
}
const QrLevel& levelM() {
    return kLevels[1];
}
const QrLevel& levelQ() {
    return kLevels[2];
}
const QrLevel& levelH() {
    return kLevels[3];
}

const QrVersion& 二维码类::取版本_通过版本号(int number) {
    if (number < 1 || number > 40) {
        failQr(kClassName, "取版本_通过版本号",
               "版本号不在0到40之间。当前版本号：" + std::to_string(number));
    }
    return kVersions[static_cast<std::size_t>(number - 1)];
}

void 二维码类::reset() {
    version = matrixWidth = maskPattern = -1;
    totalCodewords = dataCodewords = ecCodewords = blockCount = -1;
}

bool 二维码类::isValid() const {
    return version != -1 && matrixWidth != -1 && maskPattern != -1 && totalCodewords != -1 &&
           dataCodewords != -1 && ecCodewords != -1 && blockCount != -1;
}

}  // namespace brevaro::qr
