#include "datatools/sort.h"

#include "frame/custom_lists.h"
#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "frame/refs.h"
#include "framework/controls.h"
#include "qvcore/cellref.h"
#include "qvcore/custom_lists.h"
#include "qvcore/sort_keys.h"
#include "resource.h"

namespace qv::datatools {
namespace {

constexpr int kKeyLists[] = {IDC_SORT_KEY1, IDC_SORT_KEY2, IDC_SORT_KEY3};
constexpr UINT kMsgBadKeys = 1214;
constexpr UINT kMsgStoreFailed = 1253;

// The numbers from `first` to `last` that get a key: all of them, none when
// the block ends before it starts, and no more than a sheet's worth plus its
// two neighbours (0 and one past the end, which have an empty label) for a
// block that claims more.
struct KeyRange {
    int64_t first;
    int64_t count;
};

KeyRange KeysOf(int32_t first, int32_t last, int32_t sheetSize) {
    const int64_t span = static_cast<int64_t>(last) - first + 1;
    return {first, std::clamp<int64_t>(span, 0, static_cast<int64_t>(sheetSize) + 2)};
}

// The key list a focused window belongs to (the list itself for a drop-down list).
HWND KeyListOf(HWND dialog, HWND window) {
    for (int id : kKeyLists) {
        HWND list = GetDlgItem(dialog, id);
        if (list != nullptr && (window == list || IsChild(list, window))) {
            return list;
        }
    }
    return nullptr;
}

// Lets the combo's list drop down wide enough for items `width` wide, as far
// as the screen's work area reaches on the combo's right.
void DropDownToFit(HWND combo, int width) {
    RECT box{};
    RECT work{};
    GetWindowRect(combo, &box);
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work.right = GetSystemMetrics(SM_CXSCREEN);
    }
    const int wanted = width + 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL) + 8;
    const int room = static_cast<int>(work.right - box.left);
    const int dropped = wanted < room ? wanted : room;
    if (dropped > box.right - box.left) {
        SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(dropped), 0);
    }
}

} // namespace

// ---- Sort ---------------------------------------------------------------------------

CQVDataSortDlg::CQVDataSortDlg(DataSortRecord* record) : Dialog(IDD_SORT), record_(record) {}

bool CQVDataSortDlg::OnInitDialog() {
    static const int kControls[] = {IDC_SORT_KEY1_GROUP,
                                    IDC_SORT_KEY2_GROUP,
                                    IDC_SORT_KEY3_GROUP,
                                    IDC_SORT_HEADER_GROUP,
                                    IDC_SORT_KEY1_ASCENDING,
                                    IDC_SORT_KEY1_DESCENDING,
                                    IDC_SORT_KEY2_ASCENDING,
                                    IDC_SORT_KEY2_DESCENDING,
                                    IDC_SORT_KEY3_ASCENDING,
                                    IDC_SORT_KEY3_DESCENDING,
                                    IDC_SORT_HEADER,
                                    IDC_SORT_NO_HEADER,
                                    IDC_SORT_OPTIONS,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {1364, 1365, 1365, 1554,          1369,
                                   1372, 1370, 1373, 1371,          1374,
                                   1367, 1368, 1519, frame::kStrOK, frame::kStrCancel,
                                   0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_SORT_KEY1, IDC_SORT_KEY2, IDC_SORT_KEY3});
    noKey_ = frame::LoadLangString(1376, true);
    columnPrefix_ = frame::LoadLangString(1375, true) + " ";
    rowPrefix_ = frame::LoadLangString(2133, true) + " ";

    FillKeys();
    if (record_->firstRow == record_->lastRow) {
        EnableHeaderChoice(false);
    }
    const struct {
        uint8_t ascending;
        int ascendingId;
        int descendingId;
    } directions[] = {{record_->key1Ascending, IDC_SORT_KEY1_ASCENDING, IDC_SORT_KEY1_DESCENDING},
                      {record_->key2Ascending, IDC_SORT_KEY2_ASCENDING, IDC_SORT_KEY2_DESCENDING},
                      {record_->key3Ascending, IDC_SORT_KEY3_ASCENDING, IDC_SORT_KEY3_DESCENDING}};
    for (const auto& key : directions) {
        CheckRadioButton(hwnd(), key.ascendingId, key.descendingId,
                         key.ascending == 1 ? key.ascendingId : key.descendingId);
    }
    // The header choice always starts at "no header row".
    CheckRadioButton(hwnd(), IDC_SORT_NO_HEADER, IDC_SORT_HEADER, IDC_SORT_NO_HEADER);
    FocusItem(IDC_SORT_KEY1);
    return false;
}

void CQVDataSortDlg::EnableHeaderChoice(bool enable) {
    EnableItem(IDC_SORT_HEADER, enable);
    EnableItem(IDC_SORT_NO_HEADER, enable);
}

void CQVDataSortDlg::FillKeys() {
    std::vector<std::string> labels{noKey_};
    if (record_->topToBottom == 1) {
        const KeyRange keys = KeysOf(record_->firstColumn, record_->lastColumn, core::kA1MaxColumn);
        // The local menu spells columns with the letters its reference boxes
        // use; Latin letters when the local alphabet cannot be read.
        if (!keyAlphabet_ && frame::HostMenuLanguage() != frame::kEnglish) {
            keyAlphabet_ = frame::LoadMenuAlphabet();
        }
        const core::LocalAlphabet* alphabet = keyAlphabet_ ? &*keyAlphabet_ : nullptr;
        for (int64_t c = keys.first; c < keys.first + keys.count; ++c) {
            // Outside the sheet's columns the label has no letters.
            const int column = c >= 1 && c <= core::kA1MaxColumn ? static_cast<int>(c) : 0;
            labels.push_back(columnPrefix_ + core::SortColumnLetters(column, alphabet));
        }
    } else {
        const KeyRange keys = KeysOf(record_->firstRow, record_->lastRow, core::kA1MaxRow);
        for (int64_t r = keys.first; r < keys.first + keys.count; ++r) {
            labels.push_back(rowPrefix_ + std::to_string(r));
        }
        EnableHeaderChoice(false);
    }
    for (int id : kKeyLists) {
        fw::ComboBox list(hwnd(), id);
        list.Send(WM_SETREDRAW, FALSE);
        list.Clear();
        list.Send(CB_INITSTORAGE, labels.size(), labels.size() * 12);
        for (const std::string& label : labels) {
            list.Add(label);
        }
        list.Send(WM_SETREDRAW, TRUE);
        list.Select(id == IDC_SORT_KEY1 ? 1 : -1);
    }
}

void CQVDataSortDlg::OnHeaderChoice(bool header) {
    if (header != headerAnnounced_) {
        frame::SendToFrame(WM_QV_HEADERROW, header ? 1 : 0, 0);
        headerAnnounced_ = header;
    }
}

void CQVDataSortDlg::RunOptions() {
    CQVSortOptionsDlg options(record_->caseSensitive, record_->topToBottom, record_->customOrder);
    if (options.DoModal(hwnd()) != IDOK) {
        return;
    }
    // The options take effect at once, whatever becomes of the Sort dialog.
    record_->caseSensitive = options.CaseSensitive();
    record_->topToBottom = options.TopToBottom();
    record_->customOrder = options.CustomOrder();
    FillKeys();
    const bool header = IsChecked(IDC_SORT_HEADER);
    if (record_->topToBottom == 1) {
        EnableHeaderChoice(true);
        if (header) {
            frame::SendToFrame(WM_QV_HEADERROW, 1, 0);
        }
    } else if (header) {
        frame::SendToFrame(WM_QV_HEADERROW, 0, 0);
    }
    FocusItem(IDC_SORT_KEY1);
}

bool CQVDataSortDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_SORT_HEADER:
        OnHeaderChoice(true);
        return true;
    case IDC_SORT_NO_HEADER:
        OnHeaderChoice(false);
        return true;
    case IDC_SORT_OPTIONS:
        RunOptions();
        return true;
    default:
        return false;
    }
}

void CQVDataSortDlg::OnOK() {
    const int keys[] = {fw::ComboBox(hwnd(), IDC_SORT_KEY1).Selection(),
                        fw::ComboBox(hwnd(), IDC_SORT_KEY2).Selection(),
                        fw::ComboBox(hwnd(), IDC_SORT_KEY3).Selection()};
    int focus = 0;
    switch (core::CheckSortKeys(keys[0], keys[1], keys[2])) {
    case core::SortKeyFault::FirstMissing:
        focus = IDC_SORT_KEY1;
        break;
    case core::SortKeyFault::FirstIsSecond:
        focus = IDC_SORT_KEY2;
        break;
    case core::SortKeyFault::FirstIsThird:
    case core::SortKeyFault::SecondIsThird:
        focus = IDC_SORT_KEY3;
        break;
    case core::SortKeyFault::None:
        break;
    }
    if (focus != 0) {
        frame::QVMsgBox(kMsgBadKeys, frame::kOneButton);
        FocusItem(focus);
        return;
    }
    record_->key1 = static_cast<int16_t>(core::SortKeyValue(keys[0]));
    record_->key2 = static_cast<int16_t>(core::SortKeyValue(keys[1]));
    record_->key3 = static_cast<int16_t>(core::SortKeyValue(keys[2]));
    record_->key1Ascending = IsChecked(IDC_SORT_KEY1_ASCENDING) ? 1 : 0;
    record_->key2Ascending = IsChecked(IDC_SORT_KEY2_ASCENDING) ? 1 : 0;
    record_->key3Ascending = IsChecked(IDC_SORT_KEY3_ASCENDING) ? 1 : 0;
    record_->headerRow = IsChecked(IDC_SORT_HEADER) ? 1 : 0;
    EndDialog(IDOK);
}

bool CQVDataSortDlg::PreTranslateMessage(MSG& msg) {
    HWND list = hwnd() != nullptr ? KeyListOf(hwnd(), msg.hwnd) : nullptr;
    if (list == nullptr) {
        return false;
    }
    const bool dropped = SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_UP || msg.wParam == VK_DOWN) && !dropped) {
        SendMessageA(list, CB_SHOWDROPDOWN, TRUE, 0);
        return true;
    }
    if (msg.wParam == VK_ESCAPE && dropped &&
        (msg.message == WM_KEYDOWN || msg.message == WM_CHAR)) {
        return true; // the list closes when the key is released
    }
    if (msg.message == WM_KEYUP && msg.wParam == VK_ESCAPE && dropped) {
        SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
        return true;
    }
    return false;
}

// ---- Sort Options --------------------------------------------------------------------

CQVSortOptionsDlg::CQVSortOptionsDlg(uint8_t caseSensitive, uint8_t topToBottom,
                                     uint16_t customOrder)
    : Dialog(IDD_SORT_OPTIONS), caseSensitive_(caseSensitive), topToBottom_(topToBottom),
      customOrder_(customOrder) {}

bool CQVSortOptionsDlg::OnInitDialog() {
    // Case sensitivity is never offered.
    ShowItem(IDC_SORTOPT_CASE, false);
    EnableItem(IDC_SORTOPT_CASE, false);
    CheckRadioButton(hwnd(), IDC_SORTOPT_TOP_TO_BOTTOM, IDC_SORTOPT_LEFT_TO_RIGHT,
                     topToBottom_ == 1 ? IDC_SORTOPT_TOP_TO_BOTTOM : IDC_SORTOPT_LEFT_TO_RIGHT);
    static const int kControls[] = {IDC_SORTOPT_ORDER_LABEL,
                                    IDC_SORTOPT_CASE,
                                    IDC_SORTOPT_ORIENTATION_GROUP,
                                    IDC_SORTOPT_TOP_TO_BOTTOM,
                                    IDC_SORTOPT_LEFT_TO_RIGHT,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {1513, 1515, 1516, 1517, 1518, frame::kStrOK, frame::kStrCancel,
                                   0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_SORTOPT_ORDER});

    fw::ComboBox order(hwnd(), IDC_SORTOPT_ORDER);
    order.Add(frame::LoadLangString(1514, true));
    std::vector<store::StoredList> lists;
    const store::StoreResult read =
        frame::UserCustomLists().ReadLists(frame::MenuListLanguage(), lists);
    order.Send(WM_SETREDRAW, FALSE);
    order.Send(CB_INITSTORAGE, lists.size(), lists.size() * 32);
    DropDownToFit(order.hwnd(), frame::LongestListWidth(order.hwnd(), {}, lists));
    for (store::StoredList& list : lists) {
        order.Add(list.text);
        orders_.push_back(std::move(list.text));
    }
    order.Send(WM_SETREDRAW, TRUE);
    if (!read) {
        frame::QVMsgBox(kMsgStoreFailed, frame::kOneButton);
    }
    order.Select(customOrder_ < order.Count() ? customOrder_ : 0);
    order.Focus();
    return false;
}

void CQVSortOptionsDlg::OnOK() {
    caseSensitive_ = IsChecked(IDC_SORTOPT_CASE) ? 1 : 0;
    topToBottom_ = IsChecked(IDC_SORTOPT_TOP_TO_BOTTOM) ? 1 : 0;
    const int selected = fw::ComboBox(hwnd(), IDC_SORTOPT_ORDER).Selection();
    if (selected >= 1 && static_cast<size_t>(selected) <= orders_.size()) {
        customOrder_ = 1;
        // The host reads the order from this file, in its own text form
        // (ASCII and ISCII); one that cannot be written leaves the option set
        // all the same.
        frame::WriteWholeFile(
            frame::TempFolderFile("Customlist.txt"),
            frame::ToHostText(core::SortOrderFileText(orders_[static_cast<size_t>(selected - 1)])));
    } else {
        customOrder_ = 0;
    }
    EndDialog(IDOK);
}

bool CQVSortOptionsDlg::PreTranslateMessage(MSG& msg) {
    if (hwnd() == nullptr || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) {
        return false;
    }
    if (msg.message == WM_SYSKEYDOWN && (msg.wParam == 'F' || msg.wParam == 'f')) {
        fw::ComboBox order(hwnd(), IDC_SORTOPT_ORDER);
        order.Focus();
        order.Send(CB_SHOWDROPDOWN, TRUE);
        return true;
    }
    return false;
}

} // namespace qv::datatools
