// The Border page's model over border lines as a host may send them (any edge
// bits, pens, shapes and weights, any sheet mode and merge flag) and any
// sequence of the page's actions: the lines it writes back stay within the
// six edges, and Clear is offered only where the mode has it.
#include "qvcore/cell_format.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace qv::core;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

constexpr size_t kLineBytes = 11;

BorderLineValue LineAt(const uint8_t* p) {
    BorderLineValue line;
    line.edges = static_cast<uint16_t>(p[0] | (p[1] << 8));
    line.penStyle = static_cast<uint16_t>(p[2] | (p[3] << 8));
    std::memcpy(&line.color, p + 4, sizeof line.color);
    line.shape = p[8];
    line.weight = p[9];
    line.changed = p[10];
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Header: mode, merge flag, line count; then the lines; then one action
    // a byte.
    if (size < 3) {
        return 0;
    }
    const uint8_t mode = data[0];
    const uint8_t merge = data[1];
    const size_t count = std::min<size_t>(data[2] % 8, (size - 3) / kLineBytes);
    std::vector<BorderLineValue> lines;
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(LineAt(data + 3 + i * kLineBytes));
    }
    BorderModel model;
    model.Start(lines.empty() ? nullptr : lines.data(), lines.size(), mode, merge);
    for (size_t at = 3 + count * kLineBytes; at < size; ++at) {
        const uint8_t action = data[at];
        switch (action % 8) {
        case 0:
            model.SelectLineStyle(action / 8 - 4);
            break;
        case 1:
            model.SetColour(action * 0x010101u);
            break;
        case 2:
            model.ToggleEdge(action / 8 - 8);
            break;
        case 3:
            model.PresetNone();
            break;
        case 4:
            model.PresetOutline();
            break;
        case 5:
            model.PresetInside();
            break;
        case 6:
            model.Clear();
            break;
        default:
            model.MergeNotice((action & 8) != 0);
            break;
        }
        Check(!model.ClearEnabled() || IsClearMode(mode));
        if (!model.InsideHorizontalEnabled()) {
            Check(!model.EdgeOn(kSlotInsideHorizontal) || model.Slot(kSlotInsideHorizontal).edges);
        }
    }
    const std::vector<BorderLineValue> out = model.Finish();
    Check(out.size() <= static_cast<size_t>(kBorderSlotCount));
    for (const BorderLineValue& line : out) {
        Check(line.changed == 0 || line.changed == 1);
    }

    // The smaller rules on the same bytes.
    const int a = static_cast<int8_t>(data[1]);
    const int b = static_cast<int8_t>(data[2]);
    Check(BorderLineStyleIndex(static_cast<uint16_t>(a), static_cast<uint8_t>(b)) >= -1);
    const int16_t style = NormalisePatternStyle(a);
    Check(style >= -1 && style < kPatternStyleCount);
    Check((PatternRows(a) != nullptr) == (a >= 0 && a < kPatternStyleCount));
    PatternBit(a, b % 10, b / 10);
    const int button = PopupButtonOfPatternStyle(a);
    Check(button < kPatternPopupButtons);
    if (button >= 0) {
        Check(PatternStyleOfPopupButton(button) == style);
    }
    const ConditionDeletePlan plan =
        PlanConditionDelete(a, {(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0});
    Check(plan.shown >= 1 && plan.shown <= kConditionCount && plan.remaining <= plan.shown);
    for (int source : plan.source) {
        Check(source >= -1 && source < kConditionCount);
    }
    return 0;
}
