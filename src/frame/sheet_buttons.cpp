#include "frame/sheet_buttons.h"

#include "frame/localize.h"
#include "framework/controls.h"

#include <cstdlib>

namespace qv::frame {

SheetButtonLabels::SheetButtonLabels()
    : ok_(LoadLangString(kStrOK, true)), cancel_(LoadLangString(kStrCancel, true)) {
    const std::string face = LoadLangString(kStrFontFace, true);
    const int size = std::atoi(LoadLangString(kStrFontSize, true).c_str());
    if (!face.empty()) {
        font_.Reset(fw::CreatePointFont(size * 10, face.c_str()));
    }
}

void SheetButtonLabels::Apply(HWND sheet) const {
    const struct {
        int id;
        const std::string& text;
    } buttons[] = {{IDOK, ok_}, {IDCANCEL, cancel_}};
    for (const auto& button : buttons) {
        fw::Control control(sheet, button.id);
        if (font_) {
            control.SetFont(font_.get());
        }
        if (!button.text.empty()) {
            control.SetText(button.text);
        }
    }
}

} // namespace qv::frame
