// The script-conversion engine's core: UTF-8 texts, ISCII-91 in both
// directions, and the phonetic writing of English names.
#include "qvcore/iscii.h"
#include "qvcore/transliterate.h"
#include "qvcore/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace qv::core;

TEST(Utf8, LenientRoundTripsAndCharacterCounts) {
    const std::string mixed = "A\xC3\xA9\xE0\xA4\x95\xF0\x9F\x98\x80"; // A, e-acute, KA, an emoji
    EXPECT_EQ(DecodeUtf8(mixed), (std::u32string{U'A', 0xE9, 0x915, 0x1F600}));
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(mixed)), mixed);
    EXPECT_EQ(Utf8ToUtf16(mixed).size(), 5u); // the emoji takes a surrogate pair
    // A byte that starts no valid sequence stands for its Latin-1 character,
    // so single-byte text keeps its letters.
    EXPECT_EQ(DecodeUtf8("caf\xE9"), (std::u32string{U'c', U'a', U'f', 0xE9}));
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("caf\xE9")), "caf\xC3\xA9");
    // Overlong forms and encoded surrogates are not characters.
    EXPECT_EQ(DecodeUtf8("\xC0\xAF").size(), 2u);
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80").size(), 3u);
    // An unpaired surrogate becomes the replacement character.
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBD"
                                                         "x");
    EXPECT_EQ(Utf8Length("\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7"), 3u); // KSSA: three characters
    EXPECT_EQ(Utf8Prefix("\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7", 2), "\xE0\xA4\x95\xE0\xA5\x8D");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
}

TEST(Iscii, DevanagariAndTamilMapToTheSharedLayout) {
    // KA, KSSA (KA, virama, SSA), the KI sign, NAMASTE's letters.
    EXPECT_EQ(UnicodeToIscii("क", IndicScript::Devanagari), "\xB3");
    EXPECT_EQ(UnicodeToIscii("क्ष", IndicScript::Devanagari), "\xB3\xE8\xD6");
    EXPECT_EQ(UnicodeToIscii("कि", IndicScript::Devanagari), "\xB3\xDB");
    EXPECT_EQ(UnicodeToIscii("नमस्ते", IndicScript::Devanagari), "\xC6\xCC\xD7\xE8\xC2\xE1");
    // Tamil uses the same codes: KA, TTA cluster, the KO sign.
    EXPECT_EQ(UnicodeToIscii("க", IndicScript::Tamil), "\xB3");
    EXPECT_EQ(UnicodeToIscii("த்த", IndicScript::Tamil), "\xC2\xE8\xC2");
    EXPECT_EQ(UnicodeToIscii("கொ", IndicScript::Tamil), "\xB3\xE4");
    // Digits, the danda, nukta forms and ASCII.
    EXPECT_EQ(UnicodeToIscii("१२ A।", IndicScript::Devanagari), "\xF2\xF3 A\xEA");
    EXPECT_EQ(UnicodeToIscii("क़ ॐ ऽ", IndicScript::Devanagari), "\xB3\xE9 \xA1\xE9 \xEA\xE9");
    // A change of script is marked with the attribute code.
    EXPECT_EQ(UnicodeToIscii("कக", IndicScript::Devanagari), "\xB3\xEF\x44\xB3");
    EXPECT_EQ(UnicodeToIscii("க", IndicScript::Devanagari), "\xEF\x44\xB3");
    // What ISCII cannot hold.
    EXPECT_EQ(UnicodeToIscii("\xE2\x82\xAC"
                             "x",
                             IndicScript::Devanagari),
              "?x"); // the euro sign
    EXPECT_EQ(UnicodeToIscii("\xC3\xA9", IndicScript::Devanagari), "\xE9");
    // A code of the Tamil block without a Tamil letter (where Devanagari has
    // PHA) is not written as the code that reads back as PHA.
    EXPECT_EQ(UnicodeToIscii("\xE0\xAE\xAB", IndicScript::Tamil), "?");
    // An attribute code that names no script reads as "?", so that what is
    // read and written back cannot turn into a switch of script.
    EXPECT_EQ(IsciiToUnicode("\xEF\xEF\x42\x42", IndicScript::Tamil), "?B");
    // A sign shown alone after an explicit halant stays a sign shown alone.
    const std::string signs = "\xDC\xE8\xE8\xD9";
    EXPECT_EQ(
        UnicodeToIscii(IsciiToUnicode(signs, IndicScript::Devanagari), IndicScript::Devanagari),
        signs);
}

TEST(Iscii, RoundTripsBothWays) {
    const std::vector<std::pair<std::string, IndicScript>> texts = {
        {"नमस्ते दुनिया", IndicScript::Devanagari},
        {"क्षत्रिय कार्यपुस्तिका, पंक्ति 12", IndicScript::Devanagari},
        {"ज़्यादा ऋषि ॐ", IndicScript::Devanagari},
        {"வணக்கம் உலகம்", IndicScript::Tamil},
        {"கொடுத்த பணித்தாள் ஃ", IndicScript::Tamil},
        {"Sheet1: कक்ஷ 42", IndicScript::Devanagari},
    };
    for (const auto& [text, script] : texts) {
        const std::string iscii = UnicodeToIscii(text, script);
        EXPECT_EQ(IsciiToUnicode(iscii, script), text) << text;
    }
    // Every byte string reads and writes back to itself where ISCII defines it.
    std::string all;
    for (int b = 0xA1; b <= 0xFA; ++b) {
        if (b != 0xD9 && b != 0xE8 && b != 0xE9 && b != 0xEA && b != 0xEF && b != 0xF0 &&
            (b < 0xEB || b > 0xEE)) {
            all.push_back(static_cast<char>(b));
            all.push_back(' ');
        }
    }
    EXPECT_EQ(UnicodeToIscii(IsciiToUnicode(all, IndicScript::Devanagari), IndicScript::Devanagari),
              all);
    // Explicit and soft halant; ATR switching while decoding.
    EXPECT_EQ(IsciiToUnicode("\xB3\xE8\xE8\xD6", IndicScript::Devanagari), "क्\u200Cष");
    EXPECT_EQ(IsciiToUnicode("\xB3\xE8\xE9\xD6", IndicScript::Devanagari), "क्\u200Dष");
    EXPECT_EQ(IsciiToUnicode("\xB3\xEF\x44\xB3\xEF\x42\xB3", IndicScript::Devanagari), "कகक");
    // Two viramas, and a nukta after a virama, are not written as the
    // explicit or soft halant they would read back as.
    // Nor are two dandas, or one before a double danda or a nukta, written
    // as the double danda or the avagraha they would read back as; nor any
    // other letter with a nukta form before a nukta (vocalic r and rr, the
    // vowel signs i and vocalic r, candrabindu and om).
    for (const char* text :
         {"\u094D\u094D", "\u0915\u094D\u093C", "\u0B95\u0BCD\u0BCD", "\u0964\u0964",
          "\u0964\u0965\u0964", "\u0964\u093C", "\u090B\u093C", "\u0960\u093C",
          "\u0915\u093F\u093C", "\u0915\u0943\u093C", "\u0901\u093C", "\u0950\u093C"}) {
        for (IndicScript script : {IndicScript::Devanagari, IndicScript::Tamil}) {
            EXPECT_EQ(IsciiToUnicode(UnicodeToIscii(text, script), script), text) << text;
        }
    }
    EXPECT_EQ(
        IsciiToUnicode(UnicodeToIscii(IsciiToUnicode("\xE8\xEF\x42\xE8", IndicScript::Devanagari),
                                      IndicScript::Devanagari),
                       IndicScript::Devanagari),
        "\u094D\u094D");
    // Precomposed nukta letters read back in their normalised form.
    EXPECT_EQ(
        IsciiToUnicode(UnicodeToIscii("\u095B", IndicScript::Devanagari), IndicScript::Devanagari),
        "\u091C\u093C");
    EXPECT_EQ(ScriptOfFace("Tam_Kavya"), IndicScript::Tamil);
    EXPECT_EQ(ScriptOfFace("TAM Sans"), IndicScript::Tamil);
    EXPECT_EQ(ScriptOfFace("HIN Sans"), IndicScript::Devanagari);
    EXPECT_EQ(ScriptOfLanguage("TAMIL"), IndicScript::Tamil);
    EXPECT_EQ(ScriptOfLanguage("Hindi"), IndicScript::Devanagari);
}

TEST(Transliterate, EnglishNamesInDevanagari) {
    const std::vector<std::pair<const char*, const char*>> names = {
        {"NAMASTE", "नमस्टे"},    {"BUDGET", "बजेट"},
        {"INVOICE", "इन्वॉइस"},  {"TIMESHEET", "टाइमशीट"},
        {"EXPENSES", "एक्स्पेंसेस"}, {"TEMPLATE", "टेंप्लेट"},
        {"NUMBER", "नंबर"},      {"DATE", "डेट"},
        {"CHART", "चार्ट"},      {"SHEET", "शीट"},
        {"PAGE", "पेज"},         {"REPORT", "रेपॉर्ट"},
        {"SALES", "सेल्स"},       {"WINDOW", "विंडो"},
        {"KRISHNA", "क्रिश्ना"},  {"ACCOUNT", "अकाउंट"},
        {"PAYROLL", "पेरॉल"},    {"QUOTE", "क्वोट"},
        {"TEXT", "टेक्स्ट"},       {"PHONE", "फ़ोन"},
        {"SCHOOL", "स्कूल"},      {"AMERICA", "अमेरिका"},
        {"CELL", "सेल"},         {"STOCK", "स्टॉक"},
        {"BALANCE", "बलंस"},     {"PROFIT", "प्रोफ़िट"},
        {"GRADES", "ग्रेड्स"},     {"MARKS", "मार्क्स"},
        {"PURCHASE", "पर्चेस"},   {"ORDER", "ऑर्डर"},
        {"HOUSE", "हाउस"},      {"LOAN 2024", "लोन 2024"},
        {"SALES-Q1", "सेल्स-क1"}, {"TAX_2", "टक्स_2"},
        {"budget", "बजेट"},      {"", ""},
        {"12.5%", "12.5%"},     {"कर A", "कर आ"},
    };
    for (const auto& [english, hindi] : names) {
        EXPECT_EQ(TransliterateEnglish(english, IndicScript::Devanagari), hindi) << english;
    }
}

TEST(Transliterate, EnglishNamesInTamil) {
    const std::vector<std::pair<const char*, const char*>> names = {
        {"NAMASTE", "நமஸ்டெ"},   {"BUDGET", "பஜெட்"},        {"INVOICE", "இன்வாய்ஸ்"},
        {"TIMESHEET", "டைம்ஷீட்"}, {"EXPENSES", "எக்ஸ்பென்ஸெஸ்"}, {"TEMPLATE", "டெம்ப்லேட்"},
        {"NUMBER", "நம்பர்"},     {"DATE", "டேட்"},           {"CHART", "சார்ட்"},
        {"SHEET", "ஷீட்"},        {"PAGE", "பேஜ்"},           {"REPORT", "ரெபார்ட்"},
        {"SALES", "ஸேல்ஸ்"},      {"WINDOW", "விண்டோ"},       {"KRISHNA", "க்ரிஷ்னா"},
        {"ACCOUNT", "அகவுண்ட்"},  {"PAYROLL", "பேரால்"},      {"QUOTE", "க்வொட்"},
        {"TEXT", "டெக்ஸ்ட்"},      {"PHONE", "ஃபோன்"},         {"SCHOOL", "ஸ்கூல்"},
        {"AMERICA", "அமெரிகா"}, {"CELL", "ஸெல்"},           {"STOCK", "ஸ்டாக்"},
        {"BALANCE", "பலன்ஸ்"},    {"PROFIT", "ப்ரொஃபிட்"},     {"GRADES", "க்ரேட்ஸ்"},
        {"MARKS", "மார்க்ஸ்"},     {"PURCHASE", "பர்சேஸ்"},     {"ORDER", "ஆர்டர்"},
        {"HOUSE", "ஹவுஸ்"},      {"LOAN 2024", "லோன் 2024"}, {"SALES-Q1", "ஸேல்ஸ்-க்1"},
        {"TAX_2", "டக்ஸ்_2"},     {"NAME", "நேம்"},           {"ANNUAL", "அனுஅல்"},
    };
    for (const auto& [english, tamil] : names) {
        EXPECT_EQ(TransliterateEnglish(english, IndicScript::Tamil), tamil) << english;
    }
}
