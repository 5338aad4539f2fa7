// A small PNG encoder for screenshots: 8-bit RGB or RGBA pixels, written with
// stored (uncompressed) deflate blocks inside a zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::core {

// CRC-32 (ISO 3309, as PNG chunks use it). Pass the previous result to continue
// over a further block; start with 0.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t previous = 0);

// Adler-32 (as the zlib stream uses it). Continue with the previous result; start with 1.
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t previous = 1);

// Encodes an image whose rows run top to bottom, `stride` bytes apart, each
// holding `width` pixels of `channels` bytes (3 = R,G,B; 4 = R,G,B,A).
// Returns the PNG file bytes, or an empty vector when the arguments cannot
// describe an image (zero size, other channel counts, stride too small, null pixels).
std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, int channels, const uint8_t* pixels,
                               size_t stride);

} // namespace qv::core
