// The chart object of QVChrtWr.dll: its settings, its series as reference
// texts, the values read from the host's cells, and the drawing.
#include "qvchart/qvchart.h"

#include "model.h"
#include "qvcore/chart_data.h"
#include "qvcore/chart_scale.h"
#include "qvcore/chart_types.h"
#include "render.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace qv::chart {
namespace {

using core::ChartCell;

// The longest text a cell gives the chart (names and labels).
constexpr int32_t kCellTextSize = 256;

std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

void Put(QVString* out, const std::string& text) {
    if (out != nullptr) {
        QVStringAssign(out, text.c_str());
    }
}

// Runs an operation with nothing thrown across the interface.
template <class Body> void Guard(Body body) noexcept {
    try {
        body();
    } catch (...) {
    }
}
template <class T, class Body> T Guarded(T fallback, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

int32_t Flag(bool on) {
    return on ? 1 : 0;
}

class Chart final : public CQVChartWrapperCtrl {
  public:
    explicit Chart(CQVChartDataSource* source) : source_(source) {}

    // ---- lifetime and drawing ----------------------------------------------------
    void QVCHART_CALL Release() override { delete this; }
    void QVCHART_CALL setParentWindows(HWND host, HWND preview) override {
        host_ = host;
        preview_ = preview;
    }
    void QVCHART_CALL SetChartRect(const RECT* rect) override {
        if (rect != nullptr) {
            if (!SameSize(*rect, rect_)) {
                DropBitmap(); // the picture is of the old size
            }
            rect_ = *rect;
        }
    }
    void QVCHART_CALL UpdateChart() override {
        Guard([&] { Rebuild(); });
    }
    void QVCHART_CALL OnChartDraw(HDC dc, const RECT* rect) override {
        if (dc == nullptr || rect == nullptr) {
            return;
        }
        Guard([&] {
            if (stale_) {
                Rebuild();
            }
            // A drawing of the chart's own size is the chart's picture:
            // drawn once, then copied until something changes.
            if (!SameSize(*rect, rect_) || MakeBitmap() == nullptr || !CopyBitmap(dc, *rect)) {
                DrawChart(dc, *rect, options_, data_, error_ != QVCHART_OK);
            }
        });
    }
    HBITMAP QVCHART_CALL GetBitmapFromChart() override {
        return Guarded<HBITMAP>(nullptr, [&] { return MakeBitmap(); });
    }
    void QVCHART_CALL DeleteCoreChart(uint32_t) override {
        data_ = ChartData{};
        stale_ = true;
        DropBitmap();
    }
    int32_t QVCHART_CALL GetChartLastErr() override { return error_; }

    // ---- type ----------------------------------------------------------------------
    int32_t QVCHART_CALL GetChartMainType() override { return options_.mainType; }
    int32_t QVCHART_CALL GetChartSubType() override { return options_.subtype; }
    void QVCHART_CALL setChartType(int32_t mainType, int32_t subtype) override {
        if (mainType < 1 || mainType > core::kChartMainTypes) {
            return;
        }
        Guard([&] {
            // A source block is read again when the new type takes its lines
            // differently (XY and bubble charts take X values first).
            const bool fromBlock = !range_.empty() && !Broken();
            const core::SeriesUse before = Use();
            options_.mainType = mainType;
            options_.subtype = core::ClampSubtype(mainType, subtype);
            if (fromBlock && Use() != before) {
                ReadRange(set_.orientation);
            }
            stale_ = true;
        });
    }

    // ---- data -------------------------------------------------------------------------
    void QVCHART_CALL SetDataSourceRangeInText(const char* range, uint8_t hint, uint32_t) override {
        Guard([&] {
            range_ = Text(range);
            std::optional<core::SeriesIn> orientation;
            if (hint == QVCHART_HINT_COLUMNS) {
                orientation = core::SeriesIn::kColumns;
            } else if (hint == QVCHART_HINT_ROWS) {
                orientation = core::SeriesIn::kRows;
            }
            ReadRange(orientation);
            stale_ = true;
        });
    }
    void QVCHART_CALL GetDataSourceRangeInText(QVString* range) override {
        Guard([&] { Put(range, range_); });
    }
    int32_t QVCHART_CALL IsRngBroken(uint32_t) override {
        return Guarded<int32_t>(0, [&] { return Flag(Broken()); });
    }
    int32_t QVCHART_CALL GetChartDataSeriesType() override {
        return static_cast<int32_t>(set_.orientation);
    }
    void QVCHART_CALL SetChartDataSeriesType(int32_t seriesIn) override {
        const core::SeriesIn wanted =
            seriesIn == QVCHART_SERIES_IN_ROWS ? core::SeriesIn::kRows : core::SeriesIn::kColumns;
        if (wanted == set_.orientation) {
            return;
        }
        Guard([&] {
            if (!range_.empty() && !Broken()) {
                ReadRange(wanted);
            } else {
                set_.orientation = wanted;
            }
            stale_ = true;
        });
    }
    void QVCHART_CALL GetSeriesInfo(QVString* categories, QVString* secondCategories,
                                    SSChartSeries* series) override {
        Guard([&] {
            Put(categories, set_.categories);
            const core::ChartStyle style = core::ChartStyleOf(options_.mainType, options_.subtype);
            Put(secondCategories, style.volume ? set_.categories : std::string());
            if (series == nullptr) {
                return;
            }
            const core::ChartCellReader read = Reader();
            for (const core::SeriesRefs& refs : set_.series) {
                const std::vector<std::string> name = core::ResolveTexts(refs.name, read, 1);
                QVStringArrayAdd(&series->entries, name.empty() ? "" : name.front().c_str());
                QVStringArrayAdd(&series->names, refs.name.c_str());
                QVStringArrayAdd(&series->values, refs.values.c_str());
                QVStringArrayAdd(&series->secondValues, refs.values.c_str());
                QVStringArrayAdd(&series->sizes, refs.sizes.c_str());
            }
        });
    }
    void QVCHART_CALL AddSeries(int32_t index, const char* name, const char* values,
                                const char* sizes, uint32_t) override {
        if (set_.series.size() >= static_cast<size_t>(QVCHART_MAX_SERIES)) {
            return;
        }
        Guard([&] {
            core::SeriesRefs refs{Text(name), Text(values), Text(sizes)};
            const auto at = index < 0 || static_cast<size_t>(index) >= set_.series.size()
                                ? set_.series.end()
                                : set_.series.begin() + index;
            set_.series.insert(at, std::move(refs));
            stale_ = true;
        });
    }
    void QVCHART_CALL UpdateSeries(int32_t index, const char* name, const char* values,
                                   const char* sizes, uint32_t) override {
        Guard([&] {
            if (index == -2) {
                set_.categories = Text(name);
            } else if (index >= 0 && static_cast<size_t>(index) < set_.series.size()) {
                core::SeriesRefs& refs = set_.series[static_cast<size_t>(index)];
                refs.name = Text(name);
                refs.values = Text(values);
                if (sizes != nullptr && *sizes != '\0') {
                    refs.sizes = sizes;
                }
            } else {
                return;
            }
            stale_ = true;
        });
    }
    void QVCHART_CALL RemoveSeries(int32_t index, uint32_t) override {
        if (index < 0 || static_cast<size_t>(index) >= set_.series.size()) {
            return;
        }
        set_.series.erase(set_.series.begin() + index);
        stale_ = true;
    }

    // ---- titles -------------------------------------------------------------------------
    void QVCHART_CALL GetChartTitleText(QVString* text) override { GetText(options_.title, text); }
    void QVCHART_CALL SetChartTitleText(const char* text) override {
        SetText(options_.title, text);
    }
    void QVCHART_CALL GetChartXAxisTitle(QVString* text) override {
        GetText(options_.xTitle, text);
    }
    void QVCHART_CALL SetChartXAxisTitle(const char* text) override {
        SetText(options_.xTitle, text);
    }
    void QVCHART_CALL GetChartYAxisTitle(QVString* text) override {
        GetText(options_.yTitle, text);
    }
    void QVCHART_CALL SetChartYAxisTitle(const char* text) override {
        SetText(options_.yTitle, text);
    }
    void QVCHART_CALL GetChartZAxisTitle(QVString* text) override {
        GetText(options_.zTitle, text);
    }
    void QVCHART_CALL SetChartZAxisTitle(const char* text) override {
        SetText(options_.zTitle, text);
    }
    void QVCHART_CALL SetChartTitleFont(const char* face) override {
        SetFace(options_.title, face);
    }
    void QVCHART_CALL SetChartXAxisTitleFont(const char* face) override {
        SetFace(options_.xTitle, face);
    }
    void QVCHART_CALL SetChartYAxisTitleFont(const char* face) override {
        SetFace(options_.yTitle, face);
    }
    void QVCHART_CALL SetChartZAxisTitleFont(const char* face) override {
        SetFace(options_.zTitle, face);
    }

    // ---- axes, gridlines, legend, data labels -------------------------------------------
    int32_t QVCHART_CALL GetXAxisLabelDisplay() override { return Flag(options_.xLabels); }
    void QVCHART_CALL SetXAxisLabelDisplay(int32_t on) override { Set(options_.xLabels, on); }
    int32_t QVCHART_CALL GetYAxisLabelDisplay() override { return Flag(options_.yLabels); }
    void QVCHART_CALL SetYAxisLabelDisplay(int32_t on) override { Set(options_.yLabels, on); }
    int32_t QVCHART_CALL GetZAxisLabelDisplay() override { return Flag(options_.zLabels); }
    void QVCHART_CALL SetZAxisLabelDisplay(int32_t on) override { Set(options_.zLabels, on); }
    int32_t QVCHART_CALL GetXMajorAxis() override { return Flag(options_.xMajor); }
    void QVCHART_CALL SetXMajorAxis(int32_t on) override { Set(options_.xMajor, on); }
    int32_t QVCHART_CALL GetXMinorAxis() override { return Flag(options_.xMinor); }
    void QVCHART_CALL SetXMinorAxis(int32_t on) override { Set(options_.xMinor, on); }
    int32_t QVCHART_CALL GetYMajorAxis() override { return Flag(options_.yMajor); }
    void QVCHART_CALL SetYMajorAxis(int32_t on) override { Set(options_.yMajor, on); }
    int32_t QVCHART_CALL GetYMinorAxis() override { return Flag(options_.yMinor); }
    void QVCHART_CALL SetYMinorAxis(int32_t on) override { Set(options_.yMinor, on); }
    int32_t QVCHART_CALL GetZMajorAxis() override { return Flag(options_.zMajor); }
    void QVCHART_CALL SetZMajorAxis(int32_t on) override { Set(options_.zMajor, on); }
    int32_t QVCHART_CALL GetZMinorAxis() override { return Flag(options_.zMinor); }
    void QVCHART_CALL SetZMinorAxis(int32_t on) override { Set(options_.zMinor, on); }
    int32_t QVCHART_CALL GetChartLegend() override { return Flag(options_.legend); }
    void QVCHART_CALL SetChartLegend(int32_t on) override { Set(options_.legend, on); }
    int32_t QVCHART_CALL GetChartLegendLocationType() override { return options_.legendPlace; }
    void QVCHART_CALL SetChartLegendLocationType(int32_t place) override {
        options_.legendPlace = place;
        DropBitmap();
    }
    int32_t QVCHART_CALL GetLabelValue() override { return Flag(options_.labelValue); }
    void QVCHART_CALL SetLabelValue(int32_t on) override { Set(options_.labelValue, on); }
    int32_t QVCHART_CALL GetLabelCategory() override { return Flag(options_.labelCategory); }
    void QVCHART_CALL SetLabelCategory(int32_t on) override { Set(options_.labelCategory, on); }
    int32_t QVCHART_CALL GetLabelSeries() override { return Flag(options_.labelSeries); }
    void QVCHART_CALL SetLabelSeries(int32_t on) override { Set(options_.labelSeries, on); }
    int32_t QVCHART_CALL GetLabelPercentage() override { return Flag(options_.labelPercentage); }
    void QVCHART_CALL SetLabelPercentage(int32_t on) override { Set(options_.labelPercentage, on); }
    int32_t QVCHART_CALL GetLabelBubbleSize() override { return Flag(options_.labelBubbleSize); }
    void QVCHART_CALL SetLabelBubbleSize(int32_t on) override { Set(options_.labelBubbleSize, on); }
    int32_t QVCHART_CALL GetLabelLegendKey() override { return Flag(options_.labelLegendKey); }
    void QVCHART_CALL SetLabelLegendKey(int32_t on) override { Set(options_.labelLegendKey, on); }

    void QVCHART_CALL GetChartDescription(QVString* text) override {
        Guard([&] { Put(text, Describe()); });
    }

  private:
    ~Chart() { DropBitmap(); }

    core::SeriesUse Use() const { return core::ChartSeriesUse(options_.mainType); }

    core::ChartCellReader Reader() const {
        return [this](int32_t row, int32_t column) {
            ChartCell cell;
            if (source_ == nullptr || row < 1 || column < 1) {
                return cell;
            }
            double number = 0.0;
            char text[kCellTextSize];
            text[0] = '\0';
            const int32_t kind = source_->ReadCell(row, column, &number, text, kCellTextSize);
            if (kind == QVCHART_CELL_NUMBER) {
                cell.kind = ChartCell::kNumber;
                cell.number = number;
            } else if (kind == QVCHART_CELL_TEXT) {
                cell.kind = ChartCell::kText;
                text[kCellTextSize - 1] = '\0';
                cell.text = text;
            }
            return cell;
        };
    }

    // Reads the series from the source range: one block in the given (or
    // chosen) direction, or each area of a list on its own.
    void ReadRange(std::optional<core::SeriesIn> orientation) {
        set_ = core::SeriesSet{};
        if (orientation) {
            set_.orientation = *orientation;
        }
        std::vector<core::CellBlock> areas;
        if (!core::ParseAreas(range_, areas)) {
            return;
        }
        const core::ChartCellReader read = Reader();
        core::CellBlock block;
        const bool oneBlock = core::AreasFormOneBlock(areas, block);
        if (oneBlock) {
            areas.assign(1, block);
        } else {
            // The direction of areas apart follows the box around them all.
            block = areas.front();
            for (const core::CellBlock& a : areas) {
                block.firstRow = std::min(block.firstRow, a.firstRow);
                block.firstColumn = std::min(block.firstColumn, a.firstColumn);
                block.lastRow = std::max(block.lastRow, a.lastRow);
                block.lastColumn = std::max(block.lastColumn, a.lastColumn);
            }
        }
        const core::SeriesIn direction =
            orientation ? *orientation
                        : core::ChooseOrientation(block, core::DetectLabels(block, read));
        size_t first = 0;
        if (!oneBlock && areas.size() > 1 && IsLabelLine(areas.front(), direction, read)) {
            // A first area of one line without numbers holds the category
            // labels of the areas after it (below their header, if any).
            core::CellBlock labels = areas.front();
            const bool byColumns = direction == core::SeriesIn::kColumns;
            const core::BlockLabels next = core::DetectLabels(areas[1], read);
            if ((byColumns ? next.headerRow : next.labelColumn) &&
                (byColumns ? labels.Rows() : labels.Columns()) > 1) {
                (byColumns ? labels.firstRow : labels.firstColumn) += 1;
            }
            set_.categories = core::BlockText(labels);
            first = 1;
        }
        for (size_t i = first; i < areas.size(); ++i) {
            core::SeriesSet part = core::SeriesFromBlock(areas[i], direction, Use(), read);
            if (set_.categories.empty()) {
                set_.categories = part.categories;
            }
            for (core::SeriesRefs& refs : part.series) {
                if (set_.series.size() < static_cast<size_t>(QVCHART_MAX_SERIES)) {
                    set_.series.push_back(std::move(refs));
                }
            }
        }
        set_.orientation = direction;
    }

    // One line in the reading direction, holding no number.
    static bool IsLabelLine(const core::CellBlock& area, core::SeriesIn direction,
                            const core::ChartCellReader& read) {
        const bool line =
            direction == core::SeriesIn::kColumns ? area.Columns() == 1 : area.Rows() == 1;
        if (!line || static_cast<int64_t>(area.Rows()) * area.Columns() > QVCHART_MAX_POINTS) {
            return false;
        }
        for (int32_t r = area.firstRow; r <= area.lastRow; ++r) {
            for (int32_t c = area.firstColumn; c <= area.lastColumn; ++c) {
                if (read(r, c).kind == core::ChartCell::kNumber) {
                    return false;
                }
            }
        }
        return true;
    }

    bool Broken() const {
        if (set_.series.empty()) {
            std::vector<core::CellBlock> areas;
            core::CellBlock block;
            // No series: broken only when the text names areas apart.
            return !range_.empty() && core::ParseAreas(range_, areas) &&
                   !core::AreasFormOneBlock(areas, block);
        }
        core::CellBlock block;
        return !core::BlockOfSeries(set_, Use(), Reader(), block);
    }

    void Rebuild() {
        stale_ = false;
        DropBitmap();
        data_ = ChartData{};
        std::vector<core::CellBlock> areas;
        if (!range_.empty() && !core::ParseAreas(range_, areas)) {
            error_ = QVCHART_ERR_BAD_RANGE;
            return;
        }
        // Bounded before anything is read.
        int64_t cells = core::CellCount(set_.categories);
        for (const core::SeriesRefs& refs : set_.series) {
            cells += std::min<int64_t>(core::CellCount(refs.values), QVCHART_MAX_POINTS) +
                     std::min<int64_t>(core::CellCount(refs.sizes), QVCHART_MAX_POINTS);
        }
        if (cells > QVCHART_MAX_CELLS) {
            error_ = QVCHART_ERR_TOO_MUCH_DATA;
            return;
        }
        const core::ChartCellReader read = Reader();
        bool anyNumber = false;
        for (const core::SeriesRefs& refs : set_.series) {
            SeriesData series;
            const std::vector<std::string> name = core::ResolveTexts(refs.name, read, 1);
            series.name = name.empty() ? std::string() : name.front();
            series.values = core::ResolveValues(refs.values, read, QVCHART_MAX_POINTS);
            series.sizes = core::ResolveValues(refs.sizes, read, QVCHART_MAX_POINTS);
            anyNumber = anyNumber || std::any_of(series.values.begin(), series.values.end(),
                                                 [](double v) { return std::isfinite(v); });
            data_.points = std::max(data_.points, series.values.size());
            data_.series.push_back(std::move(series));
        }
        data_.categories = core::ResolveTexts(set_.categories, read, QVCHART_MAX_POINTS);
        data_.xValues = core::ResolveValues(set_.categories, read, QVCHART_MAX_POINTS);
        data_.numericX =
            !data_.xValues.empty() && std::all_of(data_.xValues.begin(), data_.xValues.end(),
                                                  [](double v) { return std::isfinite(v); });
        const int32_t stock = core::StockSeriesNeeded(options_.mainType, options_.subtype);
        if (source_ == nullptr && !anyNumber) {
            error_ = QVCHART_ERR_NO_SOURCE;
        } else if (!anyNumber) {
            error_ = QVCHART_ERR_NO_DATA;
        } else if (stock != 0 && static_cast<int32_t>(data_.series.size()) != stock) {
            error_ = QVCHART_ERR_STOCK_LAYOUT;
        } else {
            error_ = QVCHART_OK;
        }
    }

    HBITMAP MakeBitmap() {
        if (stale_) {
            Rebuild(); // the picture is of the chart as it was
        }
        if (bitmap_ != nullptr) {
            return bitmap_;
        }
        const LONG width = rect_.right - rect_.left;
        const LONG height = rect_.bottom - rect_.top;
        if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
            return nullptr;
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr && bits != nullptr) {
            HGDIOBJ previous = SelectObject(dc, bitmap);
            DrawChartInBitmap(dc, static_cast<uint32_t*>(bits), width, height, options_, data_,
                              error_ != QVCHART_OK);
            SelectObject(dc, previous);
        }
        DeleteDC(dc);
        bitmap_ = bitmap;
        return bitmap_;
    }

    static bool SameSize(const RECT& a, const RECT& b) {
        return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
    }

    // Copies the picture into `rect` of `dc`; false when it could not.
    bool CopyBitmap(HDC dc, const RECT& rect) const {
        HDC memory = CreateCompatibleDC(dc);
        if (memory == nullptr) {
            return false;
        }
        // The bitmap may be selected into a context of the caller's.
        HGDIOBJ previous = SelectObject(memory, bitmap_);
        const bool copied =
            previous != nullptr && BitBlt(dc, rect.left, rect.top, rect.right - rect.left,
                                          rect.bottom - rect.top, memory, 0, 0, SRCCOPY) != FALSE;
        if (previous != nullptr) {
            SelectObject(memory, previous);
        }
        DeleteDC(memory);
        return copied;
    }

    void DropBitmap() {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
            bitmap_ = nullptr;
        }
    }

    std::string Describe() const {
        std::string text;
        const size_t series = data_.series.size();
        text += std::to_string(series) + (series == 1 ? " series, " : " series, ");
        text += std::to_string(data_.points) + (data_.points == 1 ? " point" : " points");
        double low = INFINITY;
        double high = -INFINITY;
        for (const SeriesData& s : data_.series) {
            for (double v : s.values) {
                if (std::isfinite(v)) {
                    low = std::min(low, v);
                    high = std::max(high, v);
                }
            }
        }
        if (low <= high) {
            text += ", values from " + core::FormatDataValue(low, 6) + " to " +
                    core::FormatDataValue(high, 6);
        }
        if (!options_.title.text.empty()) {
            text = options_.title.text + ": " + text;
        }
        return text;
    }

    void GetText(const Title& title, QVString* out) {
        Guard([&] { Put(out, title.text); });
    }
    void SetText(Title& title, const char* text) {
        Guard([&] {
            title.text = Text(text);
            DropBitmap();
        });
    }
    void SetFace(Title& title, const char* face) {
        Guard([&] {
            title.face = Text(face);
            DropBitmap();
        });
    }
    void Set(bool& option, int32_t on) {
        option = on != 0;
        DropBitmap();
    }

    GraphicsSession graphics_;
    CQVChartDataSource* source_;
    HWND host_ = nullptr;
    HWND preview_ = nullptr;
    RECT rect_{0, 0, 400, 250};
    ChartOptions options_;
    std::string range_;
    core::SeriesSet set_;
    ChartData data_;
    int32_t error_ = QVCHART_ERR_NO_DATA;
    bool stale_ = true;
    HBITMAP bitmap_ = nullptr;
};

} // namespace
} // namespace qv::chart

extern "C" int32_t __cdecl QVChartInterfaceVersion() {
    return QVCHART_INTERFACE_VERSION;
}

extern "C" CQVChartWrapperCtrl* __cdecl QVCreateChart(CQVChartDataSource* source) {
    try {
        return new qv::chart::Chart(source);
    } catch (...) {
        return nullptr;
    }
}
