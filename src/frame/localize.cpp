#include "frame/localize.h"

#include "frame/host_link.h"
#include "frame/lang_settings.h"
#include "frame/msgbox.h"
#include "framework/library.h"
#include "framework/module.h"
#include "framework/text.h"
#include "framework/window.h"
#include "qvcore/text.h"

#include <cstdlib>
#include <cwchar>

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

void GiveFont(HWND control, const fw::Font& font) {
    if (control != nullptr && font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
}

void SetText(HWND control, const std::string& text) {
    fw::SetWindowTextTo(control, text);
}

} // namespace

std::string LoadStringFromLibrary(const std::string& path, UINT id) {
    if (path.empty()) {
        return {};
    }
    fw::Library library = fw::Library::ForResources(path.c_str());
    return fw::LoadStringFrom(library.get(), id);
}

std::string DialogStringsPath(int language) {
    const CQVLangSettings& settings = GetLangSettings();
    return language == kLocal ? settings.localDialogLib : settings.englishDialogLib;
}

std::string LoadLangString(UINT id, bool dialogStrings, int language) {
    const CQVLangSettings& settings = GetLangSettings();
    const std::string& path =
        dialogStrings ? (language == kLocal ? settings.localDialogLib : settings.englishDialogLib)
                      : (language == kLocal ? settings.localCommonLib : settings.englishCommonLib);
    return LoadStringFromLibrary(path, id);
}

std::string LoadLangString(UINT id, bool dialogStrings) {
    return LoadLangString(id, dialogStrings, HostMenuLanguage());
}

bool RelabelCommon(HWND dialog, const int* controls, const int* strings, fw::Font& font,
                   std::initializer_list<int> fontOnly, bool switchKeyboard) {
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
            HWND control = GetDlgItem(dialog, controls[i]);
            if (control == nullptr) {
                continue;
            }
            GiveFont(control, font);
            if (!text.empty()) {
                SetText(control, text);
            }
        }
        for (int id : fontOnly) {
            GiveFont(GetDlgItem(dialog, id), font);
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
    StringLibrary library(libraryPath);
    if (!library) {
        QVMsgBox(1180, 1);
        return false;
    }
    library.MakeFont(font);
    for (int i = 0; i < count; ++i) {
        HWND control = GetDlgItem(dialog, controls[i]);
        if (control == nullptr) {
            continue;
        }
        std::string text = strings[i] != 0 ? library.Load(static_cast<UINT>(strings[i])) : "";
        GiveFont(control, font);
        SetText(control, removeDots ? core::RemoveDots(text) : text);
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
