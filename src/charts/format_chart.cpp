#include "charts/format_chart.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/library.h"
#include "framework/module.h"
#include "qvcore/chart_rules.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace qv::charts {
namespace {

// Buttons of the sheet: left edges in the client area, 30 pixels above its
// bottom, and the room kept right of Cancel.
constexpr int kOkLeft = 250, kCancelLeft = 337, kButtonsFromBottom = 30, kRightMargin = 8;

// Tab labels: pattern, font, alignment.
constexpr UINT kPatternTab = 1725, kFontTab = 1095, kAlignmentTab = 1094;

// Pen styles of the style list, in list order.
constexpr int kPenStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT};
constexpr int kLineItems = 4;
constexpr int kLineItemHeight = 14;

// The sample's box inside its static: inset left and right, top, bottom.
constexpr int kSampleInsetSide = 10, kSampleInsetTop = 20, kSampleInsetBottom = 5;

// Area colour grid: eight columns of five.
constexpr int kGridColumns = 8, kGridRows = 5;

uint8_t Byte0(uint32_t word) {
    return core::LowByte(word);
}
uint8_t Byte1(uint32_t word) {
    return core::SecondByte(word);
}

// A pen width for the sample: the weight, more for broken lines.
int SamplePenWidth(uint8_t style, uint8_t weight) {
    const int extra = style == 1 ? 1 : style >= 2 ? 2 : 0;
    return std::max(1, static_cast<int>(weight) + extra);
}

// A pen of a style of the list, whose dashes hold at any width (a plain
// GDI pen wider than one pixel draws every style solid).
HPEN LinePen(int styleIndex, int width, COLORREF colour) {
    const LOGBRUSH brush{BS_SOLID, colour, 0};
    return ExtCreatePen(
        PS_GEOMETRIC | PS_ENDCAP_FLAT |
            static_cast<DWORD>(kPenStyles[std::clamp(styleIndex, 0, kLineItems - 1)]),
        static_cast<DWORD>(std::max(1, width)), &brush, 0, nullptr);
}

void DrawLineItem(const DRAWITEMSTRUCT& item, bool weights) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const int index = std::clamp(static_cast<int>(item.itemData), 0, kLineItems - 1);
        const COLORREF ink = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        fw::Pen pen(LinePen(weights ? 0 : index, weights ? index + 1 : 1, ink));
        fw::SelectScope select(dc, pen.get());
        const int y = (r.top + r.bottom) / 2;
        MoveToEx(dc, r.left + 4, y, nullptr);
        LineTo(dc, r.right - 4, y);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &r);
    }
}

// The outline of a marker of `code` (low byte the family, from bit 12 up
// the points or the cross's arm thickness) around (cx, cy), `half` pixels
// from the centre to the edge; empty for a circle.
std::vector<POINT> MarkerOutline(uint32_t code, int cx, int cy, int half) {
    const double r = half;
    const uint32_t family = code & 0xFF;
    const uint32_t count = code >> 12;
    std::vector<POINT> points;
    auto add = [&](double x, double y) {
        points.push_back(
            {cx + static_cast<LONG>(std::lround(x)), cy + static_cast<LONG>(std::lround(y))});
    };
    auto ring = [&](uint32_t n, double turn, double inner) {
        const uint32_t corners = inner > 0 ? 2 * n : n;
        for (uint32_t i = 0; i < corners; ++i) {
            const double radius = inner > 0 && i % 2 == 1 ? inner : r;
            const double angle = turn + 2 * std::numbers::pi * i / corners;
            add(radius * std::sin(angle), -radius * std::cos(angle));
        }
    };
    switch (family) {
    case 2: // diamond
        ring(4, 0, 0);
        break;
    case 3: // triangles pointing up, right, left and down
    case 4:
    case 5:
    case 6: {
        const double turns[] = {0, std::numbers::pi / 2, -std::numbers::pi / 2, std::numbers::pi};
        ring(3, turns[family - 3], 0);
        break;
    }
    case 11: // polygons, the second style turned by half a side
    case 12: {
        const uint32_t n = std::clamp<uint32_t>(count, 3, 12);
        ring(n, family == 12 ? std::numbers::pi / n : 0, 0);
        break;
    }
    case 13: // stars
        ring(std::clamp<uint32_t>(count, 3, 12), 0, r * 0.45);
        break;
    case 8: // crosses: upright, and the second style turned to an X
    case 9: {
        const double arm = std::clamp(r * count / 4096.0, 1.0, r);
        const double c = family == 9 ? std::cos(std::numbers::pi / 4) : 1.0;
        const double sn = family == 9 ? std::sin(std::numbers::pi / 4) : 0.0;
        const double outline[12][2] = {{-arm, -r},  {arm, -r},  {arm, -arm}, {r, -arm},
                                       {r, arm},    {arm, arm}, {arm, r},    {-arm, r},
                                       {-arm, arm}, {-r, arm},  {-r, -arm},  {-arm, -arm}};
        for (const auto& p : outline) {
            add(p[0] * c - p[1] * sn, p[0] * sn + p[1] * c);
        }
        break;
    }
    case 7: // circle
        break;
    default: // square, and a shape not chosen yet
        ring(4, std::numbers::pi / 4, 0);
        for (POINT& p : points) {
            p.x = p.x < cx ? cx - half : cx + half;
            p.y = p.y < cy ? cy - half : cy + half;
        }
        break;
    }
    return points;
}

void DrawMarkerShape(HDC dc, uint32_t code, int cx, int cy, int half) {
    const std::vector<POINT> outline = MarkerOutline(code, cx, cy, half);
    if (outline.empty()) {
        Ellipse(dc, cx - half, cy - half, cx + half + 1, cy + half + 1);
    } else {
        Polygon(dc, outline.data(), static_cast<int>(outline.size()));
    }
}

RECT SampleBox(HWND page) {
    RECT r{};
    HWND sample = GetDlgItem(page, IDC_CPAT_SAMPLE);
    if (sample == nullptr) {
        return r;
    }
    GetWindowRect(sample, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    r.left += kSampleInsetSide;
    r.right -= kSampleInsetSide;
    r.top += kSampleInsetTop;
    r.bottom -= kSampleInsetBottom;
    return r;
}

} // namespace

// ---- ChartPatternPage -------------------------------------------------------------------

ChartPatternPage::ChartPatternPage(CQVChartFormatSheet& sheet, UINT templateId)
    : SheetPage(templateId), sheet_(sheet) {
    words_[3] = core::kWhiteColour; // a fresh page's area (or line) colour
}

void ChartPatternPage::SetWords(const uint32_t (&words)[10]) {
    std::copy(std::begin(words), std::end(words), words_.begin());
}

uint8_t ChartPatternPage::Kind() const {
    return sheet_.Record().objectKind;
}

void ChartPatternPage::FillLineLists() {
    for (int id : {IDC_CPAT_LINE_STYLE, IDC_CPAT_LINE_WEIGHT}) {
        fw::ComboBox list(hwnd(), id);
        list.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kLineItemHeight);
        for (int i = 0; i < kLineItems; ++i) {
            const int index = static_cast<int>(list.Send(CB_ADDSTRING, 0, i));
            list.SetData(index, i);
        }
    }
    lineColour_.Attach(hwnd(), IDC_CPAT_LINE_COLOUR);
    lineColour_.SetPalette(sheet_.Palette(), format::FontPageHost::kPaletteSize);
    lineColour_.SetDefaultColour(RGB(0, 0, 0));
    lineColour_.SetDefaultText(format::MenuString(3436));
    lineColour_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_CPAT_COLOUR_LABEL)));
}

void ChartPatternPage::ShowLine() {
    loading_ = true;
    fw::ComboBox(hwnd(), IDC_CPAT_LINE_STYLE)
        .Select(std::min<int>(Byte0(words_[0]), kLineItems - 1));
    fw::ComboBox(hwnd(), IDC_CPAT_LINE_WEIGHT)
        .Select(std::min<int>(Byte1(words_[0]), kLineItems - 1));
    lineColour_.SetColour(static_cast<COLORREF>(words_[1] & 0xFFFFFF));
    const uint32_t mode = words_[2];
    CheckRadioButton(hwnd(), IDC_CPAT_BORDER_AUTO, IDC_CPAT_BORDER_CUSTOM,
                     mode == 0   ? IDC_CPAT_BORDER_AUTO
                     : mode == 1 ? IDC_CPAT_BORDER_NONE
                                 : IDC_CPAT_BORDER_CUSTOM);
    SetChecked(IDC_CPAT_SHADOW, Byte1(words_[9]) == 1);
    loading_ = false;
}

void ChartPatternPage::SetLineMode(uint32_t mode) {
    words_[2] = mode;
    CheckRadioButton(hwnd(), IDC_CPAT_BORDER_AUTO, IDC_CPAT_BORDER_CUSTOM,
                     mode == 0   ? IDC_CPAT_BORDER_AUTO
                     : mode == 1 ? IDC_CPAT_BORDER_NONE
                                 : IDC_CPAT_BORDER_CUSTOM);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ChartPatternPage::LineChanged() {
    if (words_[2] != 2 && words_[1] > core::kWhiteColour) {
        words_[1] = 0; // not a colour: black once the line is the user's
    }
    SetLineMode(2);
}

bool ChartPatternPage::OnLineCommand(int id, int code) {
    if (loading_) {
        return false;
    }
    switch (id) {
    case IDC_CPAT_BORDER_AUTO:
    case IDC_CPAT_BORDER_NONE:
    case IDC_CPAT_BORDER_CUSTOM:
        if (code != BN_CLICKED) {
            return false;
        }
        if (id == IDC_CPAT_BORDER_CUSTOM) {
            LineChanged();
        } else {
            SetLineMode(id == IDC_CPAT_BORDER_AUTO ? 0 : 1);
        }
        return true;
    case IDC_CPAT_LINE_STYLE:
    case IDC_CPAT_LINE_WEIGHT:
        if (code != CBN_SELCHANGE) {
            return false;
        }
        {
            const int index = std::max(0, fw::ComboBox(hwnd(), id).Selection());
            words_[0] = id == IDC_CPAT_LINE_STYLE
                            ? core::WithLowByte(words_[0], static_cast<uint8_t>(index))
                            : core::WithSecondByte(words_[0], static_cast<uint8_t>(index));
        }
        LineChanged();
        return true;
    case IDC_CPAT_LINE_COLOUR:
        if (code != fw::ColourPicker::kChanged) {
            return false;
        }
        {
            uint32_t colour = 0;
            lineColour_.Exchange(true, colour, 0);
            words_[1] = colour;
        }
        LineChanged();
        return true;
    case IDC_CPAT_SHADOW:
        if (code != BN_CLICKED) {
            return false;
        }
        words_[9] = core::WithSecondByte(words_[9], IsChecked(IDC_CPAT_SHADOW) ? 1 : 0);
        return true;
    default:
        return false;
    }
}

bool ChartPatternPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure != nullptr &&
            (measure->CtlID == IDC_CPAT_LINE_STYLE || measure->CtlID == IDC_CPAT_LINE_WEIGHT)) {
            measure->itemHeight = kLineItemHeight;
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr &&
            (item->CtlID == IDC_CPAT_LINE_STYLE || item->CtlID == IDC_CPAT_LINE_WEIGHT)) {
            DrawLineItem(*item, item->CtlID == IDC_CPAT_LINE_WEIGHT);
            result = TRUE;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void ChartPatternPage::DrawLineSample(HDC dc, const RECT& box, COLORREF colour) const {
    const uint8_t style = std::min<uint8_t>(Byte0(words_[0]), kLineItems - 1);
    const uint8_t weight = Byte1(words_[0]);
    fw::Pen pen(LinePen(style, SamplePenWidth(style, weight), colour));
    fw::SelectScope select(dc, pen.get());
    const int y = (box.top + box.bottom) / 2;
    MoveToEx(dc, box.left, y, nullptr);
    LineTo(dc, box.right, y);
}

// ---- CQVChartPattern ----------------------------------------------------------------------

CQVChartPattern::CQVChartPattern(CQVChartFormatSheet& sheet)
    : ChartPatternPage(sheet, IDD_CHART_PATTERN) {}

bool CQVChartPattern::OnInitDialog() {
    static const int kControls[] = {IDC_CPAT_BORDER_GROUP,
                                    IDC_CPAT_BORDER_AUTO,
                                    IDC_CPAT_BORDER_NONE,
                                    IDC_CPAT_BORDER_CUSTOM,
                                    IDC_CPAT_STYLE_LABEL,
                                    IDC_CPAT_COLOUR_LABEL,
                                    IDC_CPAT_WEIGHT_LABEL,
                                    IDC_CPAT_SHADOW,
                                    IDC_CPAT_SAMPLE,
                                    IDC_CPAT_AREA_GROUP,
                                    IDC_CPAT_AREA_AUTO,
                                    IDC_CPAT_AREA_NONE,
                                    0};
    static const int kStrings[] = {5660, 5661, 5662, 5663, 5664, 5665, 5666,
                                   5667, 5668, 5669, 5670, 5671, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    FillLineLists();

    fw::ListBox grid(hwnd(), IDC_CPAT_AREA_COLOURS);
    RECT client{};
    GetClientRect(grid.hwnd(), &client);
    grid.Send(LB_SETITEMHEIGHT, 0, std::max(1L, client.bottom / kGridRows));
    grid.Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1L, client.right / kGridColumns)), 0);
    for (uint32_t colour : core::AreaColours()) {
        const int index = static_cast<int>(grid.Send(LB_ADDSTRING, 0, 0));
        grid.SetData(index, static_cast<LPARAM>(colour));
    }
    grid.Select(core::AreaColourIndex(words_[3]));
    grid_.Attach(hwnd(), IDC_CPAT_AREA_COLOURS, fw::SpokenLabel(ItemText(IDC_CPAT_AREA_GROUP)),
                 [this](int index) { return lineColour_.PaletteName(index); });

    ShowLine();
    const uint8_t areaMode = Byte0(words_[9]);
    CheckRadioButton(hwnd(), IDC_CPAT_AREA_AUTO, IDC_CPAT_AREA_NONE,
                     areaMode == 0   ? IDC_CPAT_AREA_AUTO
                     : areaMode == 1 ? IDC_CPAT_AREA_NONE
                                     : 0);
    // A series or a point has no automatic area.
    if (Kind() == core::kObjectSeries || Kind() == core::kObjectSeriesPoint) {
        ShowItem(IDC_CPAT_AREA_AUTO, false);
    }
    ShowAsPainted();
    return true;
}

void CQVChartPattern::SetAreaMode(uint8_t mode) {
    words_[9] = core::WithLowByte(words_[9], mode);
    SetChecked(IDC_CPAT_AREA_AUTO, mode == 0);
    SetChecked(IDC_CPAT_AREA_NONE, mode == 1);
    ShowAsPainted();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CQVChartPattern::ShowAsPainted() {
    // What painting the sample makes of the words: a weight of at least the
    // first, and the area colour of the mode (or of an axis).
    if (Byte1(words_[0]) == 0) {
        words_[0] = core::WithSecondByte(words_[0], 1);
    }
    words_[3] = core::PaintedAreaColour(words_[3], Byte0(words_[9]), Kind(),
                                        GetSysColor(COLOR_INACTIVEBORDER));
}

bool CQVChartPattern::OnCommand(int id, int code, HWND) {
    if (OnLineCommand(id, code)) {
        return true;
    }
    switch (id) {
    case IDC_CPAT_AREA_AUTO:
    case IDC_CPAT_AREA_NONE:
        if (code == BN_CLICKED) {
            SetAreaMode(id == IDC_CPAT_AREA_AUTO ? 0 : 1);
            return true;
        }
        return false;
    case IDC_CPAT_AREA_COLOURS:
        if (code == LBN_SELCHANGE) {
            fw::ListBox grid(hwnd(), IDC_CPAT_AREA_COLOURS);
            const int selected = grid.Selection();
            if (selected >= 0) {
                words_[3] = static_cast<uint32_t>(grid.Data(selected));
                SetAreaMode(2);
            }
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CQVChartPattern::Paint(HDC dc) {
    ShowAsPainted();
    const COLORREF inactive = GetSysColor(COLOR_INACTIVEBORDER);
    const RECT box = SampleBox(hwnd());
    if (box.right <= box.left || box.bottom <= box.top) {
        return;
    }
    fw::Brush fill(CreateSolidBrush(static_cast<COLORREF>(words_[3] & 0xFFFFFF)));
    FillRect(dc, &box, fill.get());
    const COLORREF border = words_[2] == 1 ? inactive : static_cast<COLORREF>(words_[1] & 0xFFFFFF);
    const uint8_t style = std::min<uint8_t>(Byte0(words_[0]), kLineItems - 1);
    fw::Pen pen(LinePen(style, SamplePenWidth(style, Byte1(words_[0])), border));
    fw::SelectScope selectPen(dc, pen.get());
    fw::SelectScope selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
}

bool CQVChartPattern::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        Paint(dc);
        EndPaint(hwnd(), &ps);
        result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlID == IDC_CPAT_AREA_COLOURS) {
            format::DrawSwatchItem(*item);
            result = TRUE;
            return true;
        }
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure != nullptr && measure->CtlID == IDC_CPAT_AREA_COLOURS) {
            measure->itemHeight = 12;
            result = TRUE;
            return true;
        }
    }
    return ChartPatternPage::OnMessage(message, wParam, lParam, result);
}

// ---- CQVChartLinePattern ------------------------------------------------------------------

CQVChartLinePattern::CQVChartLinePattern(CQVChartFormatSheet& sheet)
    : ChartPatternPage(sheet, IDD_CHART_LINE_PATTERN) {}

bool CQVChartLinePattern::OnInitDialog() {
    static const int kControls[] = {IDC_CPAT_BORDER_GROUP,
                                    IDC_CPAT_BORDER_AUTO,
                                    IDC_CPAT_BORDER_NONE,
                                    IDC_CPAT_BORDER_CUSTOM,
                                    IDC_CPAT_STYLE_LABEL,
                                    IDC_CPAT_COLOUR_LABEL,
                                    IDC_CPAT_WEIGHT_LABEL,
                                    IDC_CPAT_SHADOW,
                                    IDC_CPAT_SAMPLE,
                                    IDC_CPAT_AREA_GROUP,
                                    IDC_CPAT_AREA_AUTO,
                                    IDC_CPAT_AREA_NONE,
                                    IDC_CPAT_MARKER_STYLE_LABEL,
                                    IDC_CPAT_MARKER_FORE_LABEL,
                                    IDC_CPAT_MARKER_BACK_LABEL,
                                    IDC_CPAT_MARKER_SIZE_LABEL,
                                    IDC_CPAT_MARKER_POINTS,
                                    0};
    static const int kStrings[] = {5672, 5661, 5662, 5663, 5664, 5665, 5666, 5667, 5668,
                                   5673, 5670, 5671, 5674, 5675, 5676, 5677, 5678, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_CPAT_MARKER_STYLE});
    FillLineLists();
    loading_ = true;
    fw::ComboBox shapes(hwnd(), IDC_CPAT_MARKER_STYLE);
    for (const core::MarkerShape& shape : core::MarkerShapes()) {
        shapes.Add(shape.name);
    }
    const int shape = core::MarkerShapeIndex(words_[5]);
    shapes.Select(shape);
    if (words_[5] == 0) {
        words_[9] = core::WithLowByte(words_[9], 0);
    }
    for (fw::ColourPicker* picker : {&fore_, &back_}) {
        picker->Attach(hwnd(), picker == &fore_ ? IDC_CPAT_MARKER_FORE : IDC_CPAT_MARKER_BACK);
        picker->SetPalette(sheet_.Palette(), format::FontPageHost::kPaletteSize);
        picker->SetDefaultColour(RGB(0, 0, 0));
        picker->SetDefaultText(format::MenuString(3436));
    }
    fore_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_CPAT_MARKER_FORE_LABEL)));
    back_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_CPAT_MARKER_BACK_LABEL)));
    fore_.SetColour(static_cast<COLORREF>(words_[8] & 0xFFFFFF));
    back_.SetColour(static_cast<COLORREF>(words_[7] & 0xFFFFFF));
    fw::UpDown spin(hwnd(), IDC_CPAT_MARKER_SPIN);
    spin.SetRange(2, 72);
    SetItemText(IDC_CPAT_MARKER_SIZE, std::to_string(words_[6]));
    loading_ = false;
    ShowLine();
    const uint8_t markerMode = Byte0(words_[9]);
    CheckRadioButton(hwnd(), IDC_CPAT_AREA_AUTO, IDC_CPAT_AREA_NONE,
                     markerMode == 0 ? IDC_CPAT_AREA_AUTO : IDC_CPAT_AREA_NONE);
    if (Kind() == core::kObjectSeries || Kind() == core::kObjectSeriesPoint) {
        ShowItem(IDC_CPAT_AREA_AUTO, false);
    }
    return true;
}

void CQVChartLinePattern::SetMarkerMode(uint8_t mode) {
    words_[9] = core::WithLowByte(words_[9], mode);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool CQVChartLinePattern::OnCommand(int id, int code, HWND) {
    if (loading_) {
        return false;
    }
    if (id == IDC_CPAT_BORDER_AUTO && code == BN_CLICKED) {
        // Automatic also puts the line colour back.
        words_[1] = 0;
        words_[3] = 0;
        loading_ = true;
        lineColour_.Reset();
        loading_ = false;
        SetLineMode(0);
        return true;
    }
    if (id == IDC_CPAT_LINE_COLOUR && code == fw::ColourPicker::kChanged) {
        uint32_t colour = 0;
        lineColour_.Exchange(true, colour, 0);
        words_[1] = colour;
        words_[3] = colour; // set together
        LineChanged();
        return true;
    }
    if (OnLineCommand(id, code)) {
        return true;
    }
    switch (id) {
    case IDC_CPAT_AREA_AUTO:
    case IDC_CPAT_AREA_NONE:
        if (code == BN_CLICKED) {
            SetMarkerMode(id == IDC_CPAT_AREA_AUTO ? 0 : 1);
            return true;
        }
        return false;
    case IDC_CPAT_MARKER_STYLE:
        if (code == CBN_SELCHANGE) {
            const int index = fw::ComboBox(hwnd(), IDC_CPAT_MARKER_STYLE).Selection();
            if (index >= 0 && index < core::kMarkerShapeCount) {
                words_[5] = core::MarkerShapes()[static_cast<size_t>(index)].code;
            }
            InvalidateRect(hwnd(), nullptr, TRUE);
            return true;
        }
        return false;
    case IDC_CPAT_MARKER_FORE:
    case IDC_CPAT_MARKER_BACK:
        if (code == fw::ColourPicker::kChanged) {
            uint32_t colour = 0;
            (id == IDC_CPAT_MARKER_FORE ? fore_ : back_).Exchange(true, colour, 0);
            words_[id == IDC_CPAT_MARKER_FORE ? 8 : 7] = colour;
            LineChanged(); // marker colours make the line the user's
            return true;
        }
        return false;
    case IDC_CPAT_MARKER_SIZE:
        if (code == EN_CHANGE) {
            uint32_t size = words_[6];
            if (core::ReadMarkerSize(ItemText(IDC_CPAT_MARKER_SIZE), size)) {
                words_[6] = size;
            }
            InvalidateRect(hwnd(), nullptr, TRUE);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CQVChartLinePattern::Paint(HDC dc) {
    RECT box = SampleBox(hwnd());
    if (box.right <= box.left || box.bottom <= box.top) {
        return;
    }
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    if (words_[2] != 1) {
        DrawLineSample(dc, box, static_cast<COLORREF>(words_[1] & 0xFFFFFF));
    }
    if (Byte0(words_[9]) != 1) {
        // The marker in the middle of the line, in its colours.
        const int half = std::clamp(static_cast<int>(words_[6]), 2, 12);
        const int cx = (box.left + box.right) / 2;
        const int cy = (box.top + box.bottom) / 2;
        fw::Brush fill(CreateSolidBrush(static_cast<COLORREF>(words_[7] & 0xFFFFFF)));
        fw::Pen edge(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(words_[8] & 0xFFFFFF)));
        fw::SelectScope selectBrush(dc, fill.get());
        fw::SelectScope selectPen(dc, edge.get());
        DrawMarkerShape(dc, words_[5], cx, cy, half);
    }
}

bool CQVChartLinePattern::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        Paint(dc);
        EndPaint(hwnd(), &ps);
        result = TRUE;
        return true;
    }
    return ChartPatternPage::OnMessage(message, wParam, lParam, result);
}

// ---- CQVChartAlignment ----------------------------------------------------------------------

CQVChartAlignment::CQVChartAlignment(CQVChartFormatSheet& sheet)
    : SheetPage(IDD_CHART_ALIGNMENT), sheet_(sheet) {}

bool CQVChartAlignment::OnInitDialog() {
    static const int kControls[] = {IDC_CALIGN_GROUP, IDC_CALIGN_HORIZONTAL_LABEL,
                                    IDC_CALIGN_VERTICAL_LABEL, IDC_CALIGN_ORIENT_GROUP, 0};
    static const int kStrings[] = {5680, 5681, 5682, 5683, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_CALIGN_HORIZONTAL, IDC_CALIGN_VERTICAL, IDC_CALIGN_ORIENTATION});
    const ChartFormatRecord& record = sheet_.Record();
    const bool text = core::ShowsTextAlignment(record.objectKind);
    for (int id : {IDC_CALIGN_GROUP, IDC_CALIGN_HORIZONTAL_LABEL, IDC_CALIGN_VERTICAL_LABEL,
                   IDC_CALIGN_HORIZONTAL, IDC_CALIGN_VERTICAL}) {
        ShowItem(id, text);
    }
    const format::MenuStrings strings;
    const struct {
        int id;
        std::initializer_list<UINT> entries;
        int selected;
    } lists[] = {{IDC_CALIGN_HORIZONTAL, {1050, 1052, 1051}, record.horizontal},
                 {IDC_CALIGN_VERTICAL, {1053, 1054, 1051}, record.vertical},
                 {IDC_CALIGN_ORIENTATION, {1701, 1702, 1703, 1704}, record.orientation}};
    for (const auto& list : lists) {
        fw::ComboBox box(hwnd(), list.id);
        for (UINT entry : list.entries) {
            box.Add(strings(entry));
        }
        box.Select(list.selected);
    }
    return true;
}

bool CQVChartAlignment::OnCommand(int id, int code, HWND) {
    if (code != CBN_SELCHANGE) {
        return false;
    }
    const int index = fw::ComboBox(hwnd(), id).Selection();
    if (index < 0) {
        return false;
    }
    // Written into the record at once; Cancel does not take it back.
    ChartFormatRecord& record = sheet_.Record();
    switch (id) {
    case IDC_CALIGN_HORIZONTAL:
        record.horizontal = static_cast<uint8_t>(index);
        return true;
    case IDC_CALIGN_VERTICAL:
        record.vertical = static_cast<uint8_t>(index);
        return true;
    case IDC_CALIGN_ORIENTATION:
        record.orientation = static_cast<int16_t>(index);
        return true;
    default:
        return false;
    }
}

// ---- CQVScaleYAxis ---------------------------------------------------------------------------

CQVScaleYAxis::CQVScaleYAxis() : SheetPage(IDD_CHART_SCALE) {}

// ---- CQVChartFormatSheet -----------------------------------------------------------------------

CQVChartFormatSheet::CQVChartFormatSheet(ChartFormatRecord* record, int32_t chartType,
                                         int32_t variant)
    : Sheet("Chart Wizard"), record_(record), chartType_(chartType), variant_(variant),
      fontPage_(*this), areaPage_(*this), lineMarkerPage_(*this), alignmentPage_(*this) {
    const auto& colours = core::AreaColours();
    std::copy(colours.begin(), colours.end(), palette_.begin());
    linePage_ = core::UsesLinePatternPage(chartType_, record_->objectKind, variant_);
    scalePage_.SetScale(record_->scale);
    fontBlock_ = record_->font;
    fontPage_.SetBlock(&fontBlock_);

    uint8_t pages = record_->pages &
                    (core::kFormatFontPage | core::kFormatPatternPage | core::kFormatAlignPage);
    if (pages == 0) {
        pages = core::kFormatPatternPage; // every part of a chart has one
    }
    if ((pages & core::kFormatPatternPage) != 0) {
        ChartPatternPage& pattern =
            linePage_ ? static_cast<ChartPatternPage&>(lineMarkerPage_) : areaPage_;
        pattern.SetWords(record_->pattern);
        AddPage(&pattern);
        patternShown_ = true;
    }
    if ((pages & core::kFormatFontPage) != 0) {
        AddPage(&fontPage_);
        fontShown_ = true;
    }
    if ((pages & core::kFormatAlignPage) != 0) {
        AddPage(&alignmentPage_);
    }
}

CQVChartFormatSheet::~CQVChartFormatSheet() = default;

const COLORREF* CQVChartFormatSheet::Palette() const {
    return palette_.data();
}

void CQVChartFormatSheet::OnInitSheet() {
    const std::string path = frame::DialogStringsPath(frame::HostMenuLanguage());
    fw::Library strings = fw::Library::ForResources(path.c_str());
    if (!strings) {
        frame::QVMsgBox(8440, frame::kOneButton);
    } else {
        const std::string face = fw::LoadStringFrom(strings.get(), frame::kStrFontFace);
        const int points =
            core::AtoiClamped(fw::LoadStringFrom(strings.get(), frame::kStrFontSize));
        sheetFont_.Reset(fw::CreatePointFont(points * 10, face.c_str()));
        for (const auto& [id, string] : {std::pair<int, UINT>{IDOK, frame::kStrOK},
                                         std::pair<int, UINT>{IDCANCEL, frame::kStrCancel}}) {
            fw::Control button(Button(id));
            const std::string text = fw::LoadStringFrom(strings.get(), string);
            if (!text.empty()) {
                button.SetText(text);
            }
            if (sheetFont_) {
                button.SetFont(sheetFont_.get());
            }
        }
        if (sheetFont_) {
            SetTabFont(sheetFont_.get());
        }
        for (int position = 0; position < PageCount(); ++position) {
            const fw::SheetPage* page = Page(position);
            const UINT id = page == &fontPage_        ? kFontTab
                            : page == &alignmentPage_ ? kAlignmentTab
                                                      : kPatternTab;
            const std::string label = fw::LoadStringFrom(strings.get(), id);
            if (!label.empty()) {
                SetTabText(position, label);
            }
        }
    }
    fw::SetWindowTextTo(hwnd(), core::ChartFormatCaption(record_->objectKind));

    // Wide enough for Cancel at its place, the buttons 30 pixels above the bottom.
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT cancel{};
    GetWindowRect(Button(IDCANCEL), &cancel);
    const int buttonWidth = cancel.right - cancel.left;
    const int wanted = kCancelLeft + buttonWidth + kRightMargin;
    if (client.right < wanted) {
        RECT window{};
        GetWindowRect(hwnd(), &window);
        SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left + wanted - client.right,
                     window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(hwnd(), &client);
    }
    for (const auto& [id, left] :
         {std::pair<int, int>{IDOK, kOkLeft}, std::pair<int, int>{IDCANCEL, kCancelLeft}}) {
        SetWindowPos(Button(id), nullptr, left, client.bottom - kButtonsFromBottom, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CQVChartFormatSheet::CopyOut() {
    if (fontShown_) {
        fontBlock_.changed = fontPage_.Changed();
        record_->font = fontBlock_;
    }
    if (patternShown_) {
        const ChartPatternPage& pattern =
            linePage_ ? static_cast<const ChartPatternPage&>(lineMarkerPage_) : areaPage_;
        std::copy(pattern.GetWords().begin(), pattern.GetWords().end(), record_->pattern);
    }
    // The scale comes back as it came: no page edits it.
    record_->scale = scalePage_.Scale();
}

} // namespace qv::charts
