// A field is cut to its limit before it is copied out of the page, and the
// cut is the one the whole field would get: its first whole characters
// within the limit.

#include "monitor/FieldLimit.h"

#include <gtest/gtest.h>

#include <string>

#include "text/TextPieces.h"

namespace brevaro::monitor {
namespace {

// The cut of a whole, copied text: what every field got before it was cut in
// the page.
std::string cutWhole(std::string text, std::size_t limit) {
    text.resize(withinLimit(text, limit).size());
    return text;
}

TEST(FieldLimit, KeepsTheFirstWholeCharactersWithinTheLimit) {
    const struct {
        std::string field;
        std::size_t limit;
        std::string kept;
    } cases[] = {
        {"京东红包", 8, "京东红包"},
        {"京东红包", 7, "京东红"},
        {"ab京东", 3, "ab"},
        {"ab\xBE", 3, "ab\xBE"},  // within the limit a field stays whole, a lone lead byte too
        {"ab\xBE", 2, "ab"},
        {"abc", 0, ""},
        {"abc", kWholeFields, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kept);
        EXPECT_EQ(limitedField(c.field, c.limit), c.kept);
    }
}

// Removing a part, or putting a text in front, changes where the characters
// of the rest begin: the cut is that of the whole result, wherever the limit
// falls.
TEST(FieldLimit, ATitleWithoutAPartAndAJoinedLinkAreCutAsTheirWholeText) {
    const std::string part = "去下载";
    const std::string fields[] = {
        "京东红包",  "a去下载京东", "去下载去下载", "去下载", "ab去下载\xBE", "京去下载x京东去下载红包",
        "x去下载去", "\xBE" "a去下载b",
    };
    for (const std::string& field : fields) {
        for (std::size_t limit = 0; limit <= field.size() + 1; ++limit) {
            SCOPED_TRACE(field + " / " + std::to_string(limit));
            std::string deciding = decidingBytesWithout(field, part, limit);
            EXPECT_EQ(deciding.empty(), text::removeAll(field, part).empty());
            cutToLimit(deciding, limit);
            EXPECT_EQ(deciding, cutWhole(text::removeAll(field, part), limit));
            EXPECT_EQ(limitedJoin("http://a/京", field, limit), cutWhole("http://a/京" + field, limit));
            EXPECT_EQ(limitedJoin(field, "/x", limit), cutWhole(field + "/x", limit));
        }
    }
}

}  // namespace
}  // namespace brevaro::monitor
