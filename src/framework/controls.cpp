#include "framework/controls.h"

namespace qv::fw {

int ListView::InsertColumn(int index, std::string_view title, int width, int format) const {
    std::wstring copy = Widen(title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = copy.data();
    column.iSubItem = index;
    return static_cast<int>(SendW(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, std::string_view text, LPARAM data) const {
    std::wstring copy = Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = copy.data();
    item.lParam = data;
    return static_cast<int>(SendW(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemText(int index, int column, std::string_view text) const {
    std::wstring copy = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = copy.data();
    SendW(LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
}

std::string ListView::ItemText(int index, int column) const {
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    int n = static_cast<int>(SendW(LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return Narrow(text);
}

void ListView::Select(int index) const {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    Send(LVM_ENSUREVISIBLE, index, FALSE);
}

} // namespace qv::fw
