// The invocation frame every export runs in: the library's module state for
// the call, no exception or fault of a dialog crossing the export, and the
// mapping of the modal result to the export's result.
#pragma once

#include "framework/library.h"
#include "framework/module.h"

#include <windows.h>

#include <cstdint>

#define QVSSD_EXPORT extern "C"

namespace qv::frame {

// How an export answers the modal result.
enum class ResultRule {
    OneOrZero,       // IDOK: copy-out, 1; otherwise 0
    OneOrMinusOne,   // IDOK: copy-out, 1; otherwise -1
    UnlessCancelled, // anything but IDCANCEL: copy-out, 1; IDCANCEL: 0
    WizardFinish,    // the wizard-finish code: copy-out, 1; otherwise 0
    ModalResult,     // the modal result itself; copy-out always
};

// The value an export gives when it cannot show its dialog (a NULL record,
// a dialog that could not be created, a fault inside it).
int32_t FailureResult(ResultRule rule);

// True when the modal result counts as accepted (the copy-out runs).
bool Accepted(ResultRule rule, INT_PTR modalResult);

// The export's result for a modal result.
int32_t ExportResult(ResultRule rule, INT_PTR modalResult);

// The library's state for the length of one export: its own module for
// templates and resources, the language settings loaded, common controls
// registered, and the sibling and resource libraries that the call opens
// kept loaded until it returns (each use still opens and frees its library).
// Restores the previous state at the end.
class ExportScope {
  public:
    ExportScope();
    ~ExportScope();
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

  private:
    fw::ResourceScope resources_;
    fw::LibraryHold libraries_;
};

// Runs `body` inside the frame; any exception ends as the failure result.
template <class Body> int32_t RunExport(ResultRule rule, Body body) noexcept {
    try {
        ExportScope scope;
        return body();
    } catch (...) {
        return FailureResult(rule);
    }
}

// The usual shape: construct, DoModal, copy-out when accepted.
template <class Dialog, class CopyOut>
int32_t RunDialog(ResultRule rule, Dialog& dialog, CopyOut copyOut) {
    INT_PTR result = dialog.DoModal();
    if (result == -1 && rule != ResultRule::UnlessCancelled && rule != ResultRule::ModalResult) {
        return FailureResult(rule);
    }
    if (Accepted(rule, result)) {
        copyOut();
    }
    return ExportResult(rule, result);
}

} // namespace qv::frame
