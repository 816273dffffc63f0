#include "app/widgets/Fonts_win.h"

#include <string>

#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

struct FontChoice {
    std::string_view face;  // GBK
    int height;
    bool bold;
};

FontChoice choiceFor(FontRole role) {
    switch (role) {
        case FontRole::Standard:
            return {"宋体", 12, false};
        case FontRole::YaHei12:
            return {"微软雅黑", 12, false};
        case FontRole::YaHei13:
            return {"微软雅黑", 13, false};
        case FontRole::YaHei13Bold:
            return {"微软雅黑", 13, true};
        case FontRole::YaHei14:
            return {"微软雅黑", 14, false};
        case FontRole::YaHei16:
            return {"微软雅黑", 16, false};
        case FontRole::Hei12:
            return {"黑体", 12, false};
    }
    return {"宋体", 12, false};
}

HFONT makeFont(const FontChoice& choice) {
    LOGFONTW logical{};
    logical.lfHeight = -choice.height;
    logical.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
    logical.lfCharSet = GB2312_CHARSET;
    logical.lfOutPrecision = OUT_TT_PRECIS;
    logical.lfQuality = CLEARTYPE_QUALITY;
    logical.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = text::gbkToWide(choice.face);
    face.copy(logical.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&logical);
}

}  // namespace

Fonts::Fonts() {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        fonts_[i].reset(makeFont(choiceFor(static_cast<FontRole>(i))));
    }
}

HFONT Fonts::get(FontRole role) const {
    const HFONT font = fonts_[static_cast<std::size_t>(role)].get();
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void setFont(HWND control, const Fonts& fonts, FontRole role) {
    if (control != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.get(role)), FALSE);
}

}  // namespace brevaro::app
