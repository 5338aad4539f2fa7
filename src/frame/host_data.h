// Reading what the host hands over without trusting it: pointers that may be
// NULL or point at nothing readable, texts that may not be terminated.
#pragma once

#include "qvssd/types.h"

#include <cstddef>
#include <string>

namespace qv::frame {

// True when `bytes` bytes from `address` are committed, readable memory.
bool IsReadable(const void* address, size_t bytes);
// True when `bytes` bytes from `address` are committed, writable memory.
bool IsWritable(void* address, size_t bytes);

// The host's text: at most `limit` characters, stopping at the terminator or
// at the first byte that cannot be read. NULL gives an empty text.
std::string ReadHostText(const char* text, size_t limit);

// A string array the host has filled, made safe to read and to free: a size
// outside 0..capacity is brought into it, and storage or entries that cannot
// be read are let go of (left to leak rather than freed or read).
void TrustHostStrings(QVStringArray& array);

// Upper bound for host texts whose length no contract fixes.
constexpr size_t kHostTextLimit = 32767;

} // namespace qv::frame
