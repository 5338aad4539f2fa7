#include "qvcore/cellref.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace qv::core;

namespace {

// An alphabet shaped like the shipped one: 36 letters, most of them several
// characters long, none a prefix of another.
LocalAlphabet Indic36() {
    return {"Ka",  "Kha",  "Ga",  "Gha", "Nga", "Ca",  "Cha", "Ja", "Jha", "Nya",  "Tta", "Ttha",
            "Dda", "Ddha", "Nna", "Ta",  "Tha", "Da",  "Dha", "Na", "Pa",  "Pha",  "Ba",  "Bha",
            "Ma",  "Ya",   "Ra",  "La",  "Va",  "Sha", "Ssa", "Sa", "Ha",  "Ksha", "Tra", "Jnya"};
}

LocalAlphabet Letters(int n) {
    LocalAlphabet a;
    for (int i = 0; i < n; ++i) {
        a.push_back(std::string(1, static_cast<char>('a' + i)));
    }
    return a;
}

// A1 -> local -> A1 through the list conversion the dialogs use.
std::string RoundTrip(const std::string& a1, const LocalAlphabet& alphabet) {
    return ConvertRefList(ConvertRefList(a1, kRefToLocal, alphabet), kRefFromLocal, alphabet);
}

const int kRows[] = {1, 2, 9, 10, 99, 100, 4096, 65535, 65536};

} // namespace

TEST(CellRef, IsCellRefAcceptsOnlyA1Cells) {
    for (const char* good : {"A1", "iv65536", "IV65536", "  b7 ", "Z9", "HZ10", "A01"}) {
        EXPECT_TRUE(IsCellRef(good)) << good;
    }
    for (const char* bad : {"IW1", "JA1", "A0", "A65537", "1A", "ABC1", "A1B", "$A$1", "A", "1", "",
                            "  ", "A 1", "A1:B2", "A99999999999999", "A-1"}) {
        EXPECT_FALSE(IsCellRef(bad)) << bad;
    }
    EXPECT_FALSE(IsCellRef(std::string("\xC1") + "1"));
}

TEST(CellRef, RangeAndListChecks) {
    EXPECT_TRUE(IsRangeRef("A1:B2"));
    EXPECT_TRUE(IsRangeRef(" a1 : iv65536 "));
    EXPECT_FALSE(IsRangeRef("A1"));
    EXPECT_FALSE(IsRangeRef("A1:"));
    EXPECT_FALSE(IsRangeRef("A1:B"));
    EXPECT_FALSE(IsRangeRef("A1:B2:C3"));
    EXPECT_FALSE(IsRangeRef("A1.B2"));

    EXPECT_TRUE(IsRefList(""));
    EXPECT_TRUE(IsRefList("A1"));
    EXPECT_TRUE(IsRefList("A1,B2:C3, D4"));
    EXPECT_FALSE(IsRefList("A1,"));
    EXPECT_FALSE(IsRefList("A1,,B2"));
    EXPECT_FALSE(IsRefList("A1;B2"));
}

TEST(CellRef, ParseA1ReadsNormalisesAndKeepsItsQuirks) {
    CellRange r;
    ASSERT_TRUE(ParseA1("$B$3:A1", r));
    EXPECT_EQ(r.firstRow, 1);
    EXPECT_EQ(r.lastRow, 3);
    EXPECT_EQ(r.firstColumn, 1);
    EXPECT_EQ(r.lastColumn, 2);
    EXPECT_EQ(r.kind, kCellRangeBlock);

    ASSERT_TRUE(ParseA1("A1..B2", r));
    EXPECT_EQ(r.lastColumn, 2);
    EXPECT_EQ(r.lastRow, 2);
    ASSERT_TRUE(ParseA1("c4.d5", r));
    EXPECT_EQ(r.firstColumn, 3);
    EXPECT_EQ(r.lastColumn, 4);
    ASSERT_TRUE(ParseA1("iv7", r));
    EXPECT_EQ(r.firstColumn, 256);
    EXPECT_EQ(r.lastColumn, 256);
    EXPECT_EQ(r.kind, kCellRangeSingle);

    // An unreadable column does not fail the parse: it becomes column 0.
    for (const char* text : {"IW1", "AAA1", "5", "ZZZZZZZZZZZZZZZZZZZZZZZZZZ1"}) {
        ASSERT_TRUE(ParseA1(text, r)) << text;
        EXPECT_EQ(r.firstColumn, 0) << text;
    }
    ASSERT_TRUE(ParseA1("A99999999999", r)); // the row saturates like atoi
    EXPECT_EQ(r.firstRow, INT32_MAX);

    const CellRange before{7, 7, 7, 7, 7};
    for (const char* bad :
         {"A1:B2x", "A1 ", " A1", "A1:.B2", "A1...B2", "A1;B2", "A-1", "A1:B2:C3"}) {
        r = before;
        EXPECT_FALSE(ParseA1(bad, r)) << bad;
        EXPECT_EQ(r.kind, 7) << "a failed parse leaves the record alone";
    }
}

TEST(CellRef, ColumnNamesAndFormatting) {
    const std::pair<int, const char*> names[] = {{0, "A"},   {25, "Z"},   {26, "AA"}, {51, "AZ"},
                                                 {52, "BA"}, {255, "IV"}, {256, "IW"}};
    for (auto [index, name] : names) {
        EXPECT_EQ(ColumnName(index), name);
    }
    EXPECT_EQ(ColumnName(257), "");
    EXPECT_EQ(ColumnName(-1), "");
    // The parser reads every name the formatter writes.
    for (int index = 0; index < 256; ++index) {
        CellRange r;
        ASSERT_TRUE(ParseA1(ColumnName(index) + "12", r));
        EXPECT_EQ(r.firstColumn, index + 1);
    }

    EXPECT_EQ(FormatA1(CellRange{0, 3, 2, 3, 2}), "B3");
    EXPECT_EQ(FormatA1(CellRange{0, 1, 1, 65536, 256}), "A1:IV65536");
    EXPECT_EQ(FormatA1(CellRange{0, 5, 3, 2, 1}), "C5:A2"); // written as given
    EXPECT_EQ(FormatA1(CellRange{0, 4, 0, 4, 0}), "4");     // column 0 has no name

    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FormatA1(CellRange{0, 1, 1, 65536, 256}, buffer, 6), 5);
    EXPECT_STREQ(buffer, "A1:IV");
    EXPECT_EQ(FormatA1(CellRange{0, 1, 1, 1, 1}, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FormatA1(CellRange{0, 1, 1, 1, 1}, buffer, 0), 0);
    EXPECT_EQ(FormatA1(CellRange{0, 1, 1, 1, 1}, buffer, -2), 0);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(FormatA1(CellRange{0, 12, 2, 12, 2}, buffer, -1), 3);
    EXPECT_STREQ(buffer, "B12");
    EXPECT_EQ(FormatA1(CellRange{}, nullptr, -1), 0);
}

TEST(CellRef, AlphabetLoadsFromTheSelectedBlock) {
    std::map<unsigned, std::string> strings = {
        {8000, "3"},     {8001, "Ka"}, {8002, "Kha"}, {8003, "GaGaGaGaGaGa"},
        {8004, "extra"}, {10300, "2"}, {10301, "Ta"}, {10302, "Tha"}};
    auto lookup = [&](unsigned id) {
        auto it = strings.find(id);
        return it == strings.end() ? std::string() : it->second;
    };
    EXPECT_EQ(LoadLocalAlphabet(lookup), (LocalAlphabet{"Ka", "Kha", "GaGaGaGaG"}));
    strings[10010] = "4";
    EXPECT_EQ(LoadLocalAlphabet(lookup), (LocalAlphabet{"Ta", "Tha"}));
    strings[10010] = "5";
    EXPECT_EQ(LoadLocalAlphabet(lookup).size(), 3u);
    // The list ends at the first missing letter.
    strings[8000] = "4";
    strings.erase(8002);
    EXPECT_EQ(LoadLocalAlphabet(lookup), (LocalAlphabet{"Ka"}));
    // The count is a 16-bit value: 65538 reads as 2, a negative count as none.
    strings[8002] = "Kha";
    strings[8000] = "65538";
    EXPECT_EQ(LoadLocalAlphabet(lookup), (LocalAlphabet{"Ka", "Kha"}));
    strings[8000] = "-3";
    EXPECT_TRUE(LoadLocalAlphabet(lookup).empty());
    strings.clear();
    EXPECT_TRUE(LoadLocalAlphabet(lookup).empty());
    EXPECT_TRUE(LoadLocalAlphabet(nullptr).empty());
}

TEST(CellRef, LocalColumnSpelling) {
    const LocalAlphabet a = Indic36();
    const int n = static_cast<int>(a.size());
    EXPECT_EQ(LocalColumnName(1, a), "Ka");
    EXPECT_EQ(LocalColumnName(n, a), "Jnya");
    EXPECT_EQ(LocalColumnName(n + 1, a), "KaKa");
    EXPECT_EQ(LocalColumnName(n * (n + 1), a), "JnyaJnya");
    EXPECT_EQ(LocalColumnName(n * (n + 1) + 1, a), "KaKaKa");
    EXPECT_EQ(LocalColumnName(0, a), "");
    EXPECT_EQ(LocalColumnName(1, {}), "");
    // Three letters of a 2-letter alphabet reach column 14 at most.
    EXPECT_EQ(LocalColumnName(14, Letters(2)), "bbb");
    EXPECT_EQ(LocalColumnName(15, Letters(2)), "");

    EXPECT_EQ(ToLocalRef("$B$3:A1", 1, a), "Ka1:Kha3");
    EXPECT_EQ(ToLocalRef("C7:C7", 1, a), "Ga7");
    EXPECT_EQ(ToLocalRef("B7", 0, a), "B7");
    EXPECT_EQ(ToLocalRef("B7", 1, {}), "B7");
    EXPECT_EQ(ToLocalRef("B7x", 1, a), "B7x");
    EXPECT_EQ(ToLocalRef("", 1, a), "");
    // A zero row or column is written as 1; a column beyond IV reads as none.
    EXPECT_EQ(ToLocalRef("C", 1, a), "Ga1");
    EXPECT_EQ(ToLocalRef("IW5", 1, a), "Ka5");
    // A column the alphabet cannot spell leaves the text in A1 form.
    EXPECT_EQ(ToLocalRef("IV1", 1, Letters(2)), "IV1");
}

TEST(CellRef, FromLocalRefReadsLettersAndRow) {
    const LocalAlphabet a = Indic36();
    int32_t row = -5;
    int32_t column = -5;
    ASSERT_TRUE(FromLocalRef("KhaGa12", a, row, column));
    EXPECT_EQ(row, 12);
    EXPECT_EQ(column, 2 * 36 + 3);
    ASSERT_TRUE(FromLocalRef(" Jnya7 ", a, row, column));
    EXPECT_EQ(column, 36);
    EXPECT_EQ(row, 7);
    ASSERT_TRUE(FromLocalRef("Ka99999999999", a, row, column));
    EXPECT_EQ(row, INT32_MAX);

    row = column = -5;
    for (const char* bad : {"Ka", "12", "", "A1", "KaX1", "Ka1x", "Ka 1", "KaKaKaKa1", "Ka-1"}) {
        EXPECT_FALSE(FromLocalRef(bad, a, row, column)) << bad;
    }
    EXPECT_EQ(row, -5);
    EXPECT_FALSE(FromLocalRef("Ka1", {}, row, column));
}

TEST(CellRef, ListConversionBothWays) {
    const LocalAlphabet a = Indic36();
    EXPECT_EQ(ConvertRefList("(A1:B2,C3)", kRefToLocal, a), "Ka1:Kha2,Ga3");
    EXPECT_EQ(ConvertRefList("Ka1:Kha2,Ga3", kRefFromLocal, a), "A1:B2,C3");
    EXPECT_EQ(ConvertRefList("Kha2:Ka1", kRefFromLocal, a), "B2:A1"); // not normalised
    EXPECT_EQ(ConvertRefList("Ga3:Ga3", kRefFromLocal, a), "C3");
    // Pieces that do not convert stay as they are.
    EXPECT_EQ(ConvertRefList("A1,Ka2,,x", kRefFromLocal, a), "A1,A2,,x");
    EXPECT_EQ(ConvertRefList("A1,B2x, C3", kRefToLocal, a), "Ka1,B2x, C3");
    // Letters alone parse (as column 0, row 0), so a word becomes the first cell.
    EXPECT_EQ(ConvertRefList("A1,junk", kRefToLocal, a), "Ka1,Ka1");
    EXPECT_EQ(ConvertRefList("Ka1:Zz2", kRefFromLocal, a), "Ka1:Zz2");
    EXPECT_EQ(ConvertRefList("KaKaKa1", kRefFromLocal, a), "KaKaKa1"); // column 1333
    // Only the last ")" goes; every "(" goes.
    EXPECT_EQ(ConvertRefList("((A1)", kRefToLocal, a), "Ka1");
    EXPECT_EQ(ConvertRefList("(A1)x", kRefToLocal, a), "A1)x");
    EXPECT_EQ(ConvertRefList("", kRefToLocal, a), "");
    EXPECT_EQ(ConvertRefList("(A1)", 2, a), "(A1)");
    EXPECT_EQ(ConvertRefList("(A1)", -1, a), "(A1)");
}

TEST(CellRef, RoundTripThroughLocalAlphabetsOfManySizes) {
    std::vector<LocalAlphabet> alphabets = {Indic36(), Letters(26), Letters(16), Letters(7)};
    // Longer letters placed before the letters they start with read back.
    alphabets.push_back({"Ksha", "Kha", "Ka", "K", "Gha", "G", "Ta", "Tt", "T", "R"});
    // Letters of mixed lengths up to the 9-character limit.
    alphabets.push_back({"Q", "Abcdefghi", "Zy", "Wvu", "Mnop", "Lkjih"});
    for (const LocalAlphabet& a : alphabets) {
        const int n = static_cast<int>(a.size());
        for (int column = 1; column <= 256; ++column) {
            const bool spellable = column <= n + n * n + n * n * n;
            for (int row : kRows) {
                const std::string a1 = ColumnName(column - 1) + std::to_string(row);
                const std::string local = ToLocalRef(a1, 1, a);
                ASSERT_EQ(local == a1, !spellable) << a1 << " -> " << local;
                ASSERT_EQ(RoundTrip(a1, a), a1) << a1 << " via " << local << ", alphabet of " << n;
            }
        }
        EXPECT_EQ(RoundTrip("A1:IV65536,B2,(C3:D4)", a), "A1:IV65536,B2,C3:D4");
    }
}

TEST(CellRef, RoundTripLimitOfAlphabetOrderMatching) {
    // Letters are matched in alphabet order against the leading characters
    // (after the whole remaining text is tried). When a letter is a prefix of
    // a later letter, the shorter one wins in the middle of a name: "KhKa"
    // reads "K", then "hKa" matches nothing. Such a name is not read back and
    // the list conversion keeps the local text. A name whose prefix-bearing
    // letter comes last ("KaKh") reads back, because the whole rest is tried
    // first.
    const LocalAlphabet a = {"K", "Kh", "Ka", "G", "Gh"};
    const int n = static_cast<int>(a.size());
    int failures = 0;
    for (int column = 1; column <= n + n * n + n * n * n && column <= 256; ++column) {
        const std::string a1 = ColumnName(column - 1) + "9";
        const std::string local = ToLocalRef(a1, 1, a);
        // The letters of the name, first to last.
        std::vector<int> digits;
        for (int c = column; c > 0;) {
            int r = c % n;
            int q = c / n;
            if (r == 0) {
                r = n;
                q -= 1;
            }
            digits.insert(digits.begin(), r);
            c = q;
        }
        bool prefixInside = false;
        for (std::size_t i = 0; i + 1 < digits.size(); ++i) {
            // "Kh", "Ka" and "Gh" start with an earlier letter.
            prefixInside = prefixInside || digits[i] == 2 || digits[i] == 3 || digits[i] == 5;
        }
        if (prefixInside) {
            ++failures;
            EXPECT_EQ(RoundTrip(a1, a), local) << a1;
        } else {
            EXPECT_EQ(RoundTrip(a1, a), a1) << a1 << " via " << local;
        }
    }
    EXPECT_GT(failures, 0);

    // Letters that join into another letter make names ambiguous: "ab" + "a"
    // reads as "a", "b", "a" and silently names another column.
    const LocalAlphabet joined = {"a", "b", "ab"};
    int32_t row = 0;
    int32_t column = 0;
    ASSERT_TRUE(FromLocalRef(LocalColumnName(3 * 3 + 1, joined) + "1", joined, row, column));
    EXPECT_NE(column, 10);
}
