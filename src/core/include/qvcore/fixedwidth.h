// Fixed-width splitting for Text to Columns and the arithmetic of the
// separator control (text area, character ruler, scroll bars, mouse snapping).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qvcore/textsplit.h"

namespace qv::core {

// ---- Breaks and the fixed-width split ----

// The automatic breaks proposed when the fixed-width step opens, in the
// order they are found. Taken from the longest line (the last of equally
// long ones); a break stands at a blank of that line where no longer line has
// a non-blank character.
std::vector<int32_t> AutoBreaks(const std::vector<std::string>& lines);

// The breaks handed on to step 3 and the host: ascending, each once, without
// 0 (and without negative values, which no click can make).
std::vector<int32_t> CollectBreaks(const std::vector<int32_t>& breaks);

// The breaks as the record's decimal texts.
std::vector<std::string> BreakTexts(const std::vector<int32_t>& collected);

// Cuts one line at collected breaks: each column holds the characters from
// one break up to the next (the first from the line start); the last column
// holds the rest only when it is not empty. Without breaks: the whole line.
std::vector<std::string> SplitFixedWidthLine(std::string_view line,
                                             const std::vector<int32_t>& collected);

// The same cut as views of the line.
void SplitFixedWidthLine(std::string_view line, const std::vector<int32_t>& collected,
                         std::vector<std::string_view>& fields);

// The step 3 preview of fixed-width data (never plain, never cancelled).
SplitPreview SplitFixedWidth(const std::vector<std::string>& lines,
                             const std::vector<int32_t>& collected);

// Its shape without keeping the fields (see PreviewShape).
PreviewShape MeasureFixedWidth(const std::vector<std::string>& lines,
                               const std::vector<int32_t>& collected,
                               const int* charWidths = nullptr);

// ---- Separator control ----

struct SeparatorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Child windows placed in the control's client rectangle at the first paint.
struct SeparatorLayout {
    SeparatorRect ruler;   // "Main Scale"
    SeparatorRect display; // "Flat Display"
    SeparatorRect vertical;
    SeparatorRect horizontal;
};
SeparatorLayout LayoutSeparator(const SeparatorRect& client);

inline constexpr int kDisplayMargin = 8; // marker strip above the text

// The text area's lines: the text cut at each line feed, the text after the
// last one a line too; a line feed as the text's very first character is not
// a line end.
struct DisplayLines {
    std::vector<std::string> lines;
    int longest = 0;
};
DisplayLines SplitDisplayText(std::string_view text);

// A margin below 5 other than 0 is ignored: the current margin stays.
int NormaliseMargin(int requested, int current);

// The column a mouse point sets or removes a break at, or nothing when the
// point lies outside the break area (5 < x < right - 22, y < bottom - 22, in
// control client coordinates) or the character width is not known yet. The
// point snaps to the nearest boundary between characters; exactly half way
// goes to the next one.
std::optional<int> BreakColumnAt(int x, int y, int clientRight, int clientBottom, int charWidth,
                                 int firstColumn);

// A click adds a break where there is none; true when it was added.
bool AddBreak(std::vector<int32_t>& breaks, int column);
// A double click removes a break; true when one was removed.
bool RemoveBreak(std::vector<int32_t>& breaks, int column);

// A break line visible in the text area: x relative to the area's left edge.
struct BreakLine {
    int column = 0;
    int x = 0;
};
// Breaks b with first <= b <= first + width / charWidth whose x lies strictly
// inside the area, in the order of `breaks`.
std::vector<BreakLine> VisibleBreakLines(const std::vector<int32_t>& breaks, int firstColumn,
                                         int areaWidth, int charWidth);

// The marker over a break line: rows 1 to 3 below the top edge, 3, 5 and 7
// pixels wide, centred on x and clipped to [0, areaWidth).
struct MarkerRow {
    int y = 0;
    int left = 0;  // first pixel
    int right = 0; // one past the last pixel
};
std::vector<MarkerRow> BreakMarker(int x, int areaWidth);

// ---- Ruler ----

struct RulerIntervals {
    int major = 10;
    int middle = 5;
};
// A value below 1 becomes 1; a middle interval below 1 becomes the major one.
RulerIntervals NormaliseRulerIntervals(int major, int middle);

enum class TickKind { Minor, Middle, Major };
struct RulerTick {
    int x = 0;
    TickKind kind = TickKind::Minor;
    bool labelled = false; // major ticks whose label fits inside the ruler
    int label = 0;         // the column number a major tick stands for
};
// Measures the pixel width of a label text.
using LabelWidth = std::function<int(std::string_view)>;
// Ticks at every multiple of the unit width from 0 up to (not including) the
// ruler width; `offset` is the first visible column. A label is centred over
// its tick and drawn only when it fits between 0 and the width.
std::vector<RulerTick> RulerTicks(int width, int unitWidth, int offset,
                                  const RulerIntervals& intervals, const LabelWidth& labelWidth);

// ---- Scroll bars ----

struct ScrollSetup {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
    bool enabled = false; // disabled when the range fits within one page
};
ScrollSetup VerticalScroll(int lineCount, int displayHeight, int charHeight, int firstRow);
ScrollSetup HorizontalScroll(int longestLine, int displayWidth, int charWidth, int firstColumn);

// Scroll codes as the scroll-bar notifications number them.
inline constexpr int kScrollLineBack = 0;
inline constexpr int kScrollLineForward = 1;
inline constexpr int kScrollPageBack = 2;
inline constexpr int kScrollPageForward = 3;
inline constexpr int kScrollThumbPosition = 4;

// The new first visible column or row; other codes keep the position.
int ScrollTo(const ScrollSetup& bar, int code, int thumb);

} // namespace qv::core
