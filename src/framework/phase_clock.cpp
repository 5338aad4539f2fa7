#include "framework/phase_clock.h"

namespace qv::fw {
namespace {

QVPhaseTotals& Totals() {
    static QVPhaseTotals totals = [] {
        QVPhaseTotals t{};
        t.size = sizeof t;
        t.phaseCount = QV_PHASE_COUNT;
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        t.frequency = frequency.QuadPart;
        return t;
    }();
    return totals;
}

int64_t Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The innermost running clock of this thread (a plain pointer: a
// thread-local object with a destructor would pin the library).
thread_local PhaseClock* t_running = nullptr;

} // namespace

PhaseClock::PhaseClock(QVPhase phase) : phase_(phase), outer_(t_running), start_(Now()) {
    t_running = this;
    ++Totals().entries[phase_];
}

PhaseClock::~PhaseClock() {
    const int64_t now = Now();
    QVPhaseTotals& totals = Totals();
    totals.ticks[phase_] += now - start_;
    t_running = outer_;
    if (outer_ != nullptr) {
        // The outer phase ran on until this one began: count that part, then
        // let it go on from here.
        totals.ticks[outer_->phase_] -= now - start_;
    }
}

UINT PhaseTotalsMessage() {
    static const UINT message = RegisterWindowMessageA(QVSSD_PHASES_MESSAGE);
    return message;
}

const QVPhaseTotals* PhaseTotals() {
    return &Totals();
}

} // namespace qv::fw
