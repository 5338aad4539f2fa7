#include "qvcore/transliterate.h"

#include "qvcore/utf8.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv::core {
namespace {

// The sounds a name is read into.
enum Sound : uint8_t {
    // consonants
    kK,
    kKh,
    kG,
    kGh,
    kCh,
    kJ,
    kTt, // English t: retroflex
    kDd, // English d: retroflex
    kTh,
    kDh,
    kN,
    kP,
    kF,
    kB,
    kBh,
    kM,
    kY,
    kR,
    kL,
    kV,
    kSh,
    kS,
    kH,
    kZ,
    // vowels
    kA, // the inherent vowel
    kAa,
    kI,
    kIi,
    kU,
    kUu,
    kE,     // short e
    kELong, // long e (A in TEMPLATE, AI)
    kAi,
    kO,     // short o
    kOLong, // long o
    kAu,
    kAw, // the O of STOCK: candra o in Devanagari, long a in Tamil
    kAy, // the I of TIME: "aa" and "i" in Devanagari, "ai" in Tamil
    kOy, // the OI of INVOICE
    kNone,
};

bool IsVowelSound(Sound s) {
    return s >= kA && s < kNone;
}

// Consonants before which Devanagari writes a nasal as anusvara.
bool TakesAnusvara(Sound s) {
    return s <= kDh || s == kP || s == kF || s == kB || s == kBh || s == kSh || s == kS || s == kZ;
}

// Where a rule applies.
enum class When : uint8_t {
    Any,
    AtEnd,              // the letters end the word
    BeforeSoft,         // the next letter is E, I or Y
    BeforeVowel,        // the next letter is a vowel letter
    BeforeConsonantEnd, // the next letter is a consonant, or the word ends
    Closed,             // two consonant letters follow, or one that ends the word
};

struct SoundRule {
    const char* letters;
    When when;
    std::array<Sound, 3> sounds;
};

// Read left to right; at each position the first rule whose letters and
// condition match is used.
constexpr SoundRule kSoundRules[] = {
    {"TION", When::Any, {kSh, kA, kN}},        {"SION", When::Any, {kSh, kA, kN}},
    {"TCH", When::Any, {kCh, kNone, kNone}},   {"DGE", When::AtEnd, {kJ, kNone, kNone}},
    {"DG", When::Any, {kJ, kNone, kNone}},     {"SCH", When::Any, {kS, kK, kNone}},
    {"CH", When::Any, {kCh, kNone, kNone}},    {"SH", When::Any, {kSh, kNone, kNone}},
    {"TH", When::Any, {kTh, kNone, kNone}},    {"PH", When::Any, {kF, kNone, kNone}},
    {"GH", When::Any, {kG, kNone, kNone}},     {"KH", When::Any, {kKh, kNone, kNone}},
    {"BH", When::Any, {kBh, kNone, kNone}},    {"DH", When::Any, {kDh, kNone, kNone}},
    {"CK", When::Any, {kK, kNone, kNone}},     {"QU", When::Any, {kK, kV, kNone}},
    {"WH", When::Any, {kV, kNone, kNone}},     {"EE", When::Any, {kIi, kNone, kNone}},
    {"EA", When::Any, {kIi, kNone, kNone}},    {"IE", When::AtEnd, {kIi, kNone, kNone}},
    {"OO", When::Any, {kUu, kNone, kNone}},    {"AI", When::Any, {kELong, kNone, kNone}},
    {"AY", When::Any, {kELong, kNone, kNone}}, {"EY", When::AtEnd, {kIi, kNone, kNone}},
    {"EI", When::Any, {kELong, kNone, kNone}}, {"OW", When::AtEnd, {kOLong, kNone, kNone}},
    {"OU", When::Any, {kAu, kNone, kNone}},    {"OW", When::Any, {kAu, kNone, kNone}},
    {"AU", When::Any, {kOLong, kNone, kNone}}, {"AW", When::Any, {kOLong, kNone, kNone}},
    {"OA", When::Any, {kOLong, kNone, kNone}}, {"OI", When::Any, {kOy, kNone, kNone}},
    {"OY", When::Any, {kOy, kNone, kNone}},    {"AR", When::BeforeConsonantEnd, {kAa, kR, kNone}},
    {"ER", When::AtEnd, {kA, kR, kNone}},      {"C", When::BeforeSoft, {kS, kNone, kNone}},
    {"C", When::Any, {kK, kNone, kNone}},      {"G", When::BeforeSoft, {kJ, kNone, kNone}},
    {"G", When::Any, {kG, kNone, kNone}},      {"X", When::Any, {kK, kS, kNone}},
    {"Q", When::Any, {kK, kNone, kNone}},      {"Y", When::BeforeVowel, {kY, kNone, kNone}},
    {"Y", When::AtEnd, {kIi, kNone, kNone}},   {"Y", When::Any, {kI, kNone, kNone}},
    {"A", When::AtEnd, {kAa, kNone, kNone}},   {"A", When::Any, {kA, kNone, kNone}},
    {"E", When::Any, {kE, kNone, kNone}},      {"I", When::Any, {kI, kNone, kNone}},
    {"O", When::Closed, {kAw, kNone, kNone}},  {"O", When::Any, {kO, kNone, kNone}},
    {"U", When::Closed, {kA, kNone, kNone}},   {"U", When::Any, {kU, kNone, kNone}},
    {"B", When::Any, {kB, kNone, kNone}},      {"D", When::Any, {kDd, kNone, kNone}},
    {"F", When::Any, {kF, kNone, kNone}},      {"H", When::Any, {kH, kNone, kNone}},
    {"J", When::Any, {kJ, kNone, kNone}},      {"K", When::Any, {kK, kNone, kNone}},
    {"L", When::Any, {kL, kNone, kNone}},      {"M", When::Any, {kM, kNone, kNone}},
    {"N", When::Any, {kN, kNone, kNone}},      {"P", When::Any, {kP, kNone, kNone}},
    {"R", When::Any, {kR, kNone, kNone}},      {"S", When::Any, {kS, kNone, kNone}},
    {"T", When::Any, {kTt, kNone, kNone}},     {"V", When::Any, {kV, kNone, kNone}},
    {"W", When::Any, {kV, kNone, kNone}},      {"Z", When::Any, {kZ, kNone, kNone}},
};

// The long sounds of the vowel letters before a silent E.
Sound LongSound(char vowel) {
    switch (vowel) {
    case 'A':
        return kELong;
    case 'O':
        return kOLong;
    case 'U':
        return kUu;
    default:
        return kAy;
    }
}

bool IsVowelLetter(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

bool IsConsonantLetter(char c) {
    return c >= 'A' && c <= 'Z' && !IsVowelLetter(c);
}

// Two consonant letters that can start an English word: after an E they mark
// the start of the second word of a compound (TIME-SHEET, NAME-PLATE).
bool StartsWord(char a, char b) {
    static constexpr const char* kStarts[] = {"SH", "CH", "TH", "PH", "WH", "ST", "SP", "SC", "SK",
                                              "SL", "SM", "SN", "SW", "TR", "PR", "BR", "CR", "DR",
                                              "FR", "GR", "PL", "BL", "CL", "FL", "GL", "KN", "WR"};
    for (const char* start : kStarts) {
        if (start[0] == a && start[1] == b) {
            return true;
        }
    }
    return false;
}

// One word (upper-case ASCII letters) read into sounds.
std::vector<Sound> ReadSounds(const std::string& w) {
    const size_t n = w.size();
    // Silent E and long vowels before it (rule 2).
    std::vector<bool> silent(n, false);
    std::vector<bool> longVowel(n, false);
    std::vector<bool> wordEnd(n, false); // the E ends the first word of a compound
    for (size_t e = 2; e < n; ++e) {
        if (w[e] != 'E') {
            continue;
        }
        // A final E, a plural -ES, or an E that ends the first word of a compound.
        const bool final = e + 1 == n || (e + 2 == n && w[e + 1] == 'S');
        const bool compound = e + 2 < n && StartsWord(w[e + 1], w[e + 2]);
        if (!IsConsonantLetter(w[e - 1]) || (!final && !compound)) {
            continue;
        }
        const char v = w[e - 2];
        const bool singleVowel =
            (v == 'A' || v == 'I' || v == 'O' || v == 'U') && (e < 3 || !IsVowelLetter(w[e - 3]));
        if (singleVowel) {
            silent[e] = true;
            longVowel[e - 2] = true;
            wordEnd[e] = compound;
        } else if (final && e >= 3 && (IsVowelLetter(v) || w[e - 1] == 'C' || w[e - 1] == 'G')) {
            silent[e] = true; // after a single consonant (INVOICE) or a soft C or G (BALANCE)
        }
    }
    std::vector<Sound> sounds;
    size_t i = 0;
    while (i < n) {
        if (silent[i]) {
            if (wordEnd[i]) {
                sounds.push_back(kNone); // written as the end of a word
            }
            ++i;
            continue;
        }
        if (longVowel[i]) {
            sounds.push_back(LongSound(w[i]));
            ++i;
            continue;
        }
        // A doubled consonant letter is read once.
        if (i > 0 && w[i] == w[i - 1] && IsConsonantLetter(w[i])) {
            ++i;
            continue;
        }
        bool matched = false;
        for (const SoundRule& rule : kSoundRules) {
            const std::string_view letters(rule.letters);
            if (w.compare(i, letters.size(), letters) != 0) {
                continue;
            }
            const size_t next = i + letters.size();
            const char after = next < n ? w[next] : '\0';
            bool ok = true;
            switch (rule.when) {
            case When::Any:
                break;
            case When::AtEnd:
                ok = next == n;
                break;
            case When::BeforeSoft:
                ok = after == 'E' || after == 'I' || after == 'Y';
                break;
            case When::BeforeVowel:
                ok = IsVowelLetter(after);
                break;
            case When::BeforeConsonantEnd:
                ok = next == n || IsConsonantLetter(after);
                break;
            case When::Closed:
                ok = next < n && IsConsonantLetter(after) &&
                     (next + 1 == n || IsConsonantLetter(w[next + 1]));
                break;
            }
            if (!ok) {
                continue;
            }
            for (Sound s : rule.sounds) {
                if (s != kNone) {
                    sounds.push_back(s);
                }
            }
            i = next;
            matched = true;
            break;
        }
        if (!matched) {
            ++i;
        }
    }
    return sounds;
}

// How a script writes the sounds.
struct VowelForms {
    const char* letter; // at the start of a syllable
    const char* sign;   // after a consonant ("" for the inherent vowel)
};

struct ScriptForms {
    std::array<const char*, kA> consonants;
    std::array<VowelForms, kNone - kA> vowels;
    const char* virama;
};

constexpr ScriptForms kDevanagari = {
    {
        "क", "ख", "ग", "घ", "च", "ज", "ट", "ड", "थ", "ध", "न", "प",
        "फ़", "ब", "भ", "म", "य", "र", "ल", "व", "श", "स", "ह", "ज़",
    },
    {{
        {"अ", ""},
        {"आ", "ा"},
        {"इ", "ि"},
        {"ई", "ी"},
        {"उ", "ु"},
        {"ऊ", "ू"},
        {"ए", "े"},
        {"ए", "े"},
        {"ऐ", "ै"},
        {"ओ", "ो"},
        {"ओ", "ो"},
        {"आउ", "ाउ"},
        {"ऑ", "ॉ"},
        {"आइ", "ाइ"},
        {"ऑइ", "ॉइ"},
    }},
    "्",
};

constexpr ScriptForms kTamil = {
    {
        "க",  "க", "க", "க", "ச", "ஜ", "ட", "ட", "த", "த", "ன", "ப",
        "ஃப", "ப", "ப", "ம", "ய", "ர", "ல", "வ", "ஷ", "ஸ", "ஹ", "ஸ",
    },
    {{
        {"அ", ""},
        {"ஆ", "ா"},
        {"இ", "ி"},
        {"ஈ", "ீ"},
        {"உ", "ு"},
        {"ஊ", "ூ"},
        {"எ", "ெ"},
        {"ஏ", "ே"},
        {"ஐ", "ை"},
        {"ஒ", "ொ"},
        {"ஓ", "ோ"},
        {"அவு", "வு"},
        {"ஆ", "ா"},
        {"ஐ", "ை"},
        {"ஆய்", "ாய்"},
    }},
    "்",
};

void WriteWord(const std::vector<Sound>& sounds, IndicScript script, std::string& out) {
    const ScriptForms& forms = script == IndicScript::Tamil ? kTamil : kDevanagari;
    for (size_t i = 0; i < sounds.size(); ++i) {
        const Sound s = sounds[i];
        const Sound next = i + 1 < sounds.size() ? sounds[i + 1] : kNone;
        if (s == kNone) {
            continue;
        }
        if (IsVowelSound(s)) {
            out += forms.vowels[s - kA].letter;
            continue;
        }
        if (script == IndicScript::Devanagari && (s == kN || s == kM) && i > 0 &&
            IsVowelSound(sounds[i - 1]) && next != kNone && TakesAnusvara(next)) {
            out += "ं"; // a nasal before a stop or a sibilant
            continue;
        }
        const char* letter = forms.consonants[s];
        if (script == IndicScript::Tamil && s == kN) {
            letter = i == 0 ? "ந" : (next == kTt || next == kDd) ? "ண" : "ன";
        }
        out += letter;
        if (IsVowelSound(next)) {
            out += forms.vowels[next - kA].sign;
            ++i;
        } else if (next != kNone || script == IndicScript::Tamil) {
            out += forms.virama;
        }
    }
}

} // namespace

std::string TransliterateEnglish(std::string_view text, IndicScript script) {
    std::string out;
    out.reserve(text.size() * 3);
    std::string word;
    auto flush = [&] {
        if (!word.empty()) {
            WriteWord(ReadSounds(word), script, out);
            word.clear();
        }
    };
    for (char c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c >= 'A' && c <= 'Z') {
            word.push_back(c);
            continue;
        }
        flush();
        out.push_back(c);
    }
    flush();
    return out;
}

} // namespace qv::core
