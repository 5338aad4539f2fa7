#include "datatools/text_to_columns.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "frame/siblings.h"
#include "framework/controls.h"
#include "framework/phase_clock.h"
#include "framework/text.h"
#include "qvcore/fixedwidth.h"
#include "qvcore/text.h"
#include "resource.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace qv::datatools {
namespace {

// The most lines the wizard takes from the host: a whole column.
constexpr int32_t kMaxLines = 65536;
// The destination buffer holds a reference of at most this many characters.
constexpr size_t kDestinationLimit = 255;
// The record's qualifier field: 12 bytes with the terminator.
constexpr size_t kQualifierLimit = sizeof(TextToColumnRecord::qualifier) - 1;
// The cells' font when the host names no usable size.
constexpr int kDefaultCellPoints = 10;
// Extra pixels beside a preview column's widest text.
constexpr int kColumnPadding = 25;
// The widest a column's text counts.
constexpr long long kWidestColumn = 32000;
// The selected column of step 3.
constexpr COLORREF kNavy = RGB(0, 0, 128);
// Text of the selected column, from the left edge of its cell.
constexpr int kSelectedTextIndent = 5;

// Wizard buttons of the sheet.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

const char kDelimiterSection[] = "Delimiter";

// Texts the record points at after the call: the library's, valid until the
// next call of the export.
struct ReturnedTexts {
    std::string delimiters;
    std::string formats;
};
ReturnedTexts& Returned() {
    static ReturnedTexts texts;
    return texts;
}

std::vector<std::string> ReadLines(const QVStringArray* array) {
    std::vector<std::string> lines;
    if (array == nullptr || !frame::IsReadable(array, sizeof *array) || array->data == nullptr) {
        return lines;
    }
    const int32_t count = std::min(array->size, kMaxLines);
    if (count <= 0 ||
        !frame::IsReadable(array->data, static_cast<size_t>(count) * sizeof(QVString))) {
        return lines;
    }
    lines.reserve(static_cast<size_t>(count));
    frame::HostTextReader reader;
    for (int32_t i = 0; i < count; ++i) {
        lines.push_back(reader.Read(array->data[i].text, frame::kHostTextLimit));
    }
    return lines;
}

// Whether the host's array can take more strings: sizes that agree and
// storage the library may write.
bool UsableHostArray(QVStringArray* array) {
    if (array == nullptr || !frame::IsWritable(array, sizeof *array)) {
        return false;
    }
    if (array->size < 0 || array->capacity < array->size) {
        return false;
    }
    if (array->data == nullptr) {
        return array->capacity == 0;
    }
    return array->capacity == 0 ||
           frame::IsWritable(array->data, static_cast<size_t>(array->capacity) * sizeof(QVString));
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string StringOr(UINT id, const char* fallback) {
    std::string text = frame::LoadLangString(id, true);
    return text.empty() ? std::string(fallback) : text;
}

void SetListColours(HWND list, COLORREF colour) {
    SendMessageA(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour));
}

void SetGridLines(HWND list) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
}

} // namespace

// ---- PreviewList ----------------------------------------------------------------

void PreviewList::Attach(HWND list, HFONT font) {
    list_ = list;
    font_ = font;
    if (list_ == nullptr) {
        return;
    }
    if (font_ != nullptr) {
        SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    // Column widths add up character widths: one measurement per character
    // of the font instead of one per cell.
    fw::MeasuringDC screen;
    fw::SelectScope select(screen.get(), font_);
    if (!GetCharWidth32A(screen.get(), 0, 255, charWidths_)) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(screen.get(), &metrics);
        std::fill(std::begin(charWidths_), std::end(charWidths_), metrics.tmAveCharWidth);
    }
}

int PreviewList::TextWidth(std::string_view text) const {
    return static_cast<int>(std::min<long long>(core::TextWidth(text, charWidths_), kWidestColumn));
}

void PreviewList::Show(int rows, int columns, const Cell& cell,
                       const std::vector<std::string>& titles,
                       const std::vector<long long>* widest) {
    if (list_ == nullptr) {
        return;
    }
    fw::PhaseClock clock(QV_PHASE_PREVIEW_DATA);
    rows_ = std::max(rows, 0);
    columns_ = std::max(columns, 1);
    cell_ = cell;
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LVM_SETITEMCOUNT, 0, 0);
    while (SendMessageA(list_, LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    // A column is as wide as its widest text (its title included, so that no
    // header is cut) plus the padding. A title is a dialog string (UTF-8, in
    // the menu language), not cell text in the host's code page: it is
    // measured as the header draws it.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    HFONT headerFont =
        reinterpret_cast<HFONT>(SendMessageA(header != nullptr ? header : list_, WM_GETFONT, 0, 0));
    fw::MeasuringDC screen;
    fw::SelectScope select(screen.get(), headerFont != nullptr ? headerFont : font_);
    std::vector<int> widths(static_cast<size_t>(columns_), 0);
    for (int c = 0; c < columns_; ++c) {
        std::string title = c < static_cast<int>(titles.size()) ? titles[c] : std::string();
        std::wstring wide = fw::Widen(title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = 100;
        column.pszText = wide.data();
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
        SIZE size{};
        GetTextExtentPoint32W(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        widths[static_cast<size_t>(c)] =
            static_cast<int>(std::min<long long>(size.cx, kWidestColumn));
    }
    if (widest != nullptr) {
        for (int c = 0; c < columns_ && c < static_cast<int>(widest->size()); ++c) {
            const int w = static_cast<int>(std::min<long long>((*widest)[c], kWidestColumn));
            widths[static_cast<size_t>(c)] = std::max(widths[static_cast<size_t>(c)], w);
        }
    } else if (cell_) {
        for (int r = 0; r < rows_; ++r) {
            for (int c = 0; c < columns_; ++c) {
                const int w = TextWidth(cell_(r, c));
                if (w > widths[static_cast<size_t>(c)]) {
                    widths[static_cast<size_t>(c)] = w;
                }
            }
        }
    }
    for (int c = 0; c < columns_; ++c) {
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c),
                     MAKELPARAM(widths[static_cast<size_t>(c)] + kColumnPadding, 0));
    }
    SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows_), LVSICF_NOSCROLL);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void PreviewList::SetTitle(int column, const std::string& title) const {
    if (list_ == nullptr) {
        return;
    }
    std::wstring text = fw::Widen(title);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT;
    lvc.pszText = text.data();
    SendMessageW(list_, LVM_SETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&lvc));
}

std::string_view PreviewList::CellText(int row, int column) const {
    if (!cell_ || row < 0 || row >= rows_ || column < 0 || column >= columns_) {
        return {};
    }
    return cell_(row, column);
}

bool PreviewList::OnNotify(NMHDR* header) const {
    if (header == nullptr || header->hwndFrom != list_) {
        return false;
    }
    // The host's lines are shown as the host's text.
    return fw::AnswerDispInfoText(
        header, [this](int row, int column) { return frame::FromHostText(CellText(row, column)); });
}

// ---- PreviewRows -------------------------------------------------------------------

void PreviewRows::ShowLines(const std::vector<std::string>& lines) {
    kind_ = Kind::Lines;
    lines_ = &lines;
    cachedRow_ = -1;
}

void PreviewRows::ShowDelimited(const std::vector<std::string>& lines,
                                const core::SplitOptions& options) {
    kind_ = Kind::Delimited;
    lines_ = &lines;
    splitter_.emplace(options);
    cachedRow_ = -1;
}

void PreviewRows::ShowFixedWidth(const std::vector<std::string>& lines,
                                 std::vector<int32_t> breaks) {
    kind_ = Kind::FixedWidth;
    lines_ = &lines;
    breaks_ = std::move(breaks);
    cachedRow_ = -1;
}

std::string_view PreviewRows::Cell(int row, int column) {
    if (lines_ == nullptr || row < 0 || row >= static_cast<int>(lines_->size()) || column < 0) {
        return {};
    }
    const std::string& line = (*lines_)[static_cast<size_t>(row)];
    if (kind_ == Kind::Lines) {
        return column == 0 ? std::string_view(line) : std::string_view();
    }
    // The list asks for a row's cells one after another: one split a row.
    if (row != cachedRow_) {
        if (kind_ == Kind::Delimited) {
            // The question at the column limit was answered when the preview
            // was measured; here a long line is cut without asking again.
            core::ColumnLimitGate cut;
            splitter_->Split(line, cut, fields_);
        } else {
            core::SplitFixedWidthLine(line, breaks_, fields_);
        }
        cachedRow_ = row;
    }
    return column < static_cast<int>(fields_.size()) ? fields_[static_cast<size_t>(column)]
                                                     : std::string_view();
}

// ---- Step 1 -----------------------------------------------------------------------

CQVTextToCol1::CQVTextToCol1(CQVTextToColSheet& sheet)
    : SheetPage(IDD_TTC_STEP1, "Convert Text to Columns Wizard Step 1 of 3"), sheet_(sheet) {}

bool CQVTextToCol1::DelimitedChosen() const {
    return HasWindow() ? IsChecked(IDC_TTC1_DELIMITED) : true;
}

bool CQVTextToCol1::OnInitDialog() {
    static const int kControls[] = {IDC_TTC1_INTRO,      IDC_TTC1_CHOOSE,         IDC_TTC1_GROUP,
                                    IDC_TTC1_DELIMITED,  IDC_TTC1_DELIMITED_TEXT, IDC_TTC1_FIXED,
                                    IDC_TTC1_FIXED_TEXT, IDC_TTC1_PREVIEW_LABEL,  0};
    static const int kStrings[] = {1185, 1186, 1187, 1188, 1189, 1190, 1191, 1192, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);

    preview_.Attach(Item(IDC_TTC_PREVIEW), sheet_.CellFont());
    SetListColours(preview_.hwnd(), GetSysColor(COLOR_ACTIVEBORDER));
    const std::vector<std::string>& lines = sheet_.Lines();
    {
        fw::PhaseClock clock(QV_PHASE_PREVIEW_DATA);
        const core::PreviewShape shape =
            core::MeasureDelimited(lines, core::SplitOptions{}, {}, preview_.CharWidths());
        preview_.Show(
            static_cast<int>(lines.size()), 1,
            [&lines](int row, int) { return std::string_view(lines[static_cast<size_t>(row)]); },
            {" "}, &shape.widest);
    }

    const bool fixed = core::ProposeFixedWidth(lines);
    CheckRadioButton(hwnd(), IDC_TTC1_DELIMITED, IDC_TTC1_FIXED,
                     fixed ? IDC_TTC1_FIXED : IDC_TTC1_DELIMITED);
    sheet_.Record().delimited = fixed ? 0 : 1;
    sheet_.SetColumnCount(1);
    return true;
}

bool CQVTextToCol1::OnSetActive() {
    sheet_.SetStepButtons(0);
    return true;
}

fw::WizardMove CQVTextToCol1::OnWizardNext() {
    const bool delimited = DelimitedChosen();
    sheet_.Record().delimited = delimited ? 1 : 0;
    return fw::WizardMove::To(delimited ? IDD_TTC_DELIMITED : IDD_TTC_FIXED);
}

bool CQVTextToCol1::OnWizardFinish() {
    return sheet_.Finish(0);
}

bool CQVTextToCol1::OnCommand(int id, int code, HWND) {
    if ((id == IDC_TTC1_DELIMITED || id == IDC_TTC1_FIXED) && code == BN_DOUBLECLICKED) {
        CheckRadioButton(hwnd(), IDC_TTC1_DELIMITED, IDC_TTC1_FIXED, id);
        sheet_.PressButton(PSBTN_NEXT);
        return true;
    }
    return false;
}

bool CQVTextToCol1::OnNotify(NMHDR* header, LRESULT& result) {
    if (SheetPage::OnNotify(header, result)) {
        return true;
    }
    return preview_.OnNotify(header);
}

// ---- Step 2, delimited -----------------------------------------------------------------

CQVTextToColStep2::CQVTextToColStep2(CQVTextToColSheet& sheet, UINT templateId, int step)
    : SheetPage(templateId, "Convert Text to Columns Wizard Step 2 of 3"), sheet_(sheet),
      step_(step) {}

bool CQVTextToColStep2::OnSetActive() {
    sheet_.SetStepButtons(step_);
    return true;
}

fw::WizardMove CQVTextToColStep2::OnWizardNext() {
    sheet_.Record().delimited = sheet_.StepOne().DelimitedChosen() ? 1 : 0;
    LeaveStep();
    return fw::WizardMove::To(IDD_TTC_STEP3);
}

fw::WizardMove CQVTextToColStep2::OnWizardBack() {
    return fw::WizardMove::To(IDD_TTC_STEP1);
}

bool CQVTextToColStep2::OnWizardFinish() {
    return sheet_.Finish(step_);
}

CQVTextToCol2::CQVTextToCol2(CQVTextToColSheet& sheet)
    : CQVTextToColStep2(sheet, IDD_TTC_DELIMITED, 1) {}

bool CQVTextToCol2::OnInitDialog() {
    fw::ComboBox qualifier(hwnd(), IDC_TTC2_QUALIFIER);
    qualifier.Add("'");
    qualifier.Add("\"");
    qualifier.Add(StringOr(1528, "{none}"));
    static const int kControls[] = {IDC_TTC2_INTRO,
                                    IDC_TTC2_GROUP,
                                    IDC_TTC2_TAB,
                                    IDC_TTC2_SEMICOLON,
                                    IDC_TTC2_COMMA,
                                    IDC_TTC2_SPACE,
                                    IDC_TTC2_OTHERS,
                                    IDC_TTC2_CONSECUTIVE,
                                    IDC_TTC2_QUALIFIER_LABEL,
                                    IDC_TTC2_PREVIEW_LABEL,
                                    0};
    static const int kStrings[] = {1193, 1194, 1195, 1196, 1197, 1198, 1199, 1526, 1527, 1206, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_TTC2_QUALIFIER});
    qualifier.Select(2);

    fw::Edit others(hwnd(), IDC_TTC2_OTHERS_TEXT);
    others.SetFont(sheet_.CellFont());
    others.LimitText(1);
    list_.Attach(Item(IDC_TTC_PREVIEW), sheet_.CellFont());
    SetGridLines(list_.hwnd());

    LoadSettings();
    BuildPreview();
    return true;
}

void CQVTextToCol2::LoadSettings() {
    loading_ = true;
    frame::ProfileStore store(sheet_.ProfilePath().c_str());
    const struct {
        const char* key;
        int id;
    } kChecks[] = {{"0", IDC_TTC2_TAB},   {"1", IDC_TTC2_SEMICOLON}, {"2", IDC_TTC2_COMMA},
                   {"3", IDC_TTC2_SPACE}, {"4", IDC_TTC2_OTHERS},    {"5", IDC_TTC2_CONSECUTIVE}};
    for (const auto& check : kChecks) {
        SetChecked(check.id, store.GetInt(kDelimiterSection, check.key, 0) != 0);
    }
    // The stored character is shown as it was typed: the reference-text
    // conversion runs with its convert flag off, whatever the cell font.
    const std::string others = store.GetString(kDelimiterSection, "6", "");
    SetItemText(IDC_TTC2_OTHERS_TEXT, core::ToLocalRef(others, 0, {}).substr(0, 1));
    fw::ComboBox(hwnd(), IDC_TTC2_QUALIFIER)
        .Select(core::QualifierEntryFromProfile(store.GetString(kDelimiterSection, "7", "")));
    loading_ = false;
}

void CQVTextToCol2::SaveSettings() {
    if (!HasWindow()) {
        return;
    }
    {
        frame::ProfileStore store(sheet_.ProfilePath().c_str());
        const struct {
            const char* key;
            int id;
        } kChecks[] = {{"0", IDC_TTC2_TAB},    {"1", IDC_TTC2_SEMICOLON},
                       {"2", IDC_TTC2_COMMA},  {"3", IDC_TTC2_SPACE},
                       {"4", IDC_TTC2_OTHERS}, {"5", IDC_TTC2_CONSECUTIVE}};
        for (const auto& check : kChecks) {
            store.WriteInt(kDelimiterSection, check.key, IsChecked(check.id) ? 1 : 0);
        }
        store.WriteString(kDelimiterSection, "6", ItemText(IDC_TTC2_OTHERS_TEXT).c_str());
        fw::ComboBox qualifier(hwnd(), IDC_TTC2_QUALIFIER);
        store.WriteString(kDelimiterSection, "7",
                          qualifier.ItemText(qualifier.Selection()).c_str());
    }
    sheet_.Record().consecutiveAsOne = IsChecked(IDC_TTC2_CONSECUTIVE) ? 1 : 0;
}

core::DelimiterChoice CQVTextToCol2::Choice() const {
    core::DelimiterChoice choice;
    choice.tab = IsChecked(IDC_TTC2_TAB);
    choice.semicolon = IsChecked(IDC_TTC2_SEMICOLON);
    choice.comma = IsChecked(IDC_TTC2_COMMA);
    choice.space = IsChecked(IDC_TTC2_SPACE);
    choice.others = IsChecked(IDC_TTC2_OTHERS);
    choice.othersText = ItemText(IDC_TTC2_OTHERS_TEXT);
    fw::ComboBox qualifier(hwnd(), IDC_TTC2_QUALIFIER);
    choice.qualifier = qualifier.ItemText(qualifier.Selection());
    return choice;
}

void CQVTextToCol2::BuildPreview() {
    if (!HasWindow()) {
        return;
    }
    const core::DelimiterChoice choice = Choice();
    delimiters_ = core::BuildDelimiterSet(choice);
    TextToColumnRecord& record = sheet_.Record();
    std::memset(record.qualifier, 0, sizeof record.qualifier);
    std::memcpy(record.qualifier, choice.qualifier.data(),
                std::min(choice.qualifier.size(), kQualifierLimit));

    fw::PhaseClock clock(QV_PHASE_PREVIEW_DATA);
    core::SplitOptions options;
    options.delimiters = delimiters_;
    options.qualifier = choice.qualifier;
    options.consecutiveAsOne = IsChecked(IDC_TTC2_CONSECUTIVE);
    // Every line is measured (the column count goes to the record); only the
    // rows the list shows are split for it.
    const core::PreviewShape shape = core::MeasureDelimited(
        sheet_.Lines(), options, [this] { return sheet_.AskColumnLimit(); }, list_.CharWidths());
    if (shape.cancelled) {
        sheet_.CancelWizard();
    }
    if (!shape.plain) {
        sheet_.SetColumnCount(shape.columns);
    }
    previewColumns_ = shape.columns;
    const int columns = shape.plain ? 1 : shape.columns;
    if (shape.plain) {
        rows_.ShowLines(sheet_.Lines());
    } else {
        rows_.ShowDelimited(sheet_.Lines(), options);
    }
    list_.Show(
        shape.rows, columns, [this](int row, int column) { return rows_.Cell(row, column); },
        std::vector<std::string>(static_cast<size_t>(columns), shape.plain ? " " : ""),
        &shape.widest);
}

void CQVTextToCol2::LeaveStep() {
    sheet_.LeaveDelimited();
}

bool CQVTextToCol2::OnQueryCancel() {
    SaveSettings();
    return true;
}

bool CQVTextToCol2::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_TTC2_TAB:
    case IDC_TTC2_SEMICOLON:
    case IDC_TTC2_COMMA:
    case IDC_TTC2_CONSECUTIVE:
        if (code == BN_CLICKED) {
            BuildPreview();
            return true;
        }
        return false;
    case IDC_TTC2_SPACE:
        if (code == BN_CLICKED) {
            SetChecked(IDC_TTC2_CONSECUTIVE, IsChecked(IDC_TTC2_SPACE));
            BuildPreview();
            return true;
        }
        return false;
    case IDC_TTC2_OTHERS:
        if (code == BN_CLICKED) {
            if (IsChecked(IDC_TTC2_OTHERS)) {
                FocusItem(IDC_TTC2_OTHERS_TEXT);
                fw::Edit(hwnd(), IDC_TTC2_OTHERS_TEXT).SelectAll();
            }
            BuildPreview();
            return true;
        }
        return false;
    case IDC_TTC2_OTHERS_TEXT:
        if (code == EN_CHANGE && !loading_) {
            if (!ItemText(IDC_TTC2_OTHERS_TEXT).empty() && !IsChecked(IDC_TTC2_OTHERS)) {
                SetChecked(IDC_TTC2_OTHERS, true);
            }
            BuildPreview();
            return true;
        }
        if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
            // Only when the cells' font is the local script's.
            const std::string& language = frame::GetLangSettings().languageCode;
            const std::string face = Upper(sheet_.CellFontFace().substr(0, 3));
            if (language.size() == 3 && face == Upper(language)) {
                frame::SetInputLanguage(code == EN_SETFOCUS);
            }
            return true;
        }
        return false;
    case IDC_TTC2_QUALIFIER:
        if (code == CBN_SELCHANGE) {
            BuildPreview();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CQVTextToCol2::OnNotify(NMHDR* header, LRESULT& result) {
    if (SheetPage::OnNotify(header, result)) {
        return true;
    }
    return list_.OnNotify(header);
}

// ---- Step 2, fixed width ---------------------------------------------------------------

CQVTextToCol3::CQVTextToCol3(CQVTextToColSheet& sheet)
    : CQVTextToColStep2(sheet, IDD_TTC_FIXED, 2) {}

bool CQVTextToCol3::OnInitDialog() {
    static const int kControls[] = {IDC_TTCF_TEXT1,
                                    IDC_TTCF_TEXT2,
                                    IDC_TTCF_TEXT3,
                                    IDC_TTCF_TEXT4,
                                    IDC_TTCF_TEXT5,
                                    IDC_TTCF_PREVIEW_LABEL,
                                    0};
    static const int kStrings[] = {1529, 1530, 1531, 1532, 1533, 1206, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);

    fw::PhaseClock clock(QV_PHASE_PREVIEW_DATA);
    separators_.Attach(Item(IDC_TTCF_SEPARATORS));
    CQVSeparatorsCtrl::SpokenTexts spoken;
    spoken.name = fw::SpokenLabel(ItemText(IDC_TTCF_PREVIEW_LABEL));
    spoken.column = StringOr(3493, "Column %d");
    spoken.breakHere = StringOr(3494, "break");
    spoken.breaks = StringOr(3495, "Breaks: %s");
    spoken.noBreaks = StringOr(3496, "No breaks");
    separators_.SetSpokenTexts(std::move(spoken));
    separators_.SetFrame(true);
    separators_.SetFontHeight(8);
    const std::vector<std::string>& lines = sheet_.Lines();
    std::string text;
    size_t length = 0;
    for (const std::string& line : lines) {
        length += line.size() + 1;
    }
    text.reserve(length);
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    separators_.SetText(text);
    for (int32_t column : core::AutoBreaks(lines)) {
        separators_.GetBreaks().push_back(column);
        separators_.SetRulerIntervals(5, 0);
    }
    return true;
}

std::vector<int32_t> CQVTextToCol3::CollectBreaks() const {
    return core::CollectBreaks(separators_.GetBreaks());
}

void CQVTextToCol3::LeaveStep() {
    sheet_.LeaveFixed();
}

// ---- Step 3 ----------------------------------------------------------------------------

CQVTextToCol4::CQVTextToCol4(CQVTextToColSheet& sheet)
    : SheetPage(IDD_TTC_STEP3, "Convert Text to Columns Wizard Step 3 of 3"), sheet_(sheet) {}

CQVTextToCol4::~CQVTextToCol4() {
    if (frame::IsLocalMenu()) {
        frame::SetInputLanguage(false);
    }
}

bool CQVTextToCol4::OnInitDialog() {
    static const int kControls[] = {IDC_TTC3_INTRO,
                                    IDC_TTC3_DEST_LABEL,
                                    IDC_TTC3_GROUP,
                                    IDC_TTC3_GENERAL,
                                    IDC_TTC3_TEXT,
                                    IDC_TTC3_DATE,
                                    IDC_TTC3_SKIP,
                                    IDC_TTC3_GENERAL_TEXT,
                                    IDC_TTC3_CHOOSE_TEXT,
                                    IDC_TTC3_PREVIEW_LABEL,
                                    0};
    static const int kStrings[] = {1201, 1549, 1202, 1203, 1204, 1205, 1534, 1536, 1535, 1206, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, {IDC_TTC3_DEST});

    fw::ComboBox order(hwnd(), IDC_TTC3_DATE_ORDER);
    for (UINT id = 1537; id <= 1542; ++id) {
        order.Add(frame::LoadLangString(id, true));
    }
    pickImage_.Reset(frame::LoadRangeImage(13047, 18));
    if (pickImage_) {
        fw::Button(hwnd(), IDC_TTC3_DEST_PICK).SetImage(pickImage_.get());
    }
    const TextToColumnRecord& record = sheet_.Record();
    settingDestination_ = true;
    SetItemText(IDC_TTC3_DEST,
                sheet_.Refs().ToShown(frame::ReadHostText(record.destination, kDestinationLimit)));
    settingDestination_ = false;
    static const char* const kNames[] = {"General", "Text", "Date", "Skip"};
    for (int i = 0; i < 4; ++i) {
        formatNames_[i] = StringOr(static_cast<UINT>(1550 + i), kNames[i]);
    }
    list_.Attach(Item(IDC_TTC_PREVIEW), sheet_.CellFont());
    SetGridLines(list_.hwnd());
    CheckRadioButton(hwnd(), IDC_TTC3_GENERAL, IDC_TTC3_SKIP, IDC_TTC3_GENERAL);
    return true;
}

bool CQVTextToCol4::OnSetActive() {
    const bool first = !shown_;
    shown_ = true;
    sheet_.SetStepButtons(3);
    BuildPreview();
    SelectCell(0, 0);
    if (first) {
        FocusItem(IDC_TTC_PREVIEW);
    }
    return true;
}

void CQVTextToCol4::BuildPreview() {
    fw::PhaseClock clock(QV_PHASE_PREVIEW_DATA);
    const TextToColumnRecord& record = sheet_.Record();
    core::PreviewShape shape;
    if (record.delimited != 0) {
        core::SplitOptions options;
        options.delimiters = sheet_.StepThreeDelimiters();
        options.qualifier.assign(record.qualifier, strnlen(record.qualifier, kQualifierLimit));
        options.consecutiveAsOne = record.consecutiveAsOne != 0;
        shape = core::MeasureDelimited(
            sheet_.Lines(), options, [this] { return sheet_.AskColumnLimit(); },
            list_.CharWidths());
        if (shape.cancelled) {
            sheet_.CancelWizard();
        }
        if (shape.plain) {
            rows_.ShowLines(sheet_.Lines());
        } else {
            rows_.ShowDelimited(sheet_.Lines(), options);
        }
    } else {
        shape = core::MeasureFixedWidth(sheet_.Lines(), sheet_.Breaks(), list_.CharWidths());
        rows_.ShowFixedWidth(sheet_.Lines(), sheet_.Breaks());
    }
    const int columns = shape.plain ? 1 : shape.columns;
    sheet_.Formats() = core::GeneralFormats(columns);
    list_.Show(
        shape.rows, columns, [this](int row, int column) { return rows_.Cell(row, column); },
        std::vector<std::string>(static_cast<size_t>(columns), formatNames_[0]), &shape.widest);
    row_ = 0;
    column_ = 0;
}

std::string CQVTextToCol4::FormatName(char code) const {
    const int index = code - core::kFormatGeneral;
    return index >= 0 && index < 4 ? formatNames_[index] : formatNames_[0];
}

void CQVTextToCol4::ShowColumnFormat() {
    const std::string& formats = sheet_.Formats();
    const char code =
        column_ < static_cast<int>(formats.size()) ? formats[column_] : core::kFormatGeneral;
    static const int kRadios[] = {IDC_TTC3_GENERAL, IDC_TTC3_TEXT, IDC_TTC3_DATE, IDC_TTC3_SKIP};
    const int index = code - core::kFormatGeneral;
    CheckRadioButton(hwnd(), IDC_TTC3_GENERAL, IDC_TTC3_SKIP,
                     kRadios[index >= 0 && index < 4 ? index : 0]);
}

void CQVTextToCol4::SelectCell(int row, int column) {
    HWND list = list_.hwnd();
    row_ = std::clamp(row, 0, std::max(list_.Rows() - 1, 0));
    column_ = std::clamp(column, 0, std::max(list_.Columns() - 1, 0));
    if (list != nullptr && list_.Rows() > 0) {
        LVITEMA item{};
        item.stateMask = LVIS_FOCUSED;
        item.state = LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row_),
                     reinterpret_cast<LPARAM>(&item));
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row_), FALSE);
        // Bring the column into view.
        RECT cell{};
        cell.top = column_;
        cell.left = LVIR_BOUNDS;
        if (SendMessageA(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row_),
                         reinterpret_cast<LPARAM>(&cell))) {
            if (column_ == 0) {
                cell.right =
                    cell.left + static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
            }
            RECT client{};
            GetClientRect(list, &client);
            int dx = 0;
            if (cell.left < 0) {
                dx = cell.left;
            } else if (cell.right > client.right) {
                dx = std::min(cell.right - client.right, cell.left);
            }
            if (dx != 0) {
                SendMessageA(list, LVM_SCROLL, static_cast<WPARAM>(dx), 0);
            }
        }
    }
    ShowColumnFormat();
    if (list != nullptr) {
        InvalidateRect(list, nullptr, FALSE);
    }
}

void CQVTextToCol4::SetFormat(char code) {
    if (core::SetColumnFormat(sheet_.Formats(), column_, code)) {
        list_.SetTitle(column_, FormatName(code));
    }
}

void CQVTextToCol4::FocusDestination() {
    if (HasWindow()) {
        FocusItem(IDC_TTC3_DEST);
        fw::Edit(hwnd(), IDC_TTC3_DEST).SelectAll();
    }
}

bool CQVTextToCol4::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_TTC3_GENERAL:
    case IDC_TTC3_TEXT:
    case IDC_TTC3_DATE:
    case IDC_TTC3_SKIP:
        if (code == BN_CLICKED) {
            SetFormat(static_cast<char>(core::kFormatGeneral + (id - IDC_TTC3_GENERAL)));
            return true;
        }
        return false;
    case IDC_TTC3_DEST:
        if (code == EN_CHANGE && !settingDestination_) {
            TextToColumnRecord& record = sheet_.Record();
            std::string english = sheet_.Refs().FromShown(ItemText(IDC_TTC3_DEST));
            if (english.size() > kDestinationLimit) {
                english.resize(kDestinationLimit);
            }
            if (record.destination != nullptr &&
                frame::IsWritable(record.destination, english.size() + 1)) {
                std::memcpy(record.destination, english.c_str(), english.size() + 1);
            }
            return true;
        }
        if (code == EN_SETFOCUS && frame::IsLocalMenu()) {
            frame::SetInputLanguage(true);
            return true;
        }
        return false;
    case IDC_TTC3_DEST_PICK:
        if (code == BN_CLICKED) {
            sheet_.PickDestination(Item(IDC_TTC3_DEST));
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CQVTextToCol4::CustomDraw(NMLVCUSTOMDRAW* draw, LRESULT& result) const {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    case CDDS_ITEMPREPAINT:
        result = CDRF_NOTIFYSUBITEMDRAW;
        return true;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        if (draw->iSubItem != column_) {
            draw->clrText = GetSysColor(COLOR_WINDOWTEXT);
            draw->clrTextBk = GetSysColor(COLOR_WINDOW);
            result = CDRF_NEWFONT;
            return true;
        }
        // The selected column: navy, its text a little in from the edge.
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        RECT cell{};
        cell.top = draw->iSubItem;
        cell.left = LVIR_BOUNDS;
        SendMessageA(list_.hwnd(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&cell));
        if (draw->iSubItem == 0) {
            cell.right =
                cell.left + static_cast<int>(SendMessageA(list_.hwnd(), LVM_GETCOLUMNWIDTH, 0, 0));
        }
        fw::Brush navy(CreateSolidBrush(kNavy));
        FillRect(draw->nmcd.hdc, &cell, navy.get());
        const std::string_view text = list_.CellText(row, draw->iSubItem);
        RECT textRect = cell;
        textRect.left += kSelectedTextIndent;
        fw::SelectScope font(draw->nmcd.hdc, sheet_.CellFont());
        SetTextColor(draw->nmcd.hdc, RGB(255, 255, 255));
        SetBkMode(draw->nmcd.hdc, TRANSPARENT);
        fw::DrawLabel(draw->nmcd.hdc, frame::FromHostText(text), textRect,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        result = CDRF_SKIPDEFAULT;
        return true;
    }
    default:
        result = CDRF_DODEFAULT;
        return true;
    }
}

bool CQVTextToCol4::OnNotify(NMHDR* header, LRESULT& result) {
    if (SheetPage::OnNotify(header, result)) {
        return true;
    }
    if (header == nullptr || header->hwndFrom != list_.hwnd()) {
        return false;
    }
    switch (header->code) {
    case LVN_COLUMNCLICK:
        SelectCell(row_, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        return true;
    case NM_CLICK: {
        LVHITTESTINFO hit{};
        hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
        SendMessageA(list_.hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem >= 0) {
            SelectCell(hit.iItem, hit.iSubItem);
        }
        return true;
    }
    case NM_CUSTOMDRAW:
        return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header), result);
    default:
        return list_.OnNotify(header);
    }
}

bool CQVTextToCol4::PreTranslateMessage(MSG& msg) {
    if (!HasWindow() || msg.message != WM_KEYDOWN || msg.hwnd != list_.hwnd()) {
        return false;
    }
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const int lastRow = std::max(list_.Rows() - 1, 0);
    const int lastColumn = std::max(list_.Columns() - 1, 0);
    int row = row_;
    int column = column_;
    switch (msg.wParam) {
    case VK_HOME:
        column = 0;
        row = control ? 0 : row;
        break;
    case VK_END:
        column = lastColumn;
        row = control ? lastRow : row;
        break;
    case VK_PRIOR:
        row = 0;
        break;
    case VK_NEXT:
        row = lastRow;
        break;
    case VK_LEFT:
        column = column - 1;
        break;
    case VK_RIGHT:
        column = column + 1;
        break;
    case VK_UP:
        row = row - 1;
        break;
    case VK_DOWN:
        row = row + 1;
        break;
    default:
        return false;
    }
    SelectCell(row, column);
    return true;
}

fw::WizardMove CQVTextToCol4::OnWizardBack() {
    return fw::WizardMove::To(sheet_.Record().delimited != 0 ? IDD_TTC_DELIMITED : IDD_TTC_FIXED);
}

bool CQVTextToCol4::OnWizardFinish() {
    return sheet_.Finish(3);
}

// ---- the sheet -----------------------------------------------------------------------------

CQVTextToColSheet::CQVTextToColSheet(TextToColumnRecord* record)
    : Sheet("Text To Column Wizard"), record_(record), step1_(*this), step2_(*this), fixed_(*this),
      step3_(*this) {
    SetWizardMode(true);
    {
        fw::PhaseClock clock(QV_PHASE_PREVIEW_DATA);
        lines_ = ReadLines(record_->lines);
    }
    cellFace_ = frame::ReadHostText(record_->fontFace, LF_FACESIZE - 1);
    int points = record_->fontSize;
    if (points <= 0 || points > 409) {
        points = kDefaultCellPoints;
    }
    cellFont_.Reset(
        fw::CreatePointFont(points * 10, cellFace_.empty() ? "Arial" : cellFace_.c_str()));
    AddPage(&step1_);
    AddPage(&step2_);
    AddPage(&fixed_);
    AddPage(&step3_);
}

CQVTextToColSheet::~CQVTextToColSheet() = default;

std::string CQVTextToColSheet::ProfilePath() const {
    // "\FunctionInfo.dll": the profile library resolves it in the user-data
    // folder as that folder is at the time of the call.
    return std::string("\\") + QVCOM_PROFILE_FILE;
}

void CQVTextToColSheet::OnInitSheet() {
    const std::string face = frame::LoadLangString(frame::kStrFontFace, true);
    const int points = std::atoi(frame::LoadLangString(frame::kStrFontSize, true).c_str());
    if (!face.empty() && points > 0) {
        dialogFont_.Reset(fw::CreatePointFont(points * 10, face.c_str()));
    }
    RECT window{};
    GetWindowRect(hwnd(), &window);
    SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left - 10,
                 window.bottom - window.top - 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const struct {
        int id;
        UINT string;
    } kButtons[] = {{kBackButton, 1207},
                    {kNextButton, 1208},
                    {kFinishButton, 1209},
                    {IDCANCEL, frame::kStrCancel}};
    for (const auto& button : kButtons) {
        fw::Control control(Button(button.id));
        const std::string text = frame::LoadLangString(button.string, true);
        if (!text.empty()) {
            control.SetText(text);
        }
        if (dialogFont_) {
            control.SetFont(dialogFont_.get());
        }
    }
    // One row, all of Cancel's size, 5 pixels apart: Cancel, Back, Next, Finish.
    RECT cancel{};
    GetWindowRect(Button(IDCANCEL), &cancel);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&cancel), 2);
    const int width = cancel.right - cancel.left;
    const int height = cancel.bottom - cancel.top;
    int left = cancel.left - 8;
    const int top = cancel.top - 5;
    for (int id : {kFinishButton, kNextButton, kBackButton, static_cast<int>(IDCANCEL)}) {
        SetWindowPos(Button(id), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        left -= width + 5;
    }
    SetStepButtons(ActiveIndex());
}

void CQVTextToColSheet::SetStepButtons(int step) {
    DWORD flags = 0;
    switch (step) {
    case 0:
        flags = PSWIZB_NEXT;
        break;
    case 1:
    case 2:
        flags = PSWIZB_BACK | PSWIZB_NEXT;
        break;
    default:
        flags = PSWIZB_BACK;
        break;
    }
    SetWizardButtons(flags);
    // Finish stands beside Next on every page.
    for (int id : {kNextButton, kFinishButton}) {
        if (HWND button = Button(id)) {
            ShowWindow(button, SW_SHOW);
        }
    }
    if (HWND finish = Button(kFinishButton)) {
        EnableWindow(finish, TRUE);
    }
    if (hwnd() != nullptr) {
        SendMessageA(hwnd(), DM_SETDEFID, step == 3 ? kFinishButton : kNextButton, 0);
    }
}

void CQVTextToColSheet::LeaveDelimited() {
    step2_.SaveSettings();
    Returned().delimiters = step2_.DelimiterSet();
    record_->delimiters = Returned().delimiters.data();
    stepThreeDelimiters_ = step2_.DelimiterSet();
}

void CQVTextToColSheet::LeaveFixed() {
    breaks_ = fixed_.CollectBreaks();
    columnCount_ = static_cast<int>(breaks_.size());
    CopyBreaksToRecord();
}

void CQVTextToColSheet::CopyBreaksToRecord() {
    QVStringArray* array = record_->columnBreaks;
    if (!UsableHostArray(array)) {
        return;
    }
    if (hostBreaksAtStart_ < 0) {
        hostBreaksAtStart_ = array->size;
    }
    // A second Next replaces what the first one appended.
    while (array->size > hostBreaksAtStart_) {
        --array->size;
        QVStringClear(&array->data[array->size]);
    }
    for (const std::string& text : core::BreakTexts(breaks_)) {
        if (!QVStringArrayAdd(array, text.c_str())) {
            break;
        }
    }
}

bool CQVTextToColSheet::Finish(int pageIndex) {
    int index = pageIndex;
    if (index == 0 && step2_.HasWindow()) {
        index = 1;
    }
    record_->delimited = step1_.DelimitedChosen() ? 1 : 0;
    if (index == 1) {
        LeaveDelimited();
        formats_ = core::GeneralFormats(step2_.PreviewColumns());
    } else if (index == 2) {
        LeaveFixed();
        formats_ = core::GeneralFormats(static_cast<int>(breaks_.size()) + 1);
    }
    Returned().formats = formats_;
    record_->columnFormats = Returned().formats.data();
    record_->columnCount = core::ColumnCountField(columnCount_);

    const std::string destination =
        refs_.FromShown(frame::ReadHostText(record_->destination, kDestinationLimit));
    if (!frame::IsCellOrRangeRef(destination)) {
        frame::QVMsgBoxEx(1187, frame::kOneButton, frame::kIconWarning);
        if (step3_.WasShown()) {
            step3_.FocusDestination();
            return false;
        }
    }
    return true;
}

void CQVTextToColSheet::CancelWizard() {
    if (hwnd() != nullptr) {
        PostMessageA(hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
}

core::ColumnLimitAnswer CQVTextToColSheet::AskColumnLimit() {
    return frame::QVMsgBox(1209, frame::kTwoButtons) == 2 ? core::ColumnLimitAnswer::Cancel
                                                          : core::ColumnLimitAnswer::StopLine;
}

void CQVTextToColSheet::PickDestination(HWND destinationEdit) {
    frame::PickRange(*this, destinationEdit);
}

void CQVTextToColSheet::TakeRangeText(const std::string& text, const frame::RangeField&) {
    if (ActivePage() == &step3_ && step3_.HasWindow()) {
        step3_.SetItemText(IDC_TTC3_DEST, text);
    }
}

} // namespace qv::datatools
