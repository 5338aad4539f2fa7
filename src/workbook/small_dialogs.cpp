#include "workbook/small_dialogs.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <cmath>
#include <cstdio>

namespace qv::workbook {

using frame::kIconWarning;
using frame::kOneButton;

namespace {

// The most names the Go To list takes from the host.
constexpr int32_t kMaxGotoNames = 65536;
// The longest name or reference text read from the host.
constexpr size_t kMaxGotoText = 1024;

void FocusAndSelect(fw::Dialog& dialog, int id) {
    dialog.FocusItem(id);
    fw::Edit(dialog.hwnd(), id).SelectAll();
}

} // namespace

// ---- Go To ------------------------------------------------------------------

CQVGotoDlg::CQVGotoDlg(QVGotoRecord* record) : Dialog(IDD_GOTO), record_(record) {
    spareList_.reserve(10);
}

CQVGotoDlg::~CQVGotoDlg() {
    // The reference field pointed into this dialog's text: it ends here too,
    // unless a host that has not answered yet will still read it.
    if (record_ != nullptr && reference_.get() != nullptr && !reference_.kept() &&
        frame::IsWritable(&record_->reference, sizeof record_->reference) &&
        record_->reference == reference_->data()) {
        record_->reference = nullptr;
    }
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVGotoDlg::OnInitDialog() {
    static const int kControls[] = {IDC_GOTO_LIST_LABEL, IDC_GOTO_REF_LABEL, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1448, 1449, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_GOTO_LIST, IDC_GOTO_REF}, true);
    keyboardSwitched_ = frame::IsLocalMenu();

    const bool local = frame::IsLocalMenu();
    fw::ListBox list(hwnd(), IDC_GOTO_LIST);
    int32_t count = record_->count;
    if (count > kMaxGotoNames) {
        count = kMaxGotoNames;
    }
    char** names = record_->names;
    for (int32_t i = 0; i < count && names != nullptr; ++i) {
        if (!frame::IsReadable(&names[i], sizeof names[i])) {
            break;
        }
        if (names[i] == nullptr) {
            continue;
        }
        std::string name = frame::ReadHostTextShown(names[i], kMaxGotoText);
        if (local && name.find_first_of("]!") != std::string::npos) {
            continue;
        }
        list.Add(name);
        names_.push_back(std::move(name));
    }
    if (list.Count() > 0) {
        int top = static_cast<int>(list.Send(LB_GETTOPINDEX));
        SetItemText(IDC_GOTO_REF, list.ItemText(top < 0 ? 0 : top));
    }
    return true;
}

void CQVGotoDlg::TakeSelectedName() {
    fw::ListBox list(hwnd(), IDC_GOTO_LIST);
    int selected = list.Selection();
    if (selected >= 0) {
        SetItemText(IDC_GOTO_REF, list.ItemText(selected));
    }
}

bool CQVGotoDlg::OnCommand(int id, int code, HWND) {
    if (id != IDC_GOTO_LIST) {
        return false;
    }
    if (code == LBN_SELCHANGE) {
        TakeSelectedName();
        return true;
    }
    if (code == LBN_DBLCLK) {
        TakeSelectedName();
        OnOK();
        return true;
    }
    return false;
}

void CQVGotoDlg::OnOK() {
    record_->reference = reference_.Reset(frame::ToHostText(ItemText(IDC_GOTO_REF))).data();
    bool answered = false;
    auto answer = static_cast<int32_t>(
        frame::SendToFrame(WM_QV_GOTO, reinterpret_cast<WPARAM>(record_), 0, &answered));
    reference_.Sent(answered);
    if (answer < 0) {
        frame::QVMsgBoxEx(1187, kOneButton, kIconWarning);
        return;
    }
    EndDialog(IDOK);
}

bool CQVGotoDlg::PreTranslateMessage(MSG& msg) {
    if (hwnd() == nullptr || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) {
        return false;
    }
    if (msg.message == WM_RBUTTONDOWN) {
        return true;
    }
    if (msg.hwnd == Item(IDC_GOTO_REF) && msg.wParam == VK_ESCAPE &&
        (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) &&
        frame::IsLocalMenu()) {
        OnCancel();
        return true;
    }
    return false;
}

// ---- Zoom --------------------------------------------------------------------

CQVZoomDlg::CQVZoomDlg(int16_t zoom, int16_t fitSelection)
    : Dialog(IDD_ZOOM), zoom_(zoom), fitSelection_(fitSelection) {}

void CQVZoomDlg::ShowZoom(int value) {
    SetItemText(IDC_ZOOM_EDIT, std::to_string(value));
}

bool CQVZoomDlg::OnInitDialog() {
    static const int kControls[] = {IDC_ZOOM_GROUP,   IDC_ZOOM_200, IDC_ZOOM_100,   IDC_ZOOM_75,
                                    IDC_ZOOM_50,      IDC_ZOOM_25,  IDC_ZOOM_FIT,   IDC_ZOOM_CUSTOM,
                                    IDC_ZOOM_PERCENT, IDC_ZOOM_OK,  IDC_ZOOM_CANCEL};
    static const int kStrings[] = {
        1346, 1347, 1348, 1349, 1350, 1351, 1352, 1353, 1354, frame::kStrOK, frame::kStrCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 11, font_);
    fw::Control(hwnd(), IDC_ZOOM_EDIT).SetFont(font_.get());

    int radio = IDC_ZOOM_CUSTOM;
    switch (zoom_) {
    case 200:
        radio = IDC_ZOOM_200;
        break;
    case 100:
        radio = IDC_ZOOM_100;
        break;
    case 75:
        radio = IDC_ZOOM_75;
        break;
    case 50:
        radio = IDC_ZOOM_50;
        break;
    default:
        break;
    }
    CheckRadioButton(hwnd(), IDC_ZOOM_200, IDC_ZOOM_CUSTOM, radio);
    ShowZoom(zoom_);
    return true;
}

void CQVZoomDlg::OnPreset(int id) {
    switch (id) {
    case IDC_ZOOM_200:
        zoom_ = 200;
        break;
    case IDC_ZOOM_100:
        zoom_ = 100;
        break;
    case IDC_ZOOM_75:
        zoom_ = 75;
        break;
    case IDC_ZOOM_50:
        zoom_ = 50;
        break;
    case IDC_ZOOM_FIT:
        zoom_ = fitSelection_;
        break;
    case IDC_ZOOM_CUSTOM:
        ShowZoom(zoom_);
        zoom_ = static_cast<int16_t>(core::AtoiClamped(ItemText(IDC_ZOOM_EDIT)));
        FocusAndSelect(*this, IDC_ZOOM_EDIT);
        return;
    default: // the hidden 25% choice does nothing
        return;
    }
    ShowZoom(zoom_);
}

void CQVZoomDlg::Accept() {
    zoom_ = static_cast<int16_t>(core::AtoiClamped(ItemText(IDC_ZOOM_EDIT)));
    if (zoom_ >= 50 && zoom_ <= 400) {
        EndDialog(IDOK);
        return;
    }
    frame::QVMsgBoxEx(1197, kOneButton, kIconWarning);
    FocusAndSelect(*this, IDC_ZOOM_EDIT);
}

bool CQVZoomDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (id >= IDC_ZOOM_200 && id <= IDC_ZOOM_CUSTOM) {
        OnPreset(id);
        return true;
    }
    if (id == IDC_ZOOM_OK || id == IDOK) {
        Accept();
        return true;
    }
    if (id == IDC_ZOOM_CANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

// ---- Row height / column width ------------------------------------------------

CQVFormatHtWdDlg::CQVFormatHtWdDlg(double size, uint8_t mode)
    : Dialog(IDD_FORMAT_HTWD), mode_(mode), size_(size) {}

bool CQVFormatHtWdDlg::OnInitDialog() {
    static const char* const kCaptions[] = {"Row Height", "Column Width", "Standard Column Width"};
    static const int kLabels[] = {1378, 1379, 1380};
    const int index = IsKnownMode(mode_) ? mode_ - 1 : 0;
    SetCaption(kCaptions[index]);
    const int controls[] = {IDC_HTWD_LABEL, IDOK, IDCANCEL};
    const int strings[] = {kLabels[index], frame::kStrOK, frame::kStrCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), controls,
                         strings, 3, font_);
    fw::Control(hwnd(), IDC_HTWD_EDIT).SetFont(font_.get());

    int length = std::snprintf(nullptr, 0, "%0.2f", size_);
    std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
    std::snprintf(text.data(), text.size(), "%0.2f", size_);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    SetItemText(IDC_HTWD_EDIT, text);
    FocusAndSelect(*this, IDC_HTWD_EDIT);
    return false;
}

void CQVFormatHtWdDlg::Refuse(UINT message) {
    frame::QVMsgBoxEx(message, kOneButton, kIconWarning);
    FocusAndSelect(*this, IDC_HTWD_EDIT);
}

void CQVFormatHtWdDlg::OnOK() {
    std::string text = core::RemoveSpaces(ItemText(IDC_HTWD_EDIT));
    if (!core::IsSizeNumber(text)) {
        Refuse(1189);
        return;
    }
    double size = core::SizeNumberValue(text);
    if (!std::isfinite(size)) {
        Refuse(1189);
        return;
    }
    if (mode_ == 1 && (size < 0 || size > 409)) {
        Refuse(1181);
        return;
    }
    if (mode_ == 2 && (size < 0 || size > 255)) {
        Refuse(1182);
        return;
    }
    size_ = size;
    EndDialog(IDOK);
}

// ---- Insert / delete cells ------------------------------------------------------

CQVInsertDelCellsDlg::CQVInsertDelCellsDlg(uint8_t flags)
    : Dialog(IDD_INSERT_DEL_CELLS), flags_(flags) {}

bool CQVInsertDelCellsDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_INSDEL_GROUP,  IDC_INSDEL_RIGHT, IDC_INSDEL_DOWN,   IDC_INSDEL_ROW,
        IDC_INSDEL_COLUMN, IDC_INSDEL_OK,    IDC_INSDEL_CANCEL, 0};
    static const int kInsertStrings[] = {1117, 1118, 1119, 1120, 1121, 1303, 1304, 0};
    static const int kDeleteStrings[] = {1235, 1236, 1237, 1120, 1121, 1303, 1304, 0};
    const bool deleting = (flags_ & 1) != 0;
    const bool inserting = (flags_ & 2) != 0;
    if (inserting) {
        SetCaption("Insert");
    } else if (deleting) {
        SetCaption("Delete");
    }
    if (deleting) {
        frame::RelabelCommon(hwnd(), kControls, kDeleteStrings, font_);
    } else if (inserting) {
        frame::RelabelCommon(hwnd(), kControls, kInsertStrings, font_);
    }
    int radio = (flags_ & 4) != 0 ? IDC_INSDEL_RIGHT : (flags_ & 8) != 0 ? IDC_INSDEL_DOWN : 0;
    if (radio != 0) {
        SetChecked(radio, true);
        FocusItem(radio);
        return false;
    }
    return true;
}

bool CQVInsertDelCellsDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDC_INSDEL_OK || id == IDOK) {
        static const struct {
            int control;
            uint8_t bit;
        } kChoices[] = {{IDC_INSDEL_RIGHT, 4},
                        {IDC_INSDEL_DOWN, 8},
                        {IDC_INSDEL_ROW, 16},
                        {IDC_INSDEL_COLUMN, 32}};
        flags_ = static_cast<uint8_t>(flags_ & ~(4 | 8));
        for (const auto& choice : kChoices) {
            if (IsChecked(choice.control)) {
                flags_ = static_cast<uint8_t>(flags_ | choice.bit);
                break;
            }
        }
        EndDialog(IDOK);
        return true;
    }
    if (id == IDC_INSDEL_CANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

} // namespace qv::workbook
