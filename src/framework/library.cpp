#include "framework/library.h"

namespace qv::fw {
namespace {

// The innermost hold of this thread (a plain pointer: a thread-local object
// with a destructor would pin the library itself).
thread_local LibraryHold* t_hold = nullptr;

} // namespace

LibraryHold::LibraryHold() : outer_(t_hold) {
    t_hold = this;
}

LibraryHold::~LibraryHold() {
    t_hold = outer_;
    for (auto it = kept_.rbegin(); it != kept_.rend(); ++it) {
        if (it->second != nullptr) {
            FreeLibrary(it->second);
        }
    }
}

void LibraryHold::Keep(const char* path) {
    if (t_hold == nullptr || path == nullptr || *path == '\0') {
        return;
    }
    LibraryHold* outermost = t_hold;
    for (LibraryHold* hold = t_hold; hold != nullptr; hold = hold->outer_) {
        for (const auto& kept : hold->kept_) {
            if (kept.first == path) {
                return;
            }
        }
        outermost = hold;
    }
    // A plain load: loads as data find a library loaded so and only count it.
    // A library that cannot be loaded is remembered too, and not tried again.
    outermost->kept_.emplace_back(path, LoadLibraryExA(path, nullptr, 0));
}

} // namespace qv::fw
