// TWEngine.dll: the script conversion engine. The conversion tables of the
// local scripts are not part of this build: every conversion passes the text
// through unchanged, with the bounded copy the callers rely on.
#include "qvssd/siblings.h"

#include <cstring>
#include <type_traits>

namespace {

constexpr size_t kMaxText = 65536;

int CopyBounded(const char* text, char* out, int outSize) {
    if (out == nullptr || outSize < 1) {
        return -1;
    }
    size_t n = text == nullptr ? 0 : strnlen(text, kMaxText);
    if (n > static_cast<size_t>(outSize) - 1) {
        n = static_cast<size_t>(outSize) - 1;
    }
    if (n > 0) {
        memmove(out, text, n); // the caller may convert in place
    }
    out[n] = '\0';
    return static_cast<int>(n);
}

} // namespace

extern "C" {

int __cdecl LoadConvertEngine(const char* /*languageName*/, const char* /*fontFace*/) {
    return 1;
}

void __cdecl UnLoadConvertEngine(void) {}

int __cdecl ConvertEngToLang(const char* /*languageName*/, const char* /*fontFace*/,
                             const char* text, char* out, int outSize) {
    return CopyBounded(text, out, outSize);
}

int __cdecl ConvertFontToIscii(const char* /*fontFace*/, const char* text, char* out, int outSize) {
    return CopyBounded(text, out, outSize);
}

} // extern "C"

static_assert(std::is_same_v<decltype(&LoadConvertEngine), LoadConvertEngineFn>);
static_assert(std::is_same_v<decltype(&UnLoadConvertEngine), UnLoadConvertEngineFn>);
static_assert(std::is_same_v<decltype(&ConvertEngToLang), ConvertEngToLangFn>);
static_assert(std::is_same_v<decltype(&ConvertFontToIscii), ConvertFontToIsciiFn>);
