#include "datatools/pivot_drop_down.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/text.h"
#include "resource.h"

#include <algorithm>
#include <string_view>

namespace qv::datatools {
namespace {

// The state images of a check-box list: 1 clear, 2 ticked.
constexpr UINT kClearImage = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kTickedImage = INDEXTOSTATEIMAGEMASK(2);

// Empties a host string array; storage that cannot be read is let go of,
// not freed.
void EmptyHostStrings(QVStringArray& array) {
    const size_t slots = static_cast<size_t>(std::max<int32_t>(array.size, 1));
    if (array.data != nullptr && array.size >= 0 && array.size <= array.capacity &&
        frame::IsReadable(array.data, slots * sizeof(QVString))) {
        QVStringArrayRemoveAll(&array);
    }
    array.data = nullptr;
    array.size = 0;
    array.capacity = 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    const std::wstring wideText = fw::Widen(text);
    const std::wstring widePrefix = fw::Widen(prefix);
    if (widePrefix.size() > wideText.size()) {
        return false;
    }
    const int length = static_cast<int>(widePrefix.size());
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideText.c_str(), length,
                          widePrefix.c_str(), length) == CSTR_EQUAL;
}

} // namespace

// ---- the check list ----------------------------------------------------------------------

int PivotCheckList::FocusedRow() const {
    return static_cast<int>(
        SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void PivotCheckList::FocusRow(int row) const {
    fw::ListView(hwnd()).Select(row);
}

int PivotCheckList::RowAt(LPARAM point, bool& onBox) const {
    LVHITTESTINFO hit{};
    hit.pt.x = static_cast<short>(LOWORD(point));
    hit.pt.y = static_cast<short>(HIWORD(point));
    SendMessageA(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    onBox = (hit.flags & LVHT_ONITEMSTATEICON) != 0;
    return (hit.flags & LVHT_ONITEM) != 0 ? hit.iItem : -1;
}

LRESULT PivotCheckList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        bool onBox = false;
        const int row = RowAt(lParam, onBox);
        if (row >= 0 && (onBox || message == WM_LBUTTONDBLCLK)) {
            SetFocus(hwnd());
            FocusRow(row);
            if (toggle_) {
                toggle_(row);
            }
            return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            if (toggle_) {
                toggle_(FocusedRow());
            }
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ') {
            return 0; // not the start of an item search
        }
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

// ---- the drop-down -----------------------------------------------------------------------

CQVPivotDropDownDlg::CQVPivotDropDownDlg(const PivotFieldRecord* record, QVPivotFieldItems* items)
    : Dialog(IDD_PIVOT_DROP_DOWN), record_(record), items_(items),
      language_(record->language == frame::kEnglish ? frame::kEnglish : frame::kLocal) {}

void CQVPivotDropDownDlg::ReadItems() {
    // The host's own texts decide which items are shown and go back on OK;
    // the list shows them as the host's text.
    texts_ = frame::ReadHostStrings(&items_->allItems, frame::kHostTextLimit);
    const std::vector<std::string> shown =
        frame::ReadHostStrings(&items_->shownItems, frame::kHostTextLimit);
    shownTexts_.clear();
    shownTexts_.reserve(texts_.size());
    for (const std::string& text : texts_) {
        shownTexts_.push_back(frame::FromHostText(text));
    }
    const std::vector<std::string_view> itemViews(texts_.begin(), texts_.end());
    const std::vector<std::string_view> shownViews(shown.begin(), shown.end());
    ticks_.Reset(itemViews, shownViews);
}

bool CQVPivotDropDownDlg::OnInitDialog() {
    static const int kControls[] = {IDOK, IDCANCEL};
    static const int kStrings[] = {frame::kStrCountedOK, frame::kStrCountedCancel};
    frame::RelabelCounted(hwnd(), frame::DialogStringsPath(language_), kControls, kStrings, 2,
                          font_);
    allItems_ = frame::LoadLangString(1226, true, language_);
    if (allItems_.empty()) {
        allItems_ = frame::LoadLangString(1226, true, frame::kEnglish);
    }
    tickedWord_ = frame::LoadLangString(1636, true, language_);
    clearWord_ = frame::LoadLangString(1637, true, language_);
    // Screen readers name the popup and its list after the field; the popup
    // shows no caption.
    fieldName_ = frame::ReadHostTextShown(record_->fieldName, sizeof record_->fieldName - 1);
    SetCaption(fieldName_);
    ReadItems();

    fw::ListView list(hwnd(), IDC_PD_ITEMS);
    if (font_) {
        list.SetFont(font_.get());
    }
    list.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
              LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list.Send(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    list.InsertColumn(0, "", client.right - client.left - GetSystemMetrics(SM_CXVSCROLL));
    list.Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(ticks_.RowCount()), LVSICF_NOINVALIDATEALL);
    list.Select(0);

    list_.Subclass(list.hwnd());
    list_.SetToggle([this](int row) { ToggleRow(row); });
    list_.SetAccessibleSource(this);

    PlaceAt(record_->popupLeft, record_->popupTop);
    list.Focus();
    return false;
}

void CQVPivotDropDownDlg::PlaceAt(int left, int top) {
    // At the host's position, moved inside the screen it points at.
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const POINT at{left, top};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max<int>(work.left, std::min<int>(left, work.right - width));
        top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
    }
    SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string CQVPivotDropDownDlg::AccessibleValue() const {
    const int row = list_.hwnd() != nullptr ? list_.FocusedRow() : -1;
    if (row < 0) {
        return {};
    }
    const std::string& state =
        ticks_.IsRowTicked(static_cast<size_t>(row)) ? tickedWord_ : clearWord_;
    return state.empty() ? RowText(row) : RowText(row) + ", " + state;
}

const std::string& CQVPivotDropDownDlg::RowText(int row) const {
    static const std::string kNone;
    if (row == 0) {
        return allItems_;
    }
    return row > 0 && static_cast<size_t>(row) <= shownTexts_.size()
               ? shownTexts_[static_cast<size_t>(row) - 1]
               : kNone;
}

int CQVPivotDropDownDlg::FindRow(const std::string& prefix, int start) const {
    const int rows = static_cast<int>(ticks_.RowCount());
    if (rows == 0 || prefix.empty()) {
        return -1;
    }
    start = start < 0 || start >= rows ? 0 : start;
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % rows;
        if (StartsWithNoCase(RowText(row), prefix)) {
            return row;
        }
    }
    return -1;
}

void CQVPivotDropDownDlg::ToggleRow(int row) {
    if (row < 0) {
        return;
    }
    ShowChange(ticks_.ToggleRow(static_cast<size_t>(row)));
}

void CQVPivotDropDownDlg::ShowChange(const core::PivotItemTicks::Change& change) {
    HWND list = Item(IDC_PD_ITEMS);
    if (change.everyRow) {
        InvalidateRect(list, nullptr, FALSE);
    } else if (change.row != 0) {
        SendMessageA(list, LVM_REDRAWITEMS, change.row, change.row);
    }
    if (change.allEntry && !change.everyRow) {
        SendMessageA(list, LVM_REDRAWITEMS, 0, 0);
    }
    // Screen readers hear the ticks that changed (the all-items entry stands
    // for all of them when every row changed), and the focused row again.
    const int focused = list_.FocusedRow();
    if (change.everyRow || (focused >= 0 && (static_cast<size_t>(focused) == change.row ||
                                             (focused == 0 && change.allEntry)))) {
        fw::NotifyAccessibleValue(list);
    }
    if (change.row != 0) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, list, OBJID_CLIENT,
                       static_cast<LONG>(change.row) + 1);
    }
    if (change.allEntry) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, list, OBJID_CLIENT, 1);
    }
}

bool CQVPivotDropDownDlg::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom != IDC_PD_ITEMS) {
        return false;
    }
    switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
        // The item fields up to the text are the same in both forms.
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
        if ((info->item.mask & LVIF_STATE) != 0) {
            info->item.state &= ~LVIS_STATEIMAGEMASK;
            info->item.state |= ticks_.IsRowTicked(static_cast<size_t>(info->item.iItem))
                                    ? kTickedImage
                                    : kClearImage;
            info->item.stateMask |= LVIS_STATEIMAGEMASK;
        }
        fw::AnswerDispInfoText(header, [this](int row, int) { return RowText(row); });
        return true;
    }
    case LVN_ITEMCHANGED: {
        // The focus moved: screen readers hear the new row.
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) != 0 && (change->uNewState & LVIS_FOCUSED) != 0 &&
            (change->uOldState & LVIS_FOCUSED) == 0) {
            fw::NotifyAccessibleValue(header->hwndFrom);
        }
        return false;
    }
    case LVN_ODFINDITEMW: {
        // Typing the start of an item moves to it.
        auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
        const bool text = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0;
        result = text ? FindRow(fw::Narrow(find->lvfi.psz), find->iStart) : -1;
        return true;
    }
    default:
        return false;
    }
}

void CQVPivotDropDownDlg::OnOK() {
    // The shown list is emptied first: a refused OK leaves it empty.
    QVStringArray& shown = items_->shownItems;
    EmptyHostStrings(shown);
    if (ticks_.NothingTicked()) {
        frame::QVMsgBox(1245, frame::kOneButton);
        FocusItem(IDC_PD_ITEMS);
        return;
    }
    for (size_t index : ticks_.ShownOnOK()) {
        QVStringArrayAdd(&shown, texts_[index].c_str());
    }
    EndDialog(IDOK);
}

} // namespace qv::datatools
