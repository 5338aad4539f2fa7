// Pieces shared by the dialog tables of the subsystems: each subsystem lists
// its dialogs in a dialogs_<area>.cpp of its own.
#pragma once

#include "qvhost/host.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qvhost::tables {

template <class F> F As(FARPROC fn) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(fn));
}

inline std::string Number(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.17g", value);
    return buffer;
}

std::vector<DialogEntry> WorkbookDialogs();
std::vector<DialogEntry> FormatDialogs();
std::vector<DialogEntry> DataToolsDialogs();
std::vector<DialogEntry> NameDialogs();
std::vector<DialogEntry> ChartDialogs();
std::vector<DialogEntry> DataListDialogs();
std::vector<DialogEntry> AnalysisDialogs();
std::vector<DialogEntry> FunctionDialogs();
std::vector<DialogEntry> PageSetupDialogs();

} // namespace qvhost::tables
