#pragma once
// A container for the system's web-browser control (the Internet Explorer
// control, CLSID_WebBrowser) inside one child window: the OLE client site,
// in-place site and in-place frame, and the document host's UI handler,
// written out by hand. It runs the control in place, keeps it the size of
// its window and navigates it. Navigation is asynchronous: navigate()
// returns once the control has been told where to go. Script errors never
// open a dialog. UI thread, with OLE initialised on it. Windows only.

#include <windows.h>

#include <memory>
#include <string_view>

namespace brevaro::app {

class BrowserHost {
  public:
    // Creates the control inside `window` (which must live longer than the
    // host). nullptr when the system has no browser control.
    static std::unique_ptr<BrowserHost> create(HWND window);
    ~BrowserHost();

    // Starts loading `url` (GBK); false when the control refused it.
    bool navigate(std::string_view url);
    // Follows the window's size.
    void resize();
    // Gives the control a keyboard message first (Tab, Enter and the
    // editing keys in the page's fields); true when it took it.
    bool translateAccelerator(MSG& message);

    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

  private:
    BrowserHost() = default;
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace brevaro::app
