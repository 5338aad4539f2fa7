#include "framework/sorted_fill.h"

#include "framework/text.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace qv::fw {
namespace {

// The key whose byte order is the case-blind order of `locale`.
std::string SortKey(LCID locale, std::string_view text) {
    const std::wstring wide = Widen(text);
    const int chars = static_cast<int>(wide.size());
    if (chars == 0) {
        return {};
    }
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int bytes = LCMapStringW(locale, flags, wide.c_str(), chars, nullptr, 0);
    if (bytes <= 0) {
        return {};
    }
    std::string key(static_cast<size_t>(bytes), '\0');
    LCMapStringW(locale, flags, wide.c_str(), chars, reinterpret_cast<LPWSTR>(key.data()), bytes);
    return key;
}

bool IsComboBox(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"ComboBox") == 0;
}

} // namespace

std::vector<size_t> ListSortOrder(LCID locale, const std::vector<std::string_view>& texts) {
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (std::string_view text : texts) {
        keys.push_back(SortKey(locale, text));
    }
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    return order;
}

LCID ListLocale(HWND list) {
    const UINT message = IsComboBox(list) ? CB_GETLOCALE : LB_GETLOCALE;
    return static_cast<LCID>(SendMessageW(list, message, 0, 0));
}

void AppendInOrder(HWND list, const std::vector<std::string_view>& texts,
                   const std::vector<size_t>& order) {
    if (list == nullptr || order.empty()) {
        return;
    }
    const bool combo = IsComboBox(list);
    std::vector<std::wstring> wide;
    wide.reserve(order.size());
    size_t bytes = 0;
    for (size_t index : order) {
        wide.push_back(Widen(texts[index]));
        bytes += (wide.back().size() + 1) * sizeof(wchar_t);
    }
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, combo ? CB_INITSTORAGE : LB_INITSTORAGE, order.size(),
                 static_cast<LPARAM>(bytes));
    const UINT insert = combo ? CB_INSERTSTRING : LB_INSERTSTRING;
    for (const std::wstring& text : wide) {
        SendMessageW(list, insert, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

} // namespace qv::fw
