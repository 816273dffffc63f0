#pragma once
// Decodes a QR code from what the screen shows, the way a phone would read
// it: a screenshot of the test session's display (ImageMagick's `import`)
// cropped to a rectangle and read by `zbarimg`. Both are programs of the
// host; Wine starts them directly (support/screen-qr.sh). Under Wine only.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace brevaro::test {

// The payload bytes of the QR code in the screen rectangle, or nullopt when
// none is found (or the host's programs cannot be run; the screenshot is
// then kept and its path printed). `idle` runs while the
// screenshot is taken and decoded: the UI thread keeps pumping there, so
// the window it shows stays painted. A watchdog guards against a hang.
std::optional<std::string> decodeQrOnScreen(const RECT& screenRect, const std::function<void()>& idle);

// The part of a child control that its top-level window's client area
// shows, in screen coordinates.
RECT visibleScreenRect(HWND control);

}  // namespace brevaro::test
