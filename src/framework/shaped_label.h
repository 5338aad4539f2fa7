// A label (static text, push button, check box, radio button, group box)
// that draws its text itself with Uniscribe. Under Wine a control shapes its
// Indic text, but places the access key's underline by the unshaped width of
// the text before it: behind Tamil ligatures the underline lands letters
// away from its key. The label draws the same text shaped, with the
// underline under the shaped key, and the box, frame or edge of its kind.
#pragma once

#include <windows.h>

namespace qv::fw {

// True when the control's access-key underline would be misplaced: the
// shaped and the unshaped width of the text before the key differ.
bool NeedsShapedLabel(HWND control);

// Takes over the painting of the control's text for the control's lifetime.
// False when the control is no label or is taken over already.
bool UseShapedLabel(HWND control);

} // namespace qv::fw
