// The image data of a GIF frame: a chain of data sub-blocks (a length byte, that many
// bytes, ..., a zero length) holding variable-width LZW codes, read least significant
// bit first, that decode into colour indices.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace SkinUI {

// Reads the bytes of one chain of sub-blocks, never past the data's end.
class CGifSubBlocks {
public:
    // `pos` is the offset of the first length byte.
    CGifSubBlocks(const BYTE* data, size_t size, size_t pos) : m_data(data), m_size(size), m_pos(pos) {}

    // The next data byte; -1 at the terminator (or at the end of the data).
    int Next();
    // Reads through to the terminator.
    void SkipRest();
    // The data ended before the terminator.
    bool Truncated() const { return m_truncated; }
    // The offset after the terminator, once Next has returned -1 or SkipRest has run.
    size_t Position() const { return m_pos; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos;
    size_t m_left = 0;  // bytes left in the current sub-block
    bool m_ended = false;
    bool m_truncated = false;
};

// Where decoded indices go, in stream order.
class IGifIndexSink {
public:
    // False when no more indices are wanted.
    virtual bool Put(const BYTE* indices, size_t count) = 0;

protected:
    ~IGifIndexSink() = default;
};

enum EGifLzwEnd {
    kGifLzwEndCode,   // the end-of-information code
    kGifLzwSinkFull,  // the sink wanted no more
    kGifLzwDataEnd,   // the sub-blocks ended first (see CGifSubBlocks::Truncated)
    kGifLzwBadCode,   // a code that names no table entry, or a code size out of range
};

// The decoder's string table, kept between frames so that it is allocated once.
class CGifLzw {
public:
    // Decodes the codes in `blocks` with the minimum code size the frame gives (1 to 11
    // are valid) until one of the ends above. Work is linear in the indices decoded.
    EGifLzwEnd Decode(int minCodeSize, CGifSubBlocks& blocks, IGifIndexSink& sink);

private:
    static const int kMaxCodes = 4096;
    uint16_t m_prefix[kMaxCodes];
    uint16_t m_length[kMaxCodes];
    BYTE m_suffix[kMaxCodes];
    BYTE m_first[kMaxCodes];
    BYTE m_string[kMaxCodes];
};

}  // namespace SkinUI
