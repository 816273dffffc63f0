#pragma once
// Puts a text on the clipboard, as a user's "copy" does.

#include <windows.h>

#include <string_view>

namespace brevaro::app {

// Replaces the clipboard's content with a GBK text, stored as
// CF_UNICODETEXT (converted with code page 936); the system offers the other
// text formats from it. False when the clipboard could not be taken or the
// memory not had; the clipboard is then left as it was or empty.
bool putTextOnClipboard(HWND owner, std::string_view gbk);

}  // namespace brevaro::app
