#include "format/page_border.h"

#include "format/format_cells.h"
#include "format/page_align.h"
#include "frame/host_data.h"
#include "framework/controls.h"
#include "framework/text.h"
#include "resource.h"

#include <oleacc.h>

#include <algorithm>

namespace qv::format {
namespace {

// The most lines read from the host.
constexpr size_t kMaxLines = 4096;

// The edge buttons in slot order.
constexpr int kEdgeButtons[core::kBorderSlotCount] = {
    IDC_BORDER_TOP,   IDC_BORDER_LEFT,     IDC_BORDER_BOTTOM,
    IDC_BORDER_RIGHT, IDC_BORDER_INSIDE_H, IDC_BORDER_INSIDE_V,
};

// Buttons with their images in QVSSG.dll: image, disabled image, size.
struct ButtonImage {
    int id;
    int image;
    int disabledImage;
    int size;
};
constexpr ButtonImage kButtonImages[9] = {
    {IDC_BORDER_NONE, 13063, 13064, 32},     {IDC_BORDER_OUTLINE, 13065, 13066, 32},
    {IDC_BORDER_INSIDE, 13039, 13040, 32},   {IDC_BORDER_TOP, 13067, 13068, 24},
    {IDC_BORDER_BOTTOM, 13069, 13070, 24},   {IDC_BORDER_LEFT, 13071, 13072, 24},
    {IDC_BORDER_RIGHT, 13073, 13074, 24},    {IDC_BORDER_INSIDE_H, 13044, 13045, 24},
    {IDC_BORDER_INSIDE_V, 13042, 13043, 24},
};

// What screen readers call the lines of the line list and the six edges.
constexpr UINT kFirstLineStyleName = 3461;
constexpr UINT kFirstEdgeName = 3469;

constexpr COLORREF kGridColour = 0x949694;
constexpr COLORREF kTextColour = RGB(0x33, 0x33, 0x33);
constexpr COLORREF kPaperColour = RGB(0xFF, 0xFF, 0xFF);
constexpr int kLineItemHeight = 10;

// A pen for a border line: style and weight as the record gives them.
HPEN LinePen(uint16_t penStyle, uint8_t weight, COLORREF colour) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    const int style = penStyle < std::size(kStyles) ? kStyles[penStyle] : PS_SOLID;
    const int width = std::clamp<int>(weight, 1, 3);
    if (width == 1) {
        return CreatePen(style, 1, colour);
    }
    LOGBRUSH brush{BS_SOLID, colour, 0};
    return ExtCreatePen(PS_GEOMETRIC | static_cast<DWORD>(style) | PS_ENDCAP_FLAT, width, &brush, 0,
                        nullptr);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

// ---- BorderPreview -----------------------------------------------------------------

void BorderPreview::SetEdges(Edges edges, std::vector<std::string> names) {
    edges_ = std::move(edges);
    names_ = std::move(names);
}

RECT BorderPreview::ZoneRect(int zone) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const core::ZoneRect z =
        core::BorderPreviewZoneRect(zone, client.left, client.top, client.right, client.bottom);
    return RECT{z.left, z.top, z.right, z.bottom};
}

void BorderPreview::DrawFocus(HDC dc) const {
    if (hwnd() != nullptr && GetFocus() == hwnd()) {
        RECT r = ZoneRect(current_);
        DrawFocusRect(dc, &r);
    }
}

long BorderPreview::AccessibleRole() const {
    return ROLE_SYSTEM_LIST;
}

std::string BorderPreview::AccessibleValue() const {
    return AccessibleChildName(current_);
}

std::string BorderPreview::AccessibleChildName(int child) const {
    return child >= 1 && child <= static_cast<int>(names_.size())
               ? names_[static_cast<size_t>(child - 1)]
               : std::string();
}

long BorderPreview::AccessibleChildRole(int) const {
    return ROLE_SYSTEM_CHECKBUTTON;
}

long BorderPreview::AccessibleChildState(int child) const {
    long state = 0;
    if (edges_.on && edges_.on(child)) {
        state |= STATE_SYSTEM_CHECKED;
    }
    if (edges_.enabled && !edges_.enabled(child)) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    }
    return state;
}

int BorderPreview::Step(int from, int direction) const {
    int zone = from;
    for (int i = 0; i < kZones; ++i) {
        zone = (zone - 1 + direction + kZones) % kZones + 1;
        if (!edges_.enabled || edges_.enabled(zone)) {
            return zone;
        }
    }
    return from;
}

void BorderPreview::MoveTo(int zone) {
    if (zone < 1 || zone > kZones) {
        return;
    }
    if (zone != current_) {
        current_ = zone;
        fw::NotifyAccessibleFocus(hwnd(), current_);
        fw::NotifyAccessibleValue(hwnd());
    }
    Redraw();
}

void BorderPreview::Clicked(int zone) {
    if (hwnd() != nullptr && GetFocus() != hwnd()) {
        SetFocus(hwnd());
    }
    MoveTo(zone);
}

LRESULT BorderPreview::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Redraw();
        if (message == WM_SETFOCUS) {
            fw::NotifyAccessibleFocus(hwnd(), current_);
        }
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT:
        case VK_UP:
            MoveTo(Step(current_, -1));
            return 0;
        case VK_RIGHT:
        case VK_DOWN:
            MoveTo(Step(current_, 1));
            return 0;
        case VK_HOME:
            MoveTo(Step(kZones, 1));
            return 0;
        case VK_END:
            MoveTo(Step(1, -1));
            return 0;
        case VK_SPACE:
            if (edges_.toggle && (!edges_.enabled || edges_.enabled(current_))) {
                edges_.toggle(current_);
                fw::NotifyAccessibleState(hwnd(), current_);
            }
            return 0;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (wParam == ' ') {
            return 0;
        }
        break;
    default:
        break;
    }
    return PaintedStatic::WindowProc(message, wParam, lParam);
}

// ---- CQVFmtCellsBorder ----------------------------------------------------------------

CQVFmtCellsBorder::CQVFmtCellsBorder(CQVFormatCells& sheet)
    : SheetPage(IDD_FMT_BORDER), sheet_(sheet) {}

void CQVFmtCellsBorder::SetLines(QVVector* lines, uint8_t mode, uint8_t mergeFlag) {
    std::vector<core::BorderLineValue> values;
    const size_t count = std::min(QVVectorCount(lines, sizeof(BorderLine)), kMaxLines);
    if (count > 0 && frame::IsReadable(lines->first, count * sizeof(BorderLine))) {
        const auto* source = static_cast<const BorderLine*>(lines->first);
        for (size_t i = 0; i < count; ++i) {
            core::BorderLineValue v;
            v.edges = source[i].edges;
            v.penStyle = source[i].penStyle;
            v.color = source[i].color;
            v.shape = source[i].shape;
            v.weight = source[i].weight;
            v.changed = source[i].changed;
            values.push_back(v);
        }
    }
    model_.Start(values.data(), values.size(), mode, mergeFlag);
}

void CQVFmtCellsBorder::WriteLines(QVVector* lines) const {
    if (lines == nullptr) {
        return;
    }
    QVVectorClear(lines);
    for (const core::BorderLineValue& v : model_.Finish()) {
        BorderLine line{};
        line.edges = v.edges;
        line.penStyle = v.penStyle;
        line.color = v.color;
        line.shape = v.shape;
        line.weight = v.weight;
        line.changed = v.changed;
        QVVectorPush(lines, &line, sizeof line);
    }
}

void CQVFmtCellsBorder::LoadImages() {
    std::vector<int> big;
    std::vector<int> small;
    for (const ButtonImage& b : kButtonImages) {
        (b.size == 32 ? big : small).push_back(b.image);
        (b.size == 32 ? big : small).push_back(b.disabledImage);
    }
    std::vector<HBITMAP> bigImages = LoadLibraryImages("QVSSG.dll", big, 32, 32);
    std::vector<HBITMAP> smallImages = LoadLibraryImages("QVSSG.dll", small, 24, 24);
    size_t nextBig = 0;
    size_t nextSmall = 0;
    for (size_t i = 0; i < std::size(kButtonImages); ++i) {
        std::vector<HBITMAP>& from = kButtonImages[i].size == 32 ? bigImages : smallImages;
        size_t& next = kButtonImages[i].size == 32 ? nextBig : nextSmall;
        images_[i].id = kButtonImages[i].id;
        images_[i].normal.Reset(from[next++]);
        images_[i].disabled.Reset(from[next++]);
    }
}

bool CQVFmtCellsBorder::OnInitDialog() {
    static const int kControls[] = {IDC_BORDER_PRESETS,       IDC_BORDER_NONE_LABEL,
                                    IDC_BORDER_OUTLINE_LABEL, IDC_BORDER_INSIDE_LABEL,
                                    IDC_BORDER_GROUP,         IDC_BORDER_LINE_GROUP,
                                    IDC_BORDER_STYLE_LABEL,   IDC_BORDER_COLOUR_LABEL,
                                    IDC_BORDER_NOTE,          IDC_BORDER_CLEAR};
    static const int kStrings[] = {3420, 3421, 3422, 3423, 3424, 3425, 3426, 3413, 3428, 3308};
    RelabelPage(hwnd(), kControls, kStrings, static_cast<int>(std::size(kControls)), font_,
                {IDC_BORDER_STYLE});

    LoadImages();
    fw::ListBox list(hwnd(), IDC_BORDER_STYLE);
    list.Send(LB_SETITEMHEIGHT, 0, kLineItemHeight);
    for (size_t i = 0; i < core::kBorderLineStyles.size(); ++i) {
        list.Add("");
    }
    list.Select(1);

    // Screen readers: the lines by name, the image buttons by what they do.
    const MenuStrings strings;
    std::vector<std::string> lineNames;
    for (size_t i = 0; i < core::kBorderLineStyles.size(); ++i) {
        lineNames.push_back(strings(kFirstLineStyleName + static_cast<UINT>(i)));
    }
    styles_.Attach(hwnd(), IDC_BORDER_STYLE, fw::SpokenLabel(ItemText(IDC_BORDER_STYLE_LABEL)),
                   [lineNames](int index) {
                       return index >= 0 && index < static_cast<int>(lineNames.size())
                                  ? lineNames[static_cast<size_t>(index)]
                                  : std::string();
                   });
    std::vector<std::string> edgeNames;
    for (int slot = 0; slot < core::kBorderSlotCount; ++slot) {
        edgeNames.push_back(strings(kFirstEdgeName + static_cast<UINT>(slot)));
    }
    const struct {
        int button;
        std::string name;
    } kNamed[] = {
        {IDC_BORDER_NONE, fw::SpokenLabel(ItemText(IDC_BORDER_NONE_LABEL))},
        {IDC_BORDER_OUTLINE, fw::SpokenLabel(ItemText(IDC_BORDER_OUTLINE_LABEL))},
        {IDC_BORDER_INSIDE, fw::SpokenLabel(ItemText(IDC_BORDER_INSIDE_LABEL))},
        {kEdgeButtons[core::kSlotTop], edgeNames[core::kSlotTop]},
        {kEdgeButtons[core::kSlotLeft], edgeNames[core::kSlotLeft]},
        {kEdgeButtons[core::kSlotBottom], edgeNames[core::kSlotBottom]},
        {kEdgeButtons[core::kSlotRight], edgeNames[core::kSlotRight]},
        {kEdgeButtons[core::kSlotInsideHorizontal], edgeNames[core::kSlotInsideHorizontal]},
        {kEdgeButtons[core::kSlotInsideVertical], edgeNames[core::kSlotInsideVertical]},
    };
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i].Attach(hwnd(), kNamed[i].button, kNamed[i].name);
    }

    colour_.Attach(hwnd(), IDC_BORDER_COLOUR);
    colour_.SetPalette(sheet_.Palette(), CQVFormatCells::kPaletteSize);
    colour_.SetDefaultColour(RGB(0, 0, 0));
    colour_.SetDefaultText(MenuString(3436));
    colour_.SetColourNames(sheet_.ColourNameList());
    colour_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_BORDER_COLOUR_LABEL)));
    uint32_t colour = model_.Current().color;
    colour_.Exchange(false, colour, 0);

    preview_.Attach(
        hwnd(), IDC_BORDER_PREVIEW,
        [this](HDC dc, const RECT& client) { PaintPreview(dc, client); },
        [this](POINT p) {
            RECT client{};
            GetClientRect(preview_.hwnd(), &client);
            const int zone = core::BorderPreviewZone(client.left, client.top, client.right,
                                                     client.bottom, p.x, p.y);
            if (zone != 0) {
                preview_.Clicked(zone);
                SendMessageA(hwnd(), kEdgeMessage, 0, zone);
            }
        });
    preview_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_BORDER_GROUP)));
    BorderPreview::Edges edges;
    edges.on = [this](int zone) { return model_.EdgeOn(core::SlotOfPreviewZone(zone)); };
    edges.enabled = [this](int zone) {
        const HWND button = Item(kEdgeButtons[core::SlotOfPreviewZone(zone)]);
        return button == nullptr || IsWindowEnabled(button) != FALSE;
    };
    edges.toggle = [this](int zone) { SendMessageA(hwnd(), kEdgeMessage, 0, zone); };
    preview_.SetEdges(std::move(edges), edgeNames);

    const bool clearMode = core::IsClearMode(model_.Mode());
    ShowItem(IDC_BORDER_CLEAR, clearMode);
    SyncControls();
    return true;
}

void CQVFmtCellsBorder::SyncControls() {
    if (hwnd() == nullptr) {
        return;
    }
    for (int slot = 0; slot < core::kBorderSlotCount; ++slot) {
        fw::Button(hwnd(), kEdgeButtons[slot]).SetChecked(model_.EdgeOn(slot));
    }
    EnableItem(IDC_BORDER_INSIDE_H, model_.InsideHorizontalEnabled());
    EnableItem(IDC_BORDER_INSIDE_V, model_.InsideVerticalEnabled());
    EnableItem(IDC_BORDER_INSIDE, model_.InsidePresetEnabled());
    for (const ButtonImages& b : images_) {
        HWND button = Item(b.id);
        if (button == nullptr) {
            continue;
        }
        HBITMAP image = IsWindowEnabled(button) ? b.normal.get() : b.disabled.get();
        if (image == nullptr) {
            image = b.normal.get();
        }
        if (reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0)) !=
            image) {
            SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
        }
    }
    const bool clearMode = core::IsClearMode(model_.Mode());
    EnableItem(IDC_BORDER_CLEAR, clearMode && model_.ClearEnabled());
    preview_.Redraw();
}

void CQVFmtCellsBorder::OnEdge(int slot) {
    model_.ToggleEdge(slot);
    SyncControls();
}

bool CQVFmtCellsBorder::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_BORDER_NONE:
    case IDC_BORDER_OUTLINE:
    case IDC_BORDER_INSIDE:
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDC_BORDER_NONE) {
            model_.PresetNone();
        } else if (id == IDC_BORDER_OUTLINE) {
            model_.PresetOutline();
        } else {
            model_.PresetInside();
        }
        SyncControls();
        return true;
    case IDC_BORDER_STYLE:
        if (code == LBN_SELCHANGE) {
            model_.SelectLineStyle(fw::ListBox(hwnd(), IDC_BORDER_STYLE).Selection());
            preview_.Redraw();
            return true;
        }
        return false;
    case IDC_BORDER_COLOUR:
        if (code == fw::ColourPicker::kChanged) {
            uint32_t colour = 0;
            colour_.Exchange(true, colour, 0);
            model_.SetColour(colour);
            InvalidateRect(Item(IDC_BORDER_STYLE), nullptr, FALSE);
            preview_.Redraw();
            return true;
        }
        return false;
    case IDC_BORDER_CLEAR:
        if (code == BN_CLICKED && core::IsClearMode(model_.Mode())) {
            model_.Clear();
            SyncControls();
            if (GetFocus() == nullptr || !IsWindowEnabled(GetFocus())) {
                FocusItem(IDC_BORDER_NONE);
            }
            return true;
        }
        return false;
    default:
        for (int slot = 0; slot < core::kBorderSlotCount; ++slot) {
            if (id == kEdgeButtons[slot] && code == BN_CLICKED) {
                OnEdge(slot);
                return true;
            }
        }
        return false;
    }
}

bool CQVFmtCellsBorder::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case kEdgeMessage: {
        const int slot = core::SlotOfPreviewZone(static_cast<int>(lParam));
        if (slot >= 0) {
            const HWND button = Item(kEdgeButtons[slot]);
            if (button == nullptr || IsWindowEnabled(button)) {
                OnEdge(slot);
            }
        }
        result = TRUE;
        return true;
    }
    case PSM_QUERYSIBLINGS:
        if (lParam == CQVFmtCellsAlign::kMergeNotice && (wParam == 0 || wParam == 1)) {
            model_.MergeNotice(wParam == 1);
            SyncControls();
        }
        result = FALSE; // let the other pages hear it too
        return true;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure != nullptr && measure->CtlID == IDC_BORDER_STYLE) {
            measure->itemHeight = kLineItemHeight;
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlID == IDC_BORDER_STYLE) {
            DrawLineEntry(*item);
            result = TRUE;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

bool CQVFmtCellsBorder::PreTranslateMessage(MSG& msg) {
    // Alt+C opens the line colour's drop-down.
    if (hwnd() != nullptr && msg.message == WM_SYSKEYDOWN && (msg.wParam == 'C') &&
        IsWindowVisible(hwnd()) &&
        (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd) || msg.hwnd == GetParent(hwnd()))) {
        if (colour_.hwnd() != nullptr && IsWindowEnabled(colour_.hwnd())) {
            SetFocus(colour_.hwnd());
            colour_.DropDown();
        }
        return true;
    }
    return false;
}

void CQVFmtCellsBorder::DrawLineEntry(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const size_t index = item.itemID;
    if (index < core::kBorderLineStyles.size()) {
        const core::BorderLineStyle style = core::kBorderLineStyles[index];
        if (style.penStyle == core::kPenNone) {
            const std::string none = MenuString(3421);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            fw::SelectScope font(dc, font_ ? static_cast<HGDIOBJ>(font_.get())
                                           : GetStockObject(DEFAULT_GUI_FONT));
            RECT text = r;
            text.left += 4;
            fw::DrawLabel(dc, none, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        } else {
            const COLORREF ink = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                          : (colour_.IsDefault() ? RGB(0, 0, 0) : colour_.Colour());
            fw::Pen pen(LinePen(style.penStyle, style.weight, ink));
            fw::SelectScope select(dc, pen.get());
            SetBkMode(dc, TRANSPARENT);
            const int y = (r.top + r.bottom) / 2;
            Line(dc, r.left + 4, y, r.right - 4, y);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &r);
    }
}

void CQVFmtCellsBorder::PaintPreview(HDC dc, const RECT& client) const {
    fw::Brush paper(CreateSolidBrush(kPaperColour));
    FillRect(dc, &client, paper.get());
    const int left = client.left + 11;
    const int top = client.top + 11;
    const int right = client.right - 11;
    const int bottom = client.bottom - 11;
    const int midX = (client.left + client.right) / 2;
    const int midY = (client.top + client.bottom) / 2;
    const bool rows = core::ShapeHasInsideHorizontal(model_.Shape());
    const bool columns = core::ShapeHasInsideVertical(model_.Shape());

    // The cell grid, running past the selection like a sheet's grid lines.
    {
        fw::Pen grid(CreatePen(PS_SOLID, 1, kGridColour));
        fw::SelectScope pen(dc, grid.get());
        for (int x : {left, right}) {
            Line(dc, x, client.top + 3, x, client.bottom - 3);
        }
        for (int y : {top, bottom}) {
            Line(dc, client.left + 3, y, client.right - 3, y);
        }
        if (columns) {
            Line(dc, midX, client.top + 3, midX, client.bottom - 3);
        }
        if (rows) {
            Line(dc, client.left + 3, midY, client.right - 3, midY);
        }
    }
    // "Text" in every cell of the selection.
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    fw::Font arial(CreateFontIndirectA(&lf));
    {
        fw::SelectScope font(dc, arial.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kTextColour);
        const std::vector<int> xs =
            columns ? std::vector<int>{left, midX, right} : std::vector<int>{left, right};
        const std::vector<int> ys =
            rows ? std::vector<int>{top, midY, bottom} : std::vector<int>{top, bottom};
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            for (size_t j = 0; j + 1 < ys.size(); ++j) {
                RECT cell{xs[i], ys[j], xs[i + 1], ys[j + 1]};
                DrawTextA(dc, "Text", 4, &cell,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
        }
    }
    // The edges that are on.
    struct EdgeLine {
        int slot;
        int x1, y1, x2, y2;
    };
    const EdgeLine edges[] = {
        {core::kSlotTop, left, top, right + 1, top},
        {core::kSlotLeft, left, top, left, bottom + 1},
        {core::kSlotBottom, left, bottom, right + 1, bottom},
        {core::kSlotRight, right, top, right, bottom + 1},
        {core::kSlotInsideHorizontal, left, midY, right + 1, midY},
        {core::kSlotInsideVertical, midX, top, midX, bottom + 1},
    };
    for (const EdgeLine& e : edges) {
        if (!model_.EdgeOn(e.slot)) {
            continue;
        }
        if ((e.slot == core::kSlotInsideHorizontal && !rows) ||
            (e.slot == core::kSlotInsideVertical && !columns)) {
            continue;
        }
        const core::BorderLineValue& line = model_.Slot(e.slot);
        if (line.penStyle == core::kPenNone) {
            continue;
        }
        fw::Pen pen(LinePen(line.penStyle, line.weight, line.color & 0x00FFFFFF));
        fw::SelectScope select(dc, pen.get());
        SetBkMode(dc, TRANSPARENT);
        Line(dc, e.x1, e.y1, e.x2, e.y2);
    }
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    preview_.DrawFocus(dc);
}

} // namespace qv::format
