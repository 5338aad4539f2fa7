#include "qvcore/iscii.h"

#include "qvcore/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace qv::core {
namespace {

constexpr unsigned char kAtr = 0xEF;
constexpr unsigned char kNukta = 0xE9;
constexpr unsigned char kHalant = 0xE8;
constexpr unsigned char kDanda = 0xEA;
constexpr unsigned char kInvisible = 0xD9;
constexpr unsigned char kScriptDevanagari = 0x42;
constexpr unsigned char kScriptTamil = 0x44;

constexpr char32_t kDevanagariBase = 0x0900;
constexpr char32_t kTamilBase = 0x0B80;
// The virama's place in each script's block.
constexpr uint8_t kViramaOffset = 0x4D;
constexpr char32_t kZwnj = 0x200C;
constexpr char32_t kZwj = 0x200D;

// Offset in the script block (code point minus the block's base) of each ISCII
// code from 0xA1; 0 where the code has no single letter.
constexpr std::array<uint8_t, 0xFB - 0xA1> kOffsets = {
    0x01, 0x02, 0x03,                         // A1-A3 candrabindu, anusvara, visarga
    0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, // A4-AA a aa i ii u uu vocalic r
    0x0E, 0x0F, 0x10, 0x0D,                   // AB-AE short e, e, ai, candra e
    0x12, 0x13, 0x14, 0x11,                   // AF-B2 short o, o, au, candra o
    0x15, 0x16, 0x17, 0x18, 0x19,             // B3-B7 ka kha ga gha nga
    0x1A, 0x1B, 0x1C, 0x1D, 0x1E,             // B8-BC ca cha ja jha nya
    0x1F, 0x20, 0x21, 0x22, 0x23,             // BD-C1 tta ttha dda ddha nna
    0x24, 0x25, 0x26, 0x27, 0x28, 0x29,       // C2-C7 ta tha da dha na nnna
    0x2A, 0x2B, 0x2C, 0x2D, 0x2E,             // C8-CC pa pha ba bha ma
    0x2F, 0x5F, 0x30, 0x31, 0x32, 0x33, 0x34, // CD-D3 ya yya ra rra la lla llla
    0x35, 0x36, 0x37, 0x38, 0x39,             // D4-D8 va sha ssa sa ha
    0x00,                                     // D9 invisible consonant
    0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43,       // DA-DF vowel signs aa i ii u uu r
    0x46, 0x47, 0x48, 0x45,                   // E0-E3 signs short e, e, ai, candra e
    0x4A, 0x4B, 0x4C, 0x49,                   // E4-E7 signs short o, o, au, candra o
    0x4D, 0x3C, 0x00,                         // E8-EA halant, nukta, danda
    0x00, 0x00, 0x00, 0x00, 0x00,             // EB-EF (undefined; EF is ATR)
    0x00,                                     // F0 extension
    0x66, 0x67, 0x68, 0x69, 0x6A,             // F1-FA digits 0 to 9
    0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
};

// Letters written as an ISCII code followed by the nukta.
struct NuktaForm {
    unsigned char code;
    uint8_t offset;
};
constexpr std::array<NuktaForm, 8> kNuktaForms = {{
    {0xA1, 0x50}, // om
    {0xA6, 0x0C}, // vocalic l
    {0xA7, 0x61}, // vocalic ll
    {0xAA, 0x60}, // vocalic rr
    {0xDB, 0x62}, // sign vocalic l
    {0xDC, 0x63}, // sign vocalic ll
    {0xDF, 0x44}, // sign vocalic rr
    {0xEA, 0x3D}, // avagraha
}};
// Precomposed consonants with nukta and their bases (qa to fa; yya has a
// code of its own).
constexpr std::array<std::pair<uint8_t, uint8_t>, 7> kNuktaConsonants = {{
    {0x58, 0x15},
    {0x59, 0x16},
    {0x5A, 0x17},
    {0x5B, 0x1C},
    {0x5C, 0x21},
    {0x5D, 0x22},
    {0x5E, 0x2B},
}};

// True when the code followed by a nukta reads as a letter of its own.
bool HasNuktaForm(unsigned char code) {
    return std::any_of(kNuktaForms.begin(), kNuktaForms.end(),
                       [code](const NuktaForm& form) { return form.code == code; });
}

char32_t BaseOf(IndicScript script) {
    return script == IndicScript::Tamil ? kTamilBase : kDevanagariBase;
}

unsigned char ScriptByte(IndicScript script) {
    return script == IndicScript::Tamil ? kScriptTamil : kScriptDevanagari;
}

// The letters Unicode assigns in the Tamil block (offsets), by the same layout.
bool TamilHas(uint8_t offset) {
    switch (offset) {
    case 0x02:
    case 0x03:
    case 0x05:
    case 0x06:
    case 0x07:
    case 0x08:
    case 0x09:
    case 0x0A:
    case 0x0E:
    case 0x0F:
    case 0x10:
    case 0x12:
    case 0x13:
    case 0x14:
    case 0x15:
    case 0x19:
    case 0x1A:
    case 0x1C:
    case 0x1E:
    case 0x1F:
    case 0x23:
    case 0x24:
    case 0x28:
    case 0x29:
    case 0x2A:
    case 0x2E:
    case 0x2F:
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x33:
    case 0x34:
    case 0x35:
    case 0x36:
    case 0x37:
    case 0x38:
    case 0x39:
    case 0x3E:
    case 0x3F:
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x46:
    case 0x47:
    case 0x48:
    case 0x4A:
    case 0x4B:
    case 0x4C:
    case 0x4D:
        return true;
    default:
        return offset >= 0x66 && offset <= 0x6F;
    }
}

// The ISCII code of an offset in a script block, 0 when it has none.
unsigned char CodeOf(uint8_t offset) {
    for (size_t i = 0; i < kOffsets.size(); ++i) {
        if (kOffsets[i] == offset && offset != 0) {
            return static_cast<unsigned char>(0xA1 + i);
        }
    }
    return 0;
}

// Appends the ISCII form of one letter (an offset in a script block).
bool AppendLetter(std::string& out, uint8_t offset) {
    if (unsigned char code = CodeOf(offset)) {
        out.push_back(static_cast<char>(code));
        return true;
    }
    for (const NuktaForm& form : kNuktaForms) {
        if (form.offset == offset) {
            out.push_back(static_cast<char>(form.code));
            out.push_back(static_cast<char>(kNukta));
            return true;
        }
    }
    for (const auto& [letter, base] : kNuktaConsonants) {
        if (letter == offset) {
            out.push_back(static_cast<char>(CodeOf(base)));
            out.push_back(static_cast<char>(kNukta));
            return true;
        }
    }
    if (offset == 0x65) { // double danda
        out.push_back(static_cast<char>(kDanda));
        out.push_back(static_cast<char>(kDanda));
        return true;
    }
    return false;
}

} // namespace

IndicScript ScriptOfFace(std::string_view face) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (face.size() >= 3 && upper(face[0]) == 'T' && upper(face[1]) == 'A' &&
        upper(face[2]) == 'M') {
        return IndicScript::Tamil;
    }
    return IndicScript::Devanagari;
}

IndicScript ScriptOfLanguage(std::string_view language) {
    if (language.size() == 5) {
        const std::string_view tamil = "tamil";
        bool same = true;
        for (size_t i = 0; i < 5; ++i) {
            const char c = language[i];
            same = same && (c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) == tamil[i];
        }
        if (same) {
            return IndicScript::Tamil;
        }
    }
    return IndicScript::Devanagari;
}

std::string UnicodeToIscii(std::string_view utf8, IndicScript initial) {
    const std::u32string text = DecodeUtf8(utf8);
    std::string out;
    out.reserve(text.size());
    IndicScript current = initial;
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c < 0x100) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (c == 0x0964 || c == 0x0965) { // the dandas serve every script
            // Two danda codes in a row read back as a double danda: a danda
            // after a danda is kept apart by a script code.
            if (!out.empty() && static_cast<unsigned char>(out.back()) == kDanda) {
                out.push_back(static_cast<char>(kAtr));
                out.push_back(static_cast<char>(ScriptByte(current)));
            }
            out.push_back(static_cast<char>(kDanda));
            if (c == 0x0965) {
                out.push_back(static_cast<char>(kDanda));
            }
            continue;
        }
        // (After a virama itself: a halant written for an explicit halant
        // before takes no second joiner.)
        if ((c == kZwnj || c == kZwj) && i > 0 &&
            (text[i - 1] == kDevanagariBase + kViramaOffset ||
             text[i - 1] == kTamilBase + kViramaOffset) &&
            !out.empty() && static_cast<unsigned char>(out.back()) == kHalant) {
            // Explicit halant (halant, halant) and soft halant (halant, nukta).
            out.push_back(static_cast<char>(c == kZwnj ? kHalant : kNukta));
            continue;
        }
        if (c == kZwj) {
            out.push_back(static_cast<char>(kInvisible)); // a sign shown alone
            continue;
        }
        IndicScript script;
        if (c >= kDevanagariBase && c < kDevanagariBase + 0x80) {
            script = IndicScript::Devanagari;
        } else if (c >= kTamilBase && c < kTamilBase + 0x80) {
            script = IndicScript::Tamil;
        } else {
            out.push_back('?');
            continue;
        }
        const auto offset = static_cast<uint8_t>(c - BaseOf(script));
        std::string letter;
        // A code of the Tamil block that Tamil has no letter for would read
        // back as the Devanagari letter of its ISCII code.
        if ((script == IndicScript::Tamil && !TamilHas(offset)) || !AppendLetter(letter, offset)) {
            out.push_back('?');
            continue;
        }
        // A halant followed by a halant or a nukta reads back as an explicit
        // or soft halant: a second virama, or a nukta after a virama, is kept
        // apart by a script code, which reads back as nothing.
        // Likewise a letter that has a nukta form (the danda, vocalic r, the
        // vowel sign i...) followed by a nukta reads back as that form (the
        // avagraha, vocalic rr, the sign vocalic l...).
        const auto first = static_cast<unsigned char>(letter.front());
        const auto last = out.empty() ? 0 : static_cast<unsigned char>(out.back());
        if (script == current && ((last == kHalant && (first == kHalant || first == kNukta)) ||
                                  (first == kNukta && HasNuktaForm(last)))) {
            out.push_back(static_cast<char>(kAtr));
            out.push_back(static_cast<char>(ScriptByte(current)));
        }
        if (script != current) {
            out.push_back(static_cast<char>(kAtr));
            out.push_back(static_cast<char>(ScriptByte(script)));
            current = script;
        }
        out += letter;
    }
    return out;
}

std::string IsciiToUnicode(std::string_view iscii, IndicScript initial) {
    std::string out;
    out.reserve(iscii.size() * 3);
    IndicScript current = initial;
    auto letter = [&](uint8_t offset) {
        if (current == IndicScript::Tamil && !TamilHas(offset)) {
            AppendUtf8(out, kDevanagariBase + offset); // shown as the Devanagari letter
        } else {
            AppendUtf8(out, BaseOf(current) + offset);
        }
    };
    for (size_t i = 0; i < iscii.size(); ++i) {
        const auto b = static_cast<unsigned char>(iscii[i]);
        const bool nuktaNext =
            i + 1 < iscii.size() && static_cast<unsigned char>(iscii[i + 1]) == kNukta;
        if (b < 0xA1 || b > 0xFA) {
            AppendUtf8(out, b);
            continue;
        }
        if (b == kAtr) {
            if (i + 1 < iscii.size()) {
                const auto s = static_cast<unsigned char>(iscii[i + 1]);
                if (s == kScriptDevanagari || s == kScriptTamil) {
                    current = s == kScriptTamil ? IndicScript::Tamil : IndicScript::Devanagari;
                    ++i;
                    continue;
                }
            }
            // An attribute code without a script is malformed: shown as the
            // Latin letter of its value it would be written back as a switch
            // when a script byte follows.
            out.push_back('?');
            continue;
        }
        if (b == kHalant && i + 1 < iscii.size()) {
            const auto next = static_cast<unsigned char>(iscii[i + 1]);
            if (next == kHalant || next == kNukta) {
                letter(kViramaOffset);
                AppendUtf8(out, next == kHalant ? kZwnj : kZwj);
                ++i;
                continue;
            }
        }
        if (b == kDanda) {
            if (nuktaNext) {
                letter(0x3D);
                ++i;
            } else if (i + 1 < iscii.size() && static_cast<unsigned char>(iscii[i + 1]) == kDanda) {
                AppendUtf8(out, 0x0965);
                ++i;
            } else {
                AppendUtf8(out, 0x0964);
            }
            continue;
        }
        if (nuktaNext) {
            bool done = false;
            for (const NuktaForm& form : kNuktaForms) {
                if (form.code == b) {
                    letter(form.offset);
                    done = true;
                    break;
                }
            }
            // A consonant with nukta: the base letter and the nukta, as the
            // normalised (NFC) form writes them.
            for (const auto& [composed, base] : kNuktaConsonants) {
                if (!done && CodeOf(base) == b && current == IndicScript::Devanagari) {
                    letter(base);
                    letter(0x3C);
                    done = true;
                }
            }
            if (done) {
                ++i;
                continue;
            }
        }
        const uint8_t offset = kOffsets[b - 0xA1];
        if (offset == 0) {
            if (b == kInvisible) {
                AppendUtf8(out, kZwj); // the invisible consonant carries a sign alone
            } else {
                AppendUtf8(out, b);
            }
            continue;
        }
        letter(offset);
    }
    return out;
}

} // namespace qv::core
