// The range bar: a one-line window that stands in for a dialog while the user
// selects cells in the host's sheet. The host sends the selection's text
// (WM_QV_RANGETEXT) and may read it back (WM_QV_GETRANGETEXT); Enter, Escape,
// the bar's button or closing the bar hand the text back to the dialog.
#pragma once

#include "framework/accessible_controls.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

#include <cstdint>
#include <string>

namespace qv::frame {

// Which of the owner's boxes a pick belongs to, for owners with several.
struct RangeField {
    bool first = false;  // e.g. Goal Seek's set cell, Data Table's row input
    bool second = false; // e.g. Goal Seek's changing cell, the column input
    uint8_t series = 0;  // chart series page: 0 name, 1 values, 2 categories
};

// Implemented by every dialog that opens the range bar: the text is delivered
// to the dialog by identity, whatever its caption says in the menu language.
class RangeBarOwner {
  public:
    virtual ~RangeBarOwner() = default;
    // The window hidden while the user picks (the dialog or the sheet).
    virtual HWND RangeOwnerWindow() const = 0;
    // The picked text, after the owner's edit box has received it.
    virtual void TakeRangeText(const std::string& text, const RangeField& field) = 0;
};

// The longest text the bar holds (a reference or a list of references).
inline constexpr size_t kRangeTextLimit = 255;

class CQVRangeBar : public fw::Dialog {
  public:
    CQVRangeBar(RangeBarOwner& owner, HWND ownerEdit, RangeField field);
    ~CQVRangeBar() override;

    // Creates the bar over the owner's window; false when it cannot.
    bool Open();
    bool Accepted() const { return accepted_; }
    std::string Text() const;

    bool PreTranslateMessage(MSG& msg) override;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void OnDestroy() override;

  private:
    // Hands the text back to the owner and ends the bar.
    void Accept(bool closedByWindow);

    RangeBarOwner* owner_;
    HWND ownerEdit_;
    fw::Font font_;
    fw::AccessibleEdit edit_;
    fw::AccessibleButton accept_;
    bool firstField_;
    bool secondField_;
    uint8_t seriesField_;
    std::string text_;
    fw::Bitmap image_;
    HWND frame_ = nullptr;
    bool frameWasEnabled_ = false;
    bool accepted_ = false;
};

// Runs a range pick for `owner`: tells the host that picking starts, hides
// the owner's window behind the bar, enables the host's frame and waits in a
// nested loop until the bar hands its text back. True when the text was
// delivered (false when the bar could not be created or the owner ended
// first).
bool PickRange(RangeBarOwner& owner, HWND ownerEdit, RangeField field = {});

// A range button's picture from the image library QVSSG.dll, loaded through
// the common services library; NULL when either is missing.
HBITMAP LoadRangeImage(int id, int size);

// The picture of the buttons beside reference boxes: image 13047 at 18 by 18
// pixels, loaded into `image` (which must outlive the button's use of it) and
// put on `button`. Without the image library the button keeps no picture.
void SetRangePickImage(HWND button, fw::Bitmap& image);

} // namespace qv::frame
