#include <gtest/gtest.h>

#include <string>

#include "BuildConstants.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"

namespace brevaro::monitor {
namespace {

const BoardSpec& articleBoard() { return *boardForPage(6); }

std::string siteUrl() { return std::string("https://") + build::kArticleHost + "/"; }

TEST(ArticleRow, ReducesTheTitleShapes) {
    struct Case {
        const char* name;
        std::string piece;
        std::string title;
        std::string time;
        std::string link;
    };
    const Case cases[] = {
        {"icon anchor",
         "\r\n<a target=\"_blank\" href=\"/qita/142503.html\"><i></i>QQ会员免费领</a>\r\n<span "
         ">03-18</span>\r\n",
         "QQ会员免费领", "03-18", siteUrl() + "/qita/142503.html"},
        {"download word removed, red time",
         "<a href=\"x.html\">\r\n<a ><i></i>新活动去下载</a><span class=\"red\" >10:05</span>",
         "新活动", "10:05", siteUrl() + "x.html"},
        {"coloured title after the icon",
         "<a target=\"_blank\" href=\"/a/1.html\"><i></i><font color='red'>标题</font></a><span >03-18</span>",
         "标题", "03-18", siteUrl() + "/a/1.html"},
        {"coloured title without the icon",
         "<a href=\"/a/2.html\"><font color='red'>红字</font></a><span >03-17</span>", "红字", "03-17",
         siteUrl() + "/a/2.html"},
        {"coloured with a hash colour",
         "<a href=\"/a/3.html\"><i></i><font color='#080808'>灰字</font></a><span >03-16</span>",
         "灰字", "03-16", siteUrl() + "/a/3.html"},
        {"absolute link kept as it is",
         "<a href=\"https://cdn.example/p.html\"><i></i>外链</a><span >03-15</span>", "外链", "03-15",
         "https://cdn.example/p.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto row = extractArticleRow(articleBoard(), c.piece);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->title, c.title);
        EXPECT_EQ(row->postTime, c.time);
        EXPECT_EQ(row->link, c.link);
        EXPECT_EQ(row->replies, "");
    }
}

TEST(ArticleRow, RejectsPiecesWithoutTitleTimeOrLink) {
    const std::string pieces[] = {
        "<a href=\"/\">首页</a>",                                      // navigation
        "<a href=\"/p/1.html\"><img src=\"1.jpg\"></a><span >03-18</span>",  // picture, no title
        "<a href=\"/p/2.html\"><i></i>无时间</a>",                           // no time
        "<a><i></i>无链接</a><span >03-18</span>",                         // no link
        "<em>1</em><a href=\"/p/3.html\" title=\"热门\">热门</a>",         // numbered hot list
    };
    for (const std::string& piece : pieces) {
        SCOPED_TRACE(piece);
        EXPECT_FALSE(extractArticleRow(articleBoard(), piece));
    }
}

}  // namespace
}  // namespace brevaro::monitor
