// Pieces the what-if and pivot table dialogs share: refusing an entry,
// writing a host's fixed text field and the pictures of the pick buttons.
#pragma once

#include "frame/range_bar.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvcore/what_if.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qv::datatools {

// A dialog with two reference boxes, each with a button that hides the
// dialog behind the range bar while the user picks the box's cells in the
// sheet; the picked text comes back into its box.
class TwoRangeBoxDialog : public fw::Dialog, public frame::RangeBarOwner {
  public:
    struct Boxes {
        int first;
        int firstPick;
        int second;
        int secondPick;
    };
    TwoRangeBoxDialog(UINT templateId, Boxes boxes) : Dialog(templateId), boxes_(boxes) {}

    // frame::RangeBarOwner
    HWND RangeOwnerWindow() const override { return hwnd(); }
    void TakeRangeText(const std::string& text, const frame::RangeField& field) override;

  protected:
    bool OnCommand(int id, int code, HWND control) override;
    // False while a pick would get in the way.
    virtual bool CanPick() const { return true; }

    const Boxes boxes_;
};

// Puts the focus in an edit box and selects its text, as after a refused entry.
void FocusAndSelect(fw::Dialog& dialog, int id);

// Shows a numbered message in the box its rule chose (nothing for id 0).
void ShowMessage(const core::MessageChoice& message);

// Writes a text into a host's fixed field: at most N - 1 characters and the
// terminator.
template <std::size_t N> void CopyToField(char (&field)[N], std::string_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

// Loads the pick buttons' picture (16 by 16 pixels) into `image` and puts it
// on each button; the buttons stay bare when the picture library is missing.
void SetPickImages(fw::Dialog& dialog, fw::Bitmap& image, std::initializer_list<int> buttons);

} // namespace qv::datatools
