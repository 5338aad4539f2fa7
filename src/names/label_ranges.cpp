#include "names/label_ranges.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/names.h"
#include "resource.h"

#include <cstring>

namespace qv::names {
namespace {

// Message: a label range that is not a range.
constexpr UINT kBadLabelRange = 1235;

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

} // namespace

// ---- Label Ranges ------------------------------------------------------------------

CQVNameLabelDlg::CQVNameLabelDlg(LabelRangesRecord* record)
    : Dialog(IDD_NAME_LABEL), record_(record),
      ranges_(&record->labelRanges, static_cast<size_t>(kReferenceLimit)),
      kinds_(&record->rangeKinds) {}

CQVNameLabelDlg::~CQVNameLabelDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVNameLabelDlg::OnInitDialog() {
    static const int kControls[] = {IDC_NL_RANGE_LABEL,
                                    IDC_NL_ADD,
                                    IDC_NL_ROW,
                                    IDC_NL_COLUMN,
                                    IDC_NL_LIST_LABEL,
                                    IDC_NL_REMOVE,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {
        1476, 1477, 1478, 1479, 1480, 1481, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_NL_RANGE, IDC_NL_LIST}, true);
    keyboardSwitched_ = frame::IsLocalMenu();
    rangeEdit_.Attach(hwnd(), IDC_NL_RANGE);
    fw::Edit(hwnd(), IDC_NL_RANGE).LimitText(kReferenceLimit);

    changingText_ = true;
    SetItemText(IDC_NL_RANGE,
                refs_.ToShown(frame::FromHostText(std::string_view(
                    record_->selection, strnlen(record_->selection, sizeof record_->selection)))));
    changingText_ = false;
    fw::ListBox list(hwnd(), IDC_NL_LIST);
    for (const std::string& range : ranges_.Texts()) {
        list.Add(refs_.ToShown(range));
    }
    if ((record_->kindChoice & core::kRowLabels) != 0) {
        SetChecked(IDC_NL_ROW, true);
    } else if ((record_->kindChoice & core::kColumnLabels) != 0) {
        SetChecked(IDC_NL_COLUMN, true);
    }
    frame::SetRangePickImage(Item(IDC_NL_PICK), pickImage_);
    RangeTextChanged();
    return true;
}

std::optional<std::string> CQVNameLabelDlg::TypedRange() {
    std::string text = ItemText(IDC_NL_RANGE);
    if (!frame::IsLocalMenu()) {
        text = UpperAscii(std::move(text));
    }
    return core::NormalLabelRange(refs_.FromShown(text));
}

std::optional<size_t> CQVNameLabelDlg::FindRange(const std::string& shown) {
    const std::optional<std::string> normal = core::NormalLabelRange(refs_.FromShown(shown));
    const std::vector<std::string>& ranges = ranges_.Texts();
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (ranges[i] == shown || (normal && core::NormalLabelRange(ranges[i]) == normal)) {
            return i;
        }
    }
    return std::nullopt;
}

void CQVNameLabelDlg::RangeTextChanged() {
    if (changingText_) {
        return;
    }
    const std::string text = ItemText(IDC_NL_RANGE);
    if (!frame::IsLocalMenu()) {
        const std::string upper = UpperAscii(text);
        if (upper != text) {
            fw::Edit edit(hwnd(), IDC_NL_RANGE);
            DWORD start = 0;
            DWORD end = 0;
            edit.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            changingText_ = true;
            edit.SetText(upper);
            changingText_ = false;
            edit.SetSel(static_cast<int>(start), static_cast<int>(end));
        }
    }
    const std::optional<std::string> typed = TypedRange();
    const bool listed = fw::ListBox(hwnd(), IDC_NL_LIST).FindExact(ItemText(IDC_NL_RANGE)) >= 0 ||
                        (typed && FindRange(*typed).has_value());
    EnableItem(IDC_NL_ADD, !listed);
}

void CQVNameLabelDlg::Add() {
    if (IsBlank(ItemText(IDC_NL_RANGE))) {
        FocusItem(IDC_NL_RANGE);
        return;
    }
    const std::optional<std::string> range = TypedRange();
    if (!range) {
        frame::QVMsgBox(kBadLabelRange, frame::kOneButton);
        FocusItem(IDC_NL_RANGE);
        fw::Edit(hwnd(), IDC_NL_RANGE).SelectAll();
        return;
    }
    if (FindRange(*range)) {
        return; // listed already: nothing to add
    }
    uint32_t kind = core::LabelKindForShape(*range);
    if (IsChecked(IDC_NL_ROW)) {
        kind = core::kRowLabels;
    } else if (IsChecked(IDC_NL_COLUMN)) {
        kind = core::kColumnLabels;
    }
    if (!ranges_.Append(*range)) {
        return;
    }
    kinds_.Append(kind);
    fw::ListBox(hwnd(), IDC_NL_LIST).Add(refs_.ToShown(*range));
    SetItemText(IDC_NL_RANGE, "");
}

void CQVNameLabelDlg::Remove() {
    fw::ListBox list(hwnd(), IDC_NL_LIST);
    const int selected = list.Selection();
    if (selected < 0) {
        return;
    }
    if (const std::optional<size_t> at = FindRange(list.ItemText(selected))) {
        ranges_.RemoveAt(*at);
        kinds_.RemoveAt(*at);
    }
    list.Delete(selected);
    SetItemText(IDC_NL_RANGE, "");
    FocusItem(IDC_NL_LIST);
}

void CQVNameLabelDlg::ShowSelected() {
    fw::ListBox list(hwnd(), IDC_NL_LIST);
    const int selected = list.Selection();
    if (selected < 0) {
        return;
    }
    const std::string shown = list.ItemText(selected);
    SetItemText(IDC_NL_RANGE, shown);
    const std::optional<size_t> at = FindRange(shown);
    const uint32_t kind = at && *at < kinds_.Values().size() ? kinds_.Values()[*at] : 0;
    SetChecked(IDC_NL_ROW, kind == core::kRowLabels);
    SetChecked(IDC_NL_COLUMN, kind == core::kColumnLabels);
}

void CQVNameLabelDlg::OnOK() {
    // OK adds what is pending and closes, also when that is no range: the
    // user has been told, and the list holds what was added before.
    Add();
    EndDialog(IDOK);
}

bool CQVNameLabelDlg::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_NL_RANGE:
        if (code == EN_CHANGE) {
            RangeTextChanged();
        }
        return true;
    case IDC_NL_ROW:
    case IDC_NL_COLUMN:
        if (code == BN_CLICKED) {
            const uint8_t chosen = id == IDC_NL_ROW ? core::kRowLabels : core::kColumnLabels;
            const uint8_t other = id == IDC_NL_ROW ? core::kColumnLabels : core::kRowLabels;
            record_->kindChoice = static_cast<uint8_t>((record_->kindChoice | chosen) & ~other);
        }
        return true;
    case IDC_NL_ADD:
        if (code == BN_CLICKED) {
            Add();
        }
        return true;
    case IDC_NL_REMOVE:
        if (code == BN_CLICKED) {
            Remove();
        }
        return true;
    case IDC_NL_LIST:
        if (code == LBN_SELCHANGE) {
            ShowSelected();
        }
        return true;
    case IDC_NL_PICK:
        if (code == BN_CLICKED) {
            frame::PickRange(*this, Item(IDC_NL_RANGE));
        }
        return true;
    default:
        return false;
    }
}

void CQVNameLabelDlg::TakeRangeText(const std::string&, const frame::RangeField&) {
    // The bar has put the text into the range box, which it was given.
}

// ---- Identify Label ----------------------------------------------------------------

CQVNameRepetitionLabelDlg::CQVNameRepetitionLabelDlg(std::string label)
    : Dialog(IDD_NAME_REPETITION_LABEL), label_(std::move(label)) {}

CQVNameRepetitionLabelDlg::~CQVNameRepetitionLabelDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVNameRepetitionLabelDlg::OnInitDialog() {
    // The two captions have no string: they keep the template's texts.
    static const int kControls[] = {IDC_NR_LABEL_CAPTION, IDC_NR_CELL_CAPTION, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {0, 0, frame::kStrCountedOK, frame::kStrCountedCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_NR_LABEL, IDC_NR_CELL}, true);
    keyboardSwitched_ = frame::IsLocalMenu();
    SetItemText(IDC_NR_LABEL, label_);
    fw::Edit(hwnd(), IDC_NR_CELL).LimitText(kReferenceLimit);
    frame::SetRangePickImage(Item(IDC_NR_PICK), pickImage_);
    // The label is only shown: the user starts in the cell box.
    FocusItem(IDC_NR_CELL);
    return false;
}

void CQVNameRepetitionLabelDlg::OnOK() {
    cell_ = ItemText(IDC_NR_CELL);
    EndDialog(IDOK);
}

bool CQVNameRepetitionLabelDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_NR_PICK && code == BN_CLICKED) {
        frame::PickRange(*this, Item(IDC_NR_CELL));
        return true;
    }
    return false;
}

void CQVNameRepetitionLabelDlg::TakeRangeText(const std::string&, const frame::RangeField&) {
    // The bar has put the text into the cell box, which it was given.
}

} // namespace qv::names
