#include "qvcore/png_writer.h"

#include <array>

namespace qv::core {

namespace {

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value >> 24));
    out.push_back(static_cast<uint8_t>(value >> 16));
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
    PutBigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(out.data() + typeAt, 4 + data.size()));
}

} // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t previous) {
    const auto& table = CrcTable();
    uint32_t c = previous ^ 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const uint8_t* data, size_t size, uint32_t previous) {
    constexpr uint32_t kMod = 65521;
    uint32_t a = previous & 0xFFFF;
    uint32_t b = previous >> 16;
    while (size > 0) {
        // 5552 is the largest run whose sums cannot overflow 32 bits before the modulo.
        const size_t run = size < 5552 ? size : 5552;
        for (size_t i = 0; i < run; ++i) {
            a += data[i];
            b += a;
        }
        a %= kMod;
        b %= kMod;
        data += run;
        size -= run;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, int channels, const uint8_t* pixels,
                               size_t stride) {
    if (width == 0 || height == 0 || (channels != 3 && channels != 4) || pixels == nullptr ||
        width > 0x7FFFFFFFu / 4 || height > 0x7FFFFFFFu) {
        return {};
    }
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    if (stride < rowBytes) {
        return {};
    }

    // Filtered scan lines: each row starts with filter type 0 (none).
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * height);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * stride;
        raw.push_back(0);
        raw.insert(raw.end(), row, row + rowBytes);
    }

    // zlib stream: header (deflate, 32K window, no dictionary, check bits), stored
    // blocks of at most 65535 bytes, Adler-32 of the uncompressed data.
    std::vector<uint8_t> zlib{0x78, 0x01};
    size_t at = 0;
    do {
        const size_t len = raw.size() - at < 65535 ? raw.size() - at : 65535;
        const bool last = at + len == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<uint8_t>(len));
        zlib.push_back(static_cast<uint8_t>(len >> 8));
        zlib.push_back(static_cast<uint8_t>(~len));
        zlib.push_back(static_cast<uint8_t>(~len >> 8));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + len));
        at += len;
    } while (at < raw.size());
    PutBigEndian32(zlib, Adler32(raw.data(), raw.size()));

    std::vector<uint8_t> header;
    PutBigEndian32(header, width);
    PutBigEndian32(header, height);
    header.push_back(8);                     // bit depth
    header.push_back(channels == 4 ? 6 : 2); // colour type: RGBA or RGB
    header.push_back(0);                     // compression: deflate
    header.push_back(0);                     // filter method
    header.push_back(0);                     // no interlace

    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

} // namespace qv::core
