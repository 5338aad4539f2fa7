#include "datatools/analysis_common.h"

#include "frame/msgbox.h"
#include "frame/range_bar.h"
#include "framework/controls.h"

namespace qv::datatools {
namespace {

constexpr int kPickImage = 13047;
constexpr int kPickImageSize = 16;

} // namespace

void TwoRangeBoxDialog::TakeRangeText(const std::string& text, const frame::RangeField& field) {
    if (field.first) {
        SetItemText(boxes_.first, text);
    } else if (field.second) {
        SetItemText(boxes_.second, text);
    }
}

bool TwoRangeBoxDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || (id != boxes_.firstPick && id != boxes_.secondPick)) {
        return false;
    }
    if (CanPick()) {
        const bool first = id == boxes_.firstPick;
        frame::PickRange(*this, Item(first ? boxes_.first : boxes_.second),
                         frame::RangeField{first, !first, 0});
    }
    return true;
}

void FocusAndSelect(fw::Dialog& dialog, int id) {
    dialog.FocusItem(id);
    fw::Edit(dialog.hwnd(), id).SelectAll();
}

void ShowMessage(const core::MessageChoice& message) {
    if (message.id == 0) {
        return;
    }
    if (message.extended) {
        frame::QVMsgBoxEx(message.id, frame::kOneButton, frame::kIconWarning);
    } else {
        frame::QVMsgBox(message.id, frame::kOneButton);
    }
}

void SetPickImages(fw::Dialog& dialog, fw::Bitmap& image, std::initializer_list<int> buttons) {
    image.Reset(frame::LoadRangeImage(kPickImage, kPickImageSize));
    if (!image) {
        return;
    }
    for (int id : buttons) {
        fw::Button(dialog.hwnd(), id).SetImage(image.get());
    }
}

} // namespace qv::datatools
