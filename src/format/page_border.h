// The Border page of the Format Cells sheet: presets, six edge buttons, a
// clickable preview, the line list and the line colour, over the record's
// BorderLineList.
#pragma once

#include "format/page_common.h"
#include "framework/colour_picker.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvcore/cell_format.h"
#include "qvssd/records.h"

#include <array>
#include <cstdint>

namespace qv::format {

class CQVFormatCells;

class CQVFmtCellsBorder : public fw::SheetPage {
  public:
    // The edge message the preview sends the page: lParam 1 to 6.
    static constexpr UINT kEdgeMessage = 1189;

    explicit CQVFmtCellsBorder(CQVFormatCells& sheet);

    // Copy-in: the record's lines, the sheet mode, the merge flag (8 = merged).
    void SetLines(QVVector* lines, uint8_t mode, uint8_t mergeFlag);
    // Copy-out: clears the list and appends the lines the mode writes.
    void WriteLines(QVVector* lines) const;
    uint8_t Changed() const { return model_.Changed() ? 1 : 0; }
    const core::BorderModel& Model() const { return model_; }

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void LoadImages();
    void SyncControls();
    void PaintPreview(HDC dc, const RECT& client) const;
    void DrawLineEntry(const DRAWITEMSTRUCT& item) const;
    void OnEdge(int slot);

    CQVFormatCells& sheet_;
    fw::Font font_;
    fw::ColourPicker colour_;
    PaintedStatic preview_;
    core::BorderModel model_;
    // Each button's image and its disabled image.
    struct ButtonImages {
        int id;
        fw::Bitmap normal;
        fw::Bitmap disabled;
    };
    std::array<ButtonImages, 9> images_;
};

} // namespace qv::format
