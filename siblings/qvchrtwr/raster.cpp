#include "raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace qv::chart {

Raster::Raster(uint32_t* bits, int width, int height, int stride)
    : bits_(bits), width_(width), height_(height), stride_(stride), clip_{0, 0, width, height} {}

void Raster::SetClip(const RECT& clip) {
    clip_.left = std::clamp<LONG>(clip.left, 0, width_);
    clip_.top = std::clamp<LONG>(clip.top, 0, height_);
    clip_.right = std::clamp<LONG>(clip.right, clip_.left, width_);
    clip_.bottom = std::clamp<LONG>(clip.bottom, clip_.top, height_);
}

void Raster::Blend(int x, int y, uint32_t rgb, double coverage) {
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom ||
        coverage <= 0.0) {
        return;
    }
    uint32_t& pixel = bits_[static_cast<size_t>(y) * static_cast<size_t>(stride_) + x];
    if (coverage >= 1.0) {
        pixel = rgb;
        return;
    }
    const auto a = static_cast<uint32_t>(coverage * 256.0);
    const uint32_t b = 256 - a;
    const uint32_t r = (((rgb >> 16) & 0xFF) * a + ((pixel >> 16) & 0xFF) * b) >> 8;
    const uint32_t g = (((rgb >> 8) & 0xFF) * a + ((pixel >> 8) & 0xFF) * b) >> 8;
    const uint32_t bl = ((rgb & 0xFF) * a + (pixel & 0xFF) * b) >> 8;
    pixel = (r << 16) | (g << 8) | bl;
}

void Raster::Fill(double left, double top, double right, double bottom, uint32_t rgb) {
    if (!(std::isfinite(left) && std::isfinite(top) && std::isfinite(right) &&
          std::isfinite(bottom))) {
        return;
    }
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    const int x0 = std::max<int>(clip_.left, static_cast<int>(std::lround(std::max(left, -1e6))));
    const int x1 = std::min<int>(clip_.right, static_cast<int>(std::lround(std::min(right, 1e6))));
    const int y0 = std::max<int>(clip_.top, static_cast<int>(std::lround(std::max(top, -1e6))));
    const int y1 =
        std::min<int>(clip_.bottom, static_cast<int>(std::lround(std::min(bottom, 1e6))));
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = bits_ + static_cast<size_t>(y) * static_cast<size_t>(stride_);
        std::fill(row + x0, row + std::max(x0, x1), rgb);
    }
}

void Raster::Span(int x, double y0, double y1, uint32_t rgb) {
    if (x < clip_.left || x >= clip_.right || !std::isfinite(y0) || !std::isfinite(y1)) {
        return;
    }
    if (y0 > y1) {
        std::swap(y0, y1);
    }
    y0 = std::max(y0, static_cast<double>(clip_.top));
    y1 = std::min(y1, static_cast<double>(clip_.bottom));
    if (y1 <= y0) {
        return;
    }
    const int first = static_cast<int>(std::floor(y0));
    const int last = static_cast<int>(std::ceil(y1)) - 1;
    if (first == last) {
        Blend(x, first, rgb, y1 - y0);
        return;
    }
    Blend(x, first, rgb, first + 1 - y0);
    for (int y = first + 1; y < last; ++y) {
        bits_[static_cast<size_t>(y) * static_cast<size_t>(stride_) + x] = rgb;
    }
    Blend(x, last, rgb, y1 - last);
}

void Raster::Trace(const double* xs, const double* ys, size_t count, uint32_t rgb, double width) {
    const double half = std::clamp(width, 1.0, 3.0) / 2.0;
    bool open = false;   // a column is being gathered
    bool joined = false; // the previous point can be joined
    int column = 0;
    double low = 0.0;
    double high = 0.0;
    double lastX = 0.0;
    double lastY = 0.0;
    auto flush = [&]() {
        if (open) {
            Span(column, low - half, high + half, rgb);
            open = false;
        }
    };
    for (size_t i = 0; i < count; ++i) {
        const double x = xs[i];
        const double y = ys[i];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            flush();
            joined = false;
            continue;
        }
        const int c = static_cast<int>(std::floor(x));
        if (open && c == column) {
            low = std::min(low, y);
            high = std::max(high, y);
        } else {
            const bool neighbour = joined && open && std::abs(c - column) == 1;
            const bool step = joined && open && std::abs(c - column) > 1;
            flush();
            if (step) {
                // A step across several columns: an ordinary line.
                Line(lastX, lastY, x, y, rgb, width);
            }
            open = true;
            column = c;
            low = high = y;
            if (neighbour) {
                // Entering from the column beside: start where the line left it.
                low = std::min(low, lastY);
                high = std::max(high, lastY);
            }
        }
        joined = true;
        lastX = x;
        lastY = y;
    }
    flush();
}

void Raster::Dot(double x, double y, int size, uint32_t rgb) {
    const double h = size / 2.0;
    Fill(x - h, y - h, x + h, y + h, rgb);
}

void Raster::ThinLine(double x0, double y0, double x1, double y1, uint32_t rgb, double strength) {
    const bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double dx = x1 - x0;
    const double gradient = dx > 1e-9 ? (y1 - y0) / dx : 0.0;
    auto plot = [&](int a, int b, double c) {
        if (steep) {
            Blend(b, a, rgb, c * strength);
        } else {
            Blend(a, b, rgb, c * strength);
        }
    };
    // Only the part inside the clip along the main axis is walked.
    const double lowLimit = steep ? clip_.top : clip_.left;
    const double highLimit = steep ? clip_.bottom : clip_.right;
    const int start = static_cast<int>(std::max(std::round(x0), lowLimit - 1));
    const int end = static_cast<int>(std::min(std::round(x1), highLimit + 1));
    for (int x = start; x <= end; ++x) {
        const double y = y0 + gradient * (x - x0);
        const int base = static_cast<int>(std::floor(y));
        const double frac = y - base;
        plot(x, base, 1.0 - frac);
        plot(x, base + 1, frac);
    }
}

void Raster::Line(double x0, double y0, double x1, double y1, uint32_t rgb, double width) {
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1))) {
        return;
    }
    // Far outside: nothing to draw (and no long walks).
    const double margin = 4.0;
    if (std::max(x0, x1) < clip_.left - margin || std::min(x0, x1) > clip_.right + margin ||
        std::max(y0, y1) < clip_.top - margin || std::min(y0, y1) > clip_.bottom + margin) {
        return;
    }
    width = std::clamp(width, 1.0, 3.0);
    ThinLine(x0, y0, x1, y1, rgb, 1.0);
    if (width <= 1.0) {
        return;
    }
    // Wider lines: parallel passes across the line's minor axis.
    const bool steep = std::fabs(y1 - y0) > std::fabs(x1 - x0);
    const double extra = width - 1.0;
    for (double offset = 0.5; offset <= extra + 0.01; offset += 0.5) {
        const double strength = std::min(1.0, extra - offset + 0.5);
        if (steep) {
            ThinLine(x0 + offset, y0, x1 + offset, y1, rgb, strength);
        } else {
            ThinLine(x0, y0 + offset, x1, y1 + offset, rgb, strength);
        }
    }
}

} // namespace qv::chart
