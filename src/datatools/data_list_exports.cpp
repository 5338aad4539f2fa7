// Exports of the data-list dialogs: Custom AutoFilter, Top 10 AutoFilter,
// Advanced Filter, Subtotal and Fill Series. Each edits the host's record in
// place; the export only checks that the record can be written.
#include "datatools/advanced_filter.h"
#include "datatools/custom_filter.h"
#include "datatools/fill_series.h"
#include "datatools/subtotal.h"
#include "datatools/top10_filter.h"
#include "frame/host_data.h"
#include "frame/invoke.h"

using qv::frame::FailureResult;
using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

namespace {

// Shows `Dialog` over a record the host can have written back; a record that
// cannot be written shows nothing.
template <class Dialog, class Record> int32_t ShowOver(ResultRule rule, Record* record) {
    return RunExport(rule, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return FailureResult(rule);
        }
        Dialog dialog(record);
        return RunDialog(rule, dialog, [] {});
    });
}

} // namespace

QVSSD_EXPORT int32_t __cdecl QVShowCustomFilter(CustomFilterRecord* record) {
    return ShowOver<qv::datatools::CQVCustomFilterDlg>(ResultRule::OneOrMinusOne, record);
}

QVSSD_EXPORT int32_t __cdecl QVShowTop10Filter(Top10FilterRecord* record) {
    return ShowOver<qv::datatools::CQVTop10FilterDlg>(ResultRule::OneOrMinusOne, record);
}

QVSSD_EXPORT int32_t __cdecl QVShowAdvancedFilter(AdvancedFilterRecord* record) {
    return ShowOver<qv::datatools::CQVAdvancedFilterDlg>(ResultRule::OneOrMinusOne, record);
}

QVSSD_EXPORT int32_t __cdecl QVShowSubtotal(SubtotalRecord* record) {
    return ShowOver<qv::datatools::CQVSubtotalDlg>(ResultRule::OneOrMinusOne, record);
}

QVSSD_EXPORT int32_t __cdecl QVShowFillSeries(FillSeriesRecord* record) {
    return ShowOver<qv::datatools::CQVFillSeriesDlg>(ResultRule::OneOrZero, record);
}
