// QVMessageBox.dll: the product's modal message box, built from an in-memory
// dialog template so that it looks and behaves like a dialog of the product
// (caption and button texts from the product's string tables, and the font
// the named table gives in strings 20000 and 20001, "MS Shell Dlg" 8
// without one), with a fixed layout of text, icon and buttons. Texts are
// UTF-8 and shown through the wide-character calls.
#include "qvcore/utf8.h"
#include "qvssd/siblings.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr size_t kMaxText = 32767;    // longest message text shown
constexpr size_t kMaxCaption = 255;   // longest caption shown
constexpr int kMaxTextWidthDlu = 250; // wrap width of the text
constexpr int kMarginDlu = 7;
constexpr int kButtonWidthDlu = 50;
constexpr int kButtonHeightDlu = 14;
constexpr int kButtonGapDlu = 6;

// Guarded by the single user-interface thread that shows boxes; a second
// thread naming a table while a box opens sees either the old or new path.
char g_stringTable[MAX_PATH] = "";

std::string Bounded(const char* text, size_t limit) {
    if (text == nullptr) {
        return {};
    }
    size_t n = 0;
    while (n < limit && text[n] != '\0') {
        ++n;
    }
    return std::string(text, n);
}

HINSTANCE OwnModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

std::wstring Wide(const std::string& text) {
    const std::u16string wide = qv::core::Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

// The string table's dialog font: face (20000) and point size (20001).
constexpr UINT kFontFaceString = 20000;
constexpr UINT kFontSizeString = 20001;

struct BoxRequest {
    std::wstring text;
    std::wstring caption;
    int buttons = QVMB_BUTTONS_OK; // 1 or 2
    bool warningIcon = false;
    std::wstring first;  // label of button 1
    std::wstring second; // label of button 2 (two-button boxes)
    std::wstring fontFace = L"MS Shell Dlg";
    WORD fontSize = 8;
    int cancelResult = 1;
};

// Labels and font from the named string table, or the built-in English texts.
void LoadLabels(BoxRequest& box, bool english) {
    box.first = box.buttons == QVMB_BUTTONS_YESNO ? L"&Yes" : L"OK";
    box.second = L"&No";
    if (english || g_stringTable[0] == '\0') {
        return;
    }
    HMODULE table = LoadLibraryExA(g_stringTable, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (table == nullptr) {
        return;
    }
    auto load = [&](UINT id, std::wstring& text) {
        const wchar_t* raw = nullptr;
        int n = LoadStringW(table, id, reinterpret_cast<LPWSTR>(&raw), 0);
        if (n > 0 && raw != nullptr) {
            text.assign(raw, static_cast<size_t>(n));
        }
    };
    if (box.buttons == QVMB_BUTTONS_YESNO) {
        load(QVMB_STR_YES, box.first);
        load(QVMB_STR_NO, box.second);
    } else {
        load(QVMB_STR_OK, box.first);
    }
    std::wstring face;
    std::wstring size;
    load(kFontFaceString, face);
    load(kFontSizeString, size);
    const int points = size.empty() ? 0 : _wtoi(size.c_str());
    if (!face.empty() && face.size() < LF_FACESIZE && points > 0 && points < 72) {
        box.fontFace = face;
        box.fontSize = static_cast<WORD>(points);
    }
    FreeLibrary(table);
}

// ---- the in-memory template ------------------------------------------------

class TemplateWriter {
  public:
    void Word(WORD w) { bytes_.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) {
        for (; *s != L'\0'; ++s) {
            Word(static_cast<WORD>(*s));
        }
        Word(0);
    }
    void AlignDword() {
        if (bytes_.size() % 2 != 0) {
            Word(0);
        }
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
        AlignDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0); // extended style
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF); // predefined class by atom
        Word(atom);
        Word(0); // no text: set after the layout
        Word(0); // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

  private:
    std::vector<WORD> bytes_; // WORD storage keeps the DWORD alignment of the start
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;
constexpr DWORD kBoxStyle =
    DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;

void BuildTemplate(TemplateWriter& t, const BoxRequest& box) {
    WORD count = static_cast<WORD>(1 + (box.warningIcon ? 1 : 0) + box.buttons);
    // Sizes here are placeholders: WM_INITDIALOG lays the box out in pixels.
    t.Dword(kBoxStyle);
    t.Dword(0);
    t.Word(count);
    t.Word(0);
    t.Word(0);
    t.Word(200);
    t.Word(60);
    t.Word(0);   // no menu
    t.Word(0);   // the dialog class
    t.Text(L""); // caption: set at initialisation
    t.Word(box.fontSize);
    t.Text(box.fontFace.c_str());
    t.Item(SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10, QVMB_ID_TEXT, kStaticAtom);
    if (box.warningIcon) {
        t.Item(SS_ICON, 0, 0, 0, 0, QVMB_ID_ICON, kStaticAtom);
    }
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 0, 10, 10, IDOK, kButtonAtom);
    if (box.buttons == QVMB_BUTTONS_YESNO) {
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10, IDCANCEL, kButtonAtom);
    }
}

// ---- layout and behaviour --------------------------------------------------

int Dlu(HWND dialog, int x, bool horizontal) {
    RECT r = {0, 0, horizontal ? x : 0, horizontal ? 0 : x};
    MapDialogRect(dialog, &r);
    return horizontal ? r.right : r.bottom;
}

RECT WorkAreaNear(HWND window) {
    RECT area = {0, 0, 1024, 768};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) {
        area = info.rcWork;
    }
    return area;
}

void Layout(HWND dialog, const BoxRequest& box) {
    const int margin = Dlu(dialog, kMarginDlu, true);
    const int marginY = Dlu(dialog, kMarginDlu, false);
    const int buttonW = Dlu(dialog, kButtonWidthDlu, true);
    const int buttonH = Dlu(dialog, kButtonHeightDlu, false);
    const int buttonGap = Dlu(dialog, kButtonGapDlu, true);
    const RECT area = WorkAreaNear(GetWindow(dialog, GW_OWNER));
    const int areaW = area.right - area.left;

    int iconW = 0;
    int iconH = 0;
    if (box.warningIcon) {
        iconW = GetSystemMetrics(SM_CXICON);
        iconH = GetSystemMetrics(SM_CYICON);
    }
    const int textX = margin + (box.warningIcon ? iconW + margin : 0);

    // Measure the text with the dialog's font, wrapped at the maximum width.
    int maxTextW = Dlu(dialog, kMaxTextWidthDlu, true);
    if (maxTextW > areaW - textX - margin) {
        maxTextW = areaW - textX - margin;
    }
    if (maxTextW < buttonW) {
        maxTextW = buttonW;
    }
    RECT textRect = {0, 0, maxTextW, 0};
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    DrawTextW(dc, box.text.empty() ? L" " : box.text.c_str(), -1, &textRect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    int textW = textRect.right - textRect.left;
    int textH = textRect.bottom - textRect.top;
    if (textH < metrics.tmHeight) {
        textH = metrics.tmHeight;
    }
    if (textW > areaW - textX - margin) {
        textW = areaW - textX - margin; // one unbreakable word wider than the screen
    }

    const int rowW = box.buttons * buttonW + (box.buttons - 1) * buttonGap;
    int clientW = textX + textW + margin;
    if (clientW < rowW + 2 * margin) {
        clientW = rowW + 2 * margin;
    }
    int textY = marginY;
    if (box.warningIcon && textH < iconH) {
        textY += (iconH - textH) / 2; // a short text sits beside the icon's middle
    }
    int contentBottom = textY + textH;
    if (box.warningIcon && marginY + iconH > contentBottom) {
        contentBottom = marginY + iconH;
    }
    const int buttonY = contentBottom + marginY;
    const int clientH = buttonY + buttonH + marginY;

    MoveWindow(GetDlgItem(dialog, QVMB_ID_TEXT), textX, textY, textW, textH, FALSE);
    if (box.warningIcon) {
        HWND icon = GetDlgItem(dialog, QVMB_ID_ICON);
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_WARNING)),
                     0);
        MoveWindow(icon, margin, marginY, iconW, iconH, FALSE);
    }
    int x = (clientW - rowW) / 2;
    MoveWindow(GetDlgItem(dialog, IDOK), x, buttonY, buttonW, buttonH, FALSE);
    if (box.buttons == QVMB_BUTTONS_YESNO) {
        MoveWindow(GetDlgItem(dialog, IDCANCEL), x + buttonW + buttonGap, buttonY, buttonW, buttonH,
                   FALSE);
    }

    // Window size from the client size; centred over the owner, kept on screen.
    RECT frame = {0, 0, clientW, clientH};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;
    RECT around = area;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &around);
    }
    int left = around.left + ((around.right - around.left) - w) / 2;
    int top = around.top + ((around.bottom - around.top) - h) / 2;
    if (left + w > area.right) {
        left = area.right - w;
    }
    if (top + h > area.bottom) {
        top = area.bottom - h;
    }
    if (left < area.left) {
        left = area.left;
    }
    if (top < area.top) {
        top = area.top;
    }
    SetWindowPos(dialog, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* box = reinterpret_cast<const BoxRequest*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextW(dialog, box->caption.c_str());
        SetDlgItemTextW(dialog, QVMB_ID_TEXT, box->text.c_str());
        SetDlgItemTextW(dialog, IDOK, box->first.c_str());
        if (box->buttons == QVMB_BUTTONS_YESNO) {
            SetDlgItemTextW(dialog, IDCANCEL, box->second.c_str());
        }
        Layout(dialog, *box);
        if (box->warningIcon) {
            MessageBeep(MB_ICONWARNING);
        }
        return TRUE; // focus on the first button
    }
    case WM_COMMAND: {
        auto* box = reinterpret_cast<const BoxRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (box == nullptr) {
            break;
        }
        WORD id = LOWORD(wParam);
        if (id == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (id == IDCANCEL) { // the second button, Escape, or the close box
            EndDialog(dialog, box->cancelResult);
            return TRUE;
        }
        break;
    }
    case WM_CLOSE: {
        auto* box = reinterpret_cast<const BoxRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
        EndDialog(dialog, box != nullptr ? box->cancelResult : 1);
        return TRUE;
    }
    default:
        break;
    }
    return FALSE;
}

int ShowBox(const char* text, const char* caption, HWND owner, int buttons, int icon,
            bool english) {
    BoxRequest box;
    box.text = Wide(Bounded(text, kMaxText));
    box.caption = caption != nullptr ? Wide(Bounded(caption, kMaxCaption)) : L"TWcalc";
    box.buttons = buttons == QVMB_BUTTONS_YESNO ? QVMB_BUTTONS_YESNO : QVMB_BUTTONS_OK;
    box.warningIcon = icon == QVMB_ICON_WARNING;
    box.cancelResult = box.buttons == QVMB_BUTTONS_YESNO ? 2 : 1;
    LoadLabels(box, english);

    if (owner != nullptr && !IsWindow(owner)) {
        owner = nullptr;
    }
    if (owner == nullptr) {
        owner = GetActiveWindow();
    }
    if (owner != nullptr) {
        owner = GetAncestor(owner, GA_ROOT); // a child window cannot own a box
    }

    TemplateWriter t;
    BuildTemplate(t, box);
    INT_PTR result = DialogBoxIndirectParamW(OwnModule(), t.Get(), owner, BoxProc,
                                             reinterpret_cast<LPARAM>(&box));
    return (result == 1 || result == 2) ? static_cast<int>(result) : 0;
}

} // namespace

extern "C" {

void __cdecl SetCommStringTableFile(const char* stringTablePath) {
    std::string path = Bounded(stringTablePath, sizeof g_stringTable - 1);
    memcpy(g_stringTable, path.c_str(), path.size() + 1);
}

int __cdecl QVMessageBox1(const char* text, const char* caption, HWND owner) {
    return ShowBox(text, caption, owner, QVMB_BUTTONS_OK, 0, false);
}

int __cdecl QVMessageBox2(const char* text, const char* caption, HWND owner, int buttons) {
    return ShowBox(text, caption, owner, buttons, 0, false);
}

int __cdecl QVMessageBox3(const char* text, const char* caption, HWND owner, int buttons,
                          int icon) {
    return ShowBox(text, caption, owner, buttons, icon, false);
}

int __cdecl QVEngMsgBox(const char* text, const char* caption) {
    return ShowBox(text, caption, nullptr, QVMB_BUTTONS_OK, 0, true);
}

} // extern "C"

// The exports have exactly the signatures the callers' pointer types name.
static_assert(std::is_same_v<decltype(&SetCommStringTableFile), SetCommStringTableFileFn>);
static_assert(std::is_same_v<decltype(&QVMessageBox1), QVMessageBox1Fn>);
static_assert(std::is_same_v<decltype(&QVMessageBox2), QVMessageBox2Fn>);
static_assert(std::is_same_v<decltype(&QVMessageBox3), QVMessageBox3Fn>);
static_assert(std::is_same_v<decltype(&QVEngMsgBox), QVEngMsgBoxFn>);
