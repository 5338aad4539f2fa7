#include "format/page_align.h"

#include "format/format_cells.h"
#include "format/page_common.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/cell_format.h"
#include "qvcore/dial.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <climits>

namespace qv::format {
namespace {

constexpr UINT kHorizontalStrings[] = {1001, 1050, 1051, 1052};
constexpr UINT kVerticalStrings[] = {1053, 1051, 1054};
constexpr char kDegreeSign[] = "\xB0";

// A two-state box cannot show "neither": it shows unchecked.
void ShowState(const fw::Button& box, core::CheckState state, bool threeState) {
    box.SetCheck(state == core::kIndeterminate && !threeState ? core::kUnchecked : state);
}

} // namespace

CQVFmtCellsAlign::CQVFmtCellsAlign(CQVFormatCells& sheet)
    : SheetPage(IDD_FMT_ALIGN), sheet_(sheet) {}

void CQVFmtCellsAlign::SetBlock(const AlignmentBlock& block, uint8_t mode) {
    block_ = block;
    mode_ = mode;
    changed_ = false;
}

void CQVFmtCellsAlign::GetBlock(AlignmentBlock& out) const {
    out = block_;
    out.changed = Changed();
}

bool CQVFmtCellsAlign::OnInitDialog() {
    static const int kControls[] = {IDC_ALIGN_TEXT_GROUP,     IDC_ALIGN_HORIZONTAL_LABEL,
                                    IDC_ALIGN_VERTICAL_LABEL, IDC_ALIGN_CONTROL_GROUP,
                                    IDC_ALIGN_WRAP,           IDC_ALIGN_MERGE,
                                    IDC_ALIGN_ORIENT_GROUP,   IDC_ALIGN_DEGREES_LABEL,
                                    IDC_ALIGN_CLEAR};
    static const int kStrings[] = {3400, 3401, 3402, 3403, 3404, 3405, 3406, 3407, 3308};
    RelabelPage(hwnd(), kControls, kStrings, static_cast<int>(std::size(kControls)), font_,
                {IDC_ALIGN_HORIZONTAL, IDC_ALIGN_VERTICAL, IDC_ALIGN_DEGREES});

    dial_.Attach(hwnd(), IDC_ALIGN_DIAL);
    dial_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_ALIGN_ORIENT_GROUP)));
    dial_.SetRange(0, 359);
    dial_.SetPos(0);
    dial_.SetZeroAngle(270);
    dial_.SetInverted(true);
    fw::UpDown spin(hwnd(), IDC_ALIGN_DEGREES_SPIN);
    spin.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_ALIGN_DEGREES)), 0);
    spin.SetRange(-90, 90);
    UDACCEL step{0, 1};
    spin.Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    fw::Edit(hwnd(), IDC_ALIGN_DEGREES).LimitText(8);

    fw::ComboBox horizontal(hwnd(), IDC_ALIGN_HORIZONTAL);
    for (UINT id : kHorizontalStrings) {
        horizontal.Add(MenuString(id));
    }
    fw::ComboBox vertical(hwnd(), IDC_ALIGN_VERTICAL);
    for (UINT id : kVerticalStrings) {
        vertical.Add(MenuString(id));
    }
    LoadControls();
    return true;
}

void CQVFmtCellsAlign::LoadControls() {
    loading_ = true;
    const bool search = core::IsFindOrReplaceMode(mode_);
    fw::ComboBox(hwnd(), IDC_ALIGN_HORIZONTAL)
        .Select(block_.horizontal <= 3 ? block_.horizontal : -1);
    fw::ComboBox(hwnd(), IDC_ALIGN_VERTICAL).Select(block_.vertical <= 2 ? block_.vertical : -1);

    fw::Button wrap(hwnd(), IDC_ALIGN_WRAP);
    fw::Button merge(hwnd(), IDC_ALIGN_MERGE);
    if ((block_.textControl & core::kMergeDiffers) != 0 || search) {
        merge.Send(BM_SETSTYLE, BS_AUTO3STATE, TRUE);
    }
    if (search) {
        wrap.Send(BM_SETSTYLE, BS_AUTO3STATE, TRUE);
    }
    const bool mergeThreeState = (block_.textControl & core::kMergeDiffers) != 0 || search;
    ShowState(wrap, core::CheckStateOfFlags(block_.textControl, core::kWrapOn, core::kWrapOff),
              search);
    ShowState(merge, core::CheckStateOfFlags(block_.textControl, core::kMergeOn, core::kMergeOff),
              mergeThreeState);

    if (block_.orientation >= -90 && block_.orientation <= 90) {
        SetItemText(IDC_ALIGN_DEGREES, std::to_string(block_.orientation));
    } else {
        SetItemText(IDC_ALIGN_DEGREES, search ? " " : "");
    }
    OnDegreesEdited();

    if (search) {
        ShowItem(IDC_ALIGN_CLEAR, true);
        EnableItem(IDC_ALIGN_CLEAR, false);
        EnableItem(IDC_ALIGN_MERGE, false);
    } else {
        ShowItem(IDC_ALIGN_CLEAR, false);
        EnableItem(IDC_ALIGN_CLEAR, false);
    }
    loading_ = false;
}

int CQVFmtCellsAlign::WrapState() const {
    return fw::Button(hwnd(), IDC_ALIGN_WRAP).CheckState();
}

int CQVFmtCellsAlign::MergeState() const {
    return fw::Button(hwnd(), IDC_ALIGN_MERGE).CheckState();
}

void CQVFmtCellsAlign::OnDialMoved() {
    const int position = core::ClampDialPosition(dial_.Pos());
    const std::string degrees = std::to_string(core::DialDegrees(position));
    SetItemText(IDC_ALIGN_DEGREES, degrees);
    dial_.SetText(degrees + kDegreeSign);
}

void CQVFmtCellsAlign::OnDegreesEdited() {
    const std::string text = ItemText(IDC_ALIGN_DEGREES);
    int degrees = 0;
    if (core::ParseDialDegrees(text, degrees)) {
        dial_.SetText(text + kDegreeSign);
        dial_.SetPos(core::DialPositionOfDegrees(degrees));
    } else {
        dial_.SetText("");
        dial_.SetPos(0);
    }
    if (dial_.hwnd() != nullptr) {
        RedrawWindow(dial_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    if (!loading_) {
        UpdateChanged();
    }
}

void CQVFmtCellsAlign::Store() {
    if (hwnd() == nullptr) {
        return;
    }
    const int horizontal = fw::ComboBox(hwnd(), IDC_ALIGN_HORIZONTAL).Selection();
    const int vertical = fw::ComboBox(hwnd(), IDC_ALIGN_VERTICAL).Selection();
    block_.horizontal = static_cast<uint8_t>(horizontal < 0 ? 255 : horizontal);
    block_.vertical = static_cast<uint8_t>(vertical < 0 ? 255 : vertical);
    const auto merge = static_cast<core::CheckState>(MergeState());
    block_.textControl = core::StoreTextControl(
        block_.textControl, static_cast<core::CheckState>(WrapState()), merge, mode_);
    if (!core::IsFindOrReplaceMode(mode_) && merge != core::kIndeterminate) {
        // The Border page hears whether merge is on.
        PropSheet_QuerySiblings(GetParent(hwnd()), merge == core::kChecked ? 1 : 0, kMergeNotice);
    }
}

void CQVFmtCellsAlign::UpdateChanged() {
    changed_ = core::AlignmentChanged(
        fw::ComboBox(hwnd(), IDC_ALIGN_HORIZONTAL).Selection(),
        fw::ComboBox(hwnd(), IDC_ALIGN_VERTICAL).Selection(), ItemText(IDC_ALIGN_DEGREES),
        static_cast<core::CheckState>(WrapState()), static_cast<core::CheckState>(MergeState()));
    if (core::IsFindOrReplaceMode(mode_)) {
        EnableItem(IDC_ALIGN_CLEAR, changed_);
    }
}

void CQVFmtCellsAlign::Clear() {
    loading_ = true;
    fw::ComboBox(hwnd(), IDC_ALIGN_HORIZONTAL).Select(-1);
    fw::ComboBox(hwnd(), IDC_ALIGN_VERTICAL).Select(-1);
    SetItemText(IDC_ALIGN_DEGREES, "");
    OnDegreesEdited();
    fw::Button(hwnd(), IDC_ALIGN_WRAP).SetCheck(BST_INDETERMINATE);
    fw::Button(hwnd(), IDC_ALIGN_MERGE).SetCheck(BST_INDETERMINATE);
    loading_ = false;
    Store();
    UpdateChanged();
    if (GetFocus() == Item(IDC_ALIGN_CLEAR) || GetFocus() == nullptr) {
        FocusItem(IDC_ALIGN_HORIZONTAL);
    }
    EnableItem(IDC_ALIGN_CLEAR, false);
}

bool CQVFmtCellsAlign::OnCommand(int id, int code, HWND) {
    if (loading_) {
        return false;
    }
    switch (id) {
    case IDC_ALIGN_HORIZONTAL:
    case IDC_ALIGN_VERTICAL:
        if (code == CBN_SELCHANGE) {
            Store();
            UpdateChanged();
            return true;
        }
        return false;
    case IDC_ALIGN_WRAP:
    case IDC_ALIGN_MERGE:
        if (code == BN_CLICKED) {
            Store();
            UpdateChanged();
            return true;
        }
        return false;
    case IDC_ALIGN_DEGREES:
        if (code == EN_CHANGE) {
            OnDegreesEdited();
            return true;
        }
        return false;
    case IDC_ALIGN_CLEAR:
        if (code == BN_CLICKED && core::IsFindOrReplaceMode(mode_)) {
            Clear();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CQVFmtCellsAlign::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    if (message == WM_HSCROLL && dial_.hwnd() != nullptr &&
        reinterpret_cast<HWND>(lParam) == dial_.hwnd()) {
        OnDialMoved();
        result = 0;
        return true;
    }
    return false;
}

fw::PageLeave CQVFmtCellsAlign::OnKillActive() {
    Store();
    if (!changed_ || sheet_.Opening()) {
        return fw::PageLeave::Leave;
    }
    std::string text = ItemText(IDC_ALIGN_DEGREES);
    int degrees = 0;
    if (core::IsFindOrReplaceMode(mode_)) {
        text = core::RemoveSpaces(text);
        if (text.empty() || text == "0") {
            block_.orientation = 0;
            return fw::PageLeave::Leave;
        }
        if (block_.orientation == 100) {
            const int32_t value = core::AtoiClamped(text);
            block_.orientation = static_cast<int16_t>(
                value < SHRT_MIN ? SHRT_MIN : (value > SHRT_MAX ? SHRT_MAX : value));
            return fw::PageLeave::Leave;
        }
    }
    if (core::ParseDialDegrees(text, degrees)) {
        block_.orientation = static_cast<int16_t>(degrees);
        return fw::PageLeave::Leave;
    }
    frame::QVMsgBoxEx(1225, frame::kOneButton, frame::kIconWarning);
    FocusItem(IDC_ALIGN_DEGREES);
    fw::Edit(hwnd(), IDC_ALIGN_DEGREES).SelectAll();
    return fw::PageLeave::Stay;
}

} // namespace qv::format
