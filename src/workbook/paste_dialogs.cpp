#include "workbook/paste_dialogs.h"

#include "frame/host_link.h"
#include "frame/localize.h"
#include "frame/siblings.h"
#include "framework/controls.h"
#include "framework/library.h"
#include "resource.h"

namespace qv::workbook {

// ---- Paste Special ------------------------------------------------------------

namespace {

constexpr int kPasteAll = 0;
constexpr int kPasteFormats = 3;
constexpr int kPasteAllExceptBorders = 5;
constexpr int kOperationNone = 0;

bool IsPasteRadio(int id) {
    return id >= IDC_PS_ALL && id <= IDC_PS_VALUES_NUMBERS;
}

bool IsOperationRadio(int id) {
    return id >= IDC_PSOP_NONE && id <= IDC_PSOP_DIVIDE;
}

bool IsKey(const MSG& msg, UINT a, UINT b) {
    return msg.message == WM_KEYDOWN && (msg.wParam == a || msg.wParam == b);
}

} // namespace

CQVPasteSpecialDlg::CQVPasteSpecialDlg(QVPasteSpecialRecord* record)
    : Dialog(IDD_PASTE_SPECIAL), record_(record) {}

bool CQVPasteSpecialDlg::OnInitDialog() {
    CheckRadioButton(hwnd(), IDC_PSOP_NONE, IDC_PSOP_DIVIDE, IDC_PSOP_NONE);
    if (!LinkAllowed()) {
        EnableItem(IDC_PS_COLUMN_WIDTHS, false);
        EnableItem(IDC_PASTE_LINK, false);
    }
    CheckRadioButton(hwnd(), IDC_PS_ALL, IDC_PS_VALUES_NUMBERS, IDC_PS_ALL);
    FocusItem(IDC_PS_ALL);

    static const int kControls[] = {IDC_PS_PASTE_GROUP,
                                    IDC_PS_ALL,
                                    IDC_PS_FORMULAS,
                                    IDC_PS_VALUES,
                                    IDC_PS_FORMATS,
                                    IDC_PS_COLUMN_WIDTHS,
                                    IDC_PS_ALL_EXCEPT_BORDERS,
                                    IDC_PS_FORMULAS_NUMBERS,
                                    IDC_PS_VALUES_NUMBERS,
                                    IDC_PS_OPERATION_GROUP,
                                    IDC_PSOP_NONE,
                                    IDC_PSOP_ADD,
                                    IDC_PSOP_SUBTRACT,
                                    IDC_PSOP_MULTIPLY,
                                    IDC_PSOP_DIVIDE,
                                    IDC_PS_SKIP_BLANKS,
                                    IDC_PS_TRANSPOSE,
                                    IDC_PASTE_LINK,
                                    IDOK,
                                    IDCANCEL,
                                    0};
    static const int kStrings[] = {
        1305, 1306, 1307, 1308, 1309, 1312, 1311, 1313, 1314,          1315,
        1316, 1317, 1318, 1319, 1320, 1321, 1322, 1323, frame::kStrOK, frame::kStrCancel,
        0};
    frame::RelabelCommon(hwnd(), kControls, kStrings, font_);
    return false; // the focus is on "All"
}

int CQVPasteSpecialDlg::CheckedIndex(int first, int last) const {
    for (int id = first; id <= last; ++id) {
        if (IsChecked(id)) {
            return id - first;
        }
    }
    return 0;
}

int CQVPasteSpecialDlg::PasteChoice() const {
    return CheckedIndex(IDC_PS_ALL, IDC_PS_VALUES_NUMBERS);
}

int CQVPasteSpecialDlg::Operation() const {
    return CheckedIndex(IDC_PSOP_NONE, IDC_PSOP_DIVIDE);
}

void CQVPasteSpecialDlg::UpdatePasteLink() {
    const int paste = PasteChoice();
    const bool enable = LinkAllowed() && (paste == kPasteAll || paste == kPasteAllExceptBorders) &&
                        Operation() == kOperationNone && !IsChecked(IDC_PS_SKIP_BLANKS) &&
                        !IsChecked(IDC_PS_TRANSPOSE);
    EnableItem(IDC_PASTE_LINK, enable);
}

void CQVPasteSpecialDlg::EnableOperations(bool enable) {
    for (int id = IDC_PSOP_NONE; id <= IDC_PSOP_DIVIDE; ++id) {
        EnableItem(id, enable);
    }
    EnableItem(IDC_PS_OPERATION_GROUP, enable);
}

void CQVPasteSpecialDlg::OnPasteChoice() {
    EnableOperations(PasteChoice() != kPasteFormats);
    UpdatePasteLink();
}

bool CQVPasteSpecialDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (IsPasteRadio(id)) {
        OnPasteChoice();
        return true;
    }
    if (IsOperationRadio(id) || id == IDC_PS_SKIP_BLANKS || id == IDC_PS_TRANSPOSE) {
        UpdatePasteLink();
        return true;
    }
    if (id == IDC_PASTE_LINK) {
        // The button may only act while the rule allows it (a click can be
        // queued just before the button was disabled).
        if (IsWindowEnabled(Item(IDC_PASTE_LINK))) {
            record_->pasteLink = 1;
            OnOK();
        }
        return true;
    }
    return false;
}

void CQVPasteSpecialDlg::OnOK() {
    record_->operation = static_cast<uint8_t>(Operation());
    record_->paste = static_cast<uint8_t>(PasteChoice());
    record_->skipBlanks = IsChecked(IDC_PS_SKIP_BLANKS) ? 1 : 0;
    record_->transpose = IsChecked(IDC_PS_TRANSPOSE) ? 1 : 0;
    EndDialog(IDOK);
}

bool CQVPasteSpecialDlg::PreTranslateMessage(MSG& msg) {
    if (hwnd() == nullptr || msg.hwnd == nullptr) {
        return false;
    }
    auto tabFrom = [&](bool backwards) {
        HWND next = GetNextDlgTabItem(hwnd(), msg.hwnd, backwards ? TRUE : FALSE);
        if (next != nullptr) {
            SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        }
        return true;
    };
    if (msg.hwnd == Item(IDC_PS_SKIP_BLANKS) && IsKey(msg, VK_LEFT, VK_UP)) {
        return tabFrom(true);
    }
    if (IsKey(msg, VK_RIGHT, VK_DOWN) &&
        (msg.hwnd == Item(IDC_PASTE_LINK) ||
         (msg.hwnd == Item(IDCANCEL) && !IsWindowEnabled(Item(IDC_PASTE_LINK))))) {
        return tabFrom(false);
    }
    return false;
}

// ---- Paste Special by clipboard format ------------------------------------------

namespace {

constexpr int kIconId = 13101;

struct OfferedFormat {
    const char* registeredName; // nullptr: a standard format
    UINT standardFormat;
    const char* listedAs;
};

// In the order the list shows them.
const OfferedFormat kOffered[] = {
    {"Biff8", 0, "Biff8"},
    {nullptr, CF_TEXT, "Text"},
    {nullptr, CF_ENHMETAFILE, "Picture (Enhanced Metafile)"},
    {"Office Drawing Shape Format", 0, "Ms Office Drawing Object"},
    {"JFIF", 0, "Picture (JPEG)"},
};

// The description string of each listed name ("Unicode Text" is never listed).
const struct {
    const char* listedAs;
    UINT stringId;
} kDescriptions[] = {
    {"Biff8", 1975},
    {"Unicode Text", 1977},
    {"Text", 1978},
    {"Picture (JPEG)", 1979},
    {"Picture (Enhanced Metafile)", 1980},
    {"Ms Office Drawing Object", 1981},
};

} // namespace

CQVExtPasteSpecialDlg::CQVExtPasteSpecialDlg(int32_t mode)
    : Dialog(IDD_EXT_PASTE_SPECIAL), mode_(mode) {}

CQVExtPasteSpecialDlg::~CQVExtPasteSpecialDlg() {
    Destroy();
    if (icon_ != nullptr) {
        DestroyIcon(icon_);
    }
}

void CQVExtPasteSpecialDlg::FillFormats() {
    if (mode_ != 2) {
        return;
    }
    fw::ListBox list(hwnd(), IDC_XPS_FORMATS);
    int position = 0;
    for (const OfferedFormat& offered : kOffered) {
        const UINT format = offered.registeredName != nullptr
                                ? RegisterClipboardFormatA(offered.registeredName)
                                : offered.standardFormat;
        if (format == 0 || !IsClipboardFormatAvailable(format)) {
            continue;
        }
        const int index = list.Insert(position, offered.listedAs);
        if (index >= 0) {
            list.SetData(index, static_cast<LPARAM>(format));
            ++position;
        }
    }
}

void CQVExtPasteSpecialDlg::ShowIcon() {
    HWND frame = Item(IDC_XPS_ICON);
    if (frame == nullptr) {
        return;
    }
    LONG style = GetWindowLongA(frame, GWL_STYLE);
    style = (style & ~SS_TYPEMASK) | SS_ICON | SS_CENTERIMAGE;
    SetWindowLongA(frame, GWL_STYLE, style);
    auto images = fw::Library::ForResources(frame::BesideLibrary("QVSSG.dll").c_str());
    if (images) {
        icon_ = static_cast<HICON>(
            LoadImageA(images.get(), MAKEINTRESOURCEA(kIconId), IMAGE_ICON, 32, 32, 0));
    }
    if (icon_ != nullptr) {
        SendMessageA(frame, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    }
    InvalidateRect(frame, nullptr, TRUE);
}

void CQVExtPasteSpecialDlg::ShowDescription() {
    fw::ListBox list(hwnd(), IDC_XPS_FORMATS);
    const int selected = list.Selection();
    std::string text;
    if (selected >= 0) {
        auto found = descriptions_.find(list.ItemText(selected));
        if (found != descriptions_.end()) {
            text = found->second;
        }
    }
    SetItemText(IDC_XPS_DESCRIPTION, text);
}

bool CQVExtPasteSpecialDlg::OnInitDialog() {
    FillFormats();
    ShowIcon();
    CheckRadioButton(hwnd(), IDC_XPS_PASTE, IDC_XPS_PASTE_LINK, IDC_XPS_PASTE);

    static const int kControls[] = {IDC_XPS_SOURCE_LABEL,
                                    IDC_XPS_SOURCE_NAME,
                                    IDC_XPS_AS_LABEL,
                                    IDC_XPS_PASTE,
                                    IDC_XPS_PASTE_LINK,
                                    IDC_XPS_AS_ICON,
                                    IDC_XPS_RESULT_GROUP,
                                    IDC_XPS_DESCRIPTION,
                                    IDOK,
                                    IDCANCEL};
    static const int kStrings[] = {1970,
                                   20732,
                                   1972,
                                   1973,
                                   1323,
                                   20732,
                                   1974,
                                   20732,
                                   frame::kStrCountedOK,
                                   frame::kStrCountedCancel};
    const std::string library = frame::DialogStringsPath(frame::HostMenuLanguage());
    frame::RelabelCounted(hwnd(), library, kControls, kStrings, 10, font_);
    fw::Control(hwnd(), IDC_XPS_FORMATS).SetFont(font_.get());
    for (const auto& description : kDescriptions) {
        descriptions_[description.listedAs] = frame::LoadLangString(description.stringId, true);
    }

    fw::ListBox list(hwnd(), IDC_XPS_FORMATS);
    list.Select(0);
    FocusItem(IDC_XPS_FORMATS);
    ShowDescription();
    return false;
}

bool CQVExtPasteSpecialDlg::OnCommand(int id, int code, HWND) {
    if (id != IDC_XPS_FORMATS) {
        return false;
    }
    if (code == LBN_SELCHANGE) {
        ShowDescription();
        return true;
    }
    if (code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return false;
}

void CQVExtPasteSpecialDlg::OnOK() {
    fw::ListBox list(hwnd(), IDC_XPS_FORMATS);
    const int selected = list.Selection();
    result_ = selected >= 0 ? static_cast<int32_t>(list.Data(selected)) : 0;
    EndDialog(IDOK);
}

void CQVExtPasteSpecialDlg::OnCancel() {
    result_ = -1;
    EndDialog(IDCANCEL);
}

} // namespace qv::workbook
