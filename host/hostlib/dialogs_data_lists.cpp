// The data-list dialogs the host can open: Custom AutoFilter, Top 10,
// Advanced Filter, Subtotal and Fill Series, over a small sales list.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

std::string Field(const char* field, size_t size) {
    return JsonString(std::string(field, strnlen(field, size)));
}

// The Region column's filter: "contains orth", the column's entries offered.
class CustomFilterCall : public DialogCall {
  public:
    CustomFilterCall() {
        record_.operator1 = 1;
        std::strcpy(record_.value1, "*orth*");
        record_.operator2 = 0;
        record_.orJoin = 1;
        record_.valueList = list_;
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowCustomFilterFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"operator1\":" + std::to_string(record_.operator1) +
               ",\"operator2\":" + std::to_string(record_.operator2) +
               ",\"or\":" + std::to_string(record_.orJoin) +
               ",\"value1\":" + Field(record_.value1, sizeof record_.value1) +
               ",\"value2\":" + Field(record_.value2, sizeof record_.value2) + "}";
    }

  private:
    char list_[64] = "(All)\n(Top 10...)\n(Custom...)\nEast\nNorth\nNorthwest\nSouth\n";
    CustomFilterRecord record_{};
};

class Top10Call : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowTop10FilterFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"top\":" + std::to_string(record_.top) +
               ",\"firstUnit\":" + std::to_string(record_.firstUnit) +
               ",\"count\":" + std::to_string(record_.count) + "}";
    }

  private:
    Top10FilterRecord record_{1, 1, 10};
};

class AdvancedFilterCall : public DialogCall {
  public:
    AdvancedFilterCall() {
        std::strcpy(record_.listRange, "A1:D20");
        std::strcpy(record_.criteria, "F1:G2");
        std::strcpy(record_.copyTo, "I1");
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowAdvancedFilterFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"inPlace\":" + std::to_string(record_.inPlace) +
               ",\"unique\":" + std::to_string(record_.unique) +
               ",\"copyTo\":" + Field(record_.copyTo, sizeof record_.copyTo) +
               ",\"listRange\":" + Field(record_.listRange, sizeof record_.listRange) +
               ",\"criteria\":" + Field(record_.criteria, sizeof record_.criteria) + "}";
    }

  private:
    AdvancedFilterRecord record_{};
};

// Subtotals of Sales and Units at each change of Region; the names in the
// menu language's data language.
class SubtotalCall : public DialogCall {
  public:
    SubtotalCall() {
        for (const char* name : {"Region", "Month", "Sales", "Units", "R&D cost"}) {
            QVStringArrayAdd(&record_.columnNames, name);
        }
        for (uint32_t position : {0u, 2u, 3u}) {
            QVUIntArrayAdd(&record_.selection, position);
        }
        record_.flags = 0x05; // replace, summary below, SUM
        record_.options = static_cast<uint8_t>(0x01 | MenuLanguage() << 1);
    }
    ~SubtotalCall() override {
        QVStringArrayRemoveAll(&record_.columnNames);
        QVUIntArrayRemoveAll(&record_.selection);
    }
    SubtotalCall(const SubtotalCall&) = delete;
    SubtotalCall& operator=(const SubtotalCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowSubtotalFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        std::string json = "{\"flags\":" + std::to_string(record_.flags) +
                           ",\"options\":" + std::to_string(record_.options) + ",\"selection\":[";
        for (int32_t i = 0; i < record_.selection.size; ++i) {
            if (i > 0) {
                json += ',';
            }
            json += std::to_string(QVUIntArrayGet(&record_.selection, i));
        }
        return json + "]}";
    }

  private:
    SubtotalRecord record_{};
};

class FillSeriesCall : public DialogCall {
  public:
    FillSeriesCall() {
        record_.seriesIn = 1;
        record_.step = 1.0f;
    }
    int32_t Invoke(FARPROC fn) override { return As<QVShowFillSeriesFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"seriesIn\":" + std::to_string(record_.seriesIn) +
               ",\"type\":" + std::to_string(record_.type) +
               ",\"dateUnit\":" + std::to_string(record_.dateUnit) +
               ",\"trend\":" + std::to_string(record_.trend) + ",\"step\":" + Number(record_.step) +
               ",\"stop\":" + Number(record_.stop) +
               ",\"stopGiven\":" + std::to_string(record_.stopGiven) + "}";
    }

  private:
    FillSeriesRecord record_{};
};

} // namespace

std::vector<DialogEntry> DataListDialogs() {
    return {
        {"customfilter", "QVShowCustomFilter", "Custom AutoFilter",
         [] { return std::make_unique<CustomFilterCall>(); }},
        {"top10", "QVShowTop10Filter", "Top 10 AutoFilter",
         [] { return std::make_unique<Top10Call>(); }},
        {"advancedfilter", "QVShowAdvancedFilter", "Advanced Filter",
         [] { return std::make_unique<AdvancedFilterCall>(); }},
        {"subtotal", "QVShowSubtotal", "Subtotal", [] { return std::make_unique<SubtotalCall>(); }},
        {"fillseries", "QVShowFillSeries", "Series",
         [] { return std::make_unique<FillSeriesCall>(); }},
    };
}

} // namespace qvhost::tables
