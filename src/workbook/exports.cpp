// Exports of the workbook and sheet dialogs. Each checks what the host handed
// over, runs its dialog in the invocation frame and copies the result out.
#include "frame/host_data.h"
#include "frame/invoke.h"
#include "workbook/small_dialogs.h"
#include "workbook/hyperlink.h"
#include "workbook/options.h"
#include "workbook/paste_dialogs.h"
#include "workbook/sheet_dialogs.h"
#include "workbook/templates.h"

#include <cstring>

using qv::frame::IsReadable;
using qv::frame::IsWritable;
using qv::frame::ReadHostText;
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

QVSSD_EXPORT int32_t __cdecl QVShowPasteSpecial(QVPasteSpecialRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::workbook::CQVPasteSpecialDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowExtPasteSpecial(int32_t mode, uint32_t* choice) {
    return RunExport(ResultRule::OneOrMinusOne, [&]() -> int32_t {
        if (!IsWritable(choice, sizeof *choice)) {
            return -1;
        }
        qv::workbook::CQVExtPasteSpecialDlg dialog(mode);
        if (dialog.DoModal() == IDOK) {
            *choice = static_cast<uint32_t>(dialog.Result());
            return 1;
        }
        *choice = 0;
        return -1;
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowHyperLink(QVHyperLinkRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::workbook::CQVHyperLinkDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [&] { dialog.CopyOut(); });
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowTemplate(QVTemplateRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::workbook::CQVGeneralTemplatePSheet sheet(record->page, record->view);
        const INT_PTR result = sheet.DoModal();
        if (result == -1) {
            return 0;
        }
        // The page and the view are kept whether the user accepted or not.
        record->page = sheet.Page();
        record->view = sheet.View();
        if (result != IDOK) {
            return 0;
        }
        const std::string& path = sheet.ChosenPath();
        std::memset(record->path, 0, sizeof record->path);
        std::memcpy(record->path, path.data(),
                    path.size() < sizeof record->path ? path.size() : sizeof record->path - 1);
        return 1;
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowMoveOrCopy(QVMoveOrCopyRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        qv::workbook::CQVMoveOrCopyDlg dialog(record);
        return RunDialog(ResultRule::OneOrZero, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowUnhideSheet(char* buffer) {
    return RunExport(ResultRule::ModalResult, [&]() -> int32_t {
        if (!IsWritable(buffer, 1)) {
            return IDCANCEL; // nothing to list and nowhere to answer: as if cancelled
        }
        qv::workbook::CQVUnhideSheetDlg dialog(buffer);
        return RunDialog(ResultRule::ModalResult, dialog, [] {});
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowPassword(const char* workbookPath, char* password) {
    return RunExport(ResultRule::OneOrMinusOne, [&]() -> int32_t {
        if (!IsWritable(password, 1)) {
            return -1;
        }
        qv::workbook::CQVPasswordDlg dialog(workbookPath);
        return RunDialog(ResultRule::OneOrMinusOne, dialog, [&] {
            const std::string typed = qv::frame::ToHostText(dialog.Password());
            // The box takes at most kMaxPassword characters; a buffer that
            // cannot take them all gets an empty password.
            if (IsWritable(password, typed.size() + 1)) {
                std::memcpy(password, typed.c_str(), typed.size() + 1);
            } else {
                password[0] = '\0';
            }
        });
    });
}

QVSSD_EXPORT void __cdecl QVShowErrorDetails(const char* text) {
    if (text == nullptr) {
        return;
    }
    RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        qv::workbook::CQVErrorDetailsDlg dialog(
            qv::frame::ReadHostTextShown(text, qv::frame::kHostTextLimit));
        dialog.DoModal();
        return 0;
    });
}

QVSSD_EXPORT int32_t __cdecl QVShowOptions(QVOptionsRecord* record) {
    return RunExport(ResultRule::OneOrZero, [&]() -> int32_t {
        if (!IsWritable(record, sizeof *record)) {
            return 0;
        }
        // The sheet writes the record on OK, and the active page on any close.
        qv::workbook::CQVSSOptionsSheet sheet(record);
        return sheet.Run() == IDOK ? 1 : 0;
    });
}
