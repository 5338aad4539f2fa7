// Fuzzes every entry of the number-format preview with arbitrary value texts
// and control settings: no input may crash or read out of bounds.
#include "qvcore/preview.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace qv::core;

namespace {

int SmallInt(const uint8_t* data, size_t size, size_t index) {
    return index < size ? static_cast<int>(data[index] % 24) - 4 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first bytes choose the controls; the rest is split into the value
    // text and the decimal places text at the first byte 0x01.
    const size_t header = size < 6 ? size : 6;
    std::string_view rest(reinterpret_cast<const char*>(data) + header, size - header);
    std::string_view value = rest;
    std::string_view decimals = "2";
    if (size_t split = rest.find('\x01'); split != std::string_view::npos) {
        value = rest.substr(0, split);
        decimals = rest.substr(split + 1);
    }

    SampleControls controls;
    controls.category = SmallInt(data, size, 0) % 10;
    controls.negativeStyle = SmallInt(data, size, 1) % 6;
    controls.symbol = SmallInt(data, size, 2) % 5;
    controls.type = SmallInt(data, size, 3);
    controls.separator = size > 4 && (data[4] & 1) != 0;
    controls.language = size > 5 ? data[5] % 4 : 1;
    controls.decimalPlaces = decimals;

    PreviewTexts texts;
    texts.symbol1 = "Rs";
    texts.symbol2 = std::string(decimals.substr(0, 8));
    texts.systemTime.picture = std::string(decimals.substr(0, 16));
    if (controls.language == 3) {
        std::string_view names[kDateNameStringCount];
        for (auto& name : names) {
            name = decimals.substr(0, 4);
        }
        texts.localNames = DateNamesFromStrings(names);
    }

    std::string sample = RenderNumberSample(value, controls, texts);
    int d = ParseDecimalPlaces(decimals);
    sample += ApplyDecimalStep(value, d);
    sample += GroupDigitsIndian(value);
    sample += NumberSample(value, d, controls.separator, controls.negativeStyle, controls.symbol);
    sample += CurrencySample(value, d, controls.negativeStyle, controls.symbol, texts.symbol2);
    sample += PercentageSample(value, d);
    sample += FractionSample(value, controls.type);
    sample += DateSample(value, controls.type, controls.language, texts);
    sample += TimeSample(value, controls.type, controls.language, texts);

    const double number = SampleTextToDouble(value);
    for (std::int64_t limit : {9, 99, 999}) {
        FractionParts parts;
        if (ApproximateFraction(number, limit, parts)) {
            const std::string layout = FractionLayout(parts, limit);
            if (layout.size() > 40 || parts.num < 0 || parts.den > limit) {
                __builtin_trap();
            }
        }
    }
    SerialDateTime when;
    if (SerialToDateTime(number, when)) {
        sample += FormatDateTime(when, decimals);
        sample += FormatTimePicture(when, texts.systemTime);
    }

    DateTimeSampler sampler(texts.localNames, texts.systemTime);
    sampler.SetValueText(value);
    sampler.SetLanguage(controls.language);
    for (std::uint32_t type = 0; type <= 19; ++type) {
        sampler.SetType(type);
        sample += sampler.Render();
    }
    return sample.empty() ? 0 : 0;
}
