#include "workbook/options.h"

#include "frame/custom_lists.h"
#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "frame/refs.h"
#include "framework/controls.h"
#include "qvcore/cellref.h"
#include "qvcore/custom_lists.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

namespace qv::workbook {

using frame::kIconWarning;
using frame::kOneButton;
using frame::kTwoButtons;

namespace {

constexpr int kGeneralPage = 0;
constexpr int kListsPage = 1;

// View flag bits and the check boxes that show them.
constexpr uint8_t kTaskPaneBit = 0x40;
constexpr uint8_t kFormulaBarBit = 0x20;
constexpr uint8_t kStatusBarBit = 0x04;
constexpr uint8_t kLayoutBarBit = 0x01;

// The user name box takes this many characters.
constexpr int kUserNameLimit = 52;
// The edition switch that hides the Layout Bar choice.
constexpr int kEditionWithoutLayoutBar = 2;

// The image of the range button, as on the range bar's own button.
constexpr int kPickImage = 13048;
constexpr int kPickImageSize = 18;

// Messages of the custom lists.
constexpr UINT kMsgBadRange = 1193;
constexpr UINT kMsgBadReference = 1187;
constexpr UINT kMsgNotACell = 1284;
constexpr UINT kMsgAskDelete = 1212;
constexpr UINT kMsgSaveFailed = 1220;
constexpr UINT kMsgStoreFailed = 1253;
constexpr UINT kMsgSeparatorInEntry = 1221;
constexpr UINT kMsgEntryTooLong = 1222;
constexpr UINT kMsgListTooLong = 1223;

// The most "range.txt" is read of: far more than the longest list.
constexpr size_t kImportFileLimit = 1u << 20;

// The record's start page: anything unknown opens General.
int StartPage(int32_t page) {
    return page == kListsPage ? kListsPage : kGeneralPage;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void SetFlag(uint8_t& flags, uint8_t bit, bool on) {
    flags = static_cast<uint8_t>(on ? (flags | bit) : (flags & ~bit));
}

UINT MessageFor(core::ListProblem problem) {
    switch (problem) {
    case core::ListProblem::SeparatorInEntry:
        return kMsgSeparatorInEntry;
    case core::ListProblem::EntryTooLong:
        return kMsgEntryTooLong;
    case core::ListProblem::ListTooLong:
    default:
        return kMsgListTooLong;
    }
}

void FocusAndSelect(HWND dialog, int id) {
    fw::Edit edit(dialog, id);
    edit.Focus();
    edit.SelectAll();
}

} // namespace

// ---- General page -----------------------------------------------------------------

CQVOptionGeneral::CQVOptionGeneral(CQVSSOptionsSheet& sheet, const QVOptionsRecord& record)
    : SheetPage(IDD_OPTIONS_GENERAL), sheet_(sheet), viewFlags_(record.viewFlags),
      comments_(record.comments), outline_(record.outlineSymbols),
      userName_(frame::ReadHostTextShown(record.userName, frame::kHostTextLimit)) {}

bool CQVOptionGeneral::OnInitDialog() {
    static const int kControls[] = {IDC_OPT_SHOW_GROUP,
                                    IDC_OPT_TASK_PANE,
                                    IDC_OPT_FORMULA_BAR,
                                    IDC_OPT_STATUS_BAR,
                                    IDC_OPT_LAYOUT_BAR,
                                    IDC_OPT_COMMENTS_GROUP,
                                    IDC_OPT_COMMENTS_NONE,
                                    IDC_OPT_COMMENTS_INDICATOR,
                                    IDC_OPT_COMMENTS_ALL,
                                    IDC_OPT_WINDOW_GROUP,
                                    IDC_OPT_OUTLINE,
                                    IDC_OPT_USER_LABEL,
                                    0};
    static const int kStrings[] = {1437, 1960, 1961, 1962, 1963, 1964, 1721,
                                   1954, 1955, 1965, 1966, 1956, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_OPT_USER_NAME}, true);
    fw::Edit(hwnd(), IDC_OPT_USER_NAME).LimitText(kUserNameLimit);

    SetChecked(IDC_OPT_TASK_PANE, (viewFlags_ & kTaskPaneBit) != 0);
    SetChecked(IDC_OPT_FORMULA_BAR, (viewFlags_ & kFormulaBarBit) != 0);
    SetChecked(IDC_OPT_STATUS_BAR, (viewFlags_ & kStatusBarBit) != 0);
    if (std::atoi(frame::EditionSwitch().c_str()) == kEditionWithoutLayoutBar) {
        layoutBarShown_ = false;
        ShowItem(IDC_OPT_LAYOUT_BAR, false);
        EnableItem(IDC_OPT_LAYOUT_BAR, false);
    } else {
        SetChecked(IDC_OPT_LAYOUT_BAR, (viewFlags_ & kLayoutBarBit) != 0);
    }
    const int comments = comments_ == 0   ? IDC_OPT_COMMENTS_NONE
                         : comments_ == 1 ? IDC_OPT_COMMENTS_INDICATOR
                                          : IDC_OPT_COMMENTS_ALL;
    CheckRadioButton(hwnd(), IDC_OPT_COMMENTS_NONE, IDC_OPT_COMMENTS_ALL, comments);
    SetChecked(IDC_OPT_OUTLINE, outline_ != 0);
    SetItemText(IDC_OPT_USER_NAME, userName_);
    return true;
}

bool CQVOptionGeneral::OnSetActive() {
    sheet_.PageShown(kGeneralPage);
    return true;
}

void CQVOptionGeneral::WriteTo(QVOptionsRecord& record) const {
    uint8_t flags = record.viewFlags;
    SetFlag(flags, kTaskPaneBit, IsChecked(IDC_OPT_TASK_PANE));
    SetFlag(flags, kFormulaBarBit, IsChecked(IDC_OPT_FORMULA_BAR));
    SetFlag(flags, kStatusBarBit, IsChecked(IDC_OPT_STATUS_BAR));
    if (layoutBarShown_) {
        SetFlag(flags, kLayoutBarBit, IsChecked(IDC_OPT_LAYOUT_BAR));
    }
    record.viewFlags = flags;
    record.comments = IsChecked(IDC_OPT_COMMENTS_NONE)        ? 0
                      : IsChecked(IDC_OPT_COMMENTS_INDICATOR) ? 1
                                                              : 2;
    record.outlineSymbols = IsChecked(IDC_OPT_OUTLINE) ? 1 : 0;
    // A fresh copy from the shared heap; the host frees it (and its old name).
    record.userName = QVStrDup(frame::ToHostText(ItemText(IDC_OPT_USER_NAME)).c_str());
}

// ---- Custom Lists page ------------------------------------------------------------

CQVSSCustomLists::CQVSSCustomLists(CQVSSOptionsSheet& sheet, std::string selection)
    : SheetPage(IDD_CUSTOM_LISTS), sheet_(sheet), selection_(std::move(selection)),
      language_(frame::MenuListLanguage()) {}

bool CQVSSCustomLists::OnInitDialog() {
    static const int kControls[] = {
        IDC_CL_LISTS_LABEL, IDC_CL_ENTRIES_LABEL, IDC_CL_LISTS,        IDC_CL_ENTRIES, IDC_CL_HINT,
        IDC_CL_ADD,         IDC_CL_DELETE,        IDC_CL_IMPORT_LABEL, IDC_CL_IMPORT,  0};
    static const int kStrings[] = {1227, 1228, 0, 0, 1229, 1230, 1231, 1232, 1233, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_CL_IMPORT_RANGE}, true);
    newListText_ = frame::LoadLangString(1234, true);
    pickImage_.Reset(frame::LoadRangeImage(kPickImage, kPickImageSize));
    if (pickImage_) {
        fw::Button(hwnd(), IDC_CL_PICK_RANGE).SetImage(pickImage_.get());
    }
    FillLists();
    SetItemText(IDC_CL_IMPORT_RANGE, refs_.ToShown(selection_));
    SelectList(0);
    return true;
}

bool CQVSSCustomLists::OnSetActive() {
    sheet_.PageShown(kListsPage);
    return true;
}

void CQVSSCustomLists::FillLists() {
    fw::ListBox list(hwnd(), IDC_CL_LISTS);
    list.Send(WM_SETREDRAW, FALSE);
    list.Clear();
    list.Add(newListText_);
    lists_.clear();
    const store::StoreResult read = frame::UserCustomLists().ReadLists(language_, lists_);
    list.Send(LB_INITSTORAGE, lists_.size(), lists_.size() * 32);
    for (const store::StoredList& stored : lists_) {
        list.Add(stored.text);
    }
    // The longest list sets how far the box scrolls sideways.
    list.Send(LB_SETHORIZONTALEXTENT,
              static_cast<WPARAM>(frame::LongestListWidth(list.hwnd(), newListText_, lists_) + 8));
    list.Send(WM_SETREDRAW, TRUE);
    InvalidateRect(list.hwnd(), nullptr, TRUE);
    if (!read) {
        frame::QVMsgBox(kMsgStoreFailed, kOneButton);
    }
}

bool CQVSSCustomLists::IsBuiltIn(int index) const {
    return index >= 1 && index <= frame::BuiltInListCount(language_);
}

void CQVSSCustomLists::SelectList(int index) {
    fw::ListBox(hwnd(), IDC_CL_LISTS).Select(index);
    ShowSelected();
}

void CQVSSCustomLists::ShowSelected() {
    const int selected = fw::ListBox(hwnd(), IDC_CL_LISTS).Selection();
    fw::Edit entries(hwnd(), IDC_CL_ENTRIES);
    if (selected <= 0 || static_cast<size_t>(selected) > lists_.size()) {
        entries.SetReadOnly(false);
        entries.SetText("");
        ShowItem(IDC_CL_HINT, true);
        EnableItem(IDC_CL_ADD, true);
        EnableItem(IDC_CL_DELETE, false);
        return;
    }
    const std::string& text = lists_[static_cast<size_t>(selected - 1)].text;
    entries.SetText(core::JoinEntryLines(core::SplitListText(text)));
    ShowItem(IDC_CL_HINT, false);
    const bool builtIn = IsBuiltIn(selected);
    entries.SetReadOnly(builtIn);
    EnableItem(IDC_CL_ADD, !builtIn);
    EnableItem(IDC_CL_DELETE, !builtIn);
}

bool CQVSSCustomLists::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_CL_LISTS:
        if (code == LBN_SELCHANGE) {
            ShowSelected();
            if (fw::ListBox(hwnd(), IDC_CL_LISTS).Selection() == 0) {
                FocusItem(IDC_CL_ENTRIES);
            }
            return true;
        }
        return false;
    case IDC_CL_ENTRIES:
        if (code == EN_SETFOCUS) {
            frame::SwitchKeyboardByFont(control);
            return true;
        }
        return false;
    case IDC_CL_ADD:
        Add();
        return true;
    case IDC_CL_DELETE:
        Delete();
        return true;
    case IDC_CL_IMPORT:
        Import();
        return true;
    case IDC_CL_PICK_RANGE:
        sheet_.PickImportRange(Item(IDC_CL_IMPORT_RANGE));
        return true;
    default:
        return false;
    }
}

CQVSSCustomLists::Saved CQVSSCustomLists::SaveList(const std::vector<std::string>& entries,
                                                   bool replace) {
    const core::ListCheck check = core::CheckListEntries(entries);
    if (check.problem != core::ListProblem::None) {
        frame::QVMsgBoxEx(MessageFor(check.problem), kOneButton, kIconWarning);
        FocusItem(IDC_CL_ENTRIES);
        return Saved::Refused;
    }
    fw::ListBox list(hwnd(), IDC_CL_LISTS);
    const int selected = list.Selection();
    const int replaced = replace && selected >= 1 && !IsBuiltIn(selected) &&
                                 static_cast<size_t>(selected) <= lists_.size()
                             ? selected
                             : 0;
    const std::string text = core::JoinListText(entries);
    const std::string key = core::ListKey(text);
    for (size_t i = 0; i < lists_.size(); ++i) {
        if (static_cast<int>(i + 1) != replaced && core::ListKey(lists_[i].text) == key) {
            SelectList(static_cast<int>(i + 1)); // the list is there already
            return Saved::Duplicate;
        }
    }
    const store::CustomListStore lists = frame::UserCustomLists();
    int64_t row = 0;
    const store::StoreResult saved =
        replaced > 0 ? lists.ReplaceList(lists_[static_cast<size_t>(replaced - 1)].row,
                                         lists_[static_cast<size_t>(replaced - 1)].text, text,
                                         language_, &row)
                     : lists.AddList(text, language_, &row);
    if (!saved) {
        frame::QVMsgBox(kMsgSaveFailed, kOneButton);
        return Saved::Refused;
    }
    if (replaced > 0) {
        list.Delete(replaced);
        lists_.erase(lists_.begin() + (replaced - 1));
    }
    lists_.push_back({row, text});
    // Without redrawing the whole box for the item added at its end.
    list.Send(WM_SETREDRAW, FALSE);
    SelectList(list.Add(text));
    list.Send(WM_SETREDRAW, TRUE);
    InvalidateRect(list.hwnd(), nullptr, TRUE);
    return Saved::Added;
}

void CQVSSCustomLists::Add() {
    const std::vector<std::string> entries = core::SplitEntryLines(ItemText(IDC_CL_ENTRIES));
    if (entries.empty()) {
        FocusItem(IDC_CL_ENTRIES);
        return;
    }
    // A user list that is selected is replaced by what the box now holds.
    SaveList(entries, true);
}

void CQVSSCustomLists::Delete() {
    const int selected = fw::ListBox(hwnd(), IDC_CL_LISTS).Selection();
    if (selected < 1 || IsBuiltIn(selected) || static_cast<size_t>(selected) > lists_.size()) {
        return;
    }
    if (frame::QVMsgBoxEx(kMsgAskDelete, kTwoButtons, kIconWarning) != 1) {
        return;
    }
    const store::StoredList& doomed = lists_[static_cast<size_t>(selected - 1)];
    if (!frame::UserCustomLists().DeleteList(doomed.row, doomed.text)) {
        frame::QVMsgBox(kMsgStoreFailed, kOneButton);
        return;
    }
    fw::ListBox(hwnd(), IDC_CL_LISTS).Delete(selected);
    lists_.erase(lists_.begin() + (selected - 1));
    SelectList(0);
}

std::string CQVSSCustomLists::ImportRangeAsA1() {
    return refs_.FromShown(Trimmed(ItemText(IDC_CL_IMPORT_RANGE)));
}

void CQVSSCustomLists::Import() {
    const std::string range = ImportRangeAsA1();
    if (!core::IsCellRef(range) && !core::IsRangeRef(range)) {
        const bool looksLikeRange = range.find(':') != std::string::npos;
        frame::QVMsgBoxEx(looksLikeRange ? kMsgBadReference : kMsgNotACell, kOneButton,
                          kIconWarning);
        FocusAndSelect(hwnd(), IDC_CL_IMPORT_RANGE);
        return;
    }
    WPARAM byColumns = 0;
    if (!core::ImportRangeIsOneLine(range)) {
        CQVImportListsDlg ask;
        if (ask.DoModal(sheet_.hwnd()) != IDOK) {
            return;
        }
        byColumns = ask.Columns() ? 1 : 0;
    }
    // Only what the host writes for this import is read.
    const std::string exchange = frame::TempFolderFile("range.txt");
    DeleteFileA(exchange.c_str());
    frame::HostParcel<std::string> copy(range);
    bool answered = false;
    frame::SendToFrame(WM_QV_IMPORTLIST, reinterpret_cast<WPARAM>(copy->data()),
                       static_cast<LPARAM>(byColumns), &answered);
    copy.Sent(answered);
    // The host writes its cells' texts as it holds them: ASCII and ISCII.
    const std::string cells = frame::FromHostText(frame::ReadWholeFile(exchange, kImportFileLimit));
    DeleteFileA(exchange.c_str());
    const std::vector<std::string> entries = core::SplitEntryLines(cells);
    if (entries.empty()) {
        FocusAndSelect(hwnd(), IDC_CL_IMPORT_RANGE);
        return;
    }
    SaveList(entries, false);
}

bool CQVSSCustomLists::CheckImportRange() {
    if (!HasWindow() || Trimmed(ItemText(IDC_CL_IMPORT_RANGE)).empty()) {
        return true;
    }
    if (core::IsRangeRef(ImportRangeAsA1())) {
        return true;
    }
    sheet_.SetActivePage(kListsPage);
    frame::QVMsgBoxEx(kMsgBadRange, kOneButton, kIconWarning);
    FocusAndSelect(hwnd(), IDC_CL_IMPORT_RANGE);
    return false;
}

bool CQVSSCustomLists::SaveEntries() {
    if (!HasWindow()) {
        return true;
    }
    const std::vector<std::string> entries = core::SplitEntryLines(ItemText(IDC_CL_ENTRIES));
    if (entries.empty()) {
        return true;
    }
    if (SaveList(entries, false) != Saved::Refused) {
        return true;
    }
    sheet_.SetActivePage(kListsPage);
    FocusItem(IDC_CL_ENTRIES);
    return false;
}

// ---- Import Custom Lists ------------------------------------------------------------

CQVImportListsDlg::CQVImportListsDlg() : Dialog(IDD_IMPORT_LISTS) {}

bool CQVImportListsDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_IMPORT_GROUP, IDC_IMPORT_ROWS, IDC_IMPORT_COLUMNS, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1221, 1222, 1223, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    CheckRadioButton(hwnd(), IDC_IMPORT_ROWS, IDC_IMPORT_COLUMNS, IDC_IMPORT_COLUMNS);
    return true;
}

void CQVImportListsDlg::OnOK() {
    columns_ = IsChecked(IDC_IMPORT_COLUMNS);
    EndDialog(IDOK);
}

// ---- the sheet -------------------------------------------------------------------------

CQVSSOptionsSheet::CQVSSOptionsSheet(QVOptionsRecord* record)
    : Sheet("Options", frame::AnsweringFrame(), StartPage(record->activePage)), record_(record),
      activePage_(StartPage(record->activePage)), general_(*this, *record),
      lists_(*this,
             std::string(record->selection, strnlen(record->selection, sizeof record->selection))) {
    AddPage(&general_);
    AddPage(&lists_);
}

INT_PTR CQVSSOptionsSheet::Run() {
    const INT_PTR result = DoModal();
    if (result == -1) {
        return result;
    }
    record_->activePage = activePage_;
    if (frame::HostMenuLanguage() != frame::kEnglish) {
        frame::SetInputLanguage(false);
    }
    return result;
}

void CQVSSOptionsSheet::OnInitSheet() {
    buttons_.Apply(hwnd());
}

void CQVSSOptionsSheet::PickImportRange(HWND edit) {
    frame::PickRange(*this, edit);
}

void CQVSSOptionsSheet::TakeRangeText(const std::string&, const frame::RangeField&) {
    // The range bar has put the picked text into the import box.
}

bool CQVSSOptionsSheet::Accept() {
    record_->activePage = activePage_;
    if (!lists_.CheckImportRange() || !lists_.SaveEntries()) {
        return false;
    }
    if (general_.HasWindow()) {
        general_.WriteTo(*record_);
    }
    return true;
}

bool CQVSSOptionsSheet::OnSheetMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && !Accept()) {
        result = 0;
        return true; // the sheet stays open
    }
    return false;
}

} // namespace qv::workbook
