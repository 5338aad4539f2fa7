// Open-to-ready time of each dialog: from the export call until the dialog is
// shown, initialised and its thread idle (as the UI robot sees it), then
// cancelled. Wine's own font dialog (ChooseFontA) is measured the same way in
// the same run as the yardstick. Prints figures only.
#include "qvhost/host.h"
#include "qvrobot/robot.h"
#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <commdlg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;

// Median open-to-ready time in ms over kRuns calls; negative when a run failed.
double MedianOpenToReady(const std::function<int32_t()>& call, std::string* failure) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        Clock::time_point start, ready;
        const auto outcome = qvrobot::RunModal(
            [&] {
                start = Clock::now();
                return call();
            },
            [&](qvrobot::Robot& robot) {
                HWND dialog = robot.WaitForDialog(10000);
                ready = Clock::now();
                robot.Cancel(dialog);
            });
        if (!outcome.ok) {
            *failure = outcome.failure;
            return -1;
        }
        times.push_back(std::chrono::duration<double, std::milli>(ready - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

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

} // namespace

int main() {
    qvhost::SetMenuLanguage(1);
    const std::string userData = qvhost::MakeScratchFolder("twcalc-bench");
    qvhost::SetUserDataFolder(userData);
    qvhost::FrameWindow frame;

    std::string failure;
    const double fontDialog = MedianOpenToReady(
        [&] {
            LOGFONTA font{};
            std::strcpy(font.lfFaceName, "Arial");
            font.lfHeight = -13;
            CHOOSEFONTA choose{};
            choose.lStructSize = sizeof(choose);
            choose.hwndOwner = frame.hwnd();
            choose.lpLogFont = &font;
            choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
            return static_cast<int32_t>(ChooseFontA(&choose));
        },
        &failure);

    std::printf("open-to-ready, median of %d runs (ms)\n", kRuns);
    std::printf("%-14s %10s %14s %8s\n", "dialog", "median", "ChooseFontA", "ratio");
    if (fontDialog < 0) {
        std::printf("ChooseFontA could not be measured: %s\n", failure.c_str());
    }

    qvhost::DialogLibrary library(qvhost::AppFolder());
    if (!library.loaded()) {
        std::printf("QVSSD.dll could not be loaded from %s (error %lu)\n", library.path().c_str(),
                    library.error());
    }
    for (const auto& entry : qvhost::Dialogs()) {
        FARPROC fn = library.Find(entry.exportName);
        if (fn == nullptr) {
            std::printf("%-14s %10s\n", entry.name, "n/a");
            continue;
        }
        failure.clear();
        const double median = MedianOpenToReady(
            [&] {
                auto call = entry.makeSample();
                return call->Invoke(fn);
            },
            &failure);
        if (median < 0) {
            std::printf("%-14s %10s  (%s)\n", entry.name, "failed", failure.c_str());
        } else if (fontDialog > 0) {
            std::printf("%-14s %10.2f %14.2f %8.2f\n", entry.name, median, fontDialog,
                        median / fontDialog);
        } else {
            std::printf("%-14s %10.2f %14s %8s\n", entry.name, median, "-", "-");
        }
        std::fflush(stdout);
    }
    if (FARPROC show = library.Find("QVShowFormatCells")) {
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
    library.Unload();
    qvhost::RemoveFolder(userData);
    return 0;
}
