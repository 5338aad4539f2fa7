// The host's arrays as the Subtotal dialog reads and writes them, without
// trusting their headers.
#pragma once

#include "qvssd/types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::datatools {

// The texts of a host array, each at most `textLimit` characters; elements
// that cannot be read are not taken.
std::vector<std::string> ReadHostStrings(const QVStringArray* array, size_t textLimit);
// The numbers of a host array that can be read.
std::vector<uint32_t> ReadHostUInts(const QVUIntArray* array);
// Makes the host's array hold exactly `values`: in its own block when that is
// a block of the shared heap, else in a new one (the old one is left alone).
bool AssignHostUInts(QVUIntArray* array, const std::vector<uint32_t>& values);

} // namespace qv::datatools
