// Open-to-ready time of each dialog: from the export call until the dialog is
// shown, initialised and its thread idle (as the UI robot sees it), then
// cancelled. Wine's own font dialog (ChooseFontA) is measured the same way in
// the same run as the yardstick. Prints figures only.
#include "open_to_ready.h"

#include "bench.h"
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"
#include "qvstore/custom_list_store.h"

#include <commctrl.h>
#include <commdlg.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using qvbench::Clock;
using qvbench::MedianOpenToReady;
constexpr int kRuns = 15;

// Time to render one Sample of the Format Cells Number page: the page's own
// handling of a selection change, run on its thread, averaged over many
// renders (the best of several batches). Date and Time samples load
// QVSSDSL.dll for every rendering.
double SampleRenderMs(FARPROC show, uint16_t category, std::string* failure) {
    constexpr int kCategoryList = 1015, kType = 1077, kNegative = 1016, kRenders = 50, kBatches = 8;
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
                qvhost::FrameHandle(), &record);
        },
        [&](qvrobot::Robot& robot) {
            HWND sheet = robot.WaitForDialog(10000);
            const bool typed = category == 3 || category == 4 || category == 6;
            HWND list = robot.Control(sheet, typed ? kType : kNegative);
            HWND page = GetParent(robot.Control(sheet, kCategoryList));
            const int id = GetDlgCtrlID(list);
            robot.Post([perSample, page, list, id] {
                // The best of several batches: the machine is shared.
                for (int batch = 0; batch < kBatches; ++batch) {
                    const auto start = Clock::now();
                    for (int i = 0; i < kRenders; ++i) {
                        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                                     reinterpret_cast<LPARAM>(list));
                    }
                    const double ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                        kRenders;
                    if (*perSample < 0 || ms < *perSample) {
                        *perSample = ms;
                    }
                }
            });
            robot.WaitIdle();
            robot.Cancel(sheet);
        });
    if (!outcome.ok) {
        *failure = outcome.failure;
        return -1;
    }
    return *perSample;
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

} // namespace

int main(int argc, char** argv) {
    // Names on the command line measure only those dialogs.
    const std::vector<std::string> only(argv + 1, argv + argc);
    qvhost::SetMenuLanguage(1);
    const std::string userData = qvhost::MakeScratchFolder("twcalc-bench");
    qvhost::SetUserDataFolder(userData);
    // Options and Sort Options open over a store with many user lists.
    const bool manyLists = PrepareCustomLists(userData);
    qvhost::FrameWindow frame;

    std::string failure;
    const double fontDialog = qvbench::FontDialogOpenToReady(frame.hwnd(), &failure, kRuns);

    // Wine's print dialog on the prefix's default printer, the yardstick of
    // the page setup and print dialogs.
    const std::string fontFailure = failure;
    failure.clear();
    const double printDialog = MedianOpenToReady(
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

    std::printf("open-to-ready, median of %d runs (ms)\n", kRuns);
    std::printf("%-14s %10s %14s %8s %10s\n", "dialog", "median", "ChooseFontA", "ratio",
                "/PrintDlgA");
    if (fontDialog < 0) {
        std::printf("ChooseFontA could not be measured: %s\n", fontFailure.c_str());
    }
    if (printDialog < 0) {
        std::printf("PrintDlgA could not be measured (no printer?): %s\n", failure.c_str());
    } else {
        std::printf("%-14s %10.2f  (PrintDlgA, the reference of the last column)\n", "PrintDlgA",
                    printDialog);
    }
    const auto printRatio = [&](double median) {
        if (printDialog > 0) {
            std::printf(" %10.2f", median / printDialog);
        }
        std::printf("\n");
    };

    qvhost::DialogLibrary library(qvhost::AppFolder());
    if (!library.loaded()) {
        std::printf("QVSSD.dll could not be loaded from %s (error %lu)\n", library.path().c_str(),
                    library.error());
    }
    for (const auto& entry : qvhost::Dialogs()) {
        if (!only.empty() && std::find(only.begin(), only.end(), entry.name) == only.end()) {
            continue;
        }
        FARPROC fn = library.Find(entry.exportName);
        if (fn == nullptr) {
            std::printf("%-14s %10s\n", entry.name, "n/a");
            continue;
        }
        failure.clear();
        const double median = qvbench::MedianOpenToReady(
            [&] {
                auto call = entry.makeSample();
                return call->Invoke(fn);
            },
            &failure, kRuns);
        if (median < 0) {
            std::printf("%-14s %10s  (%s)\n", entry.name, "failed", failure.c_str());
        } else if (fontDialog > 0) {
            std::printf("%-14s %10.2f %14.2f %8.2f", entry.name, median, fontDialog,
                        median / fontDialog);
            printRatio(median);
        } else {
            std::printf("%-14s %10.2f %14s %8s", entry.name, median, "-", "-");
            printRatio(median);
        }
        std::fflush(stdout);
    }
    if (FARPROC show = library.Find("QVShowFormatCells"); show != nullptr && only.empty()) {
        std::printf("\nFormat Cells sample, one rendering (ms, best mean of 8 x 50)\n");
        const struct {
            const char* name;
            uint16_t category;
        } samples[] = {{"Number", 1},
                       {"Currency", 2},
                       {"Date (QVSSDSL.dll)", 3},
                       {"Time (QVSSDSL.dll)", 4},
                       {"Fraction", 6}};
        for (const auto& sample : samples) {
            failure.clear();
            const double ms = SampleRenderMs(show, sample.category, &failure);
            if (ms < 0) {
                std::printf("%-20s %10s  (%s)\n", sample.name, "failed", failure.c_str());
            } else {
                std::printf("%-20s %10.3f\n", sample.name, ms);
            }
        }
    }
    if (FARPROC show = library.Find("QVShowOptions")) {
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
    if (FARPROC fn = library.Find("QVShowCustomFilter")) {
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
    if (FARPROC show = library.Find("QVShowPivotDropDown")) {
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
    qvbench::FunctionTables(library, fontDialog, userData);
    library.Unload();
    qvhost::RemoveFolder(userData);
    return 0;
}
