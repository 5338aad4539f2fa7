// The Format Cells property sheet over a CellFormatRecord.
//
// The sheet holds five page slots in this order: Number, Alignment, Font,
// Border, Pattern. It asks the host window for the 40-colour palette and the
// colour names (WM_QV_FMTLISTS) before any page is created, activates every
// page once so that each loads its block, removes the pages the sheet mode
// hides, opens on the record's start page and remembers the active page.
//
// Pages. Every page lives in namespace qv::format, derives from
// fw::SheetPage, is declared in its own header under src/format/ and is
// constructed with the sheet:
//
//     explicit CQVFmtCellsX(CQVFormatCells& sheet);
//
// It may keep the reference and read sheet.Palette() (40 colour values,
// filled by the host before any page window exists), sheet.ColourNames() and
// sheet.Mode() at any time. The sheet calls, before the sheet window exists
// (copy-in) and after it is gone, on OK only (copy-out):
//
//   CQVFmtCellsNumber  (format/page_number.h)
//       void SetBlock(const NumberFormatBlock&, const FontBlock& font, uint8_t mode);
//       void GetBlock(NumberFormatBlock&) const;      // the block with its changed flag
//   CQVFmtCellsAlign   (format/page_align.h)
//       void SetBlock(const AlignmentBlock&, uint8_t mode);
//       void GetBlock(AlignmentBlock&) const;         // the block with its changed flag
//   CQVFmtCellsFont    (format/page_font.h)
//       void SetBlock(FontBlock* recordBlock);        // edits the record's block in place;
//                                                     // its modeCopy holds the sheet mode
//       uint8_t Changed() const;                      // the sheet writes it on OK
//   CQVFmtCellsBorder  (format/page_border.h)
//       void SetLines(QVVector* lines, uint8_t mode, uint8_t mergeFlag); // the record's
//                                                     // BorderLineList; mergeFlag 8 when the
//                                                     // alignment's merge-on bit is set
//       void WriteLines(QVVector* lines) const;       // clears the list and appends
//   CQVFmtCellsPattern (format/page_pattern.h)
//       void SetBlock(const PatternBlock&, uint8_t mode);
//       void GetBlock(PatternBlock&) const;           // the block with its changed flag
//
// A page keeps its values in members between leaving the page and copy-out:
// its window may be gone by then (a page the mode hides is removed right
// after the opening activation, and every page window ends with the sheet).
// While the sheet activates the pages at opening, Opening() is true; a page
// whose OnKillActive validates then stores what it holds without showing a
// message and answers PageLeave::Leave.
//
// String 3308 ("Clear") labels the Clear button (1132) of every page.
#pragma once

#include "format/page_font.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvcore/format_cells.h"
#include "qvssd/records.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::format {

class CQVFmtCellsNumber;
class CQVFmtCellsAlign;
class CQVFmtCellsBorder;
class CQVFmtCellsPattern;

class CQVFormatCells : public fw::Sheet, public FontPageHost {
  public:
    static constexpr int kPaletteSize = 40;

    // `hostWindow` answers WM_QV_FMTLISTS; `mode` is the record's sheet mode.
    CQVFormatCells(HWND hostWindow, uint8_t mode);
    ~CQVFormatCells() override;

    // ---- for the pages ---------------------------------------------------
    const COLORREF* Palette() const override { return palette_.data(); }
    const QVStringArray& ColourNames() const { return colourNames_; }
    // The same names as texts (what screen readers say for the palette).
    std::vector<std::string> ColourNameList() const override;
    uint8_t Mode() const { return mode_; }
    bool Opening() const override { return opening_; }

    // ---- for the export -----------------------------------------------------
    // Gives every page its block (the record must be writable for the call).
    void CopyIn(CellFormatRecord* record);
    // Asks the host for the palette and runs the sheet: IDOK or IDCANCEL.
    INT_PTR Run();
    // After OK: every page writes its block back, the sheet its start page.
    void CopyOut();

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    void OnInitSheet() override;
    bool OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void RelabelSheet();
    void RememberActivePosition();
    void ForwardEscape(WPARAM wParam, LPARAM lParam);

    fw::Font font_;
    // The pages, added in this order (sheet index = slot).
    std::unique_ptr<CQVFmtCellsNumber> number_;
    std::unique_ptr<CQVFmtCellsAlign> align_;
    std::unique_ptr<CQVFmtCellsFont> fontPage_;
    std::unique_ptr<CQVFmtCellsBorder> border_;
    std::unique_ptr<CQVFmtCellsPattern> pattern_;
    CellFormatRecord* record_ = nullptr;
    int startIndex_ = 0; // active position, 0-based among the pages shown
    HWND hostWindow_;
    std::array<COLORREF, kPaletteSize> palette_{};
    QVStringArray colourNames_{};

    uint8_t mode_;
    core::FormatSheetLayout layout_;
    bool opening_ = false;
    bool escapeForwarded_ = false;
};

} // namespace qv::format
