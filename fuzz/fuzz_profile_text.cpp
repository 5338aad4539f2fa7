// Profile text: any input is written back unchanged; an edit reads back and
// leaves the other sections as they were.
#include "qvcore/profile_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using qv::core::ProfileText;

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ProfileText doc = ProfileText::Parse(text);
    Check(doc.Serialize() == text);

    // The first bytes choose the edit: a value up to the first NUL or 16 bytes.
    std::string value(text.substr(0, 16));
    value = value.substr(0, value.find('\0'));
    std::string otherBefore;
    for (const auto& [key, v] : doc.Entries("other")) {
        otherBefore += key + "=" + v + "\n";
    }
    bool written = doc.Set("Delimiter", "6", value);
    Check(written == qv::core::IsValidProfileValue(value));
    if (written) {
        ProfileText again = ProfileText::Parse(doc.Serialize());
        Check(again.Get("delimiter", "6") == value);
        Check(again.Serialize() == doc.Serialize());
        std::string otherAfter;
        for (const auto& [key, v] : again.Entries("other")) {
            otherAfter += key + "=" + v + "\n";
        }
        Check(otherAfter == otherBefore);
        Check(again.RemoveSection("Delimiter"));
    }
    (void)qv::core::ParseProfileInt(text, 0);
    return 0;
}
