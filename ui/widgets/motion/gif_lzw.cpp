#include "ui/widgets/motion/gif_lzw.h"

namespace SkinUI {

int CGifSubBlocks::Next() {
    while (m_left == 0) {
        if (m_ended) return -1;
        if (m_pos >= m_size) {
            m_ended = m_truncated = true;
            return -1;
        }
        m_left = m_data[m_pos++];
        if (m_left == 0) {
            m_ended = true;
            return -1;
        }
    }
    if (m_pos >= m_size) {
        m_left = 0;
        m_ended = m_truncated = true;
        return -1;
    }
    --m_left;
    return m_data[m_pos++];
}

void CGifSubBlocks::SkipRest() {
    while (!m_ended) {
        if (m_left > m_size - m_pos) {
            m_pos = m_size;
            m_left = 0;
            m_ended = m_truncated = true;
            return;
        }
        m_pos += m_left;
        m_left = 0;
        if (m_pos >= m_size) {
            m_ended = m_truncated = true;
            return;
        }
        m_left = m_data[m_pos++];
        if (m_left == 0) m_ended = true;
    }
}

EGifLzwEnd CGifLzw::Decode(int minCodeSize, CGifSubBlocks& blocks, IGifIndexSink& sink) {
    // Codes are at most 12 bits wide, and the first width is one more than the minimum.
    if (minCodeSize < 1 || minCodeSize > 11) return kGifLzwBadCode;
    const int clear = 1 << minCodeSize;
    const int endCode = clear + 1;
    for (int i = 0; i < clear; ++i) {
        m_prefix[i] = 0;
        m_length[i] = 1;
        m_suffix[i] = m_first[i] = static_cast<BYTE>(i);
    }
    int codeSize = minCodeSize + 1;
    int next = clear + 2;
    int prev = -1;
    uint32_t bits = 0;
    int bitCount = 0;
    for (;;) {
        while (bitCount < codeSize) {
            const int byte = blocks.Next();
            if (byte < 0) return kGifLzwDataEnd;
            bits |= static_cast<uint32_t>(byte) << bitCount;
            bitCount += 8;
        }
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == endCode) return kGifLzwEndCode;
        if (prev < 0) {
            // After a clear code only a single index can follow.
            if (code >= clear) return kGifLzwBadCode;
        } else {
            // A code one past the table is the previous string and its own first index.
            if (code > next) return kGifLzwBadCode;
            if (next < kMaxCodes) {
                m_prefix[next] = static_cast<uint16_t>(prev);
                m_suffix[next] = code < next ? m_first[code] : m_first[prev];
                m_first[next] = m_first[prev];
                m_length[next] = static_cast<uint16_t>(m_length[prev] + 1);
                ++next;
                if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
            }
        }
        const int length = m_length[code];
        int at = code;
        for (int i = length - 1; i >= 0; --i) {
            m_string[i] = m_suffix[at];
            at = m_prefix[at];
        }
        if (!sink.Put(m_string, static_cast<size_t>(length))) return kGifLzwSinkFull;
        prev = code;
    }
}

}  // namespace SkinUI
