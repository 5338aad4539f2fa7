// Text to Columns: the delimiter set, the delimited split that the wizard's
// previews use (the host splits the same way), the proposal of the split
// type, and the per-column format codes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::core {

// The highest column index a line may fill; a field for a higher index asks
// the column-limit question.
inline constexpr int kSplitMaxColumnIndex = 256;

// The delimiter choices of step 2.
struct DelimiterChoice {
    bool tab = false;
    bool semicolon = false;
    bool comma = false;
    bool space = false;
    bool others = false;
    std::string othersText; // the Others box; its first character is used
    std::string qualifier;  // the qualifier list's text: "'", "\"" or the text meaning none
};

// The delimiter set D: "," ";" " " tab and the Others character, in that
// order, each when chosen; then the qualifier character when Space is chosen
// and the qualifier is "'" or the double quote.
std::string BuildDelimiterSet(const DelimiterChoice& choice);

// The set stripped around fields: D without double quotes and without the
// qualifier's first character.
std::string StrippedDelimiters(std::string_view delimiters, std::string_view qualifier);

// The entry of the qualifier list that a stored qualifier text selects:
// 1 for the double quote, 0 for "'", 2 for anything else.
int QualifierEntryFromProfile(std::string_view stored);

struct SplitOptions {
    std::string delimiters;        // D
    std::string qualifier;         // Q, the qualifier text as chosen
    bool consecutiveAsOne = false; // "Treat consecutive delimiters as one"
};

// What the user answers when a line needs more columns than the limit.
enum class ColumnLimitAnswer {
    StopLine, // drop the rest of the line; not asked again in this preview
    Cancel,   // the wizard ends as cancelled
};
using ColumnLimitQuestion = std::function<ColumnLimitAnswer()>;

// The column-limit decision of one preview: the question is asked at most
// once; after the affirmative answer every line that reaches the limit is cut
// there without asking. Without a question function lines are cut silently.
class ColumnLimitGate {
  public:
    explicit ColumnLimitGate(ColumnLimitQuestion ask = {}) : ask_(std::move(ask)) {}
    // Called when a line reaches a column beyond the limit; true when the
    // split goes on (the line is cut), false when the user cancelled.
    bool Reached();
    // Whether a line reached the limit in this preview.
    bool LimitReached() const { return asked_; }
    bool Cancelled() const { return cancelled_; }

  private:
    ColumnLimitQuestion ask_;
    bool asked_ = false;
    bool cancelled_ = false;
};

// Splits one line into `fields`, indexed by column; columns that the split
// skips hold empty texts. Returns false when the user cancelled at the
// column limit (then `fields` holds what was split so far).
bool SplitDelimitedLine(std::string_view line, const SplitOptions& options, ColumnLimitGate& gate,
                        std::vector<std::string>& fields);

// The same split prepared once for many lines: the character sets become
// tables, and the fields are views of the line (every field is a piece of
// it), so that a preview splits only the rows it shows.
class DelimitedSplitter {
  public:
    explicit DelimitedSplitter(const SplitOptions& options);
    const SplitOptions& Options() const { return options_; }
    // As SplitDelimitedLine; the views point into `line`.
    bool Split(std::string_view line, ColumnLimitGate& gate,
               std::vector<std::string_view>& fields) const;

  private:
    std::size_t FindDelimiter(std::string_view text) const;
    std::size_t FindStripped(std::string_view text) const;
    static std::size_t StripEnds(std::string_view& text, const bool* set);

    SplitOptions options_;
    bool delimiter_[256] = {};
    bool stripped_[256] = {};
    bool inQualifier_[256] = {};
    int singleDelimiter_ = -1; // the one delimiter character, when there is one
};

// What a preview over every line needs without keeping the fields: its
// number of columns, the widest text of each column when character widths
// are given (256 entries, the widths of the font's characters), whether the
// user cancelled at the column limit and how many lines were looked at (all
// unless cancelled).
struct PreviewShape {
    int columns = 1;
    int rows = 0;
    bool plain = false;
    bool cancelled = false;
    std::vector<long long> widest;
};

// The shape of the delimited preview: SplitDelimited's columns, plain and
// cancelled, with the same question at the column limit.
PreviewShape MeasureDelimited(const std::vector<std::string>& lines, const SplitOptions& options,
                              const ColumnLimitQuestion& ask = {}, const int* charWidths = nullptr);

// The width of a text as the sum of its characters' widths.
long long TextWidth(std::string_view text, const int* charWidths);

// A preview over all lines.
struct SplitPreview {
    std::vector<std::vector<std::string>> rows; // one per line, fields by column
    int columns = 1;                            // columns of the preview, at least 1
    bool plain = false;     // no delimiter: each line is one column, the column count stays
    bool cancelled = false; // the user cancelled at the column limit
};

// The delimited preview. With an empty delimiter set the preview is plain.
SplitPreview SplitDelimited(const std::vector<std::string>& lines, const SplitOptions& options,
                            const ColumnLimitQuestion& ask = {});

// The step-1 proposal: true (Fixed width) when there is exactly one line and
// it holds a blank, then a non-blank, then another blank; otherwise false
// (Delimited).
bool ProposeFixedWidth(const std::vector<std::string>& lines);

// Column formats: one character per column.
inline constexpr char kFormatGeneral = '0';
inline constexpr char kFormatText = '1';
inline constexpr char kFormatDate = '2';
inline constexpr char kFormatSkip = '3';

// All General for a preview of `columns` columns: "0" and one "0" for each
// further column.
std::string GeneralFormats(int columns);

// Appends one "0" per further column (Finish on a step 2 page).
void AppendGeneralFormats(std::string& formats, int count);

// Sets the code of one column; false (nothing changed) when the column is
// outside the text or the code is not one of the four.
bool SetColumnFormat(std::string& formats, int column, char code);

// The record's 8-bit column count: the low 8 bits of the count.
uint8_t ColumnCountField(int count);

} // namespace qv::core
