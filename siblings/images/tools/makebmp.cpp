// Draws the pictures of the image libraries QVSSG.dll and QVWPAG.dll (and the
// range-picker bitmap that the dialog-string libraries carry too) as 24-bit
// BMP files, and the Paste Special icon as an ICO file.
//
// Not part of the build: the generated files are committed under ../bmp.
// Regenerate them after changing a picture:
//
//   g++ -std=c++20 -O2 -Wall -Wextra -o /tmp/makebmp siblings/images/tools/makebmp.cpp
//   /tmp/makebmp siblings/images/bmp
//
// Every file written here is listed in ../images.txt with its size.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kFrame{128, 128, 128};
constexpr Rgb kGrid{196, 196, 196};
constexpr Rgb kDotted{170, 170, 170};
constexpr Rgb kInk{48, 48, 48};
constexpr Rgb kRed{208, 0, 0};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kBlue{0, 84, 200};
constexpr Rgb kSelection{198, 218, 255};
constexpr Rgb kFace{212, 208, 200};
constexpr Rgb kDisabledInk{160, 160, 160};
constexpr Rgb kDisabledDotted{214, 214, 214};

struct Canvas {
    int w, h;
    std::vector<Rgb> px;
    std::vector<uint8_t> alpha; // used by icons only
    Canvas(int width, int height, Rgb fill)
        : w(width), h(height), px(size_t(width) * height, fill),
          alpha(size_t(width) * height, 255) {}

    void set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < w && y < h)
            px[size_t(y) * w + x] = c;
    }
    Rgb get(int x, int y) const { return px[size_t(y) * w + x]; }
    // Filled rectangle, corners inclusive.
    void fill(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y, c);
    }
    // Rectangle outline of the given thickness, drawn inwards.
    void frame(int x0, int y0, int x1, int y1, Rgb c, int t = 1) {
        for (int i = 0; i < t; ++i) {
            fill(x0 + i, y0 + i, x1 - i, y0 + i, c);
            fill(x0 + i, y1 - i, x1 - i, y1 - i, c);
            fill(x0 + i, y0 + i, x0 + i, y1 - i, c);
            fill(x1 - i, y0 + i, x1 - i, y1 - i, c);
        }
    }
    void dotted_h(int x0, int x1, int y, Rgb c) {
        for (int x = x0; x <= x1; ++x)
            if ((x - x0) % 2 == 0)
                set(x, y, c);
    }
    void dotted_v(int x, int y0, int y1, Rgb c) {
        for (int y = y0; y <= y1; ++y)
            if ((y - y0) % 2 == 0)
                set(x, y, c);
    }
    void dotted_frame(int x0, int y0, int x1, int y1, Rgb c) {
        dotted_h(x0, x1, y0, c);
        dotted_h(x0, x1, y1, c);
        dotted_v(x0, y0, y1, c);
        dotted_v(x1, y0, y1, c);
    }
    // Line with a square pen of the given width (Bresenham).
    void line(int x0, int y0, int x1, int y1, Rgb c, int width = 1) {
        int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            fill(x0, y0, x0 + width - 1, y0 + width - 1, c);
            if (x0 == x1 && y0 == y1)
                break;
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
    // Filled triangle (pixel centres inside the edges).
    void triangle(double ax, double ay, double bx, double by, double cx, double cy, Rgb c) {
        auto edge = [](double x0, double y0, double x1, double y1, double x, double y) {
            return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
        };
        int minx = int(std::floor(std::min({ax, bx, cx}))),
            maxx = int(std::ceil(std::max({ax, bx, cx})));
        int miny = int(std::floor(std::min({ay, by, cy}))),
            maxy = int(std::ceil(std::max({ay, by, cy})));
        for (int y = miny; y <= maxy; ++y)
            for (int x = minx; x <= maxx; ++x) {
                double px_ = x + 0.5, py_ = y + 0.5;
                double e0 = edge(ax, ay, bx, by, px_, py_);
                double e1 = edge(bx, by, cx, cy, px_, py_);
                double e2 = edge(cx, cy, ax, ay, px_, py_);
                if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                    set(x, y, c);
            }
    }
    // Text in a 5 by 7 font, each dot a scale by scale square.
    void text(int x, int y, const std::string& s, Rgb c, int scale = 1);
};

// 5 by 7 glyphs, one string per row, '#' = ink.
struct Glyph {
    char ch;
    std::array<const char*, 7> rows;
};
constexpr Glyph kFont[] = {
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
};

void Canvas::text(int x, int y, const std::string& s, Rgb c, int scale) {
    for (char ch : s) {
        for (const Glyph& g : kFont) {
            if (g.ch != ch)
                continue;
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g.rows[row][col] == '#')
                        fill(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                             y + row * scale + scale - 1, c);
        }
        x += 6 * scale;
    }
}

void put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, unsigned v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER for a bottom-up image of the given height field.
void info_header(std::vector<uint8_t>& out, int w, int height_field, int bpp, unsigned image_size) {
    put32(out, 40);
    put32(out, unsigned(w));
    put32(out, unsigned(height_field));
    put16(out, 1);
    put16(out, unsigned(bpp));
    put32(out, 0); // BI_RGB
    put32(out, image_size);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        std::fprintf(stderr, "makebmp: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fclose(f);
}

std::string g_dir;

void save_bmp(const Canvas& c, const std::string& name) {
    const int stride = (c.w * 3 + 3) & ~3;
    const unsigned image_size = unsigned(stride * c.h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + image_size);
    put32(out, 0);
    put32(out, 14 + 40);
    info_header(out, c.w, c.h, 24, image_size);
    for (int y = c.h - 1; y >= 0; --y) {
        int n = 0;
        for (int x = 0; x < c.w; ++x, n += 3) {
            Rgb p = c.get(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (; n < stride; ++n)
            out.push_back(0);
    }
    write_file(g_dir + "/" + name, out);
}

// An icon file with one 32-bit image (alpha) and its AND mask per canvas.
void save_ico(const std::vector<const Canvas*>& images, const std::string& name) {
    std::vector<std::vector<uint8_t>> blobs;
    for (const Canvas* c : images) {
        std::vector<uint8_t> b;
        const int mask_stride = ((c->w + 31) / 32) * 4;
        const unsigned xor_size = unsigned(c->w * c->h * 4);
        info_header(b, c->w, c->h * 2, 32, xor_size + unsigned(mask_stride * c->h));
        for (int y = c->h - 1; y >= 0; --y)
            for (int x = 0; x < c->w; ++x) {
                Rgb p = c->get(x, y);
                b.push_back(p.b);
                b.push_back(p.g);
                b.push_back(p.r);
                b.push_back(c->alpha[size_t(y) * c->w + x]);
            }
        for (int y = c->h - 1; y >= 0; --y) {
            std::vector<uint8_t> row(size_t(mask_stride), 0);
            for (int x = 0; x < c->w; ++x)
                if (c->alpha[size_t(y) * c->w + x] < 128)
                    row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            b.insert(b.end(), row.begin(), row.end());
        }
        blobs.push_back(std::move(b));
    }
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, unsigned(images.size()));
    unsigned offset = 6 + 16 * unsigned(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i]->w));
        out.push_back(uint8_t(images[i]->h));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, unsigned(blobs[i].size()));
        put32(out, offset);
        offset += unsigned(blobs[i].size());
    }
    for (const auto& b : blobs)
        out.insert(out.end(), b.begin(), b.end());
    write_file(g_dir + "/" + name, out);
}

// ---------------------------------------------------------------------------
// Range boxes
// ---------------------------------------------------------------------------

// 13047: pick a range in the sheet (the dialog shrinks to the range bar): a
// piece of sheet with a selected block and a red arrow pointing into it.
void range_pick() {
    Canvas c(18, 18, kWhite);
    for (int v : {6, 12}) {
        c.fill(v, 1, v, 16, kGrid);
        c.fill(1, v, 16, v, kGrid);
    }
    c.fill(2, 2, 10, 10, kSelection);
    c.frame(1, 1, 11, 11, kNavy);
    c.line(15, 15, 10, 10, kRed, 2);
    c.triangle(6.0, 6.0, 12.0, 8.0, 8.0, 12.0, kRed);
    c.frame(0, 0, 17, 17, kFrame);
    save_bmp(c, "range_pick.bmp");
}

// 13048: return from the range bar to the dialog: a small dialog window with
// a red arrow pointing down into it.
void range_return() {
    Canvas c(18, 18, kFace);
    c.fill(1, 1, 16, 4, kNavy);
    c.fill(13, 2, 15, 3, kWhite);
    c.fill(8, 6, 9, 10, kRed);
    c.triangle(4.0, 10.0, 14.0, 10.0, 9.0, 16.0, kRed);
    c.frame(0, 0, 17, 17, kFrame);
    save_bmp(c, "range_return.bmp");
}

// ---------------------------------------------------------------------------
// Page Setup pictures
// ---------------------------------------------------------------------------

// 13051 and 13041: the orientation pictures, a page with an upright letter A.
void orientation(int w, int h, const std::string& name) {
    Canvas c(w, h, kWhite);
    c.frame(0, 0, w - 1, h - 1, kInk);
    const int scale = 3;
    c.text((w - 5 * scale) / 2, (h - 7 * scale) / 2, "A", kInk, scale);
    save_bmp(c, name);
}

// 13054-13057 and 13159-13162: a page with its margins and the printed block,
// centred horizontally and/or vertically as the two check boxes say.
void margins(bool landscape, bool horizontally, bool vertically, const std::string& name) {
    const int w = landscape ? 130 : 100, h = landscape ? 100 : 130;
    Canvas c(w, h, kWhite);
    c.frame(0, 0, w - 1, h - 1, kInk);
    const int m = 12; // margin
    c.dotted_h(1, w - 2, m, kDotted);
    c.dotted_h(1, w - 2, h - 1 - m, kDotted);
    c.dotted_v(m, 1, h - 2, kDotted);
    c.dotted_v(w - 1 - m, 1, h - 2, kDotted);
    const int bw = landscape ? 56 : 44, bh = landscape ? 36 : 48;
    const int bx = horizontally ? (w - bw) / 2 : m + 3;
    const int by = vertically ? (h - bh) / 2 : m + 3;
    if (horizontally)
        for (int y = m + 1; y < h - 1 - m; y += 4)
            c.fill(w / 2, y, w / 2, y + 1, kBlue);
    if (vertically)
        for (int x = m + 1; x < w - 1 - m; x += 4)
            c.fill(x, h / 2, x + 1, h / 2, kBlue);
    c.fill(bx, by, bx + bw - 1, by + bh - 1, kSelection);
    c.frame(bx, by, bx + bw - 1, by + bh - 1, kFrame);
    // Lines of text inside the block.
    for (int y = by + 4, i = 0; y + 2 < by + bh - 2; y += 6, ++i) {
        int len = (i % 3 == 2) ? bw * 3 / 5 : bw - 8;
        c.fill(bx + 4, y, bx + 4 + len - 1, y + 2, kInk);
    }
    save_bmp(c, name);
}

// A page with its number in the top right corner, for the collate pictures.
void small_page(Canvas& c, int x, int y, int w, int h, char number) {
    c.fill(x, y, x + w - 1, y + h - 1, kWhite);
    c.frame(x, y, x + w - 1, y + h - 1, kInk);
    c.text(x + w - 7, y + 2, std::string(1, number), kInk);
}

// 13038 ("Down, then over") and 13050 ("Over, then down"): four pages and
// the path along which they are numbered.
void page_order(bool down_first, const std::string& name) {
    Canvas c(70, 50, kWhite);
    c.frame(0, 0, 69, 49, kFrame);
    const int px[2] = {7, 39}, py[2] = {5, 27}, pw = 24, ph = 18;
    const char* labels = down_first ? "1324" : "1234"; // row-major: TL, TR, BL, BR
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            char n = labels[row * 2 + col];
            c.fill(px[col], py[row], px[col] + pw - 1, py[row] + ph - 1, kWhite);
            c.frame(px[col], py[row], px[col] + pw - 1, py[row] + ph - 1, kInk);
            c.text(px[col] + 3, py[row] + 3, std::string(1, n), kInk);
        }
    // Path through the page centres in reading order, then an arrow head.
    auto centre = [&](int row, int col) {
        return std::pair<int, int>{px[col] + pw / 2 + 2, py[row] + ph / 2 + 1};
    };
    std::array<std::pair<int, int>, 4> order =
        down_first ? std::array<std::pair<int, int>, 4>{centre(0, 0), centre(1, 0), centre(0, 1),
                                                        centre(1, 1)}
                   : std::array<std::pair<int, int>, 4>{centre(0, 0), centre(0, 1), centre(1, 0),
                                                        centre(1, 1)};
    for (int i = 0; i + 1 < 4; ++i)
        c.line(order[i].first, order[i].second, order[i + 1].first, order[i + 1].second, kBlue, 2);
    auto [ex, ey] = order[3];
    auto [sx, sy] = order[2];
    double dx = ex - sx, dy = ey - sy, len = std::sqrt(dx * dx + dy * dy);
    dx /= len;
    dy /= len;
    const double tipx = ex + 1 + dx * 3, tipy = ey + 1 + dy * 3;
    c.triangle(tipx, tipy, tipx - dx * 7 - dy * 4, tipy - dy * 7 + dx * 4, tipx - dx * 7 + dy * 4,
               tipy - dy * 7 - dx * 4, kBlue);
    save_bmp(c, name);
}

// 13098 (collated) and 13097 (not collated): the copies as fanned stacks of
// pages, each page's number visible.
void collate(bool collated, const std::string& name) {
    Canvas c(76, 36, kWhite);
    c.frame(0, 0, 75, 35, kFrame);
    const int pw = 14, ph = 18;
    if (collated) {
        for (int group = 0; group < 2; ++group) {
            const int gx = 6 + group * 36, gy = 4;
            small_page(c, gx + 16, gy, pw, ph, '3');
            small_page(c, gx + 8, gy + 5, pw, ph, '2');
            small_page(c, gx, gy + 10, pw, ph, '1');
        }
    } else {
        const char numbers[3] = {'1', '2', '3'};
        for (int group = 0; group < 3; ++group) {
            const int gx = 4 + group * 24, gy = 6;
            small_page(c, gx + 8, gy, pw, ph, numbers[group]);
            small_page(c, gx, gy + 5, pw, ph, numbers[group]);
        }
    }
    save_bmp(c, name);
}

// ---------------------------------------------------------------------------
// Border page buttons
// ---------------------------------------------------------------------------

enum Edge { kTop = 1, kBottom = 2, kLeft = 4, kRight = 8, kInsideH = 16, kInsideV = 32 };

// A cell block whose edges in `strong` are drawn as solid lines and the rest
// dotted; the disabled image draws everything paler.
void border_button(int size, unsigned strong, bool disabled, const std::string& name) {
    Canvas c(size, size, kWhite);
    const Rgb ink = disabled ? kDisabledInk : kBlack;
    const Rgb dots = disabled ? kDisabledDotted : kDotted;
    const int lo = size / 6, hi = size - 1 - size / 6, mid = size / 2 - 1;
    c.dotted_frame(lo, lo, hi, hi, dots);
    c.dotted_h(lo, hi, mid, dots);
    c.dotted_v(mid, lo, hi, dots);
    if (strong & kTop)
        c.fill(lo, lo, hi, lo + 1, ink);
    if (strong & kBottom)
        c.fill(lo, hi - 1, hi, hi, ink);
    if (strong & kLeft)
        c.fill(lo, lo, lo + 1, hi, ink);
    if (strong & kRight)
        c.fill(hi - 1, lo, hi, hi, ink);
    if (strong & kInsideH)
        c.fill(lo, mid, hi, mid + 1, ink);
    if (strong & kInsideV)
        c.fill(mid, lo, mid + 1, hi, ink);
    c.frame(0, 0, size - 1, size - 1, disabled ? kDisabledDotted : kGrid);
    save_bmp(c, name);
}

// ---------------------------------------------------------------------------
// Pattern popup (QVWPAG.dll, images 701 to 718)
// ---------------------------------------------------------------------------

// The 33 pattern styles, 8 rows each, most significant bit leftmost; a 0 bit
// is drawn in the pattern colour, a 1 bit in the fill colour.
constexpr uint8_t kPatterns[33][8] = {
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

// Pattern style of popup button k (-1 = no pattern).
constexpr int kPopupStyles[18] = {-1, 6, 12, 0, 7, 13, 1, 30, 15, 2, 31, 14, 3, 8, 16, 4, 11, 17};

void pattern_button(int k) {
    Canvas c(16, 16, kWhite);
    const int style = kPopupStyles[k];
    if (style >= 0)
        for (int y = 1; y < 15; ++y)
            for (int x = 1; x < 15; ++x) {
                const int i = x - 1, j = y - 1;
                const bool one = (kPatterns[style][j % 8] >> (7 - i % 8)) & 1;
                c.set(x, y, one ? kWhite : kBlack);
            }
    c.frame(0, 0, 15, 15, kFrame);
    char name[32];
    std::snprintf(name, sizeof name, "pattern_%02d.bmp", k);
    save_bmp(c, name);
}

// ---------------------------------------------------------------------------
// Paste Special icon (13101)
// ---------------------------------------------------------------------------

// A clipboard holding a sheet of paper, at 32 by 32.
Canvas clipboard(Rgb background, bool transparent) {
    Canvas c(32, 32, background);
    if (transparent)
        std::fill(c.alpha.begin(), c.alpha.end(), uint8_t(0));
    auto put = [&](int x0, int y0, int x1, int y1, Rgb col) {
        c.fill(x0, y0, x1, y1, col);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                c.alpha[size_t(y) * 32 + x] = 255;
    };
    put(5, 4, 26, 30, Rgb{120, 78, 38});   // board edge
    put(6, 5, 25, 29, Rgb{176, 122, 62});  // board
    put(9, 9, 22, 27, Rgb{255, 255, 255}); // paper
    put(11, 2, 20, 7, Rgb{96, 96, 96});    // clip edge
    put(12, 3, 19, 6, Rgb{200, 200, 200}); // clip
    put(14, 1, 17, 2, Rgb{96, 96, 96});    // clip ring
    for (int y = 12, i = 0; y <= 24; y += 3, ++i)
        put(11, y, i % 2 ? 17 : 20, y, kBlue);
    return c;
}

// The same picture at half size, by averaging 2 by 2 blocks.
Canvas half(const Canvas& big) {
    Canvas c(big.w / 2, big.h / 2, kWhite);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int sx = 2 * x + dx, sy = 2 * y + dy;
                    const int al = big.alpha[size_t(sy) * big.w + sx];
                    Rgb p = big.get(sx, sy);
                    r += p.r * al;
                    g += p.g * al;
                    b += p.b * al;
                    a += al;
                }
            c.set(x, y, a ? Rgb{uint8_t(r / a), uint8_t(g / a), uint8_t(b / a)} : kWhite);
            c.alpha[size_t(y) * c.w + x] = uint8_t(a / 4);
        }
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makebmp <output folder>\n");
        return 2;
    }
    g_dir = argv[1];

    range_pick();
    range_return();

    orientation(35, 40, "page_portrait.bmp");
    orientation(40, 30, "page_landscape.bmp");
    margins(false, true, true, "margins_portrait_hv.bmp");
    margins(false, true, false, "margins_portrait_h.bmp");
    margins(false, false, false, "margins_portrait.bmp");
    margins(false, false, true, "margins_portrait_v.bmp");
    margins(true, true, true, "margins_landscape_hv.bmp");
    margins(true, true, false, "margins_landscape_h.bmp");
    margins(true, false, false, "margins_landscape.bmp");
    margins(true, false, true, "margins_landscape_v.bmp");
    page_order(true, "page_order_down_over.bmp");
    page_order(false, "page_order_over_down.bmp");
    collate(true, "collate_on.bmp");
    collate(false, "collate_off.bmp");

    struct {
        const char* name;
        int size;
        unsigned edges;
    } const borders[] = {
        {"border_none", 32, 0},
        {"border_outline", 32, kTop | kBottom | kLeft | kRight},
        {"border_inside", 32, kInsideH | kInsideV},
        {"border_top", 24, kTop},
        {"border_bottom", 24, kBottom},
        {"border_left", 24, kLeft},
        {"border_right", 24, kRight},
        {"border_inside_horizontal", 24, kInsideH},
        {"border_inside_vertical", 24, kInsideV},
    };
    for (const auto& b : borders) {
        border_button(b.size, b.edges, false, std::string(b.name) + ".bmp");
        border_button(b.size, b.edges, true, std::string(b.name) + "_disabled.bmp");
    }

    for (int k = 0; k < 18; ++k)
        pattern_button(k);

    const Canvas icon = clipboard(kWhite, true);
    const Canvas small = half(icon);
    save_ico({&icon, &small}, "clipboard_formats.ico");
    save_bmp(clipboard(kWhite, false), "clipboard_formats.bmp");
    return 0;
}
