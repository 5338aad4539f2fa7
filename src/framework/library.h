// A loaded library, freed when the object ends.
#pragma once

#include <windows.h>

#include <utility>

namespace qv::fw {

class Library {
  public:
    Library() = default;
    explicit Library(const char* path, DWORD flags = 0)
        : module_(path != nullptr && *path != '\0' ? LoadLibraryExA(path, nullptr, flags)
                                                   : nullptr) {}
    // A library opened for its resources only (no code runs).
    static Library ForResources(const char* path) {
        return Library(path, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~Library() { Reset(); }

    Library(Library&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
    Library& operator=(Library&& other) noexcept {
        if (this != &other) {
            Reset();
            module_ = std::exchange(other.module_, nullptr);
        }
        return *this;
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    void Reset() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
            module_ = nullptr;
        }
    }
    HMODULE get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }

    // The export `name` as a pointer of type F, or nullptr.
    template <class F> F Proc(const char* name) const {
        if (module_ == nullptr) {
            return nullptr;
        }
        return ProcOf<F>(module_, name);
    }

    template <class F> static F ProcOf(HMODULE module, const char* name) {
        FARPROC p = GetProcAddress(module, name);
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(p));
    }

  private:
    HMODULE module_ = nullptr;
};

} // namespace qv::fw
