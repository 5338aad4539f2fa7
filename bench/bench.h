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

} // namespace qvbench
