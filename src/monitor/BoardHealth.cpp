#include "monitor/BoardHealth.h"

#include <cstdio>

namespace brevaro::monitor {
namespace {

using http::RequestFailure;

std::string clockText(const ClockTime& at) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", at.hour % 100, at.minute % 100, at.second % 100);
    return text;
}

// Why a fetch failed: in the user's words and as the watch tool's field.
// Both empty for a fetch that did not fail.
struct Reason {
    std::string words;
    std::string field;
};

Reason reasonOf(const FetchOutcome& fetch) {
    switch (fetch.failure) {
        case RequestFailure::Refused: return {"连接被拒绝", "refused"};
        case RequestFailure::TimedOut: return {"超时", "timeout"};
        case RequestFailure::HostNotFound: return {"找不到服务器", "host-not-found"};
        case RequestFailure::ConnectionLost: return {"连接中断", "connection-lost"};
        case RequestFailure::NoAnswer: return {"没有应答", "no-answer"};
        case RequestFailure::Certificate: return {"证书错误", "certificate"};
        case RequestFailure::PassFailed: return {"处理页面时出错", "pass-failed"};
        case RequestFailure::None: break;
    }
    const std::string code = std::to_string(fetch.statusCode);
    if (fetch.statusCode >= 400) return {"HTTP " + code, "http-" + code};
    if (fetch.statusCode < 100) return {"没有应答", "no-answer"};
    return {};
}

// The board's line while it runs and after its passes.
std::string passLine(const PassReport& report) {
    const std::string at = clockText(report.endedAt);
    const std::string passes = "已检查 " + std::to_string(report.pass) + " 次";
    if (report.fetch.failed()) {
        return at + " 获取失败（" + failureReason(report.fetch) + "），已连续失败 " +
               std::to_string(report.failureStreak) + " 次 · " + passes;
    }
    if (report.guestView) {
        return at + " 论坛把你当作游客：请点左侧“登录赚吧账号”登录 · 本页 " + std::to_string(report.rows) +
               " 行 · " + passes;
    }
    if (report.rows == 0) return at + " 页面已取到，但没有找到列表的标记（0 行） · " + passes;
    return at + " 正常 · 本页 " + std::to_string(report.rows) + " 行 · " + passes;
}

}  // namespace

PassReport PassTally::record(const FetchOutcome& fetch, std::size_t rows, bool guestView, ClockTime endedAt) {
    PassReport report;
    report.pass = last_.pass + 1;
    report.rows = rows;
    report.fetch = fetch;
    report.guestView = guestView;
    report.failureStreak = fetch.failed() ? last_.failureStreak + 1 : 0;
    report.endedAt = endedAt;
    report.lastFailure = fetch.failed() ? std::optional<FailureNote>(FailureNote{fetch, endedAt}) : last_.lastFailure;
    last_ = report;
    return report;
}

std::string failureReason(const FetchOutcome& fetch) { return reasonOf(fetch).words; }

std::string statusLine(const BoardHealth& health) {
    switch (health.state) {
        case RunState::NotStarted: return "未开始";
        case RunState::Running:
            if (health.waitedSeconds > 0) {
                // The latest pass's line is no longer current: say what is.
                std::string line = "正在检查，已等待 " + std::to_string(health.waitedSeconds) + " 秒";
                if (health.last) line += " · 已检查 " + std::to_string(health.last->pass) + " 次";
                return line;
            }
            return health.last ? passLine(*health.last) : "监控中：正在进行第一次检查";
        case RunState::Stopped: break;
    }
    if (!health.last) return "已停止";
    return "已停止 · 最后一次检查 " + clockText(health.last->endedAt);
}

std::string statusTip(const BoardHealth& health) {
    if (health.state == RunState::NotStarted) return "尚未开始监控";
    std::string tip = "本次监控还没有失败过";
    if (health.last && health.last->lastFailure) {
        const FailureNote& note = *health.last->lastFailure;
        tip = "最近一次失败：" + clockText(note.at) + " " + failureReason(note.fetch);
    }
    if (health.last && health.last->alertsHeld > 0) {
        tip += " · 最近一分钟有 " + std::to_string(health.last->alertsHeld) +
               " 个匹配的新帖因提醒过多只显示在列表中，没有弹窗和声音";
    }
    return tip;
}

bool showsTrouble(const BoardHealth& health) {
    return health.state == RunState::Running && health.last &&
           (health.last->fetch.failed() || health.last->guestView);
}

std::string statusFields(const PassReport& report) {
    const bool failed = report.fetch.failed();
    return "status pass=" + std::to_string(report.pass) + " rows=" + std::to_string(report.rows) +
           " fetch=" + (failed ? "failed" : "ok") + " reason=" + (failed ? reasonOf(report.fetch).field : "none") +
           " failures=" + std::to_string(report.failureStreak) + " guest=" + (report.guestView ? "yes" : "no");
}

}  // namespace brevaro::monitor
