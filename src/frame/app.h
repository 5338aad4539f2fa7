// The library's one application object.
#pragma once

#include <windows.h>

namespace qv::frame {

// Constructed when the library is loaded: it records the library's own
// module for templates and resources. The language settings are loaded on
// the first export call (GetLangSettings), outside the loader lock, so that
// loading the sibling libraries can never deadlock the host's loader.
class CQVSSDApp {
  public:
    CQVSSDApp();
};

} // namespace qv::frame
