// The Number page of the Format Cells sheet: category, options and a live
// sample of the active cell's value.
#pragma once

#include "framework/gdi.h"
#include "framework/accessible_controls.h"
#include "framework/sheet.h"
#include "framework/subclass.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>

namespace qv::format {

class CQVFormatCells;

// The Sample box: a static control whose new text is drawn at the next
// paint instead of at once, and not set at all when it is the same. The
// page renders a sample at every change of a control; a static control of
// the platform repaints itself within every WM_SETTEXT.
class SampleStatic : public fw::SubclassedWindow {
  public:
    // Sets the text when it differs from the one the control holds.
    void SetText(const std::string& text);

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::string text_;
    bool known_ = false;
};

class CQVFmtCellsNumber : public fw::SheetPage {
  public:
    explicit CQVFmtCellsNumber(CQVFormatCells& sheet);

    // Copy-in: the block, a copy of the record's font block (its face picks the
    // sample language and font) and the sheet mode.
    void SetBlock(const NumberFormatBlock& block, const FontBlock& font, uint8_t mode);
    // Copy-out: the block with the page's changed flag.
    void GetBlock(NumberFormatBlock& out) const;

    // 1 English, 2 the Indian language.
    uint8_t SampleLanguage() const { return sampleLanguage_; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    fw::PageLeave OnKillActive() override;

  private:
    void LoadControls();
    void HideOptions();
    void ShowCategory(int category);
    void FillTypeList(int category);
    void RebuildNegativeList();
    void ReadSampleInputs();
    void RenderSample();
    void UpdateChanged();
    void OnOptionChanged(int id);
    void Clear();
    void OnCustomCodeTyped();
    void StoreControls(bool withDecimals, int32_t decimals);
    int Category() const;
    void DrawNegativeEntry(const DRAWITEMSTRUCT& item) const;

    CQVFormatCells& sheet_;
    fw::Font font_; // the dialog font
    NumberFormatBlock block_{};
    uint8_t mode_ = 0;
    uint8_t changed_ = 0;
    uint8_t sampleLanguage_ = 1;
    fw::Font sampleFont_;
    SampleStatic sample_;
    fw::AccessibleListBox negatives_;
    bool sampleFontSet_ = false;
    // The controls the sample is rendered from, as last read.
    struct SampleInputs {
        int category = -1;
        std::string decimals;
        bool separator = false;
        int negative = -1;
        int symbol = -1;
        int type = -1;
    } inputs_;
    bool filling_ = false;
};

} // namespace qv::format
