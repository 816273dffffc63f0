// A board's health as a pure function of its passes' outcomes: the status
// line, its tooltip, the navigation mark and the watch tool's fields, for a
// run's passes in a row.

#include "monitor/BoardHealth.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevaro::monitor {
namespace {

using http::RequestFailure;

const FetchOutcome kOk{RequestFailure::None, 200};

struct Pass {
    FetchOutcome fetch;
    std::size_t rows = 0;
    bool guest = false;
};

struct Expected {
    std::string line;
    std::string tip;
    bool trouble;
    std::string fields;
};

// Each pass of one run in turn, ending at 1 second past 09:05:00 times its
// number, and what the board page shows after it.
struct Step {
    Pass pass;
    Expected shown;
};

TEST(BoardHealth, EachPassOfARunShowsHowItWent) {
    const std::vector<Step> run = {
        {{kOk, 50}, {"09:05:01 正常 · 本页 50 行 · 已检查 1 次", "本次监控还没有失败过", false,
                     "status pass=1 rows=50 fetch=ok reason=none failures=0 guest=no"}},
        {{{RequestFailure::Refused, 0}},
         {"09:05:02 获取失败（连接被拒绝），已连续失败 1 次 · 已检查 2 次", "最近一次失败：09:05:02 连接被拒绝", true,
          "status pass=2 rows=0 fetch=failed reason=refused failures=1 guest=no"}},
        {{{RequestFailure::None, 503}},
         {"09:05:03 获取失败（HTTP 503），已连续失败 2 次 · 已检查 3 次", "最近一次失败：09:05:03 HTTP 503", true,
          "status pass=3 rows=0 fetch=failed reason=http-503 failures=2 guest=no"}},
        {{{RequestFailure::TimedOut, 0}},
         {"09:05:04 获取失败（超时），已连续失败 3 次 · 已检查 4 次", "最近一次失败：09:05:04 超时", true,
          "status pass=4 rows=0 fetch=failed reason=timeout failures=3 guest=no"}},
        // A page that came but gave no rows: its markers were not found.
        {{kOk, 0},
         {"09:05:05 页面已取到，但没有找到列表的标记（0 行） · 已检查 5 次", "最近一次失败：09:05:04 超时", false,
          "status pass=5 rows=0 fetch=ok reason=none failures=0 guest=no"}},
        {{kOk, 12, true},
         {"09:05:06 论坛把你当作游客：请点左侧“登录赚吧账号”登录 · 本页 12 行 · 已检查 6 次",
          "最近一次失败：09:05:04 超时", true, "status pass=6 rows=12 fetch=ok reason=none failures=0 guest=yes"}},
        {{kOk, 50}, {"09:05:07 正常 · 本页 50 行 · 已检查 7 次", "最近一次失败：09:05:04 超时", false,
                     "status pass=7 rows=50 fetch=ok reason=none failures=0 guest=no"}},
        {{{RequestFailure::ConnectionLost, 0}},
         {"09:05:08 获取失败（连接中断），已连续失败 1 次 · 已检查 8 次", "最近一次失败：09:05:08 连接中断", true,
          "status pass=8 rows=0 fetch=failed reason=connection-lost failures=1 guest=no"}},
    };
    PassTally tally;
    BoardHealth health;
    health.started();
    EXPECT_EQ(statusLine(health), "监控中：正在进行第一次检查");
    EXPECT_FALSE(showsTrouble(health));
    for (std::size_t i = 0; i < run.size(); ++i) {
        SCOPED_TRACE("pass " + std::to_string(i + 1));
        const Step& step = run[i];
        const PassReport report =
            tally.record(step.pass.fetch, step.pass.rows, step.pass.guest, {9, 5, static_cast<int>(i + 1)});
        health.passEnded(report);
        EXPECT_EQ(statusLine(health), step.shown.line);
        EXPECT_EQ(statusTip(health), step.shown.tip);
        EXPECT_EQ(showsTrouble(health), step.shown.trouble);
        EXPECT_EQ(statusFields(report), step.shown.fields);
    }
    // A stop keeps the last pass's time and takes the mark away.
    health.stopped();
    EXPECT_EQ(statusLine(health), "已停止 · 最后一次检查 09:05:08");
    EXPECT_EQ(statusTip(health), "最近一次失败：09:05:08 连接中断");
    EXPECT_FALSE(showsTrouble(health));
    // The next start is a run of its own.
    health.started();
    EXPECT_EQ(statusLine(health), "监控中：正在进行第一次检查");
    EXPECT_EQ(statusTip(health), "本次监控还没有失败过");
}

TEST(BoardHealth, BeforeTheFirstStartAndAfterAStopWithoutAPass) {
    BoardHealth health;
    EXPECT_EQ(statusLine(health), "未开始");
    EXPECT_EQ(statusTip(health), "尚未开始监控");
    EXPECT_FALSE(showsTrouble(health));
    health.started();
    health.stopped();
    EXPECT_EQ(statusLine(health), "已停止");
}

// A pass slower than usual: once it has waited kSlowPassSeconds the line
// stops showing the previous pass as current, until the pass ends.
TEST(BoardHealth, ASlowPassSaysHowLongItHasWaited) {
    PassTally tally;
    BoardHealth health;
    health.started();
    health.waiting(2);
    EXPECT_EQ(statusLine(health), "监控中：正在进行第一次检查");
    health.waiting(7);
    EXPECT_EQ(statusLine(health), "正在检查，已等待 7 秒");
    health.passEnded(tally.record({RequestFailure::TimedOut, 0}, 0, false, {9, 6, 0}));
    EXPECT_EQ(statusLine(health), "09:06:00 获取失败（超时），已连续失败 1 次 · 已检查 1 次");
    health.waiting(5);
    EXPECT_EQ(statusLine(health), "正在检查，已等待 5 秒 · 已检查 1 次");
    EXPECT_TRUE(showsTrouble(health)) << "the last pass failed, and nothing has yet come since";
    health.stopped();
    EXPECT_EQ(statusLine(health), "已停止 · 最后一次检查 09:06:00");
}

// Matching rows shown without an alert (the per-minute bound reached) are
// counted in the tooltip, beside the run's last failure or its absence.
TEST(BoardHealth, TheTipCountsTheRowsShownWithoutAnAlert) {
    PassTally tally;
    BoardHealth health;
    health.started();
    PassReport report = tally.record(kOk, 50, false, {9, 7, 0});
    report.alertsHeld = 12;
    health.passEnded(report);
    EXPECT_EQ(statusTip(health), "本次监控还没有失败过 · 最近一分钟有 12 个匹配的新帖因提醒过多只显示在列表中，没有弹窗和声音");
    report = tally.record({RequestFailure::Refused, 0}, 0, false, {9, 7, 1});
    report.alertsHeld = 3;
    health.passEnded(report);
    EXPECT_EQ(statusTip(health), "最近一次失败：09:07:01 连接被拒绝 · 最近一分钟有 3 个匹配的新帖因提醒过多只显示在列表中，没有弹窗和声音");
    health.passEnded(tally.record(kOk, 50, false, {9, 7, 2}));
    EXPECT_EQ(statusTip(health), "最近一次失败：09:07:01 连接被拒绝");
}

// Which fetches failed, and in what words.
TEST(BoardHealth, AFetchFailsWithoutAnAnswerOrWithAStatusOf400OrMore) {
    struct Case {
        FetchOutcome fetch;
        bool failed;
        std::string reason;
        std::string field;
    };
    const std::vector<Case> cases = {
        {{RequestFailure::None, 200}, false, "", "none"},
        {{RequestFailure::None, 302}, false, "", "none"},  // a redirect the platform left as the answer
        {{RequestFailure::None, 399}, false, "", "none"},
        {{RequestFailure::None, 400}, true, "HTTP 400", "http-400"},
        {{RequestFailure::None, 404}, true, "HTTP 404", "http-404"},
        {{RequestFailure::None, 0}, true, "没有应答", "no-answer"},  // no answer, no reason recorded
        {{RequestFailure::Refused, 0}, true, "连接被拒绝", "refused"},
        {{RequestFailure::TimedOut, 0}, true, "超时", "timeout"},
        {{RequestFailure::HostNotFound, 0}, true, "找不到服务器", "host-not-found"},
        {{RequestFailure::ConnectionLost, 0}, true, "连接中断", "connection-lost"},
        {{RequestFailure::NoAnswer, 0}, true, "没有应答", "no-answer"},
        // An answer whose body broke off: the failure is the fetch's.
        {{RequestFailure::ConnectionLost, 200}, true, "连接中断", "connection-lost"},
        {{RequestFailure::Certificate, 0}, true, "证书错误", "certificate"},
        // The page came, the pass over it failed.
        {{RequestFailure::PassFailed, 200}, true, "处理页面时出错", "pass-failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " " + std::to_string(c.fetch.statusCode));
        EXPECT_EQ(c.fetch.failed(), c.failed);
        EXPECT_EQ(failureReason(c.fetch), c.reason);
        PassTally tally;
        const std::string fields = statusFields(tally.record(c.fetch, 0, false, {}));
        EXPECT_NE(fields.find(" reason=" + c.field + " "), std::string::npos) << fields;
    }
}

}  // namespace
}  // namespace brevaro::monitor
