// Chart preview speed: the chart component rebuilding a chart from the
// host's cells (UpdateChart) and drawing it into a preview-sized bitmap
// (OnChartDraw), for 10 series of 1,000 points and 256 series of 4,096.
// A scan of 32 MB with memchr is measured the same way in the same run as
// the yardstick, so that the ratios hold on a busy machine. Prints figures
// only.
#include "qvchart/qvchart.h"
#include "qvhost/chart_host.h"
#include "qvhost/host.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The best of `runs` timings of `work`, in ms (the machine is shared: the
// best run is the one least disturbed).
double Best(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best,
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

std::string ColumnName(int column) {
    std::string name;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    }
    return name;
}

} // namespace

int main() {
    const qvhost::ChartComponent component(qvhost::AppFolder());
    if (!component.loaded()) {
        std::printf("QVChrtWr.dll could not be loaded from %s\n", qvhost::AppFolder().c_str());
        return 0;
    }
    std::vector<unsigned char> block(32u << 20, 'a');
    const double scan = Best(9, [&] {
        const void* volatile found = std::memchr(block.data(), 'b', block.size());
        (void)found;
    });
    std::printf("yardstick: memchr over 32 MB, best of 9: %.3f ms\n\n", scan);

    qvhost::SampleSheet sheet;
    sheet.SetGenerated(1, 1, 4096, 256, [](int32_t row, int32_t column) {
        return 50.0 + 40.0 * std::sin(row * 0.013 + column * 0.7) + (row * 7919 % 13);
    });
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 510;
    info.bmiHeader.biHeight = -205;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT preview{0, 0, 510, 205}; // the wizard's preview: 10, 15 to 520, 220

    std::printf("%-28s %10s %8s %10s %8s\n", "chart (series x points)", "rebuild", "ratio",
                "redraw", "ratio");
    const struct {
        int series;
        int points;
        int32_t mainType;
        const char* name;
    } cases[] = {{10, 1000, 3, "line 10 x 1000"},    {10, 1000, 1, "column 10 x 1000"},
                 {10, 1000, 6, "area 10 x 1000"},    {256, 4096, 3, "line 256 x 4096"},
                 {256, 4096, 1, "column 256 x 4096"}, {256, 4096, 6, "area 256 x 4096"}};
    for (const auto& c : cases) {
        qvhost::ChartPtr chart = component.Create(&sheet);
        const std::string range = "A1:" + ColumnName(c.series) + std::to_string(c.points);
        chart->SetDataSourceRangeInText(range.c_str(), QVCHART_HINT_COLUMNS, 0);
        chart->setChartType(c.mainType, 1);
        const double rebuild = Best(3, [&] { chart->UpdateChart(); });
        const double redraw = Best(9, [&] { chart->OnChartDraw(dc, &preview); });
        std::printf("%-28s %8.2f ms %8.2f %8.2f ms %8.2f%s\n", c.name, rebuild, rebuild / scan,
                    redraw, redraw / scan,
                    chart->GetChartLastErr() == QVCHART_OK ? "" : "  (chart reported an error)");
        std::fflush(stdout);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
