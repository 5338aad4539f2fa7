// Exports of Insert Function and the two database table dialogs.
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "workbook/database_tables.h"
#include "workbook/insert_function.h"
#include "qvcore/database_tables.h"

#include <cstring>
#include <limits>
#include <string>

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunExport;

namespace {

// Writes a table name into a host buffer that can take `capacity` bytes; a
// name that does not fit leaves the buffer empty rather than naming another
// table.
void WriteTableName(char* buffer, size_t capacity, const std::string& name) {
    const std::string host = qv::frame::ToHostText(name);
    if (host.size() < capacity && IsWritable(buffer, host.size() + 1)) {
        std::memcpy(buffer, host.c_str(), host.size() + 1);
    } else if (IsWritable(buffer, 1)) {
        buffer[0] = '\0';
    }
}

} // namespace

QVSSD_EXPORT int32_t __cdecl QVShowInsertFunction(QVInsertFunctionRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        // The OK handler writes the record; a cancel leaves it as it was.
        qv::workbook::CQVInsertFunctionDlg dialog(record);
        return dialog.DoModal() == IDOK ? 1 : 0;
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowSelectTable(char* buffer) {
    return RunExport(ResultRule::ModalResult, [&]() -> int32_t {
        if (!IsWritable(buffer, 1)) {
            return IDCANCEL;
        }
        // The host gives a buffer large enough for the table name it gets
        // back, whatever the length of the path it held; only memory that
        // cannot be written stops the copy.
        const std::string path = qv::frame::ReadHostText(buffer, qv::frame::kHostTextLimit);
        qv::workbook::CQVSelectTableDlg dialog(qv::frame::FromHostText(path));
        const INT_PTR result = dialog.DoModal();
        WriteTableName(buffer, std::numeric_limits<size_t>::max(), dialog.TableName());
        return static_cast<int32_t>(result);
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowDatabaseTable(char* buffer) {
    return RunExport(ResultRule::ModalResult, [&]() -> int32_t {
        if (!IsWritable(buffer, 1)) {
            return IDCANCEL;
        }
        qv::workbook::CQVDatabaseTableDlg dialog;
        const INT_PTR result = dialog.DoModal();
        WriteTableName(buffer, qv::core::kMaxTableName + 1, dialog.TableName());
        return static_cast<int32_t>(result);
    });
}
