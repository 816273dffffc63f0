#pragma once
// How the QR-code generator reports a failure. A failing operation builds a
// record of three GBK texts (source: the class name of the object or the
// module name; method: the operation's name, without parentheses; message)
// and throws it as QrFailure. The one entry point, 创建二维码, catches it,
// hands the record to the reporter and abandons the operation: it returns
// empty bytes and leaves the program's QR record as it was. The reporter
// shows the record and returns; the process goes on.
//
// Every other operation of this folder may throw QrFailure; callers outside
// the folder go through 创建二维码.

#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace brevaro::qr {

struct QrFailureRecord {
    std::string source;
    std::string method;
    std::string message;

    // The record of a failure reported without one ("无" three times).
    static QrFailureRecord none();
    bool operator==(const QrFailureRecord&) const = default;
};

class QrFailure : public std::exception {
public:
    explicit QrFailure(QrFailureRecord record) : record_(std::move(record)) {}
    const QrFailureRecord& record() const { return record_; }
    const char* what() const noexcept override { return "QR failure"; }

private:
    QrFailureRecord record_;
};

// Throws QrFailure with the record (source, method, message).
[[noreturn]] void failQr(std::string source, std::string method, std::string message);
// Throws QrFailure with the record of "无".
[[noreturn]] void failQrWithoutRecord();

// The title and the text of the failure box (GBK):
// "异常来源：[" source "]\r\n方法名称：" method "()\r\n异常信息：" message.
extern const char* const kQrFailureTitle;
std::string qrFailureText(const QrFailureRecord& record);

// Shows one failure. The default is the platform's: a message box (error icon,
// OK) in the Windows build, the text as UTF-8 on standard error natively.
using QrFailureReporter = std::function<void(const QrFailureRecord&)>;

// Hands the record to the current reporter.
void reportQrFailure(const QrFailureRecord& record);

// Replaces the reporter (an empty function restores the platform's) and
// returns the one it replaces. The reporter is program-wide, like the QR
// record, and used on the GUI thread only.
QrFailureReporter setQrFailureReporter(QrFailureReporter reporter);

// The platform's reporter (QrFailureBox_win.cpp or QrFailureBox_stderr.cpp).
void showQrFailure(const QrFailureRecord& record);

// Puts a reporter in place for the life of the guard.
class ScopedQrFailureReporter {
public:
    explicit ScopedQrFailureReporter(QrFailureReporter reporter)
        : previous_(setQrFailureReporter(std::move(reporter))) {}
    ~ScopedQrFailureReporter() { setQrFailureReporter(std::move(previous_)); }
    ScopedQrFailureReporter(const ScopedQrFailureReporter&) = delete;
    ScopedQrFailureReporter& operator=(const ScopedQrFailureReporter&) = delete;

private:
    QrFailureReporter previous_;
};

}  // namespace brevaro::qr
