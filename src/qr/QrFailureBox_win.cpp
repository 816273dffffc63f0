// The Windows build's reporter: a modal message box with the error icon and
// an OK button. The GBK texts go through UTF-16 with code page 936 named
// explicitly, whatever the system's ANSI code page is.

#include <windows.h>

#include "qr/QrFailure.h"
#include "text/WideText_win.h"

namespace brevaro::qr {

void showQrFailure(const QrFailureRecord& record) {
    const std::wstring text = text::gbkToWide(qrFailureText(record));
    const std::wstring title = text::gbkToWide(kQrFailureTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace brevaro::qr
