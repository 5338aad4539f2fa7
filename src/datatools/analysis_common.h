// Pieces the what-if and pivot table dialogs share: refusing an entry,
// writing a host's fixed text field and the pictures of the pick buttons.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "qvcore/what_if.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace qv::datatools {

// Puts the focus in an edit box and selects its text, as after a refused entry.
void FocusAndSelect(fw::Dialog& dialog, int id);

// Shows a numbered message in the box its rule chose (nothing for id 0).
void ShowMessage(const core::MessageChoice& message);

// Writes a text into a host's fixed field: at most N - 1 characters and the
// terminator.
template <std::size_t N> void CopyToField(char (&field)[N], std::string_view text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

// Loads the pick buttons' picture (16 by 16 pixels) into `image` and puts it
// on each button; the buttons stay bare when the picture library is missing.
void SetPickImages(fw::Dialog& dialog, fw::Bitmap& image, std::initializer_list<int> buttons);

} // namespace qv::datatools
