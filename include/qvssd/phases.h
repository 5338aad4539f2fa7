/* Where the time of opening a dialog goes, for benchmarks: QVSSD.dll keeps,
 * per process, the time its user-interface thread spent in each phase of its
 * dialogs' work (exclusive: a phase inside another counts only for itself).
 * Any window of a running dialog answers the registered message
 * QVSSD_PHASES_MESSAGE with the address of the totals; they only ever grow,
 * so a reader subtracts two readings. Read them while the dialog's thread is
 * idle. */
#ifndef QVSSD_PHASES_H
#define QVSSD_PHASES_H

#include <stdint.h>

#define QVSSD_PHASES_MESSAGE "QVSSD.PhaseTotals"

enum QVPhase {
    QV_PHASE_CREATION = 0,     /* sheet, dialog and page windows with their controls */
    QV_PHASE_STRINGS = 1,      /* relabelling and loading language strings */
    QV_PHASE_FONT_LIST = 2,    /* enumerating fonts and filling the font list */
    QV_PHASE_COLOURS = 3,      /* colour pickers, colour grids, images of buttons and popup bars */
    QV_PHASE_OWNER_DRAW = 4,   /* owner-drawn and custom-drawn list items */
    QV_PHASE_SAMPLES = 5,      /* samples and previews computed from the controls */
    QV_PHASE_PAINT = 6,        /* painting dispatched by the modal loop */
    QV_PHASE_PREVIEW_DATA = 7, /* splitting and measuring the data a preview shows */
    QV_PHASE_CHART_DATA = 8,   /* the chart component rebuilding a chart from its data */
    QV_PHASE_CHART_DRAW = 9,   /* the chart component drawing a chart: bitmaps and previews */
    QV_PHASE_COUNT = 10
};

struct QVPhaseTotals {
    uint32_t size;       /* sizeof(struct QVPhaseTotals) */
    uint32_t phaseCount; /* QV_PHASE_COUNT */
    int64_t frequency;   /* ticks per second */
    int64_t ticks[QV_PHASE_COUNT];
    uint32_t entries[QV_PHASE_COUNT];
};

#endif /* QVSSD_PHASES_H */
