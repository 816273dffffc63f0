#include "app/boards/KeywordInput.h"

#include <gtest/gtest.h>

#include <string>

namespace brevaro::app {
namespace {

TEST(KeywordInput, LineBreaksAndTabsBecomeSeparatorsAndNothingElseChanges) {
    struct Case {
        const char* name;
        std::u16string typed;
        std::u16string kept;
    };
    const Case cases[] = {
        {"a list one per line (CR LF)", u"京东\r\n红包\r\n满减", u"京东*红包*满减"},
        {"CR alone and LF alone", u"a\rb\nc", u"a*b*c"},
        {"LF CR is two breaks", u"a\n\rb", u"a**b"},
        {"a tab", u"京东\t红包", u"京东*红包"},
        {"a blank line", u"a\r\n\r\nb", u"a**b"},
        {"a break at either end", u"\r\na\r\n", u"*a*"},
        {"spaces belong to the keywords", u" 京 东 ", u" 京 东 "},
        {"the separator itself", u"a*b", u"a*b"},
        {"nothing", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(breaksAsSeparators<char16_t>(c.typed), c.kept);
    }
}

TEST(KeywordInput, GbkTextKeepsItsCharacters) {
    EXPECT_EQ(breaksAsSeparators<char>("京东\r\n满减\t红包"), "京东*满减*红包");
}

}  // namespace
}  // namespace brevaro::app
