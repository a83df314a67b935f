#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/image_loader.h"

using namespace SkinUI;
using coretest::BuildPng;
using coretest::Rgba;

namespace {

struct ImageHolder {
    TUIImage* p;
    explicit ImageHolder(TUIImage* image) : p(image) {}
    ~ImageHolder() { FreeSkinImage(p); }
};

TUIImage* Decode(const std::string& bytes, DWORD mask = 0) {
    return DecodeSkinImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), mask);
}

// The 0xAARRGGBB value of a decoded pixel.
DWORD Pixel(const TUIImage* image, int x, int y) {
    const BYTE* p = image->pBits + (static_cast<size_t>(y) * image->nWidth + x) * 4;
    return (static_cast<DWORD>(p[3]) << 24) | (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[1]) << 8) | p[0];
}

}  // namespace

TEST(ImageLoaderTest, PremultipliesTranslucentPixels) {
    ImageHolder image(Decode(BuildPng(2, 1, {{200, 0, 0, 128}, {10, 20, 30, 255}})));
    ASSERT_NE(nullptr, image.p);
    EXPECT_EQ(2, image.p->nWidth);
    EXPECT_EQ(1, image.p->nHeight);
    EXPECT_TRUE(image.p->bAlpha);
    EXPECT_EQ(0x80640000u, Pixel(image.p, 0, 0));  // red 200 * 128 / 255 = 100
    EXPECT_EQ(0xFF0A141Eu, Pixel(image.p, 1, 0));
    BITMAP bm;
    ASSERT_EQ(static_cast<int>(sizeof(bm)), GetObjectW(image.p->hBitmap, sizeof(bm), &bm));
    EXPECT_EQ(32, bm.bmBitsPixel);
    EXPECT_EQ(2, bm.bmWidth);
}

TEST(ImageLoaderTest, TopDownRowsAndOpaqueImagesHaveNoAlpha) {
    ImageHolder image(Decode(BuildPng(1, 2, {{255, 0, 0, 255}, {0, 0, 255, 255}})));
    ASSERT_NE(nullptr, image.p);
    EXPECT_FALSE(image.p->bAlpha);
    EXPECT_EQ(0xFFFF0000u, Pixel(image.p, 0, 0));  // first row of the file first
    EXPECT_EQ(0xFF0000FFu, Pixel(image.p, 0, 1));
}

TEST(ImageLoaderTest, MaskClearsMatchingPixels) {
    ImageHolder image(Decode(BuildPng(3, 1, {{255, 0, 255, 255}, {1, 2, 3, 255}, {255, 0, 255, 255}}), 0xFFFF00FF));
    ASSERT_NE(nullptr, image.p);
    EXPECT_TRUE(image.p->bAlpha);
    EXPECT_EQ(0u, Pixel(image.p, 0, 0));
    EXPECT_EQ(0xFF010203u, Pixel(image.p, 1, 0));
    EXPECT_EQ(0u, Pixel(image.p, 2, 0));
    EXPECT_EQ(0xFFFF00FFu, image.p->dwMask);
}

TEST(ImageLoaderTest, HostileBytesDecodeToNothing) {
    EXPECT_EQ(nullptr, Decode(""));
    EXPECT_EQ(nullptr, Decode("this is not a picture at all"));
    EXPECT_EQ(nullptr, Decode(std::string("\x89PNG\r\n\x1a\n", 8)));
    // Headers that claim enormous sizes are refused before decoding.
    EXPECT_EQ(nullptr, Decode(coretest::BuildPngHeaderOnly(100000, 100000)));
    EXPECT_EQ(nullptr, Decode(coretest::BuildPngHeaderOnly(16000, 16000)));
    EXPECT_EQ(nullptr, Decode(coretest::BuildPngHeaderOnly(0x7FFFFFFF, 1)));
    // Claims a plausible size but has no pixel data for it.
    EXPECT_EQ(nullptr, Decode(coretest::BuildPngHeaderOnly(64, 64)));
    // A truncated real image.
    std::string png = BuildPng(8, 8, std::vector<Rgba>(64, Rgba{1, 2, 3, 4}));
    EXPECT_NE(nullptr, ImageHolder(Decode(png)).p);
    EXPECT_EQ(nullptr, Decode(png.substr(0, png.size() / 2)));
    // A JPEG start marker with nothing behind it.
    EXPECT_EQ(nullptr, Decode(std::string("\xFF\xD8\xFF\xE0", 4)));
}

// A JPEG whose scan names a Huffman table that no table segment defines: the decoder then
// works with whatever its freshly allocated state holds. Its answer must be the same after
// the heap has held zeroes or garbage, and reading must stay inside the decoder's tables.
TEST(ImageLoaderTest, JpegWithoutItsHuffmanTablesDecodesTheSameWhateverTheHeapHeld) {
    std::string jpeg("\xFF\xD8\xFF\xDB\x00\x43\x00", 7);
    jpeg += std::string(64, '\x01');                                                  // quantisation table 0
    jpeg += std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);  // 8x8, one component
    jpeg += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);          // scan: tables 0, never defined
    jpeg += std::string(16, '\x55') + std::string("\xFF\xD9", 2);

    std::vector<std::string> answers;
    for (const int fill : {0x00, 0xFF, 0xAA, 0x00}) {
        // Leave freed blocks of the decoder's sizes behind, filled.
        std::vector<void*> blocks;
        for (size_t size = 512; size <= 64 * 1024; size += 512) {
            blocks.push_back(std::malloc(size));
            if (blocks.back() != nullptr) std::memset(blocks.back(), fill, size);
        }
        for (void* block : blocks) std::free(block);

        ImageHolder image(Decode(jpeg));
        std::string answer = "none";
        if (image.p != nullptr) {
            unsigned hash = 2166136261u;  // FNV-1a of the pixels
            for (size_t i = 0; i < static_cast<size_t>(image.p->nWidth) * image.p->nHeight * 4; ++i)
                hash = (hash ^ image.p->pBits[i]) * 16777619u;
            answer = std::to_string(image.p->nWidth) + "x" + std::to_string(image.p->nHeight) + " " +
                     std::to_string(hash);
        }
        answers.push_back(answer);
    }
    for (const std::string& answer : answers) EXPECT_EQ(answers.front(), answer);
}
