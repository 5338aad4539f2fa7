// The script-conversion engine on arbitrary bytes: transliteration passes
// non-letters through and yields valid UTF-8; ISCII text read into Unicode and
// written back is stable; Unicode text written as ISCII reads back to the same
// letters wherever ISCII can hold them.
#include "qvcore/iscii.h"
#include "qvcore/transliterate.h"
#include "qvcore/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool ValidUtf8(std::string_view text) {
    return Utf16ToUtf8(Utf8ToUtf16(text)) == text && EncodeUtf8(DecodeUtf8(text)) == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const IndicScript script =
        size > 0 && (data[0] & 1) != 0 ? IndicScript::Tamil : IndicScript::Devanagari;

    const std::string ascii = [&] {
        std::string s;
        for (char c : input) {
            s.push_back(static_cast<char>(static_cast<unsigned char>(c) & 0x7F));
        }
        return s;
    }();
    const std::string written = TransliterateEnglish(ascii, script);
    Check(ValidUtf8(written));
    // Digits and punctuation survive in order.
    std::string kept;
    for (char c : ascii) {
        if (c >= '0' && c <= '9') {
            kept.push_back(c);
        }
    }
    std::string keptAfter;
    for (char c : written) {
        if (c >= '0' && c <= '9') {
            keptAfter.push_back(c);
        }
    }
    Check(kept == keptAfter);

    // ISCII bytes: decode, encode, decode again gives the same text.
    const std::string unicode = IsciiToUnicode(input, script);
    Check(ValidUtf8(unicode));
    const std::string again = UnicodeToIscii(unicode, script);
    Check(IsciiToUnicode(again, script) == unicode);

    // Arbitrary text as UTF-8 (without the Latin-1 letters, which share their
    // byte values with ISCII): what ISCII holds comes back.
    std::u32string chars = DecodeUtf8(input);
    for (char32_t& c : chars) {
        if (c >= 0x80 && c <= 0xFF) {
            c = U'?';
        }
    }
    const std::string asText = EncodeUtf8(chars);
    const std::string iscii = UnicodeToIscii(asText, script);
    const std::string back = IsciiToUnicode(iscii, script);
    Check(UnicodeToIscii(back, script) == iscii);
    // A letter with nukta may come back as its two canonical parts.
    Check(Utf8Length(back) <= 2 * Utf8Length(asText) + 1);
    return 0;
}
