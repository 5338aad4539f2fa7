#include "qvcore/png_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace qv::core;

namespace {

const uint8_t* Bytes(const char* text) {
    return reinterpret_cast<const uint8_t*>(text);
}

uint32_t BigEndian32(const std::vector<uint8_t>& v, size_t at) {
    return (uint32_t{v[at]} << 24) | (uint32_t{v[at + 1]} << 16) | (uint32_t{v[at + 2]} << 8) |
           uint32_t{v[at + 3]};
}

struct Chunk {
    std::string type;
    std::vector<uint8_t> data;
};

// Splits a PNG file into its chunks, checking the signature and every chunk CRC.
std::vector<Chunk> ReadChunks(const std::vector<uint8_t>& png) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<Chunk> chunks;
    EXPECT_GE(png.size(), 8u);
    if (png.size() < 8 || std::memcmp(png.data(), signature, 8) != 0) {
        ADD_FAILURE() << "bad signature";
        return chunks;
    }
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t len = BigEndian32(png, at);
        if (at + 12 + len > png.size()) {
            ADD_FAILURE() << "chunk overruns the file";
            return chunks;
        }
        Chunk c;
        c.type.assign(png.begin() + at + 4, png.begin() + at + 8);
        c.data.assign(png.begin() + at + 8, png.begin() + at + 8 + len);
        EXPECT_EQ(BigEndian32(png, at + 8 + len), Crc32(png.data() + at + 4, 4 + len)) << c.type;
        chunks.push_back(std::move(c));
        at += 12 + len;
    }
    EXPECT_EQ(at, png.size()) << "trailing bytes";
    return chunks;
}

// Undoes the zlib stream of stored blocks; checks the header, block lengths and Adler-32.
std::vector<uint8_t> Unstore(const std::vector<uint8_t>& z, int* blocks) {
    std::vector<uint8_t> out;
    *blocks = 0;
    EXPECT_GE(z.size(), 6u);
    EXPECT_EQ(((z[0] << 8) | z[1]) % 31, 0) << "zlib header check bits";
    EXPECT_EQ(z[0] & 0x0F, 8) << "deflate";
    size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > z.size()) {
            ADD_FAILURE() << "truncated block header";
            return out;
        }
        last = (z[at] & 1) != 0;
        EXPECT_EQ(z[at] & 6, 0) << "stored block type";
        const unsigned len = z[at + 1] | (z[at + 2] << 8);
        const unsigned nlen = z[at + 3] | (z[at + 4] << 8);
        EXPECT_EQ(len ^ 0xFFFFu, nlen);
        at += 5;
        if (at + len > z.size()) {
            ADD_FAILURE() << "truncated block";
            return out;
        }
        out.insert(out.end(), z.begin() + at, z.begin() + at + len);
        at += len;
        ++*blocks;
    }
    EXPECT_EQ(at + 4, z.size());
    if (at + 4 == z.size()) {
        EXPECT_EQ(BigEndian32(z, at), Adler32(out.data(), out.size()));
    }
    return out;
}

} // namespace

TEST(PngWriter, ChecksumsOfKnownVectors) {
    EXPECT_EQ(Crc32(Bytes("123456789"), 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes(""), 0), 0u);
    EXPECT_EQ(Crc32(Bytes("IEND"), 4), 0xAE426082u);
    // Continuing over a split gives the same value as one pass.
    EXPECT_EQ(Crc32(Bytes("6789"), 4, Crc32(Bytes("12345"), 5)), 0xCBF43926u);

    EXPECT_EQ(Adler32(Bytes("Wikipedia"), 9), 0x11E60398u);
    EXPECT_EQ(Adler32(Bytes(""), 0), 1u);
    EXPECT_EQ(Adler32(Bytes("pedia"), 5, Adler32(Bytes("Wiki"), 4)), 0x11E60398u);
    // A long run of 0xFF exercises the deferred modulo.
    std::vector<uint8_t> ones(100000, 0xFF);
    uint32_t a = 1, b = 0;
    for (uint8_t byte : ones) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(ones.data(), ones.size()), (b << 16) | a);
}

TEST(PngWriter, ChunksHeaderAndPixelsRoundTrip) {
    // 3 x 2 RGB with a padded stride of 12 bytes.
    const uint8_t pixels[24] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9,
                                1,   2, 3, 4, 5,   6, 7, 8, 9,   9, 9, 9};
    const auto png = EncodePng(3, 2, 3, pixels, 12);
    const auto chunks = ReadChunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
    ASSERT_EQ(chunks[0].data.size(), 13u);
    EXPECT_EQ(BigEndian32(chunks[0].data, 0), 3u);
    EXPECT_EQ(BigEndian32(chunks[0].data, 4), 2u);
    EXPECT_EQ(chunks[0].data[8], 8);  // bit depth
    EXPECT_EQ(chunks[0].data[9], 2);  // RGB
    EXPECT_EQ(chunks[0].data[12], 0); // no interlace
    int blocks = 0;
    const auto raw = Unstore(chunks[1].data, &blocks);
    const std::vector<uint8_t> expected = {0, 255, 0, 0, 0, 255, 0, 0, 0, 255,
                                           0, 1,   2, 3, 4, 5,   6, 7, 8, 9};
    EXPECT_EQ(raw, expected);
    EXPECT_EQ(blocks, 1);

    // RGBA gives colour type 6.
    const uint8_t rgba[4] = {1, 2, 3, 4};
    const auto png4 = ReadChunks(EncodePng(1, 1, 4, rgba, 4));
    ASSERT_FALSE(png4.empty());
    EXPECT_EQ(png4[0].data[9], 6);
}

TEST(PngWriter, LargeImagesSpanSeveralStoredBlocks) {
    const uint32_t w = 300, h = 200; // 200 rows of 901 bytes: three blocks
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint8_t>(i * 7);
    }
    const auto chunks = ReadChunks(EncodePng(w, h, 3, pixels.data(), w * 3));
    ASSERT_EQ(chunks.size(), 3u);
    int blocks = 0;
    const auto raw = Unstore(chunks[1].data, &blocks);
    EXPECT_EQ(blocks, 3);
    ASSERT_EQ(raw.size(), (w * 3 + 1) * h);
    for (uint32_t y = 0; y < h; ++y) {
        ASSERT_EQ(raw[y * (w * 3 + 1)], 0) << "filter byte of row " << y;
        ASSERT_EQ(std::memcmp(&raw[y * (w * 3 + 1) + 1], &pixels[y * w * 3], w * 3), 0) << y;
    }
}

TEST(PngWriter, RejectsArgumentsThatDescribeNoImage) {
    const uint8_t px[12] = {};
    EXPECT_TRUE(EncodePng(0, 1, 3, px, 3).empty());
    EXPECT_TRUE(EncodePng(1, 0, 3, px, 3).empty());
    EXPECT_TRUE(EncodePng(1, 1, 2, px, 3).empty());
    EXPECT_TRUE(EncodePng(2, 1, 3, px, 5).empty()); // stride shorter than a row
    EXPECT_TRUE(EncodePng(1, 1, 3, nullptr, 3).empty());
    EXPECT_FALSE(EncodePng(1, 1, 3, px, 3).empty());
}
