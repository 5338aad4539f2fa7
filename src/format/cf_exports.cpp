// The export of Conditional Formatting: the dialog edits the host's record
// while it is open; the result says whether the user confirmed.
#include "format/conditional_format.h"
#include "frame/host_data.h"
#include "frame/invoke.h"

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

QVSSD_EXPORT int32_t __cdecl QVShowConditionalFormatting(HWND notify,
                                                         ConditionalFormatRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::format::CQVConditionalFormat::CopyIn(record);
        qv::format::CQVConditionalFormat dialog(notify, record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}
