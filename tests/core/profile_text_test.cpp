#include "qvcore/profile_text.h"

#include <climits>

#include <gtest/gtest.h>

using namespace qv::core;

TEST(ProfileText, UntouchedTextIsWrittenBackByteForByte) {
    const char* samples[] = {
        "",
        "[Function]\r\n0=3\r\n1=2005\r\n",
        "; comment\n[A]\nx = 1 \n\n[B]\r\ny=2",    // mixed endings, no final newline
        "\xEF\xBB\xBF[A]\r\nk=v\r\n",              // byte-order mark
        "garbage line\n[unclosed\n=novalue\n\r\n", // lines the store does not understand
    };
    for (const char* text : samples) {
        EXPECT_EQ(ProfileText::Parse(text).Serialize(), text);
    }
}

TEST(ProfileText, LookupsIgnoreCaseAndWhiteSpaceAndTakeTheFirstOccurrence) {
    ProfileText doc = ProfileText::Parse("top=0\n"
                                         "[Delimiter]\n"
                                         "  0 =  1  \n"
                                         "6=\" \"\n"
                                         "7='\n"
                                         "0=9\n"
                                         "[delimiter]\n"
                                         "1=5\n");
    EXPECT_EQ(doc.Get("DELIMITER", "0"), "1");
    EXPECT_EQ(doc.Get(" Delimiter ", " 0"), "1");
    EXPECT_EQ(doc.Get("Delimiter", "6"), " ");          // quotes removed
    EXPECT_EQ(doc.Get("Delimiter", "7"), "'");          // a lone quote stays
    EXPECT_EQ(doc.Get("Delimiter", "1"), std::nullopt); // only in the second copy
    EXPECT_EQ(doc.Get("", "top"), std::nullopt);        // keys before any section
    EXPECT_EQ(doc.Get("Missing", "0"), std::nullopt);
    EXPECT_EQ(ProfileText::Parse("\xEF\xBB\xBF[A]\r\nk=v").Get("a", "K"), "v");
    auto entries = doc.Entries("delimiter");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], (std::pair<std::string, std::string>{"0", "1"}));
    EXPECT_EQ(entries[3], (std::pair<std::string, std::string>{"0", "9"}));
}

TEST(ProfileText, EditsKeepEverythingElseAndReadBack) {
    const char* text = "; kept\r\n[Function]\r\n0=3\r\n; note\r\n\r\n[Other]\r\nk=v";
    ProfileText doc = ProfileText::Parse(text);
    ASSERT_TRUE(doc.Set("function", "0", "5"));        // replace, original key spelling
    ASSERT_TRUE(doc.Set("Function", "1", "2005"));     // add after the last non-blank line
    ASSERT_TRUE(doc.Set("Other", "k2", "  padded  ")); // appended to a last line w/o ending
    ASSERT_TRUE(doc.Set("New", "q", "\"quoted\""));    // new section at the end
    EXPECT_EQ(doc.Serialize(), "; kept\r\n[Function]\r\n0=5\r\n; note\r\n1=2005\r\n\r\n"
                               "[Other]\r\nk=v\r\nk2=\"  padded  \"\r\n\r\n"
                               "[New]\r\nq=\"\"quoted\"\"\r\n");
    ProfileText again = ProfileText::Parse(doc.Serialize());
    EXPECT_EQ(again.Get("Other", "k2"), "  padded  ");
    EXPECT_EQ(again.Get("New", "q"), "\"quoted\"");
    EXPECT_EQ(again.Get("Function", "0"), "5");

    // Names and values that could not be read back are refused without a change.
    std::string before = doc.Serialize();
    EXPECT_FALSE(doc.Set("a]b", "k", "v"));
    EXPECT_FALSE(doc.Set("  ", "k", "v"));
    EXPECT_FALSE(doc.Set("S", "a=b", "v"));
    EXPECT_FALSE(doc.Set("S", "[k", "v"));
    EXPECT_FALSE(doc.Set("S", ";k", "v"));
    EXPECT_FALSE(doc.Set("S", "k", "two\nlines"));
    EXPECT_FALSE(doc.Set("S\r", "k", "v"));
    EXPECT_EQ(doc.Serialize(), before);

    EXPECT_TRUE(doc.RemoveKey("FUNCTION", "1"));
    EXPECT_FALSE(doc.RemoveKey("Function", "1"));
    EXPECT_TRUE(doc.RemoveSection("other"));
    EXPECT_FALSE(doc.HasSection("Other"));
    EXPECT_EQ(doc.Serialize(), "; kept\r\n[Function]\r\n0=5\r\n; note\r\n\r\n"
                               "[New]\r\nq=\"\"quoted\"\"\r\n");

    ProfileText empty = ProfileText::Parse("");
    ASSERT_TRUE(empty.Set("Delimiter", "6", ""));
    EXPECT_EQ(empty.Serialize(), "[Delimiter]\r\n6=\r\n");
    ProfileText lf = ProfileText::Parse("[A]\nx=1\n");
    ASSERT_TRUE(lf.Set("A", "y", "2"));
    EXPECT_EQ(lf.Serialize(), "[A]\nx=1\ny=2\n"); // the file's own line ending
}

TEST(ProfileText, IntegersReadLikeProfileIntegers) {
    EXPECT_EQ(ParseProfileInt("", 7), 7);
    EXPECT_EQ(ParseProfileInt("  ", 7), 7);
    EXPECT_EQ(ParseProfileInt("42", 7), 42);
    EXPECT_EQ(ParseProfileInt("-17abc", 7), -17);
    EXPECT_EQ(ParseProfileInt("+3", 7), 3);
    EXPECT_EQ(ParseProfileInt("abc", 7), 0);
    EXPECT_EQ(ParseProfileInt("-", 7), 0);
    EXPECT_EQ(ParseProfileInt("99999999999999999999999", 0), INT_MAX);
    EXPECT_EQ(ParseProfileInt("-2147483648", 0), INT_MIN);
    EXPECT_EQ(ParseProfileInt("-99999999999", 0), INT_MIN);
}
