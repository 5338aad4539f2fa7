// The Border page of the Format Cells sheet: presets, six edge buttons, a
// clickable preview, the line list and the line colour, over the record's
// BorderLineList.
#pragma once

#include "format/page_common.h"
#include "framework/accessible_controls.h"
#include "framework/colour_picker.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvcore/cell_format.h"
#include "qvssd/records.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::format {

class CQVFormatCells;

// The border preview. Besides the mouse, the keyboard: Tab reaches it, the
// arrow keys and Home/End move among the six edges (skipping the ones the
// selection cannot have) and Space toggles the edge under the keyboard as a
// click on it would. Screen readers hear a list of the six edges (zones 1 to
// 6: top, left, bottom, right, inside horizontal, inside vertical), each
// checked while it is drawn.
class BorderPreview : public PaintedStatic {
  public:
    struct Edges {
        std::function<bool(int zone)> on;
        std::function<bool(int zone)> enabled;
        std::function<void(int zone)> toggle;
    };
    void SetEdges(Edges edges, std::vector<std::string> names);
    int Current() const { return current_; }
    RECT ZoneRect(int zone) const;
    // The focus rectangle on the edge under the keyboard (for the painter).
    void DrawFocus(HDC dc) const;
    // A click on zone `zone` makes it the edge under the keyboard too.
    void Clicked(int zone);

    long AccessibleRole() const override;
    std::string AccessibleValue() const override;
    bool AnswersValue() const override { return true; }
    int AccessibleChildCount() const override { return kZones; }
    std::string AccessibleChildName(int child) const override;
    long AccessibleChildRole(int child) const override;
    long AccessibleChildState(int child) const override;
    RECT AccessibleChildRect(int child) const override { return ZoneRect(child); }
    int AccessibleFocusedChild() const override { return current_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static constexpr int kZones = 6;
    void MoveTo(int zone);
    int Step(int from, int direction) const;

    Edges edges_;
    std::vector<std::string> names_;
    int current_ = 1;
};

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
    BorderPreview preview_;
    fw::AccessibleListBox styles_;
    std::array<fw::AccessibleButton, 9> buttons_; // presets and edges, by name
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
