// The data-tools dialogs the host can open.
#include "dialog_tables.h"

namespace qvhost::tables {

std::vector<DialogEntry> DataToolsDialogs() {
    return {};
}

} // namespace qvhost::tables
