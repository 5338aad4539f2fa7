// Label Ranges keeps the ranges whose texts serve as row or column labels;
// Identify Label asks which cell a label that occurs more than once stands for.
#pragma once

#include "frame/range_bar.h"
#include "frame/refs.h"
#include "frame/script_edit.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "names/host_arrays.h"
#include "qvssd/records.h"

#include <optional>
#include <string>

namespace qv::names {

// The longest text a reference box of these dialogs takes.
inline constexpr int kReferenceLimit = 255;

class CQVNameLabelDlg : public fw::Dialog, public frame::RangeBarOwner {
  public:
    // `record` must be writable (the export checks); its ranges and kinds are
    // edited in place while the dialog is open.
    explicit CQVNameLabelDlg(LabelRangesRecord* record);
    ~CQVNameLabelDlg() override;

    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    // Adds the box's range; a text that is no range gets message 1235.
    void Add();
    void Remove();
    void ShowSelected();
    void RangeTextChanged();
    // The record's index of a range as the list shows it.
    std::optional<size_t> FindRange(const std::string& shown);
    // The range typed in the box in its normal A1 form.
    std::optional<std::string> TypedRange();

    LabelRangesRecord* record_;
    HostStringArray ranges_;
    HostUIntArray kinds_;
    frame::CQVScriptEdit rangeEdit_;
    frame::MenuRefConverter refs_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    bool keyboardSwitched_ = false;
    bool changingText_ = false;
};

class CQVNameRepetitionLabelDlg : public fw::Dialog, public frame::RangeBarOwner {
  public:
    explicit CQVNameRepetitionLabelDlg(std::string label);
    ~CQVNameRepetitionLabelDlg() override;

    // The cell typed or picked, after OK.
    const std::string& Cell() const { return cell_; }

    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    std::string label_;
    std::string cell_;
    fw::Font font_;
    fw::Bitmap pickImage_;
    bool keyboardSwitched_ = false;
};

} // namespace qv::names
