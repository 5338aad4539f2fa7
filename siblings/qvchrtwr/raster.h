// Pixels written straight into the 32-bit bitmap a chart is drawn in, for
// data too dense for path drawing: more points or bars than the plot has
// pixel columns. Anti-aliased lines (Wu's method), filled spans and boxes,
// all clipped to one rectangle.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace qv::chart {

class Raster {
  public:
    // `bits`: top-down 0x00RRGGBB pixels, `stride` pixels a row.
    Raster(uint32_t* bits, int width, int height, int stride);

    // Limits drawing to the rectangle (and the bitmap).
    void SetClip(const RECT& clip);

    // Cells [left, right) x [top, bottom), rounded to whole pixels.
    void Fill(double left, double top, double right, double bottom, uint32_t rgb);
    // One pixel column from y0 to y1 (either order), the ends blended by how
    // much of their pixel they cover.
    void Span(int x, double y0, double y1, uint32_t rgb);
    // An anti-aliased line about `width` pixels wide (1 to 3).
    void Line(double x0, double y0, double x1, double y1, uint32_t rgb, double width = 1.0);
    // A line through points in order of x, denser than the pixel columns:
    // each column it crosses is filled from its lowest to its highest y
    // (joined to the columns beside it), about `width` pixels thick; steps
    // wider than a column are drawn as lines. NaN y values break the line.
    void Trace(const double* xs, const double* ys, size_t count, uint32_t rgb, double width = 1.5);
    // A small square point, `size` pixels across.
    void Dot(double x, double y, int size, uint32_t rgb);

  private:
    void Blend(int x, int y, uint32_t rgb, double coverage);
    void ThinLine(double x0, double y0, double x1, double y1, uint32_t rgb, double strength);

    uint32_t* bits_;
    int width_;
    int height_;
    int stride_;
    RECT clip_;
};

} // namespace qv::chart
