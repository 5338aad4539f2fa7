#include "format/page_font.h"

#include "format/page_common.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/msgbox.h"
#include "framework/controls.h"
#include "framework/phase_clock.h"
#include "qvcore/cell_format.h"
#include "qvcore/numbers.h"
#include "resource.h"

#include <algorithm>
#include <set>

namespace qv::format {
namespace {

constexpr char kPreviewText[] = "AaBbCcYyZz";
constexpr char kNormalFace[] = "Arial";

struct FaceCollector {
    std::vector<std::string> faces;
    std::set<std::string> seen;
};

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM data) {
    auto* collector = reinterpret_cast<FaceCollector*>(data);
    if ((type & TRUETYPE_FONTTYPE) == 0 || font == nullptr) {
        return 1;
    }
    std::string face(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE));
    if (face.empty() || face[0] == '@' || !collector->seen.insert(face).second) {
        return 1;
    }
    collector->faces.push_back(std::move(face));
    return 1;
}

} // namespace

// ---- CQVFmtCellsFont ------------------------------------------------------------

CQVFmtCellsFont::CQVFmtCellsFont(FontPageHost& sheet) : SheetPage(IDD_FMT_FONT), sheet_(sheet) {}

void CQVFmtCellsFont::SetBlock(FontBlock* recordBlock) {
    block_ = recordBlock;
    mode_ = block_ != nullptr ? static_cast<uint8_t>(block_->modeCopy & 0x7F) : 0;
    changed_ = false;
}

const std::vector<std::string>& CQVFmtCellsFont::EnumerateFaces() {
    // Once per process: the installed fonts do not change while a host runs
    // for the lengths of time that matter, and enumerating them is slow.
    static const std::vector<std::string> faces = [] {
        FaceCollector collector;
        fw::WindowDC screen(nullptr);
        LOGFONTA wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(screen.get(), &wanted, CollectFace,
                            reinterpret_cast<LPARAM>(&collector), 0);
        return collector.faces;
    }();
    return faces;
}

bool CQVFmtCellsFont::OnInitDialog() {
    if (block_ == nullptr) {
        return true;
    }
    const bool hideColour = (block_->modeCopy & core::kHideColourBit) != 0;
    if (hideColour) {
        for (int id : {IDC_FONT_COLOUR_LABEL, IDC_FONT_COLOUR}) {
            ShowItem(id, false);
            EnableItem(id, false);
        }
        block_->modeCopy &= static_cast<uint8_t>(~core::kHideColourBit);
    } else if (mode_ == core::kFormatModeFontBorderPattern) {
        for (int id : {IDC_FONT_FACE_LABEL, IDC_FONT_FACE, IDC_FONT_FACE_LIST, IDC_FONT_SIZE_LABEL,
                       IDC_FONT_SIZE, IDC_FONT_SIZE_LIST}) {
            EnableItem(id, false);
        }
    }
    for (int id : {IDOK, IDCANCEL}) {
        ShowItem(id, false);
        EnableItem(id, false);
    }
    static const int kControls[] = {
        IDC_FONT_FACE_LABEL, IDC_FONT_STYLE_LABEL, IDC_FONT_SIZE_LABEL, IDC_FONT_COLOUR_LABEL,
        IDC_FONT_EFFECTS,    IDC_FONT_STRIKE,      IDC_FONT_UNDERLINE,  IDC_FONT_PREVIEW_GROUP,
        IDC_FONT_NORMAL,     IDC_FONT_NOTE,        IDC_FONT_CLEAR};
    static const int kStrings[] = {3410, 3411, 3412, 3413, 3414, 3415,
                                   3416, 3417, 3418, 3419, 3308};
    RelabelPage(hwnd(), kControls, kStrings, static_cast<int>(std::size(kControls)), font_,
                {IDC_FONT_FACE, IDC_FONT_STYLE, IDC_FONT_SIZE, IDC_FONT_FACE_LIST,
                 IDC_FONT_STYLE_LIST, IDC_FONT_SIZE_LIST});

    {
        fw::PhaseClock clock(QV_PHASE_FONT_LIST);
        faces_ = EnumerateFaces();
        FillLists();
    }
    {
        fw::PhaseClock clock(QV_PHASE_COLOURS);
        colour_.Attach(hwnd(), IDC_FONT_COLOUR);
        colour_.SetPalette(sheet_.Palette(), FontPageHost::kPaletteSize);
        colour_.SetDefaultColour(GetSysColor(COLOR_WINDOWTEXT));
        colour_.SetDefaultText(MenuString(3436));
        colour_.SetColourNames(sheet_.ColourNameList());
        colour_.SetAccessibleName(fw::SpokenLabel(ItemText(IDC_FONT_COLOUR_LABEL)));
    }
    preview_.Attach(hwnd(), IDC_FONT_PREVIEW,
                    [this](HDC dc, const RECT& client) { PaintPreview(dc, client); });
    LoadBlock();
    return true;
}

void CQVFmtCellsFont::FillLists() {
    fw::ListBox faces(hwnd(), IDC_FONT_FACE_LIST);
    faces.Send(WM_SETREDRAW, FALSE);
    faces.Clear();
    faces.Send(LB_INITSTORAGE, faces_.size(), faces_.size() * LF_FACESIZE);
    for (const auto& face : faces_) {
        faces.Add(face);
    }
    faces.Send(WM_SETREDRAW, TRUE);
    fw::ListBox styles(hwnd(), IDC_FONT_STYLE_LIST);
    styles.Clear();
    for (const char* style : core::kFontStyleNames) {
        styles.Add(style);
    }
    fw::ListBox sizes(hwnd(), IDC_FONT_SIZE_LIST);
    sizes.Clear();
    for (const char* size : core::kFontSizeNames) {
        sizes.Add(size);
    }
}

bool CQVFmtCellsFont::HoldsFace(const std::string& face) const {
    return std::find(faces_.begin(), faces_.end(), face) != faces_.end();
}

// Selects the list entry whose text equals the edit's text exactly, or none.
void CQVFmtCellsFont::SyncList(int editId, int listId) {
    const std::string text = ItemText(editId);
    fw::ListBox list(hwnd(), listId);
    int found = -1;
    for (int i = 0, n = list.Count(); i < n && !text.empty(); ++i) {
        if (list.ItemText(i) == text) {
            found = i;
            break;
        }
    }
    if (list.Selection() != found) {
        list.Select(found);
    }
    if (found >= 0) {
        list.Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, found - 2)), 0);
    }
}

void CQVFmtCellsFont::LoadBlock() {
    loading_ = true;
    const bool clearMode = core::IsClearMode(mode_);
    ShowItem(IDC_FONT_CLEAR, clearMode);
    EnableItem(IDC_FONT_CLEAR, clearMode);
    ShowItem(IDC_FONT_NORMAL, !clearMode);
    ShowItem(IDC_FONT_NOTE, !clearMode);
    fw::Button strike(hwnd(), IDC_FONT_STRIKE);
    fw::Button underline(hwnd(), IDC_FONT_UNDERLINE);
    if (clearMode) {
        strike.Send(BM_SETSTYLE, BS_AUTO3STATE, TRUE);
        underline.Send(BM_SETSTYLE, BS_AUTO3STATE, TRUE);
    }

    SetItemText(IDC_FONT_FACE, BoundedText(block_->faceName));
    SyncList(IDC_FONT_FACE, IDC_FONT_FACE_LIST);
    SetItemText(IDC_FONT_STYLE, core::FontStyleNameOfFlags(block_->styleFlags));
    SyncList(IDC_FONT_STYLE, IDC_FONT_STYLE_LIST);
    SetItemText(IDC_FONT_SIZE, block_->size != 0 ? std::to_string(block_->size) : "");
    SyncList(IDC_FONT_SIZE, IDC_FONT_SIZE_LIST);
    if (block_->color == 0) {
        colour_.Reset();
    } else {
        colour_.SetColour(block_->color);
    }
    if (clearMode) {
        underline.SetCheck(
            core::CheckStateOfFlags(block_->underline, core::kUnderlineOn, core::kUnderlineOff));
        strike.SetCheck(
            core::CheckStateOfFlags(block_->strikeOut, core::kStrikeOn, core::kStrikeOff));
        loading_ = false;
        UpdateChanged();
    } else {
        ShowItem(IDC_FONT_CLEAR, false);
        EnableItem(IDC_FONT_CLEAR, false);
        underline.SetChecked((block_->underline & core::kUnderlineOn) != 0);
        strike.SetChecked((block_->strikeOut & core::kStrikeOn) != 0);
        SetChecked(IDC_FONT_NORMAL,
                   core::IsNormalFontBlock(BoundedText(block_->faceName), block_->size,
                                           block_->styleFlags, block_->color, block_->strikeOut));
        ShowItem(IDC_FONT_NOTE, HoldsFace(ItemText(IDC_FONT_FACE)));
        changed_ = false;
        loading_ = false;
    }
    preview_.Redraw();
}

uint32_t CQVFmtCellsFont::ColourValue() const {
    return colour_.IsDefault() ? 0 : static_cast<uint32_t>(colour_.Colour());
}

void CQVFmtCellsFont::UpdateChanged() {
    changed_ = core::FontChanged(
        ItemText(IDC_FONT_FACE), ItemText(IDC_FONT_STYLE), ItemText(IDC_FONT_SIZE),
        static_cast<core::CheckState>(fw::Button(hwnd(), IDC_FONT_STRIKE).CheckState()),
        static_cast<core::CheckState>(fw::Button(hwnd(), IDC_FONT_UNDERLINE).CheckState()),
        ColourValue());
    if (core::IsClearMode(mode_)) {
        EnableItem(IDC_FONT_CLEAR, changed_);
    }
}

void CQVFmtCellsFont::OnEdited() {
    cleared_ = false;
    if (!core::IsClearMode(mode_)) {
        ShowItem(IDC_FONT_NOTE, HoldsFace(ItemText(IDC_FONT_FACE)));
    }
    preview_.Redraw();
    UpdateChanged();
}

void CQVFmtCellsFont::NormalFont() {
    loading_ = true;
    std::string face = kNormalFace;
    std::string size = "10";
    if (frame::HostMenuLanguage() != frame::kEnglish) {
        face = frame::LoadLangString(frame::kStrFontFace, true);
        size = std::to_string(core::AtoiClamped(frame::LoadLangString(frame::kStrFontSize, true)));
    }
    SetItemText(IDC_FONT_FACE, face);
    SyncList(IDC_FONT_FACE, IDC_FONT_FACE_LIST);
    SetItemText(IDC_FONT_STYLE, core::kFontStyleNames[0]);
    SyncList(IDC_FONT_STYLE, IDC_FONT_STYLE_LIST);
    SetItemText(IDC_FONT_SIZE, size);
    SyncList(IDC_FONT_SIZE, IDC_FONT_SIZE_LIST);
    colour_.Reset();
    fw::Button(hwnd(), IDC_FONT_STRIKE).SetChecked(false);
    fw::Button(hwnd(), IDC_FONT_UNDERLINE).SetChecked(false);
    if (block_ != nullptr) {
        block_->underline &= static_cast<uint8_t>(~core::kUnderlineOn);
        block_->strikeOut &= static_cast<uint8_t>(~core::kStrikeOn);
    }
    loading_ = false;
    OnEdited();
}

void CQVFmtCellsFont::Clear() {
    loading_ = true;
    SetItemText(IDC_FONT_FACE, "");
    SetItemText(IDC_FONT_STYLE, "");
    SetItemText(IDC_FONT_SIZE, "");
    FillLists();
    fw::Button(hwnd(), IDC_FONT_STRIKE).SetCheck(BST_INDETERMINATE);
    fw::Button(hwnd(), IDC_FONT_UNDERLINE).SetCheck(BST_INDETERMINATE);
    colour_.Reset();
    loading_ = false;
    cleared_ = true;
    changed_ = false;
    preview_.Redraw();
    if (GetFocus() == Item(IDC_FONT_CLEAR)) {
        FocusItem(Item(IDC_FONT_STYLE) != nullptr && IsWindowEnabled(Item(IDC_FONT_STYLE))
                      ? IDC_FONT_STYLE
                      : IDC_FONT_STRIKE);
    }
    EnableItem(IDC_FONT_CLEAR, false);
}

bool CQVFmtCellsFont::OnCommand(int id, int code, HWND) {
    if (loading_ || block_ == nullptr) {
        return false;
    }
    switch (id) {
    case IDC_FONT_FACE:
    case IDC_FONT_STYLE:
    case IDC_FONT_SIZE:
        if (code == EN_CHANGE) {
            const int list = id == IDC_FONT_FACE    ? IDC_FONT_FACE_LIST
                             : id == IDC_FONT_STYLE ? IDC_FONT_STYLE_LIST
                                                    : IDC_FONT_SIZE_LIST;
            SyncList(id, list);
            OnEdited();
            return true;
        }
        return false;
    case IDC_FONT_FACE_LIST:
    case IDC_FONT_STYLE_LIST:
    case IDC_FONT_SIZE_LIST:
        if (code == LBN_SELCHANGE) {
            fw::ListBox list(hwnd(), id);
            const int selected = list.Selection();
            if (selected >= 0) {
                const int edit = id == IDC_FONT_FACE_LIST    ? IDC_FONT_FACE
                                 : id == IDC_FONT_STYLE_LIST ? IDC_FONT_STYLE
                                                             : IDC_FONT_SIZE;
                SetItemText(edit, list.ItemText(selected)); // EN_CHANGE does the rest
            }
            return true;
        }
        return false;
    case IDC_FONT_STRIKE:
    case IDC_FONT_UNDERLINE:
        if (code == BN_CLICKED) {
            OnEdited();
            return true;
        }
        return false;
    case IDC_FONT_COLOUR:
        if (code == fw::ColourPicker::kChanged) {
            OnEdited();
            return true;
        }
        return false;
    case IDC_FONT_NORMAL:
        if (code == BN_CLICKED) {
            if (IsChecked(IDC_FONT_NORMAL)) {
                NormalFont();
            }
            return true;
        }
        return false;
    case IDC_FONT_CLEAR:
        if (code == BN_CLICKED && core::IsClearMode(mode_)) {
            Clear();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CQVFmtCellsFont::Refuse(UINT message, bool extended, int editId) {
    if (extended) {
        frame::QVMsgBoxEx(message, frame::kOneButton, frame::kIconWarning);
    } else {
        frame::QVMsgBox(message, frame::kOneButton);
    }
    FocusItem(editId);
    fw::Edit(hwnd(), editId).SelectAll();
    return false;
}

bool CQVFmtCellsFont::Validate() {
    const bool clearMode = core::IsClearMode(mode_);
    const std::string face = ItemText(IDC_FONT_FACE);
    if (clearMode ? (!face.empty() && !HoldsFace(face)) : (!HoldsFace(face) && face != "Courier")) {
        return Refuse(1219, false, IDC_FONT_FACE);
    }
    const std::string style = ItemText(IDC_FONT_STYLE);
    const bool knownStyle = std::find_if(core::kFontStyleNames.begin(), core::kFontStyleNames.end(),
                                         [&](const char* name) { return style == name; }) !=
                            core::kFontStyleNames.end();
    if (!knownStyle && !(clearMode && style.empty())) {
        return Refuse(1219, false, IDC_FONT_STYLE);
    }
    const std::string size = ItemText(IDC_FONT_SIZE);
    int points = 0;
    if (!core::ParseFontSize(size, points) && !(clearMode && size.empty())) {
        return Refuse(1218, true, IDC_FONT_SIZE);
    }
    return true;
}

void CQVFmtCellsFont::Store() {
    const std::string face = ItemText(IDC_FONT_FACE);
    const std::string size = ItemText(IDC_FONT_SIZE);
    const std::string style = ItemText(IDC_FONT_STYLE);
    CopyBounded(block_->faceName, face);
    const int32_t points = core::AtoiClamped(size);
    block_->size = static_cast<int16_t>(std::clamp(points, -32768, 32767));
    block_->styleFlags = core::StoreFontStyle(block_->styleFlags, style);
    const auto underline =
        static_cast<core::CheckState>(fw::Button(hwnd(), IDC_FONT_UNDERLINE).CheckState());
    const auto strike =
        static_cast<core::CheckState>(fw::Button(hwnd(), IDC_FONT_STRIKE).CheckState());
    block_->underline = core::StoreUnderline(block_->underline, underline, mode_);
    block_->strikeOut = core::StoreStrikeOut(block_->strikeOut, strike, mode_);
    uint32_t colour = 0;
    colour_.Exchange(true, colour, 0);
    block_->color = colour;
    block_->normalFont =
        core::StoreNormalFontFlag(block_->normalFont, face, size, style,
                                  underline == core::kChecked, strike == core::kChecked, colour);
}

fw::PageLeave CQVFmtCellsFont::OnKillActive() {
    if (block_ == nullptr || !changed_ || sheet_.Opening()) {
        return fw::PageLeave::Leave;
    }
    if (!Validate()) {
        return fw::PageLeave::Stay;
    }
    Store();
    return fw::PageLeave::Leave;
}

void CQVFmtCellsFont::PaintPreview(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    std::string face = cleared_ ? kNormalFace : ItemText(IDC_FONT_FACE);
    if (face.empty()) {
        face = kNormalFace;
    }
    int points = 10;
    if (!cleared_) {
        int typed = 0;
        if (core::ParseFontSize(ItemText(IDC_FONT_SIZE), typed)) {
            points = typed;
        }
    }
    const std::string style = cleared_ ? "" : ItemText(IDC_FONT_STYLE);
    const uint8_t styleBits = core::StoreFontStyle(0, style);
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    lf.lfWeight =
        (styleBits & (core::kStyleBold | core::kStyleBoldItalic)) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (styleBits & (core::kStyleItalic | core::kStyleBoldItalic)) != 0;
    lf.lfUnderline = !cleared_ && IsChecked(IDC_FONT_UNDERLINE);
    lf.lfStrikeOut = !cleared_ && IsChecked(IDC_FONT_STRIKE);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    CopyBounded(lf.lfFaceName, face.substr(0, LF_FACESIZE - 1));
    fw::Font font(CreateFontIndirectA(&lf));
    fw::SelectScope select(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, cleared_ ? GetSysColor(COLOR_WINDOWTEXT) : colour_.Colour());
    RECT text = client;
    DrawTextA(dc, kPreviewText, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
}

} // namespace qv::format
