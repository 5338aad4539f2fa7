#include "frame/localize.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/msgbox.h"
#include "framework/library.h"
#include "framework/module.h"
#include "framework/phase_clock.h"
#include "framework/shaped_label.h"
#include "framework/text.h"
#include "framework/window.h"
#include "qvcore/text.h"

#include <cstdlib>
#include <cwchar>
#include <vector>

namespace qv::frame {
namespace {

// A string library opened for one relabelling, with the resource module
// switched to it; the dialog font is made from its strings 20000 and 20001.
class StringLibrary {
  public:
    explicit StringLibrary(const std::string& path)
        : library_(fw::Library::ForResources(path.c_str())), scope_(library_.get()) {}
    explicit operator bool() const { return static_cast<bool>(library_); }

    std::string Load(UINT id) const { return fw::LoadResString(id); }

    void MakeFont(fw::Font& font) const {
        std::string face = Load(kStrFontFace);
        int size = std::atoi(Load(kStrFontSize).c_str());
        font.Reset(fw::CreatePointFont(size * 10, face.c_str()));
    }

  private:
    fw::Library library_;
    fw::ResourceScope scope_;
};

// The control redraws with its new font when it is on screen; before its
// dialog is first shown there is nothing to redraw yet.
void GiveFont(HWND control, const fw::Font& font) {
    if (control != nullptr && font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()),
                     IsWindowVisible(control) ? TRUE : FALSE);
    }
}

// A text equal to the control's own is left alone (the templates carry the
// English texts): under Wine every new window text is a server round trip.
void SetText(HWND control, const std::string& text) {
    if (fw::WindowText(control) != text) {
        fw::SetWindowTextTo(control, text);
    }
}

// The rectangle of a window in its parent's client coordinates.
RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What a label's text needs in the label's own font: the width of its one
// line, and for a label that wraps, the height of its lines at its present
// width. `chrome` is the room the control keeps beside the text (a check
// box's box). False for controls that are no label.
struct LabelNeed {
    int oneLine = 0;
    int wrappedHeight = 0;
    int lineHeight = 0;
    int chrome = 0;
    bool wraps = false;
};

bool MeasureLabel(HWND control, LabelNeed& need) {
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, 16);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiW(cls, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE) {
            return false;
        }
        need.wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    } else if (lstrcmpiW(cls, L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW || type == BS_GROUPBOX || type == BS_PUSHBUTTON ||
            type == BS_DEFPUSHBUTTON || (style & (BS_BITMAP | BS_ICON)) != 0) {
            return false; // buttons in rows and frames keep the template's layout
        }
        need.wraps = (style & BS_MULTILINE) != 0;
        need.chrome = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    } else {
        return false;
    }
    const std::wstring text = fw::Widen(fw::WindowText(control));
    if (text.empty()) {
        return false;
    }
    RECT client{};
    GetClientRect(control, &client);
    fw::WindowDC screen(nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    fw::SelectScope select(screen.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    need.lineHeight = metrics.tmHeight;
    RECT line{0, 0, 0, 0};
    DrawTextW(screen.get(), text.c_str(), -1, &line, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    need.oneLine = line.right + need.chrome;
    if (need.wraps) {
        RECT lines{0, 0, client.right - need.chrome, 0};
        DrawTextW(screen.get(), text.c_str(), -1, &lines,
                  DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
        need.wrappedHeight = lines.bottom;
    }
    return true;
}

// Gives a relabelled label the room its text needs where the dialog has room
// beside or below it: a wrapped label first grows downwards, any label grows
// to the right, as long as it meets no other control and stays inside its
// group box and the dialog. A label without free room keeps its size.
void FitLabel(HWND control) {
    LabelNeed need;
    if (!MeasureLabel(control, need)) {
        return;
    }
    RECT client{};
    GetClientRect(control, &client);
    const bool tooTall = need.wraps && need.wrappedHeight > client.bottom + need.lineHeight / 4;
    const bool tooWide = !need.wraps && need.oneLine > client.right;
    if (!tooTall && !tooWide) {
        return;
    }
    HWND parent = GetParent(control);
    const RECT current = RectInParent(control);
    RECT bounds{};
    GetClientRect(parent, &bounds);
    // A group box around the label bounds it; any other control is in the way.
    std::vector<RECT> obstacles;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == control) {
            continue;
        }
        const RECT r = RectInParent(sibling);
        wchar_t cls[16] = {};
        GetClassNameW(sibling, cls, 16);
        const bool groupBox = lstrcmpiW(cls, L"Button") == 0 &&
                              (GetWindowLongW(sibling, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        if (groupBox && Inside(current, r)) {
            const RECT inner{r.left + 2, r.top, r.right - 2, r.bottom - 2};
            IntersectRect(&bounds, &bounds, &inner);
        } else {
            obstacles.push_back(r);
        }
    }
    auto fits = [&](const RECT& wanted) {
        if (!Inside(wanted, bounds)) {
            return false;
        }
        for (const RECT& r : obstacles) {
            RECT overlap{};
            if (IntersectRect(&overlap, &wanted, &r)) {
                return false;
            }
        }
        return true;
    };
    std::vector<RECT> tries;
    if (tooTall) {
        RECT taller = current;
        taller.bottom = current.top + need.wrappedHeight;
        tries.push_back(taller);
    }
    RECT wider = current;
    wider.right = current.left + need.oneLine;
    tries.push_back(wider);
    for (const RECT& wanted : tries) {
        if (fits(wanted)) {
            SetWindowPos(control, nullptr, 0, 0, wanted.right - wanted.left,
                         wanted.bottom - wanted.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
    }
}

// Draws a label's text with Uniscribe where the control would put its access
// key's underline in the wrong place (behind Tamil ligatures).
void ShapeLabel(HWND control) {
    if (fw::NeedsShapedLabel(control)) {
        fw::UseShapedLabel(control);
    }
}

} // namespace

std::string LoadStringFromLibrary(const std::string& path, UINT id) {
    if (path.empty()) {
        return {};
    }
    fw::PhaseClock clock(QV_PHASE_STRINGS);
    fw::Library library = fw::Library::ForResources(path.c_str());
    return fw::LoadStringFrom(library.get(), id);
}

std::string DialogStringsPath(int language) {
    const CQVLangSettings& settings = GetLangSettings();
    return language == kLocal ? settings.localDialogLib : settings.englishDialogLib;
}

namespace {

const std::string& LangLibraryPath(bool dialogStrings, int language) {
    const CQVLangSettings& settings = GetLangSettings();
    return dialogStrings
               ? (language == kLocal ? settings.localDialogLib : settings.englishDialogLib)
               : (language == kLocal ? settings.localCommonLib : settings.englishCommonLib);
}

} // namespace

std::string LoadLangString(UINT id, bool dialogStrings, int language) {
    return LoadStringFromLibrary(LangLibraryPath(dialogStrings, language), id);
}

std::vector<std::string> LoadLangStrings(const std::vector<UINT>& ids, bool dialogStrings,
                                         int language) {
    const std::string& path = LangLibraryPath(dialogStrings, language);
    fw::Library library = fw::Library::ForResources(path.empty() ? nullptr : path.c_str());
    std::vector<std::string> texts;
    texts.reserve(ids.size());
    for (UINT id : ids) {
        texts.push_back(fw::LoadStringFrom(library.get(), id));
    }
    return texts;
}

std::string LoadLangString(UINT id, bool dialogStrings) {
    return LoadLangString(id, dialogStrings, HostMenuLanguage());
}

bool RelabelCommon(HWND dialog, const int* controls, const int* strings, fw::Font& font,
                   std::initializer_list<int> fontOnly, bool switchKeyboard) {
    fw::PhaseClock clock(QV_PHASE_STRINGS);
    const CQVLangSettings& settings = GetLangSettings();
    const std::string& path =
        HostMenuLanguage() == kEnglish ? settings.englishDialogLib : settings.localDialogLib;
    {
        StringLibrary library(path);
        if (!library) {
            QVMsgBox(1180, 1);
            return false;
        }
        library.MakeFont(font);
        for (int i = 0; controls[i] != 0; ++i) {
            std::string text = strings[i] != 0 ? library.Load(static_cast<UINT>(strings[i])) : "";
            HWND control = fw::DialogItem(dialog, controls[i]);
            if (control == nullptr) {
                continue;
            }
            GiveFont(control, font);
            if (!text.empty()) {
                SetText(control, text);
                FitLabel(control);
                ShapeLabel(control);
            }
        }
        for (int id : fontOnly) {
            GiveFont(fw::DialogItem(dialog, id), font);
        }
    }
    if (switchKeyboard && HostMenuLanguage() == kLocal) {
        SetInputLanguage(true);
    }
    return true;
}

namespace {

// The counted form and the shared routine: every listed control that exists
// takes the font and its string (empty for a 0 id or a missing string).
bool RelabelEveryListed(HWND dialog, const std::string& libraryPath, const int* controls,
                        const int* strings, int count, fw::Font& font, bool removeDots) {
    fw::PhaseClock clock(QV_PHASE_STRINGS);
    StringLibrary library(libraryPath);
    if (!library) {
        QVMsgBox(1180, 1);
        return false;
    }
    library.MakeFont(font);
    for (int i = 0; i < count; ++i) {
        HWND control = fw::DialogItem(dialog, controls[i]);
        if (control == nullptr) {
            continue;
        }
        std::string text = strings[i] != 0 ? library.Load(static_cast<UINT>(strings[i])) : "";
        GiveFont(control, font);
        SetText(control, removeDots ? core::RemoveDots(text) : text);
        FitLabel(control);
        ShapeLabel(control);
    }
    return true;
}

} // namespace

bool RelabelCounted(HWND dialog, const std::string& libraryPath, const int* controls,
                    const int* strings, int count, fw::Font& font) {
    return RelabelEveryListed(dialog, libraryPath, controls, strings, count, font, false);
}

bool RelabelShared(HWND dialog, const std::string& libraryPath, const int* controls,
                   const int* strings, int count, fw::Font& font) {
    return RelabelEveryListed(dialog, libraryPath, controls, strings, count, font, true);
}

std::string FontFaceOf(HWND window) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    LOGFONTW lf{};
    if (GetObjectW(font, sizeof lf, &lf) == 0) {
        return {};
    }
    return fw::Narrow(std::wstring_view(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
}

void SwitchKeyboardByFont(HWND edit) {
    const std::string& code = GetLangSettings().languageCode;
    std::string face = FontFaceOf(edit);
    bool local = code.size() == 3 && face.size() >= 3 && face.compare(0, 3, code) == 0;
    SetInputLanguage(local);
}

} // namespace qv::frame
