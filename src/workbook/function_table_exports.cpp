// Exports of Insert Function and the two database table dialogs.
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "workbook/database_tables.h"
#include "workbook/insert_function.h"
#include "qvcore/database_tables.h"

#include <cstring>
#include <string>

using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunExport;

namespace {

// The host's text as UTF-16, and UTF-16 as the host's text.
std::wstring FromHost(const std::string& text) {
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    }
    return wide;
}

std::string ToHost(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n,
                            nullptr, nullptr);
    }
    return narrow;
}

// Writes `text` into a host buffer that can take `capacity` bytes; a text
// that does not fit leaves the buffer empty rather than cut.
void WriteTableName(char* buffer, size_t capacity, const std::string& text) {
    if (text.size() < capacity && IsWritable(buffer, text.size() + 1)) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
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
        // The buffer held the path: the table name may use as many bytes.
        const std::string path = qv::frame::ReadHostText(buffer, qv::frame::kHostTextLimit);
        qv::workbook::CQVSelectTableDlg dialog(FromHost(path));
        const INT_PTR result = dialog.DoModal();
        WriteTableName(buffer, path.size() + 1, ToHost(dialog.TableName()));
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
