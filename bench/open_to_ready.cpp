// Open-to-ready time of each dialog: from the export call until the dialog is
// shown, initialised, painted and its thread idle (as the UI robot sees it),
// then cancelled. Wine's own font dialog (ChooseFontA) is measured the same
// way in the same run, one run of it before each run of a dialog, and every
// figure is printed with its ratio to that yardstick. Where the time goes
// comes from the library's own phase totals (qvssd/phases.h); "host" is the
// host's own preparation before the export call (for the Chart Wizard:
// loading the chart component and making the chart it hands over).
//
//   open_to_ready [word...]   only the parts whose name holds one of the words
//                             (dialog names, "conditional", "samples",
//                             "texttocolumns-large", "split", "custom",
//                             "customfilter", "pivot", "functions")
// Prints figures only.
#include "open_to_ready.h"

#include "bench.h"
#include "qvcore/textsplit.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/phases.h"
#include "qvssd/records.h"
#include "qvstore/custom_list_store.h"

#include <commctrl.h>
#include <commdlg.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using qvbench::Clock;
using qvbench::MedianOpenToReady;
using qvbench::Ms;
constexpr int kRuns = 15;
constexpr int kLargeRuns = 7;

double Median(std::vector<double> values) {
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<std::string> g_only;

bool Wanted(const std::string& name) {
    if (g_only.empty()) {
        return true;
    }
    for (const std::string& word : g_only) {
        if (name.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

qvrobot::Options BenchOptions() {
    qvrobot::Options options;
    options.timeoutMs = 20000;
    options.closeTimeoutMs = 20000;
    options.waitForPaint = true; // ready means drawn
    return options;
}

// ---- the library's phase totals ------------------------------------------------

using PhaseMs = std::array<double, QV_PHASE_COUNT>;

const char* const kPhaseNames[QV_PHASE_COUNT] = {"create", "strings", "fonts", "colours",
                                                 "drawn",  "samples", "paint", "data",
                                                 "chart",  "chdraw"};

const QVPhaseTotals* g_totals = nullptr;

// Finds the totals through any window of a running dialog of the library.
void FindTotals(HWND dialog) {
    if (g_totals != nullptr || dialog == nullptr) {
        return;
    }
    static const UINT message = RegisterWindowMessageA(QVSSD_PHASES_MESSAGE);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(dialog, message, 0, 0, SMTO_NORMAL, 5000, &answer) && answer != 0) {
        const auto* totals = reinterpret_cast<const QVPhaseTotals*>(answer);
        if (totals->size == sizeof(QVPhaseTotals) && totals->phaseCount == QV_PHASE_COUNT &&
            totals->frequency > 0) {
            g_totals = totals;
        }
    }
}

struct PhaseSnapshot {
    std::array<int64_t, QV_PHASE_COUNT> ticks{};
};

PhaseSnapshot Snapshot() {
    PhaseSnapshot s;
    if (g_totals != nullptr) {
        for (int i = 0; i < QV_PHASE_COUNT; ++i) {
            s.ticks[static_cast<size_t>(i)] = g_totals->ticks[i];
        }
    }
    return s;
}

PhaseMs Between(const PhaseSnapshot& before, const PhaseSnapshot& after) {
    PhaseMs ms{};
    if (g_totals == nullptr) {
        return ms;
    }
    for (size_t i = 0; i < ms.size(); ++i) {
        ms[i] = 1000.0 * static_cast<double>(after.ticks[i] - before.ticks[i]) /
                static_cast<double>(g_totals->frequency);
    }
    return ms;
}

// ---- one measured figure ----------------------------------------------------------

struct Sample {
    double ms = 0;
    PhaseMs phases{};
    double host = 0; // the host's preparation before the export call
};

struct Figure {
    std::vector<Sample> samples;
    std::vector<double> reference; // ChooseFontA runs taken between them
    std::string failure;

    bool ok() const { return failure.empty() && !samples.empty(); }
    double median() const {
        std::vector<double> v;
        for (const Sample& s : samples) {
            v.push_back(s.ms);
        }
        return Median(v);
    }
    double Phase(size_t i) const {
        std::vector<double> v;
        for (const Sample& s : samples) {
            v.push_back(s.phases[i]);
        }
        return Median(v);
    }
    double Host() const {
        std::vector<double> v;
        for (const Sample& s : samples) {
            v.push_back(s.host);
        }
        return Median(v);
    }
    // What the phases do not cover: the export frame, the loop, the robot.
    double Other() const {
        std::vector<double> v;
        for (const Sample& s : samples) {
            double rest = s.ms - s.host;
            for (double p : s.phases) {
                rest -= p;
            }
            v.push_back(rest);
        }
        return Median(v);
    }
    double Reference() const { return Median(reference); }
};

HWND g_frame = nullptr;

// One run of Wine's font dialog; negative when it failed.
double FontDialogOnce() {
    Clock::time_point start, ready;
    const auto outcome = qvrobot::RunModal(
        [&] {
            LOGFONTA font{};
            std::strcpy(font.lfFaceName, "Arial");
            font.lfHeight = -13;
            CHOOSEFONTA choose{};
            choose.lStructSize = sizeof(choose);
            choose.hwndOwner = g_frame;
            choose.lpLogFont = &font;
            choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
            start = Clock::now();
            return static_cast<int32_t>(ChooseFontA(&choose));
        },
        [&](qvrobot::Robot& robot) {
            HWND dialog = robot.WaitForDialog();
            ready = Clock::now();
            robot.Cancel(dialog);
        },
        BenchOptions());
    return outcome.ok ? Ms(ready - start) : -1;
}

// Opens a dialog `runs` times (after one run that is not counted), each run
// after one run of the yardstick. `called`, when given, is the moment the
// call reached the export: what came before it was the host's preparation.
Figure OpenToReady(const std::function<int32_t()>& call, int runs = kRuns,
                   const Clock::time_point* called = nullptr) {
    Figure figure;
    for (int run = -1; run < runs; ++run) {
        const double reference = FontDialogOnce();
        Clock::time_point start, ready;
        PhaseSnapshot before, after;
        const auto outcome = qvrobot::RunModal(
            [&] {
                before = Snapshot();
                start = Clock::now();
                return call();
            },
            [&](qvrobot::Robot& robot) {
                HWND dialog = robot.WaitForDialog();
                ready = Clock::now();
                after = Snapshot();
                FindTotals(dialog);
                robot.Cancel(dialog);
            },
            BenchOptions());
        if (!outcome.ok) {
            figure.failure = outcome.failure;
            return figure;
        }
        if (run >= 0) {
            const double host = called != nullptr && *called > start ? Ms(*called - start) : 0.0;
            figure.samples.push_back({Ms(ready - start), Between(before, after), host});
            if (reference > 0) {
                figure.reference.push_back(reference);
            }
        }
    }
    return figure;
}

// Wine's print dialog on the prefix's default printer, the yardstick of the
// page setup and print dialogs (ms; negative when it could not be measured).
double g_printDialog = -1;

void PrintHeader(const char* what) {
    std::printf("%-22s %9s %11s %6s %9s |", what, "median", "ChooseFontA", "ratio", "/PrintDlg");
    for (const char* name : kPhaseNames) {
        std::printf(" %7s", name);
    }
    std::printf(" %7s %7s\n", "host", "other");
}

void PrintFigure(const std::string& name, const Figure& figure) {
    if (!figure.ok()) {
        std::printf("%-22s %9s  (%s)\n", name.c_str(), "failed", figure.failure.c_str());
        std::fflush(stdout);
        return;
    }
    const double median = figure.median();
    const double reference = figure.Reference();
    std::printf("%-22s %9.1f %11.1f %6.2f %9.2f |", name.c_str(), median, reference,
                reference > 0 ? median / reference : 0.0,
                g_printDialog > 0 ? median / g_printDialog : 0.0);
    for (size_t i = 0; i < QV_PHASE_COUNT; ++i) {
        std::printf(" %7.1f", figure.Phase(i));
    }
    std::printf(" %7.1f %7.1f\n", figure.Host(), figure.Other());
    std::fflush(stdout);
}

// ---- the Format Cells sheet opened from Conditional Formatting ---------------------

void FormatCellsFromConditions(FARPROC show) {
    constexpr int kFormatButton = 1006;
    ConditionalFormatRecord record{};
    record.conditions[0].present = 1;
    record.conditions[0].op = 0;
    std::strcpy(record.conditions[0].value1, "10");
    std::strcpy(record.conditions[0].value2, "20");
    std::strcpy(record.conditions[0].format.font.faceName, "Arial");
    record.conditions[0].format.pattern.fillColor = 1;
    record.conditions[0].format.pattern.patternStyle = -1;
    Figure figure;
    for (int run = 0; run < 3; ++run) {
        figure.reference.push_back(FontDialogOnce());
    }
    const auto outcome = qvrobot::RunModal(
        [&] {
            return reinterpret_cast<QVShowConditionalFormattingFn>(
                reinterpret_cast<void (*)()>(show))(g_frame, &record);
        },
        [&](qvrobot::Robot& robot) {
            HWND dialog = robot.WaitForDialog();
            FindTotals(dialog);
            for (int run = -1; run < kRuns; ++run) {
                const PhaseSnapshot before = Snapshot();
                const auto start = Clock::now();
                robot.Click(dialog, kFormatButton); // returns once the sheet is ready
                const auto ready = Clock::now();
                const PhaseSnapshot after = Snapshot();
                HWND sheet = robot.ActiveDialog();
                if (sheet == nullptr || sheet == dialog) {
                    throw qvrobot::RobotError("the Format button opened no sheet");
                }
                if (run >= 0) {
                    figure.samples.push_back({Ms(ready - start), Between(before, after)});
                }
                robot.Cancel(sheet);
            }
            robot.Cancel(dialog);
        },
        BenchOptions());
    if (!outcome.ok) {
        figure.failure = outcome.failure;
    }
    for (int run = 0; run < 3; ++run) {
        figure.reference.push_back(FontDialogOnce());
    }
    PrintFigure("condformat > sheet", figure);
}

// ---- one Sample rendering of the Number page -----------------------------------

// Time to render one Sample of the Format Cells Number page: the page's own
// handling of a selection change, run on its thread, averaged over many
// renders (the best of several batches: the machine is shared).
double SampleRenderUs(FARPROC show, uint16_t category, std::string* failure) {
    constexpr int kCategoryList = 1015, kType = 1077, kNegative = 1016, kRenders = 200,
                  kBatches = 8;
    CellFormatRecord record{};
    record.number.category = category;
    record.number.decimalPlaces = 2;
    record.number.currencySymbol = 1;
    std::strcpy(record.number.sampleValue, "36964.5");
    std::strcpy(record.font.faceName, "Arial");
    auto perSample = std::make_shared<double>(-1.0);
    const auto outcome = qvrobot::RunModal(
        [&] {
            return reinterpret_cast<QVShowFormatCellsFn>(reinterpret_cast<void (*)()>(show))(
                g_frame, &record);
        },
        [&](qvrobot::Robot& robot) {
            HWND sheet = robot.WaitForDialog();
            const bool typed = category == 3 || category == 4 || category == 6;
            HWND list = robot.Control(sheet, typed ? kType : kNegative);
            HWND page = GetParent(robot.Control(sheet, kCategoryList));
            const int id = GetDlgCtrlID(list);
            robot.Post([perSample, page, list, id] {
                for (int batch = 0; batch < kBatches; ++batch) {
                    const auto start = Clock::now();
                    for (int i = 0; i < kRenders; ++i) {
                        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                                     reinterpret_cast<LPARAM>(list));
                    }
                    const double us = 1000.0 * Ms(Clock::now() - start) / kRenders;
                    if (*perSample < 0 || us < *perSample) {
                        *perSample = us;
                    }
                }
            });
            robot.WaitIdle();
            robot.Cancel(sheet);
        },
        BenchOptions());
    if (!outcome.ok) {
        *failure = outcome.failure;
        return -1;
    }
    return *perSample;
}

// ---- Text to Columns over a whole column -------------------------------------------

constexpr int kLargeLines = 65536;
constexpr size_t kLineLength = 109;

// Line i: eleven comma-separated fields, blank-padded to 109 characters.
std::string LargeLine(int i) {
    static const char* const kRegions[] = {"North", "South", "East", "West", "Central"};
    char text[256];
    std::snprintf(text, sizeof text,
                  "%06d,Customer %05d,%s,%d.%02d,2024-%02d-%02d,%s,Item %04d,%d,%d,Note %d,", i,
                  i % 99991, kRegions[i % 5], (i * 37) % 100000, i % 100, 1 + i % 12, 1 + i % 28,
                  i % 3 == 0 ? "Paid" : "Open", i % 9973, i % 13, (i * 7) % 1000, i % 17);
    std::string line = text;
    line.resize(kLineLength, ' ');
    return line;
}

class LargeTextToColumns {
  public:
    LargeTextToColumns() {
        for (int i = 0; i < kLargeLines; ++i) {
            QVStringArrayAdd(&lines_, LargeLine(i).c_str());
        }
        std::strcpy(destination_, "A1");
        std::strcpy(face_, "Arial");
    }
    ~LargeTextToColumns() {
        QVStringArrayRemoveAll(&lines_);
        QVStringArrayRemoveAll(&breaks_);
    }
    LargeTextToColumns(const LargeTextToColumns&) = delete;
    LargeTextToColumns& operator=(const LargeTextToColumns&) = delete;

    TextToColumnRecord* Fresh() {
        QVStringArrayRemoveAll(&breaks_);
        record_ = TextToColumnRecord{};
        record_.lines = &lines_;
        record_.columnBreaks = &breaks_;
        record_.destination = destination_;
        record_.fontFace = face_;
        record_.fontSize = 10;
        return &record_;
    }

  private:
    QVStringArray lines_{};
    QVStringArray breaks_{};
    char destination_[256] = {};
    char face_[32] = {};
    TextToColumnRecord record_{};
};

void LargeTextToColumnsSteps(FARPROC show) {
    constexpr int kNext = 0x3024, kBack = 0x3023, kDelimited = 1005, kFixed = 1006, kComma = 1016,
                  kSeparators = 1065;
    LargeTextToColumns data;
    const char* const kSteps[] = {"step 1 ready",   "step 2 delimited", "Comma click",
                                  "step 3 ready",   "step 2 fixed",     "break click",
                                  "step 3 (fixed)", "Comma click off"};
    constexpr size_t kStepCount = std::size(kSteps);
    std::vector<Figure> figures(kStepCount);
    std::string failure;
    for (int run = -1; run < kLargeRuns && failure.empty(); ++run) {
        const double reference = FontDialogOnce();
        Clock::time_point start;
        PhaseSnapshot before;
        std::vector<Sample> samples(kStepCount);
        const auto outcome = qvrobot::RunModal(
            [&] {
                TextToColumnRecord* record = data.Fresh();
                before = Snapshot();
                start = Clock::now();
                return reinterpret_cast<QVShowTextToColumnFn>(reinterpret_cast<void (*)()>(show))(
                    record);
            },
            [&](qvrobot::Robot& robot) {
                HWND sheet = robot.WaitForDialog();
                samples[0] = {Ms(Clock::now() - start), Between(before, Snapshot())};
                FindTotals(sheet);
                const auto timed = [&](size_t step, const std::function<void()>& act) {
                    const PhaseSnapshot b = Snapshot();
                    const auto t0 = Clock::now();
                    act();
                    samples[step] = {Ms(Clock::now() - t0), Between(b, Snapshot())};
                };
                timed(1, [&] { robot.Click(sheet, kNext); });
                if (robot.IsChecked(sheet, kComma)) {
                    robot.Click(sheet, kComma); // a saved choice of an earlier run
                }
                timed(2, [&] { robot.Click(sheet, kComma); });
                timed(3, [&] { robot.Click(sheet, kNext); });
                robot.Click(sheet, kBack);
                timed(7, [&] { robot.Click(sheet, kComma); });
                robot.Click(sheet, kBack);
                robot.Click(sheet, kFixed);
                timed(4, [&] { robot.Click(sheet, kNext); });
                HWND separators = robot.Control(sheet, kSeparators);
                timed(5, [&] {
                    robot.Post([separators] {
                        SendMessageA(separators, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(205, 60));
                        SendMessageA(separators, WM_LBUTTONUP, 0, MAKELPARAM(205, 60));
                    });
                    robot.WaitIdle();
                });
                timed(6, [&] { robot.Click(sheet, kNext); });
                robot.Click(sheet, kBack);
                robot.Click(sheet, kBack);
                robot.Click(sheet, kDelimited);
                robot.Cancel(sheet);
            },
            BenchOptions());
        if (!outcome.ok) {
            failure = outcome.failure;
            break;
        }
        if (run >= 0) {
            for (size_t i = 0; i < kStepCount; ++i) {
                figures[i].samples.push_back(samples[i]);
                figures[i].reference.push_back(reference);
            }
        }
    }
    std::printf("\nText to Columns, %d lines of %zu characters (ms, median of %d runs)\n",
                kLargeLines, kLineLength, kLargeRuns);
    PrintHeader("step");
    for (size_t i = 0; i < kStepCount; ++i) {
        if (!failure.empty()) {
            figures[i].failure = failure;
        }
        PrintFigure(kSteps[i], figures[i]);
    }
}

// ---- the split itself against a memchr scan of the same bytes ------------------------

void SplitThroughput() {
    std::vector<std::string> lines;
    size_t bytes = 0;
    for (int i = 0; i < kLargeLines; ++i) {
        lines.push_back(LargeLine(i));
        bytes += lines.back().size();
    }
    qv::core::SplitOptions options;
    options.delimiters = ",";
    options.qualifier = "{none}";
    constexpr int kRounds = 9;
    std::vector<double> scan, split, measured, full;
    size_t found = 0;
    int widths[256];
    for (int& w : widths) {
        w = 7;
    }
    for (int round = 0; round < kRounds; ++round) {
        auto t0 = Clock::now();
        for (const std::string& line : lines) {
            const char* p = line.data();
            const char* end = p + line.size();
            while ((p = static_cast<const char*>(std::memchr(p, ',', end - p))) != nullptr) {
                ++found;
                ++p;
            }
        }
        scan.push_back(Ms(Clock::now() - t0));
        // What the wizard runs over every line: the split into views, the
        // column count and the limit question.
        t0 = Clock::now();
        found += static_cast<size_t>(qv::core::MeasureDelimited(lines, options).columns);
        split.push_back(Ms(Clock::now() - t0));
        // The same with the widest text of every column.
        t0 = Clock::now();
        found +=
            static_cast<size_t>(qv::core::MeasureDelimited(lines, options, {}, widths).columns);
        measured.push_back(Ms(Clock::now() - t0));
        // Every field as a text of its own.
        t0 = Clock::now();
        found += static_cast<size_t>(qv::core::SplitDelimited(lines, options).columns);
        full.push_back(Ms(Clock::now() - t0));
    }
    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const auto rate = [mb](const std::vector<double>& ms) { return mb / (Median(ms) / 1000.0); };
    const double scanRate = rate(scan);
    std::printf("\nDelimited split of %.1f MB, Comma (median of %d, MB/s; ratio to the memchr "
                "scan; found %zu)\n",
                mb, kRounds, found / kRounds);
    std::printf("%-44s %8.0f\n", "memchr scan for the delimiter", scanRate);
    std::printf("%-44s %8.0f   ratio %.2f\n", "split into fields and columns (the wizard's)",
                rate(split), rate(split) / scanRate);
    std::printf("%-44s %8.0f   ratio %.2f\n", "the same, with the widest text of each column",
                rate(measured), rate(measured) / scanRate);
    std::printf("%-44s %8.0f   ratio %.2f\n", "every field copied to a text of its own", rate(full),
                rate(full) / scanRate);
}

// The user's store holds the built-in lists and this many lists of his own.
constexpr int kUserLists = 1000;

// A copy of the shipped store with kUserLists lists added in one change.
bool PrepareCustomLists(const std::string& userData) {
    const std::string path = userData + "\\Autofill.dll";
    if (!CopyFileA((qvhost::AppFolder() + "\\Autofill.dll").c_str(), path.c_str(), FALSE)) {
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO AutoFillData (sno, autotext, Language) "
                       "VALUES ((SELECT count(*) + 1 FROM AutoFillData), ?1, 'E')",
                       -1, &insert, nullptr);
    for (int i = 1; i <= kUserLists; ++i) {
        const std::string text = "Team " + std::to_string(i) + " north;Team " + std::to_string(i) +
                                 " south;Team " + std::to_string(i) + " east;";
        sqlite3_bind_text(insert, 1, text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Saving one list: the store's own change (median of kRuns) and the Custom
// Lists page's "Add" with the list in its entries box (median of kRuns, run
// on the page's thread), in ms.
struct SaveTimes {
    double store = -1;
    double page = -1;
};

SaveTimes SaveOneListMs(const std::string& userData, FARPROC show, std::string* failure) {
    SaveTimes times;
    const qv::store::CustomListStore store(userData + "\\Autofill.dll");
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const std::string text = "Store " + std::to_string(run) + ";Saved;";
        const auto start = Clock::now();
        if (!store.AddList(text, qv::store::ListLanguage::English, nullptr)) {
            *failure = "the store refused a list";
            return times;
        }
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    times.store = runs[runs.size() / 2];

    constexpr int kListBox = 32903, kEntries = 32904, kAdd = 32906;
    QVOptionsRecord record{};
    record.activePage = 1;
    auto pageRuns = std::make_shared<std::vector<double>>();
    qvrobot::Options patient;
    patient.timeoutMs = 60000; // the page saves kRuns lists in one go
    const auto outcome = qvrobot::RunModal(
        [&] {
            return reinterpret_cast<QVShowOptionsFn>(reinterpret_cast<void (*)()>(show))(&record);
        },
        [&](qvrobot::Robot& robot) {
            HWND sheet = robot.WaitForDialog(10000);
            HWND list = robot.Control(sheet, kListBox);
            HWND entries = robot.Control(sheet, kEntries);
            HWND page = GetParent(list);
            robot.Post([pageRuns, page, list, entries] {
                for (int run = 0; run < kRuns; ++run) {
                    SendMessageA(list, LB_SETCURSEL, 0, 0);
                    const std::string text = "Page " + std::to_string(run) + "\r\nSaved";
                    SetWindowTextA(entries, text.c_str());
                    const auto start = Clock::now();
                    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kAdd, BN_CLICKED), 0);
                    pageRuns->push_back(
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                }
            });
            robot.WaitIdle();
            robot.Cancel(sheet);
        },
        patient);
    if (!outcome.ok || pageRuns->size() != static_cast<size_t>(kRuns)) {
        *failure = outcome.failure;
        return times;
    }
    std::sort(pageRuns->begin(), pageRuns->end());
    times.page = (*pageRuns)[pageRuns->size() / 2];
    return times;
}

// A column of `lines` entries in no order, after the host's three header
// lines, as Custom AutoFilter receives it.
std::string ValueList(int lines) {
    std::string list = "(All)\n(Top 10...)\n(Custom...)\n";
    unsigned seed = 12345;
    for (int i = 0; i < lines; ++i) {
        seed = seed * 1103515245u + 12345u;
        list += "Customer " + std::to_string(seed % 100000) + " " + std::to_string(i) + "\n";
    }
    return list;
}

// The pivot field drop-down over the record's items: the time from a click on the
// all-items tick until every row is ticked and the list repainted, on the
// dialog's thread (ms, the best of several clicks).
double PivotShowAllMs(FARPROC show, PivotFieldRecord& record, std::string* failure) {
    constexpr int kClicks = 8;
    auto best = std::make_shared<double>(-1.0);
    const auto outcome = qvrobot::RunModal(
        [&] {
            return reinterpret_cast<QVShowPivotDropDownFn>(reinterpret_cast<void (*)()>(show))(
                &record);
        },
        [&](qvrobot::Robot& robot) {
            HWND dialog = robot.WaitForDialog(10000);
            HWND list = robot.Control(dialog, 1141);
            robot.Post([best, list] {
                RECT row{};
                row.left = LVIR_BOUNDS;
                SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
                const LPARAM at = MAKELPARAM(row.left + 8, (row.top + row.bottom) / 2);
                for (int i = 0; i < kClicks; ++i) {
                    const auto start = Clock::now();
                    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
                    SendMessageA(list, WM_LBUTTONUP, 0, at);
                    UpdateWindow(list);
                    const double ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    if (*best < 0 || ms < *best) {
                        *best = ms;
                    }
                }
            });
            robot.WaitIdle();
            robot.Cancel(dialog);
        });
    if (!outcome.ok) {
        *failure = outcome.failure;
        return -1;
    }
    return *best;
}

std::string LoadAverage() {
    const std::string text = qvhost::ReadTextFile("Z:\\proc\\loadavg");
    return text.empty() ? "unknown" : text.substr(0, text.find(' ', text.find(' ') + 1));
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        g_only.emplace_back(argv[i]);
    }
    qvhost::SetMenuLanguage(1);
    const std::string userData = qvhost::MakeScratchFolder("twcalc-bench");
    qvhost::SetUserDataFolder(userData);
    // Options and Sort Options open over a store with many user lists.
    const bool manyLists = PrepareCustomLists(userData);
    qvhost::FrameWindow frame;
    g_frame = frame.hwnd();
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    std::printf("machine: %lu processors, load average (1 and 5 min) at start: %s\n",
                system.dwNumberOfProcessors, LoadAverage().c_str());

    qvhost::DialogLibrary library(qvhost::AppFolder());
    if (!library.loaded()) {
        std::printf("QVSSD.dll could not be loaded from %s (error %lu)\n", library.path().c_str(),
                    library.error());
        return 0;
    }
    std::string failure;
    g_printDialog = MedianOpenToReady(
        [&] {
            PRINTDLGA print{};
            print.lStructSize = sizeof(print);
            print.hwndOwner = frame.hwnd();
            const BOOL ok = PrintDlgA(&print);
            GlobalFree(print.hDevMode);
            GlobalFree(print.hDevNames);
            return static_cast<int32_t>(ok);
        },
        &failure);
    if (g_printDialog < 0) {
        std::printf("PrintDlgA could not be measured (no printer?): %s\n", failure.c_str());
    } else {
        std::printf("PrintDlgA: %.1f ms (median of 15), the reference of the /PrintDlg column\n",
                    g_printDialog);
    }
    std::printf("\nopen-to-ready (ms, median of %d runs; ChooseFontA: median of the runs taken "
                "between them; phases: medians, see qvssd/phases.h)\n",
                kRuns);
    PrintHeader("dialog");
    for (const auto& entry : qvhost::Dialogs()) {
        if (!Wanted(entry.name)) {
            continue;
        }
        FARPROC fn = library.Find(entry.exportName);
        if (fn == nullptr) {
            std::printf("%-22s %9s\n", entry.name, "n/a");
            continue;
        }
        Clock::time_point called;
        PrintFigure(entry.name, OpenToReady(
                                    [&] {
                                        auto call = entry.makeSample();
                                        called = Clock::now();
                                        return call->Invoke(fn);
                                    },
                                    kRuns, &called));
    }
    if (Wanted("pagesetup") || Wanted("print")) {
        qvbench::PrintPlatformPart(frame.hwnd(), library, kRuns);
    }
    if (FARPROC show = library.Find("QVShowConditionalFormatting");
        show != nullptr && Wanted("conditional")) {
        FormatCellsFromConditions(show);
    }
    if (FARPROC show = library.Find("QVShowFormatCells"); show != nullptr && Wanted("samples")) {
        std::printf("\nFormat Cells sample, one rendering (us, best mean of 8 x 200)\n");
        const struct {
            const char* name;
            uint16_t category;
        } samples[] = {{"Number", 1}, {"Currency", 2}, {"Date", 3}, {"Time", 4}, {"Fraction", 6}};
        for (const auto& sample : samples) {
            failure.clear();
            const double us = SampleRenderUs(show, sample.category, &failure);
            if (us < 0) {
                std::printf("%-20s %10s  (%s)\n", sample.name, "failed", failure.c_str());
            } else {
                std::printf("%-20s %10.1f\n", sample.name, us);
            }
        }
    }
    if (FARPROC show = library.Find("QVShowTextToColumn");
        show != nullptr && Wanted("texttocolumns-large")) {
        LargeTextToColumnsSteps(show);
    }
    if (Wanted("split")) {
        SplitThroughput();
    }
    // The yardstick of the parts below: the median of a few runs taken now.
    std::vector<double> references;
    for (int run = 0; run < 5; ++run) {
        references.push_back(FontDialogOnce());
    }
    const double fontDialog = Median(references);
    if (FARPROC show = library.Find("QVShowOptions"); show != nullptr && Wanted("custom")) {
        std::printf("\nCustom lists (%s)\n", manyLists ? "the store holds 1000 user lists"
                                                       : "the store could not be filled");
        failure.clear();
        const SaveTimes save = SaveOneListMs(userData, show, &failure);
        std::printf("%-24s %10s %14s %8s\n", "save one list", "median", "ChooseFontA", "ratio");
        const struct {
            const char* name;
            double ms;
        } saves[] = {{"store change", save.store}, {"Add on the page", save.page}};
        for (const auto& one : saves) {
            if (one.ms < 0) {
                std::printf("%-24s %10s  (%s)\n", one.name, "failed", failure.c_str());
            } else {
                std::printf("%-24s %10.2f %14.2f %8.3f\n", one.name, one.ms, fontDialog,
                            fontDialog > 0 ? one.ms / fontDialog : 0.0);
            }
        }
    }
    if (FARPROC fn = library.Find("QVShowCustomFilter"); fn != nullptr && Wanted("customfilter")) {
        std::printf("\nCustom AutoFilter over a value list (both lists filled and sorted)\n");
        const auto show = reinterpret_cast<QVShowCustomFilterFn>(reinterpret_cast<void (*)()>(fn));
        for (int lines : {1000, 10000}) {
            std::string list = ValueList(lines);
            failure.clear();
            const double median = MedianOpenToReady(
                [&] {
                    CustomFilterRecord record{};
                    record.valueList = list.data();
                    return show(&record);
                },
                &failure);
            const std::string name = std::to_string(lines) + " lines";
            if (median < 0) {
                std::printf("%-14s %10s  (%s)\n", name.c_str(), "failed", failure.c_str());
            } else {
                std::printf("%-14s %10.2f %14.2f %8.2f\n", name.c_str(), median, fontDialog,
                            fontDialog > 0 ? median / fontDialog : 0.0);
            }
        }
    }
    if (FARPROC show = library.Find("QVShowPivotDropDown"); show != nullptr && Wanted("pivot")) {
        // Ten thousand items, a tenth of them shown.
        QVPivotFieldItems items{};
        for (int i = 0; i < 10000; ++i) {
            const std::string item = "Item " + std::to_string(i);
            QVStringArrayAdd(&items.allItems, item.c_str());
            if (i % 10 == 0) {
                QVStringArrayAdd(&items.shownItems, item.c_str());
            }
        }
        PivotFieldRecord record{};
        record.language = 1;
        std::strcpy(record.fieldName, "Item");
        record.fieldItems = &items;
        failure.clear();
        const double ready = MedianOpenToReady(
            [&] {
                return reinterpret_cast<QVShowPivotDropDownFn>(reinterpret_cast<void (*)()>(show))(
                    &record);
            },
            &failure);
        std::printf("\nPivot drop-down, 10000 items (ms; ratio to ChooseFontA)\n");
        if (ready < 0) {
            std::printf("%-20s %10s  (%s)\n", "open-to-ready", "failed", failure.c_str());
        } else {
            std::printf("%-20s %10.2f %8.2f\n", "open-to-ready", ready,
                        fontDialog > 0 ? ready / fontDialog : 0.0);
        }
        failure.clear();
        const double toggle = PivotShowAllMs(show, record, &failure);
        if (toggle < 0) {
            std::printf("%-20s %10s  (%s)\n", "show all, one click", "failed", failure.c_str());
        } else {
            std::printf("%-20s %10.2f %8.3f\n", "show all, one click", toggle,
                        fontDialog > 0 ? toggle / fontDialog : 0.0);
        }
        QVStringArrayRemoveAll(&items.allItems);
        QVStringArrayRemoveAll(&items.shownItems);
    }
    if (Wanted("functions")) {
        qvbench::FunctionTables(library, fontDialog, userData);
    }
    std::printf("\nload average (1 and 5 min) at the end: %s\n", LoadAverage().c_str());
    library.Unload();
    qvhost::RemoveFolder(userData);
    return 0;
}
