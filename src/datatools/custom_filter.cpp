#include "datatools/custom_filter.h"

#include "frame/host_data.h"
#include "frame/host_link.h"
#include "frame/localize.h"
#include "framework/controls.h"
#include "framework/sorted_fill.h"
#include "qvcore/filter_rules.h"
#include "resource.h"

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace qv::datatools {
namespace {

// The operator entries after the blank one: equals ... does not contain.
constexpr UINT kFirstOperatorString = 1425;

struct ConditionControls {
    int op;
    int value;
};
constexpr ConditionControls kConditions[] = {{IDC_CAF_OPERATOR1, IDC_CAF_VALUE1},
                                             {IDC_CAF_OPERATOR2, IDC_CAF_VALUE2}};

uint8_t StoredOperator(int selection) {
    return selection < 0 ? 255 : static_cast<uint8_t>(selection);
}

} // namespace

CQVCustomFilterDlg::CQVCustomFilterDlg(CustomFilterRecord* record)
    : Dialog(IDD_CUSTOM_FILTER), record_(record) {}

CQVCustomFilterDlg::~CQVCustomFilterDlg() {
    if (keyboardSwitched_) {
        frame::SetInputLanguage(false);
    }
}

bool CQVCustomFilterDlg::OnInitDialog() {
    static const int kControls[] = {
        IDC_CAF_SHOW_LABEL, IDC_CAF_HINT_ONE,  IDC_CAF_HINT_ANY,  IDC_CAF_AND, IDC_CAF_OR,
        IDC_CAF_COLUMN,     IDC_CAF_OPERATOR1, IDC_CAF_OPERATOR2, IDOK,        IDCANCEL};
    static const int kStrings[] = {
        1420, 1421, 1422, 1423, 1424, 0, 0, 0, frame::kStrCountedOK, frame::kStrCountedCancel};
    frame::RelabelCounted(hwnd(), frame::DialogStringsPath(frame::HostMenuLanguage()), kControls,
                          kStrings, static_cast<int>(std::size(kControls)), font_);
    for (const ConditionControls& condition : kConditions) {
        fw::Control(hwnd(), condition.value).SetFont(font_.get());
        fw::ComboBox(hwnd(), condition.value).Send(CB_LIMITTEXT, core::kFilterValueLimit, 0);
    }
    if (frame::IsLocalMenu()) {
        frame::SetInputLanguage(true);
        keyboardSwitched_ = true;
    }

    std::vector<UINT> ids;
    for (UINT i = 0; i + 1 < core::kFilterOperatorCount; ++i) {
        ids.push_back(kFirstOperatorString + i);
    }
    const std::vector<std::string> operators =
        frame::LoadLangStrings(ids, true, frame::HostMenuLanguage());
    for (const ConditionControls& condition : kConditions) {
        fw::ComboBox list(hwnd(), condition.op);
        list.Add("  ");
        for (const std::string& text : operators) {
            list.Add(text);
        }
    }
    fw::ComboBox(hwnd(), IDC_CAF_OPERATOR1).Select(core::kFilterEquals);
    CheckRadioButton(hwnd(), IDC_CAF_OR, IDC_CAF_AND,
                     record_->orJoin == 0 ? IDC_CAF_AND : IDC_CAF_OR);
    FillValueLists();
    OpenCondition(true);
    OpenCondition(false);
    FocusItem(IDC_CAF_VALUE1);
    return false;
}

void CQVCustomFilterDlg::FillValueLists() {
    const std::string list = frame::ReadHostTextShown(record_->valueList, kValueListLimit);
    const std::vector<std::string_view> entries = core::ValueListEntries(list);
    if (entries.empty()) {
        return;
    }
    // Both lists sort alike: one sort serves the two.
    const std::vector<size_t> order =
        fw::ListSortOrder(fw::ListLocale(Item(IDC_CAF_VALUE1)), entries);
    for (const ConditionControls& condition : kConditions) {
        fw::AppendInOrder(Item(condition.value), entries, order);
    }
}

void CQVCustomFilterDlg::OpenCondition(bool first) {
    const ConditionControls& controls = kConditions[first ? 0 : 1];
    const char* field = first ? record_->value1 : record_->value2;
    const core::OpenedCondition opened =
        core::OpenCondition(first ? record_->operator1 : record_->operator2,
                            frame::ReadHostTextShown(field, sizeof record_->value1 - 1), first);
    fw::ComboBox(hwnd(), controls.op).Select(opened.op);
    SetItemText(controls.value, opened.value);
}

void CQVCustomFilterDlg::OnOK() {
    record_->operator1 = StoredOperator(fw::ComboBox(hwnd(), IDC_CAF_OPERATOR1).Selection());
    record_->operator2 = StoredOperator(fw::ComboBox(hwnd(), IDC_CAF_OPERATOR2).Selection());
    frame::WriteHostText(record_->value1, sizeof record_->value1, ItemText(IDC_CAF_VALUE1));
    frame::WriteHostText(record_->value2, sizeof record_->value2, ItemText(IDC_CAF_VALUE2));
    record_->orJoin = IsChecked(IDC_CAF_AND) ? 0 : 1;
    EndDialog(IDOK);
}

} // namespace qv::datatools
