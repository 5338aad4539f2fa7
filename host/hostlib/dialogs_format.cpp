// The cell-format dialogs the host can open.
#include "dialog_tables.h"

#include "qvssd/exports.h"
#include "qvssd/records.h"

#include <cstring>

namespace qvhost::tables {
namespace {

// Format Cells over the selection's formatting; the active cell holds 1234.5.
class FormatCellsCall : public DialogCall {
  public:
    FormatCellsCall(uint8_t mode, uint16_t category) {
        NumberFormatBlock& number = record_.number;
        number.category = category;
        number.decimalPlaces = 2;
        number.thousands = 3;
        number.negativeStyle = 1;
        number.currencySymbol = 1;
        Put(number.sampleValue, "1234.5");
        Put(record_.font.faceName, "Arial");
        record_.font.styleFlags = 1;
        record_.font.size = 10;
        record_.alignment.horizontal = 0;
        record_.alignment.vertical = 2;
        record_.pattern.fillColor = 1;
        record_.pattern.patternStyle = -1;
        record_.startPage = 1;
        record_.sheetMode = mode;
    }
    ~FormatCellsCall() override { QVVectorClear(&record_.borders); }

    int32_t Invoke(FARPROC fn) override {
        return As<QVShowFormatCellsFn>(fn)(FrameHandle(), &record_);
    }
    std::string RecordJson(const FrameWindow*) const override {
        const NumberFormatBlock& n = record_.number;
        std::string json = "{\"number\":{\"category\":" + std::to_string(n.category) +
                           ",\"decimalPlaces\":" + std::to_string(n.decimalPlaces) +
                           ",\"thousands\":" + std::to_string(n.thousands) +
                           ",\"negativeStyle\":" + std::to_string(n.negativeStyle) +
                           ",\"type\":" + std::to_string(n.type) +
                           ",\"currencySymbol\":" + std::to_string(n.currencySymbol) +
                           ",\"sampleValue\":" + JsonString(Text(n.sampleValue)) +
                           ",\"changed\":" + std::to_string(n.changed) + "}";
        json += ",\"alignmentChanged\":" + std::to_string(record_.alignment.changed);
        json += ",\"font\":{\"faceName\":" + JsonString(Text(record_.font.faceName)) +
                ",\"modeCopy\":" + std::to_string(record_.font.modeCopy) +
                ",\"changed\":" + std::to_string(record_.font.changed) + "}";
        json +=
            ",\"borders\":" + std::to_string(QVVectorCount(&record_.borders, sizeof(BorderLine)));
        json += ",\"patternChanged\":" + std::to_string(record_.pattern.changed);
        json += ",\"startPage\":" + std::to_string(record_.startPage);
        json += ",\"sheetMode\":" + std::to_string(record_.sheetMode) + "}";
        return json;
    }

  private:
    CellFormatRecord record_{};
};

// Format Cells opened on one of its later pages, over a block of cells with
// borders, wrapped and turned text, a bold font and a pattern.
class FormatPageCall : public DialogCall {
  public:
    FormatPageCall(uint8_t mode, uint8_t startPage) {
        record_.number.decimalPlaces = 2;
        Put(record_.number.sampleValue, "1234.5");
        record_.alignment.horizontal = 2;
        record_.alignment.vertical = 1;
        record_.alignment.textControl = 0x01 | 0x10;
        record_.alignment.orientation = 45;
        Put(record_.font.faceName, "Tahoma");
        record_.font.styleFlags = 2;
        record_.font.size = 12;
        record_.font.color = 0x0000C0;
        record_.pattern.fillColor = 0xCCFFFF;
        record_.pattern.patternStyle = 7;
        record_.pattern.patternColor = 0x808080;
        const BorderLine lines[] = {
            {1, 0, 0x000000, 4, 1, 0},  // top, thin solid
            {2, 0, 0x800000, 4, 3, 0},  // bottom, thick, dark blue
            {32, 1, 0x008000, 4, 1, 0}, // inside vertical, dashed green
        };
        for (const BorderLine& line : lines) {
            QVVectorPush(&record_.borders, &line, sizeof line);
        }
        record_.startPage = startPage;
        record_.sheetMode = mode;
    }
    ~FormatPageCall() override { QVVectorClear(&record_.borders); }

    int32_t Invoke(FARPROC fn) override {
        return As<QVShowFormatCellsFn>(fn)(FrameHandle(), &record_);
    }
    std::string RecordJson(const FrameWindow*) const override {
        const AlignmentBlock& a = record_.alignment;
        const FontBlock& f = record_.font;
        const PatternBlock& p = record_.pattern;
        std::string json = "{\"alignment\":{\"horizontal\":" + std::to_string(a.horizontal) +
                           ",\"vertical\":" + std::to_string(a.vertical) +
                           ",\"textControl\":" + std::to_string(a.textControl) +
                           ",\"orientation\":" + std::to_string(a.orientation) +
                           ",\"changed\":" + std::to_string(a.changed) + "}";
        json += ",\"font\":{\"faceName\":" + JsonString(Text(f.faceName)) +
                ",\"styleFlags\":" + std::to_string(f.styleFlags) +
                ",\"size\":" + std::to_string(f.size) +
                ",\"underline\":" + std::to_string(f.underline) +
                ",\"color\":" + std::to_string(f.color) +
                ",\"normalFont\":" + std::to_string(f.normalFont) +
                ",\"strikeOut\":" + std::to_string(f.strikeOut) +
                ",\"changed\":" + std::to_string(f.changed) + "}";
        json += ",\"borders\":[";
        const size_t count = QVVectorCount(&record_.borders, sizeof(BorderLine));
        const auto* lines = static_cast<const BorderLine*>(record_.borders.first);
        for (size_t i = 0; i < count; ++i) {
            const BorderLine& l = lines[i];
            json += std::string(i > 0 ? "," : "") + "{\"edges\":" + std::to_string(l.edges) +
                    ",\"penStyle\":" + std::to_string(l.penStyle) +
                    ",\"color\":" + std::to_string(l.color) +
                    ",\"shape\":" + std::to_string(l.shape) +
                    ",\"weight\":" + std::to_string(l.weight) +
                    ",\"changed\":" + std::to_string(l.changed) + "}";
        }
        json += "],\"pattern\":{\"fillColor\":" + std::to_string(p.fillColor) +
                ",\"patternStyle\":" + std::to_string(p.patternStyle) +
                ",\"patternColor\":" + std::to_string(p.patternColor) +
                ",\"changed\":" + std::to_string(p.changed) + "}";
        json += ",\"startPage\":" + std::to_string(record_.startPage) + "}";
        return json;
    }

  private:
    CellFormatRecord record_{};
};

// Conditional Formatting over two conditions: "between 10 and 20" in bold red
// on yellow with a bottom border, and "greater than 100" without a format.
class ConditionalFormatCall : public DialogCall {
  public:
    ConditionalFormatCall() {
        Condition& first = record_.conditions[0];
        first.present = 1;
        first.op = 0;
        Put(first.value1, "10");
        Put(first.value2, "20");
        Put(first.format.font.faceName, "Arial");
        first.format.font.styleFlags = 2;
        first.format.font.color = 0x0000FF;
        first.format.pattern.fillColor = 0x00FFFF;
        first.format.pattern.patternStyle = -1;
        const BorderLine bottom{2, 0, 0x000000, 1, 2, 1};
        QVTypedArrayAdd(&first.format.borders, &bottom, sizeof bottom);
        Condition& second = record_.conditions[1];
        second.present = 1;
        second.op = 4;
        Put(second.value1, "100");
        second.format.noFormat = 1;
        second.format.pattern.fillColor = 1;
        second.format.pattern.patternStyle = -1;
        record_.conditions[2].format.noFormat = 1;
    }
    ~ConditionalFormatCall() override {
        for (Condition& c : record_.conditions) {
            QVTypedArrayRemoveAll(&c.format.borders);
        }
    }

    int32_t Invoke(FARPROC fn) override {
        return As<QVShowConditionalFormattingFn>(fn)(FrameHandle(), &record_);
    }
    std::string RecordJson(const FrameWindow*) const override {
        std::string json = "{\"conditions\":[";
        for (int i = 0; i < 3; ++i) {
            const Condition& c = record_.conditions[i];
            json += std::string(i > 0 ? "," : "") + "{\"present\":" + std::to_string(c.present) +
                    ",\"op\":" + std::to_string(c.op) + ",\"kind\":" + std::to_string(c.kind) +
                    ",\"value1\":" + JsonString(Text(c.value1)) +
                    ",\"value2\":" + JsonString(Text(c.value2)) +
                    ",\"noFormat\":" + std::to_string(c.format.noFormat) +
                    ",\"styleFlags\":" + std::to_string(c.format.font.styleFlags) +
                    ",\"fillColor\":" + std::to_string(c.format.pattern.fillColor) +
                    ",\"borders\":" + std::to_string(c.format.borders.size) + "}";
        }
        return json + "]}";
    }

  private:
    ConditionalFormatRecord record_{};
};

} // namespace

std::vector<DialogEntry> FormatDialogs() {
    return {
        {"formatcells", "QVShowFormatCells", "Format Cells",
         [] { return std::make_unique<FormatCellsCall>(0, 1); }},
        {"findformat", "QVShowFormatCells", "Find Format",
         [] { return std::make_unique<FormatCellsCall>(1, 1); }},
        {"fmt-alignment", "QVShowFormatCells", "Format Cells: Alignment",
         [] { return std::make_unique<FormatPageCall>(0, 2); }},
        {"fmt-font", "QVShowFormatCells", "Format Cells: Font",
         [] { return std::make_unique<FormatPageCall>(0, 3); }},
        {"fmt-border", "QVShowFormatCells", "Format Cells: Border",
         [] { return std::make_unique<FormatPageCall>(0, 4); }},
        {"fmt-pattern", "QVShowFormatCells", "Format Cells: Pattern",
         [] { return std::make_unique<FormatPageCall>(0, 5); }},
        {"find-alignment", "QVShowFormatCells", "Find Format: Alignment",
         [] { return std::make_unique<FormatPageCall>(1, 2); }},
        {"find-font", "QVShowFormatCells", "Find Format: Font",
         [] { return std::make_unique<FormatPageCall>(1, 3); }},
        {"condformat-font", "QVShowFormatCells", "Format Cells for a condition",
         [] { return std::make_unique<FormatPageCall>(3, 1); }},
        {"condformat", "QVShowConditionalFormatting", "Conditional Formatting",
         [] { return std::make_unique<ConditionalFormatCall>(); }},
    };
}

} // namespace qvhost::tables
