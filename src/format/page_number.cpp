#include "format/page_number.h"

#include "format/format_cells.h"
#include "format/number_sample.h"
#include "format/page_common.h"
#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/refs.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/phase_clock.h"
#include "framework/text.h"
#include "qvcore/format_cells.h"
#include "qvcore/preview.h"
#include "resource.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace qv::format {
namespace {

// The colour list box's 16 colours (the standard Windows colours); the red
// negative-number entries use colour 10.
constexpr COLORREF kListColours[16] = {
    0x000000, 0xFFFFFF, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
    0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00,
};
constexpr LPARAM kBlack = 0;
constexpr LPARAM kRed = 10;

// Every option control: hidden and disabled except those of the category shown.
constexpr int kOptionControls[] = {
    IDC_NUM_DECIMALS_LABEL, IDC_NUM_DECIMALS,     IDC_NUM_DECIMALS_SPIN, IDC_NUM_SEPARATOR,
    IDC_NUM_NEGATIVE_LABEL, IDC_NUM_SYMBOL_LABEL, IDC_NUM_SYMBOL,        IDC_NUM_TYPE_LABEL,
    IDC_NUM_TYPE,           IDC_NUM_NEGATIVE,     IDC_NUM_CUSTOM_CODE,   IDC_NUM_CUSTOM_LIST,
    IDC_NUM_CUSTOM_DELETE,  IDC_NUM_DESCRIPTION,  IDC_NUM_NOTE,
};

struct CategoryView {
    std::initializer_list<int> controls;
    int descriptionControl;
    UINT description;
};

const CategoryView& ViewOf(int category) {
    static const CategoryView kViews[] = {
        {{IDC_NUM_NOTE}, IDC_NUM_NOTE, 1016},
        {{IDC_NUM_DECIMALS_LABEL, IDC_NUM_DECIMALS, IDC_NUM_DECIMALS_SPIN, IDC_NUM_SEPARATOR,
          IDC_NUM_NEGATIVE_LABEL, IDC_NUM_NEGATIVE, IDC_NUM_DESCRIPTION},
         IDC_NUM_DESCRIPTION,
         1018},
        {{IDC_NUM_DECIMALS_LABEL, IDC_NUM_DECIMALS, IDC_NUM_DECIMALS_SPIN, IDC_NUM_SYMBOL_LABEL,
          IDC_NUM_SYMBOL, IDC_NUM_NEGATIVE_LABEL, IDC_NUM_NEGATIVE, IDC_NUM_DESCRIPTION},
         IDC_NUM_DESCRIPTION,
         1019},
        {{IDC_NUM_TYPE_LABEL, IDC_NUM_TYPE, IDC_NUM_DESCRIPTION}, IDC_NUM_DESCRIPTION, 1020},
        {{IDC_NUM_TYPE_LABEL, IDC_NUM_TYPE, IDC_NUM_DESCRIPTION}, IDC_NUM_DESCRIPTION, 1045},
        {{IDC_NUM_DECIMALS_LABEL, IDC_NUM_DECIMALS, IDC_NUM_DECIMALS_SPIN, IDC_NUM_DESCRIPTION},
         IDC_NUM_DESCRIPTION,
         1046},
        {{IDC_NUM_TYPE_LABEL, IDC_NUM_TYPE, IDC_NUM_DESCRIPTION}, IDC_NUM_DESCRIPTION, 1047},
        {{IDC_NUM_NOTE}, IDC_NUM_NOTE, 1049},
    };
    return kViews[category];
}

constexpr int kCategoryCount = 8;
constexpr UINT kFirstCategoryString = 1001;
constexpr UINT kCustomCategoryString = 1262;
constexpr UINT kFirstCustomCode = 1593;
constexpr UINT kLastCustomCode = 1628;
constexpr UINT kRedString = 3460;

} // namespace

void SampleStatic::SetText(const std::string& text) {
    if (hwnd() != nullptr && (!known_ || text != text_)) {
        fw::SetWindowTextTo(hwnd(), text);
    }
}

LRESULT SampleStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        // The control is subclassed as a wide window: the text is UTF-16.
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        const LRESULT stored = DefWindowProcW(hwnd(), WM_SETTEXT, wParam, lParam);
        text_ = fw::Narrow(text);
        known_ = true;
        InvalidateRect(hwnd(), nullptr, TRUE);
        fw::NotifyAccessibleName(hwnd());
        return stored;
    }
    return Default(message, wParam, lParam);
}

CQVFmtCellsNumber::CQVFmtCellsNumber(CQVFormatCells& sheet)
    : SheetPage(IDD_FMT_NUMBER), sheet_(sheet) {
    block_.decimalPlaces = 2;
}

void CQVFmtCellsNumber::SetBlock(const NumberFormatBlock& block, const FontBlock& font,
                                 uint8_t mode) {
    block_ = block;
    mode_ = mode;
    // The sample speaks the local language when the cells use the local font.
    const std::string face = BoundedText(font.faceName);
    const std::string localFace = frame::LoadLangString(frame::kStrFontFace, true, frame::kLocal);
    if (!localFace.empty() && face == localFace) {
        sampleLanguage_ = frame::kLocal;
        sampleFont_.Reset(fw::CreatePointFont(100, localFace.c_str()));
    } else {
        sampleLanguage_ = frame::kEnglish;
        const std::string englishFace =
            frame::LoadLangString(frame::kStrFontFace, true, frame::kEnglish);
        sampleFont_.Reset(fw::CreatePointFont(80, englishFace.c_str()));
    }
}

void CQVFmtCellsNumber::GetBlock(NumberFormatBlock& out) const {
    out = block_;
    out.changed = changed_;
}

int CQVFmtCellsNumber::Category() const {
    return fw::ListBox(hwnd(), IDC_NUM_CATEGORY).Selection();
}

bool CQVFmtCellsNumber::OnInitDialog() {
    filling_ = true;
    fw::UpDown spin(hwnd(), IDC_NUM_DECIMALS_SPIN);
    spin.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_NUM_DECIMALS)), 0);
    spin.SetRange(0, 15);

    static const int kControls[] = {
        IDC_NUM_CATEGORY_LABEL, IDC_NUM_SAMPLE_GROUP,  IDC_NUM_DECIMALS_LABEL,
        IDC_NUM_SEPARATOR,      IDC_NUM_SYMBOL_LABEL,  IDC_NUM_TYPE_LABEL,
        IDC_NUM_NEGATIVE_LABEL, IDC_NUM_CUSTOM_DELETE, IDC_NUM_CLEAR};
    static const int kStrings[] = {3300, 3301, 3302, 3303, 3304, 3305, 3306, 3307, 3308};
    static_assert(std::size(kControls) == std::size(kStrings));
    RelabelPage(hwnd(), kControls, kStrings, static_cast<int>(std::size(kControls)), font_,
                {IDC_NUM_CATEGORY, IDC_NUM_DECIMALS, IDC_NUM_SYMBOL, IDC_NUM_TYPE, IDC_NUM_NEGATIVE,
                 IDC_NUM_DESCRIPTION, IDC_NUM_NOTE, IDC_NUM_CUSTOM_CODE, IDC_NUM_CUSTOM_LIST});
    // The owner-drawn list keeps the item height it was created with: fit it
    // to the font it now draws with.
    {
        fw::Control negatives(hwnd(), IDC_NUM_NEGATIVE);
        fw::MeasuringDC dc;
        fw::SelectScope font(dc.get(), negatives.Font());
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(dc.get(), &metrics)) {
            negatives.Send(LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
        }
    }

    sample_.Subclass(Item(IDC_NUM_SAMPLE));
    // The red entries say so: the list shows it only by their colour.
    negatives_.Attach(hwnd(), IDC_NUM_NEGATIVE, fw::SpokenLabel(ItemText(IDC_NUM_NEGATIVE_LABEL)),
                      [this, red = MenuString(kRedString)](int index) {
                          fw::ListBox list(hwnd(), IDC_NUM_NEGATIVE);
                          std::string name = list.ItemText(index);
                          if (list.Data(index) == kRed) {
                              name += ", " + red;
                          }
                          return name;
                      });
    LoadControls();
    HideOptions();

    fw::ComboBox symbol(hwnd(), IDC_NUM_SYMBOL);
    if (!core::IsFindOrReplaceMode(mode_)) {
        ShowItem(IDC_NUM_CLEAR, false);
        EnableItem(IDC_NUM_CLEAR, false);
        fw::ListBox(hwnd(), IDC_NUM_CATEGORY).Select(block_.category);
        // The page never opens on the entry without a symbol.
        const std::string edition = frame::EditionSwitch();
        symbol.Select(core::AdjustedSymbolSelection(symbol.Selection(), edition));
        changed_ = 0;
    } else {
        ShowItem(IDC_NUM_CLEAR, true);
        EnableItem(IDC_NUM_CLEAR, false);
    }
    fw::Edit(hwnd(), IDC_NUM_DECIMALS).LimitText(2);

    // The options of the category the page opens on.
    const int category = Category();
    if (category >= 0 && category < kCategoryCount) {
        ShowCategory(category);
        fw::ListBox types(hwnd(), IDC_NUM_TYPE);
        if ((category == core::kCategoryDate || category == core::kCategoryTime ||
             category == core::kCategoryFraction) &&
            block_.type < types.Count()) {
            types.Select(block_.type);
        }
    }
    ReadSampleInputs();
    if (core::IsFindOrReplaceMode(mode_)) {
        UpdateChanged();
    }
    RenderSample();
    filling_ = false;
    return true;
}

void CQVFmtCellsNumber::LoadControls() {
    const MenuStrings strings;
    fw::ListBox categories(hwnd(), IDC_NUM_CATEGORY);
    categories.Clear();
    for (int i = 0; i < kCategoryCount; ++i) {
        categories.Add(strings(kFirstCategoryString + static_cast<UINT>(i)));
    }
    if (!core::IsFindOrReplaceMode(mode_)) {
        categories.Select(block_.category);
    }
    fw::ComboBox symbol(hwnd(), IDC_NUM_SYMBOL);
    symbol.Clear();
    for (UINT id : {1012u, 1013u, 3137u}) {
        symbol.Add(strings(id));
    }
    symbol.Select(block_.currencySymbol <= 2 ? block_.currencySymbol : -1);
    fw::Button(hwnd(), IDC_NUM_SEPARATOR).SetChecked(block_.thousands == 3);
    SetItemText(IDC_NUM_DECIMALS, std::to_string(block_.decimalPlaces));
}

void CQVFmtCellsNumber::HideOptions() {
    for (int id : kOptionControls) {
        ShowItem(id, false);
        EnableItem(id, false);
    }
}

void CQVFmtCellsNumber::ShowCategory(int category) {
    HideOptions();
    if (category < 0 || category >= kCategoryCount) {
        return;
    }
    const CategoryView& view = ViewOf(category);
    for (int id : view.controls) {
        ShowItem(id, true);
        EnableItem(id, true);
    }
    const MenuStrings strings;
    SetItemText(view.descriptionControl, strings(view.description));
    if (category == core::kCategoryDate || category == core::kCategoryTime ||
        category == core::kCategoryFraction) {
        FillTypeList(category);
    } else if (category == core::kCategoryNumber || category == core::kCategoryCurrency) {
        RebuildNegativeList();
    }
    // The custom codes belong to a category the list never offers.
    fw::ListBox categories(hwnd(), IDC_NUM_CATEGORY);
    if (categories.ItemText(category) == strings(kCustomCategoryString)) {
        fw::ListBox codes(hwnd(), IDC_NUM_CUSTOM_LIST);
        codes.Clear();
        for (UINT id = kFirstCustomCode; id <= kLastCustomCode; ++id) {
            codes.Add(strings(id));
        }
        for (int id : {IDC_NUM_CUSTOM_CODE, IDC_NUM_CUSTOM_LIST}) {
            ShowItem(id, true);
            EnableItem(id, true);
        }
    }
}

void CQVFmtCellsNumber::FillTypeList(int category) {
    fw::ListBox types(hwnd(), IDC_NUM_TYPE);
    types.Clear();
    const MenuStrings strings;
    if (category == core::kCategoryDate) {
        for (UINT id = 1021; id <= 1032; ++id) {
            types.Add(strings(id));
        }
        for (const char* dayFirst : {"14/3/01", "14/03/01", "14/3/2001", "14/03/2001"}) {
            types.Add(dayFirst);
        }
    } else if (category == core::kCategoryTime) {
        for (UINT id = 1036; id <= 1038; ++id) {
            types.Add(strings(id));
        }
    } else if (category == core::kCategoryFraction) {
        for (UINT id = 1584; id <= 1586; ++id) {
            types.Add(strings(id));
        }
    }
    if (types.Selection() < 0 && types.Count() > 0) {
        types.Select(0);
    }
}

void CQVFmtCellsNumber::RebuildNegativeList() {
    fw::ListBox negatives(hwnd(), IDC_NUM_NEGATIVE);
    // The style to select again: the current one, or the block's on the first filling.
    int style = negatives.Count() > 0 ? negatives.Selection() : block_.negativeStyle;
    if (style < 0 || style > 3) {
        style = 0;
    }
    const auto ids =
        core::NegativeEntryStrings(Category(), fw::Button(hwnd(), IDC_NUM_SEPARATOR).Checked(),
                                   fw::ComboBox(hwnd(), IDC_NUM_SYMBOL).Selection());
    const std::string suffix =
        core::NegativeSuffix(core::ParseDecimalPlaces(ItemText(IDC_NUM_DECIMALS)));
    const MenuStrings strings;
    negatives.Send(WM_SETREDRAW, FALSE);
    negatives.Clear();
    for (int entry = 0; entry < 4; ++entry) {
        std::string text = strings(ids[static_cast<size_t>(entry)]) + suffix;
        if (core::NegativeEntryCloses(entry)) {
            text += ')';
        }
        const int index = negatives.Add(text);
        negatives.SetData(index, core::NegativeEntryIsRed(entry) ? kRed : kBlack);
    }
    negatives.Select(style);
    negatives.Send(WM_SETREDRAW, TRUE);
    InvalidateRect(negatives.hwnd(), nullptr, TRUE);
}

void CQVFmtCellsNumber::ReadSampleInputs() {
    inputs_.category = Category();
    inputs_.decimals = ItemText(IDC_NUM_DECIMALS);
    inputs_.separator = fw::Button(hwnd(), IDC_NUM_SEPARATOR).Checked();
    inputs_.negative = fw::ListBox(hwnd(), IDC_NUM_NEGATIVE).Selection();
    inputs_.symbol = fw::ComboBox(hwnd(), IDC_NUM_SYMBOL).Selection();
    inputs_.type = fw::ListBox(hwnd(), IDC_NUM_TYPE).Selection();
}

void CQVFmtCellsNumber::RenderSample() {
    fw::PhaseClock clock(QV_PHASE_SAMPLES);
    if (!sampleFontSet_) {
        fw::Control(sample_.hwnd()).SetFont(sampleFont_.get());
        sampleFontSet_ = true;
    }
    core::SampleControls controls;
    controls.category = inputs_.category;
    controls.decimalPlaces = inputs_.decimals;
    controls.separator = inputs_.separator;
    controls.negativeStyle = inputs_.negative;
    controls.symbol = inputs_.symbol;
    controls.type = inputs_.type;
    controls.language = sampleLanguage_;
    sample_.SetText(format::RenderSample(BoundedText(block_.sampleValue), controls));
}

void CQVFmtCellsNumber::UpdateChanged() {
    if (core::IsFindOrReplaceMode(mode_)) {
        const bool chosen = inputs_.category >= 0;
        changed_ = chosen ? 1 : 0;
        EnableItem(IDC_NUM_CLEAR, chosen);
    } else {
        changed_ = 1;
    }
}

void CQVFmtCellsNumber::OnOptionChanged(int id) {
    if (filling_) {
        return;
    }
    // Only the control that changed is read again (and the negative-numbers
    // list when it is rebuilt): under Wine every question to a control is a
    // round trip to the window server.
    switch (id) {
    case IDC_NUM_NEGATIVE:
        inputs_.negative = fw::ListBox(hwnd(), IDC_NUM_NEGATIVE).Selection();
        break;
    case IDC_NUM_TYPE:
        inputs_.type = fw::ListBox(hwnd(), IDC_NUM_TYPE).Selection();
        break;
    default:
        inputs_.separator = fw::Button(hwnd(), IDC_NUM_SEPARATOR).Checked();
        inputs_.decimals = ItemText(IDC_NUM_DECIMALS);
        inputs_.symbol = fw::ComboBox(hwnd(), IDC_NUM_SYMBOL).Selection();
        RebuildNegativeList();
        inputs_.negative = fw::ListBox(hwnd(), IDC_NUM_NEGATIVE).Selection();
        break;
    }
    RenderSample();
    UpdateChanged();
}

void CQVFmtCellsNumber::Clear() {
    filling_ = true;
    LoadControls();
    fw::ListBox(hwnd(), IDC_NUM_CATEGORY).Select(-1);
    fw::ListBox(hwnd(), IDC_NUM_TYPE).Clear();
    fw::ListBox(hwnd(), IDC_NUM_NEGATIVE).Clear();
    HideOptions();
    EnableItem(IDC_NUM_CLEAR, false);
    changed_ = 0;
    ReadSampleInputs();
    RenderSample();
    filling_ = false;
}

void CQVFmtCellsNumber::OnCustomCodeTyped() {
    const std::string typed = ItemText(IDC_NUM_CUSTOM_CODE);
    fw::ListBox codes(hwnd(), IDC_NUM_CUSTOM_LIST);
    std::string copy = typed;
    const int match = static_cast<int>(
        codes.Send(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(copy.c_str())));
    if (!typed.empty() && match != LB_ERR) {
        codes.Select(match);
        CopyBounded(block_.customCode, codes.ItemText(match));
    } else {
        ShowItem(IDC_NUM_CUSTOM_DELETE, true);
        CopyBounded(block_.customCode, typed);
    }
}

bool CQVFmtCellsNumber::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_NUM_CATEGORY:
        if (code != LBN_SELCHANGE) {
            return false;
        }
        ShowCategory(Category());
        ReadSampleInputs();
        RenderSample();
        UpdateChanged();
        return true;
    case IDC_NUM_NEGATIVE:
    case IDC_NUM_TYPE:
        if (code != LBN_SELCHANGE) {
            return false;
        }
        OnOptionChanged(id);
        return true;
    case IDC_NUM_SEPARATOR:
        if (code != BN_CLICKED) {
            return false;
        }
        OnOptionChanged(id);
        return true;
    case IDC_NUM_DECIMALS:
        if (code != EN_CHANGE) {
            return false;
        }
        OnOptionChanged(id);
        return true;
    case IDC_NUM_SYMBOL:
        if (code != CBN_SELCHANGE) {
            return false;
        }
        OnOptionChanged(id);
        return true;
    case IDC_NUM_CLEAR:
        if (code == BN_CLICKED && core::IsFindOrReplaceMode(mode_)) {
            Clear();
        }
        return true;
    case IDC_NUM_CUSTOM_CODE:
        if (code == EN_CHANGE && !filling_) {
            OnCustomCodeTyped();
        }
        return true;
    case IDC_NUM_CUSTOM_DELETE:
        return true; // offered with the custom codes; it deletes nothing
    default:
        return false;
    }
}

void CQVFmtCellsNumber::StoreControls(bool withDecimals, int32_t decimals) {
    block_.category = static_cast<uint16_t>(Category());
    block_.thousands = fw::Button(hwnd(), IDC_NUM_SEPARATOR).Checked() ? 3 : 0;
    if (withDecimals) {
        block_.decimalPlaces = static_cast<uint16_t>(decimals);
    }
    block_.currencySymbol = static_cast<uint8_t>(fw::ComboBox(hwnd(), IDC_NUM_SYMBOL).Selection());
    block_.negativeStyle = static_cast<uint16_t>(fw::ListBox(hwnd(), IDC_NUM_NEGATIVE).Selection());
    block_.type = static_cast<uint16_t>(fw::ListBox(hwnd(), IDC_NUM_TYPE).Selection());
}

fw::PageLeave CQVFmtCellsNumber::OnKillActive() {
    int32_t decimals = 0;
    const bool whole = core::ReadWholeNumber(ItemText(IDC_NUM_DECIMALS), decimals);
    if (sheet_.Opening()) {
        // Every page is activated once at opening: store without a word.
        StoreControls(whole && core::DecimalPlacesAllowed(Category(), decimals), decimals);
        return fw::PageLeave::Leave;
    }
    UINT refusal = 0;
    if (!whole) {
        refusal = 1192;
    } else if (!core::DecimalPlacesAllowed(Category(), decimals)) {
        refusal = 1241;
    }
    if (refusal != 0) {
        frame::QVMsgBoxEx(refusal, frame::kOneButton, frame::kIconWarning);
        FocusItem(IDC_NUM_DECIMALS);
        fw::Edit(hwnd(), IDC_NUM_DECIMALS).SelectAll();
        return fw::PageLeave::Stay;
    }
    StoreControls(true, decimals);
    return fw::PageLeave::Leave;
}

void CQVFmtCellsNumber::DrawNegativeEntry(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (item.itemID != static_cast<UINT>(-1)) {
        const bool enabled = IsWindowEnabled(item.hwndItem) != FALSE;
        FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        fw::ListBox list(item.hwndItem);
        const LPARAM colour = list.Data(static_cast<int>(item.itemID));
        COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        if (colour > 0 && colour < 16) {
            text = kListColours[colour];
        }
        if (!enabled) {
            text = GetSysColor(COLOR_GRAYTEXT);
        }
        const std::string entry = list.ItemText(static_cast<int>(item.itemID));
        const int saved = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, text);
        RECT textRect = rc;
        textRect.left += 2;
        fw::DrawLabel(dc, entry, textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        RestoreDC(dc, saved);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &rc);
    }
}

bool CQVFmtCellsNumber::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_DRAWITEM && wParam == IDC_NUM_NEGATIVE && lParam != 0) {
        DrawNegativeEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

} // namespace qv::format
