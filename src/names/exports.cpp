// Exports of the name dialogs. Each checks what the host handed over, runs
// its dialog in the invocation frame and copies the result out.
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "names/define_name.h"
#include "names/label_ranges.h"
#include "names/name_choices.h"
#include "qvssd/exports.h"

#include <cstring>
#include <string>

using qv::frame::IsReadable;
using qv::frame::IsWritable;
using qv::frame::ResultRule;
using qv::frame::RunDialog;
using qv::frame::RunExport;

namespace {

// The most Identify Label writes into the caller's buffer: a reference of
// kReferenceLimit characters and its terminator. Within that, it writes only
// as far as the buffer's memory can be written.
constexpr size_t kCellBufferLimit = qv::names::kReferenceLimit + 1;

// Copies `text` with its terminator when all of it fits in writable memory
// at `buffer`; otherwise writes an empty text, so that the host never sees
// a cut reference.
void CopyCell(const std::string& cell, char* buffer) {
    const std::string text = qv::frame::ToHostText(cell);
    const size_t length = text.size() < kCellBufferLimit ? text.size() : kCellBufferLimit - 1;
    if (IsWritable(buffer, length + 1)) {
        std::memcpy(buffer, text.data(), length);
        buffer[length] = '\0';
    } else {
        buffer[0] = '\0';
    }
}

} // namespace

QVSSD_EXPORT int32_t __cdecl QVShowNameDefine(NameDefineRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record) || record->names == nullptr ||
            !IsWritable(record->names, sizeof *record->names)) {
            return 0;
        }
        qv::names::CQVNameDefineDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowNameCreate(NameCreateRecord* flags) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(flags, sizeof *flags)) {
            return 0;
        }
        qv::names::CQVNameCreateDlg dialog(*flags);
        return RunDialog(ResultRule::OneOrZero, dialog, [&] { *flags = dialog.Flags(); });
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowNameApply(NameApplyRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record) || record->names == nullptr ||
            !IsReadable(record->names, sizeof *record->names)) {
            return 0;
        }
        qv::names::CQVNameApplyDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowNamePaste(NamePasteRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::names::CQVNamePasteDlg dialog(record);
        const int32_t result = RunDialog(ResultRule::OneOrZero, dialog, [] {});
        if (result == 1 && (record->flags & qv::names::CQVNamePasteDlg::kPasteList) != 0) {
            return 2;
        }
        return result;
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowNameLabel(LabelRangesRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::names::CQVNameLabelDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowNameRepetitionLabel(const char* label, char* cell) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(cell, 1)) {
            return 0;
        }
        qv::names::CQVNameRepetitionLabelDlg dialog(
            qv::frame::ReadHostTextShown(label, qv::frame::kHostTextLimit));
        return RunDialog(ResultRule::OneOrZero, dialog, [&] { CopyCell(dialog.Cell(), cell); });
    });
}
