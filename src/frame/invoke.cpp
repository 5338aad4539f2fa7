#include "frame/invoke.h"

#include "frame/lang_settings.h"
#include "framework/module.h"

#include <commctrl.h>

namespace qv::frame {

int32_t FailureResult(ResultRule rule) {
    return rule == ResultRule::OneOrMinusOne ? -1 : 0;
}

bool Accepted(ResultRule rule, INT_PTR modalResult) {
    switch (rule) {
    case ResultRule::UnlessCancelled:
        return modalResult != IDCANCEL;
    case ResultRule::WizardFinish:
        return modalResult == 0x3025;
    case ResultRule::ModalResult:
        return true;
    default:
        return modalResult == IDOK;
    }
}

int32_t ExportResult(ResultRule rule, INT_PTR modalResult) {
    if (rule == ResultRule::ModalResult) {
        return static_cast<int32_t>(modalResult);
    }
    return Accepted(rule, modalResult) ? 1 : FailureResult(rule);
}

ExportScope::ExportScope() : resources_(fw::OwnModule()) {
    static const bool controlsReady = [] {
        INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)controlsReady;
    GetLangSettings();
}

ExportScope::~ExportScope() = default;

} // namespace qv::frame
