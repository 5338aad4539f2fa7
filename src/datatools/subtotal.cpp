#include "datatools/subtotal.h"

#include "frame/host_data.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "qvcore/subtotal_rules.h"
#include "resource.h"

#include <commctrl.h>

#include <iterator>

namespace qv::datatools {
namespace {

// The function list, in the order whose positions the flags store.
constexpr UINT kFunctionStrings[] = {2063, 2070, 2069, 2073, 2072, 2054,
                                     2071, 2074, 2075, 2076, 2077};
static_assert(std::size(kFunctionStrings) == core::kSubtotalFunctionCount);
// The one column of "Add subtotal to", in pixels.
constexpr int kColumnWidth = 165;
// The longest column name read from the host.
constexpr size_t kNameLimit = 1024;

bool IsTicked(HWND list, int index) {
    const auto state = SendMessageW(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void Tick(HWND list, int index, bool ticked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

} // namespace

CQVSubtotalDlg::CQVSubtotalDlg(SubtotalRecord* record) : Dialog(IDD_SUBTOTAL), record_(record) {}

bool CQVSubtotalDlg::OnInitDialog() {
    static const int kControls[] = {IDC_SUBT_AT_CHANGE_LABEL,
                                    IDC_SUBT_FUNCTION_LABEL,
                                    IDC_SUBT_COLUMNS_LABEL,
                                    IDC_SUBT_REPLACE,
                                    IDC_SUBT_PAGE_BREAK,
                                    IDC_SUBT_SUMMARY_BELOW,
                                    IDC_SUBT_REMOVE_ALL,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {
        1754, 1755, 1756, 1757, 1758, 1759, 1760, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    const frame::CQVLangSettings& settings = frame::GetLangSettings();
    englishFont_.Reset(
        fw::CreatePointFont(settings.englishFontSize * 10, settings.englishFontFace.c_str()));
    localFont_.Reset(
        fw::CreatePointFont(settings.localFontSize * 10, settings.localFontFace.c_str()));

    const int language = core::SubtotalDataLanguage(record_->options);
    std::vector<std::string> names = frame::ReadHostStrings(&record_->columnNames, kNameLimit);
    for (std::string& name : names) {
        name = frame::FromHostText(name);
    }
    FillLists(names, language);

    const uint8_t flags = record_->flags;
    SetChecked(IDC_SUBT_REPLACE, (flags & core::kSubtotalReplace) != 0);
    SetChecked(IDC_SUBT_PAGE_BREAK, (flags & core::kSubtotalPageBreak) != 0);
    SetChecked(IDC_SUBT_SUMMARY_BELOW, (flags & core::kSubtotalSummaryBelow) != 0);
    UpdateSummaryBelow();
    fw::ComboBox(hwnd(), IDC_SUBT_FUNCTION).Select(core::SubtotalFunction(flags));

    const fw::Font* dataFont = language == 1   ? &englishFont_
                               : language == 2 ? &localFont_
                                               : nullptr;
    if (dataFont != nullptr && *dataFont) {
        for (int id : {IDC_SUBT_AT_CHANGE, IDC_SUBT_FUNCTION, IDC_SUBT_COLUMNS}) {
            fw::Control(hwnd(), id).SetFont(dataFont->get());
        }
    }
    UpdateOK();
    return true;
}

void CQVSubtotalDlg::FillLists(const std::vector<std::string>& names, int language) {
    fw::ComboBox functions(hwnd(), IDC_SUBT_FUNCTION);
    for (const std::string& name :
         frame::LoadLangStrings({std::begin(kFunctionStrings), std::end(kFunctionStrings)}, true,
                                language == 1 ? 1 : 2)) {
        functions.Add(name);
    }

    fw::ListView columns(hwnd(), IDC_SUBT_COLUMNS);
    columns.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    columns.InsertColumn(0, "", kColumnWidth);
    fw::ComboBox atChange(hwnd(), IDC_SUBT_AT_CHANGE);
    columns.Send(WM_SETREDRAW, FALSE);
    for (size_t i = 0; i < names.size(); ++i) {
        atChange.Add(names[i]);
        columns.InsertItem(static_cast<int>(i), names[i]);
    }
    const core::SubtotalOpening opening =
        core::OpenSubtotal(names.size(), frame::ReadHostUInts(&record_->selection));
    for (size_t i = 0; i < opening.ticked.size(); ++i) {
        if (opening.ticked[i]) {
            Tick(columns.hwnd(), static_cast<int>(i), true);
        }
    }
    if (!names.empty()) {
        columns.Select(0); // Space ticks the item under the keyboard focus
    }
    columns.Send(WM_SETREDRAW, TRUE);
    atChange.Select(opening.atChange);
}

void CQVSubtotalDlg::SetFlag(uint8_t bit, bool on) {
    record_->flags = static_cast<uint8_t>(on ? record_->flags | bit : record_->flags & ~bit);
}

void CQVSubtotalDlg::UpdateSummaryBelow() {
    if ((record_->options & core::kSubtotalSummaryFollowsReplace) != 0) {
        EnableItem(IDC_SUBT_SUMMARY_BELOW, IsChecked(IDC_SUBT_REPLACE));
    }
}

std::vector<bool> CQVSubtotalDlg::Ticked() const {
    fw::ListView columns(hwnd(), IDC_SUBT_COLUMNS);
    std::vector<bool> ticked(static_cast<size_t>(columns.Count() > 0 ? columns.Count() : 0));
    for (size_t i = 0; i < ticked.size(); ++i) {
        ticked[i] = IsTicked(columns.hwnd(), static_cast<int>(i));
    }
    return ticked;
}

void CQVSubtotalDlg::UpdateOK() {
    const std::vector<bool> ticked = Ticked();
    bool any = false;
    for (bool t : ticked) {
        any = any || t;
    }
    EnableItem(IDOK, any);
}

bool CQVSubtotalDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_SUBT_FUNCTION && code == CBN_SELCHANGE) {
        const int position = fw::ComboBox(hwnd(), IDC_SUBT_FUNCTION).Selection();
        if (position >= 0) {
            record_->flags = core::WithSubtotalFunction(record_->flags, position);
        }
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_SUBT_REPLACE:
        SetFlag(core::kSubtotalReplace, IsChecked(IDC_SUBT_REPLACE));
        UpdateSummaryBelow();
        return true;
    case IDC_SUBT_PAGE_BREAK:
        SetFlag(core::kSubtotalPageBreak, IsChecked(IDC_SUBT_PAGE_BREAK));
        return true;
    case IDC_SUBT_SUMMARY_BELOW:
        SetFlag(core::kSubtotalSummaryBelow, IsChecked(IDC_SUBT_SUMMARY_BELOW));
        return true;
    case IDC_SUBT_REMOVE_ALL:
        SetFlag(core::kSubtotalRemoveAll, true);
        Accept();
        return true;
    default:
        return false;
    }
}

bool CQVSubtotalDlg::OnNotify(NMHDR* header, LRESULT&) {
    if (header->idFrom != IDC_SUBT_COLUMNS || header->code != LVN_ITEMCHANGED) {
        return false;
    }
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) != 0 &&
        ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
        UpdateOK();
    }
    return false;
}

void CQVSubtotalDlg::OnOK() {
    if (IsWindowEnabled(Item(IDOK))) {
        Accept();
    }
}

void CQVSubtotalDlg::Accept() {
    const int atChange = fw::ComboBox(hwnd(), IDC_SUBT_AT_CHANGE).Selection();
    frame::AssignHostUInts(&record_->selection, core::SubtotalSelection(atChange, Ticked()));
    EndDialog(IDOK);
}

void CQVSubtotalDlg::DropDown(int id) {
    FocusItem(id);
    fw::ComboBox(hwnd(), id).Send(CB_SHOWDROPDOWN, TRUE, 0);
}

bool CQVSubtotalDlg::PreTranslateMessage(MSG& msg) {
    if (hwnd() == nullptr || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) {
        return false;
    }
    if (msg.message == WM_SYSKEYDOWN && (msg.wParam == 'A' || msg.wParam == 'U')) {
        DropDown(msg.wParam == 'A' ? IDC_SUBT_AT_CHANGE : IDC_SUBT_FUNCTION);
        return true;
    }
    if (msg.message != WM_KEYDOWN) {
        return false;
    }
    // The focus is on a drop-down list, or on its edit part.
    int list = 0;
    for (int id : {IDC_SUBT_AT_CHANGE, IDC_SUBT_FUNCTION}) {
        if (msg.hwnd == Item(id) || IsChild(Item(id), msg.hwnd)) {
            list = id;
        }
    }
    const bool dropped = list != 0 && SendMessageW(Item(list), CB_GETDROPPEDSTATE, 0, 0) != 0;
    if ((msg.wParam == VK_DOWN || msg.wParam == VK_UP) && list != 0 && !dropped) {
        DropDown(list);
        return true;
    }
    if (msg.wParam == VK_ESCAPE) {
        if (dropped) {
            SendMessageW(Item(list), CB_SHOWDROPDOWN, FALSE, 0);
        } else {
            OnCancel();
        }
        return true;
    }
    return false;
}

} // namespace qv::datatools
