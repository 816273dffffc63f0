// The failure convention: the box text, the record without a record, and the
// native reporter.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "qr/QrFailure.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::qr {
namespace {

TEST(QrFailure, BoxTextAndTitle) {
    EXPECT_EQ(qrFailureText({"二维码模块", "编码", "没有编码内容"}),
              "异常来源：[二维码模块]\r\n方法名称：编码()\r\n异常信息：没有编码内容");
    EXPECT_EQ(qrFailureText(QrFailureRecord::none()),
              "异常来源：[无]\r\n方法名称：无()\r\n异常信息：无");
    EXPECT_EQ(qrFailureText({"编码类", "初始化二维码", ""}),
              "异常来源：[编码类]\r\n方法名称：初始化二维码()\r\n异常信息：");
    EXPECT_STREQ(kQrFailureTitle, "程序运行异常提示");
}

TEST(QrFailure, ReporterCanBeReplacedAndRestored) {
    std::vector<QrFailureRecord> outer;
    const ScopedQrFailureReporter guard([&](const QrFailureRecord& r) { outer.push_back(r); });
    {
        const test::FailureLog inner;
        reportQrFailure({"a", "b", "c"});
        EXPECT_EQ(inner.records().size(), 1u);
    }
    reportQrFailure({"d", "e", "f"});
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0], (QrFailureRecord{"d", "e", "f"}));
}

#ifndef _WIN32
TEST(QrFailure, NativeReporterWritesTheTextAsUtf8ToStandardError) {
    testing::internal::CaptureStderr();
    showQrFailure({"二维码模块", "编码", "没有编码内容"});
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              brevaro::test::utf8(
                  u8"异常来源：[二维码模块]\r\n方法名称：编码()\r\n异常信息：没有编码内容\n"));
}
#endif

}  // namespace
}  // namespace brevaro::qr
