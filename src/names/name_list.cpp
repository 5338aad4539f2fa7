#include "names/name_list.h"

#include "frame/lang_settings.h"
#include "framework/gdi.h"
#include "framework/text.h"
#include "qvcore/names.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace qv::names {
namespace {

// Space left of a name inside its item, in pixels.
constexpr int kTextIndent = 2;

// The sort key the list box's own ordering (a case-blind comparison in the
// list's locale) gives a text, so that a batch sorted here lines up with
// where the list box puts a name added later.
std::string SortKey(LCID locale, const std::wstring& text) {
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const auto length = static_cast<int>(text.size());
    const int bytes = LCMapStringW(locale, flags, text.c_str(), length, nullptr, 0);
    if (bytes <= 0) {
        return {};
    }
    std::string key(static_cast<size_t>(bytes), '\0');
    LCMapStringW(locale, flags, text.c_str(), length, reinterpret_cast<LPWSTR>(key.data()), bytes);
    return key;
}

int FontHeight(HDC dc, HFONT font) {
    if (font == nullptr) {
        return 0;
    }
    fw::SelectScope select(dc, font);
    TEXTMETRICW metrics{};
    return GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 0;
}

} // namespace

void ScriptFonts::Create() {
    const frame::CQVLangSettings& settings = frame::GetLangSettings();
    english_.Reset(
        fw::CreatePointFont(settings.englishFontSize * 10, settings.englishFontFace.c_str()));
    local_.Reset(fw::CreatePointFont(settings.localFontSize * 10, settings.localFontFace.c_str()));
}

HFONT ScriptFonts::For(uint32_t language) const {
    return language == core::kEnglishNames ? english_.get() : local_.get();
}

bool CQVNameList::Attach(HWND dialog, int id) {
    if (!Subclass(GetDlgItem(dialog, id))) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

void CQVNameList::SelectionChanged() const {
    if (hwnd() != nullptr) {
        fw::NotifyAccessibleValue(hwnd());
    }
}

std::string CQVNameList::AccessibleValue() const {
    if (hwnd() == nullptr) {
        return {};
    }
    std::vector<int> chosen;
    if ((GetWindowLongW(hwnd(), GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0) {
        const auto count = static_cast<int>(SendMessageW(hwnd(), LB_GETSELCOUNT, 0, 0));
        chosen.resize(count > 0 ? static_cast<size_t>(count) : 0);
        const auto got = static_cast<int>(SendMessageW(hwnd(), LB_GETSELITEMS, chosen.size(),
                                                       reinterpret_cast<LPARAM>(chosen.data())));
        chosen.resize(got > 0 ? static_cast<size_t>(got) : 0);
    } else if (const auto current = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
               current >= 0) {
        chosen.push_back(current);
    }
    std::string value;
    for (int index : chosen) {
        if (!value.empty()) {
            value += ", ";
        }
        // Through the subclass, which answers with the name alone.
        const LRESULT length = SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length > 0) {
            std::wstring name(static_cast<size_t>(length) + 1, L'\0');
            const LRESULT copied = SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(index),
                                                reinterpret_cast<LPARAM>(name.data()));
            name.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
            value += fw::Narrow(name);
        }
    }
    return value;
}

void CQVNameList::SetFonts(HFONT english, HFONT local) {
    english_ = english;
    local_ = local;
    if (hwnd() != nullptr) {
        SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, ItemHeight());
    }
}

int CQVNameList::ItemHeight() const {
    fw::WindowDC dc(hwnd());
    const int height = std::max(FontHeight(dc.get(), english_), FontHeight(dc.get(), local_));
    return height > 0 ? height + 2 : 16;
}

void CQVNameList::Fill(const std::vector<std::string>& names,
                       const std::vector<uint32_t>& languages) {
    if (hwnd() == nullptr) {
        return;
    }
    std::vector<std::wstring> items;
    items.reserve(names.size());
    size_t bytes = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        items.push_back(fw::Widen(core::NameListItem(
            names[i], i < languages.size() ? languages[i] : core::kEnglishNames)));
        bytes += (items.back().size() + 1) * sizeof(wchar_t);
    }
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    const bool sorted = (GetWindowLongW(hwnd(), GWL_STYLE) & LBS_SORT) != 0;
    if (sorted) {
        const auto locale = static_cast<LCID>(Default(LB_GETLOCALE, 0, 0));
        std::vector<std::string> keys;
        keys.reserve(items.size());
        for (const std::wstring& item : items) {
            keys.push_back(SortKey(locale, item));
        }
        std::stable_sort(order.begin(), order.end(),
                         [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    }

    // Straight to the list box's own procedure: none of these needs the
    // subclass.
    Default(WM_SETREDRAW, FALSE, 0);
    Default(LB_RESETCONTENT, 0, 0);
    Default(LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
    for (size_t index : order) {
        // Inserting at the end does not sort: the batch is in order already.
        Default(LB_INSERTSTRING, static_cast<WPARAM>(-1),
                reinterpret_cast<LPARAM>(items[index].c_str()));
    }
    Default(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

int CQVNameList::AddName(std::string_view name, uint32_t language) {
    if (hwnd() == nullptr) {
        return -1;
    }
    const std::wstring item = fw::Widen(core::NameListItem(name, language));
    const auto index =
        static_cast<int>(Default(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
    return index < 0 ? -1 : index;
}

int CQVNameList::FindItem(std::string_view name, uint32_t language) {
    if (hwnd() == nullptr) {
        return -1;
    }
    const std::wstring item = fw::Widen(core::NameListItem(name, language));
    // The list box's own search ignores case: step through its matches.
    int from = -1;
    for (;;) {
        const auto found = static_cast<int>(Default(LB_FINDSTRINGEXACT, static_cast<WPARAM>(from),
                                                    reinterpret_cast<LPARAM>(item.c_str())));
        if (found < 0 || found <= from) {
            return -1;
        }
        if (WideItem(found) == item) {
            return found;
        }
        from = found;
    }
}

void CQVNameList::DeleteItem(int index) {
    if (hwnd() != nullptr && index >= 0) {
        Default(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

int CQVNameList::Count() const {
    if (hwnd() == nullptr) {
        return 0;
    }
    const auto count = static_cast<int>(SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
    return count < 0 ? 0 : count;
}

std::string CQVNameList::Name(int index) {
    return std::string(core::NameListItemName(RawItem(index)));
}

uint32_t CQVNameList::Language(int index) {
    return core::NameListItemLanguage(RawItem(index));
}

std::wstring CQVNameList::WideItem(int index) {
    if (hwnd() == nullptr || index < 0) {
        return {};
    }
    const LRESULT length = Default(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Default(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string CQVNameList::RawItem(int index) {
    return fw::Narrow(WideItem(index));
}

bool CQVNameList::DrawItem(const DRAWITEMSTRUCT& item) {
    if (hwnd() == nullptr || item.hwndItem != hwnd() || item.CtlType != ODT_LISTBOX) {
        return false;
    }
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (item.itemID == static_cast<UINT>(-1) || item.itemAction == ODA_FOCUS) {
        // An empty list with the focus, or only the focus moving.
        if (focused || item.itemAction == ODA_FOCUS) {
            DrawFocusRect(dc, &rect);
        }
        return true;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF fore = !enabled   ? GetSysColor(COLOR_GRAYTEXT)
                          : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                     : GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF oldBack = SetBkColor(dc, back);
    const COLORREF oldFore = SetTextColor(dc, fore);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);

    const std::string raw = RawItem(static_cast<int>(item.itemID));
    const std::string_view name = core::NameListItemName(raw);
    {
        fw::SelectScope font(dc, core::NameListItemLanguage(raw) == core::kEnglishNames ? english_
                                                                                        : local_);
        RECT text = rect;
        text.left += kTextIndent;
        fw::DrawLabel(dc, name, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldFore);
    if (focused) {
        DrawFocusRect(dc, &rect);
    }
    return true;
}

LRESULT CQVNameList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_GETTEXTLEN: {
        const LRESULT length = Default(message, wParam, lParam);
        if (length == LB_ERR) {
            return length;
        }
        return length >= 2 ? length - 2 : 0;
    }
    case LB_GETTEXT: {
        if (Default(LB_GETTEXTLEN, wParam, 0) == LB_ERR) {
            return LB_ERR;
        }
        std::wstring name = WideItem(static_cast<int>(wParam));
        name.resize(name.size() >= 2 ? name.size() - 2 : 0);
        if (lParam != 0) {
            std::memcpy(reinterpret_cast<wchar_t*>(lParam), name.c_str(),
                        (name.size() + 1) * sizeof(wchar_t));
        }
        return static_cast<LRESULT>(name.size());
    }
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace qv::names
