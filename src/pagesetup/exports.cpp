// Exports of Page Setup and Print. Each checks what the host handed over, runs
// its sheet or dialog in the invocation frame and copies the result out.
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "pagesetup/page_setup.h"
#include "pagesetup/print_dialog.h"

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowPageSetup(PageSetupRecord* record) {
    return RunExport(ResultRule::UnlessCancelled, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::pagesetup::CQVPageSetup sheet;
        sheet.CopyIn(*record);
        const INT_PTR result = sheet.Run();
        if (qv::frame::Accepted(ResultRule::UnlessCancelled, result)) {
            sheet.CopyOut(*record);
        }
        return qv::frame::ExportResult(ResultRule::UnlessCancelled, result);
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowFilePrint(PrintRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::pagesetup::CQVPrintDialog dialog(record);
        if (dialog.DoModal() != IDOK) {
            return 0;
        }
        if (dialog.Preview()) {
            return 2;
        }
        dialog.CopyOut();
        return 1;
    });
}
