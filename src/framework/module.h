// The module whose dialog templates the framework uses, and the module that
// strings and images are currently read from.
#pragma once

#include <windows.h>

#include <string>

namespace qv::fw {

// The module that owns the dialog templates: the dialog library's own
// instance handle, never the host's (GetModuleHandle(NULL)).
HINSTANCE OwnModule();
void SetOwnModule(HINSTANCE module);

// The module that LoadResString and resource look-ups read from; the own
// module unless a ResourceScope has switched it.
HINSTANCE ResourceModule();

// Sets the resource module for its lifetime and restores the previous one on
// every path out of the scope.
class ResourceScope {
  public:
    explicit ResourceScope(HINSTANCE module);
    ~ResourceScope();
    ResourceScope(const ResourceScope&) = delete;
    ResourceScope& operator=(const ResourceScope&) = delete;

  private:
    HINSTANCE previous_;
};

// A string of a module's string table as UTF-8; empty when the module or id
// is missing.
std::string LoadStringFrom(HINSTANCE module, UINT id);
// A string of the current resource module.
std::string LoadResString(UINT id);

} // namespace qv::fw
