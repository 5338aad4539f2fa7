#include "qvhost/chart_host.h"

#include "qvcore/png_writer.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace qvhost {

void SampleSheet::SetNumber(int32_t row, int32_t column, double value) {
    cells_[{row, column}] = Cell{false, value, {}};
}

void SampleSheet::SetText(int32_t row, int32_t column, const std::string& text) {
    cells_[{row, column}] = Cell{true, 0.0, text};
}

void SampleSheet::ClearCell(int32_t row, int32_t column) {
    cells_.erase({row, column});
}

void SampleSheet::SetGenerated(int32_t firstRow, int32_t firstColumn, int32_t lastRow,
                               int32_t lastColumn, Generator generator) {
    generated_.push_back({firstRow, firstColumn, lastRow, lastColumn, std::move(generator)});
}

int32_t QVCHART_CALL SampleSheet::ReadCell(int32_t row, int32_t column, double* number, char* text,
                                           int32_t size) {
    ++reads_;
    auto it = cells_.find({row, column});
    if (it != cells_.end()) {
        if (!it->second.text) {
            if (number != nullptr) {
                *number = it->second.number;
            }
            return QVCHART_CELL_NUMBER;
        }
        if (text != nullptr && size > 0) {
            const size_t n = std::min(it->second.value.size(), static_cast<size_t>(size - 1));
            std::memcpy(text, it->second.value.data(), n);
            text[n] = '\0';
        }
        return QVCHART_CELL_TEXT;
    }
    for (const Block& b : generated_) {
        if (row >= b.firstRow && row <= b.lastRow && column >= b.firstColumn &&
            column <= b.lastColumn) {
            const double v = b.generator(row, column);
            if (std::isnan(v)) {
                return QVCHART_CELL_EMPTY;
            }
            if (number != nullptr) {
                *number = v;
            }
            return QVCHART_CELL_NUMBER;
        }
    }
    return QVCHART_CELL_EMPTY;
}

void SampleSheet::FillDemo(SampleSheet& sheet) {
    // Quarterly sales by region.
    const char* quarters[] = {"Q1", "Q2", "Q3"};
    const char* regions[] = {"North", "South", "East", "West"};
    const double sales[4][3] = {{42, 48, 55}, {30, 35, 28}, {25, 33, 41}, {51, 46, 58}};
    for (int c = 0; c < 3; ++c) {
        sheet.SetText(1, c + 2, quarters[c]);
    }
    for (int r = 0; r < 4; ++r) {
        sheet.SetText(r + 2, 1, regions[r]);
        for (int c = 0; c < 3; ++c) {
            sheet.SetNumber(r + 2, c + 2, sales[r][c]);
        }
    }
    // Five trading days.
    const char* heads[] = {"Day", "Volume", "Open", "High", "Low", "Close"};
    const char* days[] = {"Mon", "Tue", "Wed", "Thu", "Fri"};
    const double prices[5][5] = {{1200, 30, 34, 29, 33},
                                 {900, 33, 35, 31, 32},
                                 {1500, 32, 33, 27, 28},
                                 {1100, 28, 31, 27, 30},
                                 {1700, 30, 36, 30, 35}};
    for (int c = 0; c < 6; ++c) {
        sheet.SetText(1, c + 6, heads[c]);
    }
    for (int r = 0; r < 5; ++r) {
        sheet.SetText(r + 2, 6, days[r]);
        for (int c = 0; c < 5; ++c) {
            sheet.SetNumber(r + 2, c + 7, prices[r][c]);
        }
    }
    // Price, units and share.
    const char* bubbleHeads[] = {"Price", "Units", "Share"};
    const double bubbles[4][3] = {{10, 40, 5}, {20, 55, 12}, {30, 35, 3}, {40, 60, 8}};
    for (int c = 0; c < 3; ++c) {
        sheet.SetText(1, c + 13, bubbleHeads[c]);
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            sheet.SetNumber(r + 2, c + 13, bubbles[r][c]);
        }
    }
    for (int c = 1; c <= 3; ++c) {
        sheet.SetNumber(8, c, c);
    }
    sheet.SetNumber(10, 1, 1);
    sheet.SetNumber(10, 2, 1);
}

ChartComponent::ChartComponent(const std::string& appFolder) {
    const std::string path = appFolder + "\\QVChrtWr.dll";
    module_ = LoadLibraryA(path.c_str());
    if (module_ != nullptr) {
        create_ = reinterpret_cast<QVCreateChartFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, "QVCreateChart")));
        version_ = reinterpret_cast<QVChartInterfaceVersionFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, "QVChartInterfaceVersion")));
    }
}

ChartComponent::~ChartComponent() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

int32_t ChartComponent::InterfaceVersion() const {
    return version_ != nullptr ? version_() : 0;
}

ChartPtr ChartComponent::Create(CQVChartDataSource* source) const {
    return ChartPtr(create_ != nullptr ? create_(source) : nullptr);
}

uint32_t ChartPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

namespace {

ChartPixels PixelsOf(qvrobot::Image image) {
    ChartPixels pixels;
    pixels.width = image.width;
    pixels.height = image.height;
    pixels.rgb = std::move(image.rgb);
    return pixels;
}

} // namespace

ChartPixels RenderChart(CQVChartWrapperCtrl& chart, int width, int height) {
    const RECT area{0, 0, width, height};
    return PixelsOf(qvrobot::DrawPicture(width, height, [&](HDC dc) {
        chart.OnChartDraw(dc, &area);
        return true;
    }));
}

ChartPixels BitmapPixels(HBITMAP bitmap) {
    BITMAP size{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof size, &size) != sizeof size) {
        return {};
    }
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = source != nullptr ? SelectObject(source, bitmap) : nullptr;
    ChartPixels pixels;
    if (previous != nullptr) {
        pixels = PixelsOf(qvrobot::DrawPicture(size.bmWidth, size.bmHeight, [&](HDC dc) {
            return BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY) != FALSE;
        }));
        SelectObject(source, previous);
    }
    if (source != nullptr) {
        DeleteDC(source);
    }
    return pixels;
}

bool WriteChartGallery(const std::string& appFolder, const std::string& pngPath) {
    const ChartComponent component(appFolder);
    if (!component.loaded()) {
        return false;
    }
    SampleSheet sheet;
    SampleSheet::FillDemo(sheet);
    struct Entry {
        int32_t mainType;
        int32_t subtype;
        const char* range;
        const char* title;
    };
    const Entry entries[] = {
        {1, 1, "A1:D5", "Sales by region"},        {2, 1, "A1:D5", "Sales by region"},
        {3, 4, "A1:D5", "Sales through the year"}, {4, 1, "A1:B5", "Q1 sales by region"},
        {5, 4, "M1:N5", "Units by price"},         {6, 2, "A1:D5", "Sales, stacked"},
        {7, 1, "A1:C5", "Q1 and Q2 by region"},    {8, 2, "A1:D5", "Sales by region"},
        {9, 2, "M1:O5", "Units, price and share"}, {10, 4, "F1:K6", "Week's trading"},
        {11, 1, "A1:D5", "Sales by region"},
    };
    constexpr int kCellWidth = 420;
    constexpr int kCellHeight = 280;
    constexpr int kColumns = 3;
    const int rows = (static_cast<int>(std::size(entries)) + kColumns - 1) / kColumns;
    const int width = kCellWidth * kColumns;
    const int height = kCellHeight * rows;
    std::vector<uint8_t> image(static_cast<size_t>(width) * height * 3, 0xFF);
    for (size_t i = 0; i < std::size(entries); ++i) {
        const Entry& e = entries[i];
        ChartPtr chart = component.Create(&sheet);
        if (!chart) {
            return false;
        }
        chart->SetDataSourceRangeInText(e.range, QVCHART_HINT_CHOOSE, 0);
        chart->setChartType(e.mainType, e.subtype);
        chart->SetChartTitleText(e.title);
        if (e.mainType != 4 && e.mainType != 7 && e.mainType != 8) {
            chart->SetChartYAxisTitle(e.mainType == 10 ? "Volume" : "Units");
        }
        if (e.mainType == 4) {
            chart->SetLabelPercentage(1);
        }
        chart->UpdateChart();
        const ChartPixels pixels = RenderChart(*chart, kCellWidth - 8, kCellHeight - 8);
        const int left = static_cast<int>(i % kColumns) * kCellWidth + 4;
        const int top = static_cast<int>(i / kColumns) * kCellHeight + 4;
        for (int y = 0; y < pixels.height; ++y) {
            std::memcpy(&image[(static_cast<size_t>(top + y) * width + left) * 3],
                        &pixels.rgb[static_cast<size_t>(y) * pixels.width * 3],
                        static_cast<size_t>(pixels.width) * 3);
        }
    }
    const std::vector<uint8_t> png =
        qv::core::EncodePng(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 3,
                            image.data(), static_cast<size_t>(width) * 3);
    FILE* file = std::fopen(pngPath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

} // namespace qvhost
