/* The exported entry points of QVSSD.dll (C linkage, C calling convention).
 * A host loads the library with LoadLibrary and finds each export by name;
 * the pointer types below are the signatures. Records: qvssd/records.h.
 *
 * Results: 1 accepted, 0 cancelled; -1 cancelled for Custom Filter, Top 10,
 * Advanced Filter, Pivot dialogs, Password, Subtotal and the clipboard-format
 * Paste Special; 2 for Print "Preview" and Paste Name "Paste List"; the raw
 * modal result (1 OK, 2 Cancel) for Database Table, Select Table and Unhide.
 * A NULL or unwritable record shows nothing and gives the cancel result. */
#ifndef QVSSD_EXPORTS_H
#define QVSSD_EXPORTS_H

#include <stdint.h>

#include "qvssd/records.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t(__cdecl* QVShowOptionsFn)(QVOptionsRecord* record);
typedef int32_t(__cdecl* QVShowTemplateFn)(QVTemplateRecord* record);
typedef int32_t(__cdecl* QVShowGotoFn)(QVGotoRecord* record);
typedef int32_t(__cdecl* QVShowChartFn)(ChartWizardRecord* record);
typedef int32_t(__cdecl* QVShowChartFormatFn)(ChartFormatRecord* record, int32_t chartType,
                                              int32_t variant);
typedef int32_t(__cdecl* QVShowPasteSpecialFn)(QVPasteSpecialRecord* record);
typedef int32_t(__cdecl* QVShowPageSetupFn)(PageSetupRecord* record);
typedef int32_t(__cdecl* QVShowFilePrintFn)(PrintRecord* record);
typedef int32_t(__cdecl* QVShowFillSeriesFn)(FillSeriesRecord* record);
typedef int32_t(__cdecl* QVShowViewZoomFn)(int16_t* zoom, int16_t fitSelection);
typedef int32_t(__cdecl* QVShowInsertDelCellsFn)(uint8_t* flags);
typedef int32_t(__cdecl* QVShowInsertFunctionFn)(QVInsertFunctionRecord* record);
typedef int32_t(__cdecl* QVShowNameDefineFn)(NameDefineRecord* record);
typedef int32_t(__cdecl* QVShowNamePasteFn)(NamePasteRecord* record);
typedef int32_t(__cdecl* QVShowNameCreateFn)(NameCreateRecord* flags);
typedef int32_t(__cdecl* QVShowNameApplyFn)(NameApplyRecord* record);
typedef int32_t(__cdecl* QVShowNameLabelFn)(LabelRangesRecord* record);
typedef int32_t(__cdecl* QVShowNameRepetitionLabelFn)(const char* label, char* output);
typedef int32_t(__cdecl* QVShowFormatCellsFn)(HWND notify, CellFormatRecord* record);
typedef int32_t(__cdecl* QVShowFormatHtWdFn)(double* size, uint8_t mode);
typedef int32_t(__cdecl* QVShowMoveOrCopyFn)(QVMoveOrCopyRecord* record);
typedef int32_t(__cdecl* QVShowDatabaseTableFn)(char* table);
typedef int32_t(__cdecl* QVShowSelectTableFn)(char* buffer);
typedef int32_t(__cdecl* QVShowHyperLinkFn)(QVHyperLinkRecord* record);
typedef int32_t(__cdecl* QVShowConditionalFormattingFn)(HWND notify,
                                                        ConditionalFormatRecord* record);
typedef int32_t(__cdecl* QVShowDataSortFn)(DataSortRecord* record);
typedef int32_t(__cdecl* QVShowCustomFilterFn)(CustomFilterRecord* record);
typedef int32_t(__cdecl* QVShowTextToColumnFn)(TextToColumnRecord* record);
typedef int32_t(__cdecl* QVShowGoalSeekFn)(GoalSeekRecord* record);
typedef int32_t(__cdecl* QVShowGoalSeekStatusFn)(GoalSeekStatusRecord* record);
typedef int32_t(__cdecl* QVShowTop10FilterFn)(Top10FilterRecord* record);
typedef int32_t(__cdecl* QVShowUnhideSheetFn)(char* buffer);
typedef int32_t(__cdecl* QVShowDataTableFn)(DataTableRecord* record);
typedef int32_t(__cdecl* QVShowAdvancedFilterFn)(AdvancedFilterRecord* record);
typedef int32_t(__cdecl* QVShowPivotInoutRangeFn)(PivotRangeRecord* record);
typedef int32_t(__cdecl* QVShowPivotDropDownFn)(PivotFieldRecord* record);
typedef int32_t(__cdecl* QVShowPivotTableFieldFn)(PivotFieldRecord* record);
typedef int32_t(__cdecl* QVShowPasswordFn)(const char* workbookPath, char* password);
typedef void(__cdecl* QVShowErrorDetailsFn)(const char* text);
typedef int32_t(__cdecl* QVShowSubtotalFn)(SubtotalRecord* record);
typedef int32_t(__cdecl* QVShowExtPasteSpecialFn)(int32_t mode, uint32_t* choice);

#ifdef __cplusplus
}
#endif

#endif /* QVSSD_EXPORTS_H */
