// The resource-only libraries in the application folder: every string of the
// tables loads with its exact English and local text, the local texts are
// told apart from the English ones, the local column alphabet suits the
// reference conversion, and every image loads at its size.

#include <windows.h>

#include "qvcore/utf8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct ResString {
    unsigned id;
    const char* english; // nullptr: not in the English library
    const char* local;   // nullptr: not in the local library
    bool same;           // the local text is the English one on purpose
};

struct ResImage {
    enum Kind { kBitmap, kIcon };
    const char* library;
    unsigned id;
    Kind kind;
    int width;
    int height;
};

#include "qvssd_resource_tables.inc"

std::string AppPath(const std::string& file) {
    std::string path = std::string(QVSSD_APP_DIR) + "/" + file;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// A library loaded for its resources only, freed at scope end.
class DataLibrary {
  public:
    explicit DataLibrary(const std::string& file)
        : module_(LoadLibraryExA(AppPath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataLibrary() {
        if (module_)
            FreeLibrary(module_);
    }
    DataLibrary(const DataLibrary&) = delete;
    DataLibrary& operator=(const DataLibrary&) = delete;
    HMODULE get() const { return module_; }

    // Loads string `id` as UTF-8; false when the library has no such string.
    bool Load(unsigned id, std::string* text) const {
        const wchar_t* raw = nullptr;
        const int n = LoadStringW(module_, id, reinterpret_cast<LPWSTR>(&raw), 0);
        if (n <= 0 || raw == nullptr)
            return false;
        *text = qv::core::Utf16ToUtf8(
            std::u16string_view(reinterpret_cast<const char16_t*>(raw), size_t(n)));
        return true;
    }

  private:
    HMODULE module_;
};

struct Family {
    const char* english;
    const char* local;
    const ResString* table;
    size_t size;
};

const Family kFamilies[] = {
    {"QVSSDSE.dll", "QVSSDSL.dll", kQVSSDS, std::size(kQVSSDS)},
    {"QVComnSE.dll", "QVComnSL.dll", kQVComnS, std::size(kQVComnS)},
    {"QVMSGSE.dll", "QVMSGSL.dll", kQVMSGS, std::size(kQVMSGS)},
    {"QVSSMSE.dll", "QVSSMSL.dll", kQVSSMS, std::size(kQVSSMS)},
};

// Strings whose local text may equal the English one: the font face, the
// edition switch and the custom number-format codes, which are not language.
int CountOf(const std::string& s, char c) {
    int n = 0;
    for (char x : s)
        n += x == c;
    return n;
}

bool EndsWith(const std::string& s, const char* tail) {
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

TEST(ResourceLibraries, LoadLikeTheProductLoadsThem) {
    // The dialogs use plain LoadLibrary; a library without code must load and
    // free cleanly that way too.
    std::set<std::string> files;
    for (const Family& f : kFamilies) {
        files.insert(f.english);
        files.insert(f.local);
    }
    for (const ResImage& image : kImages)
        files.insert(image.library);
    for (const std::string& file : files) {
        HMODULE module = LoadLibraryA(AppPath(file).c_str());
        ASSERT_NE(module, nullptr) << file << ": error " << GetLastError();
        EXPECT_TRUE(FreeLibrary(module)) << file;
    }
}

TEST(StringLibraries, HoldEveryTableEntryInBothLanguages) {
    for (const Family& family : kFamilies) {
        DataLibrary english(family.english), local(family.local);
        ASSERT_NE(english.get(), nullptr) << family.english;
        ASSERT_NE(local.get(), nullptr) << family.local;
        for (size_t i = 0; i < family.size; ++i) {
            const ResString& s = family.table[i];
            std::string en, lo;
            const bool has_en = english.Load(s.id, &en);
            const bool has_lo = local.Load(s.id, &lo);
            SCOPED_TRACE(std::string(family.english) + " id " + std::to_string(s.id));
            ASSERT_EQ(has_en, s.english != nullptr);
            ASSERT_EQ(has_lo, s.local != nullptr);
            if (has_en) {
                EXPECT_EQ(en, s.english);
            }
            if (has_lo) {
                EXPECT_EQ(lo, s.local);
            }
            if (!has_en || !has_lo)
                continue;
            // Local texts must be told apart from English ones, but keep what
            // the dialogs rely on: accelerators, the "..." of buttons that
            // open a dialog, and the token form of header/footer fields.
            if (!s.same) {
                EXPECT_NE(lo, en);
            }
            // Every local text is a translation: none is the English text
            // with the marker of an untranslated string.
            EXPECT_NE(lo[0], '~') << lo;
            EXPECT_EQ(CountOf(lo, '&'), CountOf(en, '&'));
            EXPECT_EQ(EndsWith(lo, "..."), EndsWith(en, "..."));
            EXPECT_EQ(EndsWith(lo, "]"), EndsWith(en, "]"));
            // Hidden catalogue entries stay hidden in both languages.
            EXPECT_EQ(lo[0] == '*', en[0] == '*');
        }
    }
}

TEST(StringLibraries, FixedRolesArePresent) {
    for (const char* file : {"QVSSDSE.dll", "QVSSDSL.dll", "QVComnSE.dll", "QVComnSL.dll"}) {
        SCOPED_TRACE(file);
        DataLibrary lib(file);
        std::string face, size, text;
        ASSERT_TRUE(lib.Load(20000, &face));
        ASSERT_TRUE(lib.Load(20001, &size));
        EXPECT_FALSE(face.empty());
        EXPECT_GT(std::atoi(size.c_str()), 0);
        for (unsigned id : {20002u, 20003u, 1303u, 1304u})
            EXPECT_TRUE(lib.Load(id, &text)) << id;
    }
    for (const char* file : {"QVMSGSE.dll", "QVMSGSL.dll"}) {
        SCOPED_TRACE(file);
        DataLibrary lib(file);
        std::string ok, yes, no;
        ASSERT_TRUE(lib.Load(60001, &ok));
        ASSERT_TRUE(lib.Load(60002, &yes));
        ASSERT_TRUE(lib.Load(60003, &no));
        EXPECT_EQ(CountOf(yes, '&'), 1);
        EXPECT_EQ(CountOf(no, '&'), 1);
    }
    // The edition switch reads as a number, and is not 2 (the standard
    // behaviour of the Number page, Options and Define Name).
    DataLibrary locale("QVSSMSE.dll");
    std::string edition;
    ASSERT_TRUE(locale.Load(10008, &edition));
    EXPECT_NE(std::atoi(edition.c_str()), 2);
    EXPECT_EQ(edition.find_first_not_of("0123456789"), std::string::npos);
}

TEST(StringLibraries, MessagesAreSentencesWithoutAccelerators) {
    for (size_t i = 0; i < std::size(kQVMSGS); ++i) {
        const ResString& s = kQVMSGS[i];
        if (s.id >= 20000)
            continue; // the box's font and button texts
        SCOPED_TRACE(s.id);
        const std::string en = s.english;
        EXPECT_EQ(en.find('&'), std::string::npos);
        EXPECT_TRUE(EndsWith(en, ".") || EndsWith(en, "?"));
    }
}

// The letters of the local column alphabet at `base` (count) and base + 1 on.
std::vector<std::string> ReadAlphabet(const DataLibrary& lib, unsigned base) {
    std::string count;
    EXPECT_TRUE(lib.Load(base, &count)) << base;
    std::vector<std::string> letters;
    const int n = std::atoi(count.c_str());
    for (int i = 1; i <= n; ++i) {
        std::string letter;
        EXPECT_TRUE(lib.Load(base + unsigned(i), &letter)) << base + unsigned(i);
        letters.push_back(letter);
    }
    std::string beyond;
    EXPECT_FALSE(lib.Load(base + unsigned(n) + 1, &beyond)) << "letters past the count";
    return letters;
}

TEST(LocaleStrings, LocalAlphabetsSpellColumnsOneWayOnly) {
    DataLibrary local("QVSSMSL.dll");
    ASSERT_NE(local.get(), nullptr);
    std::string selector;
    ASSERT_TRUE(local.Load(10010, &selector));
    EXPECT_EQ(selector.find_first_not_of("0123456789"), std::string::npos);
    for (unsigned base : {8000u, 10300u}) {
        SCOPED_TRACE(base);
        const std::vector<std::string> letters = ReadAlphabet(local, base);
        EXPECT_GE(letters.size(), 26u);
        bool multi = false;
        for (const std::string& a : letters) {
            EXPECT_GE(a.size(), 1u);
            EXPECT_LE(qv::core::Utf8Length(a), 9u);
            // No digit (the row starts at the first digit) and nothing that
            // separates references or cells.
            EXPECT_EQ(a.find_first_of("0123456789:,.$()! \t"), std::string::npos) << a;
            multi |= a.size() > 1;
            for (const std::string& b : letters) {
                if (&a != &b) {
                    EXPECT_NE(b.compare(0, a.size(), a), 0) << a << " is a prefix of " << b;
                }
            }
        }
        // Real letters of the script: more than one byte of UTF-8 each.
        EXPECT_TRUE(multi);
    }
    // The two alphabets differ, so a test can tell which one the switch chose.
    EXPECT_NE(ReadAlphabet(local, 8000), ReadAlphabet(local, 10300));
}

// Pixels of a bitmap as 0x00RRGGBB values, top row first.
std::vector<unsigned> Pixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned> pixels(size_t(width) * size_t(height));
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(rows, height);
    for (unsigned& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

TEST(ImageLibraries, EveryImageLoadsAtItsSize) {
    for (const ResImage& image : kImages) {
        SCOPED_TRACE(std::string(image.library) + " id " + std::to_string(image.id));
        DataLibrary lib(image.library);
        ASSERT_NE(lib.get(), nullptr);
        if (image.kind == ResImage::kIcon) {
            HICON icon = static_cast<HICON>(LoadImageA(lib.get(), MAKEINTRESOURCEA(image.id),
                                                       IMAGE_ICON, image.width, image.height, 0));
            ASSERT_NE(icon, nullptr);
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP bm{};
            GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, image.width);
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
            continue;
        }
        // Natural size, as the Sheet page and the pictures load them.
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(lib.get(), MAKEINTRESOURCEA(image.id), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(bitmap, nullptr);
        BITMAP bm{};
        ASSERT_TRUE(GetObjectA(bitmap, sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, image.width);
        EXPECT_EQ(bm.bmHeight, image.height);
        // A picture, not a blank square.
        const std::vector<unsigned> pixels = Pixels(bitmap, image.width, image.height);
        EXPECT_GE(std::set<unsigned>(pixels.begin(), pixels.end()).size(), 2u);
        DeleteObject(bitmap);
        // Stretched, as the range buttons load 13047 at 16 by 16 and 18 by 18.
        HBITMAP sized = static_cast<HBITMAP>(
            LoadImageA(lib.get(), MAKEINTRESOURCEA(image.id), IMAGE_BITMAP, 16, 16, 0));
        ASSERT_NE(sized, nullptr);
        ASSERT_TRUE(GetObjectA(sized, sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, 16);
        DeleteObject(sized);
    }
}

// Pattern styles as the Pattern page brushes them: 8 rows, most significant
// bit leftmost; a 0 bit takes the pattern colour.
constexpr unsigned char kPatternRows[33][8] = {
    {0x44, 0x11, 0x44, 0x11, 0x44, 0x11, 0x44, 0x11},
    {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA},
    {0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE},
    {0xEE, 0xFF, 0xBB, 0xFF, 0xEE, 0xFF, 0xBB, 0xFF},
    {0xFF, 0xFF, 0xEE, 0xFF, 0xFF, 0xFF, 0xBB, 0xFF},
    {0xFB, 0xFF, 0xBF, 0xFF, 0xFA, 0xFF, 0xAF, 0xFF},
    {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00},
    {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC},
    {0x55, 0xCC, 0x99, 0x44, 0x55, 0xCC, 0x99, 0x44},
    {0x44, 0x99, 0xCC, 0x55, 0x44, 0x99, 0xCC, 0x55},
    {0x55, 0x55, 0x99, 0x99, 0x55, 0x55, 0x99, 0x99},
    {0x55, 0x00, 0x99, 0x00, 0x55, 0x00, 0x99, 0x00},
    {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF},
    {0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD},
    {0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77},
    {0x77, 0xBB, 0xDD, 0xEE, 0x77, 0xBB, 0xDD, 0xEE},
    {0xEE, 0x00, 0xEE, 0xEE, 0xEE, 0x00, 0xEE, 0xEE},
    {0xEE, 0x55, 0xBB, 0x55, 0xEE, 0xBB, 0x55, 0xEE},
    {0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF},
    {0xFE, 0xFF, 0xFB, 0xFF, 0xEF, 0xFF, 0xBF, 0xFF},
    {0xF7, 0xFF, 0xFD, 0xFF, 0x7F, 0xFF, 0xDF, 0xFF},
    {0x88, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF},
    {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE},
    {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F},
    {0xF7, 0xFB, 0xFD, 0xFE, 0x7F, 0xBF, 0xDF, 0xEF},
    {0x00, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE},
    {0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3},
    {0xF3, 0xF9, 0xFC, 0x7E, 0x3F, 0x9F, 0xCF, 0xE7},
    {0xE7, 0xCF, 0x9F, 0x3F, 0x7E, 0xFC, 0xF9, 0xF3},
    {0x00, 0x00, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3},
};

// Popup button k of the Pattern page selects this style (-1 = no pattern).
constexpr int kPopupStyle[18] = {-1, 6, 12, 0, 7, 13, 1, 30, 15, 2, 31, 14, 3, 8, 16, 4, 11, 17};

TEST(ImageLibraries, PatternPopupImagesShowTheirPatterns) {
    DataLibrary lib("QVWPAG.dll");
    ASSERT_NE(lib.get(), nullptr);
    for (int k = 0; k < 18; ++k) {
        SCOPED_TRACE(k);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(lib.get(), MAKEINTRESOURCEA(701 + k), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(bitmap, nullptr);
        const std::vector<unsigned> pixels = Pixels(bitmap, 16, 16);
        DeleteObject(bitmap);
        // Inside a one-pixel frame, the style's 8 by 8 cell repeats, drawn
        // black on white; "no pattern" is plain white.
        int wrong = 0;
        for (int y = 1; y < 15; ++y)
            for (int x = 1; x < 15; ++x) {
                const int style = kPopupStyle[k];
                const bool fill =
                    style < 0 || ((kPatternRows[style][(y - 1) % 8] >> (7 - (x - 1) % 8)) & 1);
                wrong += pixels[size_t(y) * 16 + size_t(x)] != (fill ? 0xFFFFFFu : 0u);
            }
        EXPECT_EQ(wrong, 0);
    }
}

} // namespace
