// The Format Chart sheet: the pages that format one part of a chart (its
// area, plot, an axis, the legend, a series or a title), chosen by the
// record's page flags: a pattern page (area, or line and marker), the Font
// page of Format Cells and an Alignment page. The sheet works on the record
// alone; the host applies it to its chart.
#pragma once

#include "format/page_common.h"
#include "format/page_font.h"
#include "framework/accessible_controls.h"
#include "framework/colour_picker.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvssd/records.h"

#include <array>
#include <cstdint>

namespace qv::charts {

class CQVChartFormatSheet;

// What both pattern pages share: the ten pattern words, the owner-drawn
// line style and weight lists, the line colour and the sample.
class ChartPatternPage : public fw::SheetPage {
  public:
    using Words = std::array<uint32_t, 10>;

    ChartPatternPage(CQVChartFormatSheet& sheet, UINT templateId);
    void SetWords(const uint32_t (&words)[10]);
    const Words& GetWords() const { return words_; }

  protected:
    // The line (or border) mode: 0 Automatic, 1 None, 2 Custom.
    void SetLineMode(uint32_t mode);
    void FillLineLists();
    void ShowLine();
    // A line change makes the line Custom (and clears Automatic and None).
    void LineChanged();
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool OnLineCommand(int id, int code);
    // The pen of the sample: style index, weight index and colour.
    void DrawLineSample(HDC dc, const RECT& box, COLORREF colour) const;
    uint8_t Kind() const;

    CQVChartFormatSheet& sheet_;
    fw::Font font_;
    fw::ColourPicker lineColour_;
    Words words_{};
    bool loading_ = false;
};

// Border and area of a chart area, plot area, legend, title or series.
class CQVChartPattern : public ChartPatternPage {
  public:
    explicit CQVChartPattern(CQVChartFormatSheet& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void SetAreaMode(uint8_t mode);
    void ShowAsPainted();
    void Paint(HDC dc);

    // The area's colour grid, its colours heard by name.
    fw::AccessibleListBox grid_;
};

// Line and markers of a data series.
class CQVChartLinePattern : public ChartPatternPage {
  public:
    explicit CQVChartLinePattern(CQVChartFormatSheet& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void SetMarkerMode(uint8_t mode);
    void Paint(HDC dc);

    fw::ColourPicker fore_;
    fw::ColourPicker back_;
};

// Text alignment and orientation, written into the record at once.
class CQVChartAlignment : public fw::SheetPage {
  public:
    explicit CQVChartAlignment(CQVChartFormatSheet& sheet);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    CQVChartFormatSheet& sheet_;
    fw::Font font_;
};

// The axis scale page: built with the sheet, never shown; it keeps the
// record's scale as it came.
class CQVScaleYAxis : public fw::SheetPage {
  public:
    CQVScaleYAxis();
    void SetScale(const QVChartAxisScale& scale) { scale_ = scale; }
    const QVChartAxisScale& Scale() const { return scale_; }

  private:
    QVChartAxisScale scale_{};
};

class CQVChartFormatSheet : public fw::Sheet, public format::FontPageHost {
  public:
    CQVChartFormatSheet(ChartFormatRecord* record, int32_t chartType, int32_t variant);
    ~CQVChartFormatSheet() override;

    ChartFormatRecord& Record() { return *record_; }
    // Copy-out after OK: the Font page's block, the shown pattern page's words.
    void CopyOut();

    // format::FontPageHost: the chart colours for the font colour button.
    const COLORREF* Palette() const override;
    bool Opening() const override { return opening_; }

  protected:
    void OnInitSheet() override;

  private:
    ChartFormatRecord* record_;
    int32_t chartType_;
    int32_t variant_;
    bool linePage_ = false;
    bool patternShown_ = false;
    bool fontShown_ = false;
    bool opening_ = false;
    FontBlock fontBlock_{};
    fw::Font sheetFont_;
    std::array<COLORREF, format::FontPageHost::kPaletteSize> palette_{};

    format::CQVFmtCellsFont fontPage_;
    CQVChartPattern areaPage_;
    CQVChartLinePattern lineMarkerPage_;
    CQVChartAlignment alignmentPage_;
    CQVScaleYAxis scalePage_;
};

} // namespace qv::charts
