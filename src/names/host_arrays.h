// The host's string and number arrays as the name dialogs read and edit them:
// read without trusting the header (NULL data with a count, a count beyond
// what can be read, texts without an end), and edited in place when the
// header describes a block of the shared heap, or else given a new block
// holding what could be read (the old block is left alone, never freed).
#pragma once

#include "qvssd/types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::names {

// The most elements read from one host array.
inline constexpr int32_t kMaxHostElements = 1 << 20;

// The texts of a host array as the library holds texts (the host's bytes are
// converted), each read up to `textLimit` bytes; an array that cannot be read
// gives none.
std::vector<std::string> ReadHostStrings(const QVStringArray* array, size_t textLimit);
// The numbers of a host array.
std::vector<uint32_t> ReadHostUInts(const QVUIntArray* array);

// A host's string array edited in place, its texts mirrored by `Texts()` as
// the library holds texts; what it writes reaches the host in the host's form.
class HostStringArray {
  public:
    HostStringArray(QVStringArray* array, size_t textLimit);

    const std::vector<std::string>& Texts() const { return texts_; }
    bool RemoveAt(size_t index);
    bool Append(const std::string& text);

  private:
    bool MakeEditable();

    QVStringArray* array_;
    std::vector<std::string> texts_;
};

// A host's number array edited in place.
class HostUIntArray {
  public:
    explicit HostUIntArray(QVUIntArray* array);

    const std::vector<uint32_t>& Values() const { return values_; }
    bool RemoveAt(size_t index);
    bool Append(uint32_t value);
    // Makes the array hold exactly `values`.
    bool Assign(const std::vector<uint32_t>& values);

  private:
    bool MakeEditable();

    QVUIntArray* array_;
    std::vector<uint32_t> values_;
};

} // namespace qv::names
