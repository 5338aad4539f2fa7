#include "qvcore/textsplit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace qv::core;

namespace {

using Fields = std::vector<std::string>;

Fields Split(const std::string& line, const std::string& delimiters, const std::string& qualifier,
             bool consecutive = false) {
    SplitOptions options{delimiters, qualifier, consecutive};
    ColumnLimitGate gate;
    Fields fields;
    EXPECT_TRUE(SplitDelimitedLine(line, options, gate, fields));
    return fields;
}

const std::string kNone = "{none}";

std::string NumberedFields(int count) {
    std::string line;
    for (int i = 0; i < count; ++i) {
        line += (i ? "," : "") + std::to_string(i);
    }
    return line;
}

} // namespace

TEST(TextSplit, DelimiterSetOrderAndQualifier) {
    DelimiterChoice all{true, true, true, true, true, "|x", "\""};
    EXPECT_EQ(BuildDelimiterSet(all), ",; \t|\"");
    all.qualifier = "'";
    EXPECT_EQ(BuildDelimiterSet(all), ",; \t|'");
    all.qualifier = kNone;
    EXPECT_EQ(BuildDelimiterSet(all), ",; \t|");
    DelimiterChoice noSpace{false, false, true, false, true, "", "\""};
    EXPECT_EQ(BuildDelimiterSet(noSpace), ","); // Others without text adds nothing

    EXPECT_EQ(StrippedDelimiters(", \"", "\""), ", ");
    EXPECT_EQ(StrippedDelimiters(", '\"", "'"), ", ");
    EXPECT_EQ(StrippedDelimiters("{,", kNone), ","); // the first character of the none text
    EXPECT_EQ(StrippedDelimiters("a\"", ""), "a");

    EXPECT_EQ(QualifierEntryFromProfile("\""), 1);
    EXPECT_EQ(QualifierEntryFromProfile("'"), 0);
    EXPECT_EQ(QualifierEntryFromProfile(""), 2);
    EXPECT_EQ(QualifierEntryFromProfile("''"), 2);
}

TEST(TextSplit, ConsecutiveDelimitersAndLineEnds) {
    EXPECT_EQ(Split("a,,b", ",", kNone), (Fields{"a", "", "b"}));
    EXPECT_EQ(Split("a,b", ",", kNone), (Fields{"a", "b"}));
    EXPECT_EQ(Split(",a", ",", kNone), (Fields{"", "a"}));
    EXPECT_EQ(Split("a,", ",", kNone), (Fields{"a"}));
    EXPECT_EQ(Split("a,,", ",", kNone), (Fields{"a", "", ""}));
    EXPECT_EQ(Split(",,a", ",", kNone), (Fields{"", "", "a"}));
    EXPECT_EQ(Split("a,,,b", ",", kNone), (Fields{"a", "", "", "b"}));
    // Delimiters are stripped from both ends of the rest of the line at once,
    // so a single delimiter at the end of the line inserts an empty column
    // after the first field.
    EXPECT_EQ(Split("a,b,", ",", kNone), (Fields{"a", "", "b"}));
    EXPECT_EQ(Split("a,b,c,", ",", kNone), (Fields{"a", "", "b", "c"}));

    EXPECT_EQ(Split("a,,b", ",", kNone, true), (Fields{"a", "b"}));
    EXPECT_EQ(Split("a,,", ",", kNone, true), (Fields{"a"}));
    EXPECT_EQ(Split(",,a", ",", kNone, true), (Fields{"", "a"}));
    EXPECT_EQ(Split("a,b,", ",", kNone, true), (Fields{"a", "b"}));

    EXPECT_EQ(Split("a\tb\t\tc", "\t", kNone), (Fields{"a", "b", "", "c"}));
    EXPECT_EQ(Split("a\tb\t\tc", "\t", kNone, true), (Fields{"a", "b", "c"}));
    EXPECT_EQ(Split("a   b", " ", kNone), (Fields{"a", "", "", "b"}));
    EXPECT_EQ(Split("  a", " ", kNone), (Fields{"", "", "a"}));
    EXPECT_EQ(Split("a;b,c\td", ";,\t", kNone), (Fields{"a", "b", "c", "d"}));
    EXPECT_EQ(Split("", ",", kNone), Fields{});
    EXPECT_EQ(Split("abc", ",", kNone), (Fields{"abc"}));
}

TEST(TextSplit, QualifiedFields) {
    // With Space on, the qualifier is a delimiter and quoted fields keep blanks.
    const std::string d = BuildDelimiterSet({false, false, false, true, false, "", "\""});
    ASSERT_EQ(d, " \"");
    EXPECT_EQ(Split("\"a b\" c", d, "\""), (Fields{"a b", "c"}));
    EXPECT_EQ(Split("x \"a b\"", d, "\""), (Fields{"x", "a b"}));
    EXPECT_EQ(Split("\"a b\"x c", d, "\""), (Fields{"a b", "x", "c"}));
    // Doubled qualifiers are no escape: each pair closes a field.
    EXPECT_EQ(Split("\"a \"\"b\"\" c\"", d, "\""), (Fields{"a ", "b", " c"}));
    // A quote inside a word: the field ends at the next blank.
    EXPECT_EQ(Split("ab\"c d\" e", d, "\""), (Fields{"ab\"c", "d\"", "e"}));
    // A qualifier at the end of a line.
    EXPECT_EQ(Split("a \"", d, "\""), (Fields{"a"}));
    EXPECT_EQ(Split("a b\"", d, "\""), (Fields{"a", "b\""}));
    EXPECT_EQ(Split("a \"b", d, "\""), (Fields{"a", "b"}));
    // A lone qualifier between delimiters occupies no column.
    EXPECT_EQ(Split("a \" b", d, "\""), (Fields{"a", "b"}));
    EXPECT_EQ(Split("a,',b", ",", "'"), (Fields{"a", "b"}));
    // An unpaired apostrophe does not end a word.
    EXPECT_EQ(Split("don't stop", " '", "'"), (Fields{"don't", "stop"}));

    // Without the qualifier among the delimiters, quoted text is cut at every
    // delimiter and only pieces starting with the qualifier lose it.
    EXPECT_EQ(Split("\"a b\" c", " ", "\""), (Fields{"a", "b\"", "c"}));
    EXPECT_EQ(Split("'a,b',c", ",", "'"), (Fields{"a", "b'", "c"}));
}

TEST(TextSplit, ColumnLimitIsAskedOncePerPreview) {
    SplitOptions comma{",", kNone, false};
    // 257 columns fit.
    SplitPreview fits = SplitDelimited({NumberedFields(257)}, comma, [] {
        ADD_FAILURE() << "asked for 257 columns";
        return ColumnLimitAnswer::StopLine;
    });
    EXPECT_EQ(fits.columns, 257);
    EXPECT_EQ(fits.rows[0].back(), "256");

    int asked = 0;
    const std::string wide = NumberedFields(300);
    SplitPreview cut = SplitDelimited({wide, "x,y", wide}, comma, [&] {
        ++asked;
        return ColumnLimitAnswer::StopLine;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(cut.cancelled);
    EXPECT_EQ(cut.columns, 257);
    ASSERT_EQ(cut.rows.size(), 3u);
    EXPECT_EQ(cut.rows[0].size(), 257u);
    EXPECT_EQ(cut.rows[1], (Fields{"x", "y"}));
    EXPECT_EQ(cut.rows[2].size(), 257u);

    asked = 0;
    SplitPreview cancelled = SplitDelimited({"a", wide, "b"}, comma, [&] {
        ++asked;
        return ColumnLimitAnswer::Cancel;
    });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.rows.size(), 2u);

    // Without a question the line is cut silently.
    EXPECT_EQ(SplitDelimited({wide}, comma).rows[0].size(), 257u);

    // Trailing delimiters make empty columns only up to the limit.
    asked = 0;
    SplitPreview trailing = SplitDelimited({"a" + std::string(400, ',')}, comma, [&] {
        ++asked;
        return ColumnLimitAnswer::StopLine;
    });
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(trailing.columns, 257);

    // A delimiter that is never stripped (a double quote as Others, no
    // qualifier) makes an empty column at every turn until the limit.
    asked = 0;
    SplitPreview quote = SplitDelimited({"a\"b"}, {"\"", kNone, false}, [&] {
        ++asked;
        return ColumnLimitAnswer::StopLine;
    });
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(quote.rows[0].size(), 257u);
    EXPECT_EQ(quote.rows[0][0], "a");
    EXPECT_EQ(quote.rows[0][256], "");
}

TEST(TextSplit, PreviewColumnCountsAndPlainList) {
    SplitPreview p = SplitDelimited({"", "a,b", "", "c"}, {",", kNone, false});
    EXPECT_FALSE(p.plain);
    EXPECT_EQ(p.columns, 2);
    EXPECT_TRUE(p.rows[0].empty());
    EXPECT_EQ(p.rows[3], (Fields{"c"}));

    EXPECT_EQ(SplitDelimited({"", ""}, {",", kNone, false}).columns, 1);

    SplitPreview plain = SplitDelimited({"a,b c", ""}, {"", "\"", false});
    EXPECT_TRUE(plain.plain);
    EXPECT_EQ(plain.columns, 1);
    EXPECT_EQ(plain.rows, (std::vector<Fields>{{"a,b c"}, {""}}));
}

TEST(TextSplit, TypeProposalAndColumnFormats) {
    EXPECT_TRUE(ProposeFixedWidth({"ab cd ef"}));
    EXPECT_TRUE(ProposeFixedWidth({" ab cd"}));
    EXPECT_FALSE(ProposeFixedWidth({"ab cd"}));
    EXPECT_FALSE(ProposeFixedWidth({"ab  cd"})); // no text between the blanks
    EXPECT_FALSE(ProposeFixedWidth({"ab cd ef", "gh"}));
    EXPECT_FALSE(ProposeFixedWidth({}));

    EXPECT_EQ(GeneralFormats(3), "000");
    EXPECT_EQ(GeneralFormats(0), "0");
    std::string formats = "0";
    AppendGeneralFormats(formats, 2);
    AppendGeneralFormats(formats, -4);
    EXPECT_EQ(formats, "000");
    EXPECT_TRUE(SetColumnFormat(formats, 2, kFormatSkip));
    EXPECT_TRUE(SetColumnFormat(formats, 0, kFormatDate));
    EXPECT_FALSE(SetColumnFormat(formats, 3, kFormatText));
    EXPECT_FALSE(SetColumnFormat(formats, -1, kFormatText));
    EXPECT_FALSE(SetColumnFormat(formats, 1, '4'));
    EXPECT_EQ(formats, "203");

    EXPECT_EQ(ColumnCountField(3), 3);
    EXPECT_EQ(ColumnCountField(257), 1);
    EXPECT_EQ(ColumnCountField(256), 0);
}

// The measured shape the wizard shows (columns, widths, the limit question)
// agrees with the full split, and each row split on demand gives the same
// fields, for delimited and fixed-width data.
TEST(TextSplit, MeasuredShapeAgreesWithTheFullSplit) {
    int widths[256];
    for (int c = 0; c < 256; ++c) {
        widths[c] = 1 + c % 7;
    }
    const std::vector<std::string> lines = {"a,,b",
                                            "\"x, y\",z",
                                            "  lead",
                                            "",
                                            "tail,,",
                                            "'q'' r'",
                                            std::string(300, ','),
                                            NumberedFields(300),
                                            "x\ty;z w"};
    for (const char* delimiters : {",", ", ", ",;\t \"", ""}) {
        for (const std::string& qualifier : std::vector<std::string>{"\"", "'", kNone}) {
            for (bool consecutive : {false, true}) {
                const SplitOptions options{delimiters, qualifier, consecutive};
                int askedFull = 0, askedShape = 0;
                const SplitPreview full = SplitDelimited(lines, options, [&] {
                    ++askedFull;
                    return ColumnLimitAnswer::StopLine;
                });
                const PreviewShape shape = MeasureDelimited(
                    lines, options,
                    [&] {
                        ++askedShape;
                        return ColumnLimitAnswer::StopLine;
                    },
                    widths);
                SCOPED_TRACE(std::string(delimiters) + " / " + qualifier);
                EXPECT_EQ(askedShape, askedFull);
                EXPECT_EQ(shape.columns, full.columns);
                EXPECT_EQ(shape.plain, full.plain);
                EXPECT_EQ(shape.rows, static_cast<int>(full.rows.size()));
                std::vector<long long> widest(static_cast<size_t>(full.columns), 0);
                const DelimitedSplitter splitter(options);
                for (size_t r = 0; r < full.rows.size(); ++r) {
                    std::vector<std::string_view> views;
                    ColumnLimitGate cut;
                    splitter.Split(lines[r], cut, views);
                    if (!full.plain) {
                        EXPECT_EQ(Fields(views.begin(), views.end()), full.rows[r]);
                    }
                    for (size_t c = 0; c < full.rows[r].size(); ++c) {
                        widest[c] = std::max(widest[c], TextWidth(full.rows[r][c], widths));
                    }
                }
                EXPECT_EQ(shape.widest, widest);
            }
        }
    }
    int asked = 0;
    const PreviewShape cancelled =
        MeasureDelimited({"a", NumberedFields(300), "b"}, {",", kNone, false}, [&] {
            ++asked;
            return ColumnLimitAnswer::Cancel;
        });
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.rows, 2);
}
