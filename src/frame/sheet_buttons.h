// OK and Cancel of a property sheet in the menu language.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

#include <string>

namespace qv::frame {

// The dialog font and the texts of OK and Cancel, read from the dialog
// strings when the sheet is made (a missing library shows no message: the
// pages report it) and put on the sheet's buttons once its window exists.
class SheetButtonLabels {
  public:
    SheetButtonLabels();

    void Apply(HWND sheet) const;

  private:
    fw::Font font_;
    std::string ok_;
    std::string cancel_;
};

} // namespace qv::frame
