#include "ui/core/dib32.h"
#include "ui/core/image_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/core/image_loader.h"
#include "ui/core/ui_handles.h"

namespace SkinUI {

const int kImageScales[] = {125, 150, 175, 200, 250, 300, 400};
const int kImageScaleCount = static_cast<int>(sizeof(kImageScales) / sizeof(kImageScales[0]));

namespace {

CUIString ScaleTag(int percent) {
    if (percent == 100) return CUIString(L".");
    CUIString tag;
    tag.Format(L"@%d.", percent);
    return tag;
}

// Weights of the source samples that make one destination sample along one axis.
struct TTap {
    int first = 0;
    std::vector<float> weights;
};

std::vector<TTap> Taps(int srcLength, int dstLength) {
    std::vector<TTap> taps(static_cast<size_t>(dstLength));
    const double ratio = static_cast<double>(srcLength) / dstLength;
    const double radius = ratio > 1.0 ? ratio : 1.0;
    for (int d = 0; d < dstLength; ++d) {
        const double centre = (d + 0.5) * ratio - 0.5;
        int lo = static_cast<int>(std::floor(centre - radius)) + 1;
        int hi = static_cast<int>(std::ceil(centre + radius)) - 1;
        if (lo < 0) lo = 0;
        if (hi > srcLength - 1) hi = srcLength - 1;
        TTap& tap = taps[static_cast<size_t>(d)];
        double total = 0;
        for (int s = lo; s <= hi; ++s) total += 1.0 - std::fabs(s - centre) / radius;
        if (total <= 0) {  // the centre fell outside: take the nearest sample
            const int nearest = centre < 0 ? 0 : srcLength - 1;
            tap.first = nearest;
            tap.weights.assign(1, 1.0f);
            continue;
        }
        tap.first = lo;
        for (int s = lo; s <= hi; ++s) {
            tap.weights.push_back(static_cast<float>((1.0 - std::fabs(s - centre) / radius) / total));
        }
    }
    return taps;
}

BYTE ToByte(float v) {
    const long r = std::lround(v);
    return static_cast<BYTE>(r < 0 ? 0 : r > 255 ? 255 : r);
}

}  // namespace

bool RenameForScale(const CUIString& name, int fromPercent, int toPercent, CUIString* out) {
    if (out == nullptr || fromPercent == 100) return false;
    const CUIString from = ScaleTag(fromPercent);
    if (name.Find(from) < 0) return false;
    CUIString renamed = name;
    renamed.Replace(from, ScaleTag(toPercent));
    *out = renamed;
    return true;
}

void ResamplePixels(const BYTE* src, int srcWidth, int srcHeight, BYTE* dst, int dstWidth, int dstHeight) {
    if (src == nullptr || dst == nullptr || srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0) {
        return;
    }
    const std::vector<TTap> across = Taps(srcWidth, dstWidth);
    const std::vector<TTap> down = Taps(srcHeight, dstHeight);
    // One output row at a time: the source rows it takes, each resampled across and
    // added with its weight. Only two rows of the output's width are held.
    std::vector<float> line(static_cast<size_t>(dstWidth) * 4);
    std::vector<float> sum(static_cast<size_t>(dstWidth) * 4);
    for (int y = 0; y < dstHeight; ++y) {
        const TTap& rows = down[static_cast<size_t>(y)];
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (size_t r = 0; r < rows.weights.size(); ++r) {
            const BYTE* source = src + (static_cast<size_t>(rows.first) + r) * srcWidth * 4;
            for (int x = 0; x < dstWidth; ++x) {
                const TTap& tap = across[static_cast<size_t>(x)];
                float acc[4] = {0, 0, 0, 0};
                for (size_t k = 0; k < tap.weights.size(); ++k) {
                    const BYTE* p = source + (static_cast<size_t>(tap.first) + k) * 4;
                    for (int c = 0; c < 4; ++c) acc[c] += p[c] * tap.weights[k];
                }
                for (int c = 0; c < 4; ++c) line[static_cast<size_t>(x) * 4 + c] = acc[c];
            }
            const float weight = rows.weights[r];
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += line[i] * weight;
        }
        BYTE* out = dst + static_cast<size_t>(y) * dstWidth * 4;
        for (int x = 0; x < dstWidth; ++x, out += 4) {
            const float* acc = &sum[static_cast<size_t>(x) * 4];
            out[3] = ToByte(acc[3]);
            // Premultiplied: no colour channel may exceed the alpha.
            for (int c = 0; c < 3; ++c) {
                const BYTE v = ToByte(acc[c]);
                out[c] = v > out[3] ? out[3] : v;
            }
        }
    }
}

TUIImage* ResampleSkinImage(const TUIImage& src, int width, int height) {
    if (src.pBits == nullptr || width <= 0 || height <= 0 || width > kMaxImageDimension ||
        height > kMaxImageDimension ||
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > kMaxImagePixels) {
        return nullptr;
    }
    BYTE* bits = nullptr;
    CUIScopedGdiObject<HBITMAP> bitmap(CreateDib32(nullptr, width, height, &bits));
    if (bitmap.Get() == nullptr || bits == nullptr) return nullptr;
    ResamplePixels(src.pBits, src.nWidth, src.nHeight, bits, width, height);

    TUIImage* image = new TUIImage;
    image->hBitmap = bitmap.Release();
    image->pBits = bits;
    image->nWidth = width;
    image->nHeight = height;
    image->bAlpha = src.bAlpha;
    image->dwMask = src.dwMask;
    return image;
}

}  // namespace SkinUI
