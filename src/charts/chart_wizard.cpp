#include "charts/chart_wizard.h"

#include "format/page_common.h"
#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/library.h"
#include "framework/module.h"
#include "framework/phase_clock.h"
#include "qvcore/cellref.h"
#include "qvcore/chart_rules.h"
#include "qvcore/chart_types.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <oleacc.h>

#include <algorithm>
#include <cstring>

namespace qv::charts {
namespace {

// Sheet buttons: Apply serves as Back, Help as Next, OK as Finish.
constexpr int kBackButton = 12321;
constexpr int kNextButton = IDHELP;

// Left edges of the buttons in the sheet's client area, 30 pixels above its
// bottom: all four in the full wizard, OK and Cancel alone in the others.
constexpr int kButtonsFromBottom = 30;
constexpr int kCancelLeft = 110, kBackLeft = 195, kNextLeft = 270, kFinishLeft = 355;
constexpr int kSingleCancelLeft = 360, kSingleOkLeft = 280;

// Tab labels of the pages, in the order the sheet owns them.
constexpr UINT kTabStrings[] = {1697, 1705, 1706, 1707, 1708, 1709, 1149, 1951};

// Operations the chart's table holds (the interface's virtual functions).
constexpr size_t kChartOperations = 70;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

std::string ChartText(CQVChartWrapperCtrl& chart,
                      void (QVCHART_CALL CQVChartWrapperCtrl::*getter)(QVString*)) {
    QVString text{};
    (chart.*getter)(&text);
    std::string out = frame::ReadHostText(text.text, frame::kHostTextLimit);
    QVStringClear(&text);
    return out;
}

void RebuildChart(CQVChartWrapperCtrl& chart) {
    fw::PhaseClock clock(QV_PHASE_CHART_DATA);
    chart.UpdateChart();
}

bool IsUsableChart(const void* pointer) {
    if (pointer == nullptr || !frame::IsReadable(pointer, sizeof(void*))) {
        return false;
    }
    const void* table = *static_cast<const void* const*>(pointer);
    return table != nullptr && frame::IsReadable(table, kChartOperations * sizeof(void*));
}

// ---- ChartPreview ----------------------------------------------------------------------

bool ChartPreview::Attach(HWND page, CQVChart& sheet) {
    sheet_ = &sheet;
    HWND view = GetDlgItem(page, IDC_CHART_PREVIEW_VIEW);
    HWND area = GetDlgItem(page, IDC_CHART_PREVIEW);
    if (view == nullptr || !Subclass(view)) {
        return false;
    }
    if (area != nullptr) {
        // Exactly over the preview area.
        RECT r{};
        GetWindowRect(area, &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(view, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetAccessibleSource(this);
    return true;
}

void ChartPreview::SetOn(bool on) {
    on_ = on;
    if (hwnd() != nullptr) {
        ShowWindow(hwnd(), on ? SW_SHOW : SW_HIDE);
        Redraw();
        fw::NotifyAccessibleValue(hwnd());
    }
}

void ChartPreview::Redraw() const {
    if (hwnd() != nullptr) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

std::string ChartPreview::AccessibleName() const {
    return frame::LoadLangString(5603, true);
}

std::string ChartPreview::AccessibleValue() const {
    if (sheet_ == nullptr) {
        return {};
    }
    CQVChartWrapperCtrl& chart = sheet_->Chart();
    const std::string type = frame::LoadLangString(
        core::ChartSubtypeNameId(chart.GetChartMainType(), chart.GetChartSubType()), true);
    const std::string said = ChartText(chart, &CQVChartWrapperCtrl::GetChartDescription);
    return type.empty() ? said : type + ": " + said;
}

long ChartPreview::AccessibleRole() const {
    return ROLE_SYSTEM_GRAPHIC;
}

void ChartPreview::Paint(HDC dc, const RECT& client) {
    if (sheet_ == nullptr || sheet_->hwnd() == nullptr || IsIconic(sheet_->hwnd())) {
        return;
    }
    CQVChartWrapperCtrl& chart = sheet_->Chart();
    fw::PhaseClock drawing(QV_PHASE_CHART_DRAW);
    if (!bitmapFetched_) {
        chart.GetBitmapFromChart(); // the page's first look at the chart
        bitmapFetched_ = true;
    }
    if (!on_) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    chart.OnChartDraw(dc, &client);
    if (GetFocus() == hwnd()) {
        RECT focus = client;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

// ---- ChartPage -----------------------------------------------------------------------

ChartPage::ChartPage(CQVChart& sheet, UINT templateId) : SheetPage(templateId), sheet_(sheet) {}

void ChartPage::SetUpPage(const int* controls, const int* strings,
                          std::initializer_list<int> fontOnly, bool switchKeyboard) {
    frame::RelabelCommon(hwnd(), controls, strings, font_, fontOnly, switchKeyboard);
    preview_.Attach(hwnd(), sheet_);
}

void ChartPage::TellChartItsParents() {
    sheet_.Chart().setParentWindows(sheet_.HostWindow(), hwnd());
}

void ChartPage::RefreshPreview() {
    if (!HasWindow()) {
        return;
    }
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    sheet_.Chart().SetChartRect(&CQVChart::kPreviewRect);
    RebuildChart(sheet_.Chart());
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    if (preview_.hwnd() != nullptr) {
        fw::NotifyAccessibleValue(preview_.hwnd());
    }
}

bool ChartPage::OnSetActive() {
    TellChartItsParents();
    RefreshPreview();
    return true;
}

// ---- CQVChartTypes -----------------------------------------------------------------------

CQVChartTypes::CQVChartTypes(CQVChart& sheet) : ChartPage(sheet, IDD_CHART_TYPES) {}

bool CQVChartTypes::OnInitDialog() {
    static const int kControls[] = {IDC_CHART_MAIN_LABEL, IDC_CHART_SUB_LABEL, 0};
    static const int kStrings[] = {5601, 5602, 0};
    // The sheet makes this page before its own opening is done.
    sheet_.OpenChart(GetParent(hwnd()));
    SetUpPage(kControls, kStrings, {IDC_CHART_MAIN_TYPES, IDC_CHART_SUBTYPES, IDC_CHART_PREVIEW});
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    mainType_ = std::clamp(chart.GetChartMainType(), 1, core::kChartMainTypes);
    subtype_ = core::ClampSubtype(mainType_, chart.GetChartSubType());
    fw::ListBox types(hwnd(), IDC_CHART_MAIN_TYPES);
    const format::MenuStrings names;
    for (int32_t code = 1; code <= core::kChartMainTypes; ++code) {
        const int index = types.Add(names(core::ChartMainTypeNameId(code)));
        types.SetData(index, code);
    }
    types.Select(mainType_ - 1);
    FillSubtypes(mainType_);
    ApplyType();
    return true;
}

void CQVChartTypes::FillSubtypes(int32_t mainType) {
    fw::ListBox subtypes(hwnd(), IDC_CHART_SUBTYPES);
    subtypes.Clear();
    const format::MenuStrings names;
    for (int32_t sub = 1; sub <= core::ChartSubtypeCount(mainType); ++sub) {
        const int index = subtypes.Add(names(core::ChartSubtypeNameId(mainType, sub)));
        subtypes.SetData(index, sub);
    }
    subtypes.Select(subtype_ - 1);
}

void CQVChartTypes::ApplyType() {
    fw::ListBox types(hwnd(), IDC_CHART_MAIN_TYPES);
    fw::ListBox subtypes(hwnd(), IDC_CHART_SUBTYPES);
    const int mainIndex = types.Selection();
    const int subIndex = subtypes.Selection();
    mainType_ = mainIndex >= 0 ? static_cast<int32_t>(types.Data(mainIndex)) : mainType_;
    subtype_ =
        std::max<int32_t>(1, subIndex >= 0 ? static_cast<int32_t>(subtypes.Data(subIndex)) : 1);
    CQVChartWrapperCtrl& chart = sheet_.Chart();
    chart.setChartType(mainType_, subtype_);
    chart.SetChartRect(&CQVChart::kPreviewRect);
    chart.DeleteCoreChart(0);
    RebuildChart(chart);
    if (chart.GetChartLastErr() != 0) {
        // The preview goes; the message of the subtype takes its place.
        preview_.SetOn(false);
        SetItemText(IDC_CHART_PREVIEW, std::string(core::StockChartMessage(subtype_)));
        ShowItem(IDC_CHART_PREVIEW, true);
    } else {
        ShowItem(IDC_CHART_PREVIEW, false);
        preview_.SetOn(true);
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool CQVChartTypes::OnCommand(int id, int code, HWND) {
    if (code != LBN_SELCHANGE) {
        return false;
    }
    if (id == IDC_CHART_MAIN_TYPES) {
        fw::ListBox types(hwnd(), IDC_CHART_MAIN_TYPES);
        const int index = types.Selection();
        const auto chosen = index >= 0 ? static_cast<int32_t>(types.Data(index)) : mainType_;
        if (chosen != mainType_) {
            mainType_ = chosen;
            subtype_ = 1;
            FillSubtypes(mainType_);
            ApplyType();
        }
        return true;
    }
    if (id == IDC_CHART_SUBTYPES) {
        fw::ListBox subtypes(hwnd(), IDC_CHART_SUBTYPES);
        const int index = subtypes.Selection();
        if (index >= 0 && static_cast<int32_t>(subtypes.Data(index)) != subtype_) {
            ApplyType();
        }
        return true;
    }
    return false;
}

// ---- CQVChart --------------------------------------------------------------------------

CQVChart::CQVChart(ChartWizardRecord* record, CQVChartWrapperCtrl* chart)
    : Sheet("Chart Wizard"), record_(record), chart_(chart),
      mode_(core::NormaliseWizardMode(record->mode)), types_(*this), range_(*this),
      seriesPage_(*this), titles_(*this), axes_(*this), gridlines_(*this), legend_(*this),
      labels_(*this) {
    SetApplyAndHelpButtons(true);
    for (ChartPage* page : std::initializer_list<ChartPage*>{
             &types_, &range_, &seriesPage_, &titles_, &axes_, &gridlines_, &legend_, &labels_}) {
        AddPage(page);
    }
}

CQVChart::~CQVChart() {
    for (QVStringArray* a : {&series_.entries, &series_.names, &series_.values,
                             &series_.secondValues, &series_.sizes}) {
        QVStringArrayRemoveAll(a);
    }
}

HWND CQVChart::HostWindow() const {
    return record_->hostWindow;
}

std::string CQVChart::RecordRange() const {
    return frame::FromHostText(std::string_view(
        record_->sourceRange, strnlen(record_->sourceRange, sizeof record_->sourceRange)));
}

void CQVChart::SetRecordRange(const std::string& text) {
    frame::WriteHostText(record_->sourceRange, sizeof record_->sourceRange, text);
}

void CQVChart::RebuildSeriesInfo() {
    // The old information goes when the new one is made.
    SSChartSeries fresh{};
    QVString categories{};
    QVString second{};
    chart_->GetSeriesInfo(&categories, &second, &fresh);
    for (QVStringArray* a : {&series_.entries, &series_.names, &series_.values,
                             &series_.secondValues, &series_.sizes}) {
        QVStringArrayRemoveAll(a);
    }
    series_ = fresh;
    categories_ = frame::ReadHostText(categories.text, frame::kHostTextLimit);
    secondCategories_ = frame::ReadHostText(second.text, frame::kHostTextLimit);
    QVStringClear(&categories);
    QVStringClear(&second);
}

std::vector<ChartPage*> CQVChart::StepPages(int step) const {
    auto* self = const_cast<CQVChart*>(this);
    switch (step) {
    case 1:
        return {&self->types_};
    case 2:
        return {&self->range_, &self->seriesPage_};
    default:
        if (core::ChartHasAxisPages(chart_->GetChartMainType())) {
            return {&self->titles_, &self->axes_, &self->gridlines_, &self->legend_,
                    &self->labels_};
        }
        return {&self->titles_, &self->legend_, &self->labels_};
    }
}

void CQVChart::Attach(int step) {
    std::vector<ChartPage*> pages = StepPages(step);
    if (step == 3) {
        attachedAxisPages_ = static_cast<int>(pages.size());
    }
    for (ChartPage* page : pages) {
        AddPage(page);
    }
}

void CQVChart::Detach(int step) {
    std::vector<ChartPage*> pages;
    if (step == 3) {
        // The pages attached then, whatever the type is now.
        pages = {&titles_, &axes_, &gridlines_, &legend_, &labels_};
        if (attachedAxisPages_ == 3) {
            pages = {&titles_, &legend_, &labels_};
        }
    } else {
        pages = StepPages(step);
    }
    for (ChartPage* page : pages) {
        for (int i = 0; i < PageCount(); ++i) {
            if (Page(i) == page) {
                RemovePage(i);
                break;
            }
        }
    }
}

void CQVChart::RelabelTabs() {
    if (TabCount() == 0) {
        return;
    }
    if (font_) {
        SetTabFont(font_.get());
    }
    const format::MenuStrings strings;
    const ChartPage* order[] = {&types_, &range_,     &seriesPage_, &titles_,
                                &axes_,  &gridlines_, &legend_,     &labels_};
    for (int position = 0; position < PageCount(); ++position) {
        for (size_t k = 0; k < std::size(order); ++k) {
            if (Page(position) != order[k]) {
                continue;
            }
            const std::string label = strings(kTabStrings[k]);
            if (!label.empty()) {
                SetTabText(position, label);
            }
            break;
        }
    }
}

void CQVChart::ShowStep(int step) {
    step_ = step;
    RelabelTabs();
    fw::SetWindowTextTo(hwnd(), core::ChartWizardCaption(step_));
    UpdateButtons();
}

void CQVChart::PlaceButtons() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    auto place = [this, &client](int id, int left) {
        HWND button = Button(id);
        if (button == nullptr) {
            return;
        }
        SetWindowPos(button, nullptr, left, client.bottom - kButtonsFromBottom, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(button, SW_SHOW);
    };
    if (mode_ == core::kWizardFull) {
        place(IDCANCEL, kCancelLeft);
        place(kBackButton, kBackLeft);
        place(kNextButton, kNextLeft);
        place(IDOK, kFinishLeft);
    } else {
        place(IDCANCEL, kSingleCancelLeft);
        place(IDOK, kSingleOkLeft);
        for (int id : {kBackButton, kNextButton}) {
            if (HWND button = Button(id)) {
                ShowWindow(button, SW_HIDE);
            }
        }
    }
}

void CQVChart::UpdateButtons() {
    if (HWND next = Button(kNextButton)) {
        if (!IsWindowEnabled(next)) {
            EnableWindow(next, TRUE);
        }
    }
    if (HWND back = Button(kBackButton)) {
        const bool enable = step_ != 1;
        if ((IsWindowEnabled(back) != FALSE) != enable) {
            EnableWindow(back, enable ? TRUE : FALSE);
        }
    }
}

void CQVChart::OpenChart(HWND sheetWindow) {
    if (opened_) {
        return;
    }
    opened_ = true;
    chart_->setParentWindows(HostWindow(), sheetWindow);
    RebuildChart(*chart_);
}

void CQVChart::OnInitSheet() {
    OpenChart(hwnd());
    // Only the Chart Type page stays.
    for (int i = PageCount() - 1; i >= 1; --i) {
        RemovePage(i);
    }

    const std::string path = frame::DialogStringsPath(frame::HostMenuLanguage());
    fw::Library strings = fw::Library::ForResources(path.c_str());
    if (!strings) {
        frame::QVMsgBox(8440, frame::kOneButton);
    } else {
        const std::string face = fw::LoadStringFrom(strings.get(), frame::kStrFontFace);
        const int points =
            core::AtoiClamped(fw::LoadStringFrom(strings.get(), frame::kStrFontSize));
        font_.Reset(fw::CreatePointFont(points * 10, face.c_str()));
        const struct {
            int id;
            UINT string;
        } kButtons[] = {{kBackButton, 1207},
                        {kNextButton, 1208},
                        {IDOK, mode_ == core::kWizardFull ? 1209u : UINT{frame::kStrOK}},
                        {IDCANCEL, frame::kStrCancel}};
        for (const auto& b : kButtons) {
            fw::Control button(Button(b.id));
            const std::string text = fw::LoadStringFrom(strings.get(), b.string);
            if (!text.empty()) {
                button.SetText(text);
            }
            if (font_) {
                button.SetFont(font_.get());
            }
        }
        if (font_) {
            SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        }
    }
    PlaceButtons();
    ShowStep(1);
    switch (mode_) {
    case core::kWizardSourceOnly:
        Next();
        break;
    case core::kWizardOptionsOnly:
        Next();
        Next();
        SetActivePage(0);
        break;
    default:
        break;
    }
}

bool CQVChart::LeavePage() {
    if (ActivePage() != &range_ || !range_.HasWindow() || !range_.Edited()) {
        return true;
    }
    const std::string shown = range_.ItemText(IDC_RANGE_EDIT);
    const std::string text = refs_.FromShown(shown);
    if (!text.empty() && !core::IsCellRef(text) && !core::IsRangeRef(text)) {
        HWND focus = GetFocus();
        if (focus == nullptr || focus == Button(IDCANCEL)) {
            return false;
        }
        frame::QVMsgBoxEx(1193, frame::kOneButton, frame::kIconWarning);
        range_.FocusItem(IDC_RANGE_EDIT);
        fw::Edit(range_.hwnd(), IDC_RANGE_EDIT).SelectAll();
        return false;
    }
    if (Lower(text) != Lower(RecordRange())) {
        SetRecordRange(text);
        chart_->SetDataSourceRangeInText(text.c_str(), QVCHART_HINT_CHOOSE, 0);
    }
    range_.AcceptedRange();
    return true;
}

void CQVChart::Next() {
    if (step_ >= 3 || !LeavePage()) {
        return;
    }
    if (step_ == 2 && ActivePage() == &seriesPage_ && chart_ != nullptr && HasSeries() &&
        !seriesPage_.ValidateForNext()) {
        return;
    }
    changingStep_ = true;
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    const int from = step_;
    remembered_[static_cast<size_t>(from - 1)] = std::max(0, ActiveIndex());
    Attach(from + 1);
    Detach(from);
    if (from + 1 == 3) {
        SetActivePage(0);
    }
    step_ = from + 1;
    SetActivePage(std::min(remembered_[static_cast<size_t>(step_ - 1)], PageCount() - 1));
    ShowStep(step_);
    changingStep_ = false;
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void CQVChart::Back() {
    if (step_ <= 1 || !LeavePage()) {
        return;
    }
    changingStep_ = true;
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    const int from = step_;
    remembered_[static_cast<size_t>(from - 1)] = std::max(0, ActiveIndex());
    Attach(from - 1);
    Detach(from);
    step_ = from - 1;
    SetActivePage(std::min(remembered_[static_cast<size_t>(step_ - 1)], PageCount() - 1));
    ShowStep(step_);
    changingStep_ = false;
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void CQVChart::Finish() {
    if (!LeavePage()) {
        return;
    }
    DefaultSheetProc(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Button(IDOK)));
}

bool CQVChart::PreTranslateMessage(MSG& msg) {
    if (hwnd() != nullptr && !changingStep_) {
        UpdateButtons();
    }
    return Sheet::PreTranslateMessage(msg);
}

bool CQVChart::OnSheetMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    switch (LOWORD(wParam)) {
    case kBackButton:
        Back();
        result = 0;
        return true;
    case kNextButton:
        Next();
        result = 0;
        return true;
    case IDOK:
        Finish();
        result = 0;
        return true;
    default:
        return false;
    }
}

void CQVChart::PickFor(HWND edit, frame::RangeField field) {
    frame::PickRange(*this, edit, field);
}

void CQVChart::TakeRangeText(const std::string& text, const frame::RangeField& field) {
    if (ActivePage() == &seriesPage_ && seriesPage_.HasWindow()) {
        // Selectors 0, 1 and 2: name, values, category labels; the Y values
        // box has the text as the bar's own box already.
        static const int kBoxes[] = {IDC_SERIES_NAME, IDC_SERIES_VALUES, IDC_SERIES_CATEGORY,
                                     IDC_SERIES_Y};
        const int box = kBoxes[std::min<size_t>(field.series, 3)];
        if (seriesPage_.ItemText(box) != text) {
            seriesPage_.SetItemText(box, text);
        }
        seriesPage_.TakePicked(box);
    }
}

} // namespace qv::charts
