#include "format/number_sample.h"

#include "frame/lang_settings.h"
#include "frame/localize.h"
#include "framework/library.h"
#include "framework/module.h"

#include <windows.h>

#include <array>

namespace qv::format {
namespace {

std::string LocaleText(LCTYPE type) {
    char text[128] = {};
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
    return n > 1 ? std::string(text, static_cast<size_t>(n - 1)) : std::string();
}

// Month, day and AM/PM names of the local-language dialog strings, read with
// the library as the resource module for the moment.
core::DateNames LocalDateNames() {
    std::array<std::string, core::kDateNameStringCount> texts;
    fw::Library library =
        fw::Library::ForResources(frame::GetLangSettings().localDialogLib.c_str());
    if (!library) {
        return core::EnglishDateNames();
    }
    {
        fw::ResourceScope scope(library.get());
        for (unsigned i = 0; i < core::kDateNameStringCount; ++i) {
            texts[i] = fw::LoadResString(core::kMonthNameStringId + i);
        }
    }
    std::array<std::string_view, core::kDateNameStringCount> views;
    for (size_t i = 0; i < texts.size(); ++i) {
        views[i] = texts[i];
    }
    return core::DateNamesFromStrings(views);
}

} // namespace

core::TimeFormat SystemTimeFormat() {
    core::TimeFormat format = core::DefaultTimeFormat();
    std::string picture = LocaleText(LOCALE_STIMEFORMAT);
    if (!picture.empty()) {
        format.picture = std::move(picture);
        format.am = LocaleText(LOCALE_S1159);
        format.pm = LocaleText(LOCALE_S2359);
    }
    return format;
}

core::PreviewTexts LoadPreviewTexts(int category, uint8_t language) {
    core::PreviewTexts texts;
    if (category == core::kCategoryCurrency) {
        fw::Library library = fw::Library::ForResources(frame::DialogStringsPath(language).c_str());
        texts.symbol1 = fw::LoadStringFrom(library.get(), 1013);
        texts.symbol2 = fw::LoadStringFrom(library.get(), 3137);
    } else if (category == core::kCategoryDate || category == core::kCategoryTime) {
        texts.localNames = LocalDateNames();
        texts.systemTime = SystemTimeFormat();
    }
    return texts;
}

std::string RenderSample(std::string_view value, const core::SampleControls& controls) {
    const core::PreviewTexts texts = LoadPreviewTexts(controls.category, controls.language);
    return core::RenderNumberSample(value, controls, texts);
}

} // namespace qv::format
