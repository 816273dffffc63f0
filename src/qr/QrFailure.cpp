#include "qr/QrFailure.h"

#include <utility>

namespace brevaro::qr {
namespace {

QrFailureReporter& currentReporter() {
    static QrFailureReporter reporter;
    return reporter;
}

}  // namespace

QrFailureRecord QrFailureRecord::none() {
    return {"无", "无", "无"};
}

void failQr(std::string source, std::string method, std::string message) {
    throw QrFailure({std::move(source), std::move(method), std::move(message)});
}

void failQrWithoutRecord() {
    throw QrFailure(QrFailureRecord::none());
}

const char* const kQrFailureTitle = "程序运行异常提示";

std::string qrFailureText(const QrFailureRecord& record) {
    return "异常来源：[" + record.source + "]\r\n方法名称：" + record.method + "()\r\n异常信息：" +
           record.message;
}

void reportQrFailure(const QrFailureRecord& record) {
    const QrFailureReporter& reporter = currentReporter();
    if (reporter) {
        reporter(record);
    } else {
        showQrFailure(record);
    }
}

QrFailureReporter setQrFailureReporter(QrFailureReporter reporter) {
    return std::exchange(currentReporter(), std::move(reporter));
}

}  // namespace brevaro::qr
