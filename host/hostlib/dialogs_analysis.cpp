// The what-if and pivot table dialogs the host can open.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

std::string Field(const char* text, size_t size) {
    return JsonString(std::string(text, strnlen(text, size)));
}

std::string Strings(const QVStringArray& array) {
    std::string json = "[";
    for (int32_t i = 0; i < array.size; ++i) {
        json += i > 0 ? "," : "";
        json += JsonString(QVStringArrayGet(&array, i));
    }
    return json + "]";
}

// B4 = B2*B3 is to reach a target by changing B2.
class GoalSeekCall : public DialogCall {
  public:
    GoalSeekCall() {
        std::strcpy(record_.setCell, "B4");
        std::strcpy(record_.changingCell, "B2");
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowGoalSeekFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"setCell\":" + Field(record_.setCell, sizeof record_.setCell) +
               ",\"toValue\":" + Number(record_.toValue) +
               ",\"changingCell\":" + Field(record_.changingCell, sizeof record_.changingCell) +
               "}";
    }

  private:
    GoalSeekRecord record_{};
};

class GoalSeekStatusCall : public DialogCall {
  public:
    GoalSeekStatusCall() {
        std::strcpy(record_.cell, "B4");
        record_.status = 1;
        record_.targetValue = 10;
        record_.currentValue = 9.999;
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowGoalSeekStatusFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"cell\":" + Field(record_.cell, sizeof record_.cell) +
               ",\"status\":" + std::to_string(record_.status) +
               ",\"targetValue\":" + Number(record_.targetValue) +
               ",\"currentValue\":" + Number(record_.currentValue) + "}";
    }

  private:
    GoalSeekStatusRecord record_{};
};

class DataTableCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowDataTableFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"rowInput\":" + Field(record_.rowInput, sizeof record_.rowInput) +
               ",\"columnInput\":" + Field(record_.columnInput, sizeof record_.columnInput) + "}";
    }

  private:
    DataTableRecord record_{};
};

class PivotRangeCall : public DialogCall {
  public:
    PivotRangeCall() { std::strcpy(record_.inputRange, "A1:D20"); }
    int32_t Invoke(FARPROC fn) override { return As<QVShowPivotInoutRangeFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"inputRange\":" + Field(record_.inputRange, sizeof record_.inputRange) +
               ",\"outputRange\":" + Field(record_.outputRange, sizeof record_.outputRange) + "}";
    }

  private:
    PivotRangeRecord record_{};
};

// The Region field of a sales table, with West and Central hidden.
class PivotDropDownCall : public DialogCall {
  public:
    PivotDropDownCall() {
        for (const char* item : {"North", "South", "East", "West", "Central"}) {
            QVStringArrayAdd(&items_.allItems, item);
        }
        for (const char* item : {"North", "South", "East"}) {
            QVStringArrayAdd(&items_.shownItems, item);
        }
        record_.language = static_cast<uint32_t>(MenuLanguage());
        std::strcpy(record_.fieldName, "Region");
        record_.popupLeft = 120;
        record_.popupTop = 90;
        record_.fieldItems = &items_;
    }
    ~PivotDropDownCall() override {
        QVStringArrayRemoveAll(&items_.allItems);
        QVStringArrayRemoveAll(&items_.shownItems);
    }
    PivotDropDownCall(const PivotDropDownCall&) = delete;
    PivotDropDownCall& operator=(const PivotDropDownCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowPivotDropDownFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"fieldName\":" + Field(record_.fieldName, sizeof record_.fieldName) +
               ",\"allItems\":" + Strings(items_.allItems) +
               ",\"shownItems\":" + Strings(items_.shownItems) + "}";
    }

  private:
    QVPivotFieldItems items_{};
    PivotFieldRecord record_{};
};

class PivotFieldCall : public DialogCall {
  public:
    PivotFieldCall() {
        record_.language = static_cast<uint32_t>(MenuLanguage());
        std::strcpy(record_.fieldName, "Sales");
        record_.summaryFunction = 0;
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowPivotTableFieldFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"fieldName\":" + Field(record_.fieldName, sizeof record_.fieldName) +
               ",\"summaryFunction\":" + std::to_string(record_.summaryFunction) + "}";
    }

  private:
    PivotFieldRecord record_{};
};

template <class Call> std::function<std::unique_ptr<DialogCall>()> Make() {
    return [] { return std::make_unique<Call>(); };
}

} // namespace

std::vector<DialogEntry> AnalysisDialogs() {
    return {
        {"goalseek", "QVShowGoalSeek", "Goal Seek", Make<GoalSeekCall>()},
        {"goalstatus", "QVShowGoalSeekStatus", "Goal Seek Status", Make<GoalSeekStatusCall>()},
        {"datatable", "QVShowDataTable", "Data Table", Make<DataTableCall>()},
        {"pivotrange", "QVShowPivotInoutRange", "Pivot Table", Make<PivotRangeCall>()},
        {"pivotitems", "QVShowPivotDropDown", "Pivot field drop-down", Make<PivotDropDownCall>()},
        {"pivotfield", "QVShowPivotTableField", "Pivot Table Field", Make<PivotFieldCall>()},
    };
}

} // namespace qvhost::tables
