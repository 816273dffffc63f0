// Literals of every shape scripts/gbk-literals.py meets, compiled twice by
// the native build: as it stands with -fexec-charset=GB18030, and as the
// script rewrites it with UTF-8 as the execution character set
// (GbkLiteralsTest.cpp compares the two). GBK_LITERAL_SAMPLE names the copy.

#include <string>
#include <string_view>

namespace brevaro::fuzz::GBK_LITERAL_SAMPLE {

// A comment's "quotes", 'apostrophes' and 中文 are no literals.
std::string sample() {
    std::string out;
    out += "帖子地址:";                      // plain
    out += "\x41中" "\1中2" "\1234中";       // escapes before a character, digits after one
    out += "a\"中\"b\\文";                   // escaped quotes and backslashes around characters
    out += "#引号" "\u4E2D\U00006587";       // universal character names
    out += R"(原"始)";                      // a raw literal
    out += R"x(多
行)x";
    out += std::string_view("半角１０－５　");  // full-width forms and the ideographic space
    const int separated = 1'000'000;        // digit separators are no character literals
    out += std::to_string(separated);
    out += 'a';
    out += '\'';
    out += std::string(reinterpret_cast<const char*>(u8"中"));  // u8 stays UTF-8
    out += static_cast<char>(sizeof(L"中") + sizeof(u"中") + sizeof(U"中"));
    return out;
}

}  // namespace brevaro::fuzz::GBK_LITERAL_SAMPLE
