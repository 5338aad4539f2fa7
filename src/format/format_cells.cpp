#include "format/format_cells.h"

#include "format/page_align.h"
#include "format/page_border.h"
#include "format/page_common.h"
#include "format/page_font.h"
#include "format/page_number.h"
#include "format/page_pattern.h"
#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "qvcore/cell_format.h"
#include "qvssd/messages.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace qv::format {

using core::FormatSheetTitle;
using core::kFormatModeNormal;

CQVFormatCells::CQVFormatCells(HWND hostWindow, uint8_t mode)
    : Sheet(FormatSheetTitle(kFormatModeNormal)),
      number_(std::make_unique<CQVFmtCellsNumber>(*this)),
      align_(std::make_unique<CQVFmtCellsAlign>(*this)),
      fontPage_(std::make_unique<CQVFmtCellsFont>(*this)),
      border_(std::make_unique<CQVFmtCellsBorder>(*this)),
      pattern_(std::make_unique<CQVFmtCellsPattern>(*this)), hostWindow_(hostWindow), mode_(mode),
      layout_(core::LayoutFormatSheet(mode)) {
    AddPage(number_.get());
    AddPage(align_.get());
    AddPage(fontPage_.get());
    AddPage(border_.get());
    AddPage(pattern_.get());
}

CQVFormatCells::~CQVFormatCells() {
    QVStringArrayRemoveAll(&colourNames_);
}

std::vector<std::string> CQVFormatCells::ColourNameList() const {
    // The host filled the array; its texts are read as host data.
    std::vector<std::string> names;
    for (int32_t i = 0; i < colourNames_.size && i < kPaletteSize; ++i) {
        names.push_back(frame::ReadHostTextShown(QVStringArrayGet(&colourNames_, i), 255));
    }
    return names;
}

void CQVFormatCells::CopyIn(CellFormatRecord* record) {
    record_ = record;
    number_->SetBlock(record->number, record->font, mode_);
    align_->SetBlock(record->alignment, mode_);
    record->font.modeCopy = mode_;
    fontPage_->SetBlock(&record->font);
    const uint8_t merged = (record->alignment.textControl & core::kMergeOn) != 0 ? 8 : 0;
    border_->SetLines(&record->borders, mode_, merged);
    pattern_->SetBlock(record->pattern, mode_);
}

void CQVFormatCells::CopyOut() {
    if (record_ == nullptr) {
        return;
    }
    number_->GetBlock(record_->number);
    align_->GetBlock(record_->alignment);
    record_->font.changed = fontPage_->Changed();
    border_->WriteLines(&record_->borders);
    pattern_->GetBlock(record_->pattern);
    record_->startPage = core::StartPageOfPosition(startIndex_);
}

INT_PTR CQVFormatCells::Run() {
    // The host fills the palette and the names before any page exists.
    if (hostWindow_ != nullptr && IsWindow(hostWindow_)) {
        // The host fills a parcel: a host that answers too late fills memory
        // that is still there.
        struct Lists {
            std::array<COLORREF, kPaletteSize> palette{};
            QVStringArray names{};
        };
        frame::HostParcel<Lists> lists(Lists{});
        bool answered = false;
        frame::SendToHost(hostWindow_, WM_QV_FMTLISTS,
                          reinterpret_cast<WPARAM>(lists->palette.data()),
                          reinterpret_cast<LPARAM>(&lists->names), &answered);
        lists.Sent(answered);
        if (answered) {
            palette_ = lists->palette;
            colourNames_ = std::exchange(lists->names, QVStringArray{});
            frame::TrustHostStrings(colourNames_);
        }
    }
    // The sheet is made on its first page; OnInitSheet moves to the start page.
    SetStartPage(0);
    return DoModal();
}

void CQVFormatCells::OnInitSheet() {
    if (core::IsFindOrReplaceMode(mode_)) {
        fw::SetWindowTextTo(hwnd(), FormatSheetTitle(mode_));
    }
    // Every page once, so that each loads its block; then the pages the mode
    // hides go, the first page shown being active meanwhile.
    opening_ = true;
    for (int slot = 0; slot < core::kFormatSlotCount; ++slot) {
        SetActivePage(slot);
    }
    SetActivePage(layout_.shown[0]);
    for (int r = 0; r < layout_.removeCount; ++r) {
        RemovePage(layout_.removeIndices[static_cast<size_t>(r)]);
    }

    startIndex_ =
        core::StartPositionOf(record_ != nullptr ? record_->startPage : 0, layout_.shownCount);
    RelabelSheet();
    // Moving to the page already shown would make it validate itself.
    if (ActiveIndex() != startIndex_) {
        SetActivePage(startIndex_);
    }
    opening_ = false;
}

void CQVFormatCells::RelabelSheet() {
    static const int kButtons[] = {IDOK, IDCANCEL};
    static const int kButtonStrings[] = {frame::kStrOK, frame::kStrCancel};
    const std::string path = frame::DialogStringsPath(frame::HostMenuLanguage());
    if (!frame::RelabelShared(hwnd(), path, kButtons, kButtonStrings, 2, font_)) {
        return;
    }
    if (font_) {
        SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    const MenuStrings strings;
    SetTabFont(font_.get());
    for (int position = 0; position < TabCount() && position < layout_.shownCount; ++position) {
        SetTabText(position,
                   strings(core::FormatTabStringId(layout_.shown[static_cast<size_t>(position)])));
    }
}

void CQVFormatCells::RememberActivePosition() {
    if (hwnd() != nullptr && !opening_) {
        startIndex_ = ActiveIndex();
    }
}

void CQVFormatCells::ForwardEscape(WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(hwnd());
    if (parent != nullptr) {
        SendMessageA(parent, WM_KEYDOWN, wParam, lParam);
    }
}

bool CQVFormatCells::PreTranslateMessage(MSG& msg) {
    escapeForwarded_ = false;
    if (hwnd() != nullptr && msg.message == WM_KEYDOWN &&
        (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd))) {
        if (msg.wParam == VK_ESCAPE) {
            // The host hears the Escape first; the sheet then cancels as usual.
            ForwardEscape(msg.wParam, msg.lParam);
            escapeForwarded_ = msg.hwnd == hwnd();
        } else if (msg.wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
                   (GetKeyState(VK_SHIFT) & 0x8000) == 0) {
            const int target = core::CtrlTabTarget(ActiveIndex(), PageCount());
            if (target >= 0) {
                SetActivePage(target);
                return true;
            }
        }
    }
    return Sheet::PreTranslateMessage(msg);
}

bool CQVFormatCells::OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    switch (message) {
    case WM_COMMAND:
    case PSM_PRESSBUTTON:
        RememberActivePosition();
        return false;
    case WM_KEYDOWN:
        // A key-down sent to the sheet itself; one that came through the
        // message loop was forwarded already.
        if (wParam == VK_ESCAPE && !escapeForwarded_) {
            ForwardEscape(wParam, lParam);
        }
        escapeForwarded_ = false;
        return false;
    default:
        return false;
    }
}

} // namespace qv::format
