// The host's side of the chart component: a sheet of cells that charts read
// (the sample data of the demo, or any data a test or benchmark puts in),
// and QVChrtWr.dll loaded from the application folder to create charts.
#pragma once

#include "qvchart/qvchart.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qvhost {

class SampleSheet final : public CQVChartDataSource {
  public:
    // A cell's number from its 1-based row and column, for blocks of
    // generated data (benchmarks); NaN means an empty cell.
    using Generator = std::function<double(int32_t row, int32_t column)>;

    void SetNumber(int32_t row, int32_t column, double value);
    void SetText(int32_t row, int32_t column, const std::string& text);
    void ClearCell(int32_t row, int32_t column);
    // Cells of rows firstRow.. and columns firstColumn.. up to the last ones
    // answer `generator` (cells set one by one take precedence).
    void SetGenerated(int32_t firstRow, int32_t firstColumn, int32_t lastRow, int32_t lastColumn,
                      Generator generator);
    // Cells read since the sheet was made.
    int64_t Reads() const { return reads_; }

    int32_t QVCHART_CALL ReadCell(int32_t row, int32_t column, double* number, char* text,
                                  int32_t size) override;

    // The demo's sheet:
    //   A1:D5  quarterly sales by region (Q1..Q3 across, North..West down)
    //   F1:K6  five trading days: Day, Volume, Open, High, Low, Close
    //   M1:O5  price, units sold and market share (bubble data)
    //   A8:C8  the numbers 1, 2, 3; A10:B10 the numbers 1, 1
    static void FillDemo(SampleSheet& sheet);

  private:
    struct Cell {
        bool text = false;
        double number = 0.0;
        std::string value;
    };
    std::map<std::pair<int32_t, int32_t>, Cell> cells_;
    struct Block {
        int32_t firstRow, firstColumn, lastRow, lastColumn;
        Generator generator;
    };
    std::vector<Block> generated_;
    int64_t reads_ = 0;
};

// Ends a chart through its own Release.
struct ChartRelease {
    void operator()(CQVChartWrapperCtrl* chart) const {
        if (chart != nullptr) {
            chart->Release();
        }
    }
};
using ChartPtr = std::unique_ptr<CQVChartWrapperCtrl, ChartRelease>;

// QVChrtWr.dll from an application folder. Without it the host creates no
// charts (Create answers NULL).
class ChartComponent {
  public:
    explicit ChartComponent(const std::string& appFolder);
    ~ChartComponent();
    ChartComponent(const ChartComponent&) = delete;
    ChartComponent& operator=(const ChartComponent&) = delete;

    bool loaded() const { return create_ != nullptr; }
    int32_t InterfaceVersion() const;
    // A new chart over `source`, or NULL without the library.
    ChartPtr Create(CQVChartDataSource* source) const;

  private:
    HMODULE module_ = nullptr;
    QVCreateChartFn create_ = nullptr;
    QVChartInterfaceVersionFn version_ = nullptr;
};

// A chart drawn into a 24-bit bitmap of the given size: rows top to bottom,
// three bytes a pixel (R, G, B).
struct ChartPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    uint32_t At(int x, int y) const; // 0xRRGGBB, 0 outside
};
ChartPixels RenderChart(CQVChartWrapperCtrl& chart, int width, int height);
// The pixels of a bitmap (one not selected into a device context), such as
// the one GetBitmapFromChart hands out; empty when they cannot be read.
ChartPixels BitmapPixels(HBITMAP bitmap);

// One chart of every main type over the demo sheet, in a grid, written as a
// PNG file. False (nothing written) when QVChrtWr.dll is missing from the
// application folder or the file cannot be written.
bool WriteChartGallery(const std::string& appFolder, const std::string& pngPath);

} // namespace qvhost
