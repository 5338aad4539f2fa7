/* The exported entry points of QVSSD.dll (C linkage, C calling convention).
 * A host loads the library with LoadLibrary and finds each export by name;
 * the pointer types below are the signatures. Records: qvssd/records.h. */
#ifndef QVSSD_EXPORTS_H
#define QVSSD_EXPORTS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Results: 1 accepted, 0 cancelled (-1 for the exports that say so). */
typedef int32_t(__cdecl* QVShowGotoFn)(void* gotoRecord);
typedef int32_t(__cdecl* QVShowViewZoomFn)(int16_t* zoom, int16_t fitSelection);
typedef int32_t(__cdecl* QVShowFormatHtWdFn)(double* size, uint8_t mode);
typedef int32_t(__cdecl* QVShowInsertDelCellsFn)(uint8_t* flags);

#ifdef __cplusplus
}
#endif

#endif /* QVSSD_EXPORTS_H */
