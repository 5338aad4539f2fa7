// The Number page's Sample text: the preview engine fed with the texts it
// takes from the string libraries and the system at every rendering.
#pragma once

#include "qvcore/preview.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv::format {

// The texts one rendering of `category` needs: the two currency symbols
// (strings 1013 and 3137 of the sample language's dialog strings) for
// Currency; for Date and Time the local month, day and AM/PM names (strings
// 1727..1747 of the local-language dialog strings, loaded afresh, English
// when missing) and the system's time format.
core::PreviewTexts LoadPreviewTexts(int category, uint8_t language);

// The system's time picture and designators (the defaults when unknown).
core::TimeFormat SystemTimeFormat();

// The Sample text for the cell value under the page's controls.
std::string RenderSample(std::string_view value, const core::SampleControls& controls);

} // namespace qv::format
