// Exports of the cell-format dialogs. Each checks what the host handed over,
// runs its sheet in the invocation frame and copies the result out.
#include "format/format_cells.h"
#include "frame/host_data.h"
#include "frame/invoke.h"

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowFormatCells(HWND notify, CellFormatRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::format::CQVFormatCells sheet(notify, record->sheetMode);
        sheet.CopyIn(record);
        const INT_PTR result = sheet.Run();
        if (qv::frame::Accepted(ResultRule::OneOrZero, result)) {
            sheet.CopyOut();
        }
        return qv::frame::ExportResult(ResultRule::OneOrZero, result);
    });
}
