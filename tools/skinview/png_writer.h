#pragma once
// Minimal PNG encoder: 8-bit RGBA, no interlacing, one IDAT chunk compressed by zlib.

#include <cstdint>
#include <string>
#include <vector>

namespace skinview {

// `rgba` holds width * height pixels, four bytes each (R, G, B, A), rows top to bottom.
// Returns the encoded file bytes, or an empty vector when the input is inconsistent.
std::vector<uint8_t> EncodePng(const uint8_t* rgba, int width, int height);

// Encodes and writes to `path`; false when encoding or writing fails.
bool WritePngFile(const std::wstring& path, const uint8_t* rgba, int width, int height);

}  // namespace skinview
