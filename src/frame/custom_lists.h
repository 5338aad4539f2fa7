// The user's custom lists as the dialogs reach them: the store in the user
// data folder, the language of the lists the menus show, and the exchange
// files in the temporary folder.
#pragma once

#include "qvstore/custom_list_store.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace qv::frame {

// "Autofill.dll" in the user data folder (the common services' path).
store::CustomListStore UserCustomLists();

// The lists of the menu language: "L" for the local menus, else "E".
store::ListLanguage MenuListLanguage();

// The number of built-in lists the store holds first in that language.
int BuiltInListCount(store::ListLanguage language);

// The width, in the font of the list or combo box `box`, of the longest of
// `first` and `lists` (the most characters: one measure, however many lists),
// for how far the box scrolls sideways or drops down.
int LongestListWidth(HWND box, std::string_view first, const std::vector<store::StoredList>& lists);

// A file in the folder GetTempPath reports ("Customlist.txt", "range.txt").
std::string TempFolderFile(const char* name);

// Writes (replacing) or reads a whole file; a path that cannot be written
// gives false, one that cannot be read "". Reading stops after `limit` bytes.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
std::string ReadWholeFile(const std::string& path, size_t limit);

} // namespace qv::frame
