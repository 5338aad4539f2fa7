#include "qvcore/what_if.h"

#include "qvcore/cellref.h"
#include "qvcore/numbers.h"

#include <cmath>
#include <cstdio>

namespace qv::core {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view WithoutBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

} // namespace

RefVerdict GoalSeekVerdict(std::uint8_t answer, bool goalCell, std::string_view text) {
    switch (answer) {
    case 0:
        return {true, {}};
    case 1:
        return {false, {1184, false}};
    case 2:
        return {false, {1185, false}};
    case 3:
        // A number typed where a cell belongs reads as a reference that is not
        // valid; any other text is not a cell reference at all.
        return {false, {goalCell && IsPlainNumber(text) ? 1187u : 1284u, true}};
    case 4:
        return {false, {1186, false}};
    default:
        return {false, {}};
    }
}

std::string StatusValueText(double value) {
    if (!std::isfinite(value)) {
        return "#NUM!";
    }
    const int length = std::snprintf(nullptr, 0, "%f", value);
    if (length <= 0) {
        return "#NUM!";
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%f", value);
    text.resize(static_cast<size_t>(length));
    // Whatever locale the host set, the point is a point.
    for (char& c : text) {
        if (c != '-' && (c < '0' || c > '9')) {
            c = '.';
        }
    }
    return text;
}

InputCellCheck CheckInputCell(std::string_view a1) {
    const std::string_view text = WithoutBlanks(a1);
    if (text.empty()) {
        return InputCellCheck::Empty;
    }
    if (IsCellRef(text)) {
        return InputCellCheck::Cell;
    }
    return text.find(':') != std::string_view::npos ? InputCellCheck::NotSingleCell
                                                    : InputCellCheck::NotACell;
}

std::string FieldReference(std::string_view a1) {
    const std::string_view text = WithoutBlanks(a1);
    if (!IsCellRef(text)) {
        return std::string(text);
    }
    // The row without its leading zeros: "C0003" names C3 and still fits the
    // record's field, however many zeros were typed.
    const std::size_t digits = text.find_first_of("0123456789");
    const std::size_t significant = text.find_first_not_of('0', digits);
    return std::string(text.substr(0, digits)) + std::string(text.substr(significant));
}

} // namespace qv::core
