// The Alignment page of the Format Cells sheet: horizontal and vertical
// alignment, wrap and merge, and the orientation on a dial and in a Degrees
// box kept in step.
#pragma once

#include "format/round_slider.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>

namespace qv::format {

class CQVFormatCells;

class CQVFmtCellsAlign : public fw::SheetPage {
  public:
    explicit CQVFmtCellsAlign(CQVFormatCells& sheet);

    // Copy-in: a copy of the block and the sheet mode.
    void SetBlock(const AlignmentBlock& block, uint8_t mode);
    // Copy-out: the block with the page's changed flag.
    void GetBlock(AlignmentBlock& out) const;
    uint8_t Changed() const { return changed_ ? 1 : 0; }

    // The merge notice the page sends its sibling pages when Merge Cells is
    // stored: PSM_QUERYSIBLINGS with wParam 1 (merge on) or 0 (off) and this lParam.
    static constexpr LPARAM kMergeNotice = 1020; // the Merge Cells box

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    fw::PageLeave OnKillActive() override;

  private:
    void LoadControls();
    void OnDialMoved();
    void OnDegreesEdited();
    void Store();
    void UpdateChanged();
    void Clear();
    int WrapState() const;
    int MergeState() const;

    CQVFormatCells& sheet_;
    fw::Font font_;
    CRoundSliderCtrl dial_;
    AlignmentBlock block_{};
    uint8_t mode_ = 0;
    bool changed_ = false;
    bool loading_ = false;
};

} // namespace qv::format
