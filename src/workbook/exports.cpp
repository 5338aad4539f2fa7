// Exports of the workbook and sheet dialogs. Each checks what the host handed
// over, runs its dialog in the invocation frame and copies the result out.
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "workbook/small_dialogs.h"

using qv::frame::IsReadable;
using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowGoto(QVGotoRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::workbook::CQVGotoDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowViewZoom(int16_t* zoom, int16_t fitSelection) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(zoom, sizeof *zoom)) {
            return 0;
        }
        qv::workbook::CQVZoomDlg dialog(*zoom, fitSelection);
        return RunDialog(ResultRule::OneOrZero, dialog, [&] { *zoom = dialog.Zoom(); });
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowFormatHtWd(double* size, uint8_t mode) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(size, sizeof *size) || !qv::workbook::CQVFormatHtWdDlg::IsKnownMode(mode)) {
            return 0;
        }
        qv::workbook::CQVFormatHtWdDlg dialog(*size, mode);
        return RunDialog(ResultRule::OneOrZero, dialog, [&] { *size = dialog.Size(); });
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowInsertDelCells(uint8_t* flags) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(flags, sizeof *flags)) {
            return 0;
        }
        qv::workbook::CQVInsertDelCellsDlg dialog(*flags);
        return RunDialog(ResultRule::OneOrZero, dialog, [&] { *flags = dialog.Flags(); });
    });
}
