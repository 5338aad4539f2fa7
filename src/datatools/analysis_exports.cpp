// Exports of the what-if and pivot table dialogs. Each checks what the host
// handed over and runs its dialog in the invocation frame; the dialogs write
// their records themselves.
#include "datatools/data_table.h"
#include "datatools/goal_seek.h"
#include "datatools/goal_seek_status.h"
#include "datatools/pivot_drop_down.h"
#include "datatools/pivot_field.h"
#include "datatools/pivot_range.h"
#include "frame/host_data.h"
#include "frame/invoke.h"

using qv::frame::FailureResult;
using qv::frame::IsReadable;
using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowGoalSeek(GoalSeekRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::datatools::CQVGoalSeekDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowGoalSeekStatus(GoalSeekStatusRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsReadable(record, sizeof *record)) {
            return 0;
        }
        qv::datatools::CQVGoalSeekStatusDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowDataTable(DataTableRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::datatools::CQVDataTableDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowPivotInoutRange(PivotRangeRecord* record) {
    return RunExport(ResultRule::OneOrMinusOne, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return FailureResult(ResultRule::OneOrMinusOne);
        }
        qv::datatools::CQVPivotInoutRangeDlg dialog(record);
        return RunDialog(ResultRule::OneOrMinusOne, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowPivotDropDown(PivotFieldRecord* record) {
    return RunExport(ResultRule::OneOrMinusOne, [&]() -> int32_t {
        // Without the field's items there is nothing to tick.
        if (!IsReadable(record, sizeof *record) ||
            !IsWritable(record->fieldItems, sizeof *record->fieldItems)) {
            return FailureResult(ResultRule::OneOrMinusOne);
        }
        qv::datatools::CQVPivotDropDownDlg dialog(record, record->fieldItems);
        return RunDialog(ResultRule::OneOrMinusOne, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowPivotTableField(PivotFieldRecord* record) {
    return RunExport(ResultRule::OneOrMinusOne, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return FailureResult(ResultRule::OneOrMinusOne);
        }
        qv::datatools::CQVPivotTableFieldDlg dialog(record);
        return RunDialog(ResultRule::OneOrMinusOne, dialog, [] {});
    });
}
