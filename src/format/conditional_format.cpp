#include "format/conditional_format.h"

#include "format/format_cells.h"
#include "format/page_pattern.h"
#include "frame/host_data.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/text.h"
#include "qvcore/cell_format.h"
#include "resource.h"

#include <algorithm>
#include <set>
#include <vector>

namespace qv::format {
namespace {

// The most border lines read from one condition.
constexpr int32_t kMaxConditionLines = 4096;
constexpr char kPreviewText[] = "AaBbCcYyZz";
// Width of the image buttons inside the value boxes, in pixels.
constexpr int kPickWidth = 16;

std::vector<BorderLine> ConditionLines(const ConditionFormat& format) {
    std::vector<BorderLine> lines;
    const int32_t count = std::min(format.borders.size, kMaxConditionLines);
    if (count > 0 && format.borders.data != nullptr &&
        frame::IsReadable(format.borders.data, static_cast<size_t>(count) * sizeof(BorderLine))) {
        const auto* data = static_cast<const BorderLine*>(format.borders.data);
        lines.assign(data, data + count);
    }
    return lines;
}

} // namespace

// ---- Delete Conditional Format ----------------------------------------------------

CQVDeleteCondFormat::CQVDeleteCondFormat(const std::array<bool, 3>& shown)
    : Dialog(IDD_COND_DELETE), shown_(shown) {}

bool CQVDeleteCondFormat::OnInitDialog() {
    static const int kControls[] = {
        IDC_CFDEL_LABEL, IDC_CFDEL_1, IDC_CFDEL_2, IDC_CFDEL_3, IDOK, IDCANCEL, 0};
    static const int kStrings[] = {3449, 3440, 3441, 3442, frame::kStrOK, frame::kStrCancel, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    const int boxes[3] = {IDC_CFDEL_1, IDC_CFDEL_2, IDC_CFDEL_3};
    for (int i = 0; i < 3; ++i) {
        EnableItem(boxes[i], shown_[static_cast<size_t>(i)]);
    }
    return true;
}

void CQVDeleteCondFormat::OnOK() {
    ticked_ = {IsChecked(IDC_CFDEL_1), IsChecked(IDC_CFDEL_2), IsChecked(IDC_CFDEL_3)};
    EndDialog(IDOK);
}

// ---- Conditional Formatting -----------------------------------------------------------

const CQVConditionalFormat::GroupIds CQVConditionalFormat::kGroups[3] = {
    {IDC_CF_FRAME1, IDC_CF_KIND1, IDC_CF_OP1, IDC_CF_VALUE1A, IDC_CF_PICK1A, IDC_CF_AND1,
     IDC_CF_VALUE1B, IDC_CF_PICK1B, IDC_CF_LABEL1, IDC_CF_PREVIEW1, IDC_CF_FORMAT1},
    {IDC_CF_FRAME2, IDC_CF_KIND2, IDC_CF_OP2, IDC_CF_VALUE2A, IDC_CF_PICK2A, IDC_CF_AND2,
     IDC_CF_VALUE2B, IDC_CF_PICK2B, IDC_CF_LABEL2, IDC_CF_PREVIEW2, IDC_CF_FORMAT2},
    {IDC_CF_FRAME3, IDC_CF_KIND3, IDC_CF_OP3, IDC_CF_VALUE3A, IDC_CF_PICK3A, IDC_CF_AND3,
     IDC_CF_VALUE3B, IDC_CF_PICK3B, IDC_CF_LABEL3, IDC_CF_PREVIEW3, IDC_CF_FORMAT3},
};

CQVConditionalFormat::CQVConditionalFormat(HWND hostWindow, ConditionalFormatRecord* record)
    : Dialog(IDD_COND_FORMAT), host_(hostWindow), record_(record) {}

void CQVConditionalFormat::CopyIn(ConditionalFormatRecord* record) {
    for (Condition& c : record->conditions) {
        if (c.present != 0 && c.op >= 2) {
            CopyBounded(c.value2, BoundedText(c.value1));
        }
    }
}

int CQVConditionalFormat::ShownGroups() const {
    return static_cast<int>(std::count(shown_.begin(), shown_.end(), true));
}

RECT CQVConditionalFormat::ItemRect(int id) const {
    RECT r{};
    if (HWND item = Item(id)) {
        GetWindowRect(item, &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void CQVConditionalFormat::MoveItem(int id, int dx, int dy) {
    if (HWND item = Item(id)) {
        const RECT r = ItemRect(id);
        SetWindowPos(item, nullptr, r.left + dx, r.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CQVConditionalFormat::MoveButtons(int dy) {
    for (int id : {IDC_CF_ADD, IDC_CF_DELETE, IDOK, IDCANCEL}) {
        MoveItem(id, 0, dy);
    }
}

void CQVConditionalFormat::Grow(int dy) {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveButtons(dy);
}

// Places the groups exactly kGroupHeight pixels apart and the buttons below
// the third, whatever the dialog units come to on this screen.
void CQVConditionalFormat::SnapGroups() {
    const RECT first = ItemRect(kGroups[0].frame);
    for (int g = 1; g < 3; ++g) {
        const RECT frame = ItemRect(kGroups[g].frame);
        const int dy = first.top + g * kGroupHeight - frame.top;
        const GroupIds& ids = kGroups[g];
        for (int id : {ids.frame, ids.kind, ids.op, ids.value1, ids.andLabel, ids.value2, ids.label,
                       ids.preview, ids.format}) {
            MoveItem(id, 0, dy);
        }
    }
    const RECT third = ItemRect(kGroups[2].frame);
    const RECT ok = ItemRect(IDOK);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int bottomMargin = client.bottom - ok.bottom;
    const int buttonsTop = third.top + kGroupHeight + 4;
    MoveButtons(buttonsTop - ok.top);
    const int wantClient = buttonsTop + (ok.bottom - ok.top) + bottomMargin;
    RECT window{};
    GetWindowRect(hwnd(), &window);
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top + (wantClient - client.bottom),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int g = 0; g < 3; ++g) {
        value2Right_[static_cast<size_t>(g)] = ItemRect(kGroups[g].value2).right;
    }
}

void CQVConditionalFormat::ShowGroup(int group, bool show) {
    if (shown_[static_cast<size_t>(group)] == show) {
        return;
    }
    shown_[static_cast<size_t>(group)] = show;
    const GroupIds& ids = kGroups[group];
    for (int id : {ids.frame, ids.kind, ids.op, ids.value1, ids.andLabel, ids.value2, ids.label,
                   ids.preview, ids.format}) {
        ShowItem(id, show);
    }
    Grow(show ? kGroupHeight : -kGroupHeight);
    if (show) {
        OperatorLayout(group);
    }
}

// The image button is a child of its value box, at the box's right end.
void CQVConditionalFormat::PlacePick(int boxId, int pick) {
    HWND button = picks_[static_cast<size_t>(pick)];
    HWND box = Item(boxId);
    if (button == nullptr || box == nullptr) {
        return;
    }
    if (GetParent(button) != box) {
        SetParent(button, box);
    }
    RECT client{};
    GetClientRect(box, &client);
    SetWindowPos(button, nullptr, client.right - kPickWidth, 0, kPickWidth, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQVConditionalFormat::OperatorLayout(int group) {
    const GroupIds& ids = kGroups[group];
    const int op = fw::ComboBox(hwnd(), ids.op).Selection();
    const bool two = core::OperatorTakesTwoValues(op < 0 ? 0 : op);
    const bool shown = shown_[static_cast<size_t>(group)];
    const RECT box1 = ItemRect(ids.value1);
    const RECT box2 = ItemRect(ids.value2);
    const int right = value2Right_[static_cast<size_t>(group)];
    for (int id : {ids.value1, ids.andLabel}) {
        ShowItem(id, shown && two);
    }
    const int left = static_cast<int>(two ? box1.right + core::kConditionValueGap : box1.left);
    SetWindowPos(Item(ids.value2), nullptr, left, box2.top, std::max(0, right - left),
                 box2.bottom - box2.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PlacePick(ids.value2, 2 * group + 1);
    if (two) {
        // "and" in the gap between the boxes.
        const RECT label = ItemRect(ids.andLabel);
        SetWindowPos(Item(ids.andLabel), nullptr, box1.right, label.top,
                     std::max(0, left - static_cast<int>(box1.right)), label.bottom - label.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool CQVConditionalFormat::OnInitDialog() {
    static const int kControls[] = {IDC_CF_FRAME1,
                                    IDC_CF_FRAME2,
                                    IDC_CF_FRAME3,
                                    IDC_CF_AND1,
                                    IDC_CF_AND2,
                                    IDC_CF_AND3,
                                    IDC_CF_FORMAT1,
                                    IDC_CF_FORMAT2,
                                    IDC_CF_FORMAT3,
                                    IDC_CF_LABEL1,
                                    IDC_CF_LABEL2,
                                    IDC_CF_LABEL3,
                                    IDC_CF_ADD,
                                    IDC_CF_DELETE,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {
        3440, 3441, 3442, 3443, 3443, 3443, 3444,          3444,
        3444, 3445, 3445, 3445, 3446, 3447, frame::kStrOK, frame::kStrCancel,
        0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_CF_KIND1, IDC_CF_OP1, IDC_CF_VALUE1A, IDC_CF_VALUE1B, IDC_CF_KIND2,
                          IDC_CF_OP2, IDC_CF_VALUE2A, IDC_CF_VALUE2B, IDC_CF_KIND3, IDC_CF_OP3,
                          IDC_CF_VALUE3A, IDC_CF_VALUE3B},
                         true);
    noFormatText_ = MenuString(3448);
    const std::string kindText = MenuString(1408);
    std::vector<std::string> operators;
    for (UINT id = 1409; id <= 1416; ++id) {
        operators.push_back(MenuString(id));
    }
    for (int g = 0; g < 3; ++g) {
        fw::ComboBox kind(hwnd(), kGroups[g].kind);
        kind.Add(kindText);
        fw::ComboBox op(hwnd(), kGroups[g].op);
        for (const auto& text : operators) {
            op.Add(text);
        }
        edits_[static_cast<size_t>(2 * g)].Attach(hwnd(), kGroups[g].value1);
        edits_[static_cast<size_t>(2 * g + 1)].Attach(hwnd(), kGroups[g].value2);
        for (int id : {kGroups[g].value1, kGroups[g].value2}) {
            fw::Edit box(hwnd(), id);
            box.LimitText(254);
            // Room for the image button inside the box's right end.
            box.Send(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kPickWidth + 2));
        }
        picks_[static_cast<size_t>(2 * g)] = Item(kGroups[g].pick1);
        picks_[static_cast<size_t>(2 * g + 1)] = Item(kGroups[g].pick2);
        PlacePick(kGroups[g].value1, 2 * g);
        PlacePick(kGroups[g].value2, 2 * g + 1);
    }

    // All three groups are laid out; groups 2 and 3 then go.
    shown_ = {true, true, true};
    SnapGroups();
    ShowGroup(2, false);
    ShowGroup(1, false);
    FocusItem(IDC_CF_DELETE);

    for (int g = 0; g < 3; ++g) {
        previews_[static_cast<size_t>(g)].Attach(
            hwnd(), kGroups[g].preview,
            [this, g](HDC dc, const RECT& client) { PaintPreview(g, dc, client); });
        previews_[static_cast<size_t>(g)].SetAccessibleName(
            fw::SpokenLabel(ItemText(kGroups[g].label)));
        RefreshPreview(g);
    }

    for (int g = 0; g < 3; ++g) {
        Condition& c = record_->conditions[g];
        const GroupIds& ids = kGroups[g];
        if (c.present != 0) {
            if (g > 0) {
                Add();
            }
            fw::ComboBox(hwnd(), ids.kind).Select(c.kind);
            fw::ComboBox(hwnd(), ids.op).Select(c.op < core::kConditionOperatorCount ? c.op : 0);
            SetItemText(ids.value1, BoundedText(c.value1));
            SetItemText(ids.value2, BoundedText(c.value2));
            if (g > 0) {
                c.format.noFormat = 0;
            }
            RefreshPreview(g);
        } else {
            fw::ComboBox(hwnd(), ids.kind).Select(0);
            fw::ComboBox(hwnd(), ids.op).Select(0);
        }
    }
    for (int g = 0; g < 3; ++g) {
        OperatorLayout(g);
    }

    std::vector<HBITMAP> images = LoadLibraryImages("QVSSG.dll", {13047}, 18, 18);
    pickImage_.Reset(images.empty() ? nullptr : images[0]);
    for (HWND pick : picks_) {
        fw::Button(pick).SetImage(pickImage_.get());
        if (pick != nullptr) {
            EnableWindow(pick, FALSE);
        }
    }
    RefreshPreview(0);
    SetWindowLongA(hwnd(), GWL_EXSTYLE, GetWindowLongA(hwnd(), GWL_EXSTYLE) & ~WS_EX_APPWINDOW);
    return false; // the focus is on "Delete..."
}

void CQVConditionalFormat::Add() {
    int group = -1;
    if (shown_[0] && !shown_[1]) {
        group = 1;
    } else if (shown_[1] && !shown_[2]) {
        group = 2;
    }
    if (group < 0) {
        return;
    }
    record_->conditions[group].format.noFormat = 1;
    ShowGroup(group, true);
    RefreshPreview(group);
    OperatorLayout(group);
    if (group == 2) {
        EnableItem(IDC_CF_ADD, false);
        FocusItem(kGroups[2].kind);
    }
}

void CQVConditionalFormat::RunFormat(int group) {
    ConditionFormat& format = record_->conditions[group].format;
    CellFormatRecord cell{};
    cell.font = format.font;
    cell.pattern = format.pattern;
    for (const BorderLine& line : ConditionLines(format)) {
        QVVectorPush(&cell.borders, &line, sizeof line);
    }
    cell.sheetMode = core::kFormatModeFontBorderPattern;
    INT_PTR result = IDCANCEL;
    {
        CQVFormatCells sheet(host_, cell.sheetMode);
        sheet.CopyIn(&cell);
        result = sheet.Run();
        if (result == IDOK) {
            sheet.CopyOut();
        }
    }
    if (result == IDOK) {
        format.font = cell.font;
        format.pattern = cell.pattern;
        QVTypedArrayRemoveAll(&format.borders);
        const size_t count = QVVectorCount(&cell.borders, sizeof(BorderLine));
        const auto* lines = static_cast<const BorderLine*>(cell.borders.first);
        for (size_t i = 0; i < count; ++i) {
            QVTypedArrayAdd(&format.borders, &lines[i], sizeof(BorderLine));
        }
        format.noFormat =
            core::NoFormatFlagAfterSheet(cell.font.changed != 0, cell.pattern.changed != 0, count);
    }
    QVVectorClear(&cell.borders);
    RefreshPreview(group);
}

void CQVConditionalFormat::ClearGroup(int group) {
    const GroupIds& ids = kGroups[group];
    fw::ComboBox(hwnd(), ids.kind).Select(0);
    fw::ComboBox(hwnd(), ids.op).Select(0);
    SetItemText(ids.value1, "");
    SetItemText(ids.value2, "");
}

void CQVConditionalFormat::Delete() {
    CQVDeleteCondFormat choose(shown_);
    if (choose.DoModal(hwnd()) != IDOK) {
        return;
    }
    const core::ConditionDeletePlan plan =
        core::PlanConditionDelete(ShownGroups(), choose.Ticked());
    // What each group holds now.
    struct Held {
        int kind, op;
        std::string value1, value2;
        ConditionFormat format;
    };
    std::array<Held, 3> held;
    for (int g = 0; g < 3; ++g) {
        const GroupIds& ids = kGroups[g];
        held[static_cast<size_t>(g)] = {
            fw::ComboBox(hwnd(), ids.kind).Selection(), fw::ComboBox(hwnd(), ids.op).Selection(),
            ItemText(ids.value1), ItemText(ids.value2), record_->conditions[g].format};
    }
    // Border arrays of formats that do not move on are freed (each once).
    std::set<void*> kept;
    for (int j = 0; j < plan.remaining; ++j) {
        kept.insert(
            held[static_cast<size_t>(plan.source[static_cast<size_t>(j)])].format.borders.data);
    }
    std::set<void*> dropped;
    for (const Held& h : held) {
        if (h.format.borders.data != nullptr && kept.count(h.format.borders.data) == 0) {
            dropped.insert(h.format.borders.data);
        }
    }
    for (void* data : dropped) {
        QVFree(data);
    }
    for (int g = 0; g < 3; ++g) {
        const GroupIds& ids = kGroups[g];
        ConditionFormat& format = record_->conditions[g].format;
        if (g < plan.remaining) {
            const Held& from = held[static_cast<size_t>(plan.source[static_cast<size_t>(g)])];
            fw::ComboBox(hwnd(), ids.kind).Select(std::max(0, from.kind));
            fw::ComboBox(hwnd(), ids.op).Select(std::max(0, from.op));
            SetItemText(ids.value1, from.value1);
            SetItemText(ids.value2, from.value2);
            format = from.format;
        } else {
            ClearGroup(g);
            format = ConditionFormat{};
            format.noFormat = 1;
        }
    }
    for (int g = 2; g >= plan.shown; --g) {
        ShowGroup(g, false);
    }
    for (int g = 0; g < 3; ++g) {
        OperatorLayout(g);
        RefreshPreview(g);
    }
    EnableItem(IDC_CF_ADD, !shown_[2]);
}

bool CQVConditionalFormat::OnCommand(int id, int code, HWND) {
    if (code == CBN_SELCHANGE) {
        for (int g = 0; g < 3; ++g) {
            if (id == kGroups[g].op) {
                OperatorLayout(g);
                return true;
            }
        }
        return false;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDC_CF_ADD) {
        Add();
        return true;
    }
    if (id == IDC_CF_DELETE) {
        Delete();
        return true;
    }
    for (int g = 0; g < 3; ++g) {
        if (id == kGroups[g].format) {
            RunFormat(g);
            return true;
        }
    }
    return false;
}

void CQVConditionalFormat::OnOK() {
    for (int g = 0; g < 3; ++g) {
        Condition& c = record_->conditions[g];
        const GroupIds& ids = kGroups[g];
        const int kind = fw::ComboBox(hwnd(), ids.kind).Selection();
        const int op = fw::ComboBox(hwnd(), ids.op).Selection();
        c.kind = static_cast<uint8_t>(std::max(0, kind));
        c.op = static_cast<uint8_t>(std::max(0, op));
        const core::ConditionValues values =
            core::ReadConditionValues(c.op, ItemText(ids.value1), ItemText(ids.value2));
        if (values.refused) {
            c.present = 0;
            frame::QVMsgBox(1295, frame::kOneButton);
            return;
        }
        c.present = values.present ? 1 : 0;
        if (values.present) {
            CopyBounded(c.value1, values.value1);
            if (core::OperatorTakesTwoValues(c.op)) {
                CopyBounded(c.value2, values.value2);
            }
        }
    }
    EndDialog(IDOK);
}

std::string CQVConditionalFormat::PreviewText(int group) const {
    return record_->conditions[group].format.noFormat != 0 ? noFormatText_ : kPreviewText;
}

void CQVConditionalFormat::RefreshPreview(int group) {
    previews_[static_cast<size_t>(group)].SetText(PreviewText(group));
}

void CQVConditionalFormat::PaintPreview(int group, HDC dc, const RECT& client) const {
    const ConditionFormat& format = record_->conditions[group].format;
    const bool none = format.noFormat != 0;
    // The cell: fill colour and pattern.
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF fill = none || format.pattern.fillColor == core::kNoFillColour
                              ? window
                              : static_cast<COLORREF>(format.pattern.fillColor & 0x00FFFFFF);
    const int style = none ? -1 : core::NormalisePatternStyle(format.pattern.patternStyle);
    fw::Bitmap bitmap(CQVFmtCellsPattern::PatternBitmap(style));
    if (bitmap) {
        fw::Brush brush(CreatePatternBrush(bitmap.get()));
        SetTextColor(dc, static_cast<COLORREF>(format.pattern.patternColor & 0x00FFFFFF));
        SetBkColor(dc, fill);
        FillRect(dc, &client, brush.get());
    } else {
        fw::Brush brush(CreateSolidBrush(fill));
        FillRect(dc, &client, brush.get());
    }
    // The text in the condition's colour, style and effects.
    LOGFONTA lf{};
    HFONT base = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectA(base, sizeof lf, &lf);
    if (!none) {
        const uint8_t s = format.font.styleFlags;
        lf.lfWeight = (s & (core::kStyleBold | core::kStyleBoldItalic)) != 0 ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (s & (core::kStyleItalic | core::kStyleBoldItalic)) != 0;
        lf.lfUnderline = (format.font.underline & core::kUnderlineOn) != 0;
        lf.lfStrikeOut = (format.font.strikeOut & core::kStrikeOn) != 0;
    }
    fw::Font font(CreateFontIndirectA(&lf));
    {
        fw::SelectScope select(dc, font.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, none || format.font.color == 0
                             ? GetSysColor(COLOR_WINDOWTEXT)
                             : static_cast<COLORREF>(format.font.color & 0x00FFFFFF));
        RECT text = client;
        const std::string shown = PreviewText(group);
        fw::DrawLabel(dc, shown, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    if (none) {
        return;
    }
    // The outer border lines of the format.
    for (const BorderLine& line : ConditionLines(format)) {
        if (line.penStyle >= core::kPenNone) {
            continue;
        }
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
        const int width = std::clamp<int>(line.weight, 1, 3);
        LOGBRUSH lb{BS_SOLID, static_cast<COLORREF>(line.color & 0x00FFFFFF), 0};
        fw::Pen pen(width == 1
                        ? CreatePen(kStyles[line.penStyle], 1, lb.lbColor)
                        : ExtCreatePen(PS_GEOMETRIC | static_cast<DWORD>(kStyles[line.penStyle]) |
                                           PS_ENDCAP_FLAT,
                                       width, &lb, 0, nullptr));
        fw::SelectScope select(dc, pen.get());
        const int inset = width / 2;
        const int l = client.left + inset;
        const int t = client.top + inset;
        const int r = client.right - 1 - (width - 1) / 2;
        const int b = client.bottom - 1 - (width - 1) / 2;
        auto segment = [dc](int x1, int y1, int x2, int y2) {
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
        };
        if ((line.edges & core::kEdgeTop) != 0) {
            segment(l, t, r + 1, t);
        }
        if ((line.edges & core::kEdgeBottom) != 0) {
            segment(l, b, r + 1, b);
        }
        if ((line.edges & core::kEdgeLeft) != 0) {
            segment(l, t, l, b + 1);
        }
        if ((line.edges & core::kEdgeRight) != 0) {
            segment(r, t, r, b + 1);
        }
    }
}

} // namespace qv::format
