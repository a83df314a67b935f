#include "picture_compare.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "stb_image.h"
#include "ui/core/ui_file.h"

namespace skinview {

namespace {

bool Differs(const uint8_t* a, const uint8_t* b) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(static_cast<int>(a[c]) - static_cast<int>(b[c])) > kChannelSlack) return true;
    }
    return false;
}

}  // namespace

Comparison ComparePictures(const Picture& picture, const Picture& reference) {
    Comparison result;
    result.sameSize = picture.width == reference.width && picture.height == reference.height &&
                      picture.rgba.size() == reference.rgba.size();
    if (!result.sameSize) {
        result.differing = static_cast<long>(std::max(picture.width, reference.width)) *
                           std::max(picture.height, reference.height);
        result.box = RECT{0, 0, std::max(picture.width, reference.width), std::max(picture.height, reference.height)};
        return result;
    }
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const size_t at = (static_cast<size_t>(y) * picture.width + x) * 4;
            if (!Differs(&picture.rgba[at], &reference.rgba[at])) continue;
            if (result.differing == 0) result.box = RECT{x, y, x + 1, y + 1};
            ++result.differing;
            result.box.left = std::min<LONG>(result.box.left, x);
            result.box.top = std::min<LONG>(result.box.top, y);
            result.box.right = std::max<LONG>(result.box.right, x + 1);
            result.box.bottom = std::max<LONG>(result.box.bottom, y + 1);
        }
    }
    return result;
}

Picture DiffPicture(const Picture& picture, const Picture& reference) {
    Picture out;
    out.width = std::max(picture.width, reference.width);
    out.height = std::max(picture.height, reference.height);
    out.rgba.assign(static_cast<size_t>(out.width) * out.height * 4, 0xFF);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            uint8_t* dst = &out.rgba[(static_cast<size_t>(y) * out.width + x) * 4];
            const bool inPicture = x < picture.width && y < picture.height;
            const bool inReference = x < reference.width && y < reference.height;
            const uint8_t* p = inPicture ? &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4] : nullptr;
            const uint8_t* r =
                inReference ? &reference.rgba[(static_cast<size_t>(y) * reference.width + x) * 4] : nullptr;
            if (p == nullptr || r == nullptr || Differs(p, r)) {
                dst[0] = 0xFF;
                dst[1] = 0;
                dst[2] = 0;
            } else {
                const int grey = (r[0] * 3 + r[1] * 6 + r[2]) / 10;
                dst[0] = dst[1] = dst[2] = static_cast<uint8_t>(192 + grey / 4);
            }
        }
    }
    return out;
}

bool ReadPictureFile(const std::wstring& path, Picture& out) {
    SkinUI::CUIBuffer bytes;
    if (SkinUI::ReadWholeFile(path.c_str(), bytes, 64u << 20) != SkinUI::kFileReadOk) return false;
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load_from_memory(bytes.Data(), static_cast<int>(bytes.Size()), &w, &h, &n, 4);
    if (pixels == nullptr) return false;
    out.width = w;
    out.height = h;
    out.rgba.assign(pixels, pixels + static_cast<size_t>(w) * h * 4);
    stbi_image_free(pixels);
    for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 0xFF;
    return true;
}

}  // namespace skinview
