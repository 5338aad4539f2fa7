// The Page Setup property sheet over a PageSetupRecord: the Page, Margins,
// Header/Footer and Sheet pages, each with a copy of its block of the record
// and an action byte that its "Print..." and "Print Preview" buttons set.
//
// Pages derive from PageSetupPage and offer the sheet
//     void SetData(const Block&, uint8_t action);   // copy-in, before any window
//     void GetData(Block&, uint8_t& action) const;  // copy-out, after the sheet
// While the sheet activates every page once at opening, Opening() is true:
// a page that validates when it is left then simply leaves.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvssd/records.h"

#include <cstdint>
#include <memory>

namespace qv::pagesetup {

class CQVPageSetup;
class CQVPages;
class CQVMargins;
class CQVHeaderFooter;
class CQVPageSheet;

// What every page of the sheet shares: its action byte and the two buttons
// that end the sheet.
class PageSetupPage : public fw::SheetPage {
  public:
    PageSetupPage(UINT templateId, CQVPageSetup& sheet);
    std::uint8_t Action() const { return action_; }

  protected:
    // "Print..." and "Print Preview"; a page's own commands come first.
    bool OnCommand(int id, int code, HWND control) override;

    CQVPageSetup& sheet_;
    std::uint8_t action_ = 0;
};

class CQVPageSetup : public fw::Sheet, public frame::RangeBarOwner {
  public:
    CQVPageSetup();
    ~CQVPageSetup() override;

    // ---- for the export ------------------------------------------------------
    void CopyIn(const PageSetupRecord& record);
    // Runs the sheet: IDOK, IDCANCEL or -1.
    INT_PTR Run();
    // Every page's block, and the action of the first page that has one.
    void CopyOut(PageSetupRecord& record) const;

    // ---- for the pages -------------------------------------------------------
    bool Opening() const { return opening_; }
    // The orientation flags the Page page last chose (1 portrait, 2 landscape).
    std::uint8_t Orientation() const { return orientation_; }
    void SetOrientation(std::uint8_t flags) { orientation_ = flags; }
    // Ends the sheet as its OK button does; false when the active page
    // refuses to be left (it has then told the user why).
    bool EndAsOK();
    // References in the menu language's letters.
    frame::MenuRefConverter& Refs() { return refs_; }
    // The range bar for a page's reference box.
    void PickRange(HWND edit);

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    void OnInitSheet() override;

  private:
    void RelabelSheet();

    std::unique_ptr<CQVPages> page_;
    std::unique_ptr<CQVMargins> margins_;
    std::unique_ptr<CQVHeaderFooter> headerFooter_;
    std::unique_ptr<CQVPageSheet> sheetPage_;
    fw::Font font_;
    frame::MenuRefConverter refs_;
    HWND pickEdit_ = nullptr;
    int startIndex_ = 0;
    std::uint8_t orientation_ = 1;
    bool opening_ = false;
};

} // namespace qv::pagesetup
