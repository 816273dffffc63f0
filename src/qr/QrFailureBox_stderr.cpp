// The native build's reporter: the failure box's text, as UTF-8, on standard
// error (the developer's builds have no message box).

#include <cstdio>

#include "qr/QrFailure.h"
#include "text/Encoding.h"

namespace brevaro::qr {

void showQrFailure(const QrFailureRecord& record) {
    const std::string text = text::gbkToUtf8(qrFailureText(record)) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace brevaro::qr
