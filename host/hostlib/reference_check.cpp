// How the host checks a reference that Goal Seek hands over (WM_QV_CHECKREF):
// against a small sheet whose goal cells hold formulas and whose other cells
// hold values. References typed in the local script are read with the column
// alphabet of the application folder's locale strings.
#include "qvhost/host.h"

#include "qvcore/cellref.h"
#include "qvcore/what_if.h"

#include <algorithm>
#include <mutex>

namespace qvhost {
namespace {

// The sheet behind the demo: B2 and B3 hold numbers, B4 = B2*B3, and a
// second model with D10 = SUM(D2:D9).
const char* const kFormulaCells[] = {"B4", "D10"};

const qv::core::LocalAlphabet& HostAlphabet() {
    static std::once_flag once;
    static qv::core::LocalAlphabet alphabet;
    std::call_once(once, [] {
        const std::string path = AppFolder() + "\\QVSSMSL.dll";
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (module == nullptr) {
            return;
        }
        alphabet = qv::core::LoadLocalAlphabet([module](unsigned id) {
            char text[256] = {};
            const int n = LoadStringA(module, id, text, sizeof text);
            return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
        });
        FreeLibrary(module);
    });
    return alphabet;
}

} // namespace

LRESULT HostCheckReference(const std::string& text, bool goalCell) {
    std::string a1 = text;
    if (MenuLanguage() == 2) {
        a1 = qv::core::ConvertRefList(text, qv::core::kRefFromLocal, HostAlphabet());
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
