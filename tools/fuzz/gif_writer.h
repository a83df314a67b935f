// Writing GIF files block by block: the fuzzer's seeds and the decoder's tests are
// made with it. Indices are bytes, one per pixel, rows top to bottom; colours 0xRRGGBB.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace gifwrite {

inline void PutWord(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// The size field of a table: it holds 2 << bits entries, padded with black.
inline int TableBits(size_t count) {
    int bits = 0;
    while ((2u << bits) < count) ++bits;
    return bits;
}

inline void PutTable(std::string& out, const std::vector<uint32_t>& colours) {
    for (size_t i = 0; !colours.empty() && i < (2u << TableBits(colours.size())); ++i) {
        const uint32_t c = i < colours.size() ? colours[i] : 0;
        out += static_cast<char>(c >> 16);
        out += static_cast<char>(c >> 8);
        out += static_cast<char>(c);
    }
}

// The image data as encoders write it: the code width grows with the string table up to
// 12 bits (once the decoder's table, one entry behind, holds 1 << width entries), and a
// clear code starts the table over when it is full.
inline std::string Lzw(const std::string& indices, int minSize) {
    const int clear = 1 << minSize;
    std::string bytes;
    uint32_t bits = 0;
    int count = 0, width = minSize + 1, next = clear + 2;
    auto put = [&](int code) {
        bits |= static_cast<uint32_t>(code) << count;
        for (count += width; count >= 8; count -= 8, bits >>= 8) bytes += static_cast<char>(bits & 0xFF);
    };
    auto emit = [&](int code) {
        put(code);
        if (next >= (1 << width) && width < 12) ++width;
    };
    std::map<std::pair<int, int>, int> table;
    put(clear);
    int prefix = -1;
    for (char c : indices) {
        const int index = static_cast<unsigned char>(c) & (clear - 1);
        const auto found = table.find({prefix, index});
        if (prefix < 0 || found != table.end()) {
            prefix = prefix < 0 ? index : found->second;
            continue;
        }
        emit(prefix);
        if (next < 4096) {
            table[{prefix, index}] = next++;
        } else {
            put(clear);
            table.clear();
            width = minSize + 1;
            next = clear + 2;
        }
        prefix = index;
    }
    if (prefix >= 0) emit(prefix);
    put(clear + 1);
    if (count > 0) bytes += static_cast<char>(bits);
    std::string out(1, static_cast<char>(minSize));
    for (size_t at = 0; at < bytes.size(); at += 255) {
        const std::string block = bytes.substr(at, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    return out + '\0';
}

// The signature, the logical screen and its global table (none when empty).
inline std::string Header(unsigned width, unsigned height, const std::vector<uint32_t>& colours,
                          const char* signature = "GIF89a") {
    std::string out = signature;
    PutWord(out, width);
    PutWord(out, height);
    out += static_cast<char>(colours.empty() ? 0 : 0x80 | TableBits(colours.size()));
    out += std::string(2, '\0');
    PutTable(out, colours);
    return out;
}

// The looping extension ("NETSCAPE2.0" or "ANIMEXTS1.0") with its count of repeats.
inline std::string Loop(const char* application, unsigned repeats) {
    std::string out = "\x21\xFF\x0B";
    out += application;
    out += "\x03\x01";
    PutWord(out, repeats);
    return out + '\0';
}

// The graphic control extension for the next image; `transparent` < 0 for none.
inline std::string Control(int disposal, unsigned delayCs, int transparent = -1) {
    std::string out = "\x21\xF9\x04";
    out += static_cast<char>((disposal << 2) | (transparent >= 0 ? 1 : 0));
    PutWord(out, delayCs);
    out += static_cast<char>(transparent >= 0 ? transparent : 0);
    return out + '\0';
}

// An image with its own table when `colours` is not empty, its rows written in the four
// interlaced passes when asked.
inline std::string Image(unsigned left, unsigned top, unsigned width, unsigned height, const std::string& indices,
                         int minSize = 2, const std::vector<uint32_t>& colours = {}, bool interlaced = false) {
    std::string out = ",";
    for (unsigned v : {left, top, width, height}) PutWord(out, v);
    out += static_cast<char>((colours.empty() ? 0 : 0x80 | TableBits(colours.size())) | (interlaced ? 0x40 : 0));
    PutTable(out, colours);
    std::string ordered = indices;
    if (interlaced) {
        ordered.clear();
        const unsigned start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (unsigned y = start[pass]; y < height; y += step[pass]) ordered += indices.substr(y * width, width);
        }
    }
    return out + Lzw(ordered, minSize);
}

}  // namespace gifwrite
