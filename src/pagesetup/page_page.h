// The Page page of Page Setup: orientation, scaling, the default printer's
// papers and print qualities, and the first page number.
#pragma once

#include "framework/gdi.h"
#include "pagesetup/common.h"
#include "pagesetup/page_setup.h"
#include "qvcore/page_setup.h"

#include <vector>

namespace qv::pagesetup {

class CQVPages : public PageSetupPage {
  public:
    explicit CQVPages(CQVPageSetup& sheet);

    void SetData(const PageOptions& block, std::uint8_t action);
    void GetData(PageOptions& block, std::uint8_t& action) const;

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    fw::PageLeave OnKillActive() override;

  private:
    void FillPapers(const PrinterCaps& printer);
    void FillQualities(const PrinterCaps& printer);
    void ChooseOrientation(std::uint8_t flag);
    void ChooseScaling(std::uint8_t flag);
    fw::PageLeave Refuse(UINT message, bool extended, int boxId);

    PageOptions block_{};
    std::vector<core::PaperEntry> papers_;
    fw::Font font_;
    NumericSpin adjust_;
    NumericSpin wide_;
    NumericSpin tall_;
    PictureStatic portrait_;
    PictureStatic landscape_;
};

} // namespace qv::pagesetup
