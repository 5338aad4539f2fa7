// The data-tools dialogs the host can open.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

// Three rows of comma-separated text, the destination proposed at A1.
class TextToColumnCall : public DialogCall {
  public:
    TextToColumnCall() {
        for (const char* line : {"Name,Region,Sales", "Asha,North,1200", "Ravi,South,950"}) {
            QVStringArrayAdd(&lines_, line);
        }
        std::strcpy(destination_, "A1");
        record_.lines = &lines_;
        record_.columnBreaks = &breaks_;
        record_.destination = destination_;
        record_.fontFace = face_;
        record_.fontSize = 10;
    }
    ~TextToColumnCall() override {
        QVStringArrayRemoveAll(&lines_);
        QVStringArrayRemoveAll(&breaks_);
    }
    TextToColumnCall(const TextToColumnCall&) = delete;
    TextToColumnCall& operator=(const TextToColumnCall&) = delete;

    int32_t Invoke(FARPROC fn) override { return As<QVShowTextToColumnFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        const auto text = [](const char* t) {
            return t != nullptr ? JsonString(t) : std::string("null");
        };
        std::string json = "{\"delimited\":";
        json += std::to_string(record_.delimited);
        json += ",\"qualifier\":";
        json += JsonString(
            std::string(record_.qualifier, strnlen(record_.qualifier, sizeof record_.qualifier)));
        json += ",\"delimiters\":";
        json += text(record_.delimiters);
        json += ",\"consecutiveAsOne\":";
        json += std::to_string(record_.consecutiveAsOne);
        json += ",\"columnBreaks\":[";
        for (int32_t i = 0; i < breaks_.size; ++i) {
            if (i > 0) {
                json += ',';
            }
            json += JsonString(QVStringArrayGet(&breaks_, i));
        }
        json += "],\"columnFormats\":";
        json += text(record_.columnFormats);
        json += ",\"destination\":";
        json += text(destination_);
        json += ",\"columnCount\":";
        json += std::to_string(record_.columnCount);
        json += "}";
        return json;
    }

  private:
    QVStringArray lines_{};
    QVStringArray breaks_{};
    char destination_[256] = {};
    char face_[32] = "Arial";
    TextToColumnRecord record_{};
};

// A block of four columns and twelve rows, sorted top to bottom.
class DataSortCall : public DialogCall {
  public:
    DataSortCall() {
        record_.firstRow = 2;
        record_.lastRow = 13;
        record_.firstColumn = 2;
        record_.lastColumn = 5;
        record_.key1Ascending = record_.key2Ascending = record_.key3Ascending = 1;
        record_.topToBottom = 1;
        // The last sort used a custom order: Sort Options opens on the first
        // list of the menu language.
        record_.customOrder = 1;
    }

    int32_t Invoke(FARPROC fn) override { return As<QVShowDataSortFn>(fn)(&record_); }
    std::string RecordJson(const FrameWindow*) const override {
        const auto n = [](int value) { return std::to_string(value); };
        return "{\"key1\":" + n(record_.key1) + ",\"key2\":" + n(record_.key2) +
               ",\"key3\":" + n(record_.key3) + ",\"ascending\":[" + n(record_.key1Ascending) +
               "," + n(record_.key2Ascending) + "," + n(record_.key3Ascending) +
               "],\"headerRow\":" + n(record_.headerRow) +
               ",\"caseSensitive\":" + n(record_.caseSensitive) +
               ",\"topToBottom\":" + n(record_.topToBottom) +
               ",\"customOrder\":" + n(record_.customOrder) + "}";
    }

  private:
    DataSortRecord record_{};
};

} // namespace

std::vector<DialogEntry> DataToolsDialogs() {
    return {
        {"texttocolumns", "QVShowTextToColumn", "Text to Columns",
         [] { return std::make_unique<TextToColumnCall>(); }},
        {"sort", "QVShowDataSort", "Sort", [] { return std::make_unique<DataSortCall>(); }},
        {"sortoptions", "QVShowDataSort", "Sort Options (from Sort)",
         [] { return std::make_unique<DataSortCall>(); }, 1042},
    };
}

} // namespace qvhost::tables
