// The Margins page of Page Setup: six margins in inches, centring, and a
// picture of the page that follows the orientation, the centring and the
// margin box being edited.
#pragma once

#include "framework/gdi.h"
#include "pagesetup/common.h"
#include "pagesetup/page_setup.h"
#include "qvcore/page_setup.h"

#include <array>
#include <string>

namespace qv::pagesetup {

class CQVMargins : public PageSetupPage {
  public:
    explicit CQVMargins(CQVPageSetup& sheet);

    void SetData(const MarginsBlock& block, std::uint8_t action);
    void GetData(MarginsBlock& block, std::uint8_t& action) const;

    // The margin the picture marks (core::MarginBox), -1 before any box had
    // the focus.
    int MarkedMargin() const { return marked_; }
    // The picture id shown for an orientation and the two centring choices.
    static int PictureId(bool portrait, bool horizontally, bool vertically);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnSetActive() override;
    fw::PageLeave OnKillActive() override;

  private:
    void DrawPicture();
    void DescribePicture();
    void MarkLine(HDC dc, const RECT& picture) const;
    std::array<float*, core::kMarginCount> Fields();

    MarginsBlock block_{};
    fw::Font font_;
    std::array<NumericSpin, core::kMarginCount> spins_;
    PictureStatic picture_;
    std::array<std::string, 2> orientationWords_; // portrait, landscape
    int marked_ = -1;
    int pictureId_ = 0; // the picture shown (0: none yet)
};

} // namespace qv::pagesetup
