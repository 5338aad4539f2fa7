// Open-to-ready time, shared by the benchmarks: from the export call until
// the dialog is shown, initialised and its thread idle (as the UI robot sees
// it), then cancelled; and the same for Wine's own font dialog, the yardstick
// every figure is set against.
#pragma once

#include "qvrobot/robot.h"

#include <commdlg.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace qvbench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Median open-to-ready time in ms over `runs` calls; negative when a run
// failed (the robot's report in `failure`).
inline double MedianOpenToReady(const std::function<int32_t()>& call, std::string* failure,
                                int runs = 15) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start, ready;
        const auto outcome = qvrobot::RunModal(
            [&] {
                start = Clock::now();
                return call();
            },
            [&](qvrobot::Robot& robot) {
                HWND dialog = robot.WaitForDialog(20000);
                ready = Clock::now();
                robot.Cancel(dialog);
            });
        if (!outcome.ok) {
            *failure = outcome.failure;
            return -1;
        }
        times.push_back(Ms(ready - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The same for ChooseFontA over Arial, owned by `owner`.
inline double FontDialogOpenToReady(HWND owner, std::string* failure, int runs) {
    return MedianOpenToReady(
        [owner] {
            LOGFONTA font{};
            std::strcpy(font.lfFaceName, "Arial");
            font.lfHeight = -13;
            CHOOSEFONTA choose{};
            choose.lStructSize = sizeof(choose);
            choose.hwndOwner = owner;
            choose.lpLogFont = &font;
            choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
            return static_cast<int32_t>(ChooseFontA(&choose));
        },
        failure, runs);
}

} // namespace qvbench
