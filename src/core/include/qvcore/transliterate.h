// Phonetic transliteration of English names (template names, sheet names)
// into Devanagari or Tamil by rules, the way a Hindi or Tamil reader would
// spell the English sound:
//
//  1. Letters are read into sounds, left to right, longest rule first
//     (kSoundRules in transliterate.cpp): digraphs (SH, CH, TH, PH, CK, QU,
//     DG, TION, ...), vowel pairs (EE, EA, OO, OA, AI, AY, OU, OW, OI, ...),
//     C and G softened before E, I, Y; English T and D as the retroflex
//     letters Indian readers use for them; doubled consonant letters read
//     once; Y a consonant before a vowel and a vowel elsewhere.
//  2. Vowel context: a vowel letter A, I, O or U followed by one consonant
//     and an E that ends the word (or a plural -ES), or that is followed by
//     two consonant letters that can start a word (a compound: TIME-SHEET),
//     takes its long sound (A "e", I "ai", O "o", U "uu") and the E is
//     silent; a final E after a single consonant or a soft C or G is silent;
//     U before two consonants or a final consonant sounds as the short "a"
//     (BUDGET, NUMBER) and O there as the open "aw" (STOCK, ORDER); a final
//     A is long.
//  3. Sounds are written as syllables of the script: a consonant followed by
//     a vowel takes the vowel sign (the inherent "a" has none), a consonant
//     followed by a consonant takes the virama (Devanagari conjuncts, Tamil
//     pulli), a vowel with no consonant before it is written as a letter; a
//     compound's first word ends as a word does. Devanagari drops the final
//     virama (schwa deletion) and writes a nasal before a stop or a sibilant
//     as anusvara; Tamil keeps the pulli on a final consonant, writes n as NA
//     at the start of a word, NNA before T and D and NNNA elsewhere, and has
//     one letter for each voiced and voiceless pair.
//
// Letters are read without regard to case. Everything that is not an ASCII
// letter (digits, blanks, punctuation, text already in an Indian script)
// passes through unchanged and ends a word.
#pragma once

#include "qvcore/iscii.h"

#include <string>
#include <string_view>

namespace qv::core {

// `text` in UTF-8 (ASCII letters are converted); the result in UTF-8.
std::string TransliterateEnglish(std::string_view text, IndicScript script);

} // namespace qv::core
