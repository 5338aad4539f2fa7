// Pieces the benchmark's parts share.
#pragma once

#include "open_to_ready.h"
#include "qvhost/host.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qvbench {

// Insert Function's search over the whole catalogue and Select Table over a
// database of 5000 tables, as ratios to the font dialog measured in this run.
void FunctionTables(const qvhost::DialogLibrary& library, double fontDialogMs,
                    const std::string& userData);

// Page Setup and Print beside PrintDlgA and beside the same windows with
// nothing of the library's behind them, in alternating runs (ms and ratios to
// PrintDlgA).
void PrintPlatformPart(HWND owner, const qvhost::DialogLibrary& library, int runs);

} // namespace qvbench
