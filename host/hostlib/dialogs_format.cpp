// The cell-format dialogs the host can open.
#include "dialog_tables.h"

namespace qvhost::tables {

std::vector<DialogEntry> FormatDialogs() {
    return {};
}

} // namespace qvhost::tables
