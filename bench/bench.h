// Pieces the benchmark's parts share.
#pragma once

#include "qvhost/host.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qvbench {

// Median open-to-ready time in ms over `runs` calls; negative when a run failed.
double MedianOpenToReady(const std::function<int32_t()>& call, std::string* failure, int runs = 15);

// Insert Function's search over the whole catalogue and Select Table over a
// database of 5000 tables, as ratios to the font dialog measured in this run.
void FunctionTables(const qvhost::DialogLibrary& library, double fontDialogMs,
                    const std::string& userData);

} // namespace qvbench
