// Pieces shared by the dialog tables of the subsystems: each subsystem lists
// its dialogs in a dialogs_<area>.cpp of its own.
#pragma once

#include "qvhost/host.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace qvhost::tables {

template <class F> F As(FARPROC fn) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(fn));
}

// A record's fixed text field, filled and bounded.
template <size_t N> void Put(char (&field)[N], const char* text) {
    std::strncpy(field, text, N - 1);
    field[N - 1] = '\0';
}

// A record's fixed text field as far as its terminator or its end.
template <size_t N> std::string Text(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
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
