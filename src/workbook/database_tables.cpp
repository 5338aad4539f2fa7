#include "workbook/database_tables.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/text.h"
#include "qvcore/database_tables.h"
#include "resource.h"

#include <algorithm>

namespace qv::workbook {
namespace {

constexpr UINT kColumnTitles[] = {1471, 1472, 1473, 1474};
// Shares of the list's width: name, description, created, last updated.
constexpr int kColumnShares[] = {30, 16, 27, 27};
constexpr wchar_t kPasswordText[] = L"Database password protected, so this file cannot be open !";
constexpr wchar_t kPasswordCaption[] = L"TWcalc";

// A row's cell: name, description (always empty), created, last updated.
const std::wstring& CellText(const DatabaseTable& table, int column) {
    static const std::wstring kEmpty;
    switch (column) {
    case 0:
        return table.name;
    case 2:
        return table.created;
    case 3:
        return table.updated;
    default:
        return kEmpty;
    }
}

} // namespace

// ---- Select Table --------------------------------------------------------------------

CQVSelectTableDlg::CQVSelectTableDlg(std::string path)
    : Dialog(IDD_SELECT_TABLE), path_(std::move(path)) {}

bool CQVSelectTableDlg::OnInitDialog() {
    static const int kControls[] = {IDOK, IDCANCEL};
    static const int kStrings[] = {frame::kStrOK, frame::kStrCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 2, font_);
    AddColumns();
    if (path_.empty()) {
        EndDialog(IDCANCEL);
        return true;
    }
    LoadTables();
    return true;
}

void CQVSelectTableDlg::AddColumns() {
    fw::ListView list(hwnd(), IDC_ST_TABLES);
    list.SetFont(font_.get());
    list.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    const int width = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
    // Each column gets its share of the width, or the room its title needs
    // when that is more; the name column takes what the others leave.
    constexpr int kTitlePadding = 16;
    std::string titles[4];
    int widths[4] = {};
    int others = 0;
    for (int column = 0; column < 4; ++column) {
        titles[column] = frame::LoadLangString(kColumnTitles[column], true);
        const std::wstring wide = fw::Widen(titles[column]);
        const int needed = static_cast<int>(list.SendW(LVM_GETSTRINGWIDTHW, 0,
                                                       reinterpret_cast<LPARAM>(wide.c_str()))) +
                           kTitlePadding;
        widths[column] =
            column == 0 ? needed : std::max(width * kColumnShares[column] / 100, needed);
        others += column == 0 ? 0 : widths[column];
    }
    widths[0] = std::max(widths[0], width - others);
    for (int column = 0; column < 4; ++column) {
        list.InsertColumn(column, titles[column], widths[column]);
    }
}

void CQVSelectTableDlg::LoadTables() {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    listing_ = ListDatabaseTables(path_);
    // The list asks for the texts of the rows it shows: thousands of tables cost
    // no more to open than ten.
    fw::ListView list(hwnd(), IDC_ST_TABLES);
    list.Send(LVM_SETITEMCOUNT, listing_.tables.size());
    if (list.Count() > 0) {
        list.Select(0);
    }
    SetCursor(previous);
    if (listing_.needsPassword) {
        MessageBoxW(hwnd(), kPasswordText, kPasswordCaption, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CQVSelectTableDlg::OnOK() {
    const int row = fw::ListView(hwnd(), IDC_ST_TABLES).Selection();
    if (row < 0 || static_cast<size_t>(row) >= listing_.tables.size()) {
        return;
    }
    tableName_ = fw::Narrow(listing_.tables[static_cast<size_t>(row)].name);
    EndDialog(IDOK);
}

bool CQVSelectTableDlg::OnNotify(NMHDR* header, LRESULT&) {
    if (header->idFrom != IDC_ST_TABLES) {
        return false;
    }
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0 &&
            item.iItem >= 0 && static_cast<size_t>(item.iItem) < listing_.tables.size()) {
            lstrcpynW(
                item.pszText,
                CellText(listing_.tables[static_cast<size_t>(item.iItem)], item.iSubItem).c_str(),
                item.cchTextMax);
        }
        return true;
    }
    if (header->code == NM_DBLCLK) {
        OnOK();
        return true;
    }
    return false;
}

// ---- Table Name ---------------------------------------------------------------------

CQVDatabaseTableDlg::CQVDatabaseTableDlg() : Dialog(IDD_DATABASE_TABLE) {}

bool CQVDatabaseTableDlg::OnInitDialog() {
    static const int kControls[] = {IDC_DT_LABEL, IDOK, IDCANCEL};
    static const int kStrings[] = {1565, frame::kStrCountedOK, frame::kStrCountedCancel};
    frame::RelabelShared(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                         kStrings, 3, font_);
    fw::Edit name(hwnd(), IDC_DT_NAME);
    name.SetFont(font_.get());
    name.LimitText(static_cast<int>(core::kMaxTableName));
    return true;
}

void CQVDatabaseTableDlg::OnOK() {
    const std::string name = core::TrimTableName(ItemText(IDC_DT_NAME));
    switch (core::CheckTableName(name)) {
    case core::TableNameProblem::RefusedCharacter:
        frame::QVMsgBox(1226, frame::kOneButton);
        fw::Edit(hwnd(), IDC_DT_NAME).SelectAll();
        FocusItem(IDC_DT_NAME);
        return;
    case core::TableNameProblem::Empty:
        frame::QVMsgBox(1227, frame::kOneButton);
        FocusItem(IDC_DT_NAME);
        return;
    case core::TableNameProblem::None:
        break;
    }
    tableName_ = name.substr(0, core::kMaxTableName);
    EndDialog(IDOK);
}

} // namespace qv::workbook
