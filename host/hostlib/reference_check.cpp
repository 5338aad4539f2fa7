// How the host checks a reference that Goal Seek hands over (WM_QV_CHECKREF):
// against a small sheet whose goal cells hold formulas and whose other cells
// hold values. References typed in the local script are read with the column
// alphabet of the application folder's locale strings.
#include "qvhost/host.h"

#include "qvcore/cellref.h"
#include "qvcore/iscii.h"
#include "qvcore/utf8.h"
#include "qvcore/what_if.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace qvhost {
namespace {

// The sheet behind the demo: B2 and B3 hold numbers, B4 = B2*B3, and a
// second model with D10 = SUM(D2:D9).
const char* const kFormulaCells[] = {"B4", "D10"};

// The local column alphabet (UTF-8) and the script the host's texts carry,
// from the application folder's local libraries.
struct HostLocale {
    qv::core::LocalAlphabet alphabet;
    qv::core::IndicScript script = qv::core::IndicScript::Devanagari;
};

std::string LoadUtf8(HMODULE module, unsigned id) {
    wchar_t text[256] = {};
    const int n = LoadStringW(module, id, text, 256);
    return qv::core::Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text),
                                                n > 0 ? static_cast<size_t>(n) : 0));
}

const HostLocale& Locale() {
    static std::once_flag once;
    static HostLocale locale;
    std::call_once(once, [] {
        const std::string folder = AppFolder();
        if (HMODULE module = LoadLibraryExA((folder + "\\QVSSMSL.dll").c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE)) {
            locale.alphabet =
                qv::core::LoadLocalAlphabet([module](unsigned id) { return LoadUtf8(module, id); });
            FreeLibrary(module);
        }
        // The local dialog font ("HIN Sans", "TAM Sans") names the script.
        if (HMODULE module = LoadLibraryExA((folder + "\\QVSSDSL.dll").c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE)) {
            locale.script = qv::core::ScriptOfFace(LoadUtf8(module, 20000));
            FreeLibrary(module);
        }
    });
    return locale;
}

} // namespace

LRESULT HostCheckReference(const std::string& text, bool goalCell) {
    std::string a1 = text;
    if (MenuLanguage() == 2) {
        // The host's texts carry the local script as ISCII.
        const HostLocale& locale = Locale();
        a1 = qv::core::ConvertRefList(qv::core::IsciiToUnicode(text, locale.script),
                                      qv::core::kRefFromLocal, locale.alphabet);
    }
    a1 = qv::core::FieldReference(a1);
    if (qv::core::IsRangeRef(a1)) {
        return kCheckNotSingleCell;
    }
    qv::core::CellRange cell;
    if (!qv::core::IsCellRef(a1) || !qv::core::ParseA1(a1, cell)) {
        return kCheckNotValid;
    }
    const std::string name = qv::core::FormatA1(cell);
    const bool formula = std::any_of(std::begin(kFormulaCells), std::end(kFormulaCells),
                                     [&](const char* c) { return name == c; });
    if (goalCell && !formula) {
        return kCheckNeedsFormula;
    }
    if (!goalCell && formula) {
        return kCheckNeedsValue;
    }
    return kCheckAccepted;
}

} // namespace qvhost
