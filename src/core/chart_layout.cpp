#include "qvcore/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::core {
namespace {

// Inner margin of the legend box around its entries.
constexpr double kLegendInset = 4.0;
// Tick marks stand this far out of the plot.
constexpr double kTick = 4.0;
// Share of the chart a side legend may take, and a top or bottom one.
constexpr double kSideLegendShare = 0.45;
constexpr double kBandLegendShare = 0.35;
// Gap between clusters, as a share of one bar's width.
constexpr double kClusterGap = 1.5;

double Clamp0(double value) {
    return std::isfinite(value) && value > 0.0 ? value : 0.0;
}

LayoutRect Intersect(const LayoutRect& a, const LayoutRect& b) {
    LayoutRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (r.right < r.left) {
        r.right = r.left;
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    return r;
}

// A box of the given size centred on (cx, cy), within `within`.
LayoutRect Centred(double cx, double cy, double width, double height, const LayoutRect& within) {
    return Intersect({cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2}, within);
}

} // namespace

bool LayoutRect::Contains(const LayoutRect& other) const {
    return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
}

bool LayoutRect::Intersects(const LayoutRect& other) const {
    return !Empty() && !other.Empty() && other.left < right && left < other.right &&
           other.top < bottom && top < other.bottom;
}

int LabelStep(int count, double labelExtent, double axisLength, double gap) {
    if (count <= 1) {
        return 1;
    }
    const double per = axisLength / count;
    if (!(per > 0.0) || !std::isfinite(per)) {
        return count;
    }
    const double need = Clamp0(labelExtent) + Clamp0(gap);
    const double step = std::ceil(need / per);
    if (!std::isfinite(step) || step >= count) {
        return count;
    }
    return std::max(1, static_cast<int>(step));
}

ChartLayout LayoutChart(const ChartLayoutInput& in) {
    ChartLayout out;
    const LayoutRect bounds = in.bounds;
    if (bounds.Empty() || !std::isfinite(bounds.Width()) || !std::isfinite(bounds.Height())) {
        out.plot = {bounds.left, bounds.top, bounds.left, bounds.top};
        return out;
    }
    const double pad = std::min(Clamp0(in.padding), std::min(bounds.Width(), bounds.Height()) / 8);
    LayoutRect free = {bounds.left + pad, bounds.top + pad, bounds.right - pad,
                       bounds.bottom - pad};

    // Title along the top.
    const double titleHeight = std::min(Clamp0(in.title.height), free.Height() / 3);
    if (titleHeight > 0.0 && Clamp0(in.title.width) > 0.0) {
        const double width = std::min(Clamp0(in.title.width), free.Width());
        out.title = Centred((free.left + free.right) / 2, free.top + titleHeight / 2, width,
                            titleHeight, free);
        free.top = std::min(free.bottom, free.top + titleHeight + pad);
    }

    // Legend, carved out of what is left so that it never covers the plot.
    const int entries = std::max(0, in.legendEntries);
    const double entryWidth = Clamp0(in.legendEntry.width);
    const double entryHeight = Clamp0(in.legendEntry.height);
    if (in.legend && entries > 0 && entryWidth > 0.0 && entryHeight > 0.0) {
        const int32_t place = in.legendPlace >= kLegendBottom && in.legendPlace <= kLegendLeft
                                  ? in.legendPlace
                                  : kLegendRight;
        const bool band = place == kLegendTop || place == kLegendBottom;
        int rows = 0;
        int columns = 0;
        if (band) {
            const double usable = free.Width() - 2 * kLegendInset;
            columns = std::clamp(static_cast<int>(usable / entryWidth), 1, entries);
            const int maxRows =
                std::max(1, static_cast<int>((free.Height() * kBandLegendShare - 2 * kLegendInset) /
                                             entryHeight));
            rows = std::min((entries + columns - 1) / columns, maxRows);
        } else {
            const int maxRows =
                std::max(1, static_cast<int>((free.Height() - 2 * kLegendInset) / entryHeight));
            rows = std::min(entries, maxRows);
            columns = (entries + rows - 1) / rows;
            const int maxColumns =
                std::max(1, static_cast<int>((free.Width() * kSideLegendShare - 2 * kLegendInset) /
                                             entryWidth));
            columns = std::min(columns, maxColumns);
        }
        out.legendRows = rows;
        out.legendColumns = columns;
        out.legendShown = std::min(entries, rows * columns);
        const double width = std::min(columns * entryWidth + 2 * kLegendInset, free.Width());
        const double height = std::min(rows * entryHeight + 2 * kLegendInset, free.Height());
        const double midX = (free.left + free.right) / 2;
        const double midY = (free.top + free.bottom) / 2;
        switch (place) {
        case kLegendBottom:
            out.legend = Centred(midX, free.bottom - height / 2, width, height, free);
            free.bottom = std::max(free.top, out.legend.top - pad);
            break;
        case kLegendTop:
            out.legend = Centred(midX, free.top + height / 2, width, height, free);
            free.top = std::min(free.bottom, out.legend.bottom + pad);
            break;
        case kLegendLeft:
            out.legend = Centred(free.left + width / 2, midY, width, height, free);
            free.left = std::min(free.right, out.legend.right + pad);
            break;
        case kLegendCorner:
            out.legend =
                Intersect({free.right - width, free.top, free.right, free.top + height}, free);
            free.right = std::max(free.left, out.legend.left - pad);
            break;
        default:
            out.legend = Centred(free.right - width / 2, midY, width, height, free);
            free.right = std::max(free.left, out.legend.left - pad);
            break;
        }
    }

    if (!in.axes) {
        const double side = std::min(free.Width(), free.Height());
        out.plot =
            Centred((free.left + free.right) / 2, (free.top + free.bottom) / 2, side, side, free);
        return out;
    }

    // Axis titles: the category title along the axis of the categories, the
    // value title (turned) beside the value axis; for bar charts they swap sides.
    const double catTitleH = std::min(Clamp0(in.categoryTitle.height), free.Height() / 4);
    const double valTitleH = std::min(Clamp0(in.valueTitle.height), free.Width() / 4);
    const bool hasCatTitle = catTitleH > 0.0 && Clamp0(in.categoryTitle.width) > 0.0;
    const bool hasValTitle = valTitleH > 0.0 && Clamp0(in.valueTitle.width) > 0.0;
    // Bottom title and left title as drawn, whichever axis they belong to.
    const bool bottomIsCategory = !in.horizontal;
    const double bottomTitleH =
        bottomIsCategory ? (hasCatTitle ? catTitleH : 0.0) : (hasValTitle ? valTitleH : 0.0);
    const double leftTitleW =
        bottomIsCategory ? (hasValTitle ? valTitleH : 0.0) : (hasCatTitle ? catTitleH : 0.0);

    // Labels beside the axes.
    const TextSize catLabel{Clamp0(in.categoryLabel.width), Clamp0(in.categoryLabel.height)};
    const TextSize valLabel{Clamp0(in.valueLabel.width), Clamp0(in.valueLabel.height)};
    const int categories = std::max(0, in.categories);
    double leftMargin = leftTitleW > 0 ? leftTitleW + pad : 0.0;
    double bottomMargin = bottomTitleH > 0 ? bottomTitleH + pad : 0.0;
    double labelsLeft = 0.0;
    double labelsBottom = 0.0;
    if (!in.horizontal) {
        labelsLeft = in.valueLabels ? valLabel.width + kTick + 2 : kTick;
        labelsBottom = in.categoryLabels && categories > 0 ? catLabel.height + kTick + 2 : kTick;
    } else {
        labelsLeft = in.categoryLabels && categories > 0 ? catLabel.width + kTick + 2 : kTick;
        labelsBottom = in.valueLabels ? valLabel.height + kTick + 2 : kTick;
    }
    labelsLeft = std::min(labelsLeft, free.Width() * 0.4);
    labelsBottom = std::min(labelsBottom, free.Height() * 0.4);

    LayoutRect plot = free;
    plot.left = std::min(plot.right, plot.left + leftMargin + labelsLeft);
    plot.bottom = std::max(plot.top, plot.bottom - bottomMargin - labelsBottom);
    // Half a label of room where the end labels overhang.
    plot.top = std::min(plot.bottom, plot.top + (in.horizontal ? 0.0 : valLabel.height / 2));
    plot.right = std::max(plot.left, plot.right - (in.horizontal ? valLabel.width / 2 : 0.0));
    // 3-D: the depth goes up and to the right.
    const double depth = std::min(Clamp0(in.depth), std::min(plot.Width(), plot.Height()) / 3);
    plot.top = std::min(plot.bottom, plot.top + depth);
    plot.right = std::max(plot.left, plot.right - depth);

    // Category labels that do not fit side by side: turned, or thinned.
    if (in.categoryLabels && categories > 0) {
        if (!in.horizontal) {
            int step = LabelStep(categories, catLabel.width, plot.Width());
            if (step > 1 && catLabel.width > 2 * catLabel.height) {
                // Turned labels need their width below the plot.
                const double turnedHeight =
                    std::min(catLabel.width + kTick + 2, free.Height() * 0.4);
                const double extra = turnedHeight - labelsBottom;
                if (extra > 0) {
                    plot.bottom = std::max(plot.top, plot.bottom - extra);
                }
                out.turnCategoryLabels = true;
                step = LabelStep(categories, catLabel.height, plot.Width());
            }
            out.categoryLabelStep = step;
        } else {
            out.categoryLabelStep = LabelStep(categories, catLabel.height, plot.Height(), 1.0);
        }
    }
    out.plot = plot;
    if (leftTitleW > 0.0) {
        const double length = std::min(bottomIsCategory ? Clamp0(in.valueTitle.width)
                                                        : Clamp0(in.categoryTitle.width),
                                       plot.Height());
        out.valueTitle = Centred(free.left + leftTitleW / 2, (plot.top + plot.bottom) / 2,
                                 leftTitleW, length, free);
        if (!bottomIsCategory) {
            std::swap(out.valueTitle, out.categoryTitle);
        }
    }
    if (bottomTitleH > 0.0) {
        const double length = std::min(bottomIsCategory ? Clamp0(in.categoryTitle.width)
                                                        : Clamp0(in.valueTitle.width),
                                       free.Width());
        LayoutRect box = Centred((plot.left + plot.right) / 2, free.bottom - bottomTitleH / 2,
                                 length, bottomTitleH, free);
        if (bottomIsCategory) {
            out.categoryTitle = box;
        } else {
            out.valueTitle = box;
        }
    }
    return out;
}

double ValueToPixel(double value, const AxisScale& scale, double from, double to) {
    if (!std::isfinite(value)) {
        return from;
    }
    // Halved so that spans beyond the double range still divide.
    const double span = scale.maximum * 0.5 - scale.minimum * 0.5;
    double t = span > 0.0 ? (value * 0.5 - scale.minimum * 0.5) / span : 0.0;
    if (!std::isfinite(t)) {
        t = 0.0;
    }
    t = std::clamp(t, -1.0, 2.0);
    return from + t * (to - from);
}

Span BarSlot(int category, int categories, int series, int seriesCount, double from, double to,
             bool overlap) {
    if (categories <= 0 || seriesCount <= 0) {
        return {from, from};
    }
    category = std::clamp(category, 0, categories - 1);
    series = std::clamp(series, 0, seriesCount - 1);
    const double slot = (to - from) / categories;
    const int bars = overlap ? 1 : seriesCount;
    const double bar = slot / (bars + kClusterGap);
    const double start =
        from + category * slot + bar * kClusterGap / 2 + (overlap ? 0 : series) * bar;
    return {start, start + bar};
}

std::vector<std::vector<StackedPoint>> StackSeries(const std::vector<std::vector<double>>& series,
                                                   bool percent) {
    size_t points = 0;
    for (const auto& s : series) {
        points = std::max(points, s.size());
    }
    std::vector<std::vector<StackedPoint>> out(series.size(), std::vector<StackedPoint>(points));
    for (size_t p = 0; p < points; ++p) {
        // Percent: every value's share of the point's total, computed in
        // units of the largest value so that nothing overflows.
        double largest = 0.0;
        double total = 0.0;
        if (percent) {
            for (const auto& s : series) {
                if (p < s.size() && std::isfinite(s[p])) {
                    largest = std::max(largest, std::fabs(s[p]));
                }
            }
            for (const auto& s : series) {
                if (p < s.size() && std::isfinite(s[p]) && largest > 0.0) {
                    total += std::fabs(s[p]) / largest;
                }
            }
        }
        double up = 0.0;
        double down = 0.0;
        for (size_t s = 0; s < series.size(); ++s) {
            const double raw = p < series[s].size() ? series[s][p] : 0.0;
            double v = std::isfinite(raw) ? raw : 0.0;
            if (percent) {
                v = total > 0.0 ? v / largest / total * 100.0 : 0.0;
            }
            if (v >= 0.0) {
                out[s][p] = {up, up + v};
                up += v;
                if (!std::isfinite(up)) {
                    up = std::numeric_limits<double>::max();
                    out[s][p].high = up;
                }
            } else {
                out[s][p] = {down + v, down};
                down += v;
                if (!std::isfinite(down)) {
                    down = -std::numeric_limits<double>::max();
                    out[s][p].low = down;
                }
            }
        }
    }
    return out;
}

std::vector<Slice> PieSlices(const std::vector<double>& values, double start) {
    std::vector<Slice> slices(values.size());
    double largest = 0.0;
    for (double v : values) {
        if (std::isfinite(v)) {
            largest = std::max(largest, std::fabs(v));
        }
    }
    if (!(largest > 0.0)) {
        for (Slice& s : slices) {
            s.start = start;
        }
        return slices;
    }
    double total = 0.0;
    for (double v : values) {
        if (std::isfinite(v)) {
            total += std::fabs(v) / largest;
        }
    }
    double angle = start;
    for (size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        const double share = std::isfinite(v) ? std::fabs(v) / largest / total : 0.0;
        slices[i] = {angle, share * 360.0, share};
        angle += share * 360.0;
    }
    return slices;
}

std::vector<std::vector<PlotPoint>> ThinSeries(const std::vector<double>& values, double x0,
                                               double dx, const AxisScale& scale, double yFrom,
                                               double yTo) {
    std::vector<std::vector<PlotPoint>> runs;
    if (!std::isfinite(x0) || !std::isfinite(dx)) {
        return runs;
    }
    std::vector<PlotPoint> run;
    // The pixel column being gathered: its first, lowest, highest and last
    // points by index.
    bool open = false;
    double column = 0.0;
    size_t first = 0, low = 0, high = 0, last = 0;
    auto point = [&](size_t i) {
        return PlotPoint{x0 + static_cast<double>(i) * dx,
                         ValueToPixel(values[i], scale, yFrom, yTo)};
    };
    auto flush = [&]() {
        if (!open) {
            return;
        }
        size_t order[4] = {first, low, high, last};
        std::sort(order, order + 4);
        size_t previous = static_cast<size_t>(-1);
        for (size_t i : order) {
            if (i != previous) {
                run.push_back(point(i));
                previous = i;
            }
        }
        open = false;
    };
    auto endRun = [&]() {
        flush();
        if (!run.empty()) {
            runs.push_back(std::move(run));
            run.clear();
        }
    };
    for (size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (!std::isfinite(v)) {
            endRun();
            continue;
        }
        const double c = std::floor(x0 + static_cast<double>(i) * dx);
        if (open && c == column) {
            if (v < values[low]) {
                low = i;
            }
            if (v > values[high]) {
                high = i;
            }
            last = i;
            continue;
        }
        flush();
        open = true;
        column = c;
        first = low = high = last = i;
    }
    endRun();
    return runs;
}

} // namespace qv::core
