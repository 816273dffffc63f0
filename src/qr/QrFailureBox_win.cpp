// The Windows build's reporter: a modal message box with the error icon and
// an OK button. The GBK texts go through UTF-16 with code page 936 named
// explicitly, whatever the system's ANSI code page is.

#include <windows.h>

#include "qr/QrFailure.h"
#include "text/Encoding.h"

namespace brevaro::qr {
namespace {

std::wstring wide(const std::string& gbk) {
    const std::u16string utf16 = text::gbkToUtf16(gbk);
    return std::wstring(utf16.begin(), utf16.end());
}

}  // namespace

void showQrFailure(const QrFailureRecord& record) {
    const std::wstring text = wide(qrFailureText(record));
    const std::wstring title = wide(kQrFailureTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace brevaro::qr
