// The main window's navigation: the page switcher with its slide and the
// version label's flash, the settings panel's slide, the links window.
// Every slide runs on the UI thread and keeps dispatching messages between
// its steps, each until the tick count has passed its pause (the flash
// waits on a timer); the main window is disabled meanwhile, so no click can
// start a second one.

#include "app/window/MainWindowState_win.h"
#include "app/widgets/PictureBox_win.h"
#include "app/window/ShellMotion.h"
#include "app/window/TickWait_win.h"
#include "app/widgets/Tooltips_win.h"
#include "app/window/VersionFlash.h"
#include "monitor/WaitPumping_win.h"
#include "skin/PictureButton_win.h"

namespace brevaro::app {
namespace {

constexpr unsigned kStepPauseMilliseconds = 1;

// Disables the main window for a slide and gives the focus back after it
// (disabling the window takes the keyboard focus away from its controls).
class InputPause {
  public:
    explicit InputPause(MainWindowState& state) : state_(state), focus_(GetFocus()) {
        state_.moving = true;
        EnableWindow(state_.self, FALSE);
    }
    ~InputPause() {
        EnableWindow(state_.self, TRUE);
        state_.moving = false;
        if (focus_ != nullptr && IsWindow(focus_) && IsWindowVisible(focus_) &&
            IsWindowEnabled(focus_)) {
            SetFocus(focus_);
        }
    }
    InputPause(const InputPause&) = delete;
    InputPause& operator=(const InputPause&) = delete;

  private:
    MainWindowState& state_;
    HWND focus_;
};

void setLabelColours(HWND label, Colour text, Colour background) {
    setControlColours(label, {text, background});
    InvalidateRect(label, nullptr, TRUE);
    UpdateWindow(label);
}

// White text on ten warm random backgrounds, then back to grey on white.
void flashVersionLabel(MainWindowState& state) {
    for (int i = 0; i < kFlashCount; ++i) {
        setLabelColours(state.versionLabel, kFlashText, flashBackground(state.flashRandom));
        monitor::waitPumping(kFlashPauseMilliseconds);
    }
    setLabelColours(state.versionLabel, kRestingText, kRestingBackground);
}

void giveSelectedLook(MainWindowState& state, int selected) {
    for (const NavPage& nav : kNavPages) {
        const HWND button = state.navButtons[static_cast<std::size_t>(nav.index)];
        const ButtonPictureSet& pictures = state.pictures.navButton(nav.index);
        const bool chosen = nav.index == selected;
        skin::setButtonPicture(button, skin::ButtonPicture::Normal,
                               chosen ? pictures.pressed.get() : pictures.normal.get());
        skin::setButtonPicture(button, skin::ButtonPicture::Hover,
                               chosen ? pictures.pressed.get() : pictures.hover.get());
    }
}

// A control's top-left corner in its parent's client area.
POINT placeOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(GetParent(control), &corner);
    return corner;
}

int topOf(HWND control) {
    return placeOf(control).y;
}

}  // namespace

void switchPage(MainWindowState& state, int index) {
    if (state.moving || index < 0 || index >= kPageCount) return;
    const InputPause pause(state);
    if (index == shownPage(state.pages)) return;
    if (state.settingsOpen) {
        flashVersionLabel(state);
        return;
    }
    const HWND container = state.pages.container;
    const int top = topOf(container);
    showPage(state.pages, index);
    state.currentPage = index;
    moveControl(container, kMainWidth, top);
    giveSelectedLook(state, index);
    for (int step = 1; step <= kPageSlideSteps; ++step) {
        moveControl(container, pageSlideLeft(step), top, HWND_TOP);
        pumpUntilTicksPass(kStepPauseMilliseconds);
    }
}

void toggleSettingsPanel(MainWindowState& state) {
    if (state.moving) return;
    {
        const InputPause pause(state);
        SetWindowPos(state.settingsPanel, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const bool opening = !state.settingsOpen;
        const int dividerTop = topOf(state.topDivider);
        const int contactTop = topOf(state.contactBox);
        const int buttonTop = topOf(state.settingsButton);
        const int panelTop = topOf(state.settingsPanel);
        for (int step = 1; step <= kSettingsSlideSteps; ++step) {
            const SettingsSlideFrame frame = settingsSlideFrame(opening, step);
            // One move for the four pieces, so they never part on screen.
            HDWP moves = BeginDeferWindowPos(4);
            const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
            if (moves != nullptr)
                moves = DeferWindowPos(moves, state.settingsPanel, nullptr, frame.panel, panelTop,
                                       0, 0, flags);
            if (moves != nullptr)
                moves = DeferWindowPos(moves, state.topDivider, nullptr, frame.divider, dividerTop,
                                       0, 0, flags);
            if (moves != nullptr)
                moves = DeferWindowPos(moves, state.contactBox, nullptr, frame.contactBox,
                                       contactTop, 0, 0, flags);
            if (moves != nullptr) {
                moves = DeferWindowPos(moves, state.settingsButton, nullptr, frame.settingsButton,
                                       buttonTop, 0, 0, flags);
            }
            if (moves != nullptr) EndDeferWindowPos(moves);
            pumpUntilTicksPass(kStepPauseMilliseconds);
        }
        addTooltip(state.settingsButton, opening ? kCloseSettingsTip : kOpenSettingsTip);
        state.settingsOpen = opening;
        EnableWindow(state.pages.container, opening ? FALSE : TRUE);
    }
    for (HWND raised : {state.settingsButton, state.contactBox}) {
        SetWindowPos(raised, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void toggleLinksWindow(MainWindowState& state) {
    if (state.linksWindow == nullptr) return;
    if (!state.linksOpen) {
        EnableWindow(state.self, FALSE);
        RECT main;
        GetWindowRect(state.self, &main);
        const ScreenPoint place =
            linksWindowPlace(main.left, main.top, placeOf(state.contactBox).x);
        SetWindowPos(state.linksWindow, HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE);
        ShowWindow(state.linksWindow, SW_SHOW);
        state.linksOpen = true;
    } else {
        hideLinksWindow(state);
    }
}

void hideLinksWindow(MainWindowState& state) {
    EnableWindow(state.self, TRUE);
    if (state.linksWindow != nullptr) ShowWindow(state.linksWindow, SW_HIDE);
    state.linksOpen = false;
}

}  // namespace brevaro::app
