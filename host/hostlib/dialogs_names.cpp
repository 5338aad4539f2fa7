// The name dialogs the host can open.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

std::string StringsJson(const QVStringArray* array) {
    std::string json = "[";
    for (int32_t i = 0; array != nullptr && i < array->size; ++i) {
        if (i > 0) {
            json += ',';
        }
        json += JsonString(QVStringArrayGet(array, i));
    }
    return json + "]";
}

std::string NumbersJson(const QVUIntArray* array) {
    if (array == nullptr) {
        return "null";
    }
    std::string json = "[";
    for (int32_t i = 0; i < array->size; ++i) {
        if (i > 0) {
            json += ',';
        }
        json += std::to_string(QVUIntArrayGet(array, i));
    }
    return json + "]";
}

std::string FixedJson(const char* text, size_t size) {
    return JsonString(std::string(text, strnlen(text, size)));
}

// "Tax" in the local script as the host stores it: ISCII's KA and RA.
constexpr char kLocalTax[] = "\xB3\xCF";

// A workbook's names: sheet names, a constant and a name in the local script.
void AddSampleNames(QVStringArray& names, QVUIntArray& languages) {
    const struct {
        const char* entry;
        uint32_t language;
    } samples[] = {{"Sheet1!Sales;$B$2:$B$13", 1},
                   {"Sheet1!Costs;$C$2:$C$13", 1},
                   {"Rate;0.05", 1},
                   {"Sheet2!\xB3\xCF;$A$1:$A$5", 2},
                   {"Sheet1!Region;$A$2:$A$13", 1}};
    for (const auto& sample : samples) {
        QVStringArrayAdd(&names, sample.entry);
        QVUIntArrayAdd(&languages, sample.language);
    }
}

// The same workbook's names without their references, for the dialogs that
// only choose among them.
struct PlainNames {
    PlainNames() {
        for (const char* name : {"Sales", "Costs", "Rate", kLocalTax, "Region"}) {
            QVStringArrayAdd(&names, name);
        }
        for (uint32_t language : {1u, 1u, 1u, 2u, 1u}) {
            QVUIntArrayAdd(&languages, language);
        }
    }
    ~PlainNames() {
        QVStringArrayRemoveAll(&names);
        QVUIntArrayRemoveAll(&languages);
    }
    PlainNames(const PlainNames&) = delete;
    PlainNames& operator=(const PlainNames&) = delete;

    QVStringArray names{};
    QVUIntArray languages{};
};

class NameDefineCall : public DialogCall {
  public:
    NameDefineCall() {
        AddSampleNames(names_, *languages_);
        record_.names = &names_;
        record_.nameLanguages = languages_;
        std::strcpy(record_.reference, "Sheet1!$D$2:$D$13");
        std::strcpy(record_.proposedName, "Net Sales/2");
        record_.nameLanguage = -1;
    }
    ~NameDefineCall() override {
        QVStringArrayRemoveAll(&names_);
        // The dialog may have replaced the languages array; the record owns it.
        QVUIntArrayRemoveAll(record_.nameLanguages);
        if (record_.nameLanguages != languages_) {
            QVFree(record_.nameLanguages);
        }
        QVUIntArrayRemoveAll(languages_);
        delete languages_;
    }
    NameDefineCall(const NameDefineCall&) = delete;
    NameDefineCall& operator=(const NameDefineCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowNameDefineFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"names\":" + StringsJson(&names_) +
               ",\"nameLanguages\":" + NumbersJson(record_.nameLanguages) +
               ",\"nameLanguage\":" + std::to_string(record_.nameLanguage) + "}";
    }

  private:
    QVStringArray names_{};
    QVUIntArray* languages_ = new QVUIntArray{};
    NameDefineRecord record_{};
};

class NameCreateCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override { return As<QVShowNameCreateFn>(fn)(&flags_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"flags\":" + std::to_string(flags_) + "}";
    }

  private:
    NameCreateRecord flags_ = 1 | 2;
};

class NameApplyCall : public DialogCall {
  public:
    NameApplyCall() {
        record_.names = &plain_.names;
        record_.nameLanguages = &plain_.languages;
    }
    ~NameApplyCall() override { QVUIntArrayRemoveAll(&record_.chosen); }
    NameApplyCall(const NameApplyCall&) = delete;
    NameApplyCall& operator=(const NameApplyCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowNameApplyFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"options\":" + std::to_string(record_.options) +
               ",\"chosen\":" + NumbersJson(&record_.chosen) + "}";
    }

  private:
    PlainNames plain_;
    NameApplyRecord record_{};
};

class NamePasteCall : public DialogCall {
  public:
    NamePasteCall() {
        record_.names = &plain_.names;
        record_.nameLanguages = &plain_.languages;
    }

    int32_t Invoke(FARPROC fn) override { return As<QVShowNamePasteFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"chosenName\":" + FixedJson(record_.chosenName, sizeof record_.chosenName) +
               ",\"chosenLanguage\":" + std::to_string(record_.chosenLanguage) +
               ",\"flags\":" + std::to_string(record_.flags) + "}";
    }

  private:
    PlainNames plain_;
    NamePasteRecord record_{};
};

class NameLabelCall : public DialogCall {
  public:
    NameLabelCall() {
        std::strcpy(record_.selection, "B1:F1");
        QVStringArrayAdd(&record_.labelRanges, "A2:A13");
        QVUIntArrayAdd(&record_.rangeKinds, 32);
        record_.kindChoice = 64;
    }
    ~NameLabelCall() override {
        QVStringArrayRemoveAll(&record_.labelRanges);
        QVUIntArrayRemoveAll(&record_.rangeKinds);
    }
    NameLabelCall(const NameLabelCall&) = delete;
    NameLabelCall& operator=(const NameLabelCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowNameLabelFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"labelRanges\":" + StringsJson(&record_.labelRanges) +
               ",\"rangeKinds\":" + NumbersJson(&record_.rangeKinds) +
               ",\"kindChoice\":" + std::to_string(record_.kindChoice) + "}";
    }

  private:
    LabelRangesRecord record_{};
};

class NameRepetitionLabelCall : public DialogCall {
  public:
    int32_t Invoke(FARPROC fn) override {
        return As<QVShowNameRepetitionLabelFn>(fn)("Sales", cell_);
    }
    std::string RecordJson(const FrameWindow*) const override {
        return "{\"cell\":" + FixedJson(cell_, sizeof cell_) + "}";
    }

  private:
    char cell_[256] = {};
};

} // namespace

std::vector<DialogEntry> NameDialogs() {
    return {
        {"namedefine", "QVShowNameDefine", "Define Name",
         [] { return std::make_unique<NameDefineCall>(); }},
        {"namecreate", "QVShowNameCreate", "Create Names",
         [] { return std::make_unique<NameCreateCall>(); }},
        {"nameapply", "QVShowNameApply", "Apply Names",
         [] { return std::make_unique<NameApplyCall>(); }},
        {"namepaste", "QVShowNamePaste", "Paste Name",
         [] { return std::make_unique<NamePasteCall>(); }},
        {"namelabel", "QVShowNameLabel", "Label Ranges",
         [] { return std::make_unique<NameLabelCall>(); }},
        {"identifylabel", "QVShowNameRepetitionLabel", "Identify Label",
         [] { return std::make_unique<NameRepetitionLabelCall>(); }},
    };
}

} // namespace qvhost::tables
