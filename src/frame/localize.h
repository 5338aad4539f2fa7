// Relabelling of dialogs from the string libraries, dialog fonts, the string
// loader and keyboard switching by font.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace qv::frame {

// String ids with a fixed role in the dialog-string libraries.
enum FixedString : UINT {
    kStrFontFace = 20000,
    kStrFontSize = 20001,
    kStrCountedOK = 20002,
    kStrCountedCancel = 20003,
    kStrOK = 1303,
    kStrCancel = 1304,
};

// One string of a resource library given by path; empty when the path is
// empty, the library cannot be loaded or the id is missing.
std::string LoadStringFromLibrary(const std::string& path, UINT id);

// The dialog-string library of a language (2 local, anything else English).
std::string DialogStringsPath(int language);
// A string of the dialog strings (dialogStrings true) or of the common strings,
// in the given language (2 local, anything else English).
std::string LoadLangString(UINT id, bool dialogStrings, int language);
// The same in the host's menu language.
std::string LoadLangString(UINT id, bool dialogStrings);
// Several strings of one library, loaded once for all of them.
std::vector<std::string> LoadLangStrings(const std::vector<UINT>& ids, bool dialogStrings,
                                         int language);

// Every form gives a relabelled label (static text, check box, radio button)
// the room its text needs where the dialog has free room beside or below it.
//
// Common form: zero-terminated parallel lists of control ids and string ids,
// the library chosen by "menu language is 1". Gives the dialog font to every
// listed control that exists and sets its text when the string is not empty;
// then gives the font to the `fontOnly` controls; with `switchKeyboard` and the
// local menu, switches the host keyboard to the local script. Shows message
// 1180 and returns false when the library cannot be loaded.
bool RelabelCommon(HWND dialog, const int* controls, const int* strings, fw::Font& font,
                   std::initializer_list<int> fontOnly = {}, bool switchKeyboard = false);

// Counted form: `count` entries; a 0 string id or a missing string empties
// the control's text. OK and Cancel use strings 20002 and 20003.
bool RelabelCounted(HWND dialog, const std::string& libraryPath, const int* controls,
                    const int* strings, int count, fw::Font& font);

// Shared routine: for every control found, load its string, remove every "."
// from it, set the font and the text (also when empty).
bool RelabelShared(HWND dialog, const std::string& libraryPath, const int* controls,
                   const int* strings, int count, fw::Font& font);

// Switches the host keyboard by the face of the font an edit box uses: local
// when its first three characters equal the language code.
void SwitchKeyboardByFont(HWND edit);

// The face name of a window's font.
std::string FontFaceOf(HWND window);

} // namespace qv::frame
