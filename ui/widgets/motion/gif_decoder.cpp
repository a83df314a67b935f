#include "ui/widgets/motion/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "ui/widgets/motion/gif_lzw.h"

namespace SkinUI {

namespace {

const BYTE kExtensionIntroducer = 0x21;
const BYTE kImageSeparator = 0x2C;
const BYTE kGraphicControlLabel = 0xF9;
const BYTE kApplicationLabel = 0xFF;
const uint32_t kOpaqueBlack = 0xFF000000u;

enum EDisposal { kDisposeNone = 0, kDisposeKeep = 1, kDisposeBackground = 2, kDisposePrevious = 3 };

// What a graphic control extension says about the image after it.
struct TFrameControl {
    UINT delayCs = 0;
    int transparent = -1;  // the index that is not drawn; -1 for none
    int disposal = kDisposeNone;
};

// The visible part of a frame on the logical screen: columns x0..x1, rows y0..y1 (ends excluded).
struct TClip {
    int x0, y0, x1, y1;
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// Takes the indices of one frame in stream order and draws each finished row's visible
// part onto the canvas. Interlaced frames arrive in four passes: every 8th row from 0,
// every 8th from 4, every 4th from 2, every 2nd from 1.
class CFrameWriter final : public IGifIndexSink {
public:
    CFrameWriter(uint32_t* canvas, int canvasWidth, int left, int top, int width, int height, const TClip& clip,
                 bool interlaced, const uint32_t* palette, int transparent, size_t& budget)
        : m_canvas(canvas), m_canvasWidth(canvasWidth), m_left(left), m_top(top), m_width(width), m_height(height),
          m_clip(clip), m_interlaced(interlaced), m_palette(palette), m_transparent(transparent), m_budget(budget),
          m_row(static_cast<size_t>(width)) {}

    bool Put(const BYTE* indices, size_t count) override {
        if (m_done) return false;
        m_started = true;
        while (count > 0) {
            const size_t n = std::min(count, static_cast<size_t>(m_width - m_column));
            // Frames may reach far past the screen; the budget keeps their cost bounded.
            if (n > m_budget) {
                return false;
            }
            m_budget -= n;
            memcpy(&m_row[static_cast<size_t>(m_column)], indices, n);
            m_column += static_cast<int>(n);
            indices += n;
            count -= n;
            if (m_column == m_width) {
                FinishRow();
                if (m_done) return false;
            }
        }
        return true;
    }

    // Every row that shows on the screen has been decoded.
    bool Done() const { return m_done; }
    bool Started() const { return m_started; }

private:
    void FinishRow() {
        const int y = m_top + m_rowIndex;
        if (y < m_clip.y1) {
            uint32_t* out = m_canvas + static_cast<size_t>(y) * static_cast<size_t>(m_canvasWidth);
            for (int x = m_clip.x0; x < m_clip.x1; ++x) {
                const BYTE index = m_row[static_cast<size_t>(x - m_left)];
                if (index != m_transparent) out[x] = m_palette[index];
            }
        }
        m_column = 0;
        static const int kStart[4] = {0, 4, 2, 1};
        static const int kStep[4] = {8, 8, 4, 2};
        if (!m_interlaced) {
            ++m_rowIndex;
            // Rows below the screen are not decoded at all.
            m_done = m_rowIndex >= m_height || m_top + m_rowIndex >= m_clip.y1;
            return;
        }
        m_rowIndex += kStep[m_pass];
        while (m_rowIndex >= m_height) {
            if (++m_pass == 4) {
                m_done = true;
                return;
            }
            m_rowIndex = kStart[m_pass];
        }
        // Earlier passes must be read through; the last one can stop below the screen.
        m_done = m_pass == 3 && m_top + m_rowIndex >= m_clip.y1;
    }

    uint32_t* m_canvas;
    int m_canvasWidth;
    int m_left, m_top, m_width, m_height;
    TClip m_clip;
    bool m_interlaced;
    const uint32_t* m_palette;
    int m_transparent;
    size_t& m_budget;
    std::vector<BYTE> m_row;
    int m_column = 0;
    int m_rowIndex = 0;
    int m_pass = 0;
    bool m_done = false;
    bool m_started = false;
};

class CGifDecoder {
public:
    CGifDecoder(const BYTE* data, size_t size, const TGifLimits& limits, TGifAnimation& out)
        : m_data(data), m_size(size), m_limits(limits), m_out(out), m_budget(limits.maxBytes / 4) {}

    bool Run() {
        if (!ReadHeader()) return false;
        bool more = true;
        while (more && m_pos < m_size) {
            const BYTE kind = m_data[m_pos++];
            if (kind == kExtensionIntroducer) {
                more = ReadExtension();
            } else if (kind == kImageSeparator) {
                more = ReadImage();
            } else {
                more = false;  // the trailer, or something that is no block
            }
        }
        if (m_out.frames.empty()) return false;
        m_out.width = m_width;
        m_out.height = m_height;
        m_out.loopCount = m_loopCount;
        return true;
    }

private:
    unsigned Word(size_t at) const { return m_data[at] | (static_cast<unsigned>(m_data[at + 1]) << 8); }
    size_t Left() const { return m_size - m_pos; }

    // Reads `count` RGB entries at the current position into `table`.
    bool ReadColours(unsigned count, uint32_t* table) {
        if (Left() / 3 < count) return false;
        for (unsigned i = 0; i < count; ++i, m_pos += 3) {
            table[i] = kOpaqueBlack | (static_cast<uint32_t>(m_data[m_pos]) << 16) |
                       (static_cast<uint32_t>(m_data[m_pos + 1]) << 8) | m_data[m_pos + 2];
        }
        return true;
    }

    bool ReadHeader() {
        if (!m_data || m_size < 13) return false;
        if (memcmp(m_data, "GIF87a", 6) != 0 && memcmp(m_data, "GIF89a", 6) != 0) return false;
        m_width = static_cast<int>(Word(6));
        m_height = static_cast<int>(Word(8));
        const BYTE flags = m_data[10];
        m_pos = 13;
        std::fill(m_global, m_global + 256, kOpaqueBlack);
        return (flags & 0x80) == 0 || ReadColours(2u << (flags & 7), m_global);
    }

    // False when the data ends inside it.
    bool ReadExtension() {
        if (m_pos >= m_size) return false;
        const BYTE label = m_data[m_pos++];
        const size_t length = m_pos < m_size ? m_data[m_pos] : 0;
        if (Left() > length) {
            const BYTE* body = m_data + m_pos + 1;
            if (label == kGraphicControlLabel && length >= 4) {
                m_control.disposal = (body[0] >> 2) & 7;
                m_control.delayCs = body[1] | (static_cast<UINT>(body[2]) << 8);
                m_control.transparent = (body[0] & 1) ? body[3] : -1;
            } else if (label == kApplicationLabel && length == 11 &&
                       (memcmp(body, "NETSCAPE2.0", 11) == 0 || memcmp(body, "ANIMEXTS1.0", 11) == 0)) {
                ReadLoopCount(m_pos + 12);
            }
        }
        CGifSubBlocks blocks(m_data, m_size, m_pos);
        blocks.SkipRest();
        m_pos = blocks.Position();
        return !blocks.Truncated();
    }

    // The sub-block after the application's name: 1, then the count of repeats.
    void ReadLoopCount(size_t at) {
        if (m_loopSeen || at >= m_size || m_size - at < 4 || m_data[at] < 3 || m_data[at + 1] != 1) return;
        m_loopSeen = true;
        // The count is of repeats after the first showing (as browsers play it); 0 repeats forever.
        const int repeats = static_cast<int>(Word(at + 2));
        m_loopCount = repeats == 0 ? 0 : repeats + 1;
    }

    // The logical screen, set up by the first image; a screen of no width or height
    // takes the first image's extent instead.
    bool StartCanvas(int left, int top, int width, int height) {
        if (m_width == 0) m_width = left + width;
        if (m_height == 0) m_height = top + height;
        if (m_width <= 0 || m_height <= 0 || m_width > m_limits.maxSide || m_height > m_limits.maxSide) return false;
        const unsigned long long bytes = static_cast<unsigned long long>(m_width) * m_height * 4u;
        if (bytes > m_limits.maxBytes) return false;
        m_frameBytes = static_cast<size_t>(bytes);
        m_canvas.assign(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0);
        return true;
    }

    // False when the animation ends with this image (kept or not).
    bool ReadImage() {
        if (Left() < 9) return false;
        const int left = static_cast<int>(Word(m_pos));
        const int top = static_cast<int>(Word(m_pos + 2));
        const int width = static_cast<int>(Word(m_pos + 4));
        const int height = static_cast<int>(Word(m_pos + 6));
        const BYTE flags = m_data[m_pos + 8];
        m_pos += 9;
        uint32_t palette[256];
        if (flags & 0x80) {
            std::fill(palette, palette + 256, kOpaqueBlack);
            if (!ReadColours(2u << (flags & 7), palette)) return false;
        } else {
            memcpy(palette, m_global, sizeof(palette));
        }
        if (m_canvas.empty() && !StartCanvas(left, top, width, height)) return false;
        // The bounds: stop at the last frame that fits.
        if (m_out.frames.size() >= m_limits.maxFrames || m_limits.maxBytes - m_used < m_frameBytes) return false;
        if (m_pos >= m_size) return false;
        const int minCodeSize = m_data[m_pos++];

        const TClip clip = {left, top, std::min(left + width, m_width), std::min(top + height, m_height)};
        if (m_control.disposal == kDisposePrevious && !clip.Empty()) Save(clip);
        CGifSubBlocks blocks(m_data, m_size, m_pos);
        bool complete = true;
        bool started = false;
        if (!clip.Empty()) {
            if (!m_lzw) m_lzw.reset(new CGifLzw);
            CFrameWriter writer(m_canvas.data(), m_width, left, top, width, height, clip, (flags & 0x40) != 0, palette,
                                m_control.transparent, m_budget);
            const EGifLzwEnd end = m_lzw->Decode(minCodeSize, blocks, writer);
            started = writer.Started();
            // Data that stops early at its end code or terminator leaves the rest of the frame
            // as it was; a bad code, the end of the file or the exhausted budget damages it.
            complete = writer.Done() || end == kGifLzwEndCode || (end == kGifLzwDataEnd && !blocks.Truncated());
        }
        blocks.SkipRest();
        m_pos = blocks.Position();
        // A damaged frame ends the animation; the first one is still shown as far as it was decoded.
        if (!complete && (!m_out.frames.empty() || !started)) return false;
        const bool last = !complete || blocks.Truncated() || m_out.frames.size() + 1 >= m_limits.maxFrames;
        TGifFrame frame;
        if (last) {
            frame.pixels.swap(m_canvas);  // nothing is drawn after it
        } else {
            frame.pixels = m_canvas;
        }
        frame.delayMs = m_control.delayCs == 0 ? 100 : m_control.delayCs * 10;
        m_out.frames.push_back(std::move(frame));
        m_used += m_frameBytes;
        if (last) return false;

        if (!clip.Empty() && m_control.disposal == kDisposeBackground) {
            Fill(clip);
        } else if (!clip.Empty() && m_control.disposal == kDisposePrevious) {
            Restore(clip);
        }
        m_control = TFrameControl();
        return true;
    }

    // The helpers below take a clip that is not empty.
    // Restoring to the background clears to transparent, as browsers do.
    void Fill(const TClip& clip) {
        for (int y = clip.y0; y < clip.y1; ++y) {
            uint32_t* row = Row(y);
            std::fill(row + clip.x0, row + clip.x1, 0u);
        }
    }

    void Save(const TClip& clip) {
        m_saved.clear();
        for (int y = clip.y0; y < clip.y1; ++y) m_saved.insert(m_saved.end(), Row(y) + clip.x0, Row(y) + clip.x1);
    }

    void Restore(const TClip& clip) {
        const size_t width = static_cast<size_t>(clip.x1 - clip.x0);
        const uint32_t* from = m_saved.data();
        for (int y = clip.y0; y < clip.y1; ++y, from += width) std::copy(from, from + width, Row(y) + clip.x0);
    }

    uint32_t* Row(int y) { return m_canvas.data() + static_cast<size_t>(y) * static_cast<size_t>(m_width); }

    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    const TGifLimits& m_limits;
    TGifAnimation& m_out;
    int m_width = 0;
    int m_height = 0;
    int m_loopCount = 1;  // without the looping extension the animation plays once
    bool m_loopSeen = false;
    uint32_t m_global[256];
    TFrameControl m_control;
    std::vector<uint32_t> m_canvas;  // the screen as the next frame finds it
    std::vector<uint32_t> m_saved;   // what a frame disposed to the previous state covered
    size_t m_frameBytes = 0;
    size_t m_used = 0;
    // Indices left to decode: as many as the pixels of all frames that fit, which frames
    // inside the screen never reach; only parts off the screen can use it up.
    size_t m_budget;
    std::unique_ptr<CGifLzw> m_lzw;
};

}  // namespace

bool DecodeGif(const BYTE* data, size_t size, TGifAnimation& out, const TGifLimits& limits) {
    out = TGifAnimation();
    CGifDecoder decoder(data, size, limits, out);
    if (decoder.Run()) return true;
    out = TGifAnimation();
    return false;
}

}  // namespace SkinUI
