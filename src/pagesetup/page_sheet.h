// The Sheet page of Page Setup: the print area (a range box with the range
// bar), four print options, how comments print and the page order with its
// picture. The print titles are carried through unchanged.
#pragma once

#include "framework/gdi.h"
#include "pagesetup/common.h"
#include "pagesetup/page_setup.h"

namespace qv::pagesetup {

class CQVPageSheet : public PageSetupPage {
  public:
    explicit CQVPageSheet(CQVPageSetup& sheet);

    void SetData(const SheetOptionsBlock& block, std::uint8_t action);
    void GetData(SheetOptionsBlock& block, std::uint8_t& action) const;

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    fw::PageLeave OnKillActive() override;

  private:
    void DrawOrder();

    SheetOptionsBlock block_{};
    fw::Font font_;
    fw::Bitmap pickImage_;
    fw::Bitmap downOver_;
    fw::Bitmap overDown_;
    PictureStatic order_;
};

} // namespace qv::pagesetup
