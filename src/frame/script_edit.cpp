#include "frame/script_edit.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "framework/window.h"

#include <strings.h>

namespace qv::frame {
namespace {

bool CtrlDown() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

} // namespace

bool CQVScriptEdit::Attach(HWND dialog, int id) {
    return Subclass(fw::DialogItem(dialog, id));
}

bool CQVScriptEdit::SetClearOnToggle(bool on) {
    bool previous = clearOnToggle_;
    clearOnToggle_ = on;
    return previous;
}

void CQVScriptEdit::SetScriptFont(const std::string& face) {
    const CQVLangSettings& settings = GetLangSettings();
    if (strcasecmp(face.c_str(), settings.localFontFace.c_str()) != 0) {
        UseFont(face, settings.englishFontSize, kEnglishScript);
    } else {
        UseFont(face, settings.localFontSize, kLocalScript);
    }
}

void CQVScriptEdit::UseFont(const std::string& face, int points, int script) {
    fw::Font font(fw::CreatePointFont(points * 10, face.c_str()));
    if (hwnd() != nullptr && font) {
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
    script_ = script;
}

void CQVScriptEdit::OnFocusGained() {
    const CQVLangSettings& settings = GetLangSettings();
    std::string face = FontFaceOf(hwnd());
    script_ = face == settings.localFontFace ? kLocalScript : kEnglishScript;
    if (settings.localFontFace.size() > 3) {
        bool local = face.size() >= 3 && face.compare(0, 3, settings.localFontFace, 0, 3) == 0;
        SetInputLanguage(local);
    }
}

void CQVScriptEdit::ToggleScript() {
    const CQVLangSettings& settings = GetLangSettings();
    if (script_ == kEnglishScript) {
        UseFont(settings.localFontFace, settings.localFontSize, kLocalScript);
    } else {
        UseFont(settings.englishFontFace, settings.englishFontSize, kEnglishScript);
    }
    OnFocusGained();
    if (clearOnToggle_) {
        fw::SetWindowTextTo(hwnd(), "");
    }
}

LRESULT CQVScriptEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS: {
        LRESULT r = Default(message, wParam, lParam);
        OnFocusGained();
        return r;
    }
    case WM_KILLFOCUS: {
        LRESULT r = Default(message, wParam, lParam);
        SetInputLanguage(false);
        return r;
    }
    case WM_GETDLGCODE: {
        LRESULT code = Default(message, wParam, lParam);
        auto* msg = reinterpret_cast<MSG*>(lParam);
        // Enter stays in the box when it is swallowed or ends in-place editing.
        if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
            (!enterAllowed_ || inPlaceEditing_)) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_KEYDOWN:
        if (CtrlDown() && (wParam == VK_PRIOR || wParam == VK_NEXT)) {
            return 0;
        }
        if (CtrlDown() && wParam == 'V' && !pasteAllowed_) {
            return 0;
        }
        if (wParam == VK_RETURN && !enterAllowed_) {
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == 0x16 && !pasteAllowed_) { // Ctrl+V
            return 0;
        }
        if (wParam == '\r' && (!enterAllowed_ || inPlaceEditing_)) {
            return 0;
        }
        break;
    case WM_PASTE:
        if (!pasteAllowed_) {
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_F3 && f3Toggle_) {
            ToggleScript();
            return 0;
        }
        if (inPlaceEditing_ && wParam == VK_ESCAPE) {
            editEnded_ = true;
        }
        if (inPlaceEditing_ && wParam == VK_RETURN) {
            editEnded_ = true;
            endedText_ = fw::WindowText(hwnd());
        }
        break;
    case WM_CONTEXTMENU:
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace qv::frame
