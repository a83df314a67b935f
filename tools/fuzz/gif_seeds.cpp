#include "tools/fuzz/gif_seeds.h"

#include <cstdint>

#include "tools/fuzz/gif_writer.h"

namespace fuzz {

namespace {

using namespace gifwrite;

// `count` colours, each different.
std::vector<uint32_t> Colours(unsigned count, unsigned salt) {
    std::vector<uint32_t> out;
    for (unsigned i = 0; i < count; ++i) {
        out.push_back((((i * 37 + salt) & 0xFF) << 16) | (((i * 11) & 0xFF) << 8) | (255 - i));
    }
    return out;
}

std::string Noise(size_t count, unsigned modulo, uint32_t seed) {
    std::string out;
    while (out.size() < count) {
        seed = seed * 1103515245u + 12345u;
        out += static_cast<char>((seed >> 16) % modulo);
    }
    return out;
}

}  // namespace

std::vector<std::string> MakeGifSeeds() {
    std::vector<std::string> seeds;
    // Two frames that loop forever: a transparent index, disposal to the background, a
    // second frame over part of the first with its own colour table.
    seeds.push_back(Header(6, 5, Colours(4, 0)) + Loop("NETSCAPE2.0", 0) + Control(2, 10, 3) +
                    Image(0, 0, 6, 5, Noise(30, 4, 1)) + Control(1, 0) +
                    Image(2, 1, 3, 3, Noise(9, 8, 2), 3, Colours(8, 91)) + ";");
    // An interlaced frame of sixteen colours with no extensions, in the older version.
    seeds.push_back(Header(16, 11, Colours(16, 0), "GIF87a") + Image(0, 0, 16, 11, Noise(176, 16, 3), 4, {}, true) +
                    ";");
    // Frames restored to the state before them, with a comment, plain text and an unknown
    // application between them, counted by the other looping extension.
    const std::string comment = std::string("\x21\xFE\x05hello", 8) + '\0';
    const std::string text = "\x21\x01\x0C" + std::string(12, '\x01') + "\x02hi" + '\0';
    const std::string unknown = std::string("\x21\xFF\x0BXYZWVUT1.0A\x02xy", 17) + '\0';
    seeds.push_back(Header(8, 8, Colours(8, 0)) + Loop("ANIMEXTS1.0", 5) + Control(3, 3) +
                    Image(0, 0, 8, 8, Noise(64, 8, 4), 3) + comment + Control(3, 0, 0) +
                    Image(4, 4, 6, 6, Noise(36, 8, 5), 3) + text + unknown +
                    Image(1, 1, 2, 2, std::string("\x01\x00\x01\x01", 4), 2, Colours(2, 7)) + ";");
    // Enough noise in 256 colours to fill the string table many times, then a frame that
    // reaches past the screen.
    seeds.push_back(Header(64, 64, Colours(256, 0)) + Image(0, 0, 64, 64, Noise(4096, 256, 6), 8) + Control(0, 2) +
                    Image(48, 60, 40, 9, Noise(360, 256, 7), 8, {}, true) + ";");
    return seeds;
}

}  // namespace fuzz
