#pragma once
// Every picture of the main program, drawn by the program itself at start-up
// (GDI+ anti-aliased shapes from PictureShapes.h, GDI text in the program's
// fonts) into bitmaps that live as long as the main window. Nothing is
// loaded from a file or a resource. GUI thread only. Windows only.

#include <windows.h>

#include <array>

#include "app/widgets/Fonts_win.h"
#include "skin/GdiHandles_win.h"

namespace brevaro::app {

// The four pictures of a picture button.
struct ButtonPictureSet {
    skin::OwnedBitmap normal;
    skin::OwnedBitmap hover;
    skin::OwnedBitmap pressed;
    skin::OwnedBitmap disabled;
};

class Pictures {
  public:
    // Draws them all; GDI+ must be running. A picture that cannot be drawn
    // is a null bitmap (its box shows its background).
    explicit Pictures(const Fonts& fonts);

    // Icon and name of page 0-10, 135 x 39; pressed is the selected look.
    const ButtonPictureSet& navButton(int page) const {
        return nav_[static_cast<std::size_t>(page)];
    }
    const ButtonPictureSet& exitButton() const { return exit_; }      // 135 x 40
    const ButtonPictureSet& settingsButton() const { return gear_; }  // 30 x 30
    const ButtonPictureSet& groupButton() const { return group_; }    // 30 x 30

    HBITMAP background() const { return background_.get(); }      // 1048 x 550, opaque
    HBITMAP logo() const { return logo_.get(); }                  // 32 x 32, on white
    HBITMAP panelPicture() const { return panelPicture_.get(); }  // 60 x 60, on white
    HBITMAP contactIcon() const { return contactIcon_.get(); }    // 22 x 22, on white
    // 20 x 20, premultiplied alpha: drawn over the indicator's colour.
    HBITMAP networkIcon() const { return networkIcon_.get(); }

  private:
    std::array<ButtonPictureSet, 11> nav_;
    ButtonPictureSet exit_;
    ButtonPictureSet gear_;
    ButtonPictureSet group_;
    skin::OwnedBitmap background_;
    skin::OwnedBitmap logo_;
    skin::OwnedBitmap panelPicture_;
    skin::OwnedBitmap contactIcon_;
    skin::OwnedBitmap networkIcon_;
};

}  // namespace brevaro::app
