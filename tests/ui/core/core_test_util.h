// Builders of test inputs for the framework core: ZIP archives (including
// hostile ones) and PNG images, made from bytes inside the test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace coretest {

struct ZipEntry {
    std::string name;
    std::string data;
    uint16_t method = 8;          // 0 stored, 8 deflated, anything else as given
    // Overrides of what the headers claim (-1: the true value).
    int64_t claimedSize = -1;
    int64_t claimedCrc = -1;
    int64_t claimedCompressedSize = -1;
    int64_t claimedLocalOffset = -1;
    // Raw member bytes instead of compressing `data` (method must match).
    bool rawData = false;
};

// Raw DEFLATE of `data` (no zlib header).
std::string Deflate(const std::string& data);
// Raw DEFLATE of `zeros` zero bytes, produced in chunks.
std::string DeflateZeros(size_t zeros);
// A complete archive with a central directory.
std::string BuildZip(const std::vector<ZipEntry>& entries);

// An RGBA image, row-major, 4 bytes per pixel.
struct Rgba {
    unsigned char r, g, b, a;
};
std::string BuildPng(int width, int height, const std::vector<Rgba>& pixels);
// A PNG whose header claims the given size but carries (almost) no data.
std::string BuildPngHeaderOnly(uint32_t width, uint32_t height);

// Wide <-> narrow helpers for paths built in tests.
std::wstring Widen(const std::string& s);

}  // namespace coretest
