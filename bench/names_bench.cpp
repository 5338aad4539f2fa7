// The name dialogs over a workbook of 10,000 names: open-to-ready time of
// Define Name, Apply Names and Paste Name (next to Wine's own font dialog,
// measured the same way in the same run), and the time Define Name's Add
// takes into 10,000 names (next to a memchr scan of 16 MB). Prints figures only.
#include "open_to_ready.h"

#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using qvbench::Clock;
using qvbench::Ms;
constexpr int kRuns = 7;
constexpr int kNames = 10000;
constexpr int kDefineAdd = 32994, kDefineName = 257;

double OpenToReady(const std::function<int32_t()>& call, std::string* failure) {
    return qvbench::MedianOpenToReady(call, failure, kRuns);
}

// A workbook of 10,000 names, half of them in the local script.
struct Workbook {
    Workbook() {
        for (int i = 0; i < kNames; ++i) {
            const std::string n = std::to_string((i * 7919) % kNames);
            QVStringArrayAdd(&entries, ("Sheet1!Name" + n + ";$A$" + n).c_str());
            QVStringArrayAdd(&plain, ("Name" + n).c_str());
            QVUIntArrayAdd(&languages, 1 + static_cast<uint32_t>(i % 2));
        }
    }
    ~Workbook() {
        QVStringArrayRemoveAll(&entries);
        QVStringArrayRemoveAll(&plain);
        QVUIntArrayRemoveAll(&languages);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    QVStringArray entries{};
    QVStringArray plain{};
    QVUIntArray languages{};
};

// A copy of the entries for one Define Name run (Add edits them).
struct DefineRun {
    explicit DefineRun(const Workbook& book) {
        for (int32_t i = 0; i < book.entries.size; ++i) {
            QVStringArrayAdd(&names, QVStringArrayGet(&book.entries, i));
            QVUIntArrayAdd(&languages, QVUIntArrayGet(&book.languages, i));
        }
        record.names = &names;
        record.nameLanguages = &languages;
        std::strcpy(record.reference, "Sheet1!$B$2");
        record.nameLanguage = 1;
    }
    ~DefineRun() {
        QVStringArrayRemoveAll(&names);
        QVUIntArrayRemoveAll(&languages);
    }
    DefineRun(const DefineRun&) = delete;
    DefineRun& operator=(const DefineRun&) = delete;

    QVStringArray names{};
    QVUIntArray languages{};
    NameDefineRecord record{};
};

// Mean time of one Add into the open Define Name (best of several batches),
// measured on the dialog's thread.
double AddIntoNames(QVShowNameDefineFn show, const Workbook& book, std::string* failure) {
    constexpr int kAdds = 20, kBatches = 5;
    DefineRun run(book);
    double best = -1.0;
    // A benchmark reports what it measures, however busy the machine is.
    qvrobot::Options patient;
    patient.timeoutMs = 60000;
    patient.closeTimeoutMs = 60000;
    const auto outcome = qvrobot::RunModal(
        [&] { return show(&run.record); },
        [&](qvrobot::Robot& robot) {
            HWND dialog = robot.WaitForDialog(60000);
            HWND nameBox = robot.Control(dialog, kDefineName);
            HWND add = robot.Control(dialog, kDefineAdd);
            for (int batch = 0; batch < kBatches; ++batch) {
                auto mean = std::make_shared<double>(0.0);
                robot.Post([mean, batch, dialog, nameBox, add] {
                    Clock::duration total{};
                    for (int i = 0; i < kAdds; ++i) {
                        const std::string name = "Added" + std::to_string(batch * kAdds + i);
                        SetWindowTextA(nameBox, name.c_str());
                        const auto start = Clock::now();
                        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kDefineAdd, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(add));
                        total += Clock::now() - start;
                    }
                    *mean = Ms(total) / kAdds;
                });
                robot.WaitIdle();
                if (best < 0 || *mean < best) {
                    best = *mean;
                }
            }
            robot.Cancel(dialog);
        },
        patient);
    if (!outcome.ok) {
        *failure = outcome.failure;
        return -1;
    }
    if (run.names.size != kNames + kAdds * kBatches) {
        *failure = "the names array holds " + std::to_string(run.names.size) + " entries";
        return -1;
    }
    return best;
}

// A memchr scan of 16 MB (best of several), the yardstick of the Add figure.
double MemchrScanMs() {
    std::vector<char> block(16 << 20, 'a');
    double best = -1;
    for (int i = 0; i < 9; ++i) {
        const auto start = Clock::now();
        const void* found = std::memchr(block.data(), 'b', block.size());
        const double ms = Ms(Clock::now() - start);
        if (found == nullptr && (best < 0 || ms < best)) {
            best = ms;
        }
    }
    return best;
}

void Print(const char* what, double ms, double reference, const std::string& failure) {
    if (ms < 0) {
        std::printf("%-28s %10s  (%s)\n", what, "failed", failure.c_str());
    } else if (reference > 0) {
        std::printf("%-28s %10.2f %12.2f %8.2f\n", what, ms, reference, ms / reference);
    } else {
        std::printf("%-28s %10.2f %12s %8s\n", what, ms, "-", "-");
    }
    std::fflush(stdout);
}

} // namespace

int main() {
    qvhost::SetMenuLanguage(1);
    qvhost::FrameWindow frame;
    std::string failure;
    const double fontDialog = qvbench::FontDialogOpenToReady(frame.hwnd(), &failure, kRuns);
    if (fontDialog < 0) {
        std::printf("ChooseFontA could not be measured: %s\n", failure.c_str());
    }

    qvhost::DialogLibrary library(qvhost::AppFolder());
    auto define = library.Get<QVShowNameDefineFn>("QVShowNameDefine");
    auto apply = library.Get<QVShowNameApplyFn>("QVShowNameApply");
    auto paste = library.Get<QVShowNamePasteFn>("QVShowNamePaste");
    if (define == nullptr || apply == nullptr || paste == nullptr) {
        std::printf("the name exports are missing from %s\n", library.path().c_str());
        return 0;
    }
    Workbook book;

    std::printf("name dialogs with %d names, open-to-ready, median of %d runs (ms)\n", kNames,
                kRuns);
    std::printf("%-28s %10s %12s %8s\n", "dialog", "median", "ChooseFontA", "ratio");
    failure.clear();
    // Each run gets its own copy of the names, made before it is timed.
    std::vector<std::unique_ptr<DefineRun>> runs;
    for (int run = 0; run < kRuns; ++run) {
        runs.push_back(std::make_unique<DefineRun>(book));
    }
    size_t nextRun = 0;
    Print("Define Name",
          OpenToReady([&] { return define(&runs[nextRun++ % runs.size()]->record); }, &failure),
          fontDialog, failure);
    runs.clear();
    failure.clear();
    Print("Apply Names",
          OpenToReady(
              [&] {
                  NameApplyRecord record{};
                  record.names = &book.plain;
                  record.nameLanguages = &book.languages;
                  const int32_t result = apply(&record);
                  QVUIntArrayRemoveAll(&record.chosen);
                  return result;
              },
              &failure),
          fontDialog, failure);
    failure.clear();
    Print("Paste Name",
          OpenToReady(
              [&] {
                  NamePasteRecord record{};
                  record.names = &book.plain;
                  record.nameLanguages = &book.languages;
                  return paste(&record);
              },
              &failure),
          fontDialog, failure);

    const double scan = MemchrScanMs();
    std::printf("\nDefine Name Add into %d names, one Add (ms, best mean of 5 x 20)\n", kNames);
    std::printf("%-28s %10s %12s %8s\n", "action", "mean", "memchr 16MB", "ratio");
    failure.clear();
    Print("Add", AddIntoNames(define, book, &failure), scan, failure);
    library.Unload();
    return 0;
}
