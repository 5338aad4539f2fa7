// The Font page of the Format Cells sheet: face, style, size, effects and
// colour with a preview. It edits the record's FontBlock in place. Other
// sheets (Format Chart, Header/Footer) run it too: the page needs from its
// sheet only the palette of its colour button and whether the sheet is
// still activating its pages at opening.
#pragma once

#include "framework/colour_picker.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "format/page_common.h"
#include "qvssd/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::format {

// What the Font page asks of the sheet it runs in.
class FontPageHost {
  public:
    static constexpr int kPaletteSize = 40;
    // The colour button's 40 colours (NULL: all black).
    virtual const COLORREF* Palette() const = 0;
    // The palette's colour names as screen readers say them (none: each
    // colour is said by its red, green and blue).
    virtual std::vector<std::string> ColourNameList() const { return {}; }
    // True while the sheet activates its pages at opening: leaving the page
    // then stores without validating.
    virtual bool Opening() const = 0;

  protected:
    ~FontPageHost() = default;
};

class CQVFmtCellsFont : public fw::SheetPage {
  public:
    explicit CQVFmtCellsFont(FontPageHost& sheet);

    // Copy-in: the record's block, edited in place; its mode copy holds the
    // sheet mode (bit 7: hide the colour choice).
    void SetBlock(FontBlock* recordBlock);
    // The changed flag the sheet writes into the block on OK.
    uint8_t Changed() const { return changed_ ? 1 : 0; }

    // The faces the list offers (every TrueType face of the screen, once,
    // without "@" faces), in enumeration order.
    static const std::vector<std::string>& EnumerateFaces();

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    fw::PageLeave OnKillActive() override;

  private:
    void FillLists();
    void LoadBlock();
    void SyncList(int editId, int listId);
    void OnEdited();
    void NormalFont();
    void Clear();
    void UpdateChanged();
    bool Validate();
    void Store();
    void PaintPreview(HDC dc, const RECT& client);
    bool HoldsFace(const std::string& face) const;
    bool Refuse(UINT message, bool extended, int editId);
    uint32_t ColourValue() const;

    FontPageHost& sheet_;
    fw::Font font_;
    fw::ColourPicker colour_;
    PaintedStatic preview_;
    FontBlock* block_ = nullptr;
    uint8_t mode_ = 0;
    bool changed_ = false;
    bool loading_ = false;
    bool cleared_ = false; // the preview shows "Arial" 10 regular after Clear
    std::vector<std::string> faces_;
};

} // namespace qv::format
