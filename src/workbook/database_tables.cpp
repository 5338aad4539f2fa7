#include "workbook/database_tables.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "qvcore/database_tables.h"
#include "resource.h"

namespace qv::workbook {
namespace {

constexpr UINT kColumnTitles[] = {1471, 1472, 1473, 1474};
// Shares of the list's width: name, description, created, last updated.
constexpr int kColumnShares[] = {30, 16, 27, 27};
constexpr wchar_t kPasswordText[] = L"Database password protected, so this file cannot be open !";
constexpr wchar_t kPasswordCaption[] = L"TWcalc";

// A row's cell in UTF-16: table names come from the database in any script.
void SetCell(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int AddRow(HWND list, int row, const std::wstring& name, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(name.c_str());
    item.lParam = data;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

} // namespace

// ---- Select Table --------------------------------------------------------------------

CQVSelectTableDlg::CQVSelectTableDlg(std::wstring path)
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
    for (int column = 0; column < 4; ++column) {
        list.InsertColumn(column, frame::LoadLangString(kColumnTitles[column], true),
                          width * kColumnShares[column] / 100);
    }
}

void CQVSelectTableDlg::LoadTables() {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    listing_ = ListDatabaseTables(path_);
    fw::ListView list(hwnd(), IDC_ST_TABLES);
    list.Send(WM_SETREDRAW, FALSE);
    list.Send(LVM_SETITEMCOUNT, listing_.tables.size());
    int row = 0;
    for (size_t i = 0; i < listing_.tables.size(); ++i) {
        const DatabaseTable& table = listing_.tables[i];
        row = AddRow(list.hwnd(), row, table.name, static_cast<LPARAM>(i));
        if (row < 0) {
            break;
        }
        SetCell(list.hwnd(), row, 2, table.created);
        SetCell(list.hwnd(), row, 3, table.updated);
        ++row;
    }
    list.Send(WM_SETREDRAW, TRUE);
    if (list.Count() > 0) {
        list.Select(0);
    }
    SetCursor(previous);
    if (listing_.needsPassword) {
        MessageBoxW(hwnd(), kPasswordText, kPasswordCaption, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CQVSelectTableDlg::OnOK() {
    fw::ListView list(hwnd(), IDC_ST_TABLES);
    const int row = list.Selection();
    if (row < 0) {
        return;
    }
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (SendMessageW(list.hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) == FALSE ||
        item.lParam < 0 || static_cast<size_t>(item.lParam) >= listing_.tables.size()) {
        return;
    }
    tableName_ = listing_.tables[static_cast<size_t>(item.lParam)].name;
    EndDialog(IDOK);
}

bool CQVSelectTableDlg::OnNotify(NMHDR* header, LRESULT&) {
    if (header->idFrom == IDC_ST_TABLES && header->code == NM_DBLCLK) {
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
