// Insert Function searching the whole catalogue, and Select Table opening a
// database of 5000 tables through ODBC, next to the font dialog.
#include "bench.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"
#include "qvssd/siblings.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace qvbench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSearchBox = 277, kGo = 254, kFunctions = 1052;
constexpr int kTables = 5000;

template <class F> F As(FARPROC fn) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(fn));
}

// One "Go" with an empty search (every function of the catalogue), run on
// the dialog's thread: the best mean of 8 batches of 20, and the count listed.
double GoOverAllMs(FARPROC show, int* listed, std::string* failure) {
    QVInsertFunctionRecord record{};
    // All the batches run in one go on the dialog's thread: wait for them as long as a
    // loaded machine needs.
    qvrobot::Options patient;
    patient.timeoutMs = 60000;
    auto best = std::make_shared<double>(-1.0);
    auto count = std::make_shared<int>(0);
    const auto outcome = qvrobot::RunModal(
        [&] { return As<QVShowInsertFunctionFn>(show)(&record); },
        [&](qvrobot::Robot& robot) {
            HWND dialog = robot.WaitForDialog(10000);
            robot.SetText(dialog, kSearchBox, "");
            HWND go = robot.Control(dialog, kGo);
            HWND list = robot.Control(dialog, kFunctions);
            robot.Post([best, count, dialog, go, list] {
                for (int batch = 0; batch < 8; ++batch) {
                    const auto start = Clock::now();
                    for (int i = 0; i < 20; ++i) {
                        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kGo, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(go));
                    }
                    const double ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                        20;
                    if (*best < 0 || ms < *best) {
                        *best = ms;
                    }
                }
                *count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
            });
            robot.WaitIdle();
            robot.Cancel(dialog);
        },
        patient);
    if (!outcome.ok) {
        *failure = outcome.failure;
        return -1;
    }
    *listed = *count;
    return *best;
}

bool MakeManyTables(const std::string& path) {
    sqlite3* db = nullptr;
    std::string sql = "BEGIN;";
    for (int i = 0; i < kTables; ++i) {
        sql += "CREATE TABLE Sheet" + std::to_string(i) + " (id INTEGER, amount REAL);";
    }
    sql += "COMMIT;";
    const bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

void PrintRow(const char* name, double ms, double reference, const std::string& failure) {
    if (ms < 0) {
        std::printf("%-34s %10s  (%s)\n", name, "failed", failure.c_str());
    } else {
        std::printf("%-34s %10.2f %14.2f %8.3f\n", name, ms, reference,
                    reference > 0 ? ms / reference : 0.0);
    }
}

} // namespace

void FunctionTables(const qvhost::DialogLibrary& library, double fontDialogMs,
                    const std::string& userData) {
    FARPROC insertFunction = library.Find("QVShowInsertFunction");
    FARPROC selectTable = library.Find("QVShowSelectTable");
    if (insertFunction == nullptr || selectTable == nullptr) {
        return;
    }
    std::printf("\nInsert Function and Select Table (ms)\n");
    std::printf("%-34s %10s %14s %8s\n", "", "time", "ChooseFontA", "ratio");
    // Ten recent functions in the profile, as a user who works with it has.
    qvhost::WriteTextFile(userData + "\\" + QVCOM_PROFILE_FILE,
                          "[Function]\r\n0=0\r\n1=2063\r\n2=2069\r\n3=2115\r\n4=2137\r\n5=2024\r\n"
                          "6=2087\r\n7=2072\r\n8=2057\r\n9=2001\r\n10=2113\r\n");
    std::string failure;
    QVInsertFunctionRecord record{};
    const double open = MedianOpenToReady(
        [&] { return As<QVShowInsertFunctionFn>(insertFunction)(&record); }, &failure);
    PrintRow("Insert Function open-to-ready", open, fontDialogMs, failure);
    int listed = 0;
    const double go = GoOverAllMs(insertFunction, &listed, &failure);
    const std::string goName = "Go over all (" + std::to_string(listed) + " listed)";
    PrintRow(goName.c_str(), go, fontDialogMs, failure);

    const std::string path = userData + "\\tables.db";
    if (!MakeManyTables(path)) {
        std::printf("the database of %d tables could not be made\n", kTables);
        return;
    }
    char buffer[MAX_PATH] = {};
    const double tables = MedianOpenToReady(
        [&] {
            std::strncpy(buffer, path.c_str(), sizeof buffer - 1);
            return As<QVShowSelectTableFn>(selectTable)(buffer);
        },
        &failure, 5);
    PrintRow("Select Table, 5000 tables", tables, fontDialogMs, failure);
}

} // namespace qvbench
