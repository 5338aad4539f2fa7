// Exports of the chart dialogs. Each checks what the host handed over, runs
// its sheet in the invocation frame and copies the result out.
#include "charts/chart_wizard.h"
#include "charts/format_chart.h"
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "frame/msgbox.h"

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowChart(ChartWizardRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        // No chart to work on (the host could not make one, for example
        // without the chart component): say so rather than show an empty wizard.
        if (!qv::charts::IsUsableChart(record->chart)) {
            qv::frame::QVMsgBox(1298, qv::frame::kOneButton);
            return 0;
        }
        qv::charts::CQVChart sheet(record, static_cast<CQVChartWrapperCtrl*>(record->chart));
        // The pages work on the record and the chart while they run.
        return RunDialog(ResultRule::OneOrZero, sheet, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowChartFormat(ChartFormatRecord* record, int32_t chartType,
                                               int32_t variant) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::charts::CQVChartFormatSheet sheet(record, chartType, variant);
        return RunDialog(ResultRule::OneOrZero, sheet, [&] { sheet.CopyOut(); });
    });
}
