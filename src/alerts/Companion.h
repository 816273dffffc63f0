#pragma once
// The companion program Pellis.exe next to the running executable: written
// out from the executable's own resource when it is missing, and started once
// per popup alert. Windows only; no <windows.h> here.
//
// Nothing here reports: a failed write or a failed start simply shows no
// alert, and the next alert tries again.

#include <string>

#include "alerts/AlertRequest.h"

namespace brevaro::alerts {

// The running executable's directory followed by "\Pellis.exe" (GBK).
std::string companionProgramPath();

// Makes sure a file exists at companionProgramPath(). Any file there is
// trusted and left alone. Otherwise the embedded Pellis.exe is written to a
// new temporary file in the same directory and then renamed to Pellis.exe
// without replacing anything: two callers at the same moment (two boards, or
// two programs) leave one complete file and never a torn one, and the
// temporary file is deleted whenever it is not renamed. An executable built
// without the embedded program writes nothing.
void ensureCompanionProgram() noexcept;

// Starts Pellis.exe with the alert's command line (PopupCommandLine.h),
// converted from GBK with code page 936 so the texts survive whatever the
// system's ANSI code page is; its working directory is the executable's
// directory. Nothing is inherited, waited for or reported.
void launchPopupAlert(const AlertRequest& alert) noexcept;

}  // namespace brevaro::alerts
