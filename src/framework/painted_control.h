// A control that paints itself (previews, samples, pictures): its painting
// covers the whole client area, so the background is never erased first.
// A focusable one is a Tab stop like any other control, takes the focus when
// clicked and repaints when the focus comes or goes, for its focus rectangle.
#pragma once

#include "framework/subclass.h"

#include <windows.h>

namespace qv::fw {

class PaintedControl : public SubclassedWindow {
  public:
    enum class Focus { None, TabStop };

  protected:
    explicit PaintedControl(Focus focus = Focus::None) : focus_(focus) {}
    // Paints the client area `client` (origin 0, 0) into `dc`.
    virtual void Paint(HDC dc, const RECT& client) = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Focus focus_;
};

} // namespace qv::fw
