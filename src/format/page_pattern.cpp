#include "format/page_pattern.h"

#include "format/format_cells.h"
#include "framework/controls.h"
#include "framework/phase_clock.h"
#include "qvcore/cell_format.h"
#include "resource.h"

#include <oleacc.h>

#include <algorithm>
#include <vector>

namespace qv::format {
namespace {

constexpr int kGridColumns = 8;
// What screen readers call the patterns: one name a popup button, and a
// numbered name for the styles the popup does not offer.
constexpr UINT kFirstPatternName = 3475;
constexpr UINT kPatternNumberString = 3497;
constexpr int kGridRows = 5;
constexpr int kStyleItemHeight = 16;

void FillWithPattern(HDC dc, const RECT& r, int style, COLORREF foreground, COLORREF background) {
    fw::Bitmap bitmap(CQVFmtCellsPattern::PatternBitmap(style));
    if (!bitmap) {
        fw::Brush solid(CreateSolidBrush(background));
        FillRect(dc, &r, solid.get());
        return;
    }
    fw::Brush brush(CreatePatternBrush(bitmap.get()));
    const COLORREF oldText = SetTextColor(dc, foreground);
    const COLORREF oldBack = SetBkColor(dc, background);
    FillRect(dc, &r, brush.get());
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

} // namespace

// ---- PatternDropDown --------------------------------------------------------------

bool PatternDropDown::Attach(HWND dialog, int id, std::function<void()> open) {
    open_ = std::move(open);
    HWND combo = fw::DialogItem(dialog, id);
    if (combo == nullptr || !Subclass(combo)) {
        return false;
    }
    SetAccessibleSource(this);
    return true;
}

void PatternDropDown::SetAccessible(std::string name, std::function<std::string()> value) {
    name_ = std::move(name);
    value_ = std::move(value);
}

long PatternDropDown::AccessibleRole() const {
    return ROLE_SYSTEM_COMBOBOX;
}

LRESULT PatternDropDown::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd());
        if (open_) {
            open_();
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F4 || wParam == VK_DOWN || wParam == VK_UP || wParam == VK_SPACE) {
            if (open_) {
                open_();
            }
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            if (open_) {
                open_();
            }
            return 0;
        }
        break;
    case CB_SHOWDROPDOWN:
        if (wParam != 0 && open_) {
            open_();
        }
        return TRUE;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

// ---- CQVFmtCellsPattern --------------------------------------------------------------

CQVFmtCellsPattern::CQVFmtCellsPattern(CQVFormatCells& sheet)
    : SheetPage(IDD_FMT_PATTERN), sheet_(sheet) {
    block_.fillColor = core::kNoFillColour;
    block_.patternStyle = -1;
}

void CQVFmtCellsPattern::SetBlock(const PatternBlock& block, uint8_t mode) {
    block_ = block;
    block_.patternStyle = core::NormalisePatternStyle(block.patternStyle);
    incomingChanged_ = block.changed;
    mode_ = mode;
    changed_ =
        core::IsClearMode(mode_) &&
        core::PatternChangedInClearMode(block_.fillColor, block_.patternStyle, incomingChanged_);
}

void CQVFmtCellsPattern::GetBlock(PatternBlock& out) const {
    out.fillColor = block_.fillColor;
    out.patternStyle = block_.patternStyle;
    out.patternColor = block_.patternColor;
    out.changed = Changed();
}

HBITMAP CQVFmtCellsPattern::PatternBitmap(int style) {
    const uint16_t* rows = core::PatternRows(style);
    if (rows == nullptr) {
        return nullptr;
    }
    // Monochrome rows are 16-bit aligned: one word a row, the byte that is
    // drawn first in memory.
    return CreateBitmap(8, 8, 1, 1, rows);
}

bool CQVFmtCellsPattern::OnInitDialog() {
    static const int kControls[] = {
        IDC_PAT_SHADING_GROUP, IDC_PAT_FILL_LABEL,   IDC_PAT_NO_COLOUR, IDC_PAT_STYLE_LABEL,
        IDC_PAT_COLOUR_LABEL,  IDC_PAT_SAMPLE_GROUP, IDC_PAT_CLEAR};
    static const int kStrings[] = {3430, 3431, 3432, 3433, 3434, 3435, 3308};
    RelabelPage(hwnd(), kControls, kStrings, static_cast<int>(std::size(kControls)), font_, {});

    fw::PhaseClock clock(QV_PHASE_COLOURS);
    // The colour grid: 40 swatches, five rows a column.
    fw::ListBox grid(hwnd(), IDC_PAT_GRID);
    RECT client{};
    GetClientRect(grid.hwnd(), &client);
    grid.Send(LB_SETITEMHEIGHT, 0, std::max(1L, client.bottom / kGridRows));
    grid.Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1L, client.right / kGridColumns)), 0);
    const COLORREF* palette = sheet_.Palette();
    for (int i = 0; i < CQVFormatCells::kPaletteSize; ++i) {
        const int index = static_cast<int>(grid.Send(LB_ADDSTRING, 0, 0));
        grid.SetData(index, static_cast<LPARAM>(palette != nullptr ? palette[i] : 0));
    }

    grid_.Attach(hwnd(), IDC_PAT_GRID, fw::SpokenLabel(ItemText(IDC_PAT_FILL_LABEL)),
                 [this](int index) { return colour_.PaletteName(index); });

    fw::ComboBox style(hwnd(), IDC_PAT_STYLE);
    style.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kStyleItemHeight);
    style.Send(CB_SETITEMHEIGHT, 0, kStyleItemHeight);
    style.Send(CB_ADDSTRING, 0, 0);
    style.Select(0);
    dropDown_.Attach(hwnd(), IDC_PAT_STYLE, [this] { ChoosePattern(); });
    dropDown_.SetAccessible(fw::SpokenLabel(ItemText(IDC_PAT_STYLE_LABEL)),
                            [this] { return PatternName(block_.patternStyle); });

    colour_.Attach(hwnd(), IDC_PAT_COLOUR);
    colour_.SetPalette(palette, CQVFormatCells::kPaletteSize);
    colour_.SetDefaultColour(RGB(0, 0, 0));
    colour_.SetDefaultText(MenuString(3436));
    colour_.SetColourNames(sheet_.ColourNameList());
    colour_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_PAT_COLOUR_LABEL)));
    uint32_t patternColour = block_.patternColor;
    colour_.Exchange(false, patternColour, 0);

    sample_.Attach(hwnd(), IDC_PAT_SAMPLE, [this](HDC dc, const RECT& r) { PaintSample(dc, r); });
    LoadPopup();
    ShowItem(IDC_PAT_CLEAR, core::IsClearMode(mode_));
    ShowBlock();
    UpdateSample();
    EnableItem(IDC_PAT_CLEAR, core::IsClearMode(mode_) && changed_);
    return true;
}

void CQVFmtCellsPattern::LoadPopup() {
    popup_.SetWidth(150);
    popup_.SetIconSize(SIZE{16, 15});
    {
        const MenuStrings strings;
        patternNames_.clear();
        for (int k = 0; k < core::kPatternPopupButtons; ++k) {
            patternNames_.push_back(strings(kFirstPatternName + static_cast<UINT>(k)));
        }
    }
    popup_.SetButtonNames(patternNames_);
    popup_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_PAT_STYLE_LABEL)));
    std::vector<int> ids;
    std::vector<UINT> commands;
    for (int k = 0; k < core::kPatternPopupButtons; ++k) {
        popup_.AddButton(static_cast<UINT>(core::kPatternPopupFirstCommand + k));
        commands.push_back(static_cast<UINT>(core::kPatternPopupFirstCommand + k));
        ids.push_back(core::kPatternPopupFirstImage + k);
    }
    std::vector<HBITMAP> images = LoadLibraryImages("QVWPAG.dll", ids, 16, 16);
    if (std::all_of(images.begin(), images.end(), [](HBITMAP b) { return b == nullptr; })) {
        return; // no library: the popup has no images
    }
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, core::kPatternPopupButtons, 0);
    for (HBITMAP image : images) {
        fw::Bitmap owned(image);
        if (!owned) {
            // Keep the indices in step with the commands.
            fw::WindowDC screen(nullptr);
            owned.Reset(CreateCompatibleBitmap(screen.get(), 16, 16));
        }
        ImageList_Add(list, owned.get(), nullptr);
    }
    popup_.Images().SetIcons(list, commands.data(), static_cast<int>(commands.size()));
}

int CQVFmtCellsPattern::GridIndexOf(uint32_t colour) const {
    if (colour == core::kNoFillColour) {
        return -1;
    }
    const COLORREF* palette = sheet_.Palette();
    for (int i = 0; palette != nullptr && i < CQVFormatCells::kPaletteSize; ++i) {
        if (palette[i] == colour) {
            return i;
        }
    }
    return -1;
}

void CQVFmtCellsPattern::ShowBlock() {
    fw::ListBox(hwnd(), IDC_PAT_GRID).Select(GridIndexOf(block_.fillColor));
    fw::Button(hwnd(), IDC_PAT_NO_COLOUR)
        .SetCheck(block_.fillColor == core::kNoFillColour ? BST_UNCHECKED : BST_CHECKED);
    InvalidateRect(Item(IDC_PAT_STYLE), nullptr, FALSE);
}

void CQVFmtCellsPattern::UpdateSample() {
    if (block_.fillColor == core::kNoFillColour && block_.patternStyle >= 0) {
        block_.fillColor = 0xFFFFFF; // a pattern needs a ground
    }
    sample_.Redraw();
}

void CQVFmtCellsPattern::UpdateChanged() {
    if (!core::IsClearMode(mode_)) {
        changed_ = true;
        return;
    }
    changed_ =
        core::PatternChangedInClearMode(block_.fillColor, block_.patternStyle, incomingChanged_);
    EnableItem(IDC_PAT_CLEAR, changed_);
}

void CQVFmtCellsPattern::SetStyle(int16_t style) {
    block_.patternStyle = core::NormalisePatternStyle(style);
    InvalidateRect(Item(IDC_PAT_STYLE), nullptr, FALSE);
    fw::NotifyAccessibleValue(dropDown_.hwnd());
    UpdateSample();
    UpdateChanged();
}

std::string CQVFmtCellsPattern::PatternName(int16_t style) const {
    const int button = style < 0 ? 0 : core::PopupButtonOfPatternStyle(style);
    if (button >= 0 && button < static_cast<int>(patternNames_.size())) {
        return patternNames_[static_cast<size_t>(button)];
    }
    std::string name = MenuString(kPatternNumberString);
    const size_t at = name.find("%d");
    if (at != std::string::npos) {
        name.replace(at, 2, std::to_string(style));
    }
    return name;
}

void CQVFmtCellsPattern::ChoosePattern() {
    HWND combo = Item(IDC_PAT_STYLE);
    if (combo == nullptr || !IsWindowEnabled(combo)) {
        return;
    }
    RECT anchor{};
    GetWindowRect(combo, &anchor);
    const int current = core::PopupButtonOfPatternStyle(block_.patternStyle);
    popup_.SetChecked(current >= 0 ? static_cast<UINT>(core::kPatternPopupFirstCommand + current)
                                   : 0);
    const UINT command = popup_.TrackPopup(hwnd(), anchor);
    if (command == 0) {
        return;
    }
    SetStyle(core::PatternStyleOfPopupButton(static_cast<int>(command) -
                                             core::kPatternPopupFirstCommand));
}

bool CQVFmtCellsPattern::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_PAT_GRID:
        if (code == LBN_SELCHANGE) {
            fw::ListBox grid(hwnd(), IDC_PAT_GRID);
            const int selected = grid.Selection();
            if (selected >= 0) {
                block_.fillColor = static_cast<uint32_t>(grid.Data(selected));
                fw::Button(hwnd(), IDC_PAT_NO_COLOUR).SetCheck(BST_CHECKED);
                UpdateSample();
                UpdateChanged();
            }
            return true;
        }
        return false;
    case IDC_PAT_NO_COLOUR:
        if (code == BN_CLICKED) {
            block_.fillColor = core::kNoFillColour;
            block_.patternStyle = -1;
            fw::ListBox(hwnd(), IDC_PAT_GRID).Select(-1);
            fw::Button(hwnd(), IDC_PAT_NO_COLOUR).SetCheck(BST_UNCHECKED);
            InvalidateRect(Item(IDC_PAT_STYLE), nullptr, FALSE);
            changed_ = true;
            if (core::IsClearMode(mode_)) {
                EnableItem(IDC_PAT_CLEAR, true);
            }
            UpdateSample();
            return true;
        }
        return false;
    case IDC_PAT_COLOUR:
        if (code == fw::ColourPicker::kChanged) {
            uint32_t colour = 0;
            colour_.Exchange(true, colour, 0);
            block_.patternColor = colour;
            UpdateSample();
            UpdateChanged();
            return true;
        }
        return false;
    case IDC_PAT_STYLE:
        if (code == CBN_DROPDOWN) {
            SendMessageA(Item(IDC_PAT_STYLE), CB_SHOWDROPDOWN, FALSE, 0);
            return true;
        }
        return false;
    case IDC_PAT_CLEAR:
        if (code == BN_CLICKED && core::IsClearMode(mode_)) {
            block_.fillColor = core::kNoFillColour;
            block_.patternStyle = -1;
            changed_ = false;
            ShowBlock();
            sample_.Redraw();
            if (GetFocus() == Item(IDC_PAT_CLEAR)) {
                FocusItem(IDC_PAT_GRID);
            }
            EnableItem(IDC_PAT_CLEAR, false);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CQVFmtCellsPattern::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure != nullptr && measure->CtlID == IDC_PAT_STYLE) {
            measure->itemHeight = kStyleItemHeight;
            result = TRUE;
            return true;
        }
        if (measure != nullptr && measure->CtlID == IDC_PAT_GRID) {
            measure->itemHeight = 16;
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlID == IDC_PAT_GRID) {
            DrawGridItem(*item);
        } else if (item != nullptr && item->CtlID == IDC_PAT_STYLE) {
            DrawStyleItem(*item);
        } else {
            return false;
        }
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

void CQVFmtCellsPattern::DrawGridItem(const DRAWITEMSTRUCT& item) const {
    DrawSwatchItem(item);
}

void CQVFmtCellsPattern::DrawStyleItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    RECT inner = r;
    InflateRect(&inner, -2, -2);
    if (block_.patternStyle >= 0) {
        FillWithPattern(dc, inner, block_.patternStyle, RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF));
    } else {
        FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_COMBOBOXEDIT) != 0) {
        DrawFocusRect(dc, &r);
    }
}

void CQVFmtCellsPattern::PaintSample(HDC dc, const RECT& client) const {
    const COLORREF fill = block_.fillColor == core::kNoFillColour
                              ? GetSysColor(COLOR_BTNFACE)
                              : static_cast<COLORREF>(block_.fillColor & 0x00FFFFFF);
    const COLORREF pattern = static_cast<COLORREF>(block_.patternColor & 0x00FFFFFF);
    FillWithPattern(dc, client, block_.patternStyle, pattern, fill);
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
}

} // namespace qv::format
