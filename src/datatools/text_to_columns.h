// The Text to Columns wizard: step 1 chooses delimited or fixed-width data,
// one of two step 2 pages sets the delimiters or the column breaks, step 3
// sets a format per column and the destination. The wizard fills the host's
// record; the host splits the cells.
#pragma once

#include "datatools/separators.h"
#include "frame/range_bar.h"
#include "frame/refs.h"
#include "framework/gdi.h"
#include "framework/sheet.h"
#include "qvcore/textsplit.h"
#include "qvssd/records.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::datatools {

class CQVTextToColSheet;

// An owner-data list view showing a table of texts; it keeps no copy of them.
class PreviewList {
  public:
    using Cell = std::function<std::string_view(int row, int column)>;

    void Attach(HWND list, HFONT font);
    HWND hwnd() const { return list_; }
    // Shows `rows` rows of `columns` columns, each column as wide as its widest
    // text or title plus 25 pixels; `titles` gives the column headers. The
    // widest texts, when given (in the widths of CharWidths()), spare the
    // list from asking for every cell.
    void Show(int rows, int columns, const Cell& cell, const std::vector<std::string>& titles,
              const std::vector<long long>* widest = nullptr);
    // The widths of the font's 256 characters.
    const int* CharWidths() const { return charWidths_; }
    void SetTitle(int column, const std::string& title) const;
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    std::string_view CellText(int row, int column) const;
    // Answers LVN_GETDISPINFO; false for other notifications.
    bool OnNotify(NMHDR* header) const;

  private:
    int TextWidth(std::string_view text) const;

    HWND list_ = nullptr;
    HFONT font_ = nullptr;
    int rows_ = 0;
    int columns_ = 0;
    Cell cell_;
    int charWidths_[256] = {};
};

// The texts a preview shows, split when the list asks for a row: the lines
// themselves, their delimited split or their fixed-width cut. The fields are
// views of the lines, which the sheet keeps for its whole life.
class PreviewRows {
  public:
    void ShowLines(const std::vector<std::string>& lines);
    void ShowDelimited(const std::vector<std::string>& lines, const core::SplitOptions& options);
    void ShowFixedWidth(const std::vector<std::string>& lines, std::vector<int32_t> breaks);
    std::string_view Cell(int row, int column);

  private:
    enum class Kind { Lines, Delimited, FixedWidth };
    Kind kind_ = Kind::Lines;
    const std::vector<std::string>* lines_ = nullptr;
    std::optional<core::DelimitedSplitter> splitter_;
    std::vector<int32_t> breaks_;
    int cachedRow_ = -1;
    std::vector<std::string_view> fields_;
};

// Step 1: the type of the data and a plain preview.
class CQVTextToCol1 : public fw::SheetPage {
  public:
    explicit CQVTextToCol1(CQVTextToColSheet& sheet);
    bool DelimitedChosen() const;

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    fw::WizardMove OnWizardNext() override;
    bool OnWizardFinish() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    CQVTextToColSheet& sheet_;
    fw::Font font_;
    PreviewList preview_;
};

// What both step-2 pages share: their place in the wizard (Back to step 1,
// Next to step 3, Finish from here) and what they keep for their subclass.
class CQVTextToColStep2 : public fw::SheetPage {
  public:
    // `step` 1 for the delimited page, 2 for the fixed-width page.
    CQVTextToColStep2(CQVTextToColSheet& sheet, UINT templateId, int step);

  protected:
    bool OnSetActive() override;
    fw::WizardMove OnWizardNext() override;
    fw::WizardMove OnWizardBack() override;
    bool OnWizardFinish() override;
    // Hands the page's choices to the sheet when the user goes on to step 3.
    virtual void LeaveStep() = 0;

    CQVTextToColSheet& sheet_;
    fw::Font font_;

  private:
    int step_;
};

// Step 2 for delimited data: delimiters, qualifier and the split preview.
class CQVTextToCol2 : public CQVTextToColStep2 {
  public:
    explicit CQVTextToCol2(CQVTextToColSheet& sheet);

    // Writes the eight delimiter values to the profile store and the
    // consecutive flag to the record.
    void SaveSettings();
    const std::string& DelimiterSet() const { return delimiters_; }
    int PreviewColumns() const { return previewColumns_; }

  protected:
    bool OnInitDialog() override;
    bool OnQueryCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void LeaveStep() override;

  private:
    void LoadSettings();
    void BuildPreview();
    core::DelimiterChoice Choice() const;

    std::string delimiters_;
    int previewColumns_ = 1;
    PreviewRows rows_;
    PreviewList list_;
    bool loading_ = false;
};

// Step 2 for fixed-width data: column breaks on the separator control.
class CQVTextToCol3 : public CQVTextToColStep2 {
  public:
    explicit CQVTextToCol3(CQVTextToColSheet& sheet);
    // The breaks as handed on: ascending, each once, without 0.
    std::vector<int32_t> CollectBreaks() const;
    CQVSeparatorsCtrl& Separators() { return separators_; }

  protected:
    bool OnInitDialog() override;
    void LeaveStep() override;

  private:
    CQVSeparatorsCtrl separators_;
};

// Step 3: a format per column, the destination.
class CQVTextToCol4 : public fw::SheetPage {
  public:
    explicit CQVTextToCol4(CQVTextToColSheet& sheet);
    ~CQVTextToCol4() override;
    bool WasShown() const { return shown_; }
    void FocusDestination();

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    fw::WizardMove OnWizardBack() override;
    bool OnWizardFinish() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    void BuildPreview();
    void SelectCell(int row, int column);
    void ShowColumnFormat();
    void SetFormat(char code);
    std::string FormatName(char code) const;
    bool CustomDraw(NMLVCUSTOMDRAW* draw, LRESULT& result) const;

    CQVTextToColSheet& sheet_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    PreviewRows rows_;
    PreviewList list_;
    std::string formatNames_[4];
    int row_ = 0;
    int column_ = 0;
    bool shown_ = false;
    bool settingDestination_ = false;
};

class CQVTextToColSheet : public fw::Sheet, public frame::RangeBarOwner {
  public:
    explicit CQVTextToColSheet(TextToColumnRecord* record);
    ~CQVTextToColSheet() override;

    TextToColumnRecord& Record() { return *record_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    HFONT CellFont() const { return cellFont_.get(); }
    const std::string& CellFontFace() const { return cellFace_; }
    frame::MenuRefConverter& Refs() { return refs_; }

    int ColumnCount() const { return columnCount_; }
    void SetColumnCount(int count) { columnCount_ = count; }
    std::string& Formats() { return formats_; }
    const std::string& StepThreeDelimiters() const { return stepThreeDelimiters_; }
    const std::vector<int32_t>& Breaks() const { return breaks_; }

    // Step buttons of a page (0 step 1, 1 and 2 the step 2 pages, 3 step 3):
    // Finish always, Back and Next where they lead somewhere.
    void SetStepButtons(int step);
    // Next or Finish on a step 2 page hands its results on.
    void LeaveDelimited();
    void LeaveFixed();
    // Finish from any page; false keeps the wizard open.
    bool Finish(int pageIndex);
    // The column-limit question was answered with No: end as cancelled.
    void CancelWizard();
    // Asks 1209 (Yes splits on, No cancels).
    core::ColumnLimitAnswer AskColumnLimit();
    // The destination picker of step 3.
    void PickDestination(HWND destinationEdit);
    // The profile file of the delimiter choices.
    std::string ProfilePath() const;

    CQVTextToCol1& StepOne() { return step1_; }
    CQVTextToCol2& Delimited() { return step2_; }
    CQVTextToCol3& Fixed() { return fixed_; }
    CQVTextToCol4& StepThree() { return step3_; }

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    void OnInitSheet() override;

  private:
    void CopyBreaksToRecord();

    SeparatorsClassRegistration separatorsClass_;
    TextToColumnRecord* record_;
    std::vector<std::string> lines_;
    std::string cellFace_;
    fw::Font cellFont_;
    fw::Font dialogFont_;
    frame::MenuRefConverter refs_;
    std::string formats_ = "0";
    int columnCount_ = 1;
    std::string stepThreeDelimiters_;
    std::vector<int32_t> breaks_;
    int32_t hostBreaksAtStart_ = -1;
    CQVTextToCol1 step1_;
    CQVTextToCol2 step2_;
    CQVTextToCol3 fixed_;
    CQVTextToCol4 step3_;
};

} // namespace qv::datatools
