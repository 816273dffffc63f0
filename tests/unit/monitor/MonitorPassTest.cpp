// The monitor pass driven by scripted pages: a settings source that writes
// every read into a log and a sink that writes every action into the same
// log, so each pass is checked as the list of what it read and did, in order.

#include "monitor/MonitorPass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"
#include "text/Encoding.h"

namespace brevaro::monitor {
namespace {

using Log = std::vector<std::string>;

constexpr int kForumBoard = 1;    // 活动线报, a standard forum board
constexpr int kArticleBoard = 6;  // 爱Q生活网
constexpr int kLumaqBoard = 8;

struct Settings {
    std::string keywords;
    bool voice = false;
    bool popup = false;
    std::string stay = "10";
    std::string interval = "10";
};

class ScriptedSettings final : public BoardSettings {
public:
    ScriptedSettings(Settings settings, Log& log) : settings_(std::move(settings)), log_(log) {}

    std::string keywordText() override { return read("keywords", settings_.keywords); }
    bool voiceChecked() override { return read("voice", settings_.voice); }
    bool popupChecked() override { return read("popup", settings_.popup); }
    std::string popupStayText() override { return read("stay", settings_.stay); }
    std::string intervalText() override { return read("interval", settings_.interval); }

private:
    template <typename T>
    T read(const char* what, const T& value) {
        log_.push_back(std::string("read ") + what);
        return value;
    }

    Settings settings_;
    Log& log_;
};

class RecordingActions final : public PassActions {
public:
    explicit RecordingActions(Log& log) : log_(log) {}

    void appendShownRow(const SharedRow& row) override {
        log_.push_back("append " + row->title);
        appended.push_back(*row);
    }
    void rebuildShownRows(const BoardRows& rows) override {
        std::string line = "rebuild ";
        for (const SharedRow& row : rows) line += row->title + (&row == &rows.back() ? "" : ",");
        log_.push_back(line);
    }
    void playVoiceAlert() override { log_.push_back("voice"); }
    void ensureCompanionProgram() override { log_.push_back("companion"); }
    void launchPopupAlert(const alerts::AlertRequest& alert) override {
        log_.push_back("popup " + alert.link + "|" + alert.title + "|" + alert.postTime + "|" +
                       alert.keyword + "|" + alert.staySeconds);
    }

    std::vector<ResultRow> appended;

private:
    Log& log_;
};

// A post as a board's page lists it. The link defaults to "http://t/" + title
// + ".html" (the Lumaq markup finds the title after the link's "html").
struct Post {
    std::string title;
    std::string link;
    std::string time = "12-10";
};

std::string linkOf(const Post& post) {
    return post.link.empty() ? "http://t/" + post.title + ".html" : post.link;
}

// A list page of the board on the given page, in the markup its profile cuts:
// forum table rows (with the trade word or task type the board needs), article
// <li> entries, or Lumaq sections (served as UTF-8).
std::string pageOf(int boardPage, const std::vector<Post>& posts) {
    const BoardSpec& board = *boardForPage(boardPage);
    std::string page = "<html><body>\r\n";
    for (const Post& post : posts) {
        const std::string link = linkOf(post);
        switch (board.profile) {
            case BoardProfile::ForumStandard:
            case BoardProfile::ForumTrade:
            case BoardProfile::ForumTask: {
                std::string extra;
                if (board.profile == BoardProfile::ForumTrade) extra = board.tradeWords.first;
                if (board.profile == BoardProfile::ForumTask) extra = "其他任务";
                page += "<tr><td class=\"icn\"><a href=\"" + link + "\" title=\"new\"></a></td>"
                        "<th><a href=\"" + link + "\"  class=\"s xst\" target=\"_blank\">" +
                        post.title + "</a></th><td class=\"by\"><em><span>" + post.time +
                        "</span></em></td><td>" + extra + "</td></tr>\r\n";
                break;
            }
            case BoardProfile::ArticleSite:
                page += "<li><a target=\"_blank\" href=\"" + link + "\"><i></i>" + post.title +
                        "</a><span >" + post.time + "</span></li>\r\n";
                break;
            case BoardProfile::LumaqSite:
                page += "<h2>推荐活动区</h2><ul><li><span>" + post.time +
                        "</span><em class=\"go\"> <a href=\"" + link + "\"title=\"" + post.title +
                        "\">" + post.title + "</a></em></li></ul><h2>信用公开区</h2>\r\n";
                break;
        }
    }
    page += "</body></html>\r\n";
    return board.pageEncoding == PageEncoding::Utf8 ? text::gbkToUtf8(page) : page;
}

std::string forumPage(const std::vector<Post>& posts) { return pageOf(kForumBoard, posts); }

Log concat(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What a later pass reads and does for a new row that matches with both alert
// boxes on and keywords given.
Log alertedRow(const std::string& title, const std::string& keyword, const std::string& shown,
               const std::string& stay = "10") {
    return {"read keywords",
            "read voice",
            "voice",
            "read popup",
            "companion",
            "read stay",
            "popup http://t/" + title + ".html|" + title + "|12-10|" + keyword + "|" + stay,
            "rebuild " + shown};
}

struct ScriptedPass {
    std::string body;
    Settings settings;
    Log expected;
};

struct Scenario {
    const char* name;
    std::vector<ScriptedPass> passes;
    std::vector<std::string> boardRows;  // titles of the stored rows afterwards
};

std::vector<std::string> titlesOf(const BoardRows& rows) {
    std::vector<std::string> titles;
    for (const SharedRow& row : rows) titles.push_back(row->title);
    return titles;
}

std::vector<ResultRow> rowsOf(const BoardRows& rows) {
    std::vector<ResultRow> values;
    for (const SharedRow& row : rows) values.push_back(*row);
    return values;
}

void play(const Scenario& scenario, int boardPage = kForumBoard) {
    SCOPED_TRACE(scenario.name);
    MonitorRun run(*boardForPage(boardPage));
    for (std::size_t i = 0; i < scenario.passes.size(); ++i) {
        SCOPED_TRACE("pass " + std::to_string(i + 1));
        const ScriptedPass& pass = scenario.passes[i];
        Log log;
        ScriptedSettings settings(pass.settings, log);
        RecordingActions actions(log);
        run.runPass(pass.body, settings, actions);
        EXPECT_EQ(log, pass.expected);
    }
    EXPECT_EQ(titlesOf(run.boardRows()), scenario.boardRows);
}

const Settings kQuiet{};
const Settings kVoiceOnly{.voice = true};
const Settings kBothBoxes{.keywords = "京东", .voice = true, .popup = true};

TEST(MonitorPass, BaselineShowsWithoutAlertsAndLaterRowsGoOnTop) {
    const Scenario scenarios[] = {
        {"baseline A B C, then D on top; empty keywords never alert",
         {{forumPage({{"A"}, {"B"}, {"C"}}),
           kVoiceOnly,
           {"read keywords", "append A", "read keywords", "append B", "read keywords", "append C",
            "read interval"}},
          {forumPage({{"D"}, {"A"}, {"B"}, {"C"}}),
           kVoiceOnly,
           {"read keywords", "read voice", "read popup", "rebuild D,A,B,C", "read interval"}}},
         {"D", "A", "B", "C"}},
        {"baseline rows that do not match are stored, shown at the first rebuild",
         {{forumPage({{"京东A"}, {"淘宝B"}, {"京东C"}}),
           {.keywords = "京东"},
           {"read keywords", "append 京东A", "read keywords", "read keywords", "append 京东C",
            "read interval"}},
          {forumPage({{"京东D"}, {"京东A"}}),
           {.keywords = "京东"},
           {"read keywords", "read voice", "read popup", "rebuild 京东D,京东A,淘宝B,京东C",
            "read interval"}}},
         {"京东D", "京东A", "淘宝B", "京东C"}},
        {"three new matching rows: three alerts, three rebuilds, reverse page order in front",
         {{forumPage({{"京东0"}}), kBothBoxes, {"read keywords", "append 京东0", "read interval"}},
          {forumPage({{"京东1"}, {"京东2"}, {"京东3"}, {"京东0"}}),
           {.keywords = "京东", .voice = true, .popup = true, .stay = "２０"},
           concat({alertedRow("京东1", "京东", "京东1,京东0", "２０"),
                   alertedRow("京东2", "京东", "京东2,京东1,京东0", "２０"),
                   alertedRow("京东3", "京东", "京东3,京东2,京东1,京东0", "２０"),
                   {"read interval"}})}},
         {"京东3", "京东2", "京东1", "京东0"}},
        {"a title on the same page twice is one row",
         {{forumPage({{"A"}, {"A", "http://t/other"}}), kQuiet,
           {"read keywords", "append A", "read interval"}}},
         {"A"}},
    };
    for (const Scenario& scenario : scenarios) play(scenario);
}

TEST(MonitorPass, KeywordsDecideWhatIsShownAndAlerted) {
    const Scenario scenarios[] = {
        {"first keyword in order is the matched one",
         {{forumPage({{"旧帖"}}), {.keywords = "红包*京东"}, {"read keywords", "read interval"}},
          {forumPage({{"抢京东券"}, {"京东红包"}, {"淘宝优惠"}, {"旧帖"}}),
           {.keywords = "红包*京东", .voice = true, .popup = true},
           concat({alertedRow("抢京东券", "京东", "抢京东券,旧帖"),
                   alertedRow("京东红包", "红包", "京东红包,抢京东券,旧帖"),
                   {"read keywords", "read interval"}})}},
         {"淘宝优惠", "京东红包", "抢京东券", "旧帖"}},
        {"a text of separators only matches nothing",
         {{forumPage({{"A"}}), {.keywords = "***", .voice = true, .popup = true},
           {"read keywords", "read interval"}},
          {forumPage({{"B"}, {"A"}}), {.keywords = "***", .voice = true, .popup = true},
           {"read keywords", "read interval"}}},
         {"B", "A"}},
        {"a leading space belongs to the keyword",
         {{forumPage({{"旧帖"}}), {.keywords = " 京东"}, {"read keywords", "read interval"}},
          {forumPage({{"抢京东券"}, {"抢 京东券"}}),
           {.keywords = " 京东", .voice = true, .popup = true},
           concat({{"read keywords"}, alertedRow("抢 京东券", " 京东", "抢 京东券,抢京东券,旧帖"),
                   {"read interval"}})}},
         {"抢 京东券", "抢京东券", "旧帖"}},
    };
    for (const Scenario& scenario : scenarios) play(scenario);
}

TEST(MonitorPass, ARowSeenOnceIsNeverNewAgain) {
    play({"reappearing after dropping off, with another link and time",
          {{forumPage({{"A"}, {"B"}}), kQuiet,
            {"read keywords", "append A", "read keywords", "append B", "read interval"}},
           {forumPage({{"C"}, {"A"}}), kQuiet,
            {"read keywords", "read voice", "read popup", "rebuild C,A,B", "read interval"}},
           {forumPage({{"D"}}), kQuiet,
            {"read keywords", "read voice", "read popup", "rebuild D,C,A,B", "read interval"}},
           {forumPage({{"A", "http://t/moved", "12-11"}, {"D"}, {"B", "http://t/b2", "09:00"}}),
            kBothBoxes, {"read interval"}}},
          {"D", "C", "A", "B"}});
}

TEST(MonitorPass, StoredRowsKeepTheLinkAndTimeTheyCameWith) {
    const BoardSpec& board = *boardForPage(kForumBoard);
    MonitorRun run(board);
    Log log;
    ScriptedSettings settings(kQuiet, log);
    RecordingActions actions(log);
    run.runPass(forumPage({{"A", "http://t/first", "12-09"}}), settings, actions);
    run.runPass(forumPage({{"A", "http://t/second", "12-10"}}), settings, actions);
    ASSERT_EQ(run.boardRows().size(), 1u);
    EXPECT_EQ(run.boardRows()[0]->link, "http://t/first");
    EXPECT_EQ(run.boardRows()[0]->postTime, "12-09");
}

// The article site links its posts by path: a run that polls another list
// (a test server, the tool's --url) puts its own URL in front, not the
// site's.
TEST(MonitorPass, ArticleLinksGoBehindTheUrlTheRunFetches) {
    const BoardSpec& board = *boardForPage(6);
    struct Case {
        const char* name;
        std::string listUrl;
        std::string link;
    };
    const Case cases[] = {
        {"the board's own", "", boardUrl(board) + "/qita/1.html"},
        {"another list", "http://127.0.0.1:8080/", "http://127.0.0.1:8080//qita/1.html"},
        {"a list page by name", "http://127.0.0.1:8080/list.html", "http://127.0.0.1:8080/list.html/qita/1.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorRun run(board, {}, c.listUrl);
        Log log;
        ScriptedSettings settings(kQuiet, log);
        RecordingActions actions(log);
        run.runPass(pageOf(6, {{"A", "/qita/1.html"}}), settings, actions);
        ASSERT_EQ(run.boardRows().size(), 1u);
        EXPECT_EQ(run.boardRows()[0]->link, c.link);
    }
}

// Which alerts one new row of a later pass raises.
TEST(MonitorPass, AlertGates) {
    struct Case {
        const char* name;
        int board;
        Settings settings;
        Log expected;  // the new row's part of the pass
    };
    const Log sounded = {"read keywords", "read voice", "voice", "read popup", "rebuild N,O"};
    const Log silent = {"read keywords", "read voice", "read popup", "rebuild N,O"};
    const Case cases[] = {
        {"both boxes off", kForumBoard, {.keywords = "N"}, silent},
        {"voice without keywords", kForumBoard, kVoiceOnly, silent},
        {"voice with keywords", kForumBoard, {.keywords = "N", .voice = true}, sounded},
        {"popup without keywords: companion only",
         kForumBoard,
         {.popup = true},
         {"read keywords", "read voice", "read popup", "companion", "rebuild N,O"}},
        {"popup with keywords",
         kForumBoard,
         {.keywords = "N", .popup = true, .stay = "abc"},
         {"read keywords", "read voice", "read popup", "companion", "read stay",
          "popup http://t/N.html|N|12-10|N|abc", "rebuild N,O"}},
        {"no match: nothing read after the keywords",
         kForumBoard,
         {.keywords = "X", .voice = true, .popup = true},
         {"read keywords"}},
        {"article site sounds without keywords", kArticleBoard, kVoiceOnly, sounded},
        {"article site, both boxes, no keywords: sound and companion, no popup",
         kArticleBoard,
         {.voice = true, .popup = true},
         {"read keywords", "read voice", "voice", "read popup", "companion", "rebuild N,O"}},
        {"article site still needs the keyword to match",
         kArticleBoard,
         {.keywords = "X", .voice = true},
         {"read keywords"}},
        {"Lumaq needs keywords for the sound", kLumaqBoard, kVoiceOnly, silent},
    };
    for (const Case& c : cases) {
        play({c.name,
              {{pageOf(c.board, {{"O"}}), kQuiet, {"read keywords", "append O", "read interval"}},
               {pageOf(c.board, {{"N"}, {"O"}}), c.settings,
                concat({c.expected, {"read interval"}})}},
              {"N", "O"}},
             c.board);
    }
}

// Every board with an empty keyword box and the voice box on: only the
// article site sounds.
TEST(MonitorPass, EmptyKeywordsSoundOnTheArticleSiteOnly) {
    for (const BoardSpec& board : boardCatalogue()) {
        const bool sounds = board.profile == BoardProfile::ArticleSite;
        Log newRow = {"read keywords", "read voice", "read popup", "rebuild N,O", "read interval"};
        if (sounds) newRow.insert(newRow.begin() + 2, "voice");
        play({board.path.data(),
              {{pageOf(board.pageIndex, {{"O"}}), kVoiceOnly,
                {"read keywords", "append O", "read interval"}},
               {pageOf(board.pageIndex, {{"N"}, {"O"}}), kVoiceOnly, newRow}},
              {"N", "O"}},
             board.pageIndex);
    }
}

// The baseline is the first page that yields a row: failed or empty fetches
// before it change nothing, and the first real page never alerts.
TEST(MonitorPass, BaselineWaitsForAPageWithRows) {
    const std::string notice =
        "<tr><th><a href=\"x\"  class=\"s xst\" target=\"_blank\">关于违规行为的处理公告</a></th>"
        "<td><em><span>12-10</span></em></td></tr>";
    const Scenario scenario{
        "failed, empty and rowless pages, then the baseline, then a failure again",
        {{"", kBothBoxes, {"read interval"}},
         {"<html>offline</html>", kBothBoxes, {"read interval"}},
         {notice, kBothBoxes, {"read interval"}},
         {forumPage({{"京东A"}, {"京东B"}}), kBothBoxes,
          {"read keywords", "append 京东A", "read keywords", "append 京东B", "read interval"}},
         {"", kBothBoxes, {"read interval"}},
         {forumPage({{"京东C"}, {"京东A"}}), kBothBoxes,
          concat({alertedRow("京东C", "京东", "京东C,京东A,京东B"), {"read interval"}})}},
        {"京东C", "京东A", "京东B"}};
    play(scenario);

    MonitorRun run(*boardForPage(kForumBoard));
    Log log;
    ScriptedSettings settings(kQuiet, log);
    RecordingActions actions(log);
    run.runPass("", settings, actions);
    run.runPass(notice, settings, actions);
    EXPECT_EQ(run.passCount(), 2);
    EXPECT_FALSE(run.baselineTaken());
    run.runPass(forumPage({{"A"}}), settings, actions);
    EXPECT_EQ(run.passCount(), 3);
    EXPECT_TRUE(run.baselineTaken());
}

TEST(MonitorPass, IntervalTextGivesTheWaitInMilliseconds) {
    struct Case {
        std::string interval;
        long long wait;
    };
    const Case cases[] = {
        {"10", 10000},     {"abc", 0},  {"１０", 10000},       {"10秒", 10000},
        {"-5", 0},         {"0", 0},    {"", 0},               {" 7", 7000},
        {"－３", 0},       {"+2", 2000}, {"2147483647", 2147483647000LL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        for (const std::string& body : {std::string(), forumPage({{"A"}})}) {
            MonitorRun run(*boardForPage(kForumBoard));
            Log log;
            ScriptedSettings settings({.interval = c.interval}, log);
            RecordingActions actions(log);
            EXPECT_EQ(run.runPass(body, settings, actions), c.wait);
            EXPECT_EQ(log.back(), "read interval");
        }
    }
}

// A stop ends the pass before the next piece of the page (or before the
// interval read): nothing more is read or done, and the wait is 0.
TEST(MonitorPass, StopEndsThePassBeforeTheNextPiece) {
    const Log a = alertedRow("京东A", "京东", "京东A,京东0");
    const Log b = alertedRow("京东B", "京东", "京东B,京东A,京东0");
    const Log c = alertedRow("京东C", "京东", "京东C,京东B,京东A,京东0");
    struct Case {
        int stopAtQuestion;  // the stop answers true from this question on; 0: never
        Log expected;
        long long wait;
        std::vector<std::string> boardRows;
    };
    const Case cases[] = {
        {1, {}, 0, {"京东0"}},
        {2, a, 0, {"京东A", "京东0"}},
        {3, concat({a, b}), 0, {"京东B", "京东A", "京东0"}},
        {4, concat({a, b}), 0, {"京东B", "京东A", "京东0"}},  // before the row after the header
        {5, concat({a, b, c}), 0, {"京东C", "京东B", "京东A", "京东0"}},
        {6, concat({a, b, c}), 0, {"京东C", "京东B", "京东A", "京东0"}},
        {0, concat({a, b, c, {"read interval"}}), 10000, {"京东C", "京东B", "京东A", "京东0"}},
    };
    // Asked before each of the five pieces (the header piece that yields no
    // row and the old row too) and once after the last, before the interval.
    const std::string page = forumPage({{"京东A"}, {"京东B"}}) + "<tr>header</tr>" +
                             forumPage({{"京东C"}, {"京东0"}});
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stopAtQuestion);
        MonitorRun run(*boardForPage(kForumBoard));
        Log log;
        RecordingActions actions(log);
        ScriptedSettings baselineSettings(kBothBoxes, log);
        run.runPass(forumPage({{"京东0"}}), baselineSettings, actions);
        log.clear();

        ScriptedSettings settings(kBothBoxes, log);
        int questions = 0;
        const auto stop = [&] { return ++questions >= k.stopAtQuestion && k.stopAtQuestion > 0; };
        EXPECT_EQ(run.runPass(page, settings, actions, stop), k.wait);
        EXPECT_EQ(log, k.expected);
        EXPECT_EQ(titlesOf(run.boardRows()), k.boardRows);
        EXPECT_EQ(questions, k.stopAtQuestion == 0 ? 6 : k.stopAtQuestion);
    }
}

// A page of thousands of new matching rows raises the alerts of the first
// five only (three rows still raise three of each); every row is stored and
// the list is rebuilt for each.
TEST(MonitorPass, AlertsOfOnePassAreBounded) {
    struct Case {
        int newRows;
        int board;
        Settings settings;
        long sounds, popups;
    };
    const Case cases[] = {
        {3, kForumBoard, kBothBoxes, 3, 3},
        {5, kForumBoard, kBothBoxes, 5, 5},
        {999, kForumBoard, kBothBoxes, 5, 5},  // with the old row, a page of as many rows as a pass takes
        {999, kArticleBoard, kVoiceOnly, 5, 0},  // the article site sounds without keywords
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newRows);
        MonitorRun run(*boardForPage(c.board));
        Log log;
        RecordingActions actions(log);
        ScriptedSettings settings(c.settings, log);
        run.runPass(pageOf(c.board, {{"京东0"}}), settings, actions);
        std::vector<Post> posts;
        for (int i = 1; i <= c.newRows; ++i) posts.push_back({"京东" + std::to_string(i)});
        log.clear();
        run.runPass(pageOf(c.board, posts), settings, actions);
        const auto count = [&log](const std::string& prefix) {
            return std::count_if(log.begin(), log.end(),
                                 [&](const std::string& line) { return line.starts_with(prefix); });
        };
        EXPECT_EQ(count("voice"), c.sounds);
        EXPECT_EQ(count("popup "), c.popups);
        EXPECT_EQ(count("rebuild "), c.newRows);
        EXPECT_EQ(run.boardRows().size(), static_cast<std::size_t>(c.newRows) + 1);
    }
}

std::vector<Post> postsNamed(const std::string& prefix, int count) {
    std::vector<Post> posts;
    for (int i = 1; i <= count; ++i) posts.push_back({prefix + std::to_string(i)});
    return posts;
}

// Passes in quick succession (interval 0) with fresh matching rows on every
// page: the board raises at most ten popups and ten sounds in any minute,
// across its runs (one budget for the board), and counts the matching rows
// shown without an alert; a minute later the budget is whole again.
TEST(MonitorPass, AlertsOfABoardAreBoundedPerMinute) {
    AlertBudget::Clock::time_point now{};
    auto budget = std::make_shared<AlertBudget>([&now] { return now; });
    const auto countIn = [](const Log& log, const std::string& prefix) {
        return std::count_if(log.begin(), log.end(), [&](const std::string& line) { return line.starts_with(prefix); });
    };
    struct Step {
        const char* what;
        int passes;          // of 3 new matching rows each, 1 s apart
        bool newRun;         // a stop and a start before them
        long sounds, popups; // raised by these passes
        std::size_t held;    // matching rows shown without an alert in the last minute, after them
    };
    const Step steps[] = {
        {"three passes: nine alerts of each", 3, false, 9, 9, 0},
        {"the tenth, then the bound", 2, false, 1, 1, 5},
        {"a new run of the board has no new minute", 1, true, 0, 0, 8},
    };
    std::unique_ptr<MonitorRun> run;
    int batch = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (!run || step.newRun) {
            run = std::make_unique<MonitorRun>(*boardForPage(kForumBoard), RunLimits{}, std::string(), budget);
            Log baseline;
            ScriptedSettings settings(kBothBoxes, baseline);
            RecordingActions actions(baseline);
            run->runPass(forumPage({{"京东0-" + std::to_string(batch)}}), settings, actions);
        }
        Log log;
        ScriptedSettings settings(kBothBoxes, log);
        RecordingActions actions(log);
        for (int pass = 0; pass < step.passes; ++pass) {
            now += std::chrono::seconds(1);
            run->runPass(forumPage(postsNamed("京东" + std::to_string(++batch) + "-", 3)), settings, actions);
        }
        EXPECT_EQ(countIn(log, "voice"), step.sounds);
        EXPECT_EQ(countIn(log, "popup "), step.popups);
        EXPECT_EQ(countIn(log, "rebuild "), 3 * step.passes) << "every new row is shown";
        EXPECT_EQ(run->alertsHeldLastMinute(), step.held);
    }
    now += std::chrono::seconds(61);
    EXPECT_EQ(run->alertsHeldLastMinute(), 0u);
    Log log;
    ScriptedSettings settings(kBothBoxes, log);
    RecordingActions actions(log);
    run->runPass(forumPage(postsNamed("京东late-", 3)), settings, actions);
    EXPECT_EQ(countIn(log, "voice"), 3);
    EXPECT_EQ(countIn(log, "popup "), 3);
}

// What one run keeps is bounded whatever the pages hold: the rows taken from
// a page, the bytes of a field, and the rows and titles kept (the oldest go
// first). Small limits stand for the real ones.
TEST(MonitorRunLimits, APassTakesAtMostItsRowsAndTheWaitIsStillRead) {
    const RunLimits limits{.rowsPerPage = 3};
    MonitorRun run(*boardForPage(kForumBoard), limits);
    Log log;
    RecordingActions actions(log);
    ScriptedSettings settings({.interval = "7"}, log);
    EXPECT_EQ(run.runPass(forumPage(postsNamed("a", 5)), settings, actions), 7000);
    EXPECT_EQ(titlesOf(run.boardRows()), (std::vector<std::string>{"a1", "a2", "a3"}));
    // Old rows count: the first three rows of the page are all a pass reads.
    std::vector<Post> later = {{"a1"}, {"a2"}, {"a3"}, {"b1"}};
    EXPECT_EQ(run.runPass(forumPage(later), settings, actions), 7000);
    EXPECT_EQ(run.boardRows().size(), 3u);
    EXPECT_EQ(run.runPass(forumPage(postsNamed("c", 5)), settings, actions), 7000);
    EXPECT_EQ(titlesOf(run.boardRows()), (std::vector<std::string>{"c3", "c2", "c1", "a1", "a2", "a3"}));
}

// What a pass gave, kept for the board's status line: the rows of its page
// (new or not, at most the page's limit) and, on the forum boards, whether
// the page held the forum's quick-login form (a guest's view).
TEST(MonitorPass, WhatThePageGaveIsKeptForTheStatus) {
    const std::string quickLogin =
        "<tr><td><a href=\"javascript:;\" onclick=\"showWindow('login', "
        "'member.php?mod=logging&action=login&viewlostpw=1')\">找回密码</a></td></tr>\r\n";
    struct Case {
        const char* name;
        int board;
        std::vector<std::string> pages;  // the run's passes; the last one is checked
        std::size_t rows;
        bool quickLogin;
    };
    const std::string withForm = forumPage({{"a1"}, {"a2"}}) + quickLogin;
    const std::vector<Case> cases = {
        {"rows", kForumBoard, {forumPage(postsNamed("a", 3))}, 3, false},
        {"rows seen before count", kForumBoard, {forumPage(postsNamed("a", 3)), forumPage(postsNamed("a", 2))}, 2,
         false},
        {"no markers", kForumBoard, {"<html>maintenance</html>"}, 0, false},
        {"failed fetch", kForumBoard, {forumPage(postsNamed("a", 3)), ""}, 0, false},
        {"guest page with rows", kForumBoard, {withForm}, 2, true},
        {"guest page alone", kForumBoard, {quickLogin}, 0, true},
        {"after a guest page", kForumBoard, {withForm, forumPage(postsNamed("a", 2))}, 2, false},
        {"past the page's limit", kForumBoard, {forumPage(postsNamed("a", 8))}, 5, false},
        {"the form's link on the article site", kArticleBoard, {pageOf(kArticleBoard, {{"x"}}) + quickLogin}, 1,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorRun run(*boardForPage(c.board), RunLimits{.rowsPerPage = 5});
        Log log;
        RecordingActions actions(log);
        ScriptedSettings settings({}, log);
        for (const std::string& page : c.pages) run.runPass(page, settings, actions);
        EXPECT_EQ(run.lastPassRows(), c.rows);
        EXPECT_EQ(run.lastPassShowedQuickLogin(), c.quickLogin);
    }
}

TEST(MonitorRunLimits, AFieldKeepsItsFirstWholeCharactersWithinTheLimit) {
    struct Case {
        std::string title;
        std::size_t limit;
        std::string kept;
    };
    const Case cases[] = {
        {"京东红包", 8, "京东红包"},
        {"京东红包", 7, "京东红"},  // a character is never cut in two
        {"ab京东", 3, "ab"},
        {"ab京东", 4, "ab京"},
        {std::string(5000, 'x'), 1024, std::string(1024, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kept);
        MonitorRun run(*boardForPage(kForumBoard), RunLimits{.fieldBytes = c.limit});
        Log log;
        RecordingActions actions(log);
        ScriptedSettings settings({}, log);
        run.runPass(forumPage({{c.title, "http://t/" + std::string(c.limit * 2, 'l')}}), settings, actions);
        ASSERT_EQ(run.boardRows().size(), 1u);
        EXPECT_EQ(run.boardRows()[0]->title, c.kept);
        EXPECT_LE(run.boardRows()[0]->link.size(), c.limit);
        EXPECT_EQ(run.boardRows()[0]->postTime, std::string("12-10").substr(0, c.limit));
    }
}

TEST(MonitorRunLimits, TheOldestRowsGoFirstAndTheListShowsWhatIsKept) {
    struct Case {
        const char* name;
        RunLimits limits;
        std::vector<std::string> kept;
    };
    // Rows of these pages are 23 bytes each: title, link and time.
    const Case cases[] = {
        {"by rows", {.storedRows = 4}, {"n3", "n2", "n1", "b1"}},
        {"by bytes", {.storedRowBytes = 4 * 23}, {"n3", "n2", "n1", "b1"}},
        {"within both", {}, {"n3", "n2", "n1", "b1", "b2", "b3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorRun run(*boardForPage(kForumBoard), c.limits);
        Log log;
        RecordingActions actions(log);
        ScriptedSettings settings({}, log);
        run.runPass(forumPage(postsNamed("b", 3)), settings, actions);
        log.clear();
        run.runPass(forumPage(postsNamed("n", 3)), settings, actions);
        EXPECT_EQ(titlesOf(run.boardRows()), c.kept);
        std::string shown = "rebuild ";
        for (std::size_t i = 0; i < c.kept.size(); ++i) shown += (i ? "," : "") + c.kept[i];
        EXPECT_EQ(*std::find_if(log.rbegin(), log.rend(),
                                [](const std::string& line) { return line.starts_with("rebuild "); }),
                  shown);
    }
}

TEST(MonitorRunLimits, SeenTitlesForgetTheEarliestAndKeepEveryStoredRowsTitle) {
    SeenTitles seen(3, 100);
    for (const char* title : {"a", "b", "c", "d"}) EXPECT_TRUE(seen.remember(title));
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_FALSE(seen.contains("a"));
    EXPECT_TRUE(seen.contains("b"));
    EXPECT_TRUE(seen.remember("a")) << "a forgotten title is new again";

    SeenTitles byBytes(100, 6);
    for (const char* title : {"aaa", "bbb", "ccc"}) byBytes.remember(title);
    EXPECT_EQ(byBytes.bytes(), 6u);
    EXPECT_FALSE(byBytes.contains("aaa"));

    // With the real proportions (titles kept: twice the rows, half as many
    // bytes again), a run at its limits still knows every row it shows.
    const RunLimits limits{.rowsPerPage = 10, .storedRows = 20, .storedRowBytes = 2000,
                           .seenTitles = 40, .seenTitleBytes = 3000};
    MonitorRun run(*boardForPage(kForumBoard), limits);
    Log log;
    RecordingActions actions(log);
    ScriptedSettings settings({}, log);
    for (int pass = 0; pass < 30; ++pass) {
        run.runPass(forumPage(postsNamed("p" + std::to_string(pass) + "-", 10)), settings, actions);
    }
    EXPECT_EQ(run.boardRows().size(), 20u);
    EXPECT_LE(run.seenTitles().size(), 40u);
    for (const SharedRow& row : run.boardRows()) EXPECT_TRUE(run.seenTitles().contains(row->title)) << row->title;
}

TEST(MonitorPass, LumaqPageIsReadAsGbk) {
    MonitorRun run(*boardForPage(kLumaqBoard));
    Log log;
    ScriptedSettings settings({.keywords = "京东", .popup = true}, log);
    RecordingActions actions(log);
    const std::string gbkTitle = "京东PLUS会员";
    const std::string utf8Page = text::gbkToUtf8(
        "<h2>推荐活动区</h2><ul><li><span>12-10 09:30</span><em class=\"go\"> "
        "<a href=\"https://q/1.html\"title=\"" + gbkTitle + "\">x</a></em></li></ul>信用公开区");
    run.runPass("", settings, actions);
    run.runPass(utf8Page, settings, actions);
    EXPECT_EQ(log, (Log{"read interval", "read keywords", "append 京东PLUS会员", "read interval"}));
    ASSERT_EQ(actions.appended.size(), 1u);
    EXPECT_EQ(actions.appended[0].link, "https://q/1.html");
    EXPECT_EQ(actions.appended[0].postTime, "12-10 09:30");
    EXPECT_EQ(run.matchedKeyword(), "京东");
}

// Every board's sample page: the baseline shows each accepted row whole, in
// page order; the same page again is old news.
TEST(MonitorPass, SamplePagesMakeTheBaselineAndThenNothing) {
    for (const test::BoardSample& sample : test::kBoardSamples) {
        SCOPED_TRACE(sample.file);
        const BoardSpec& board = *boardForPage(sample.page);
        const auto body =
            test::readBytes(test::fixturePath("boards/" + std::string(sample.file) + ".html"));
        ASSERT_TRUE(body);
        const std::vector<ResultRow> rows = extractRows(board, boardPageText(board, *body));
        ASSERT_FALSE(rows.empty());

        MonitorRun run(board);
        Log log;
        ScriptedSettings settings({.voice = true, .popup = true}, log);
        RecordingActions actions(log);
        run.runPass(*body, settings, actions);
        EXPECT_EQ(actions.appended, rows);
        EXPECT_EQ(rowsOf(run.boardRows()), rows);
        EXPECT_EQ(run.seenTitles().size(), rows.size());

        log.clear();
        run.runPass(*body, settings, actions);
        EXPECT_EQ(log, Log{"read interval"});
    }
}

TEST(SeenTitles, TitlesAreTheSameOnlyWhenByteEqual) {
    SeenTitles seen;
    const struct {
        std::string title;
        bool isNew;
    } steps[] = {
        {"京东红包", true}, {"京东红包", false}, {"京东红包 ", true}, {"IPHONE", true},
        {"iphone", true},  {"京东", true},      {"IPHONE", false},   {"京东红包", false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.title);
        EXPECT_EQ(seen.remember(step.title), step.isNew);
        EXPECT_TRUE(seen.contains(step.title));
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_FALSE(seen.contains("京"));
}

// The index views the remembered strings: growing the list and moving the
// whole must leave every view valid (short titles live inside the string
// object, long ones on the heap).
TEST(SeenTitles, IndexHoldsThroughGrowthAndMove) {
    SeenTitles seen;
    std::vector<std::string> titles;
    for (int i = 0; i < 20000; ++i) {
        titles.push_back(i % 2 ? std::to_string(i)
                               : "京东PLUS会员领取满199减100优惠券 第" + std::to_string(i) + "期");
        ASSERT_TRUE(seen.remember(titles.back()));
    }
    SeenTitles moved = std::move(seen);
    for (const std::string& title : titles) EXPECT_FALSE(moved.remember(title));
    EXPECT_EQ(moved.size(), titles.size());
    EXPECT_TRUE(moved.remember("new"));
}

}  // namespace
}  // namespace brevaro::monitor
