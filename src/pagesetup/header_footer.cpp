#include "pagesetup/header_footer.h"

#include "format/format_cells.h"
#include "format/page_common.h"
#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "qvcore/format_cells.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <richedit.h>

#include <cwchar>

namespace qv::pagesetup {
namespace {

constexpr std::uint8_t kEditingHeader = 0x40, kEditingFooter = 0x80;
constexpr std::uint8_t kNormalFontFlag = 0x40;
constexpr std::uint8_t kStyleBold = 2, kStyleItalic = 4, kStyleBoldItalic = 8;
constexpr std::uint8_t kUnderlineOn = 0x20, kStrikeOn = 0x10;

// Entries of the predefined lists; the fifth is inserted for other headers.
constexpr int kPresetEntries = 4;
constexpr UINT kTokenStrings = 1246; // 1246..1252, in field order
constexpr UINT kNoneString = 1376, kPageString = 1260, kPagesString = 1261, kSheetWordString = 1337,
               kOtherString = 1262;

constexpr std::array<int, 3> kHeaderPreviews = {IDC_HF_HEADER_LEFT, IDC_HF_HEADER_CENTER,
                                                IDC_HF_HEADER_RIGHT};
constexpr std::array<int, 3> kFooterPreviews = {IDC_HF_FOOTER_LEFT, IDC_HF_FOOTER_CENTER,
                                                IDC_HF_FOOTER_RIGHT};
constexpr std::array<int, 3> kSectionBoxes = {IDC_CHF_LEFT, IDC_CHF_CENTER, IDC_CHF_RIGHT};

// A text field of the host's record, as the library holds texts.
template <size_t N> std::string HostText(const char (&field)[N]) {
    return frame::ReadHostTextShown(field, N);
}

// Every section of a header or footer is one size.
constexpr size_t kSectionSize = sizeof HeaderFooterSections::left;
static_assert(sizeof HeaderFooterSections::center == kSectionSize &&
              sizeof HeaderFooterSections::right == kSectionSize);

std::string SectionText(const char* section) {
    return frame::ReadHostTextShown(section, kSectionSize);
}

std::array<char*, 3> Texts(HeaderFooterSections& sections) {
    return {sections.left, sections.center, sections.right};
}

std::array<FontBlock*, 3> Fonts(HeaderFooterSections& sections) {
    return {&sections.leftFont, &sections.centerFont, &sections.rightFont};
}

} // namespace

HFONT CreateSectionFont(const FontBlock& font) {
    std::string face = HostText(font.faceName);
    int points = font.size > 0 ? font.size : 10;
    if ((font.normalFont & kNormalFontFlag) != 0) {
        if (frame::HostMenuLanguage() == frame::kEnglish) {
            face = "Arial";
            points = 10;
        } else {
            face = frame::LoadLangString(frame::kStrFontFace, true);
            points = core::AtoiClamped(frame::LoadLangString(frame::kStrFontSize, true));
        }
    }
    LOGFONTW lf{};
    {
        fw::WindowDC screen(nullptr);
        lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    }
    const std::uint8_t style = font.styleFlags;
    lf.lfWeight = (style & (kStyleBold | kStyleBoldItalic)) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & (kStyleItalic | kStyleBoldItalic)) != 0;
    lf.lfUnderline = (font.underline & kUnderlineOn) != 0;
    lf.lfStrikeOut = (font.strikeOut & kStrikeOn) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wideFace = fw::Widen(face);
    wcsncpy(lf.lfFaceName, wideFace.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// ---- CQVCustomHeaderFooterDlg ------------------------------------------------

CQVCustomHeaderFooterDlg::CQVCustomHeaderFooterDlg(bool footer, const SectionTexts& sections,
                                                   const core::FieldTokens& tokens)
    : Dialog(IDD_PS_CUSTOM_HF), footer_(footer), sections_(sections), tokens_(tokens) {}

CQVCustomHeaderFooterDlg::~CQVCustomHeaderFooterDlg() {
    if (frame::IsLocalMenu()) {
        frame::SetInputLanguage(false);
    }
}

bool CQVCustomHeaderFooterDlg::OnInitDialog() {
    SetCaption(footer_ ? "Footer" : "Header");
    static const int kControls[] = {IDC_CHF_LEFT_LABEL,
                                    IDC_CHF_CENTER_LABEL,
                                    IDC_CHF_RIGHT_LABEL,
                                    IDC_CHF_FONT,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {1257, 1258, 1259, 1256, frame::kStrOK, frame::kStrCancel, 0};
    std::initializer_list<int> fieldButtons = {1121, 1122, 1123, 1124, 1125, 1126, 1127};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_, fieldButtons, true);
    // The field buttons show the words of their tokens.
    for (int field = 0; field < core::kHeaderFieldCount; ++field) {
        const std::string word = core::TokenWord(tokens_[static_cast<size_t>(field)]);
        if (!word.empty()) {
            fw::SetWindowTextTo(Item(IDC_CHF_FIELD_FIRST + field), word);
        }
    }
    for (size_t i = 0; i < kSectionBoxes.size(); ++i) {
        boxes_[i].Attach(hwnd(), kSectionBoxes[i]);
        boxes_[i].SetClearOnToggle(false); // F3 changes the script, not the section
        if (!sections_.text[i].empty()) {
            SetItemText(kSectionBoxes[i], sections_.text[i]);
        }
        ApplyFont(static_cast<int>(i));
    }
    return true;
}

void CQVCustomHeaderFooterDlg::ApplyFont(int section) {
    const auto i = static_cast<size_t>(section);
    boxFonts_[i].Reset(CreateSectionFont(sections_.font[i]));
    fw::Edit(hwnd(), kSectionBoxes[i]).SetFont(boxFonts_[i].get());
}

void CQVCustomHeaderFooterDlg::InsertField(int field) {
    if (focused_ < 0) {
        return;
    }
    const fw::Edit box(hwnd(), kSectionBoxes[static_cast<size_t>(focused_)]);
    box.ReplaceSel(tokens_[static_cast<size_t>(field)]);
    ApplyFont(focused_);
    box.Focus();
}

void CQVCustomHeaderFooterDlg::ChooseFont() {
    if (focused_ < 0) {
        return;
    }
    FontBlock& font = sections_.font[static_cast<size_t>(focused_)];
    CellFormatRecord cell{};
    cell.font = font;
    cell.startPage = 1;
    cell.sheetMode = core::kFormatModeFontOnly;
    INT_PTR result = IDCANCEL;
    {
        format::CQVFormatCells sheet(frame::FrameHandle(), cell.sheetMode);
        sheet.CopyIn(&cell);
        result = sheet.Run();
        if (result == IDOK) {
            sheet.CopyOut();
        }
    }
    QVVectorClear(&cell.borders);
    if (result == IDOK) {
        const std::uint8_t modeCopy = font.modeCopy;
        font = cell.font;
        font.modeCopy = modeCopy;
        ApplyFont(focused_);
    }
    SetFocus(Item(kSectionBoxes[static_cast<size_t>(focused_)]));
}

bool CQVCustomHeaderFooterDlg::OnCommand(int id, int code, HWND) {
    for (size_t i = 0; i < kSectionBoxes.size(); ++i) {
        if (id == kSectionBoxes[i]) {
            if (code == EN_SETFOCUS) {
                focused_ = static_cast<int>(i);
            }
            return false;
        }
    }
    if (code != BN_CLICKED) {
        return false;
    }
    if (id >= IDC_CHF_FIELD_FIRST && id < IDC_CHF_FIELD_FIRST + core::kHeaderFieldCount) {
        InsertField(id - IDC_CHF_FIELD_FIRST);
        return true;
    }
    if (id == IDC_CHF_FONT) {
        ChooseFont();
        return true;
    }
    return false;
}

void CQVCustomHeaderFooterDlg::OnOK() {
    for (size_t i = 0; i < kSectionBoxes.size(); ++i) {
        sections_.text[i] = ItemText(kSectionBoxes[i]);
    }
    EndDialog(IDOK);
}

// ---- CQVHeaderFooter --------------------------------------------------------

namespace {

// The previews are rich-edit boxes: their class must exist before the page.
// The library stays loaded once it is, as the framework's rich-edit set-up
// keeps it: loading it anew for every sheet costs more than the whole page.
void LoadRichEdit() {
    static const HMODULE richEdit = LoadLibraryA("riched20.dll");
    (void)richEdit;
}

} // namespace

CQVHeaderFooter::CQVHeaderFooter(CQVPageSetup& sheet) : PageSetupPage(IDD_PS_HEADERFOOTER, sheet) {
    LoadRichEdit();
}

void CQVHeaderFooter::SetData(const HeaderFooterBlock& block, std::uint8_t action) {
    block_ = block;
    action_ = action;
}

void CQVHeaderFooter::GetData(HeaderFooterBlock& block, std::uint8_t& action) const {
    block = block_;
    action = action_;
}

HeaderFooterSections& CQVHeaderFooter::Part(int part) {
    return part == 0 ? block_.header : block_.footer;
}

SectionTexts CQVHeaderFooter::Tokens(int part) {
    SectionTexts sections;
    HeaderFooterSections& stored = Part(part);
    const auto texts = Texts(stored);
    const auto fonts = Fonts(stored);
    for (size_t i = 0; i < 3; ++i) {
        sections.text[i] = core::CodesToTokens(SectionText(texts[i]), tokens_);
        sections.font[i] = *fonts[i];
    }
    return sections;
}

void CQVHeaderFooter::Store(int part, const SectionTexts& sections) {
    HeaderFooterSections& stored = Part(part);
    const auto texts = Texts(stored);
    const auto fonts = Fonts(stored);
    for (size_t i = 0; i < 3; ++i) {
        // Cut to the section's 254 bytes.
        frame::WriteHostText(texts[i], kSectionSize,
                             core::TokensToCodes(sections.text[i], tokens_));
        *fonts[i] = sections.font[i];
    }
}

void CQVHeaderFooter::SetMode(int part) {
    block_.mode =
        static_cast<std::uint8_t>(part == 0 ? (block_.mode | kEditingHeader) & ~kEditingFooter
                                            : (block_.mode | kEditingFooter) & ~kEditingHeader);
}

void CQVHeaderFooter::LoadTexts() {
    const format::MenuStrings strings;
    for (int field = 0; field < core::kHeaderFieldCount; ++field) {
        tokens_[static_cast<size_t>(field)] = strings(kTokenStrings + static_cast<UINT>(field));
    }
    noneText_ = strings(kNoneString);
    pageText_ = strings(kPageString);
    pagesText_ = strings(kPagesString) + "/1";
    sheetCaption_ =
        core::SheetCaption(HostText(block_.sheetName), frame::HostMenuLanguage() == frame::kEnglish,
                           strings(kSheetWordString));
}

bool CQVHeaderFooter::OnInitDialog() {
    static const int kControls[] = {IDC_HF_HEADER_LABEL,
                                    IDC_HF_FOOTER_LABEL,
                                    IDC_HF_CUSTOM_HEADER,
                                    IDC_HF_CUSTOM_FOOTER,
                                    IDC_PS_PRINT,
                                    IDC_PS_PREVIEW,
                                    0};
    static const int kStrings[] = {1271, 1270, 1254, 1255, 1556, 1557, 0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_,
                         {IDC_HF_HEADER_LIST, IDC_HF_FOOTER_LIST});
    LoadTexts();
    for (int part = 0; part < 2; ++part) {
        FillList(part);
        DrawPreviews(part);
        SelectMatching(part);
    }
    return true;
}

void CQVHeaderFooter::FillList(int part) {
    fw::ComboBox list(hwnd(), part == 0 ? IDC_HF_HEADER_LIST : IDC_HF_FOOTER_LIST);
    list.Clear();
    for (const std::string* entry : {&noneText_, &pageText_, &pagesText_, &sheetCaption_}) {
        list.Add(*entry);
    }
    list.Select(0);
}

void CQVHeaderFooter::SelectMatching(int part) {
    const SectionTexts sections = Tokens(part);
    const int entry =
        core::MatchPreset(sections.text[0], sections.text[1], sections.text[2], tokens_);
    fw::ComboBox list(hwnd(), part == 0 ? IDC_HF_HEADER_LIST : IDC_HF_FOOTER_LIST);
    if (entry == core::kPresetOther) {
        // The fifth entry shows the header as the previews do.
        std::string shown;
        for (const std::string& text : sections.text) {
            const std::string preview = PreviewOf(text);
            if (!preview.empty()) {
                shown += shown.empty() ? preview : "  " + preview;
            }
        }
        if (shown.empty()) {
            shown = format::MenuString(kOtherString);
        }
        while (list.Count() > kPresetEntries) {
            list.Delete(kPresetEntries);
        }
        list.Insert(kPresetEntries, shown);
        custom_[static_cast<size_t>(part)] = sections;
    }
    list.Select(entry);
}

void CQVHeaderFooter::ChoosePreset(int part, int entry) {
    if (entry == core::kPresetOther) {
        if (const auto& custom = custom_[static_cast<size_t>(part)]) {
            Store(part, *custom);
            DrawPreviews(part);
        }
        return;
    }
    SectionTexts sections = Tokens(part);
    if (entry == core::kPresetNone) {
        sections.text = {};
    } else {
        sections.text[1] = core::PresetCentre(entry, tokens_);
    }
    SetMode(part);
    const frame::CQVLangSettings& settings = frame::GetLangSettings();
    frame::WriteHostText(sections.font[1].faceName, sizeof sections.font[1].faceName,
                         frame::IsLocalMenu() ? settings.localFontFace : settings.englishFontFace);
    Store(part, sections);
    DrawPreviews(part);
}

void CQVHeaderFooter::RunCustom(int part) {
    SetMode(part);
    CQVCustomHeaderFooterDlg dialog(part == 1, Tokens(part), tokens_);
    if (dialog.DoModal(GetParent(hwnd())) != IDOK) {
        return;
    }
    Store(part, dialog.Sections());
    DrawPreviews(part);
    SelectMatching(part);
}

std::string CQVHeaderFooter::PreviewOf(const std::string& text) const {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    core::PreviewValues values;
    values.date = core::DateSampleText(now.wYear, now.wMonth, now.wDay);
    values.time = core::TimeSampleText(now.wHour, now.wMinute);
    values.path = HostText(block_.filePath);
    values.file = HostText(block_.fileName);
    values.sheet =
        frame::HostMenuLanguage() == frame::kEnglish ? HostText(block_.sheetName) : sheetCaption_;
    return core::PreviewText(text, tokens_, values);
}

void CQVHeaderFooter::DrawPreviews(int part) {
    SetMode(part);
    HeaderFooterSections& stored = Part(part);
    const auto texts = Texts(stored);
    const auto fonts = Fonts(stored);
    const auto& previews = part == 0 ? kHeaderPreviews : kFooterPreviews;
    for (size_t i = 0; i < 3; ++i) {
        fw::Font& font = previewFonts_[static_cast<size_t>(part) * 3 + i];
        font.Reset(CreateSectionFont(*fonts[i]));
        fw::Control box(hwnd(), previews[i]);
        box.Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(3, 3));
        box.SetFont(font.get(), false);
        box.SetText(PreviewOf(SectionText(texts[i])));
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_COLOR;
        format.crTextColor = fonts[i]->color;
        format.dwEffects = fonts[i]->color == 0 ? CFE_AUTOCOLOR : 0;
        box.SendW(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    }
}

bool CQVHeaderFooter::OnCommand(int id, int code, HWND control) {
    if ((id == IDC_HF_HEADER_LIST || id == IDC_HF_FOOTER_LIST) && code == CBN_SELCHANGE) {
        const int part = id == IDC_HF_HEADER_LIST ? 0 : 1;
        const int entry = fw::ComboBox(hwnd(), id).Selection();
        if (entry >= 0) {
            ChoosePreset(part, entry);
        }
        return true;
    }
    if (code == BN_CLICKED && (id == IDC_HF_CUSTOM_HEADER || id == IDC_HF_CUSTOM_FOOTER)) {
        RunCustom(id == IDC_HF_CUSTOM_HEADER ? 0 : 1);
        return true;
    }
    return PageSetupPage::OnCommand(id, code, control);
}

} // namespace qv::pagesetup
