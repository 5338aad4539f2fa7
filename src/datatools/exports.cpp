// Exports of the data-tools dialogs. Each checks what the host handed over,
// runs its dialog in the invocation frame and copies the result out.
#include "datatools/sort.h"
#include "datatools/text_to_columns.h"
#include "frame/host_data.h"
#include "frame/invoke.h"

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowTextToColumn(TextToColumnRecord* record) {
    return RunExport(ResultRule::WizardFinish, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        // The sheet writes into the record while it runs.
        qv::datatools::CQVTextToColSheet sheet(record);
        return RunDialog(ResultRule::WizardFinish, sheet, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowDataSort(DataSortRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        // The dialog writes into the record while it runs and on OK.
        qv::datatools::CQVDataSortDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}
