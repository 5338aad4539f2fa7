#include "pagesetup/page_sheet.h"

#include "format/page_common.h"
#include "frame/host_data.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/cellref.h"
#include "resource.h"

#include <array>

namespace qv::pagesetup {
namespace {

// The option bits of the check boxes, in bit order.
constexpr std::array<int, 4> kOptionBoxes = {IDC_SHEET_GRIDLINES, IDC_SHEET_BLACK_WHITE,
                                             IDC_SHEET_DRAFT, IDC_SHEET_HEADINGS};
constexpr std::uint8_t kDownThenOver = 0x10, kOverThenDown = 0x20;
constexpr int kPickPicture = 13047, kDownOverPicture = 13038, kOverDownPicture = 13050;
constexpr std::array<UINT, 3> kCommentStrings = {1957, 1958, 1959};

} // namespace

CQVPageSheet::CQVPageSheet(CQVPageSetup& sheet) : PageSetupPage(IDD_PS_SHEET, sheet) {}

void CQVPageSheet::SetData(const SheetOptionsBlock& block, std::uint8_t action) {
    block_ = block;
    action_ = action;
}

void CQVPageSheet::GetData(SheetOptionsBlock& block, std::uint8_t& action) const {
    block = block_;
    action = action_;
}

bool CQVPageSheet::OnInitDialog() {
    static const int kControls[] = {IDC_SHEET_AREA_LABEL,  IDC_SHEET_TITLES_GROUP,
                                    IDC_SHEET_ROWS_LABEL,  IDC_SHEET_COLS_LABEL,
                                    IDC_SHEET_PRINT_GROUP, IDC_SHEET_GRIDLINES,
                                    IDC_SHEET_HEADINGS,    IDC_SHEET_BLACK_WHITE,
                                    IDC_SHEET_DRAFT,       IDC_SHEET_COMMENTS_LABEL,
                                    IDC_SHEET_ORDER_GROUP, IDC_SHEET_DOWN_OVER,
                                    IDC_SHEET_OVER_DOWN,   IDC_PS_PRINT,
                                    IDC_PS_PREVIEW,        0};
    static const int kStrings[] = {1275, 1276, 1277, 1278, 1279, 1280, 1281, 1282,
                                   1283, 1964, 1285, 1286, 1287, 1556, 1557, 0};
    const bool relabelled =
        frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                             {IDC_SHEET_ERRORS_LABEL, IDC_SHEET_AREA, IDC_SHEET_COMMENTS});

    fw::ComboBox comments(hwnd(), IDC_SHEET_COMMENTS);
    if (relabelled) {
        const format::MenuStrings strings;
        for (size_t i = 0; i < kCommentStrings.size(); ++i) {
            comments.SetData(comments.Add(strings(kCommentStrings[i])), static_cast<LPARAM>(i));
        }
    }
    for (int i = 0, n = comments.Count(); i < n; ++i) {
        if (comments.Data(i) == static_cast<LPARAM>(block_.comments)) {
            comments.Select(i);
        }
    }

    const std::string area = frame::ReadHostTextShown(block_.printArea, sizeof block_.printArea);
    if (!area.empty()) {
        SetItemText(IDC_SHEET_AREA, sheet_.Refs().ToShown(area));
    }
    for (size_t bit = 0; bit < kOptionBoxes.size(); ++bit) {
        SetChecked(kOptionBoxes[bit], (block_.options & (1u << bit)) != 0);
    }
    const bool overThenDown = (block_.options & kOverThenDown) != 0;
    SetChecked(IDC_SHEET_OVER_DOWN, overThenDown);
    SetChecked(IDC_SHEET_DOWN_OVER, !overThenDown);

    // The pick buttons' picture and both page-order pictures, in one go.
    const std::vector<HBITMAP> pictures = LoadPictures(
        {{kPickPicture, 16, 16}, {kDownOverPicture, 70, 50}, {kOverDownPicture, 70, 50}});
    pickImage_.Reset(pictures[0]);
    for (int pick : {IDC_SHEET_AREA_PICK, IDC_SHEET_ROWS_PICK, IDC_SHEET_COLS_PICK}) {
        fw::Button(hwnd(), pick).SetImage(pickImage_.get());
    }
    downOver_.Reset(pictures[1]);
    overDown_.Reset(pictures[2]);
    order_.Attach(hwnd(), IDC_SHEET_ORDER_PICTURE);
    DrawOrder();
    return true;
}

void CQVPageSheet::DrawOrder() {
    const bool overThenDown = IsChecked(IDC_SHEET_OVER_DOWN);
    order_.ShowBitmap(overThenDown ? overDown_.get() : downOver_.get());
    // Heard as the page order group's name and the order it shows.
    order_.Describe(
        fw::SpokenLabel(ItemText(IDC_SHEET_ORDER_GROUP)),
        fw::SpokenLabel(ItemText(overThenDown ? IDC_SHEET_OVER_DOWN : IDC_SHEET_DOWN_OVER)));
}

bool CQVPageSheet::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED) {
        for (size_t bit = 0; bit < kOptionBoxes.size(); ++bit) {
            if (id == kOptionBoxes[bit]) {
                const auto mask = static_cast<std::uint8_t>(1u << bit);
                block_.options = static_cast<std::uint8_t>(IsChecked(id) ? block_.options | mask
                                                                         : block_.options & ~mask);
                return true;
            }
        }
        switch (id) {
        case IDC_SHEET_DOWN_OVER:
            block_.options = static_cast<std::uint8_t>(
                IsChecked(id) ? (block_.options | kDownThenOver) & ~kOverThenDown
                              : block_.options & ~kDownThenOver);
            DrawOrder();
            return true;
        case IDC_SHEET_OVER_DOWN:
            block_.options = static_cast<std::uint8_t>(
                IsChecked(id) ? (block_.options | kOverThenDown) & ~kDownThenOver
                              : block_.options & ~kOverThenDown);
            DrawOrder();
            return true;
        case IDC_SHEET_AREA_PICK:
            sheet_.PickRange(Item(IDC_SHEET_AREA));
            return true;
        default:
            break;
        }
    }
    return PageSetupPage::OnCommand(id, code, control);
}

fw::PageLeave CQVPageSheet::OnKillActive() {
    if (sheet_.Opening() || hwnd() == nullptr) {
        return fw::PageLeave::Leave;
    }
    const std::string shown = ItemText(IDC_SHEET_AREA);
    if (shown.empty()) {
        block_.printArea[0] = '\0';
    } else {
        const std::string area = sheet_.Refs().FromShown(shown);
        const bool valid = core::IsRangeRef(area) || core::IsCellRef(area) || core::IsRefList(area);
        if (!valid || area.empty() || area.size() >= sizeof block_.printArea) {
            frame::QVMsgBoxEx(1187, frame::kOneButton, frame::kIconWarning);
            fw::Edit(hwnd(), IDC_SHEET_AREA).SelectAll();
            FocusItem(IDC_SHEET_AREA);
            return fw::PageLeave::Stay;
        }
        frame::WriteHostText(block_.printArea, sizeof block_.printArea, area);
    }
    fw::ComboBox comments(hwnd(), IDC_SHEET_COMMENTS);
    if (const int selected = comments.Selection(); selected >= 0) {
        block_.comments = static_cast<std::uint16_t>(comments.Data(selected));
    }
    return fw::PageLeave::Leave;
}

} // namespace qv::pagesetup
