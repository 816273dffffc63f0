#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/Board.h"
#include "monitor/Extraction.h"

namespace brevaro::monitor {
namespace {

std::string entry(const std::string& time, const std::string& id, const std::string& title) {
    return "<li><span>" + time + "</span><em class=\"go\"> <a href=\"https://lumaq.example/t/" + id +
           ".html\"title=\"" + title + "\">" + title + "</a></em></li>\r\n";
}

std::string section(const std::string& entries) {
    return "<h2>推荐活动区</h2>\r\n<ul>\r\n" + entries + "</ul>\r\n<h2>信用公开区</h2>\r\n";
}

TEST(LumaqRow, TakesTheFirstEntryOfEachSection) {
    const std::string page =
        "<html><body>\r\n" +
        section(entry("12-10 09:30", "1024", "招行刷卡礼") + entry("12-10 09:00", "1023", "第二条")) +
        section(entry("12-09 22:10", "1001", "工行 &amp; 农行")) + "</body></html>";
    const BoardSpec& lumaq = *boardForPage(8);
    const std::vector<ResultRow> rows = extractRows(lumaq, page);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].title, "招行刷卡礼");
    EXPECT_EQ(rows[0].postTime, "12-10 09:30");
    EXPECT_EQ(rows[0].link, "https://lumaq.example/t/1024.html");
    EXPECT_EQ(rows[1].title, "工行 &amp; 农行");
}

TEST(LumaqRow, RejectsSkippedTitlesAndMissingFields) {
    EXPECT_FALSE(extractLumaqRow(entry("12-10", "1", "关于违规行为的说明")));
    EXPECT_FALSE(extractLumaqRow(entry("", "1", "无时间")));
    EXPECT_FALSE(extractLumaqRow("<li><span>12-10</span> no entry</li>"));
    // A missing link is accepted.
    const auto row = extractLumaqRow("<li><span>12-10</span><a html\"title=\"无链接\">x</a></li>");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->title, "无链接");
    EXPECT_EQ(row->link, "");
}

TEST(LumaqRow, PageArrivesAsUtf8AndIsReadAsGbk) {
    const BoardSpec& lumaq = *boardForPage(8);
    const std::string utf8Page = "\xE6\x8E\xA8\xE8\x8D\x90\xE6\xB4\xBB\xE5\x8A\xA8\xE5\x8C\xBA"  // 推荐活动区
                                 "<li><span>1</span> <a html\"title=\"\xE4\xBA\xAC\">"          // 京
                                 "\xE4\xBF\xA1\xE7\x94\xA8\xE5\x85\xAC\xE5\xBC\x80\xE5\x8C\xBA";  // 信用公开区
    const std::string page = boardPageText(lumaq, utf8Page);
    const auto rows = extractRows(lumaq, page);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].title, "京");
}

}  // namespace
}  // namespace brevaro::monitor
