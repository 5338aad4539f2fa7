// TWEngine.dll: the script conversion engine. English names are written in
// the local script by phonetic rules (qvcore/transliterate.h), and local text
// is converted to ISCII (qvcore/iscii.h). Texts in the local script are UTF-8,
// as the dialog library holds them; ISCII results are single-byte.
#include "qvcore/iscii.h"
#include "qvcore/transliterate.h"
#include "qvssd/siblings.h"

#include <cstring>
#include <string>
#include <type_traits>

namespace {

constexpr size_t kMaxText = 65536;

std::string Bounded(const char* text) {
    return text == nullptr ? std::string() : std::string(text, strnlen(text, kMaxText));
}

// The result into the caller's buffer, cut at a character boundary of the
// UTF-8 or single-byte result (a cut never leaves half a character).
int CopyOut(const std::string& text, char* out, int outSize, bool utf8) {
    if (out == nullptr || outSize < 1) {
        return -1;
    }
    size_t n = text.size();
    if (n > static_cast<size_t>(outSize) - 1) {
        n = static_cast<size_t>(outSize) - 1;
        while (utf8 && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
            --n;
        }
    }
    if (n > 0) {
        memmove(out, text.data(), n); // the caller may convert in place
    }
    out[n] = '\0';
    return static_cast<int>(n);
}

// The script the engine was prepared for; the calls name their own.
qv::core::IndicScript g_script = qv::core::IndicScript::Devanagari;

qv::core::IndicScript ScriptOf(const char* languageName, const char* fontFace) {
    if (languageName != nullptr && *languageName != '\0') {
        return qv::core::ScriptOfLanguage(Bounded(languageName));
    }
    if (fontFace != nullptr && *fontFace != '\0') {
        return qv::core::ScriptOfFace(Bounded(fontFace));
    }
    return g_script;
}

} // namespace

extern "C" {

int __cdecl LoadConvertEngine(const char* languageName, const char* fontFace) {
    g_script = ScriptOf(languageName, fontFace);
    return 1;
}

void __cdecl UnLoadConvertEngine(void) {
    g_script = qv::core::IndicScript::Devanagari;
}

int __cdecl ConvertEngToLang(const char* languageName, const char* fontFace, const char* text,
                             char* out, int outSize) {
    if (out == nullptr || outSize < 1) {
        return -1;
    }
    const std::string converted =
        qv::core::TransliterateEnglish(Bounded(text), ScriptOf(languageName, fontFace));
    return CopyOut(converted, out, outSize, true);
}

int __cdecl ConvertFontToIscii(const char* fontFace, const char* text, char* out, int outSize) {
    if (out == nullptr || outSize < 1) {
        return -1;
    }
    const std::string converted =
        qv::core::UnicodeToIscii(Bounded(text), ScriptOf(nullptr, fontFace));
    return CopyOut(converted, out, outSize, false);
}

} // extern "C"

static_assert(std::is_same_v<decltype(&LoadConvertEngine), LoadConvertEngineFn>);
static_assert(std::is_same_v<decltype(&UnLoadConvertEngine), UnLoadConvertEngineFn>);
static_assert(std::is_same_v<decltype(&ConvertEngToLang), ConvertEngToLangFn>);
static_assert(std::is_same_v<decltype(&ConvertFontToIscii), ConvertFontToIsciiFn>);
