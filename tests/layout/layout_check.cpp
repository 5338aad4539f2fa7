// The record header compiled as C++20: the records must stay trivial,
// standard-layout C structs so that host and library can share them by address
// and zero them with memset.
#include "qvssd/records.h"

#include <type_traits>

namespace {

template <typename... Records> constexpr bool allPlainC() {
    return ((std::is_trivially_copyable_v<Records> && std::is_standard_layout_v<Records> &&
             std::is_trivially_default_constructible_v<Records>)&&...);
}

static_assert(
    allPlainC<QVDlgLanguageInfo, NumberFormatBlock, AlignmentBlock, FontBlock, BorderLine,
              PatternBlock, CellFormatRecord, ConditionFormat, Condition, ConditionalFormatRecord,
              PageOptions, MarginsBlock, HeaderFooterSections, HeaderFooterBlock, SheetOptionsBlock,
              PageSetupRecord, PrintRecord, DataSortRecord, CustomFilterRecord, Top10FilterRecord,
              AdvancedFilterRecord, SubtotalRecord, FillSeriesRecord, GoalSeekRecord,
              GoalSeekStatusRecord, DataTableRecord, PivotRangeRecord, QVPivotFieldItems,
              PivotFieldRecord, TextToColumnRecord, NameDefineRecord, NameApplyRecord,
              NamePasteRecord, LabelRangesRecord, ChartWizardRecord, QVChartAxisScale,
              ChartFormatRecord, QVOptionsRecord, QVInsertFunctionRecord, QVPasteSpecialRecord,
              QVHyperLinkRecord, QVTemplateRecord, QVGotoRecord, QVMoveOrCopyRecord>(),
    "records are plain C structs");

// Signedness the host relies on.
static_assert(std::is_signed_v<decltype(QVDlgLanguageInfo::fontSize)>);
static_assert(std::is_signed_v<decltype(FontBlock::size)>);
static_assert(std::is_signed_v<decltype(AlignmentBlock::orientation)>);
static_assert(std::is_signed_v<decltype(PatternBlock::patternStyle)>);
static_assert(std::is_signed_v<decltype(DataSortRecord::key1)>);
static_assert(std::is_unsigned_v<decltype(DataSortRecord::customOrder)>);
static_assert(std::is_signed_v<decltype(PrintRecord::fromPage)>);
static_assert(std::is_signed_v<decltype(NameDefineRecord::nameLanguage)>);
static_assert(std::is_signed_v<decltype(ChartWizardRecord::mode)>);
static_assert(std::is_signed_v<decltype(PivotFieldRecord::popupLeft)>);
static_assert(std::is_same_v<decltype(GoalSeekRecord::toValue), double>);
static_assert(std::is_same_v<decltype(MarginsBlock::top), float>);
static_assert(std::is_same_v<decltype(FillSeriesRecord::step), float>);

} // namespace

extern "C" unsigned qvssd_layout_check_cxx() {
    return static_cast<unsigned>(sizeof(CellFormatRecord) + sizeof(PageSetupRecord));
}
