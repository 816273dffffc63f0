#pragma once
// GDI+ for the process: started once with the input version 1 and its other
// fields zero, before the first GDI+ drawing, and never shut down (windows
// may paint until the process ends). Windows only.

namespace brevaro::skin {

// Starts GDI+ on the first call; true when it is running.
bool startGdiPlus() noexcept;

}  // namespace brevaro::skin
