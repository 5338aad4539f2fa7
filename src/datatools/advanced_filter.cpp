#include "datatools/advanced_filter.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/library.h"
#include "qvcore/cellref.h"
#include "qvcore/text.h"
#include "resource.h"

#include <oleacc.h>

#include <iterator>

namespace qv::datatools {
namespace {

// A reference text fills its 20-byte field with the terminator.
constexpr size_t kRefChars = sizeof AdvancedFilterRecord{}.listRange - 1;

// The picture of the pick buttons, from the dialog-string library.
constexpr int kPickImage = 13047;
constexpr int kPickImageSize = 18;

struct RangeBox {
    int box;
    int pick;
    int label;
};
constexpr RangeBox kBoxes[] = {{IDC_ADVF_LIST, IDC_ADVF_LIST_PICK, IDC_ADVF_LIST_LABEL},
                               {IDC_ADVF_CRITERIA, IDC_ADVF_CRITERIA_PICK, IDC_ADVF_CRITERIA_LABEL},
                               {IDC_ADVF_COPY_TO, IDC_ADVF_COPY_TO_PICK, IDC_ADVF_COPY_TO_LABEL}};

std::string FieldText(const char (&field)[kRefChars + 1]) {
    return frame::ReadHostTextShown(field, kRefChars);
}

void StoreField(char (&field)[kRefChars + 1], std::string_view text) {
    frame::WriteHostText(field, sizeof field, text);
}

HBITMAP LoadPickImage() {
    fw::Library strings =
        fw::Library::ForResources(frame::DialogStringsPath(frame::HostMenuLanguage()).c_str());
    if (!strings) {
        return nullptr;
    }
    return static_cast<HBITMAP>(LoadImageA(strings.get(), MAKEINTRESOURCEA(kPickImage),
                                           IMAGE_BITMAP, kPickImageSize, kPickImageSize, 0));
}

} // namespace

bool PickButton::Attach(HWND dialog, int id, std::string name) {
    name_ = std::move(name);
    if (!Subclass(GetDlgItem(dialog, id))) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

long PickButton::AccessibleRole() const {
    return ROLE_SYSTEM_PUSHBUTTON;
}

CQVAdvancedFilterDlg::CQVAdvancedFilterDlg(AdvancedFilterRecord* record)
    : Dialog(IDD_ADVANCED_FILTER), record_(record) {}

bool CQVAdvancedFilterDlg::OnInitDialog() {
    static const int kControls[] = {IDC_ADVF_ACTION,
                                    IDC_ADVF_IN_PLACE,
                                    IDC_ADVF_COPY,
                                    IDC_ADVF_LIST_LABEL,
                                    IDC_ADVF_CRITERIA_LABEL,
                                    IDC_ADVF_COPY_TO_LABEL,
                                    IDC_ADVF_UNIQUE,
                                    IDC_ADVF_LIST,
                                    IDC_ADVF_CRITERIA,
                                    IDC_ADVF_COPY_TO,
                                    IDOK,
                                    IDCANCEL};
    static const int kStrings[] = {1567,
                                   1568,
                                   1569,
                                   1570,
                                   1571,
                                   1572,
                                   1573,
                                   0,
                                   0,
                                   0,
                                   frame::kStrCountedOK,
                                   frame::kStrCountedCancel};
    frame::RelabelCounted(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                          kStrings, static_cast<int>(std::size(kControls)), font_);
    pickImage_.Reset(LoadPickImage());
    for (size_t i = 0; i < std::size(kBoxes); ++i) {
        fw::Edit(hwnd(), kBoxes[i].box).LimitText(static_cast<int>(kRefChars));
        boxes_[i].Attach(hwnd(), kBoxes[i].box);
        picks_[i].Attach(hwnd(), kBoxes[i].pick, fw::SpokenLabel(ItemText(kBoxes[i].label)));
        if (pickImage_) {
            fw::Button(hwnd(), kBoxes[i].pick).SetImage(pickImage_.get());
        }
    }

    SetItemText(IDC_ADVF_LIST, refs_.ToShown(FieldText(record_->listRange)));
    SetItemText(IDC_ADVF_CRITERIA, refs_.ToShown(FieldText(record_->criteria)));
    SetItemText(IDC_ADVF_COPY_TO, refs_.ToShown(FieldText(record_->copyTo)));

    CheckRadioButton(hwnd(), IDC_ADVF_IN_PLACE, IDC_ADVF_COPY, IDC_ADVF_IN_PLACE);
    EnableCopyTo(false);
    FocusItem(IDC_ADVF_LIST);
    return false;
}

void CQVAdvancedFilterDlg::EnableCopyTo(bool enable) {
    EnableItem(IDC_ADVF_COPY_TO_LABEL, enable);
    EnableItem(IDC_ADVF_COPY_TO, enable);
    EnableItem(IDC_ADVF_COPY_TO_PICK, enable);
}

bool CQVAdvancedFilterDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
    case IDC_ADVF_IN_PLACE:
    case IDC_ADVF_COPY:
        EnableCopyTo(IsChecked(IDC_ADVF_COPY));
        return true;
    default:
        break;
    }
    for (const RangeBox& range : kBoxes) {
        if (id == range.pick) {
            frame::PickRange(*this, Item(range.box));
            return true;
        }
    }
    return false;
}

void CQVAdvancedFilterDlg::TakeRangeText(const std::string&, const frame::RangeField&) {
    // The bar has put the text into the box the pick belongs to.
}

void CQVAdvancedFilterDlg::Refuse(UINT message, int box) {
    if (message == 1187) {
        frame::QVMsgBoxEx(message, frame::kOneButton, frame::kIconWarning);
    } else {
        frame::QVMsgBox(message, frame::kOneButton);
    }
    FocusItem(box);
    fw::Edit(hwnd(), box).SelectAll();
}

void CQVAdvancedFilterDlg::OnOK() {
    const std::string list(core::TrimBlanks(refs_.FromShown(ItemText(IDC_ADVF_LIST))));
    const std::string criteria(core::TrimBlanks(refs_.FromShown(ItemText(IDC_ADVF_CRITERIA))));
    const std::string copyTo(core::TrimBlanks(refs_.FromShown(ItemText(IDC_ADVF_COPY_TO))));
    const bool copying = IsChecked(IDC_ADVF_COPY);
    if (!ItemText(IDC_ADVF_LIST).empty() && !core::IsRangeRef(list)) {
        Refuse(1193, IDC_ADVF_LIST);
        return;
    }
    if (!ItemText(IDC_ADVF_CRITERIA).empty() && !core::IsRangeRef(criteria)) {
        Refuse(1193, IDC_ADVF_CRITERIA);
        return;
    }
    if (copying && !ItemText(IDC_ADVF_COPY_TO).empty() && !frame::IsCellOrRangeRef(copyTo)) {
        Refuse(1193, IDC_ADVF_COPY_TO);
        return;
    }
    StoreField(record_->listRange, list);
    StoreField(record_->criteria, criteria);
    StoreField(record_->copyTo, copyTo);
    record_->inPlace = copying ? 0 : 1;
    record_->unique = IsChecked(IDC_ADVF_UNIQUE) ? 1 : 0;
    if (list.empty()) {
        Refuse(1187, IDC_ADVF_LIST);
        return;
    }
    if (copying && copyTo.empty()) {
        Refuse(1187, IDC_ADVF_COPY_TO);
        return;
    }
    EndDialog(IDOK);
}

} // namespace qv::datatools
