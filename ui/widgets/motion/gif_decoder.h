// DecodeGif: an animated GIF (87a or 89a) as whole frames ready to draw.
//
// Every frame comes out composed onto the logical screen as the viewer would
// see it (earlier frames, disposal and transparency applied), as top-down
// 32-bit pixels with premultiplied alpha, so that a player only flips frames.
// The decoded frames' total size is bounded: a file that would take more stops
// at the last frame that fits, and so does one with more frames than allowed.
// A truncated or damaged frame ends the animation after the frames before it.
//
// As browsers show them: the screen starts transparent, and a frame disposed to
// the background leaves its rectangle transparent; an index past the colour
// table is opaque black; a frame's data that stops early (at its end code or its
// blocks' end) leaves the rest of the frame as it was, and the animation goes on.
// Damage is an invalid code, a minimum code size outside 1..11, the decoding
// work's bound (maxBytes) or the file's end before the frame's visible rows are
// all decoded; a damaged first frame is still shown as far as it was decoded
// (false when not one pixel of it was). Frames are clipped to the screen; a
// screen of no width or height takes the first frame's extent.
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
    // The file's looping extension counts repeats after the first showing: its 0
    // becomes 0, its n becomes n + 1; without the extension the animation plays once.
    int loopCount = 0;  // times the whole animation plays; 0 plays it forever
    std::vector<TGifFrame> frames;
};

struct TGifLimits {
    // Also bounds the decoding work: as many indices as maxBytes / 4 pixels, counting
    // those of frames' parts that lie off the screen.
    size_t maxBytes = size_t(64) << 20;  // all frames' pixels together
    size_t maxFrames = 4096;
    int maxSide = 8192;                  // width or height of the logical screen
};

// False (and `out` empty) when the data is no GIF or not even one frame could be decoded.
bool DecodeGif(const BYTE* data, size_t size, TGifAnimation& out, const TGifLimits& limits = TGifLimits());

}  // namespace SkinUI
