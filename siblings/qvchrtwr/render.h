// Drawing of a chart with the platform's 2-D graphics (GDI+): anti-aliased
// lines and fills, real text layout, into any device context.
#pragma once

#include "model.h"

#include <windows.h>

#include <cstdint>

namespace qv::chart {

// GDI+ runs while at least one session object exists in the process (charts
// hold one each); it is never started or stopped under the loader lock.
class GraphicsSession {
  public:
    GraphicsSession();
    ~GraphicsSession();
    GraphicsSession(const GraphicsSession&) = delete;
    GraphicsSession& operator=(const GraphicsSession&) = delete;
    bool ok() const { return ok_; }

  private:
    bool ok_ = false;
};

// Draws the chart over the whole of a top-down 32-bit bitmap selected into
// `memory`, whose pixels are `bits` (`width` a row).
void DrawChartInBitmap(HDC memory, uint32_t* bits, int width, int height,
                       const ChartOptions& options, const ChartData& data, bool failed);

// Draws the chart into `rect` of `dc`. With `failed` set (the rebuild found
// nothing to draw) only the chart area and its titles are drawn.
void DrawChart(HDC dc, const RECT& rect, const ChartOptions& options, const ChartData& data,
               bool failed);

} // namespace qv::chart
