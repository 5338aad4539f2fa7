#include "names/name_choices.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "names/host_arrays.h"
#include "qvcore/names.h"
#include "resource.h"

#include <algorithm>

namespace qv::names {
namespace {

// The bit of the Apply Names options that each of its boxes stands for.
struct OptionBox {
    int id;
    uint8_t bit;
};
constexpr OptionBox kApplyOptions[] = {{IDC_NA_IGNORE, 2},
                                       {IDC_NA_ROW_COLUMN_NAMES, 4},
                                       {IDC_NA_OMIT_COLUMN, 8},
                                       {IDC_NA_OMIT_ROW, 16}};

constexpr OptionBox kCreateEdges[] = {{IDC_NC_TOP, CQVNameCreateDlg::kTopRow},
                                      {IDC_NC_LEFT, CQVNameCreateDlg::kLeftColumn},
                                      {IDC_NC_BOTTOM, CQVNameCreateDlg::kBottomRow},
                                      {IDC_NC_RIGHT, CQVNameCreateDlg::kRightColumn}};

// Sets or clears `bit` of `flags` as the box now shows.
template <size_t N>
bool FollowBox(HWND dialog, const OptionBox (&boxes)[N], int id, uint8_t& flags) {
    for (const OptionBox& box : boxes) {
        if (box.id == id) {
            if (fw::Button(dialog, id).Checked()) {
                flags = static_cast<uint8_t>(flags | box.bit);
            } else {
                flags = static_cast<uint8_t>(flags & ~box.bit);
            }
            return true;
        }
    }
    return false;
}

bool DrawListItem(CQVNameList& list, UINT message, LPARAM lParam, INT_PTR& result) {
    if (message == WM_DRAWITEM && list.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        result = TRUE;
        return true;
    }
    return false;
}

} // namespace

// ---- Create Names ------------------------------------------------------------------

CQVNameCreateDlg::CQVNameCreateDlg(uint8_t flags) : Dialog(IDD_NAME_CREATE), flags_(flags) {}

bool CQVNameCreateDlg::OnInitDialog() {
    static const int kControls[] = {IDC_NC_GROUP, IDC_NC_TOP, IDC_NC_LEFT, IDC_NC_BOTTOM,
                                    IDC_NC_RIGHT, IDOK,       IDCANCEL};
    static const int kStrings[] = {1355, 1356, 1357, 1358, 1359, frame::kStrOK, frame::kStrCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 7, font_);
    // All four edges at once cannot be meant: the opposite edges are dropped.
    const uint8_t all = kTopRow | kLeftColumn | kBottomRow | kRightColumn;
    if (flags_ == all) {
        flags_ = kTopRow | kLeftColumn;
    }
    for (const OptionBox& box : kCreateEdges) {
        SetChecked(box.id, (flags_ & box.bit) != 0);
    }
    return true;
}

bool CQVNameCreateDlg::OnCommand(int id, int code, HWND) {
    return code == BN_CLICKED && FollowBox(hwnd(), kCreateEdges, id, flags_);
}

// ---- Apply Names -------------------------------------------------------------------

CQVNameApplyDlg::CQVNameApplyDlg(NameApplyRecord* record)
    : Dialog(IDD_NAME_APPLY), record_(record) {}

bool CQVNameApplyDlg::OnInitDialog() {
    static const int kControls[] = {IDC_NA_LABEL,
                                    IDC_NA_IGNORE,
                                    IDC_NA_ROW_COLUMN_NAMES,
                                    IDC_NA_OMIT_COLUMN,
                                    IDC_NA_OMIT_ROW,
                                    IDC_NA_ORDER_GROUP,
                                    IDC_NA_ROW_COLUMN,
                                    IDC_NA_COLUMN_ROW,
                                    IDC_NA_OPTIONS,
                                    IDOK,
                                    IDCANCEL};
    static const int kStrings[] = {1483,
                                   1484,
                                   1485,
                                   1486,
                                   1487,
                                   1488,
                                   1489,
                                   1490,
                                   1491,
                                   frame::kStrCountedOK,
                                   frame::kStrCountedCancel};
    fonts_.Create();
    list_.Attach(hwnd(), IDC_NA_LIST);
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 11, font_);
    fw::Control(hwnd(), IDC_NA_LIST).SetFont(font_.get());
    list_.SetFonts(fonts_.English(), fonts_.Local());

    const std::vector<std::string> names = ReadHostStrings(record_->names, frame::kHostTextLimit);
    std::vector<uint32_t> languages;
    if (record_->nameLanguages != nullptr) {
        languages = ReadHostUInts(record_->nameLanguages);
    }
    list_.Fill(names, languages);

    // The options start ticked; the record's flags change only when clicked.
    for (const OptionBox& box : kApplyOptions) {
        SetChecked(box.id, true);
    }
    SetChecked(IDC_NA_ROW_COLUMN, true);
    UpdateOK();
    return true;
}

void CQVNameApplyDlg::UpdateOK() {
    // OK needs a current item; in a list of several selections that is the
    // caret, which every list with items has, chosen or not.
    fw::Control list(hwnd(), IDC_NA_LIST);
    EnableItem(IDOK, list.Send(LB_GETCOUNT) > 0 && list.Send(LB_GETCARETINDEX) >= 0);
}

bool CQVNameApplyDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_NA_LIST) {
        if (code == LBN_SELCHANGE || code == LBN_SELCANCEL) {
            list_.SelectionChanged();
            UpdateOK();
        }
        return true;
    }
    return code == BN_CLICKED && FollowBox(hwnd(), kApplyOptions, id, record_->options);
}

void CQVNameApplyDlg::OnOK() {
    fw::Control list(hwnd(), IDC_NA_LIST);
    if (list.Send(LB_GETCOUNT) <= 0) {
        return;
    }
    // Nothing chosen appends nothing, and OK still closes.
    const auto count = static_cast<int>(list.Send(LB_GETSELCOUNT));
    std::vector<int> chosen(static_cast<size_t>(std::max(count, 0)));
    const auto got = count > 0
                         ? static_cast<int>(list.Send(LB_GETSELITEMS, static_cast<WPARAM>(count),
                                                      reinterpret_cast<LPARAM>(chosen.data())))
                         : 0;
    chosen.resize(got > 0 ? static_cast<size_t>(got) : 0);
    // Ascending, as the list box reports them.
    HostUIntArray out(&record_->chosen);
    for (int index : chosen) {
        out.Append(static_cast<uint32_t>(index));
    }
    EndDialog(IDOK);
}

bool CQVNameApplyDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    return DrawListItem(list_, message, lParam, result);
}

// ---- Paste Name --------------------------------------------------------------------

CQVNamePasteDlg::CQVNamePasteDlg(NamePasteRecord* record)
    : Dialog(IDD_NAME_PASTE), record_(record) {}

bool CQVNamePasteDlg::OnInitDialog() {
    static const int kControls[] = {IDC_NP_LABEL, IDC_NP_PASTE_LIST, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1183, 1184, frame::kStrOK, frame::kStrCancel, 0};
    fonts_.Create();
    list_.Attach(hwnd(), IDC_NP_LIST);
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_NP_LIST});
    list_.SetFonts(fonts_.English(), fonts_.Local());

    names_ = ReadHostStrings(record_->names, frame::kHostTextLimit);
    if (record_->nameLanguages != nullptr) {
        languages_ = ReadHostUInts(record_->nameLanguages);
    }
    list_.Fill(names_, languages_);
    UpdateOK();
    return true;
}

void CQVNamePasteDlg::UpdateOK() {
    EnableItem(IDOK, fw::ListBox(hwnd(), IDC_NP_LIST).Selection() >= 0);
}

bool CQVNamePasteDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_NP_LIST) {
        if (code == LBN_SELCHANGE || code == LBN_SELCANCEL) {
            list_.SelectionChanged();
            UpdateOK();
        } else if (code == LBN_DBLCLK) {
            OnOK();
        }
        return true;
    }
    if (id == IDC_NP_PASTE_LIST && code == BN_CLICKED) {
        record_->flags = static_cast<uint8_t>(record_->flags | kPasteList);
        EndDialog(IDOK);
        return true;
    }
    return false;
}

void CQVNamePasteDlg::OnOK() {
    const int selected = fw::ListBox(hwnd(), IDC_NP_LIST).Selection();
    if (selected < 0) {
        return;
    }
    record_->flags = static_cast<uint8_t>(record_->flags & ~kPasteList);
    const std::string name = list_.Name(selected);
    // The record holds at most 255 characters and the terminator.
    frame::WriteHostText(record_->chosenName, sizeof record_->chosenName, name);
    if (!languages_.empty()) {
        for (size_t i = 0; i < names_.size(); ++i) {
            if (core::SameNameIgnoringCase(names_[i], name)) {
                record_->chosenLanguage =
                    i < languages_.size() ? languages_[i] : core::kEnglishNames;
                break;
            }
        }
    }
    EndDialog(IDOK);
}

bool CQVNamePasteDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    return DrawListItem(list_, message, lParam, result);
}

} // namespace qv::names
