// A loaded library, freed when the object ends.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace qv::fw {

// While a hold exists on a thread, every library that a Library opens on that
// thread, and every library named to Keep, stays loaded until the hold ends.
// Each use still loads and frees its library; the loads are then count
// increments instead of new mappings of the file (under Wine a mapping costs
// a dozen round trips to the server). Holds nest; the outermost keeps.
class LibraryHold {
  public:
    LibraryHold();
    ~LibraryHold();
    LibraryHold(const LibraryHold&) = delete;
    LibraryHold& operator=(const LibraryHold&) = delete;

    // Keeps the library at `path` loaded for the rest of the current hold
    // (nothing without one). Also for libraries that another module loads.
    static void Keep(const char* path);

  private:
    LibraryHold* outer_;
    std::vector<std::pair<std::string, HMODULE>> kept_;
};

class Library {
  public:
    Library() = default;
    explicit Library(const char* path, DWORD flags = 0) {
        if (path != nullptr && *path != '\0') {
            LibraryHold::Keep(path);
            module_ = LoadLibraryExA(path, nullptr, flags);
        }
    }
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
