// DecodeGif: an animated GIF (87a or 89a) as whole frames ready to draw.
//
// Every frame comes out composed onto the logical screen as the viewer would
// see it (earlier frames, disposal and transparency applied), as top-down
// 32-bit pixels with premultiplied alpha, so that a player only flips frames.
// The decoded frames' total size is bounded: a file that would take more stops
// at the last frame that fits, and so does one with more frames than allowed.
// A truncated or damaged frame ends the animation after the frames before it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace SkinUI {

struct TGifFrame {
    std::vector<uint32_t> pixels;  // width * height, premultiplied BGRA, top-down
    UINT delayMs = 100;            // how long it stands; a zero delay in the file is 100 ms
};

struct TGifAnimation {
    int width = 0;
    int height = 0;
    int loopCount = 0;  // times the whole animation plays; 0 plays it forever
    std::vector<TGifFrame> frames;
};

struct TGifLimits {
    size_t maxBytes = size_t(64) << 20;  // all frames' pixels together
    size_t maxFrames = 4096;
    int maxSide = 8192;                  // width or height of the logical screen
};

// False (and `out` empty) when the data is no GIF or not even one frame could be decoded.
bool DecodeGif(const BYTE* data, size_t size, TGifAnimation& out, const TGifLimits& limits = TGifLimits());

}  // namespace SkinUI
