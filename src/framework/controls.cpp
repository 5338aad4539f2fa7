#include "framework/controls.h"

#include <algorithm>
#include <cwchar>

namespace qv::fw {

bool AnswerDispInfoText(NMHDR* header,
                        const std::function<std::string(int item, int subItem)>& text) {
    if (header == nullptr ||
        (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW)) {
        return false;
    }
    // Both forms have the same layout up to the text pointer's type.
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    if ((info->item.mask & LVIF_TEXT) == 0 || info->item.pszText == nullptr ||
        info->item.cchTextMax <= 0) {
        return true;
    }
    const std::wstring shown = Widen(text(info->item.iItem, info->item.iSubItem));
    const int room = info->item.cchTextMax - 1;
    if (header->code == LVN_GETDISPINFOW) {
        const size_t n = std::min(shown.size(), static_cast<size_t>(room));
        std::wmemcpy(info->item.pszText, shown.data(), n);
        info->item.pszText[n] = L'\0';
    } else {
        // A list that asks in the code page gets the closest it can show.
        auto* narrow = reinterpret_cast<char*>(info->item.pszText);
        const int n = WideCharToMultiByte(CP_ACP, 0, shown.data(), static_cast<int>(shown.size()),
                                          narrow, room, nullptr, nullptr);
        narrow[n > 0 ? n : 0] = '\0';
    }
    return true;
}

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
