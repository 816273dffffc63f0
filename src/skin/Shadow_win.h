#pragma once
// The drawn drop shadow: a click-through layered window, owned by its target
// top-level window, that shows `size` rings (ShadowRings.h) around it and
// follows it. The target is subclassed so its moves, sizes and showing
// reach the shadow. The state lives in window properties only:
//   "Brevaro.Shadow"        on the target: its shadow window
//   "Brevaro.Shadow.Proc"   on the target: its previous window procedure
//   "Brevaro.Shadow.Color"  on the shadow window: the colour (COLORREF)
//   "Brevaro.Shadow.Size"   on the shadow window: the ring count in pixels
// GUI thread only (the thread of the target).

#include <windows.h>

#include <optional>

namespace brevaro::skin {

inline constexpr wchar_t kShadowWindowClass[] = L"Brevaro.ShadowWindow";
inline constexpr int kDefaultShadowSize = 5;

// Attaches the shadow to `target`, or updates its colour (black when not
// given) and size (5 when not given) and position when it has one already;
// the target is subclassed once only. A given size below 1 detaches the
// shadow instead: the shadow window is destroyed and the previous window
// procedure put back. False when `target` is not a window (nothing
// changes), true otherwise.
bool attachShadow(HWND target, std::optional<COLORREF> colour = std::nullopt,
                  std::optional<int> size = std::nullopt);

// Places, shows or hides the shadow of `target` (nothing when it has none).
// `visible` defaults to whether the target is visible. The shadow is hidden
// while the target is hidden, maximised or minimised; otherwise it covers
// the target's rectangle grown by the size on every side and is redrawn.
void updateShadow(HWND target, std::optional<bool> visible = std::nullopt) noexcept;

}  // namespace brevaro::skin
