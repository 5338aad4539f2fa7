#include "workbook/sheet_dialogs.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "resource.h"

#include <cstring>

namespace qv::workbook {
namespace {

// The book the last accepted Move or Copy chose: the host reads it after the
// export returned, so it lives until the next accepted call.
std::string g_targetBook;

constexpr int kNewBookString = 1511;
constexpr int kMoveToEndString = 1122;
// Marks the new-book entry of the book list.
constexpr LPARAM kNewBookItem = 1;

} // namespace

// ---- Move or Copy ------------------------------------------------------------------

CQVMoveOrCopyDlg::CQVMoveOrCopyDlg(QVMoveOrCopyRecord* record)
    : Dialog(IDD_MOVE_OR_COPY), record_(record) {}

void CQVMoveOrCopyDlg::ReadBooks() {
    const QVStringArray& books = record_->books;
    int32_t count = books.size;
    if (count < 0 || books.data == nullptr) {
        count = 0;
    }
    if (count > kMaxBooks) {
        count = kMaxBooks;
    }
    if (count > 0 &&
        !frame::IsReadable(books.data, static_cast<size_t>(count) * sizeof(QVString))) {
        count = 0;
    }
    for (int32_t i = 0; i < count; ++i) {
        books_.push_back(
            ParseBookEntry(frame::ReadHostTextShown(books.data[i].text, frame::kHostTextLimit)));
    }
}

bool CQVMoveOrCopyDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_MC_TITLE, IDC_MC_BOOK_LABEL, IDC_MC_BEFORE_LABEL, IDC_MC_COPY, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1113, 1114, 1115, 1116, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);

    ReadBooks();
    fw::ComboBox combo(hwnd(), IDC_MC_BOOKS);
    for (const PackedBook& book : books_) {
        combo.Add(book.name);
    }
    const int newBook = combo.Add(frame::LoadLangString(kNewBookString, true, frame::kEnglish));
    if (newBook >= 0) {
        combo.SetData(newBook, kNewBookItem);
    }
    const std::string active = books_.empty() ? std::string() : books_.front().name;
    combo.Send(CB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(active.c_str()));
    FillSheets();
    return true;
}

void CQVMoveOrCopyDlg::FillSheets() {
    fw::ComboBox combo(hwnd(), IDC_MC_BOOKS);
    fw::ListBox list(hwnd(), IDC_MC_BEFORE_LIST);
    const int selected = combo.Selection();
    if (selected < 0 || combo.Data(selected) == kNewBookItem) {
        list.Clear();
        return;
    }
    const std::string name = combo.ItemText(selected);
    for (const PackedBook& book : books_) {
        if (book.name == name) {
            list.Clear();
            for (const std::string& sheet : book.sheets) {
                list.Add(sheet);
            }
            break;
        }
    }
    list.Add(frame::LoadLangString(kMoveToEndString, true, frame::kEnglish));
    list.Select(0);
}

bool CQVMoveOrCopyDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_MC_BOOKS && code == CBN_SELCHANGE) {
        FillSheets();
        return true;
    }
    return false;
}

void CQVMoveOrCopyDlg::OnOK() {
    record_->createCopy = IsChecked(IDC_MC_COPY) ? 1 : 0;
    fw::ComboBox combo(hwnd(), IDC_MC_BOOKS);
    const int book = combo.Selection();
    g_targetBook = book >= 0 ? frame::ToHostText(combo.ItemText(book)) : std::string();
    record_->targetBook = g_targetBook.data();
    const int sheet = fw::ListBox(hwnd(), IDC_MC_BEFORE_LIST).Selection();
    record_->beforeSheet = sheet >= 0 ? static_cast<uint8_t>(sheet) : 255;
    EndDialog(IDOK);
}

// ---- Unhide -------------------------------------------------------------------------

CQVUnhideSheetDlg::CQVUnhideSheetDlg(char* buffer) : Dialog(IDD_UNHIDE_SHEET), buffer_(buffer) {}

bool CQVUnhideSheetDlg::OnInitDialog() {
    static const int kControls[] = {IDC_UNHIDE_LABEL, IDOK, IDCANCEL};
    static const int kStrings[] = {1566, frame::kStrCountedOK, frame::kStrCountedCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 3, font_);
    const std::string text = frame::ReadHostTextShown(buffer_, frame::kHostTextLimit);
    bufferText_ = frame::ReadHostText(buffer_, frame::kHostTextLimit).size();
    fw::ListBox list(hwnd(), IDC_UNHIDE_LIST);
    for (const std::string& name : SplitStarTerminated(text)) {
        list.Add(name);
    }
    list.Select(0);
    return true;
}

void CQVUnhideSheetDlg::OnOK() {
    fw::ListBox list(hwnd(), IDC_UNHIDE_LIST);
    const int selected = list.Selection();
    if (selected >= 0) {
        // A listed name is a piece of the buffer's text, so it fits where that text was.
        std::string name = frame::ToHostText(list.ItemText(selected)).substr(0, bufferText_);
        if (frame::IsWritable(buffer_, name.size() + 1)) {
            std::memcpy(buffer_, name.c_str(), name.size() + 1);
        }
    }
    EndDialog(IDOK);
}

bool CQVUnhideSheetDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_UNHIDE_LIST && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return false;
}

// ---- Password ----------------------------------------------------------------------

CQVPasswordDlg::CQVPasswordDlg(const char* path)
    : Dialog(IDD_PASSWORD),
      prompt_(PasswordPrompt(frame::ReadHostTextShown(path, frame::kHostTextLimit))) {}

bool CQVPasswordDlg::OnInitDialog() {
    static const int kControls[] = {IDC_PW_PROTECTED, IDC_PW_LABEL, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {1750, 1751, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    SetItemText(IDC_PW_FILE, prompt_);
    fw::Edit(hwnd(), IDC_PW_EDIT).LimitText(kMaxPassword);
    frame::SetInputLanguage(false);
    return true;
}

void CQVPasswordDlg::OnOK() {
    password_ = ItemText(IDC_PW_EDIT).substr(0, kMaxPassword);
    EndDialog(IDOK);
}

// ---- File-feature details ------------------------------------------------------------

namespace {

constexpr char kLossMessage[] =
    "Some of the features/ data in the file you are opening are likely to be lost, sorry for the "
    "inconvenience. Click \"Details\" to find the data loss or press \"OK\" to open file.";
constexpr char kDetailsHeader[] =
    "The following feature(s) are not supported by the current version of TWcalc:";
// Space kept under the buttons when the details are hidden, in pixels.
constexpr int kCollapseExtra = 25;

} // namespace

CQVErrorDetailsDlg::CQVErrorDetailsDlg(std::string message)
    : Dialog(IDD_ERROR_DETAILS), message_(std::move(message)) {}

bool CQVErrorDetailsDlg::OnInitDialog() {
    Toggle(); // opens collapsed
    SetItemText(IDC_ED_MESSAGE, kLossMessage);
    SetItemText(IDC_ED_DETAILS, std::string(kDetailsHeader) + "\r\n" + WithCrLf(message_));
    return true;
}

void CQVErrorDetailsDlg::Toggle() {
    RECT box{};
    RECT window{};
    if (!GetWindowRect(Item(IDC_ED_DETAILS), &box) || !GetWindowRect(hwnd(), &window)) {
        return;
    }
    const int delta = (box.bottom - box.top) + kCollapseExtra;
    int height = window.bottom - window.top;
    if (expanded_) {
        height -= delta;
        SetItemText(IDC_ED_DETAILS_BUTTON, "Details >>");
    } else {
        height += delta;
        SetItemText(IDC_ED_DETAILS_BUTTON, "<< Details");
    }
    expanded_ = !expanded_;
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CQVErrorDetailsDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_ED_DETAILS_BUTTON && code == BN_CLICKED) {
        Toggle();
        return true;
    }
    return false;
}

} // namespace qv::workbook
