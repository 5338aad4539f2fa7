// Reading what the host hands over without trusting it: pointers that may be
// NULL or point at nothing readable, texts that may not be terminated.
#pragma once

#include "qvssd/types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Reads many host texts as ReadHostText does, asking the system about each
// region of memory once: a text inside a region already found readable needs
// no further question (65,536 lines cost a handful of queries, not 65,536).
class HostTextReader {
  public:
    std::string Read(const char* text, size_t limit);

  private:
    // How many bytes from `at` are known readable (0: not readable).
    size_t ReadableFrom(uintptr_t at);

    uintptr_t start_ = 0;
    uintptr_t end_ = 0; // [start_, end_) is committed, readable memory
};

// Upper bound for host texts whose length no contract fixes.
constexpr size_t kHostTextLimit = 32767;

// Texts in the host's records are single-byte: ASCII in the lower half and
// ISCII-91 in the upper half, in the script of the local language (the host's
// legacy local fonts were ISCII fonts; ISCII's attribute code switches
// script). The library holds texts as UTF-8: these convert at the boundary.
// Characters that neither ASCII nor ISCII can hold reach the host as "?".
std::string FromHostText(std::string_view hostText);
std::string ToHostText(std::string_view text);
// ReadHostText, then FromHostText.
std::string ReadHostTextShown(const char* text, size_t limit);
// Writes ToHostText(text) into a host buffer of `size` bytes (at most size - 1
// bytes and a terminating zero); false when the buffer is not writable.
bool WriteHostText(char* buffer, size_t size, std::string_view text);

// The most elements read from one host array.
constexpr int32_t kMaxHostElements = 1 << 20;

// The texts of a host's string array, each at most `textLimit` characters;
// only the elements whose block can be read are taken (none for NULL).
std::vector<std::string> ReadHostStrings(const QVStringArray* array, size_t textLimit);
// The numbers of a host's array that can be read.
std::vector<uint32_t> ReadHostUInts(const QVUIntArray* array);
// Makes the host's array hold exactly `values`: in its own block when that is
// a block of the shared heap, else in a new one (the old one is not ours to
// free). False when the header cannot be written or memory runs out.
bool AssignHostUInts(QVUIntArray* array, const std::vector<uint32_t>& values);

} // namespace qv::frame
