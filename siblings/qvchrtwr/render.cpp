#include "render.h"

#include "raster.h"

#include "qvcore/chart_layout.h"
#include "qvcore/chart_scale.h"
#include "qvcore/chart_types.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <numbers>
#include <string>
#include <vector>

namespace qv::chart {

// ---- GDI+ for the process -------------------------------------------------------

namespace {

std::mutex g_sessionMutex;
int g_sessions = 0;
ULONG_PTR g_token = 0;

} // namespace

GraphicsSession::GraphicsSession() {
    std::lock_guard<std::mutex> lock(g_sessionMutex);
    if (g_sessions == 0) {
        // GDI+ stays loaded for the process once a chart was drawn: a host
        // that frees the component between charts does not pay for loading
        // it and listing the system's fonts again.
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, L"gdiplus.dll", &pinned);
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok) {
            return;
        }
    }
    ++g_sessions;
    ok_ = true;
}

GraphicsSession::~GraphicsSession() {
    std::lock_guard<std::mutex> lock(g_sessionMutex);
    if (ok_ && --g_sessions == 0) {
        Gdiplus::GdiplusShutdown(g_token);
        g_token = 0;
    }
}

namespace {

using namespace Gdiplus;
using core::ChartGrouping;
using core::ChartShape;

// ---- colours, texts, shapes ------------------------------------------------------

constexpr uint32_t kSeriesColours[] = {0x4E79A7, 0xF28E2B, 0xE15759, 0x76B7B2, 0x59A14F,
                                       0xEDC948, 0xB07AA1, 0xFF9DA7, 0x9C755F, 0xBAB0AC};
constexpr double kPi = std::numbers::pi;
constexpr size_t kSeriesColourCount = sizeof kSeriesColours / sizeof kSeriesColours[0];

const Color kInk(255, 64, 64, 64);
const Color kAxis(255, 134, 134, 134);
const Color kGrid(255, 217, 217, 217);
const Color kMinorGrid(255, 236, 236, 236);
const Color kFrame(255, 191, 191, 191);
const Color kWall(255, 244, 244, 246);
const Color kWallSide(255, 232, 232, 236);
const Color kWhite(255, 255, 255, 255);

constexpr REAL kLabelPoints = 8.0f;
constexpr REAL kAxisTitlePoints = 9.0f;
constexpr REAL kTitlePoints = 12.0f;
constexpr REAL kKey = 10.0f;   // legend key size
constexpr REAL kKeyGap = 5.0f; // between key and text
constexpr REAL kMarker = 7.0f; // marker size
constexpr size_t kMaxDataLabels = 600;
constexpr size_t kMaxMeasured = 8; // labels measured to find the widest
constexpr size_t kMaxSlices = 720; // slices drawn one by one; the rest as one
const wchar_t kDefaultFace[] = L"Arial";

Color Rgb(uint32_t rgb, BYTE alpha = 255) {
    return Color(alpha, static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8),
                 static_cast<BYTE>(rgb));
}

// Series colour: ten hues, then the same hues lighter and darker.
Color SeriesColour(size_t index) {
    const uint32_t base = kSeriesColours[index % kSeriesColourCount];
    const size_t round = (index / kSeriesColourCount) % 4;
    if (round == 0) {
        return Rgb(base);
    }
    const double mix = round == 1 ? 0.35 : round == 2 ? -0.3 : 0.6;
    auto channel = [mix](uint32_t c) {
        const double v = mix > 0 ? c + (255 - c) * mix : c * (1 + mix);
        return static_cast<BYTE>(std::clamp(v, 0.0, 255.0));
    };
    return Color(255, channel((base >> 16) & 0xFF), channel((base >> 8) & 0xFF),
                 channel(base & 0xFF));
}

// Lighter (factor > 0) or darker (factor < 0).
Color Shade(const Color& c, double factor, BYTE alpha = 255) {
    auto channel = [factor](BYTE v) {
        const double r = factor > 0 ? v + (255 - v) * factor : v * (1 + factor);
        return static_cast<BYTE>(std::clamp(r, 0.0, 255.0));
    };
    return Color(alpha, channel(c.GetR()), channel(c.GetG()), channel(c.GetB()));
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    }
    return wide;
}

RectF ToRectF(const core::LayoutRect& r) {
    return RectF(static_cast<REAL>(r.left), static_cast<REAL>(r.top),
                 static_cast<REAL>(std::max(0.0, r.Width())),
                 static_cast<REAL>(std::max(0.0, r.Height())));
}

core::LayoutRect ToLayout(const RectF& r) {
    return {r.X, r.Y, r.X + r.Width, r.Y + r.Height};
}

enum class Marker { kSquare, kDiamond, kTriangle, kCircle, kCross, kStar, kPlus, kDash };

Marker MarkerOf(size_t series) {
    static const Marker kOrder[] = {Marker::kDiamond, Marker::kSquare, Marker::kTriangle,
                                    Marker::kCross,   Marker::kStar,   Marker::kCircle,
                                    Marker::kPlus,    Marker::kDash};
    return kOrder[series % (sizeof kOrder / sizeof kOrder[0])];
}

void DrawMarker(Graphics& g, Marker shape, REAL x, REAL y, REAL size, const Color& colour) {
    const REAL h = size / 2;
    SolidBrush fill(colour);
    Pen edge(Shade(colour, -0.35), 1.0f);
    switch (shape) {
    case Marker::kSquare:
        g.FillRectangle(&fill, x - h, y - h, size, size);
        g.DrawRectangle(&edge, x - h, y - h, size, size);
        break;
    case Marker::kDiamond: {
        const PointF p[] = {{x, y - h - 1}, {x + h + 1, y}, {x, y + h + 1}, {x - h - 1, y}};
        g.FillPolygon(&fill, p, 4);
        g.DrawPolygon(&edge, p, 4);
        break;
    }
    case Marker::kTriangle: {
        const PointF p[] = {{x, y - h - 1}, {x + h + 1, y + h}, {x - h - 1, y + h}};
        g.FillPolygon(&fill, p, 3);
        g.DrawPolygon(&edge, p, 3);
        break;
    }
    case Marker::kCircle:
        g.FillEllipse(&fill, x - h, y - h, size, size);
        g.DrawEllipse(&edge, x - h, y - h, size, size);
        break;
    case Marker::kCross: {
        Pen pen(colour, 2.0f);
        g.DrawLine(&pen, x - h, y - h, x + h, y + h);
        g.DrawLine(&pen, x - h, y + h, x + h, y - h);
        break;
    }
    case Marker::kStar: {
        PointF p[10];
        for (int i = 0; i < 10; ++i) {
            const double a = -kPi / 2 + i * kPi / 5;
            const REAL r = (i % 2 == 0) ? h + 1.5f : h * 0.45f;
            p[i] = PointF(x + r * static_cast<REAL>(std::cos(a)),
                          y + r * static_cast<REAL>(std::sin(a)));
        }
        g.FillPolygon(&fill, p, 10);
        break;
    }
    case Marker::kPlus: {
        Pen pen(colour, 2.0f);
        g.DrawLine(&pen, x - h, y, x + h, y);
        g.DrawLine(&pen, x, y - h, x, y + h);
        break;
    }
    case Marker::kDash: {
        Pen pen(colour, 2.5f);
        g.DrawLine(&pen, x - h, y, x + h, y);
        break;
    }
    }
}

// Faces tried, after the asked-for one, for texts in a script it has no
// letters for: the product's local dialog faces, then the Indic faces of
// Windows.
const wchar_t* const kScriptFaces[] = {L"HIN Sans", L"TAM Sans", L"Nirmala UI",
                                       L"Mangal",   L"Latha",    L"Arial Unicode MS"};

bool IsFamily(const std::wstring& face) {
    FontFamily family(face.c_str());
    return family.GetLastStatus() == Ok;
}

// The installed family a face name stands for: itself, or the family the
// system's font substitutes map it to (as GDI maps "HIN Sans").
std::wstring InstalledFace(const std::wstring& face) {
    if (face.empty() || IsFamily(face)) {
        return face;
    }
    wchar_t target[LF_FACESIZE] = {};
    DWORD size = sizeof target - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE,
                     L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                     face.c_str(), RRF_RT_REG_SZ, nullptr, target, &size) == ERROR_SUCCESS) {
        const std::wstring mapped(target, wcsnlen(target, LF_FACESIZE));
        const std::wstring family = mapped.substr(0, mapped.find(L','));
        if (!family.empty() && IsFamily(family)) {
            return family;
        }
    }
    return {};
}

// True when `face` has a letter for every character of `text` (spaces and
// digits aside, which every face has).
bool HasLetters(const std::wstring& face, const std::wstring& text) {
    std::wstring letters;
    for (wchar_t c : text) {
        if (c > 0x7F) {
            letters += c;
        }
    }
    if (letters.empty()) {
        return true;
    }
    LOGFONTW lf{};
    lf.lfHeight = -16;
    lf.lfCharSet = DEFAULT_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&lf);
    HDC dc = CreateCompatibleDC(nullptr);
    if (font == nullptr || dc == nullptr) {
        if (font != nullptr) {
            DeleteObject(font);
        }
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        return true;
    }
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(letters.size());
    bool all = GetGlyphIndicesW(dc, letters.c_str(), static_cast<int>(letters.size()),
                                glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR;
    for (WORD g : glyphs) {
        all = all && g != 0xFFFF;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return all;
}

// The family to draw `text` with: the asked-for face (or the default one),
// unless it lacks the text's letters and a face of the text's script is
// installed.
std::wstring FaceFor(const std::string& face, const std::wstring& text) {
    std::wstring chosen = InstalledFace(Wide(face));
    if (chosen.empty()) {
        chosen = kDefaultFace;
    }
    if (HasLetters(chosen, text)) {
        return chosen;
    }
    for (const wchar_t* candidate : kScriptFaces) {
        const std::wstring installed = InstalledFace(candidate);
        if (!installed.empty() && HasLetters(installed, text)) {
            return installed;
        }
    }
    return chosen;
}

// A font of a face (for `text`), or of the default face when that one is
// missing.
std::unique_ptr<Font> MakeFont(const std::string& face, REAL points, INT style,
                               const std::wstring& text = {}) {
    const std::wstring chosen = FaceFor(face, text);
    FontFamily family(chosen.c_str());
    if (family.GetLastStatus() == Ok) {
        auto font = std::make_unique<Font>(&family, points, style, UnitPoint);
        if (font->GetLastStatus() == Ok) {
            return font;
        }
    }
    return std::make_unique<Font>(FontFamily::GenericSansSerif(), points, style, UnitPoint);
}

// The letters the labels of a chart use: its category texts and series
// names (the first few hundred of each).
std::wstring LabelSample(const ChartData& data) {
    std::string sample;
    for (size_t i = 0; i < data.categories.size() && i < 256; ++i) {
        sample += data.categories[i];
    }
    for (size_t s = 0; s < data.series.size() && s < 256; ++s) {
        sample += data.series[s].name;
    }
    return Wide(sample);
}

// ---- the painter -------------------------------------------------------------------

class Painter {
  public:
    Painter(Graphics& g, const RectF& area, const ChartOptions& options, const ChartData& data,
            Raster* raster)
        : g_(g), raster_(raster), area_(area), o_(options), d_(data),
          style_(core::ChartStyleOf(options.mainType, options.subtype)),
          label_(MakeFont({}, kLabelPoints, FontStyleRegular, LabelSample(data))),
          axisTitleX_(MakeFont(options.xTitle.face, kAxisTitlePoints, FontStyleBold,
                               Wide(options.xTitle.text))),
          axisTitleY_(MakeFont(options.yTitle.face, kAxisTitlePoints, FontStyleBold,
                               Wide(options.yTitle.text))),
          title_(
              MakeFont(options.title.face, kTitlePoints, FontStyleBold, Wide(options.title.text))),
          ink_(kInk) {
        format_.SetFormatFlags(StringFormatFlagsNoWrap);
        format_.SetTrimming(StringTrimmingEllipsisCharacter);
    }

    void Draw(bool failed) {
        g_.SetSmoothingMode(SmoothingModeAntiAlias);
        g_.SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
        g_.SetPixelOffsetMode(PixelOffsetModeHalf);
        DrawBackground();
        if (area_.Width < 8 || area_.Height < 8) {
            return;
        }
        if (failed || d_.series.empty()) {
            core::ChartLayoutInput in = BaseLayout();
            in.legend = false;
            in.axes = false;
            const core::ChartLayout layout = core::LayoutChart(in);
            DrawTitle(layout);
            return;
        }
        Prepare();
        const core::ChartLayout layout = Layout();
        plot_ = ToRectF(layout.plot);
        if (plot_.Width < 2 || plot_.Height < 2) {
            DrawTitle(layout);
            return;
        }
        switch (style_.shape) {
        case ChartShape::kPie:
            DrawPie();
            break;
        case ChartShape::kDoughnut:
            DrawDoughnut();
            break;
        case ChartShape::kRadar:
            DrawRadar();
            break;
        case ChartShape::kScatter:
        case ChartShape::kBubble:
            DrawValueAxes(layout, true);
            DrawScatter();
            break;
        default:
            DrawValueAxes(layout, false);
            DrawCategorySeries();
            break;
        }
        DrawAxisTitles(layout);
        DrawLegend(layout);
        DrawTitle(layout);
    }

  private:
    // White with a grey frame: pixels straight into the chart's bitmap (a
    // path over the whole area costs the platform's rasteriser more than all
    // the rest of a small chart).
    void DrawBackground() {
        if (raster_ != nullptr) {
            const double right = area_.X + area_.Width;
            const double bottom = area_.Y + area_.Height;
            const uint32_t frame = Pixel(kFrame);
            raster_->Fill(area_.X, area_.Y, right, bottom, Pixel(kWhite));
            raster_->Fill(area_.X, area_.Y, right, area_.Y + 1, frame);
            raster_->Fill(area_.X, bottom - 1, right, bottom, frame);
            raster_->Fill(area_.X, area_.Y, area_.X + 1, bottom, frame);
            raster_->Fill(right - 1, area_.Y, right, bottom, frame);
            return;
        }
        SolidBrush white(kWhite);
        g_.FillRectangle(&white, area_);
        Pen frame(kFrame, 1.0f);
        g_.DrawRectangle(&frame, area_.X, area_.Y, area_.Width - 1, area_.Height - 1);
    }

    // ---- measuring ---------------------------------------------------------------------
    SizeF Measure(const std::wstring& text, const Font& font) {
        if (NeedsShaping(text)) {
            const SIZE size = GdiExtent(text, font);
            return SizeF(static_cast<REAL>(size.cx), static_cast<REAL>(size.cy));
        }
        RectF box;
        g_.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, PointF(0, 0), &format_,
                         &box);
        return SizeF(box.Width, box.Height);
    }
    REAL LineHeight(const Font& font) { return font.GetHeight(&g_); }

    // The widest of many labels, from the longest few by characters.
    SizeF Widest(const std::vector<std::wstring>& texts, const Font& font) {
        std::vector<size_t> order(texts.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        const size_t keep = std::min(order.size(), kMaxMeasured);
        std::partial_sort(order.begin(), order.begin() + static_cast<ptrdiff_t>(keep), order.end(),
                          [&](size_t a, size_t b) { return texts[a].size() > texts[b].size(); });
        SizeF widest(0, LineHeight(font));
        for (size_t i = 0; i < keep; ++i) {
            const SizeF s = Measure(texts[order[i]], font);
            widest.Width = std::max(widest.Width, s.Width);
        }
        return widest;
    }

    void Text(const std::wstring& text, const Font& font, const RectF& box, StringAlignment along,
              StringAlignment across, const Color& colour) {
        if (text.empty() || box.Width <= 0 || box.Height <= 0) {
            return;
        }
        if (NeedsShaping(text) && ShapedText(text, font, box, along, across, colour)) {
            return;
        }
        StringFormat format(&format_);
        format.SetAlignment(along);
        format.SetLineAlignment(across);
        SolidBrush brush(colour);
        g_.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, box, &format, &brush);
    }

    // Devanagari and Tamil letters join into shaped clusters, which GDI+
    // draws as the separate letters: such texts are drawn by GDI.
    static bool NeedsShaping(const std::wstring& text) {
        return std::any_of(text.begin(), text.end(),
                           [](wchar_t c) { return c >= 0x0900 && c <= 0x0DFF; });
    }

    // The GDI font of a GDI+ font, turned by `tenths` of a degree.
    HFONT GdiFont(const Font& font, LONG tenths) {
        LOGFONTW lf{};
        font.GetLogFontW(&g_, &lf);
        lf.lfEscapement = tenths;
        lf.lfOrientation = tenths;
        lf.lfQuality = ANTIALIASED_QUALITY;
        return CreateFontIndirectW(&lf);
    }

    SIZE GdiExtent(const std::wstring& text, const Font& font) {
        SIZE size{};
        HDC dc = g_.GetHDC();
        HFONT gdiFont = GdiFont(font, 0);
        HGDIOBJ previous = SelectObject(dc, gdiFont);
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
        DeleteObject(gdiFont);
        g_.ReleaseHDC(dc);
        return size;
    }

    // Draws `text` in `box` with GDI, upright or turned a quarter to the
    // left; false (nothing drawn) under any other turn.
    bool ShapedText(const std::wstring& text, const Font& font, const RectF& box,
                    StringAlignment along, StringAlignment across, const Color& colour) {
        Matrix transform;
        g_.GetTransform(&transform);
        REAL e[6] = {};
        transform.GetElements(e);
        const bool upright = std::fabs(e[0] - 1) < 0.01f && std::fabs(e[1]) < 0.01f &&
                             std::fabs(e[2]) < 0.01f && std::fabs(e[3] - 1) < 0.01f;
        const bool turned =
            std::fabs(e[0]) < 0.01f && e[1] < -0.99f && e[2] > 0.99f && std::fabs(e[3]) < 0.01f;
        if (!upright && !turned) {
            return false;
        }
        const SIZE size = GdiExtent(text, font);
        auto place = [](REAL start, REAL room, REAL need, StringAlignment a) {
            if (need >= room || a == StringAlignmentNear) {
                return start;
            }
            return a == StringAlignmentCenter ? start + (room - need) / 2 : start + room - need;
        };
        PointF origin(place(box.X, box.Width, static_cast<REAL>(size.cx), along),
                      place(box.Y, box.Height, static_cast<REAL>(size.cy), across));
        PointF corners[2] = {PointF(box.X, box.Y), PointF(box.X + box.Width, box.Y + box.Height)};
        transform.TransformPoints(&origin, 1);
        transform.TransformPoints(corners, 2);
        RECT clip{static_cast<LONG>(std::floor(std::min(corners[0].X, corners[1].X))),
                  static_cast<LONG>(std::floor(std::min(corners[0].Y, corners[1].Y))),
                  static_cast<LONG>(std::ceil(std::max(corners[0].X, corners[1].X))),
                  static_cast<LONG>(std::ceil(std::max(corners[0].Y, corners[1].Y)))};
        HDC dc = g_.GetHDC();
        HFONT gdiFont = GdiFont(font, turned ? 900 : 0);
        HGDIOBJ previous = SelectObject(dc, gdiFont);
        const int mode = SetBkMode(dc, TRANSPARENT);
        const COLORREF ink = SetTextColor(dc, RGB(colour.GetR(), colour.GetG(), colour.GetB()));
        const UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        ExtTextOutW(dc, static_cast<int>(std::lround(origin.X)),
                    static_cast<int>(std::lround(origin.Y)), ETO_CLIPPED, &clip, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
        SetTextAlign(dc, align);
        SetTextColor(dc, ink);
        SetBkMode(dc, mode);
        SelectObject(dc, previous);
        DeleteObject(gdiFont);
        g_.ReleaseHDC(dc);
        return true;
    }

    // Text turned a quarter to the left, centred on (cx, cy).
    void TurnedText(const std::wstring& text, const Font& font, REAL cx, REAL cy, REAL length,
                    const Color& colour, StringAlignment along = StringAlignmentCenter) {
        if (text.empty()) {
            return;
        }
        const GraphicsState state = g_.Save();
        g_.TranslateTransform(cx, cy);
        g_.RotateTransform(-90.0f);
        const REAL h = LineHeight(font);
        Text(text, font, RectF(-length / 2, -h / 2, length, h), along, StringAlignmentCenter,
             colour);
        g_.Restore(state);
    }

    // ---- dense data ------------------------------------------------------------------------
    // More points than every other pixel along `length`: drawn as pixels.
    bool Dense(size_t points, REAL length) const {
        return raster_ != nullptr && static_cast<double>(points) > length / 2.0;
    }
    static uint32_t Pixel(const Color& c) {
        return (static_cast<uint32_t>(c.GetR()) << 16) | (static_cast<uint32_t>(c.GetG()) << 8) |
               c.GetB();
    }
    // Drawing goes on into the same pixels: paths first reach the bitmap.
    void BeginPixels() {
        g_.Flush(FlushIntentionSync);
        GdiFlush();
        const RECT clip{static_cast<LONG>(std::floor(plot_.X)),
                        static_cast<LONG>(std::floor(plot_.Y)),
                        static_cast<LONG>(std::ceil(plot_.X + plot_.Width)) + 1,
                        static_cast<LONG>(std::ceil(plot_.Y + plot_.Height)) + 1};
        raster_->SetClip(clip);
    }
    bool LabelsWanted() const {
        return o_.labelValue || o_.labelCategory || o_.labelSeries || o_.labelPercentage ||
               o_.labelBubbleSize;
    }

    // ---- the data -----------------------------------------------------------------------
    size_t Points() const { return d_.points; }
    size_t SeriesCount() const { return d_.series.size(); }
    bool Percent() const { return style_.grouping == ChartGrouping::kPercent; }
    bool Stacked() const { return style_.grouping != ChartGrouping::kStandard; }
    bool Horizontal() const { return style_.shape == ChartShape::kBars; }
    bool PieLike() const {
        return style_.shape == ChartShape::kPie || style_.shape == ChartShape::kDoughnut;
    }

    std::wstring CategoryText(size_t i) const {
        if (i < d_.categories.size() && !d_.categories[i].empty()) {
            return Wide(d_.categories[i]);
        }
        return std::to_wstring(i + 1);
    }
    std::wstring SeriesName(size_t s) const {
        if (s < d_.series.size() && !d_.series[s].name.empty()) {
            return Wide(d_.series[s].name);
        }
        return L"Series" + std::to_wstring(s + 1);
    }
    double Value(size_t s, size_t p) const {
        const auto& values = d_.series[s].values;
        return p < values.size() ? values[p] : NAN;
    }

    // Series drawn on the price axis of a stock chart (the volume is apart).
    size_t FirstPriceSeries() const {
        return style_.shape == ChartShape::kStock && style_.volume ? 1 : 0;
    }

    void Prepare() {
        if (Stacked()) {
            std::vector<std::vector<double>> values;
            for (const auto& s : d_.series) {
                values.push_back(s.values);
            }
            stacks_ = core::StackSeries(values, Percent());
        }
        double low = INFINITY;
        double high = -INFINITY;
        auto take = [&](double v) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        };
        if (Stacked()) {
            for (const auto& s : stacks_) {
                for (const auto& p : s) {
                    take(p.low);
                    take(p.high);
                }
            }
        } else {
            for (size_t s = FirstPriceSeries(); s < SeriesCount(); ++s) {
                for (double v : d_.series[s].values) {
                    take(v);
                }
            }
        }
        bool zero = true;
        switch (style_.shape) {
        case ChartShape::kLines:
        case ChartShape::kScatter:
        case ChartShape::kBubble:
        case ChartShape::kStock:
            // From zero unless the values sit in a narrow band far from it.
            zero = !(low > 0 && (high - low) < high / 6) && !(high < 0 && (high - low) < -low / 6);
            if (style_.shape == ChartShape::kStock) {
                zero = false;
            }
            break;
        default:
            break;
        }
        valueLow_ = low;
        valueHigh_ = high;
        valueZero_ = zero;
        if (style_.shape == ChartShape::kScatter || style_.shape == ChartShape::kBubble) {
            double xl = INFINITY, xh = -INFINITY;
            for (size_t i = 0; i < Points(); ++i) {
                const double x = XValue(i);
                if (std::isfinite(x)) {
                    xl = std::min(xl, x);
                    xh = std::max(xh, x);
                }
            }
            // Bubbles need room for their size; scatter points from zero
            // unless they sit in a narrow band far from it.
            if (style_.shape == ChartShape::kBubble && xl <= xh) {
                const double pad = std::max((xh - xl) * 0.12, std::fabs(xh) * 0.05);
                xl -= pad;
                xh += pad;
                const double ypad = std::max((high - low) * 0.15, std::fabs(high) * 0.05);
                valueHigh_ = high + ypad;
                if (low - ypad < 0 && low >= 0) {
                    valueLow_ = 0;
                }
            } else if (xl > 0 && (xh - xl) >= xh / 6) {
                xl = 0;
            }
            xLow_ = xl;
            xHigh_ = xh;
        }
        categoryTexts_.clear();
        const size_t shown = std::min<size_t>(Points(), 4096);
        for (size_t i = 0; i < shown; ++i) {
            categoryTexts_.push_back(CategoryText(i));
        }
    }

    double XValue(size_t i) const {
        if (d_.numericX && i < d_.xValues.size()) {
            return d_.xValues[i];
        }
        return static_cast<double>(i + 1);
    }

    std::wstring ValueText(double v, const core::AxisScale& scale) const {
        std::wstring text = Wide(core::FormatAxisValue(v, scale.decimals));
        return Percent() ? text + L"%" : text;
    }

    // ---- layout -------------------------------------------------------------------------
    core::ChartLayoutInput BaseLayout() {
        core::ChartLayoutInput in;
        in.bounds = ToLayout(area_);
        if (!o_.title.text.empty()) {
            const SizeF s = Measure(Wide(o_.title.text), *title_);
            in.title = {s.Width + 4, s.Height};
        }
        return in;
    }

    // Legend entries: series, or the points of a pie.
    void FillLegend(core::ChartLayoutInput& in) {
        legendTexts_.clear();
        if (PieLike()) {
            for (size_t i = 0; i < std::min<size_t>(Points(), 256); ++i) {
                legendTexts_.push_back(CategoryText(i));
            }
        } else {
            for (size_t s = 0; s < SeriesCount(); ++s) {
                legendTexts_.push_back(SeriesName(s));
            }
        }
        in.legend = o_.legend;
        in.legendPlace = o_.legendPlace;
        in.legendEntries = static_cast<int>(legendTexts_.size());
        const SizeF entry = Widest(legendTexts_, *label_);
        in.legendEntry = {std::min<double>(entry.Width, area_.Width / 3) + kKey + kKeyGap + 6,
                          LineHeight(*label_) + 3};
    }

    core::ChartLayout Layout() {
        core::ChartLayoutInput in = BaseLayout();
        in.axes = !PieLike() && style_.shape != ChartShape::kRadar;
        if (style_.secondPie) {
            // Pie of pie and bar of pie take the whole row beside the legend.
            core::ChartLayoutInput row = in;
            row.axes = true;
            row.categoryLabels = false;
            row.valueLabels = false;
            FillLegend(row);
            return core::LayoutChart(row);
        }
        in.horizontal = Horizontal();
        const bool scatter =
            style_.shape == ChartShape::kScatter || style_.shape == ChartShape::kBubble;
        // Titles of the category (X) and value (Y) axes.
        if (in.axes && !o_.xTitle.text.empty()) {
            const SizeF s = Measure(Wide(o_.xTitle.text), *axisTitleX_);
            in.categoryTitle = {s.Width + 4, s.Height};
        }
        if (in.axes && !o_.yTitle.text.empty()) {
            const SizeF s = Measure(Wide(o_.yTitle.text), *axisTitleY_);
            in.valueTitle = {s.Width + 4, s.Height};
        }
        FillLegend(in);

        // Axis labels.
        const REAL lineHeight = LineHeight(*label_);
        in.valueLabels = o_.yLabels;
        in.categoryLabels = o_.xLabels;
        if (in.axes) {
            valueScale_ = LeftAxisScale(area_.Height);
            std::vector<std::wstring> ticks;
            for (int i = 0; i <= valueScale_.intervals; ++i) {
                ticks.push_back(ValueText(core::ScaleTick(valueScale_, i), valueScale_));
            }
            in.valueLabel = {Widest(ticks, *label_).Width + 2, lineHeight};
            if (scatter) {
                xScale_ = core::NiceScale(xLow_, xHigh_, false, 8);
                std::vector<std::wstring> xs;
                for (int i = 0; i <= xScale_.intervals; ++i) {
                    xs.push_back(
                        Wide(core::FormatAxisValue(core::ScaleTick(xScale_, i), xScale_.decimals)));
                }
                in.categoryLabel = {Widest(xs, *label_).Width + 2, lineHeight};
                in.categories = 0; // value labels along X, placed by their own scale
                in.categoryLabels = false;
                xLabelsShown_ = o_.xLabels;
            } else {
                in.categoryLabel = {Widest(categoryTexts_, *label_).Width + 2, lineHeight};
                in.categories = static_cast<int>(Points());
            }
            if (style_.shape == ChartShape::kStock && style_.volume) {
                // Prices on a second axis at the right.
                std::vector<std::wstring> ticks2;
                const core::AxisScale prices = core::NiceScale(valueLow_, valueHigh_, false, 6);
                for (int i = 0; i <= prices.intervals; ++i) {
                    ticks2.push_back(
                        Wide(core::FormatAxisValue(core::ScaleTick(prices, i), prices.decimals)));
                }
                rightAxisWidth_ = Widest(ticks2, *label_).Width + 8;
            }
        }
        if (style_.threeD && in.axes && style_.shape != ChartShape::kBubble) {
            depth_ = static_cast<REAL>(
                std::clamp(std::min(area_.Width, area_.Height) * 0.06, 5.0, 16.0));
            if (style_.depthSeries) {
                depth_ *= static_cast<REAL>(std::min<size_t>(SeriesCount(), 4));
            }
            in.depth = depth_;
        }
        if (scatter && in.axes) {
            // The X axis carries numbers: leave room for a row of them.
            in.categories = 1;
            in.categoryLabels = o_.xLabels;
        }
        core::ChartLayout layout = core::LayoutChart(in);
        if (rightAxisWidth_ > 0) {
            layout.plot.right = std::max(layout.plot.left, layout.plot.right - rightAxisWidth_);
        }
        if (in.axes) {
            // The final scale for the plot's real height.
            const REAL length =
                static_cast<REAL>(Horizontal() ? layout.plot.Width() : layout.plot.Height());
            valueScale_ = LeftAxisScale(length);
            priceScale_ = ProvisionalScale(length);
            if (scatter) {
                const int n = std::max(
                    2, static_cast<int>(layout.plot.Width() / (in.categoryLabel.width + 12)));
                xScale_ = core::NiceScale(xLow_, xHigh_, false, std::min(n, 10));
            }
        }
        return layout;
    }

    // The scale of the left (or, for bars, bottom) axis: the values, or the
    // volume of a stock chart that has one.
    core::AxisScale LeftAxisScale(REAL length) {
        if (style_.shape != ChartShape::kStock || !style_.volume) {
            return ProvisionalScale(length);
        }
        double top = 0;
        for (double v : d_.series[0].values) {
            if (std::isfinite(v)) {
                top = std::max(top, std::fabs(v));
            }
        }
        return core::NiceScale(0, top, true, std::clamp(static_cast<int>(length / 28), 2, 10));
    }

    // A value scale with as many intervals as fit along `length` pixels.
    core::AxisScale ProvisionalScale(REAL length) {
        const REAL per = Horizontal() ? 60.0f : 28.0f;
        const int intervals = std::clamp(static_cast<int>(length / per), 2, 10);
        if (Percent()) {
            const bool negative = valueLow_ < 0;
            return core::NiceScale(negative ? -100 : 0, valueHigh_ > 0 ? 100 : 0, true, intervals);
        }
        return core::NiceScale(valueLow_, valueHigh_, valueZero_, intervals);
    }

    // ---- value axes (columns, bars, lines, areas, stock, XY, bubble) ---------------------
    // Position of a value along the value axis.
    REAL V(double v) const {
        return static_cast<REAL>(
            Horizontal() ? core::ValueToPixel(v, valueScale_, plot_.X, plot_.X + plot_.Width)
                         : core::ValueToPixel(v, valueScale_, plot_.Y + plot_.Height, plot_.Y));
    }
    // Centre of category i along the category axis.
    REAL C(double i) const {
        const double n = std::max<double>(1.0, static_cast<double>(Points()));
        if (Horizontal()) {
            return static_cast<REAL>(plot_.Y + plot_.Height - (i + 0.5) * plot_.Height / n);
        }
        return static_cast<REAL>(plot_.X + (i + 0.5) * plot_.Width / n);
    }
    REAL X(double x) const {
        return static_cast<REAL>(core::ValueToPixel(x, xScale_, plot_.X, plot_.X + plot_.Width));
    }
    PointF At(REAL along, REAL value) const {
        return Horizontal() ? PointF(value, along) : PointF(along, value);
    }
    PointF Deep(const PointF& p, REAL by) const { return PointF(p.X + by, p.Y - by); }

    void DrawValueAxes(const core::ChartLayout& layout, bool numericX) {
        const REAL left = plot_.X;
        const REAL right = plot_.X + plot_.Width;
        const REAL top = plot_.Y;
        const REAL bottom = plot_.Y + plot_.Height;
        const REAL d = depth_;
        Pen grid(kGrid, 1.0f);
        Pen minor(kMinorGrid, 1.0f);
        Pen axis(kAxis, 1.0f);
        if (d > 0) {
            // Back wall, side wall and floor.
            SolidBrush wall(kWall);
            SolidBrush side(kWallSide);
            g_.FillRectangle(&wall, left + d, top - d, plot_.Width, plot_.Height);
            const PointF sideWall[] = {
                {left, top}, {left + d, top - d}, {left + d, bottom - d}, {left, bottom}};
            g_.FillPolygon(&side, sideWall, 4);
            const PointF floor[] = {
                {left, bottom}, {left + d, bottom - d}, {right + d, bottom - d}, {right, bottom}};
            g_.FillPolygon(&side, floor, 4);
        }
        // Value gridlines (on the back wall in 3-D, and along the side wall).
        const core::AxisScale& s = valueScale_;
        auto valueLine = [&](double v, Pen& pen) {
            const REAL p = V(v);
            if (Horizontal()) {
                g_.DrawLine(&pen, p, bottom, p + d, bottom - d);
                g_.DrawLine(&pen, p + d, bottom - d, p + d, top - d);
            } else {
                if (d > 0) {
                    g_.DrawLine(&pen, left, p, left + d, p - d);
                }
                g_.DrawLine(&pen, left + d, p - d, right + d, p - d);
            }
        };
        if (o_.yMinor) {
            const int minors = s.intervals * 5;
            for (int i = 1; i < minors; ++i) {
                if (i % 5 != 0) {
                    valueLine(s.minimum + i * s.minor, minor);
                }
            }
        }
        if (o_.yMajor) {
            for (int i = 0; i <= s.intervals; ++i) {
                valueLine(core::ScaleTick(s, i), grid);
            }
        }
        // Category (or X value) gridlines.
        if (numericX) {
            for (int i = 0; i <= xScale_.intervals; ++i) {
                const REAL x = X(core::ScaleTick(xScale_, i));
                if (o_.xMajor) {
                    g_.DrawLine(&grid, x, top, x, bottom);
                }
            }
        } else if (o_.xMajor || o_.xMinor) {
            const size_t n = Points();
            const size_t step = std::max<size_t>(1, n / 200);
            for (size_t i = 0; i <= n; i += step) {
                const REAL c = C(static_cast<double>(i) - 0.5);
                const PointF a = At(c, Horizontal() ? left : bottom);
                const PointF b = At(c, Horizontal() ? right : top);
                g_.DrawLine(o_.xMajor ? &grid : &minor, Deep(a, d), Deep(b, d));
            }
        }
        if (o_.zMajor && d > 0) {
            const size_t lines = std::max<size_t>(1, std::min<size_t>(SeriesCount(), 8));
            for (size_t i = 1; i < lines; ++i) {
                const REAL by = d * static_cast<REAL>(i) / static_cast<REAL>(lines);
                g_.DrawLine(&grid, left + by, bottom - by, right + by, bottom - by);
            }
        }
        // Axis lines: the value axis at the left (bottom for bars), the
        // category axis through zero.
        const REAL zero = V(std::clamp(0.0, s.minimum, s.maximum));
        if (Horizontal()) {
            g_.DrawLine(&axis, left, bottom, right, bottom);
            g_.DrawLine(&axis, zero, top, zero, bottom);
        } else {
            g_.DrawLine(&axis, left, top, left, bottom);
            const REAL base = numericX ? bottom : zero;
            g_.DrawLine(&axis, left, base, right, base);
        }
        // Value labels.
        const REAL line = LineHeight(*label_);
        if (o_.yLabels) {
            for (int i = 0; i <= s.intervals; ++i) {
                const double v = core::ScaleTick(s, i);
                const std::wstring text = ValueText(v, s);
                const REAL p = V(v);
                if (Horizontal()) {
                    g_.DrawLine(&axis, p, bottom, p, bottom + 3);
                    Text(text, *label_, RectF(p - 40, bottom + 4, 80, line), StringAlignmentCenter,
                         StringAlignmentNear, ink_);
                } else {
                    g_.DrawLine(&axis, left - 3, p, left, p);
                    const REAL w = static_cast<REAL>(plot_.X - layout.plot.left) + left - area_.X;
                    Text(text, *label_, RectF(area_.X, p - line / 2, std::max(w - 6, 1.0f), line),
                         StringAlignmentFar, StringAlignmentCenter, ink_);
                }
            }
        }
        if (style_.shape == ChartShape::kStock && style_.volume) {
            DrawPriceAxis();
        }
        // Category labels (or X values).
        if (numericX) {
            if (o_.xLabels) {
                for (int i = 0; i <= xScale_.intervals; ++i) {
                    const double v = core::ScaleTick(xScale_, i);
                    const REAL x = X(v);
                    g_.DrawLine(&axis, x, bottom, x, bottom + 3);
                    Text(Wide(core::FormatAxisValue(v, xScale_.decimals)), *label_,
                         RectF(x - 40, bottom + 4, 80, line), StringAlignmentCenter,
                         StringAlignmentNear, ink_);
                }
            }
            return;
        }
        if (!o_.xLabels || categoryTexts_.empty()) {
            return;
        }
        const size_t step = static_cast<size_t>(std::max(1, layout.categoryLabelStep));
        const REAL slot = static_cast<REAL>((Horizontal() ? plot_.Height : plot_.Width) /
                                            std::max<double>(1.0, static_cast<double>(Points())));
        for (size_t i = 0; i < categoryTexts_.size(); i += step) {
            const REAL c = C(static_cast<double>(i));
            if (Horizontal()) {
                const REAL w = plot_.X - area_.X - 6;
                Text(categoryTexts_[i], *label_, RectF(plot_.X - 4 - w, c - line / 2, w, line),
                     StringAlignmentFar, StringAlignmentCenter, ink_);
            } else if (layout.turnCategoryLabels) {
                const REAL length = static_cast<REAL>(area_.Y + area_.Height - bottom - 6);
                const GraphicsState state = g_.Save();
                g_.TranslateTransform(c, bottom + 4);
                g_.RotateTransform(-90.0f);
                Text(categoryTexts_[i], *label_, RectF(-length, -line / 2, length, line),
                     StringAlignmentFar, StringAlignmentCenter, ink_);
                g_.Restore(state);
            } else {
                const REAL w = std::max(slot * static_cast<REAL>(step), 8.0f);
                Text(categoryTexts_[i], *label_, RectF(c - w / 2, bottom + 4, w, line),
                     StringAlignmentCenter, StringAlignmentNear, ink_);
            }
        }
    }

    void DrawPriceAxis() {
        // Prices of a stock chart with volume: on the right, their own scale.
        const REAL right = plot_.X + plot_.Width + depth_;
        const REAL line = LineHeight(*label_);
        Pen axis(kAxis, 1.0f);
        g_.DrawLine(&axis, right, plot_.Y, right, plot_.Y + plot_.Height);
        if (!o_.yLabels) {
            return;
        }
        for (int i = 0; i <= priceScale_.intervals; ++i) {
            const double v = core::ScaleTick(priceScale_, i);
            const REAL p = static_cast<REAL>(
                core::ValueToPixel(v, priceScale_, plot_.Y + plot_.Height, plot_.Y));
            g_.DrawLine(&axis, right, p, right + 3, p);
            Text(Wide(core::FormatAxisValue(v, priceScale_.decimals)), *label_,
                 RectF(right + 5, p - line / 2, static_cast<REAL>(rightAxisWidth_), line),
                 StringAlignmentNear, StringAlignmentCenter, ink_);
        }
    }

    void DrawAxisTitles(const core::ChartLayout& layout) {
        const bool axes = !PieLike() && style_.shape != ChartShape::kRadar;
        if (!axes) {
            return;
        }
        // The layout put the category title below (or, for bars, at the
        // left, turned) and the value title at the left (for bars, below).
        const RectF cat = ToRectF(layout.categoryTitle);
        const RectF val = ToRectF(layout.valueTitle);
        const std::wstring x = Wide(o_.xTitle.text);
        const std::wstring y = Wide(o_.yTitle.text);
        if (!Horizontal()) {
            Text(x, *axisTitleX_, cat, StringAlignmentCenter, StringAlignmentCenter, ink_);
            TurnedText(y, *axisTitleY_, val.X + val.Width / 2, val.Y + val.Height / 2, val.Height,
                       ink_);
        } else {
            TurnedText(x, *axisTitleX_, cat.X + cat.Width / 2, cat.Y + cat.Height / 2, cat.Height,
                       ink_);
            Text(y, *axisTitleY_, val, StringAlignmentCenter, StringAlignmentCenter, ink_);
        }
    }

    // ---- columns, bars, lines, areas and stock -------------------------------------------
    void DrawCategorySeries() {
        switch (style_.shape) {
        case ChartShape::kLines:
            DrawLines();
            break;
        case ChartShape::kArea:
            DrawAreas();
            break;
        case ChartShape::kStock:
            DrawStock();
            break;
        default:
            DrawBars();
            break;
        }
    }

    // A box from `a` to `b` along the category axis and `low` to `high` on the
    // value axis, with its depth faces in 3-D.
    void Box(REAL a, REAL b, REAL low, REAL high, const Color& colour, REAL depth) {
        const PointF p1 = At(a, low);
        const PointF p2 = At(b, high);
        RectF front(std::min(p1.X, p2.X), std::min(p1.Y, p2.Y), std::fabs(p2.X - p1.X),
                    std::fabs(p2.Y - p1.Y));
        if (style_.cylinder) {
            Cylinder(front, colour);
            return;
        }
        SolidBrush fill(colour);
        if (depth > 0) {
            SolidBrush topFace(Shade(colour, 0.3));
            SolidBrush sideFace(Shade(colour, -0.25));
            const REAL l = front.X, t = front.Y, r = front.X + front.Width,
                       bt = front.Y + front.Height;
            const PointF top[] = {{l, t}, {l + depth, t - depth}, {r + depth, t - depth}, {r, t}};
            const PointF side[] = {
                {r, t}, {r + depth, t - depth}, {r + depth, bt - depth}, {r, bt}};
            g_.FillPolygon(&sideFace, side, 4);
            g_.FillPolygon(&topFace, top, 4);
        }
        g_.FillRectangle(&fill, front);
        if (front.Width >= 4 && front.Height >= 1) {
            Pen edge(Shade(colour, -0.2), 1.0f);
            g_.DrawRectangle(&edge, front);
        }
    }

    void Cylinder(const RectF& r, const Color& colour) {
        if (r.Width < 1 || r.Height < 1) {
            return;
        }
        const bool upright = !Horizontal();
        const REAL cap = upright ? std::min(r.Width * 0.3f, 8.0f) : std::min(r.Height * 0.3f, 8.0f);
        LinearGradientBrush body(upright ? PointF(r.X, 0) : PointF(0, r.Y),
                                 upright ? PointF(r.X + r.Width, 0) : PointF(0, r.Y + r.Height),
                                 Shade(colour, -0.3), Shade(colour, -0.3));
        const Color stops[] = {Shade(colour, -0.3), Shade(colour, 0.35), colour,
                               Shade(colour, -0.35)};
        const REAL positions[] = {0.0f, 0.3f, 0.6f, 1.0f};
        body.SetInterpolationColors(stops, positions, 4);
        if (upright) {
            g_.FillRectangle(&body, r.X, r.Y, r.Width, r.Height);
            g_.FillEllipse(&body, r.X, r.Y + r.Height - cap / 2, r.Width, cap);
            SolidBrush topCap(Shade(colour, 0.25));
            g_.FillEllipse(&topCap, r.X, r.Y - cap / 2, r.Width, cap);
        } else {
            g_.FillRectangle(&body, r.X, r.Y, r.Width, r.Height);
            g_.FillEllipse(&body, r.X - cap / 2, r.Y, cap, r.Height);
            SolidBrush endCap(Shade(colour, 0.25));
            g_.FillEllipse(&endCap, r.X + r.Width - cap / 2, r.Y, cap, r.Height);
        }
    }

    void DrawBars() {
        const size_t n = Points();
        const size_t m = SeriesCount();
        if (n == 0 || m == 0) {
            return;
        }
        const REAL from = Horizontal() ? plot_.Y + plot_.Height : plot_.X;
        const REAL to = Horizontal() ? plot_.Y : plot_.X + plot_.Width;
        const REAL base = V(std::clamp(0.0, valueScale_.minimum, valueScale_.maximum));
        const REAL length = std::fabs(to - from);
        const size_t barsAcross = n * (Stacked() || style_.depthSeries ? 1 : m);
        if (Dense(barsAcross * 2, length)) {
            DenseBars(from, to, base);
            return;
        }
        const bool perSeriesDepth = style_.depthSeries && m > 1;
        const REAL slotDepth =
            perSeriesDepth ? depth_ / static_cast<REAL>(std::min<size_t>(m, 4)) : depth_;
        const REAL ownDepth = perSeriesDepth ? slotDepth * 0.7f : depth_ * 0.8f;
        // Series one behind the other are drawn from the back.
        for (size_t k = 0; k < m; ++k) {
            const size_t s = perSeriesDepth ? m - 1 - k : k;
            const Color colour = SeriesColour(s);
            const REAL shift =
                perSeriesDepth ? slotDepth * static_cast<REAL>(std::min<size_t>(s, 3)) : 0.0f;
            const GraphicsState state = g_.Save();
            if (shift > 0) {
                g_.TranslateTransform(shift, -shift);
            }
            REAL lastPixel = -1e9f;
            for (size_t p = 0; p < n; ++p) {
                const double v = Value(s, p);
                if (!std::isfinite(v)) {
                    continue;
                }
                const core::Span span =
                    core::BarSlot(static_cast<int>(p), static_cast<int>(n), static_cast<int>(s),
                                  static_cast<int>(m), from, to, Stacked() || perSeriesDepth);
                REAL low = base;
                REAL high = V(v);
                if (Stacked()) {
                    low = V(stacks_[s][p].low);
                    high = V(stacks_[s][p].high);
                }
                REAL a = static_cast<REAL>(span.start);
                REAL b = static_cast<REAL>(span.end);
                if (std::fabs(b - a) < 1.0f) {
                    // Thinner than a pixel: one bar a pixel column.
                    const REAL pixel = std::floor(a);
                    if (pixel == lastPixel) {
                        continue;
                    }
                    lastPixel = pixel;
                    a = pixel;
                    b = pixel + (Horizontal() ? -1.0f : 1.0f);
                }
                Box(a, b, low, high, colour, ownDepth);
                if (LabelsWanted()) {
                    bars_.push_back({s, p, At((a + b) / 2, high), v});
                }
            }
            g_.Restore(state);
        }
        DrawDataLabels();
    }

    // Bars thinner than two pixels: in every pixel column along the category
    // axis each series shows the farthest reach of its bars there; series
    // later in order cover earlier ones where they meet, as drawn bars do.
    void DenseBars(REAL from, REAL to, REAL base) {
        BeginPixels();
        const size_t n = Points();
        const size_t m = SeriesCount();
        const int first = static_cast<int>(std::floor(std::min(from, to)));
        const int columns = static_cast<int>(std::ceil(std::fabs(to - from))) + 2;
        struct Reach {
            REAL low = 0;
            REAL high = 0;
            bool any = false;
        };
        std::vector<Reach> reach(static_cast<size_t>(columns));
        for (size_t s = 0; s < m; ++s) {
            std::fill(reach.begin(), reach.end(), Reach{});
            for (size_t p = 0; p < n; ++p) {
                const double v = Value(s, p);
                if (!std::isfinite(v)) {
                    continue;
                }
                const core::Span span =
                    core::BarSlot(static_cast<int>(p), static_cast<int>(n), static_cast<int>(s),
                                  static_cast<int>(m), from, to, Stacked() || style_.depthSeries);
                const int column =
                    static_cast<int>(std::floor(std::min(span.start, span.end))) - first;
                if (column < 0 || column >= columns) {
                    continue;
                }
                REAL low = base;
                REAL high = V(v);
                if (Stacked()) {
                    low = V(stacks_[s][p].low);
                    high = V(stacks_[s][p].high);
                }
                Reach& r = reach[static_cast<size_t>(column)];
                const REAL lo = std::min(low, high);
                const REAL hi = std::max(low, high);
                if (!r.any) {
                    r = {lo, hi, true};
                } else {
                    r.low = std::min(r.low, lo);
                    r.high = std::max(r.high, hi);
                }
            }
            const uint32_t colour = Pixel(SeriesColour(s));
            for (int c = 0; c < columns; ++c) {
                const Reach& r = reach[static_cast<size_t>(c)];
                if (!r.any) {
                    continue;
                }
                if (Horizontal()) {
                    raster_->Fill(r.low, first + c - 1, r.high, first + c, colour);
                } else {
                    raster_->Span(first + c, r.low, r.high, colour);
                }
            }
        }
    }

    void DrawLines() {
        const size_t n = Points();
        const size_t m = SeriesCount();
        const REAL from = plot_.X;
        const REAL dx = plot_.Width / static_cast<REAL>(std::max<size_t>(n, 1));
        const bool dense = Dense(n, plot_.Width);
        if (dense) {
            BeginPixels();
        }
        const bool ribbon = style_.threeD && !dense;
        const REAL slotDepth =
            ribbon ? depth_ / static_cast<REAL>(std::min<size_t>(std::max<size_t>(m, 1), 4)) : 0;
        for (size_t k = 0; k < m; ++k) {
            const size_t s = ribbon ? m - 1 - k : k;
            const Color colour = SeriesColour(s);
            std::vector<double> values(n);
            for (size_t p = 0; p < n; ++p) {
                values[p] = Stacked() ? (std::isfinite(Value(s, p)) ? stacks_[s][p].high : NAN)
                                      : Value(s, p);
            }
            const auto runs = core::ThinSeries(values, from + dx / 2, dx, valueScale_,
                                               plot_.Y + plot_.Height, plot_.Y);
            const REAL shift = ribbon ? slotDepth * static_cast<REAL>(std::min<size_t>(s, 3)) : 0;
            if (dense) {
                std::vector<double> xs;
                std::vector<double> ys;
                for (const auto& run : runs) {
                    xs.clear();
                    ys.clear();
                    for (const core::PlotPoint& point : run) {
                        xs.push_back(point.x);
                        ys.push_back(point.y);
                    }
                    raster_->Trace(xs.data(), ys.data(), xs.size(), Pixel(colour), 1.5);
                }
                continue;
            }
            for (const auto& run : runs) {
                std::vector<PointF> points(run.size());
                for (size_t i = 0; i < run.size(); ++i) {
                    points[i] = PointF(static_cast<REAL>(run[i].x) + shift,
                                       static_cast<REAL>(run[i].y) - shift);
                }
                if (ribbon && points.size() >= 2) {
                    SolidBrush face(Shade(colour, 0.15));
                    Pen edge(Shade(colour, -0.3), 1.0f);
                    const REAL w = slotDepth * 0.8f;
                    for (size_t i = 0; i + 1 < points.size(); ++i) {
                        const PointF q[] = {points[i], points[i + 1], Deep(points[i + 1], w),
                                            Deep(points[i], w)};
                        g_.FillPolygon(&face, q, 4);
                        g_.DrawPolygon(&edge, q, 4);
                    }
                    continue;
                }
                Pen pen(colour, 2.25f);
                pen.SetLineJoin(LineJoinRound);
                if (points.size() == 1) {
                    DrawMarker(g_, MarkerOf(s), points[0].X, points[0].Y, kMarker, colour);
                } else {
                    g_.DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
                }
            }
            if (style_.markers && n <= static_cast<size_t>(plot_.Width / 4)) {
                for (size_t p = 0; p < n; ++p) {
                    if (std::isfinite(values[p])) {
                        const REAL y = static_cast<REAL>(core::ValueToPixel(
                            values[p], valueScale_, plot_.Y + plot_.Height, plot_.Y));
                        DrawMarker(g_, MarkerOf(s), from + dx * (static_cast<REAL>(p) + 0.5f), y,
                                   kMarker, colour);
                    }
                }
            }
            if (n <= kMaxDataLabels && LabelsWanted()) {
                for (size_t p = 0; p < n; ++p) {
                    if (std::isfinite(values[p])) {
                        const REAL y = static_cast<REAL>(core::ValueToPixel(
                            values[p], valueScale_, plot_.Y + plot_.Height, plot_.Y));
                        bars_.push_back(
                            {s, p,
                             PointF(from + dx * (static_cast<REAL>(p) + 0.5f) + shift, y - shift),
                             Value(s, p)});
                    }
                }
            }
        }
        DrawDataLabels();
    }

    void DrawAreas() {
        const size_t n = Points();
        const size_t m = SeriesCount();
        if (n == 0) {
            return;
        }
        const REAL base = V(std::clamp(0.0, valueScale_.minimum, valueScale_.maximum));
        if (Dense(n, plot_.Width)) {
            DenseAreas(base);
            return;
        }
        const REAL dx = n > 1 ? plot_.Width / static_cast<REAL>(n - 1) : plot_.Width;
        auto xOf = [&](size_t p) {
            return n > 1 ? plot_.X + dx * static_cast<REAL>(p) : plot_.X + plot_.Width / 2;
        };
        const bool perSeriesDepth = style_.depthSeries && m > 1;
        const REAL slotDepth =
            perSeriesDepth ? depth_ / static_cast<REAL>(std::min<size_t>(m, 4)) : depth_;
        // Standard areas overlap: the later series in front; stacked ones do not.
        for (size_t k = 0; k < m; ++k) {
            const size_t s = perSeriesDepth ? m - 1 - k : k;
            const Color colour = SeriesColour(s);
            const REAL shift =
                perSeriesDepth ? slotDepth * static_cast<REAL>(std::min<size_t>(s, 3)) : 0;
            std::vector<PointF> outline;
            const size_t step =
                std::max<size_t>(1, n / static_cast<size_t>(std::max(plot_.Width, 1.0f)));
            for (size_t p = 0; p < n; p += step) {
                const double v = Value(s, p);
                const double high = Stacked() ? stacks_[s][p].high : (std::isfinite(v) ? v : 0.0);
                outline.emplace_back(xOf(p) + shift, V(high) - shift);
            }
            for (size_t q = outline.size(); q-- > 0;) {
                const size_t p = std::min(n - 1, q * step);
                const double low = Stacked() ? stacks_[s][p].low : 0.0;
                outline.emplace_back(xOf(p) + shift, (Stacked() ? V(low) : base) - shift);
            }
            if (outline.size() < 3) {
                continue;
            }
            if (style_.threeD) {
                std::vector<PointF> back(outline.size());
                const REAL w = perSeriesDepth ? slotDepth * 0.8f : depth_ * 0.8f;
                for (size_t i = 0; i < outline.size(); ++i) {
                    back[i] = Deep(outline[i], w);
                }
                SolidBrush backFace(Shade(colour, -0.3));
                g_.FillPolygon(&backFace, back.data(), static_cast<INT>(back.size()));
                const size_t top = outline.size() / 2;
                SolidBrush topFace(Shade(colour, 0.2));
                for (size_t i = 0; i + 1 < top; ++i) {
                    const PointF q[] = {outline[i], outline[i + 1], back[i + 1], back[i]};
                    g_.FillPolygon(&topFace, q, 4);
                }
            }
            SolidBrush fill(style_.threeD || Stacked() ? colour : Shade(colour, 0.0, 150));
            g_.FillPolygon(&fill, outline.data(), static_cast<INT>(outline.size()));
            Pen edge(Stacked() || style_.threeD ? Shade(colour, -0.3) : colour,
                     Stacked() ? 1.0f : 2.0f);
            g_.DrawLines(&edge, outline.data(), static_cast<INT>(outline.size() / 2));
            if (n <= kMaxDataLabels && LabelsWanted()) {
                for (size_t p = 0; p < n; ++p) {
                    const double v = Value(s, p);
                    if (std::isfinite(v)) {
                        bars_.push_back(
                            {s, p,
                             PointF(xOf(p) + shift, V(Stacked() ? stacks_[s][p].high : v) - shift),
                             v});
                    }
                }
            }
        }
        DrawDataLabels();
    }

    // Areas over more points than pixel columns: each column filled from the
    // series' lowest to its highest reach there.
    void DenseAreas(REAL base) {
        BeginPixels();
        const size_t n = Points();
        const int first = static_cast<int>(std::floor(plot_.X));
        const int columns = static_cast<int>(std::ceil(plot_.Width)) + 2;
        const double dx = n > 1 ? plot_.Width / static_cast<double>(n - 1) : 0.0;
        std::vector<REAL> low(static_cast<size_t>(columns));
        std::vector<REAL> high(static_cast<size_t>(columns));
        std::vector<char> any(static_cast<size_t>(columns));
        for (size_t s = 0; s < SeriesCount(); ++s) {
            std::fill(any.begin(), any.end(), 0);
            for (size_t p = 0; p < n; ++p) {
                const double v = Value(s, p);
                const REAL top = V(Stacked() ? stacks_[s][p].high : (std::isfinite(v) ? v : 0.0));
                const REAL bottom = Stacked() ? V(stacks_[s][p].low) : base;
                const int c =
                    static_cast<int>(std::floor(plot_.X + dx * static_cast<double>(p))) - first;
                if (c < 0 || c >= columns) {
                    continue;
                }
                const size_t k = static_cast<size_t>(c);
                const REAL lo = std::min(top, bottom);
                const REAL hi = std::max(top, bottom);
                if (!any[k]) {
                    low[k] = lo;
                    high[k] = hi;
                    any[k] = 1;
                } else {
                    low[k] = std::min(low[k], lo);
                    high[k] = std::max(high[k], hi);
                }
            }
            const uint32_t colour = Pixel(SeriesColour(s));
            for (int c = 0; c < columns; ++c) {
                if (any[static_cast<size_t>(c)]) {
                    raster_->Span(first + c, low[static_cast<size_t>(c)],
                                  high[static_cast<size_t>(c)], colour);
                }
            }
        }
    }

    void DrawStock() {
        const size_t n = Points();
        const size_t first = FirstPriceSeries();
        const size_t prices = SeriesCount() - first;
        const REAL dx = plot_.Width / static_cast<REAL>(std::max<size_t>(n, 1));
        const REAL half = std::clamp(dx * 0.3f, 1.0f, 8.0f);
        // Volume as columns on the left axis; prices on their own scale.
        if (style_.volume) {
            SolidBrush volume(Rgb(0xA0B8D0));
            for (size_t p = 0; p < n; ++p) {
                const double v = Value(0, p);
                if (!std::isfinite(v)) {
                    continue;
                }
                const REAL x = plot_.X + dx * (static_cast<REAL>(p) + 0.5f);
                const REAL y = static_cast<REAL>(
                    core::ValueToPixel(v, valueScale_, plot_.Y + plot_.Height, plot_.Y));
                g_.FillRectangle(&volume, x - half, y, half * 2, plot_.Y + plot_.Height - y);
            }
        }
        auto price = [&](double v) {
            return static_cast<REAL>(
                core::ValueToPixel(v, priceScale_, plot_.Y + plot_.Height, plot_.Y));
        };
        // Series in order: [open,] high, low, close.
        const size_t open = style_.open ? first : SIZE_MAX;
        const size_t high = first + (style_.open ? 1 : 0);
        const size_t low = high + 1;
        const size_t close = low + 1;
        if (prices < (style_.open ? 4u : 3u)) {
            return;
        }
        Pen wick(kInk, 1.25f);
        SolidBrush up(kWhite);
        SolidBrush down(Rgb(0x404040));
        Pen body(kInk, 1.0f);
        for (size_t p = 0; p < n; ++p) {
            const double h = Value(high, p);
            const double l = Value(low, p);
            const double c = Value(close, p);
            const REAL x = plot_.X + dx * (static_cast<REAL>(p) + 0.5f);
            if (std::isfinite(h) && std::isfinite(l)) {
                g_.DrawLine(&wick, x, price(h), x, price(l));
            }
            if (open != SIZE_MAX) {
                const double o = Value(open, p);
                if (std::isfinite(o) && std::isfinite(c)) {
                    const REAL top = std::min(price(o), price(c));
                    const REAL bottom = std::max(price(o), price(c));
                    const RectF candle(x - half, top, half * 2, std::max(bottom - top, 1.0f));
                    g_.FillRectangle(c >= o ? static_cast<Brush*>(&up) : &down, candle);
                    g_.DrawRectangle(&body, candle);
                }
            } else if (std::isfinite(c)) {
                g_.DrawLine(&wick, x, price(c), x + half, price(c));
            }
        }
    }

    // ---- XY and bubble ----------------------------------------------------------------------
    void DrawScatter() {
        const size_t n = Points();
        const bool bubble = style_.shape == ChartShape::kBubble;
        double largest = 0;
        if (bubble) {
            for (const auto& s : d_.series) {
                for (double v : s.sizes) {
                    if (std::isfinite(v)) {
                        largest = std::max(largest, std::fabs(v));
                    }
                }
            }
        }
        const REAL maxDiameter = std::min(plot_.Width, plot_.Height) * 0.22f;
        if (Dense(n, plot_.Width)) {
            DenseScatter();
            return;
        }
        for (size_t s = 0; s < SeriesCount(); ++s) {
            const Color colour = SeriesColour(s);
            std::vector<PointF> points;
            for (size_t p = 0; p < n; ++p) {
                const double x = XValue(p);
                const double y = Value(s, p);
                if (!std::isfinite(x) || !std::isfinite(y)) {
                    if (!bubble && style_.lines) {
                        StrokeScatter(points, colour);
                        points.clear();
                    }
                    continue;
                }
                points.emplace_back(X(x), V(y));
                if (LabelsWanted()) {
                    bars_.push_back({s, p, points.back(), y});
                }
            }
            if (bubble) {
                const auto& sizes = d_.series[s].sizes;
                size_t k = 0;
                for (size_t p = 0; p < n; ++p) {
                    if (!std::isfinite(XValue(p)) || !std::isfinite(Value(s, p))) {
                        continue;
                    }
                    const double size = p < sizes.size() && std::isfinite(sizes[p])
                                            ? std::fabs(sizes[p])
                                            : (largest > 0 ? 0.0 : 1.0);
                    const double share = largest > 0 ? std::sqrt(size / largest) : 0.3;
                    const REAL dia = std::max(3.0f, maxDiameter * static_cast<REAL>(share));
                    const PointF c = points[k++];
                    Bubble(c, dia, colour);
                }
                continue;
            }
            if (style_.lines) {
                StrokeScatter(points, colour);
            }
            if (style_.markers && points.size() <= 2000) {
                for (const PointF& p : points) {
                    DrawMarker(g_, MarkerOf(s), p.X, p.Y, kMarker, colour);
                }
            }
        }
        DrawDataLabels();
    }

    // XY and bubble charts of more points than pixel columns: lines and
    // points as pixels.
    void DenseScatter() {
        BeginPixels();
        const size_t n = Points();
        const bool bubble = style_.shape == ChartShape::kBubble;
        // Lines over X values in order are traced column by column; others
        // are drawn segment by segment.
        bool ordered = true;
        for (size_t p = 1; p < n && ordered; ++p) {
            ordered = !(XValue(p) < XValue(p - 1));
        }
        std::vector<double> xs(n);
        std::vector<double> ys(n);
        for (size_t s = 0; s < SeriesCount(); ++s) {
            const uint32_t colour = Pixel(SeriesColour(s));
            for (size_t p = 0; p < n; ++p) {
                const double x = XValue(p);
                const double y = Value(s, p);
                const bool point = std::isfinite(x) && std::isfinite(y);
                xs[p] = point ? X(x) : NAN;
                ys[p] = point ? V(y) : NAN;
            }
            if (!bubble && style_.lines) {
                if (ordered) {
                    raster_->Trace(xs.data(), ys.data(), n, colour, 1.5);
                } else {
                    for (size_t p = 1; p < n; ++p) {
                        raster_->Line(xs[p - 1], ys[p - 1], xs[p], ys[p], colour, 1.5);
                    }
                }
            }
            if (bubble || style_.markers || !style_.lines) {
                for (size_t p = 0; p < n; ++p) {
                    if (std::isfinite(xs[p]) && std::isfinite(ys[p])) {
                        raster_->Dot(xs[p], ys[p], bubble ? 5 : 3, colour);
                    }
                }
            }
        }
    }

    void StrokeScatter(const std::vector<PointF>& points, const Color& colour) {
        if (points.size() < 2) {
            return;
        }
        Pen pen(colour, 2.0f);
        if (style_.smooth && points.size() <= 2000) {
            g_.DrawCurve(&pen, points.data(), static_cast<INT>(points.size()), 0.5f);
        } else {
            g_.DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
        }
    }

    void Bubble(const PointF& c, REAL dia, const Color& colour) {
        const RectF box(c.X - dia / 2, c.Y - dia / 2, dia, dia);
        if (style_.threeD) {
            GraphicsPath path;
            path.AddEllipse(box);
            PathGradientBrush shade(&path);
            shade.SetCenterPoint(PointF(c.X - dia / 5, c.Y - dia / 5));
            shade.SetCenterColor(Shade(colour, 0.6));
            Color edge = Shade(colour, -0.25);
            INT count = 1;
            shade.SetSurroundColors(&edge, &count);
            g_.FillPath(&shade, &path);
            return;
        }
        SolidBrush fill(Shade(colour, 0.0, 190));
        Pen edge(Shade(colour, -0.3), 1.0f);
        g_.FillEllipse(&fill, box);
        g_.DrawEllipse(&edge, box);
    }

    // ---- pie, doughnut, radar ------------------------------------------------------------------
    void DrawPie() {
        const std::vector<double>& values = d_.series.front().values;
        const size_t n = values.size();
        // Pie of pie and bar of pie: the last third of the points go apart,
        // shown as one grey slice of the main pie.
        const size_t apart = style_.secondPie && n >= 3 ? std::clamp<size_t>(n / 3, 2, n - 1) : 0;
        double otherTotal = 0;
        std::vector<double> main = values;
        if (apart > 0) {
            for (size_t i = n - apart; i < n; ++i) {
                otherTotal += std::isfinite(values[i]) ? std::fabs(values[i]) : 0.0;
            }
            main.resize(n - apart);
            main.push_back(otherTotal);
        }
        CapSlices(main);
        // The slice of the points apart faces the second part, at the right.
        double start = -90.0;
        if (apart > 0) {
            const auto shares = core::PieSlices(main, 0.0);
            start = shares.back().sweep / 2;
        }
        const auto slices = core::PieSlices(main, start);
        const bool tilt = style_.threeD;
        const REAL room = style_.exploded ? 1.14f : 1.0f;
        REAL side = std::min(plot_.Width, plot_.Height / (tilt ? 0.72f : 1.0f)) * 0.94f / room;
        REAL cx = plot_.X + plot_.Width / 2;
        const REAL cy = plot_.Y + plot_.Height / 2;
        RectF second;
        if (apart > 0) {
            // Main pie on the left, the second part on the right of the plot.
            side = std::min(plot_.Height * 0.9f, plot_.Width * 0.52f) / room;
            cx = plot_.X + side / 2 + 4;
            const REAL small = side * 0.6f;
            const REAL sx = cx + side / 2 + (plot_.X + plot_.Width - cx - side / 2 - small) / 2;
            second = RectF(sx, cy - small / 2, small, small);
        }
        const REAL height = tilt ? side * 0.6f : side;
        const REAL thick = tilt ? side * 0.1f : 0.0f;
        const RectF disc(cx - side / 2, cy - height / 2 - thick / 2, side, height);
        const REAL explode = style_.exploded ? side * 0.06f : 0.0f;
        auto offset = [&](const core::Slice& s) {
            const double mid = (s.start + s.sweep / 2) * kPi / 180.0;
            return PointF(explode * static_cast<REAL>(std::cos(mid)),
                          explode * static_cast<REAL>(std::sin(mid)) * (tilt ? 0.6f : 1.0f));
        };
        Pen separator(kWhite, 1.5f);
        if (thick > 0) {
            for (REAL z = thick; z > 0; z -= 1.0f) {
                for (size_t i = 0; i < slices.size(); ++i) {
                    if (slices[i].sweep <= 0) {
                        continue;
                    }
                    const PointF o = offset(slices[i]);
                    SolidBrush side(Shade(SeriesColour(i), -0.35));
                    g_.FillPie(&side, disc.X + o.X, disc.Y + o.Y + z, disc.Width, disc.Height,
                               static_cast<REAL>(slices[i].start),
                               static_cast<REAL>(slices[i].sweep));
                }
            }
        }
        for (size_t i = 0; i < slices.size(); ++i) {
            if (slices[i].sweep <= 0) {
                continue;
            }
            const PointF o = offset(slices[i]);
            SolidBrush fill(apart > 0 && i == slices.size() - 1 ? Rgb(0xC8C8C8) : SeriesColour(i));
            g_.FillPie(&fill, disc.X + o.X, disc.Y + o.Y, disc.Width, disc.Height,
                       static_cast<REAL>(slices[i].start), static_cast<REAL>(slices[i].sweep));
            if (slices.size() > 1 && slices[i].sweep < 360) {
                g_.DrawPie(&separator, disc.X + o.X, disc.Y + o.Y, disc.Width, disc.Height,
                           static_cast<REAL>(slices[i].start), static_cast<REAL>(slices[i].sweep));
            }
            const double mid = (slices[i].start + slices[i].sweep / 2) * kPi / 180.0;
            const PointF label(cx + o.X + side * 0.3f * static_cast<REAL>(std::cos(mid)),
                               cy + o.Y + height * 0.3f * static_cast<REAL>(std::sin(mid)) -
                                   thick / 2);
            if (i < n && !(apart > 0 && i == slices.size() - 1)) {
                slices_.push_back({0, i, label, values[i], slices[i].share});
            }
        }
        if (apart > 0) {
            DrawSecondPart(second, values, n - apart, otherTotal, slices.back(), disc);
        }
        DrawPieLabels();
    }

    // More slices than can be told apart: the last ones become one slice.
    static void CapSlices(std::vector<double>& values) {
        if (values.size() <= kMaxSlices) {
            return;
        }
        double rest = 0;
        for (size_t i = kMaxSlices - 1; i < values.size(); ++i) {
            rest += std::isfinite(values[i]) ? std::fabs(values[i]) : 0.0;
        }
        values.resize(kMaxSlices - 1);
        values.push_back(rest);
    }

    // The points split off a pie: a small pie or a stacked bar, joined to
    // their slice of the main pie.
    void DrawSecondPart(const RectF& box, const std::vector<double>& values, size_t first,
                        double total, const core::Slice& slice, const RectF& disc) {
        Pen join(kAxis, 1.0f);
        const double a1 = slice.start * kPi / 180.0;
        const double a2 = (slice.start + slice.sweep) * kPi / 180.0;
        const PointF c(disc.X + disc.Width / 2, disc.Y + disc.Height / 2);
        const PointF e1(c.X + disc.Width / 2 * static_cast<REAL>(std::cos(a1)),
                        c.Y + disc.Height / 2 * static_cast<REAL>(std::sin(a1)));
        const PointF e2(c.X + disc.Width / 2 * static_cast<REAL>(std::cos(a2)),
                        c.Y + disc.Height / 2 * static_cast<REAL>(std::sin(a2)));
        std::vector<double> part(values.begin() + static_cast<ptrdiff_t>(first), values.end());
        if (style_.barOfPie) {
            const RectF bar(box.X + box.Width * 0.3f, box.Y - box.Height * 0.2f, box.Width * 0.4f,
                            box.Height * 1.4f);
            g_.DrawLine(&join, e1, PointF(bar.X, bar.Y));
            g_.DrawLine(&join, e2, PointF(bar.X, bar.Y + bar.Height));
            REAL y = bar.Y;
            for (size_t i = 0; i < part.size(); ++i) {
                const double v = std::isfinite(part[i]) ? std::fabs(part[i]) : 0.0;
                const REAL h = total > 0 ? static_cast<REAL>(v / total) * bar.Height : 0;
                SolidBrush fill(SeriesColour(first + i));
                g_.FillRectangle(&fill, bar.X, y, bar.Width, h);
                slices_.push_back(
                    {0, first + i, PointF(bar.X + bar.Width / 2, y + h / 2), part[i], 0.0});
                y += h;
            }
            return;
        }
        g_.DrawLine(&join, e1, PointF(box.X + box.Width / 2, box.Y));
        g_.DrawLine(&join, e2, PointF(box.X + box.Width / 2, box.Y + box.Height));
        const auto small = core::PieSlices(part, -90.0);
        Pen separator(kWhite, 1.0f);
        for (size_t i = 0; i < small.size(); ++i) {
            if (small[i].sweep <= 0) {
                continue;
            }
            SolidBrush fill(SeriesColour(first + i));
            g_.FillPie(&fill, box, static_cast<REAL>(small[i].start),
                       static_cast<REAL>(small[i].sweep));
            g_.DrawPie(&separator, box, static_cast<REAL>(small[i].start),
                       static_cast<REAL>(small[i].sweep));
            const double mid = (small[i].start + small[i].sweep / 2) * kPi / 180.0;
            slices_.push_back(
                {0, first + i,
                 PointF(box.X + box.Width / 2 + box.Width * 0.3f * static_cast<REAL>(std::cos(mid)),
                        box.Y + box.Height / 2 +
                            box.Height * 0.3f * static_cast<REAL>(std::sin(mid))),
                 part[i], 0.0});
        }
    }

    void DrawDoughnut() {
        const size_t m = SeriesCount();
        const REAL side =
            std::min(plot_.Width, plot_.Height) * 0.94f / (style_.exploded ? 1.1f : 1.0f);
        const REAL cx = plot_.X + plot_.Width / 2;
        const REAL cy = plot_.Y + plot_.Height / 2;
        const REAL hole = side * 0.25f;
        const REAL ring = (side / 2 - hole) / static_cast<REAL>(std::min<size_t>(m, 32));
        Pen separator(kWhite, 1.5f);
        for (size_t s = 0; s < std::min<size_t>(m, 32); ++s) {
            std::vector<double> values = d_.series[s].values;
            CapSlices(values);
            const auto slices = core::PieSlices(values, -90.0);
            const REAL outer = side / 2 - ring * static_cast<REAL>(s);
            const REAL inner = outer - ring;
            const REAL explode = style_.exploded && s == 0 ? side * 0.04f : 0.0f;
            for (size_t i = 0; i < slices.size(); ++i) {
                if (slices[i].sweep <= 0) {
                    continue;
                }
                const double mid = (slices[i].start + slices[i].sweep / 2) * kPi / 180.0;
                const REAL ox = explode * static_cast<REAL>(std::cos(mid));
                const REAL oy = explode * static_cast<REAL>(std::sin(mid));
                GraphicsPath path;
                path.AddArc(cx + ox - outer, cy + oy - outer, outer * 2, outer * 2,
                            static_cast<REAL>(slices[i].start), static_cast<REAL>(slices[i].sweep));
                path.AddArc(cx + ox - inner, cy + oy - inner, inner * 2, inner * 2,
                            static_cast<REAL>(slices[i].start + slices[i].sweep),
                            static_cast<REAL>(-slices[i].sweep));
                path.CloseFigure();
                SolidBrush fill(SeriesColour(i));
                g_.FillPath(&fill, &path);
                g_.DrawPath(&separator, &path);
                const REAL r = (outer + inner) / 2;
                slices_.push_back({s, i,
                                   PointF(cx + ox + r * static_cast<REAL>(std::cos(mid)),
                                          cy + oy + r * static_cast<REAL>(std::sin(mid))),
                                   Value(s, i), slices[i].share});
            }
        }
        DrawPieLabels();
    }

    void DrawRadar() {
        const size_t n = Points();
        if (n == 0) {
            return;
        }
        const REAL line = LineHeight(*label_);
        const REAL radius = std::max(4.0f, std::min(plot_.Width, plot_.Height) / 2 -
                                               (o_.xLabels ? line * 1.6f : 2));
        const REAL cx = plot_.X + plot_.Width / 2;
        const REAL cy = plot_.Y + plot_.Height / 2;
        valueScale_ = core::NiceScale(valueLow_, valueHigh_, true,
                                      std::clamp(static_cast<int>(radius / 24), 2, 8));
        auto spoke = [&](size_t i, double r) {
            const double a = -kPi / 2 + 2 * kPi * static_cast<double>(i) / static_cast<double>(n);
            return PointF(cx + static_cast<REAL>(r * std::cos(a)),
                          cy + static_cast<REAL>(r * std::sin(a)));
        };
        auto radial = [&](double v) {
            return core::ValueToPixel(v, valueScale_, 0.0, static_cast<double>(radius));
        };
        Pen grid(kGrid, 1.0f);
        Pen axis(kAxis, 1.0f);
        const size_t spokes = std::min<size_t>(n, 720);
        for (int t = 1; t <= valueScale_.intervals && o_.yMajor; ++t) {
            std::vector<PointF> ring;
            for (size_t i = 0; i < spokes; ++i) {
                ring.push_back(spoke(i * n / spokes, radial(core::ScaleTick(valueScale_, t))));
            }
            g_.DrawPolygon(&grid, ring.data(), static_cast<INT>(ring.size()));
        }
        for (size_t i = 0; i < spokes; ++i) {
            g_.DrawLine(&axis, PointF(cx, cy), spoke(i * n / spokes, radius));
        }
        if (o_.yLabels) {
            for (int t = 0; t <= valueScale_.intervals; ++t) {
                const double v = core::ScaleTick(valueScale_, t);
                // Beside the upward spoke, just below each ring.
                const REAL y = cy - static_cast<REAL>(radial(v));
                Text(ValueText(v, valueScale_), *label_, RectF(cx - 62, y - 1, 60, line),
                     StringAlignmentFar, StringAlignmentNear, Color(255, 110, 110, 110));
            }
        }
        if (o_.xLabels) {
            const size_t step = std::max<size_t>(1, n / 36);
            for (size_t i = 0; i < n; i += step) {
                const PointF p = spoke(i, radius + line * 1.1f);
                Text(CategoryText(i), *label_, RectF(p.X - 40, p.Y - line / 2, 80, line),
                     StringAlignmentCenter, StringAlignmentCenter, ink_);
            }
        }
        for (size_t s = 0; s < SeriesCount(); ++s) {
            const Color colour = SeriesColour(s);
            std::vector<PointF> polygon;
            for (size_t i = 0; i < n; ++i) {
                const double v = Value(s, i);
                polygon.push_back(spoke(i, radial(std::isfinite(v) ? v : valueScale_.minimum)));
                if (std::isfinite(v) && LabelsWanted() && n <= kMaxDataLabels) {
                    bars_.push_back({s, i, polygon.back(), v});
                }
            }
            if (polygon.size() > 720 && raster_ != nullptr) {
                BeginPixels();
                raster_->SetClip(RECT{static_cast<LONG>(area_.X), static_cast<LONG>(area_.Y),
                                      static_cast<LONG>(area_.X + area_.Width),
                                      static_cast<LONG>(area_.Y + area_.Height)});
                for (size_t i = 0; i < polygon.size(); ++i) {
                    const PointF& a = polygon[i];
                    const PointF& b = polygon[(i + 1) % polygon.size()];
                    raster_->Line(a.X, a.Y, b.X, b.Y, Pixel(colour), 1.5);
                }
                continue;
            }
            if (style_.filled) {
                SolidBrush fill(Shade(colour, 0.0, 140));
                g_.FillPolygon(&fill, polygon.data(), static_cast<INT>(polygon.size()));
            }
            Pen pen(colour, 2.0f);
            g_.DrawPolygon(&pen, polygon.data(), static_cast<INT>(polygon.size()));
            if (style_.markers && n <= 360) {
                for (const PointF& p : polygon) {
                    DrawMarker(g_, MarkerOf(s), p.X, p.Y, kMarker, colour);
                }
            }
        }
        DrawDataLabels();
    }

    // ---- data labels ---------------------------------------------------------------------------
    struct Placed {
        size_t series;
        size_t point;
        PointF at;
        double value;
        double share = 0.0;
    };

    std::wstring LabelFor(const Placed& p, bool pie) const {
        std::wstring text;
        auto add = [&text](const std::wstring& part) {
            if (part.empty()) {
                return;
            }
            if (!text.empty()) {
                text += L"; ";
            }
            text += part;
        };
        if (o_.labelSeries) {
            add(SeriesName(p.series));
        }
        if (o_.labelCategory) {
            add(style_.shape == ChartShape::kScatter || style_.shape == ChartShape::kBubble
                    ? Wide(core::FormatDataValue(XValue(p.point), 6))
                    : CategoryText(p.point));
        }
        if (o_.labelValue) {
            add(Wide(core::FormatDataValue(p.value, 6)));
        }
        if (pie && o_.labelPercentage && p.share > 0) {
            add(Wide(core::FormatAxisValue(p.share * 100, 0)) + L"%");
        }
        if (o_.labelBubbleSize && style_.shape == ChartShape::kBubble) {
            const auto& sizes = d_.series[p.series].sizes;
            if (p.point < sizes.size() && std::isfinite(sizes[p.point])) {
                add(Wide(core::FormatDataValue(sizes[p.point], 6)));
            }
        }
        return text;
    }

    // Labels above their points; one that would overlap a label already
    // written is left out.
    void PlaceLabels(const std::vector<Placed>& items, bool pie) {
        const bool any = o_.labelValue || o_.labelCategory || o_.labelSeries ||
                         (pie && o_.labelPercentage) ||
                         (o_.labelBubbleSize && style_.shape == ChartShape::kBubble);
        if (!any || items.size() > kMaxDataLabels * 4) {
            return;
        }
        std::vector<RectF> taken;
        const REAL line = LineHeight(*label_);
        size_t written = 0;
        for (const Placed& p : items) {
            if (written >= kMaxDataLabels) {
                break;
            }
            const std::wstring text = LabelFor(p, pie);
            if (text.empty()) {
                continue;
            }
            const SizeF size = Measure(text, *label_);
            const REAL keyWidth = o_.labelLegendKey ? kKey * 0.8f + 3 : 0.0f;
            RectF box(p.at.X - (size.Width + keyWidth) / 2,
                      pie ? p.at.Y - line / 2 : p.at.Y - line - 3, size.Width + keyWidth, line);
            if (box.X < area_.X || box.Y < area_.Y || box.X + box.Width > area_.X + area_.Width ||
                box.Y + box.Height > area_.Y + area_.Height) {
                continue;
            }
            bool overlaps = false;
            for (const RectF& t : taken) {
                if (t.IntersectsWith(box)) {
                    overlaps = true;
                    break;
                }
            }
            if (overlaps) {
                continue;
            }
            taken.push_back(box);
            ++written;
            if (pie) {
                SolidBrush back(Color(200, 255, 255, 255));
                g_.FillRectangle(&back, box);
            }
            if (keyWidth > 0) {
                SolidBrush key(pie ? SeriesColour(p.point) : SeriesColour(p.series));
                const REAL k = kKey * 0.8f;
                g_.FillRectangle(&key, box.X, box.Y + (line - k) / 2, k, k);
            }
            Text(text, *label_, RectF(box.X + keyWidth, box.Y, size.Width + 2, line),
                 StringAlignmentNear, StringAlignmentCenter, ink_);
        }
    }

    void DrawDataLabels() { PlaceLabels(bars_, false); }
    void DrawPieLabels() { PlaceLabels(slices_, true); }

    // ---- legend and title ----------------------------------------------------------------------
    void DrawLegend(const core::ChartLayout& layout) {
        if (!o_.legend || layout.legend.Empty() || layout.legendShown <= 0) {
            return;
        }
        const RectF box = ToRectF(layout.legend);
        Pen frame(kFrame, 1.0f);
        g_.DrawRectangle(&frame, box);
        const int rows = std::max(1, layout.legendRows);
        const int columns = std::max(1, layout.legendColumns);
        const REAL entryW = (box.Width - 8) / static_cast<REAL>(columns);
        const REAL entryH = (box.Height - 8) / static_cast<REAL>(rows);
        const bool band = o_.legendPlace == 1 || o_.legendPlace == 3;
        for (int i = 0; i < layout.legendShown && i < static_cast<int>(legendTexts_.size()); ++i) {
            // Side legends fill down each column; bands fill across each row.
            const int row = band ? i / columns : i % rows;
            const int column = band ? i % columns : i / rows;
            const REAL x = box.X + 4 + entryW * static_cast<REAL>(column);
            const REAL y = box.Y + 4 + entryH * static_cast<REAL>(row);
            const Color colour = SeriesColour(static_cast<size_t>(i));
            const REAL ky = y + (entryH - kKey) / 2;
            const bool lineKey =
                !PieLike() &&
                (style_.shape == ChartShape::kLines || style_.shape == ChartShape::kScatter ||
                 style_.shape == ChartShape::kRadar) &&
                !style_.threeD && !style_.filled;
            if (style_.shape == ChartShape::kStock) {
                Pen pen(kInk, 1.25f);
                g_.DrawLine(&pen, x + kKey / 2, ky, x + kKey / 2, ky + kKey);
            } else if (lineKey) {
                Pen pen(colour, 2.0f);
                g_.DrawLine(&pen, x, ky + kKey / 2, x + kKey + 2, ky + kKey / 2);
                if (style_.markers) {
                    DrawMarker(g_, MarkerOf(static_cast<size_t>(i)), x + kKey / 2 + 1,
                               ky + kKey / 2, 5.0f, colour);
                }
            } else {
                SolidBrush key(colour);
                g_.FillRectangle(&key, x, ky, kKey, kKey);
            }
            Text(legendTexts_[static_cast<size_t>(i)], *label_,
                 RectF(x + kKey + kKeyGap, y, entryW - kKey - kKeyGap, entryH), StringAlignmentNear,
                 StringAlignmentCenter, ink_);
        }
    }

    void DrawTitle(const core::ChartLayout& layout) {
        if (o_.title.text.empty() || layout.title.Empty()) {
            return;
        }
        Text(Wide(o_.title.text), *title_, ToRectF(layout.title), StringAlignmentCenter,
             StringAlignmentCenter, Color(255, 32, 32, 32));
    }

    Graphics& g_;
    Raster* raster_; // NULL when drawing straight into the caller's context
    RectF area_;
    const ChartOptions& o_;
    const ChartData& d_;
    core::ChartStyle style_;
    std::unique_ptr<Font> label_;
    std::unique_ptr<Font> axisTitleX_;
    std::unique_ptr<Font> axisTitleY_;
    std::unique_ptr<Font> title_;
    StringFormat format_;
    Color ink_;
    RectF plot_;
    REAL depth_ = 0.0f;
    double rightAxisWidth_ = 0.0;
    std::vector<std::vector<core::StackedPoint>> stacks_;
    double valueLow_ = 0, valueHigh_ = 1, xLow_ = 0, xHigh_ = 1;
    bool valueZero_ = true;
    bool xLabelsShown_ = true;
    core::AxisScale valueScale_;
    core::AxisScale xScale_;
    core::AxisScale priceScale_;
    std::vector<std::wstring> categoryTexts_;
    std::vector<std::wstring> legendTexts_;
    std::vector<Placed> bars_;
    std::vector<Placed> slices_;
};

} // namespace

void DrawChartInBitmap(HDC memory, uint32_t* bits, int width, int height,
                       const ChartOptions& options, const ChartData& data, bool failed) {
    if (memory == nullptr || bits == nullptr || width <= 0 || height <= 0) {
        return;
    }
    Graphics graphics(memory);
    if (graphics.GetLastStatus() == Ok) {
        Raster raster(bits, width, height, width);
        const RectF area(0, 0, static_cast<REAL>(width), static_cast<REAL>(height));
        Painter painter(graphics, area, options, data, &raster);
        painter.Draw(failed);
        graphics.Flush(FlushIntentionSync);
    }
    GdiFlush();
}

void DrawChart(HDC dc, const RECT& rect, const ChartOptions& options, const ChartData& data,
               bool failed) {
    if (dc == nullptr || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    // Drawn in a bitmap of the chart's own, then copied in one go: no
    // flicker, and dense data can be written into its pixels.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory != nullptr && static_cast<int64_t>(width) * height <= (1 << 26)
                         ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                         : nullptr;
    if (bitmap == nullptr || bits == nullptr) {
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        Graphics graphics(dc);
        if (graphics.GetLastStatus() != Ok) {
            return;
        }
        const RectF area(static_cast<REAL>(rect.left), static_cast<REAL>(rect.top),
                         static_cast<REAL>(width), static_cast<REAL>(height));
        graphics.SetClip(area);
        Painter painter(graphics, area, options, data, nullptr);
        painter.Draw(failed);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    DrawChartInBitmap(memory, static_cast<uint32_t*>(bits), width, height, options, data, failed);
    BitBlt(dc, rect.left, rect.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

} // namespace qv::chart
