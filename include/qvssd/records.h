/* Parameter records of QVSSD.dll.
 *
 * Every record is allocated and owned by the host and stays valid for the
 * duration of the export call. Fields are listed in their binary order; each
 * sits at its natural alignment for the 32-bit Windows target (little-endian).
 * The layout checks at the end of this header hold the i686 layout fixed.
 *
 * Memory: the contents of QVString, QVStringArray, QVIntArray, QVTypedArray
 * and QVVector fields come from the shared process heap (QVAlloc/QVStrDup in
 * qvssd/types.h); whoever replaces or drops them frees them with QVFree.
 * Plain `char*` fields point into host buffers unless their comment says
 * otherwise.
 */
#ifndef QVSSD_RECORDS_H
#define QVSSD_RECORDS_H

#include "qvssd/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ==== host link ============================================================ */

/* Filled by the host's QVGetDlgLanguageInfo (QVSSAPI.dll) once at load time. */
typedef struct QVDlgLanguageInfo {
    uint8_t selector;      /* out: 0 face+size+name, 1 or 2 face+size, else none (init 255) */
    int16_t fontSize;      /* out: point size of the local-script font (init 0) */
    uint16_t reserved;     /* out: not read (init 0xFFFF) */
    QVString fontFace;     /* out: local font face; first three chars = language code */
    QVString languageName; /* out: display name of the local language */
    QVString thirdText;    /* out: not read */
} QVDlgLanguageInfo;

/* ==== Go To ================================================================ */

/* QVShowGoto. */
typedef struct QVGotoRecord {
    char* reference; /* out: the dialog's reference text, set just before WM_QV_GOTO */
    char** names;    /* in: entries offered in the list; NULL entries skipped */
    int32_t count;   /* in: number of entries in names */
} QVGotoRecord;

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* QVSSD_RECORDS_H */
