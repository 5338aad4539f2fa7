/* The record header compiled as C11. */
#include "qvssd/records.h"

#include <stdalign.h>
#include <stddef.h>

#if !defined(_WIN64)
/* Alignment of the records that hold a double or only bytes: a host that
 * embeds them in its own structures relies on these. */
_Static_assert(alignof(GoalSeekRecord) == 8, "GoalSeekRecord aligns like its double");
_Static_assert(alignof(GoalSeekStatusRecord) == 8, "GoalSeekStatusRecord aligns like its double");
_Static_assert(alignof(AdvancedFilterRecord) == 1, "AdvancedFilterRecord is bytes only");
_Static_assert(alignof(QVPasteSpecialRecord) == 1, "QVPasteSpecialRecord is bytes only");
_Static_assert(alignof(QVInsertFunctionRecord) == 1, "QVInsertFunctionRecord is bytes only");
_Static_assert(alignof(PRINTDLGA) == 1, "PRINTDLGA is byte-packed on i686");
_Static_assert(alignof(SheetOptionsBlock) == 2, "SheetOptionsBlock aligns to 16 bits");
#endif

/* Element strides the array helpers use. */
_Static_assert(sizeof(((ConditionalFormatRecord*)0)->conditions) == 3 * sizeof(Condition),
               "three conditions without padding");
_Static_assert(sizeof(BorderLineList) == sizeof(QVVector), "the border list is a vector");

/* Every record is usable from C: a zeroed instance of each. */
size_t qvssd_layout_check_c(void) {
    QVDlgLanguageInfo language = {0};
    CellFormatRecord format = {0};
    ConditionalFormatRecord conditions = {0};
    PageSetupRecord pageSetup = {0};
    PrintRecord print = {0};
    DataSortRecord sort = {0};
    CustomFilterRecord customFilter = {0};
    Top10FilterRecord top10 = {0};
    AdvancedFilterRecord advancedFilter = {0};
    SubtotalRecord subtotal = {0};
    FillSeriesRecord fillSeries = {0};
    GoalSeekRecord goalSeek = {0};
    GoalSeekStatusRecord goalSeekStatus = {0};
    DataTableRecord dataTable = {0};
    PivotRangeRecord pivotRange = {0};
    PivotFieldRecord pivotField = {0};
    TextToColumnRecord textToColumn = {0};
    NameDefineRecord nameDefine = {0};
    NameCreateRecord nameCreate = 0;
    NameApplyRecord nameApply = {0};
    NamePasteRecord namePaste = {0};
    LabelRangesRecord labelRanges = {0};
    ChartWizardRecord chartWizard = {0};
    ChartFormatRecord chartFormat = {0};
    QVOptionsRecord options = {0};
    QVInsertFunctionRecord insertFunction = {0};
    QVPasteSpecialRecord pasteSpecial = {0};
    QVHyperLinkRecord hyperLink = {0};
    QVTemplateRecord templates = {0};
    QVGotoRecord gotoRecord = {0};
    QVMoveOrCopyRecord moveOrCopy = {0};
    return sizeof language + sizeof format + sizeof conditions + sizeof pageSetup + sizeof print +
           sizeof sort + sizeof customFilter + sizeof top10 + sizeof advancedFilter +
           sizeof subtotal + sizeof fillSeries + sizeof goalSeek + sizeof goalSeekStatus +
           sizeof dataTable + sizeof pivotRange + sizeof pivotField + sizeof textToColumn +
           sizeof nameDefine + sizeof nameCreate + sizeof nameApply + sizeof namePaste +
           sizeof labelRanges + sizeof chartWizard + sizeof chartFormat + sizeof options +
           sizeof insertFunction + sizeof pasteSpecial + sizeof hyperLink + sizeof templates +
           sizeof gotoRecord + sizeof moveOrCopy;
}
