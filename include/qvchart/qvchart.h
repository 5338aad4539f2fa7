/* The chart component QVChrtWr.dll: the public interface of its chart object.
 *
 * Shape: an abstract class (CQVChartWrapperCtrl) made by a factory export
 * (QVCreateChart), rather than a C table of functions, because
 *  - the chart wizard of QVSSD.dll receives one pointer to the chart in its
 *    record (ChartWizardRecord.chart) and calls some sixty operations on it:
 *    an object pointer carries them all, where a C table would need a second
 *    pointer the record has no room for;
 *  - a caller reaches every operation through the object's table of virtual
 *    functions and links nothing from QVChrtWr.dll: QVSSD.dll imports nothing
 *    from it, so a missing QVChrtWr.dll stops only the hosts that create a
 *    chart, never the dialog library;
 *  - the class keeps the rules that make such tables the same for every
 *    Windows compiler (the rules of COM interfaces): pure virtual functions
 *    only, declared in a fixed order and never overloaded, no virtual
 *    destructor (Release ends the object), the __stdcall convention, plain C
 *    types as arguments (HWND, HDC, RECT*, const char*, integers), no
 *    exceptions across the boundary, and every text handed out in a QVString
 *    or QVStringArray of the shared process heap (qvssd/types.h).
 *
 * New operations go at the end of the class; QVChartInterfaceVersion tells a
 * caller how many there are.
 *
 * Threads: a chart is used on the thread that created it (the host's user
 * interface thread, on which the wizard runs).
 *
 * Texts are zero-terminated UTF-8, in both directions (titles, series names
 * and values, category labels, the cell texts of the host's sheet), so that
 * titles in Devanagari or Tamil reach the drawing unharmed; font faces are
 * UTF-8 too. A NULL text argument counts as "". Every operation accepts any
 * argument without failing: out-of-range indexes and codes are ignored or
 * clamped, as each comment says.
 */
#ifndef QVCHART_QVCHART_H
#define QVCHART_QVCHART_H

#include "qvssd/types.h"

#include <stdint.h>
#include <windows.h>

#define QVCHART_CALL __stdcall

/* The version of the interface below (the number of operations it has grown
 * by is the host's concern only through this value). */
#define QVCHART_INTERFACE_VERSION 1

/* Series orientation codes (Get/SetChartDataSeriesType). */
#define QVCHART_SERIES_IN_COLUMNS 0
#define QVCHART_SERIES_IN_ROWS 1

/* Orientation hints of SetDataSourceRangeInText. */
#define QVCHART_HINT_CHOOSE 0 /* by the range's shape */
#define QVCHART_HINT_COLUMNS 1
#define QVCHART_HINT_ROWS 2

/* Legend placement codes (Get/SetChartLegendLocationType). */
#define QVCHART_LEGEND_BOTTOM 1
#define QVCHART_LEGEND_CORNER 2
#define QVCHART_LEGEND_TOP 3
#define QVCHART_LEGEND_RIGHT 4
#define QVCHART_LEGEND_LEFT 5

/* Results of GetChartLastErr: 0 when the last rebuild drew the chart. */
#define QVCHART_OK 0
#define QVCHART_ERR_NO_DATA 1       /* the series hold no number at all */
#define QVCHART_ERR_BAD_RANGE 2     /* the source range text is not a reference */
#define QVCHART_ERR_STOCK_LAYOUT 3  /* a stock chart without the series its subtype needs */
#define QVCHART_ERR_TOO_MUCH_DATA 4 /* more cells than a chart reads (QVCHART_MAX_CELLS) */
#define QVCHART_ERR_NO_SOURCE 5     /* the host gave no data source */

/* Limits: series a chart holds, points a series holds, cells read at most. */
#define QVCHART_MAX_SERIES 256
#define QVCHART_MAX_POINTS 65536
#define QVCHART_MAX_CELLS 4194304

/* Kinds of a cell as the host reports it. */
#define QVCHART_CELL_EMPTY 0
#define QVCHART_CELL_NUMBER 1
#define QVCHART_CELL_TEXT 2

#ifdef __cplusplus
extern "C" {
#endif

/* Per-series texts of GetSeriesInfo: five parallel arrays, one element per
 * series, in this order. The caller owns them (QVStringArrayRemoveAll). */
typedef struct SSChartSeries {
    QVStringArray entries;      /* series list entries: the series' name, "" when unnamed */
    QVStringArray names;        /* name references ("B1"), or "" */
    QVStringArray values;       /* value references ("B2:B5") or a typed number */
    QVStringArray secondValues; /* the values again (the Y values of XY charts) */
    QVStringArray sizes;        /* bubble size references, or "" */
} SSChartSeries;

#ifdef __cplusplus
}

/* The host's cells, as the chart reads them. The host implements it over its
 * sheet and keeps it alive as long as the charts made with it. */
class CQVChartDataSource {
  public:
    /* The cell at a 1-based row (1..65536) and column (1..256). Returns its
     * kind; for QVCHART_CELL_NUMBER writes *number, for QVCHART_CELL_TEXT
     * copies at most size - 1 characters and a terminator into text (text
     * may be NULL and size 0 when the caller does not want it). */
    virtual int32_t QVCHART_CALL ReadCell(int32_t row, int32_t column, double* number, char* text,
                                          int32_t size) = 0;

  protected:
    ~CQVChartDataSource() = default;
};

/* The chart object. Made by QVCreateChart, ended by Release. */
class CQVChartWrapperCtrl {
  public:
    /* ---- lifetime and drawing ---------------------------------------------- */
    virtual void QVCHART_CALL Release() = 0;
    /* The window that owns the chart, then the window that shows its preview. */
    virtual void QVCHART_CALL setParentWindows(HWND host, HWND preview) = 0;
    /* The chart's own rectangle: the size of GetBitmapFromChart. NULL is ignored. */
    virtual void QVCHART_CALL SetChartRect(const RECT* rect) = 0;
    /* Reads the cells again and lays the chart out from the current settings. */
    virtual void QVCHART_CALL UpdateChart() = 0;
    /* Draws the chart into `rect` of a device context (anti-aliased, in the
     * platform's 2-D graphics); a chart whose rebuild failed draws an empty
     * frame. */
    virtual void QVCHART_CALL OnChartDraw(HDC dc, const RECT* rect) = 0;
    /* The chart drawn at its rectangle's size; the chart owns the bitmap
     * (valid until the next call or Release). NULL for an empty rectangle. */
    virtual HBITMAP QVCHART_CALL GetBitmapFromChart() = 0;
    /* Drops what the last rebuild made, so that the next one starts afresh. */
    virtual void QVCHART_CALL DeleteCoreChart(uint32_t reserved) = 0;
    /* QVCHART_OK, or why the last rebuild failed (QVCHART_ERR_...). */
    virtual int32_t QVCHART_CALL GetChartLastErr() = 0;

    /* ---- type ----------------------------------------------------------------- */
    virtual int32_t QVCHART_CALL GetChartMainType() = 0; /* 1..11 */
    virtual int32_t QVCHART_CALL GetChartSubType() = 0;  /* 1..subtypes of the main type */
    /* Used by the next rebuild. A main type outside 1..11 is ignored; the
     * subtype is clamped to the main type's subtypes. */
    virtual void QVCHART_CALL setChartType(int32_t mainType, int32_t subtype) = 0;

    /* ---- data ----------------------------------------------------------------- */
    /* A new source range (A1 references, "," between areas; "" for none) read
     * with an orientation hint (QVCHART_HINT_...): the series are read from it. */
    virtual void QVCHART_CALL SetDataSourceRangeInText(const char* range, uint8_t hint,
                                                       uint32_t reserved) = 0;
    /* The source range text as last set. */
    virtual void QVCHART_CALL GetDataSourceRangeInText(QVString* range) = 0;
    /* Non-zero when no single block of cells describes the series any more
     * (a range of several areas, or series edited one by one). */
    virtual int32_t QVCHART_CALL IsRngBroken(uint32_t reserved) = 0;
    virtual int32_t QVCHART_CALL GetChartDataSeriesType() = 0;
    /* Reads the source range again in the other direction (when it is not broken). */
    virtual void QVCHART_CALL SetChartDataSeriesType(int32_t seriesIn) = 0;
    /* Category labels (the X values of XY and bubble charts), second category
     * labels, and the per-series texts. Any pointer may be NULL. */
    virtual void QVCHART_CALL GetSeriesInfo(QVString* categories, QVString* secondCategories,
                                            SSChartSeries* series) = 0;
    /* An empty series at the end (index -1; others insert before that index).
     * Ignored when the chart holds QVCHART_MAX_SERIES already. */
    virtual void QVCHART_CALL AddSeries(int32_t index, const char* name, const char* values,
                                        const char* sizes, uint32_t reserved) = 0;
    /* Series `index`: its name, values and (when not "") sizes references.
     * Index -2: `name` is the category labels text of all series. */
    virtual void QVCHART_CALL UpdateSeries(int32_t index, const char* name, const char* values,
                                           const char* sizes, uint32_t reserved) = 0;
    virtual void QVCHART_CALL RemoveSeries(int32_t index, uint32_t reserved) = 0;

    /* ---- titles ---------------------------------------------------------------- */
    virtual void QVCHART_CALL GetChartTitleText(QVString* text) = 0;
    virtual void QVCHART_CALL SetChartTitleText(const char* text) = 0;
    virtual void QVCHART_CALL GetChartXAxisTitle(QVString* text) = 0;
    virtual void QVCHART_CALL SetChartXAxisTitle(const char* text) = 0;
    virtual void QVCHART_CALL GetChartYAxisTitle(QVString* text) = 0;
    virtual void QVCHART_CALL SetChartYAxisTitle(const char* text) = 0;
    virtual void QVCHART_CALL GetChartZAxisTitle(QVString* text) = 0;
    virtual void QVCHART_CALL SetChartZAxisTitle(const char* text) = 0;
    /* The face each title is written in ("" for the chart's own face). */
    virtual void QVCHART_CALL SetChartTitleFont(const char* face) = 0;
    virtual void QVCHART_CALL SetChartXAxisTitleFont(const char* face) = 0;
    virtual void QVCHART_CALL SetChartYAxisTitleFont(const char* face) = 0;
    virtual void QVCHART_CALL SetChartZAxisTitleFont(const char* face) = 0;

    /* ---- axes and gridlines (0 off, non-zero on) ---------------------------------- */
    virtual int32_t QVCHART_CALL GetXAxisLabelDisplay() = 0;
    virtual void QVCHART_CALL SetXAxisLabelDisplay(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetYAxisLabelDisplay() = 0;
    virtual void QVCHART_CALL SetYAxisLabelDisplay(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetZAxisLabelDisplay() = 0;
    virtual void QVCHART_CALL SetZAxisLabelDisplay(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetXMajorAxis() = 0;
    virtual void QVCHART_CALL SetXMajorAxis(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetXMinorAxis() = 0;
    virtual void QVCHART_CALL SetXMinorAxis(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetYMajorAxis() = 0;
    virtual void QVCHART_CALL SetYMajorAxis(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetYMinorAxis() = 0;
    virtual void QVCHART_CALL SetYMinorAxis(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetZMajorAxis() = 0;
    virtual void QVCHART_CALL SetZMajorAxis(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetZMinorAxis() = 0;
    virtual void QVCHART_CALL SetZMinorAxis(int32_t on) = 0;

    /* ---- legend -------------------------------------------------------------------- */
    virtual int32_t QVCHART_CALL GetChartLegend() = 0;
    virtual void QVCHART_CALL SetChartLegend(int32_t on) = 0;
    /* QVCHART_LEGEND_...; other codes are kept and drawn as Right. */
    virtual int32_t QVCHART_CALL GetChartLegendLocationType() = 0;
    virtual void QVCHART_CALL SetChartLegendLocationType(int32_t place) = 0;

    /* ---- data labels (0 off, non-zero on) ------------------------------------------ */
    virtual int32_t QVCHART_CALL GetLabelValue() = 0;
    virtual void QVCHART_CALL SetLabelValue(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetLabelCategory() = 0;
    virtual void QVCHART_CALL SetLabelCategory(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetLabelSeries() = 0;
    virtual void QVCHART_CALL SetLabelSeries(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetLabelPercentage() = 0;
    virtual void QVCHART_CALL SetLabelPercentage(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetLabelBubbleSize() = 0;
    virtual void QVCHART_CALL SetLabelBubbleSize(int32_t on) = 0;
    virtual int32_t QVCHART_CALL GetLabelLegendKey() = 0;
    virtual void QVCHART_CALL SetLabelLegendKey(int32_t on) = 0;

    /* ---- for people who cannot see the chart --------------------------------------- */
    /* One sentence that says what the chart shows ("Clustered Column chart of
     * 2 series, 3 categories, values 0 to 30"), for screen readers. */
    virtual void QVCHART_CALL GetChartDescription(QVString* text) = 0;

  protected:
    ~CQVChartWrapperCtrl() = default;
};

/* Exports of QVChrtWr.dll (C linkage, C calling convention), found by name:
 *
 *   int32_t QVChartInterfaceVersion(void)
 *       QVCHART_INTERFACE_VERSION of the library.
 *   CQVChartWrapperCtrl* QVCreateChart(CQVChartDataSource* source)
 *       A new chart reading its cells from `source` (NULL: the chart has no
 *       cells and reports QVCHART_ERR_NO_SOURCE); NULL when out of memory. A
 *       new chart is a clustered column chart with no data, a legend at the
 *       right, category and value labels and major value gridlines. */
extern "C" {
typedef int32_t(__cdecl* QVChartInterfaceVersionFn)(void);
typedef CQVChartWrapperCtrl*(__cdecl* QVCreateChartFn)(CQVChartDataSource* source);
}

#endif /* __cplusplus */

#endif /* QVCHART_QVCHART_H */
