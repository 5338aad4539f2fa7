// Where the time of a dialog's work goes: a scope that counts its time to one
// phase of the process-wide totals (qvssd/phases.h). Phases nest; the time of
// an inner phase counts for it alone, the outer one pauses meanwhile.
#pragma once

#include "qvssd/phases.h"

#include <windows.h>

namespace qv::fw {

class PhaseClock {
  public:
    explicit PhaseClock(QVPhase phase);
    ~PhaseClock();
    PhaseClock(const PhaseClock&) = delete;
    PhaseClock& operator=(const PhaseClock&) = delete;

  private:
    QVPhase phase_;
    PhaseClock* outer_;
    int64_t start_;
};

// The registered message that the framework's windows answer with the
// address of the totals.
UINT PhaseTotalsMessage();
const QVPhaseTotals* PhaseTotals();

} // namespace qv::fw
