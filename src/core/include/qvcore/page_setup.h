// The rules of the Page Setup sheet and of the Print dialog that need no
// window: which page opens first and which ending button the host hears of,
// the Page page's boxes and printer lists, the Margins page's checks, and the
// page range and copies of the Print dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::core {

// ---- the sheet ------------------------------------------------------------

inline constexpr int kPageSetupPageCount = 4; // Page, Margins, Header/Footer, Sheet

// The page the sheet opens on: the lowest of bits 0 to 3 that is set; none
// opens the Page page (0).
int PageSetupStartIndex(std::uint8_t startPage);

// Action bits a page's "Print Preview" and "Print..." buttons set.
enum PageSetupAction : std::uint8_t { kActionPreview = 1, kActionPrint = 2 };

// The record's action after the sheet: `recordAction` ORed with the first
// page action, in page order, that is not 0.
std::uint8_t PageSetupActionOut(std::uint8_t recordAction,
                                const std::array<std::uint8_t, kPageSetupPageCount>& pages);

// ---- Page page ------------------------------------------------------------

inline constexpr std::int16_t kAdjustMin = 50;
inline constexpr std::int16_t kAdjustMax = 400;
inline constexpr std::int16_t kFirstPageMax = 32767;

enum class NumberCheck { Ok, NotWhole, OutOfRange };

// The "Adjust to" box: trimmed, not empty, digits only (else NotWhole), then
// 50 to 400 (else OutOfRange).
NumberCheck CheckAdjustPercent(std::string_view text, std::int16_t& percent);

// The first-page-number box when the page is left.
struct FirstPageAnswer {
    enum Kind { Keep, Store, Refuse } kind = Keep;
    std::int16_t value = 0;
    std::string shown; // the box's new text when it changes ("Auto", "0"), else empty
};
inline constexpr char kFirstPageAuto[] = "Auto";
FirstPageAnswer CheckFirstPage(std::string_view text);

// A paper the printer reports and the list offers: papers whose names begin
// with "Custom" or "custom" are left out; each entry keeps its own
// identifier. Names are cut to 64 characters.
struct PaperEntry {
    std::string name;
    std::uint16_t id = 0;
};
std::vector<PaperEntry> OfferedPapers(const std::vector<std::string>& names,
                                      const std::vector<std::uint16_t>& ids);

// The entry the list opens on for the record's paper identifier: the entry
// with that identifier; entry 0 for identifier 1 or one the list lacks (-1
// for an empty list).
int PaperSelection(const std::vector<PaperEntry>& offered, std::uint16_t recordId);

// A print-quality entry for a resolution: "600 x 600 dpi".
std::string ResolutionText(std::int32_t horizontal, std::int32_t vertical);
// The entries when the printer reports no resolution.
inline constexpr std::array<const char*, 4> kFallbackQualities = {"High", "Medium", "Low", "Draft"};

// ---- Margins page ---------------------------------------------------------

// The six boxes in the order they are checked.
enum MarginBox : int {
    kMarginTop = 0,
    kMarginBottom = 1,
    kMarginLeft = 2,
    kMarginRight = 3,
    kMarginHeader = 4,
    kMarginFooter = 5,
};
inline constexpr int kMarginCount = 6;

// The page size every check uses, whatever the paper and orientation.
inline constexpr float kMarginPageHeight = 11.0f;
inline constexpr float kMarginPageWidth = 8.0f;

struct MarginsCheck {
    enum Kind { Ok, NotANumber, DoesNotFit } kind = Ok;
    int box = -1; // the box to select and focus
};

// Checks the boxes in order; each value that passes its own test is stored
// into `values` at once, also when a later box is refused. A text that is
// not a number, or below 0, is NotANumber; top + bottom or header + footer
// reaching 11, or left + right reaching 8, is DoesNotFit (on the second box
// of the pair).
MarginsCheck CheckMargins(const std::array<std::string, kMarginCount>& texts,
                          std::array<float, kMarginCount>& values);

// A margin as its box shows it ("%.2f", the same on every C runtime).
std::string MarginText(double inches);

// ---- Print dialog ---------------------------------------------------------

inline constexpr std::int32_t kPrintPageMin = 1;
inline constexpr std::int32_t kPrintPageMax = 32767;

// The text without any ",".
std::string RemoveCommas(std::string_view text);

enum class PageRangeCheck { Ok, ToBeforeFrom, OutOfRange };
PageRangeCheck CheckPageRange(std::int32_t from, std::int32_t to);

} // namespace qv::core
