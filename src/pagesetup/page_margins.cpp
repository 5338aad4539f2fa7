#include "pagesetup/page_margins.h"

#include "format/page_common.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "resource.h"

#include <algorithm>
#include <string>

namespace qv::pagesetup {
namespace {

constexpr std::uint8_t kCentreHorizontally = 0x20, kCentreVertically = 0x10;

// The boxes and their spins in the order of core::MarginBox.
constexpr std::array<int, core::kMarginCount> kBoxes = {IDC_MARGIN_TOP,    IDC_MARGIN_BOTTOM,
                                                        IDC_MARGIN_LEFT,   IDC_MARGIN_RIGHT,
                                                        IDC_MARGIN_HEADER, IDC_MARGIN_FOOTER};
constexpr std::array<int, core::kMarginCount> kLabels = {
    IDC_MARGIN_TOP_LABEL,   IDC_MARGIN_BOTTOM_LABEL, IDC_MARGIN_LEFT_LABEL,
    IDC_MARGIN_RIGHT_LABEL, IDC_MARGIN_HEADER_LABEL, IDC_MARGIN_FOOTER_LABEL};
constexpr std::array<int, core::kMarginCount> kSpins = {
    IDC_MARGIN_TOP_SPIN,   IDC_MARGIN_BOTTOM_SPIN, IDC_MARGIN_LEFT_SPIN,
    IDC_MARGIN_RIGHT_SPIN, IDC_MARGIN_HEADER_SPIN, IDC_MARGIN_FOOTER_SPIN};

int BoxIndex(int id) {
    const auto* at = std::find(kBoxes.begin(), kBoxes.end(), id);
    return at == kBoxes.end() ? -1 : static_cast<int>(at - kBoxes.begin());
}

} // namespace

CQVMargins::CQVMargins(CQVPageSetup& sheet) : PageSetupPage(IDD_PS_MARGINS, sheet) {}

void CQVMargins::SetData(const MarginsBlock& block, std::uint8_t action) {
    block_ = block;
    action_ = action;
}

void CQVMargins::GetData(MarginsBlock& block, std::uint8_t& action) const {
    block = block_;
    action = action_;
}

std::array<float*, core::kMarginCount> CQVMargins::Fields() {
    return {&block_.top,   &block_.bottom, &block_.left,
            &block_.right, &block_.header, &block_.footer};
}

int CQVMargins::PictureId(bool portrait, bool horizontally, bool vertically) {
    if (portrait) {
        return horizontally ? (vertically ? 13054 : 13055) : (vertically ? 13057 : 13056);
    }
    return horizontally ? (vertically ? 13160 : 13159) : (vertically ? 13162 : 13161);
}

bool CQVMargins::OnInitDialog() {
    static const int kControls[] = {IDC_MARGIN_TOP_LABEL,    IDC_MARGIN_BOTTOM_LABEL,
                                    IDC_MARGIN_LEFT_LABEL,   IDC_MARGIN_RIGHT_LABEL,
                                    IDC_MARGIN_HEADER_LABEL, IDC_MARGIN_FOOTER_LABEL,
                                    IDC_MARGIN_CENTER_GROUP, IDC_MARGIN_HORIZONTALLY,
                                    IDC_MARGIN_VERTICALLY,   IDC_PS_PRINT,
                                    IDC_PS_PREVIEW,          0};
    static const int kStrings[] = {1266, 1267, 1268, 1269, 1271, 1270,
                                   1272, 1273, 1274, 1556, 1557, 0};
    // The boxes hold numbers and keep the template's font: in the local face
    // their digits are hairlines that read as a disabled box.
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    const auto fields = Fields();
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        spins_[i].Attach(hwnd(), kSpins[i], kBoxes[i], 0, 100, 0.25, 2);
        SetItemText(kBoxes[i], core::MarginText(*fields[i]));
    }
    SetChecked(IDC_MARGIN_HORIZONTALLY, (block_.centering & kCentreHorizontally) != 0);
    SetChecked(IDC_MARGIN_VERTICALLY, (block_.centering & kCentreVertically) != 0);
    picture_.Attach(hwnd(), IDC_MARGIN_PICTURE,
                    [this](HDC dc, const RECT& picture) { MarkLine(dc, picture); });
    {
        const format::MenuStrings strings;
        orientationWords_ = {fw::SpokenLabel(strings(1289)), fw::SpokenLabel(strings(1290))};
        if (orientationWords_[0].empty() || orientationWords_[1].empty()) {
            orientationWords_ = {"Portrait", "Landscape"};
        }
        picture_.Describe(fw::SpokenLabel(strings(1300)), {});
    }
    DrawPicture();
    return true;
}

// What a screen reader hears of the picture: the orientation, the centring
// and the margin being edited, in the words of the page.
void CQVMargins::DescribePicture() {
    const bool portrait = (sheet_.Orientation() & 1) != 0;
    std::string value = orientationWords_[portrait ? 0 : 1];
    for (int box : {IDC_MARGIN_HORIZONTALLY, IDC_MARGIN_VERTICALLY}) {
        if (IsChecked(box)) {
            value += ", " + fw::SpokenLabel(ItemText(box));
        }
    }
    if (marked_ >= 0) {
        value += ", " + fw::SpokenLabel(ItemText(kLabels[static_cast<size_t>(marked_)]));
    }
    picture_.Describe(picture_.AccessibleName(), value);
}

void CQVMargins::DrawPicture() {
    const bool portrait = (sheet_.Orientation() & 1) != 0;
    const int id =
        PictureId(portrait, IsChecked(IDC_MARGIN_HORIZONTALLY), IsChecked(IDC_MARGIN_VERTICALLY));
    if (id != pictureId_) {
        HBITMAP bitmap = portrait ? LoadPicture(id, 100, 130) : LoadPicture(id, 130, 100);
        if (bitmap != nullptr) {
            picture_.SetBitmap(bitmap);
            pictureId_ = id;
        }
    }
    DescribePicture();
}

// The margin being edited, drawn over its dotted line (the header and footer
// between the edge and the top and bottom margins).
void CQVMargins::MarkLine(HDC dc, const RECT& picture) const {
    if (marked_ < 0) {
        return;
    }
    const int w = picture.right - picture.left, h = picture.bottom - picture.top;
    if (w <= 0 || h <= 0) {
        return;
    }
    const int margin = std::min(w, h) * 12 / 100;
    const int edge = margin / 2;
    RECT line = picture;
    switch (marked_) {
    case core::kMarginTop:
        line.top += margin - 1;
        line.bottom = line.top + 3;
        break;
    case core::kMarginBottom:
        line.bottom -= margin - 1;
        line.top = line.bottom - 3;
        break;
    case core::kMarginLeft:
        line.left += margin - 1;
        line.right = line.left + 3;
        break;
    case core::kMarginRight:
        line.right -= margin - 1;
        line.left = line.right - 3;
        break;
    case core::kMarginHeader:
        line.top += edge - 1;
        line.bottom = line.top + 3;
        break;
    default: // footer
        line.bottom -= edge - 1;
        line.top = line.bottom - 3;
        break;
    }
    FillRect(dc, &line, GetSysColorBrush(COLOR_HIGHLIGHT));
}

bool CQVMargins::OnCommand(int id, int code, HWND control) {
    if (code == EN_SETFOCUS) {
        const int box = BoxIndex(id);
        if (box >= 0 && box != marked_) {
            marked_ = box;
            picture_.Redraw();
            DescribePicture();
        }
        return box >= 0;
    }
    if (code == BN_CLICKED && (id == IDC_MARGIN_HORIZONTALLY || id == IDC_MARGIN_VERTICALLY)) {
        const std::uint8_t bit =
            id == IDC_MARGIN_HORIZONTALLY ? kCentreHorizontally : kCentreVertically;
        block_.centering ^= bit;
        DrawPicture();
        return true;
    }
    return PageSetupPage::OnCommand(id, code, control);
}

bool CQVMargins::OnNotify(NMHDR* header, LRESULT& result) {
    for (const NumericSpin& spin : spins_) {
        if (spin.OnNotify(header, result)) {
            return true;
        }
    }
    return PageSetupPage::OnNotify(header, result);
}

bool CQVMargins::OnSetActive() {
    DrawPicture();
    return true;
}

fw::PageLeave CQVMargins::OnKillActive() {
    if (sheet_.Opening() || hwnd() == nullptr) {
        return fw::PageLeave::Leave;
    }
    std::array<std::string, core::kMarginCount> texts;
    std::array<float, core::kMarginCount> values{};
    const auto fields = Fields();
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        texts[i] = ItemText(kBoxes[i]);
        values[i] = *fields[i];
    }
    const core::MarginsCheck check = core::CheckMargins(texts, values);
    for (size_t i = 0; i < kBoxes.size(); ++i) {
        *fields[i] = values[i];
    }
    if (check.kind != core::MarginsCheck::Ok) {
        if (check.kind == core::MarginsCheck::NotANumber) {
            frame::QVMsgBoxEx(1189, frame::kOneButton, frame::kIconWarning);
        } else {
            frame::QVMsgBox(1283, frame::kOneButton);
        }
        const int box = kBoxes[static_cast<size_t>(check.box)];
        fw::Edit(hwnd(), box).SelectAll();
        FocusItem(box);
        return fw::PageLeave::Stay;
    }
    const auto set = [&](std::uint8_t bit, bool on) {
        block_.centering =
            static_cast<std::uint8_t>(on ? block_.centering | bit : block_.centering & ~bit);
    };
    set(kCentreHorizontally, IsChecked(IDC_MARGIN_HORIZONTALLY));
    set(kCentreVertically, IsChecked(IDC_MARGIN_VERTICALLY));
    return fw::PageLeave::Leave;
}

} // namespace qv::pagesetup
