#include "ui/core/dib32.h"
#include "ui/controls/render_composite.h"

#include <cstring>

#include "ui/controls/render.h"
#include "ui/controls/render_platform.h"

namespace SkinUI {

namespace {

// Composed bitmaps larger than this are not kept: a big background is drawn directly.
constexpr long long kMaxCompositePixels = 256 * 1024;
// Drawings kept per image; the least recently used one makes room.
constexpr int kSlots = 4;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameKey(const TCompositeKey& a, const TCompositeKey& b) {
    return SameRect(a.source, b.source) && SameRect(a.corners, b.corners) && a.width == b.width &&
           a.height == b.height && a.alpha == b.alpha && a.hole == b.hole && a.xTiled == b.xTiled &&
           a.yTiled == b.yTiled;
}

// One composed drawing: a 32-bit DIB selected into its own memory DC for its lifetime.
class CComposite {
public:
    CComposite() = default;
    ~CComposite() { Reset(); }
    CComposite(const CComposite&) = delete;
    CComposite& operator=(const CComposite&) = delete;

    void Reset() {
        if (m_dc != nullptr) {
            ::SelectObject(m_dc, m_old);
            ::DeleteDC(m_dc);
        }
        if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
        m_dc = nullptr;
        m_bitmap = nullptr;
        m_old = nullptr;
        m_used = 0;
    }

    bool Compose(const TUIImage& image, const TCompositeKey& key) {
        Reset();
        BYTE* bits = nullptr;
        m_bitmap = CreateDib32(nullptr, key.width, key.height, &bits);
        m_dc = ::CreateCompatibleDC(nullptr);
        if (m_bitmap == nullptr || m_dc == nullptr || bits == nullptr) {
            Reset();
            return false;
        }
        // Fully transparent to start with: blended pieces land on nothing.
        std::memset(bits, 0, static_cast<size_t>(key.width) * key.height * 4);
        m_old = ::SelectObject(m_dc, m_bitmap);
        const RECT whole = {0, 0, key.width, key.height};
        CUIRender::PaintNineGrid(m_dc, image.hBitmap, whole, whole, key.source, key.corners, key.alpha, 255,
                                 key.hole, key.xTiled, key.yTiled);
        ::GdiFlush();
        m_key = key;
        return true;
    }

    bool Holds(const TCompositeKey& key) const { return m_dc != nullptr && SameKey(m_key, key); }
    HDC Dc() const { return m_dc; }
    unsigned long long m_used = 0;

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    TCompositeKey m_key = {};
};

}  // namespace

// The drawings kept for one image, and the last drawing seen but not yet composed:
// a drawing is composed the second time it is asked for, so that one that changes
// at every paint (a moving progress bar) never pays for composing.
struct TUIImageComposites {
    CComposite slots[kSlots];
    TCompositeKey seen[kSlots] = {};
    int seenCount = 0;
    int nextSeen = 0;
    unsigned long long clock = 0;

    // True when `key` was asked for before; remembers it otherwise.
    bool SeenBefore(const TCompositeKey& key) {
        for (int i = 0; i < seenCount; ++i) {
            if (SameKey(seen[i], key)) return true;
        }
        seen[nextSeen] = key;
        nextSeen = (nextSeen + 1) % kSlots;
        if (seenCount < kSlots) ++seenCount;
        return false;
    }
};

void FreeImageComposites(TUIImageComposites* composites) { delete composites; }

bool PaintComposite(HDC dc, const TUIImage& image, const RECT& dest, const RECT& paint, const TCompositeKey& key,
                    BYTE fade) {
    if (key.width <= 0 || key.height <= 0) return false;
    if (static_cast<long long>(key.width) * key.height > kMaxCompositePixels) return false;
    // An opaque drawing with a hole would copy the hole's black over what is below it.
    const bool blend = key.alpha || fade != 255;
    if (!blend && key.hole) return false;

    if (image.pComposites == nullptr) image.pComposites = new TUIImageComposites;
    TUIImageComposites& c = *image.pComposites;
    CComposite* found = nullptr;
    for (CComposite& slot : c.slots) {
        if (slot.Holds(key)) found = &slot;
    }
    if (found == nullptr) {
        if (!c.SeenBefore(key)) return false;
        CComposite* oldest = &c.slots[0];
        for (CComposite& slot : c.slots) {
            if (slot.m_used < oldest->m_used) oldest = &slot;
        }
        if (!oldest->Compose(image, key)) return false;
        found = oldest;
    }
    found->m_used = ++c.clock;

    RECT part;
    if (!::IntersectRect(&part, &dest, &paint)) return true;
    const int x = part.left - dest.left, y = part.top - dest.top;
    const int w = part.right - part.left, h = part.bottom - part.top;
    if (blend) {
        CUIRender::Blend(dc, part.left, part.top, w, h, found->Dc(), x, y, w, h, fade, true);
    } else {
        ::BitBlt(dc, part.left, part.top, w, h, found->Dc(), x, y, SRCCOPY);
    }
    return true;
}

}  // namespace SkinUI
