// Every export over the records a careless or hostile host may hand over: no
// record at all, a record of zeros, of 0xFF bytes, of text that never ends,
// arrays whose counts run past their storage or below zero, texts that run
// into an unreadable page, and unknown modes. Each record ends where an
// inaccessible page begins and has guard bytes before it, so that a read or
// write past its end faults and a write before it shows. Whatever opens is
// cancelled; every case must come back with the export's cancel result.
//
// One row per export: a new export joins by adding its row to kRows.
#include "guarded_memory.h"
#include "qvhost/chart_host.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using qvtest::GuardedBlock;

// What the hostile fields of a record point at. Every array and text ends
// at an inaccessible page.
struct Hostile {
    GuardedBlock endless{1 << 16, 'A'};    // a text without a terminator
    GuardedBlock texts{2 * sizeof(char*)}; // two text pointers: endless, "Total"
    GuardedBlock strings{2 * sizeof(QVString)};
    GuardedBlock stringArray{sizeof(QVStringArray)};
    GuardedBlock borderLines{sizeof(BorderLine), 0xFF};
    GuardedBlock numbers{2 * sizeof(uint32_t), 0xFF}; // two unsigned values
    GuardedBlock numberArray{sizeof(QVUIntArray)};
    GuardedBlock pivotItems{sizeof(QVPivotFieldItems)};
    char total[6] = "Total";
    // A real chart for the wizard, made on first use.
    std::unique_ptr<qvhost::ChartComponent> charts;
    qvhost::SampleSheet sheet;
    qvhost::ChartPtr chart;

    Hostile() {
        char** t = texts.as<char*>();
        t[0] = endless.text();
        t[1] = total;
        QVString* s = strings.as<QVString>();
        s[0].text = endless.text();
        s[1].text = total;
    }
    // A string array of two entries that claims `count`.
    void FillArray(QVStringArray& array, int32_t count) {
        array.reserved = nullptr;
        array.data = strings.as<QVString>();
        array.size = count;
        array.capacity = count;
        array.growBy = 0;
    }
    QVStringArray* Array(int32_t count) {
        FillArray(*stringArray.as<QVStringArray>(), count);
        return stringArray.as<QVStringArray>();
    }
    // An array of two unsigned values that claims `count`.
    void FillNumbers(QVUIntArray& array, int32_t count) {
        array.reserved = nullptr;
        array.data = numbers.as<uint32_t>();
        array.size = count;
        array.capacity = count;
        array.growBy = 0;
    }
    QVUIntArray* Numbers(int32_t count) {
        FillNumbers(*numberArray.as<QVUIntArray>(), count);
        return numberArray.as<QVUIntArray>();
    }
    QVPivotFieldItems* PivotItems(int32_t count) {
        auto* items = pivotItems.as<QVPivotFieldItems>();
        FillArray(items->allItems, count);
        FillArray(items->shownItems, count);
        return items;
    }
    CQVChartWrapperCtrl* Chart() {
        if (charts == nullptr) {
            charts = std::make_unique<qvhost::ChartComponent>(qvhost::AppFolder());
            qvhost::SampleSheet::FillDemo(sheet);
            chart = charts->Create(&sheet);
            if (chart != nullptr) {
                chart->SetDataSourceRangeInText("A1:D5", QVCHART_HINT_CHOOSE, 0);
            }
        }
        return chart.get();
    }
    // A vector of one border line whose end pointers claim `count` lines.
    void FillBorders(QVVector& vector, ptrdiff_t count) {
        auto* first = borderLines.as<BorderLine>();
        vector.first = first;
        vector.last = first + count;
        vector.end = first + (count > 1 ? count : 1);
    }
    void FillBorders(QVTypedArray& array, int32_t count) {
        array.reserved = nullptr;
        array.data = borderLines.get();
        array.size = count;
        array.capacity = count;
        array.growBy = 0;
    }
};

// The ways a record is spoiled beyond its bytes.
enum class Spoil { LongCounts, NegativeCounts, EndlessTexts };

// Lays out a zero-filled record with the spoilt fields; false when the record
// has nothing of the kind.
using Spoiler = bool (*)(void* record, Hostile& hostile, Spoil spoil);

int32_t CountFor(Spoil spoil) {
    return spoil == Spoil::LongCounts ? 100000 : spoil == Spoil::NegativeCounts ? -7 : 2;
}

// Calls the export over the record; `mode` is the export's mode, kind or
// extra value where it has one (for the two exports that take a notification
// window: 0 the frame, 1 none, 2 a handle that is no window).
using Caller = int32_t (*)(FARPROC fn, void* record, int32_t mode);

template <class F> F As(FARPROC fn) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(fn));
}

HWND NotifyWindow(int32_t mode) {
    switch (mode) {
    case 0:
        return qvhost::FrameHandle();
    case 1:
        return nullptr;
    default:
        return reinterpret_cast<HWND>(static_cast<intptr_t>(0x7FFF1234));
    }
}

template <class Fn, class R> int32_t CallRecord(FARPROC fn, void* record, int32_t) {
    return As<Fn>(fn)(static_cast<R*>(record));
}

struct Row {
    const char* exportName;
    size_t recordSize; // bytes the first pointer argument points at
    int32_t cancel;    // the result when cancelled or refused
    Caller call;
    int32_t mode = 0;                // the usual mode for the record cases
    std::vector<int32_t> oddModes{}; // unknown modes and kinds, over a zero record
    Spoiler spoil = nullptr;
};

// Test names and messages show the export's name, not the row's bytes.
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.exportName;
}

// ---- the records' spoilt fields ------------------------------------------------

bool SpoilGoto(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<QVGotoRecord*>(record);
    r->names = h.texts.as<char*>();
    r->count = CountFor(spoil);
    r->reference = h.endless.text();
    return true;
}

bool SpoilMoveOrCopy(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<QVMoveOrCopyRecord*>(record);
    h.FillArray(r->books, CountFor(spoil));
    r->targetBook = h.endless.text();
    return true;
}

bool SpoilHyperLink(void* record, Hostile& h, Spoil spoil) {
    if (spoil != Spoil::EndlessTexts) {
        return false;
    }
    auto* r = static_cast<QVHyperLinkRecord*>(record);
    r->linkText = h.endless.text();
    r->address = h.endless.text();
    r->remove = 1;
    r->editMode = 1;
    return true;
}

bool SpoilOptions(void* record, Hostile& h, Spoil spoil) {
    if (spoil != Spoil::EndlessTexts) {
        return false;
    }
    auto* r = static_cast<QVOptionsRecord*>(record);
    memset(r->selection, 'A', sizeof r->selection);
    r->userName = h.endless.text();
    r->activePage = 1;
    return true;
}

bool SpoilTextToColumn(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<TextToColumnRecord*>(record);
    r->lines = h.Array(CountFor(spoil));
    r->destination = h.endless.text();
    r->fontFace = h.endless.text();
    r->fontSize = -1;
    return true;
}

bool SpoilCustomFilter(void* record, Hostile& h, Spoil spoil) {
    if (spoil != Spoil::EndlessTexts) {
        return false;
    }
    auto* r = static_cast<CustomFilterRecord*>(record);
    r->valueList = h.endless.text();
    memset(r->value1, 'A', sizeof r->value1);
    memset(r->value2, 'A', sizeof r->value2);
    return true;
}

bool SpoilSubtotal(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<SubtotalRecord*>(record);
    h.FillArray(r->columnNames, CountFor(spoil));
    h.FillNumbers(r->selection, CountFor(spoil));
    return true;
}

bool SpoilDataSort(void* record, Hostile&, Spoil spoil) {
    auto* r = static_cast<DataSortRecord*>(record);
    switch (spoil) {
    case Spoil::LongCounts: // a block of every row and column there could be
        r->firstRow = r->firstColumn = 1;
        r->lastRow = r->lastColumn = INT_MAX;
        return true;
    case Spoil::NegativeCounts: // ends before its start, below the first row
        r->firstRow = -7;
        r->lastRow = INT_MIN;
        r->firstColumn = 5;
        r->lastColumn = -7;
        return true;
    default:
        return false;
    }
}

bool SpoilPivotField(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<PivotFieldRecord*>(record);
    r->fieldItems = h.PivotItems(CountFor(spoil));
    r->summaryFunction = spoil == Spoil::NegativeCounts ? 0xFFFFFFFFu : 100000u;
    r->popupLeft = r->popupTop = spoil == Spoil::NegativeCounts ? INT_MIN : INT_MAX;
    if (spoil == Spoil::EndlessTexts) {
        memset(r->fieldName, 'A', sizeof r->fieldName);
    }
    return true;
}

// The wizard over a real chart, with modes it does not know and a source
// range without its end.
bool SpoilChart(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<ChartWizardRecord*>(record);
    r->chart = h.Chart();
    if (r->chart == nullptr) {
        return false;
    }
    r->mode = spoil == Spoil::LongCounts ? INT_MAX : spoil == Spoil::NegativeCounts ? -7 : 2;
    if (spoil == Spoil::EndlessTexts) {
        memset(r->sourceRange, 'A', sizeof r->sourceRange);
    }
    return true;
}

bool SpoilFormatCells(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<CellFormatRecord*>(record);
    h.FillBorders(r->borders, CountFor(spoil));
    if (spoil == Spoil::EndlessTexts) {
        memset(r->number.hostFormat, 'A', sizeof r->number.hostFormat);
        memset(r->number.customCode, 'A', sizeof r->number.customCode);
        memset(r->number.sampleValue, 'A', sizeof r->number.sampleValue);
        memset(r->font.faceName, 'A', sizeof r->font.faceName);
    }
    return true;
}

bool SpoilConditionalFormatting(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<ConditionalFormatRecord*>(record);
    for (Condition& condition : r->conditions) {
        condition.present = 1;
        condition.op = spoil == Spoil::NegativeCounts ? 200 : 0;
        h.FillBorders(condition.format.borders, CountFor(spoil));
        if (spoil == Spoil::EndlessTexts) {
            memset(condition.value1, 'A', sizeof condition.value1);
            memset(condition.value2, 'A', sizeof condition.value2);
        }
    }
    return true;
}

bool SpoilNameDefine(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<NameDefineRecord*>(record);
    r->names = h.Array(CountFor(spoil));
    r->nameLanguages = h.Numbers(CountFor(spoil));
    if (spoil == Spoil::EndlessTexts) {
        memset(r->reference, 'A', sizeof r->reference);
        memset(r->proposedName, 'A', sizeof r->proposedName);
    }
    return true;
}

bool SpoilNameApply(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<NameApplyRecord*>(record);
    r->names = h.Array(CountFor(spoil));
    r->nameLanguages = h.Numbers(CountFor(spoil));
    h.FillNumbers(r->chosen, CountFor(spoil));
    return true;
}

bool SpoilNamePaste(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<NamePasteRecord*>(record);
    r->names = h.Array(CountFor(spoil));
    r->nameLanguages = h.Numbers(CountFor(spoil));
    return true;
}

bool SpoilNameLabel(void* record, Hostile& h, Spoil spoil) {
    auto* r = static_cast<LabelRangesRecord*>(record);
    h.FillArray(r->labelRanges, CountFor(spoil));
    h.FillNumbers(r->rangeKinds, CountFor(spoil));
    if (spoil == Spoil::EndlessTexts) {
        memset(r->selection, 'A', sizeof r->selection);
    }
    return true;
}

// ---- one row per export -----------------------------------------------------------

int32_t CallZoom(FARPROC fn, void* zoom, int32_t mode) {
    return As<QVShowViewZoomFn>(fn)(static_cast<int16_t*>(zoom), static_cast<int16_t>(mode));
}
int32_t CallHeightWidth(FARPROC fn, void* size, int32_t mode) {
    return As<QVShowFormatHtWdFn>(fn)(static_cast<double*>(size), static_cast<uint8_t>(mode));
}
int32_t CallText(FARPROC fn, void* text, int32_t) {
    return As<QVShowUnhideSheetFn>(fn)(static_cast<char*>(text));
}
int32_t CallPassword(FARPROC fn, void* path, int32_t) {
    static char password[256];
    return As<QVShowPasswordFn>(fn)(static_cast<const char*>(path), password);
}
int32_t CallErrorDetails(FARPROC fn, void* text, int32_t) {
    As<QVShowErrorDetailsFn>(fn)(static_cast<const char*>(text));
    return 0;
}
int32_t CallExtPasteSpecial(FARPROC fn, void* choice, int32_t mode) {
    return As<QVShowExtPasteSpecialFn>(fn)(mode, static_cast<uint32_t*>(choice));
}
int32_t CallRepetitionLabel(FARPROC fn, void* label, int32_t) {
    static char cell[256];
    return As<QVShowNameRepetitionLabelFn>(fn)(static_cast<const char*>(label), cell);
}
int32_t CallFormatCells(FARPROC fn, void* record, int32_t mode) {
    return As<QVShowFormatCellsFn>(fn)(NotifyWindow(mode), static_cast<CellFormatRecord*>(record));
}
int32_t CallConditionalFormatting(FARPROC fn, void* record, int32_t mode) {
    return As<QVShowConditionalFormattingFn>(fn)(NotifyWindow(mode),
                                                 static_cast<ConditionalFormatRecord*>(record));
}
int32_t CallChartFormat(FARPROC fn, void* record, int32_t chartType) {
    // The chart types that change the pattern page, with each variant that does.
    return As<QVShowChartFormatFn>(fn)(static_cast<ChartFormatRecord*>(record), chartType,
                                       chartType == 7 ? 2 : 6);
}

int32_t CallSelectTable(FARPROC fn, void* buffer, int32_t) {
    return As<QVShowSelectTableFn>(fn)(static_cast<char*>(buffer));
}
int32_t CallDatabaseTable(FARPROC fn, void* buffer, int32_t) {
    return As<QVShowDatabaseTableFn>(fn)(static_cast<char*>(buffer));
}

#define QV_RECORD_ROW(name, Record, cancel)                                                        \
#name, sizeof(Record), cancel, CallRecord < name##Fn, Record>

const Row kRows[] = {
    {QV_RECORD_ROW(QVShowGoto, QVGotoRecord, 0), 0, {}, SpoilGoto},
    {"QVShowViewZoom", sizeof(int16_t), 0, CallZoom, 100, {-32768, -1, 0, 32767}},
    {"QVShowFormatHtWd", sizeof(double), 0, CallHeightWidth, 1, {0, 4, 255}},
    {QV_RECORD_ROW(QVShowInsertDelCells, uint8_t, 0)},
    {QV_RECORD_ROW(QVShowPasteSpecial, QVPasteSpecialRecord, 0)},
    {"QVShowExtPasteSpecial", sizeof(uint32_t), -1, CallExtPasteSpecial, 2, {0, -1, INT_MIN}},
    {QV_RECORD_ROW(QVShowHyperLink, QVHyperLinkRecord, 0), 0, {}, SpoilHyperLink},
    {QV_RECORD_ROW(QVShowTemplate, QVTemplateRecord, 0)},
    {QV_RECORD_ROW(QVShowMoveOrCopy, QVMoveOrCopyRecord, 0), 0, {}, SpoilMoveOrCopy},
    {"QVShowUnhideSheet", 256, IDCANCEL, CallText},
    {"QVShowPassword", 256, -1, CallPassword},
    {"QVShowErrorDetails", 256, 0, CallErrorDetails},
    {"QVShowFormatCells",
     sizeof(CellFormatRecord),
     0,
     CallFormatCells,
     0,
     {1, 2},
     SpoilFormatCells},
    {QV_RECORD_ROW(QVShowTextToColumn, TextToColumnRecord, 0), 0, {}, SpoilTextToColumn},
    {"QVShowConditionalFormatting",
     sizeof(ConditionalFormatRecord),
     0,
     CallConditionalFormatting,
     0,
     {1, 2},
     SpoilConditionalFormatting},
    {QV_RECORD_ROW(QVShowOptions, QVOptionsRecord, 0), 0, {}, SpoilOptions},
    {QV_RECORD_ROW(QVShowDataSort, DataSortRecord, 0), 0, {}, SpoilDataSort},
    {QV_RECORD_ROW(QVShowPageSetup, PageSetupRecord, 0)},
    {QV_RECORD_ROW(QVShowFilePrint, PrintRecord, 0)},
    {QV_RECORD_ROW(QVShowNameDefine, NameDefineRecord, 0), 0, {}, SpoilNameDefine},
    {QV_RECORD_ROW(QVShowNameCreate, NameCreateRecord, 0)},
    {QV_RECORD_ROW(QVShowNameApply, NameApplyRecord, 0), 0, {}, SpoilNameApply},
    {QV_RECORD_ROW(QVShowNamePaste, NamePasteRecord, 0), 0, {}, SpoilNamePaste},
    {QV_RECORD_ROW(QVShowNameLabel, LabelRangesRecord, 0), 0, {}, SpoilNameLabel},
    {"QVShowNameRepetitionLabel", 256, 0, CallRepetitionLabel},
    {QV_RECORD_ROW(QVShowChart, ChartWizardRecord, 0), 0, {}, SpoilChart},
    {"QVShowChartFormat", sizeof(ChartFormatRecord), 0, CallChartFormat, 1, {2, 4, 7, -1, INT_MIN}},
    {QV_RECORD_ROW(QVShowCustomFilter, CustomFilterRecord, -1), 0, {}, SpoilCustomFilter},
    {QV_RECORD_ROW(QVShowTop10Filter, Top10FilterRecord, -1)},
    {QV_RECORD_ROW(QVShowAdvancedFilter, AdvancedFilterRecord, -1)},
    {QV_RECORD_ROW(QVShowSubtotal, SubtotalRecord, -1), 0, {}, SpoilSubtotal},
    {QV_RECORD_ROW(QVShowFillSeries, FillSeriesRecord, 0)},
    {QV_RECORD_ROW(QVShowGoalSeek, GoalSeekRecord, 0)},
    {QV_RECORD_ROW(QVShowGoalSeekStatus, GoalSeekStatusRecord, 0)},
    {QV_RECORD_ROW(QVShowDataTable, DataTableRecord, 0)},
    {QV_RECORD_ROW(QVShowPivotInoutRange, PivotRangeRecord, -1)},
    {QV_RECORD_ROW(QVShowPivotDropDown, PivotFieldRecord, -1), 0, {}, SpoilPivotField},
    {QV_RECORD_ROW(QVShowPivotTableField, PivotFieldRecord, -1), 0, {}, SpoilPivotField},
    {QV_RECORD_ROW(QVShowInsertFunction, QVInsertFunctionRecord, 0)},
    {"QVShowSelectTable", 256, IDCANCEL, CallSelectTable},
    {"QVShowDatabaseTable", 256, IDCANCEL, CallDatabaseTable},
};

class BadRecords : public ::testing::TestWithParam<Row> {
  protected:
    void SetUp() override {
        qvhost::SetMenuLanguage(1);
        userData_ = qvhost::MakeScratchFolder("bad-records-user");
        qvhost::SetUserDataFolder(userData_);
        frame_ = std::make_unique<qvhost::FrameWindow>();
        library_ = std::make_unique<qvhost::DialogLibrary>(qvhost::AppFolder());
        ASSERT_TRUE(library_->loaded()) << library_->path() << ", error " << library_->error();
    }
    void TearDown() override {
        library_.reset();
        frame_.reset();
        qvhost::RemoveFolder(userData_);
    }

    // One call over `record` (NULL, or the guarded block); whatever opens is
    // cancelled. The result must be the export's cancel result, and nothing
    // may be written before the record.
    void Run(const char* what, FARPROC fn, GuardedBlock* record, int32_t mode) {
        const Row& row = GetParam();
        // Printed first, so that a crash names its case in the log.
        std::printf("%s: %s, mode %d\n", row.exportName, what, static_cast<int>(mode));
        std::fflush(stdout);
        void* data = record != nullptr ? record->get() : nullptr;
        const auto outcome = qvrobot::RunModal(
            [&] { return row.call(fn, data, mode); },
            [](qvrobot::Robot& robot) { EXPECT_TRUE(robot.CancelUntilReturned(20000)); });
        EXPECT_TRUE(outcome.ok) << what << ": " << outcome.failure;
        EXPECT_EQ(outcome.result, row.cancel) << what << ", mode " << mode;
        if (record != nullptr) {
            EXPECT_TRUE(record->GuardIntact()) << what << ": written before the record";
        }
    }

    std::string userData_;
    std::unique_ptr<qvhost::FrameWindow> frame_;
    std::unique_ptr<qvhost::DialogLibrary> library_;
};

TEST_P(BadRecords, EndWithTheCancelResult) {
    const Row& row = GetParam();
    const FARPROC fn = library_->Find(row.exportName);
    if (fn == nullptr) {
        GTEST_SKIP() << row.exportName << " is not exported";
    }
    Run("NULL record", fn, nullptr, row.mode);

    GuardedBlock record(row.recordSize);
    ASSERT_NE(record.get(), nullptr);
    const struct {
        const char* what;
        uint8_t fill;
    } fills[] = {{"zero-filled", 0}, {"0xFF-filled", 0xFF}, {"no terminator anywhere", 'A'}};
    for (const auto& fill : fills) {
        record.Fill(fill.fill);
        Run(fill.what, fn, &record, row.mode);
    }
    for (int32_t mode : row.oddModes) {
        record.Fill(0);
        Run("unknown mode", fn, &record, mode);
    }
    if (row.spoil != nullptr) {
        Hostile hostile;
        const struct {
            const char* what;
            Spoil spoil;
        } spoils[] = {{"counts past the arrays", Spoil::LongCounts},
                      {"negative counts", Spoil::NegativeCounts},
                      {"texts into an unreadable page", Spoil::EndlessTexts}};
        for (const auto& spoil : spoils) {
            record.Fill(0);
            if (row.spoil(record.get(), hostile, spoil.spoil)) {
                Run(spoil.what, fn, &record, row.mode);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Exports, BadRecords, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.exportName);
                         });

} // namespace
