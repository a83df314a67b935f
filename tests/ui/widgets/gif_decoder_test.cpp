// GIF decoding: frames composed as a viewer sees them, compressed data, delays and the
// loop count, damaged and oversized files, and a GIF named as a skin image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/test_env.h"
#include "tests/ui/widgets/layout_host.h"
#include "tools/fuzz/gif_writer.h"
#include "ui/core/image_loader.h"
#include "ui/core/resource_settings.h"
#include "ui/widgets/motion/gif_decoder.h"

using namespace gifwrite;
using SkinUI::DecodeGif;
using SkinUI::TGifAnimation;
using SkinUI::TGifLimits;

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
const std::vector<uint32_t> kTable = {kRed, kGreen, kBlue, kWhite};

// Indices written as digits.
std::string Ix(const char* digits) {
    std::string out;
    for (; *digits; ++digits) out += static_cast<char>(*digits - '0');
    return out;
}

std::string Noise(size_t count, unsigned modulo, uint32_t& seed) {
    std::string out;
    while (out.size() < count) {
        seed = seed * 1103515245u + 12345u;
        out += static_cast<char>((seed >> 16) % modulo);
    }
    return out;
}

bool Decode(const std::string& bytes, TGifAnimation& out, const TGifLimits& limits = TGifLimits()) {
    return DecodeGif(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), out, limits);
}

// A frame as letters, rows apart: r g b w k for the opaque colours, '.' for transparent.
std::string Picture(const TGifAnimation& gif, size_t frame) {
    std::string out;
    for (int i = 0; i < gif.width * gif.height; ++i) {
        if (i > 0 && i % gif.width == 0) out += ' ';
        const uint32_t p = gif.frames[frame].pixels[static_cast<size_t>(i)];
        const uint32_t rgb = p & 0xFFFFFF;
        out += p == 0 ? '.' : p >> 24 != 0xFF ? '?' : rgb == kRed ? 'r' : rgb == kGreen ? 'g' : rgb == kBlue ? 'b'
             : rgb == kWhite ? 'w' : rgb == 0 ? 'k' : '?';
    }
    return out;
}

}  // namespace

TEST(GifDecoder, ComposesEachFrameAsAViewerSeesIt) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> frames;
    } kCases[] = {
        {"a second frame over part of the first, with its own table (index 3 is past it: black)",
         Header(3, 2, kTable) + Image(0, 0, 3, 2, Ix("012321")) + Image(0, 0, 2, 1, Ix("13"), 2, {kWhite, kBlue}),
         {"rgb wbg", "bkb wbg"}},
        {"frames past the screen's edge are clipped",
         Header(3, 2, kTable) + Image(0, 0, 3, 2, Ix("012321")) + Image(2, 1, 3, 3, Ix("000000000")) +
             Image(7, 0, 1, 1, Ix("1")),
         {"rgb wbg", "rgb wbr", "rgb wbr"}},
        {"disposal to the background clears to transparent",
         Header(2, 2, kTable) + Control(2, 0) + Image(0, 0, 2, 2, Ix("0000")) + Image(0, 0, 1, 1, Ix("1")),
         {"rr rr", "g. .."}},
        {"disposal to the previous state restores what the frame covered",
         Header(2, 2, kTable) + Control(1, 0) + Image(0, 0, 2, 2, Ix("0000")) + Control(3, 0) +
             Image(1, 1, 1, 1, Ix("2")) + Image(0, 0, 1, 1, Ix("1")),
         {"rr rr", "rr rb", "gr rr"}},
        {"the transparent index shows what is below",
         Header(2, 1, kTable) + Control(0, 0, 1) + Image(0, 0, 2, 1, Ix("01")) + Control(0, 0, 2) +
             Image(0, 0, 2, 1, Ix("23")),
         {"r.", "rw"}},
        {"an interlaced frame comes out in row order",
         Header(1, 9, kTable) + Image(0, 0, 1, 9, Ix("012301230"), 2, {}, true), {"r g b w r g b w r"}},
        {"a screen of no size takes the first frame's extent", Header(0, 0, kTable) + Image(1, 0, 1, 2, Ix("23")),
         {".b .w"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TGifAnimation gif;
        ASSERT_TRUE(Decode(c.bytes + ";", gif));
        ASSERT_EQ(gif.frames.size(), c.frames.size());
        for (size_t i = 0; i < c.frames.size(); ++i) EXPECT_EQ(Picture(gif, i), c.frames[i]) << "frame " << i;
    }
}

TEST(GifDecoder, CompressedDataComesBackIndexForIndex) {
    // Noise that fills the string table many times over, long runs of one index (codes
    // that name the entry being made), and an interlaced frame of odd height.
    const struct {
        int width, height, colours, run, minSize;
        bool interlaced;
    } kCases[] = {{64, 64, 256, 1, 8, false}, {300, 3, 2, 300, 2, false}, {13, 7, 3, 1, 2, true}};
    uint32_t seed = 12345;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.width);
        std::vector<uint32_t> table, expected;
        for (int i = 0; i < c.colours; ++i) table.push_back((i << 16) | ((255 - i) << 8) | ((i * 7) & 0xFF));
        std::string indices;
        for (char index : Noise(static_cast<size_t>(c.width * c.height / c.run), c.colours, seed)) {
            indices += std::string(static_cast<size_t>(c.run), index);
            expected.insert(expected.end(), c.run, 0xFF000000u | table[static_cast<BYTE>(index)]);
        }
        TGifAnimation out;
        ASSERT_TRUE(Decode(Header(c.width, c.height, table) +
                               Image(0, 0, c.width, c.height, indices, c.minSize, {}, c.interlaced),
                           out));
        ASSERT_EQ(out.frames.size(), 1u);
        EXPECT_TRUE(out.frames[0].pixels == expected);
    }
}

TEST(GifDecoder, DelaysAndLoopCountAsBrowsersPlayThem) {
    const std::string pixel = Image(0, 0, 1, 1, Ix("0"));
    const std::string frames = pixel + Control(0, 0) + pixel + Control(0, 7) + pixel + Control(0, 250) + pixel;
    TGifAnimation out;
    ASSERT_TRUE(Decode(Header(1, 1, kTable) + frames, out));
    ASSERT_EQ(out.frames.size(), 4u);
    const UINT delays[] = {100, 100, 70, 2500};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(out.frames[i].delayMs, delays[i]) << "frame " << i;

    // The file counts repeats after the first showing; TGifAnimation counts showings.
    const struct {
        const char* app;
        unsigned repeats;
        int loopCount;
    } kLoops[] = {{nullptr, 0, 1}, {"NETSCAPE2.0", 0, 0}, {"NETSCAPE2.0", 3, 4}, {"ANIMEXTS1.0", 1, 2},
                  {"NETSCAPE2.1", 3, 1}};
    for (const auto& c : kLoops) {
        ASSERT_TRUE(Decode(Header(1, 1, kTable) + (c.app ? Loop(c.app, c.repeats) : "") + frames, out));
        EXPECT_EQ(out.loopCount, c.loopCount) << (c.app ? c.app : "none") << " " << c.repeats;
    }
}

TEST(GifDecoder, DamagedOrOversizedFilesKeepTheFramesBeforeTheFault) {
    const std::string header = Header(2, 2, kTable), first = Image(0, 0, 2, 2, Ix("0123"));
    const std::string whole = header + first + Image(0, 0, 2, 2, Ix("1111")) + Image(0, 0, 2, 2, Ix("2222")) + ";";
    // Where each of the first two frames' image data starts (its code size byte).
    const size_t data[] = {header.size() + 10, header.size() + first.size() + 10};
    auto with = [&](size_t at, char value) {
        std::string bytes = whole;
        bytes[at] = value;
        return bytes;
    };
    // A first frame of noise below a green row, cut halfway through its image data.
    uint32_t seed = 1;
    const std::string tallWhole = Header(8, 40, kTable) + Image(0, 0, 8, 40, Ix("11111111") + Noise(312, 4, seed));
    const size_t tallData = Header(8, 40, kTable).size() + 10;
    const std::string tall = tallWhole.substr(0, tallData + (tallWhole.size() - tallData) / 2);
    std::string many = Header(1, 1, kTable);
    for (int i = 0; i < 5000; ++i) many += Image(0, 0, 1, 1, Ix("2"));
    auto limits = [](size_t bytes, size_t frames, int side) {
        TGifLimits l;
        l.maxBytes = bytes;
        l.maxFrames = frames;
        l.maxSide = side;
        return l;
    };
    const TGifLimits normal;
    const struct {
        const char* what;
        std::string bytes;
        TGifLimits limits;
        int frames;  // -1: false
    } kCases[] = {
        {"whole", whole, normal, 3},
        {"the second frame cut short", whole.substr(0, data[1] + 3), normal, 1},
        {"cut inside the second frame's descriptor", whole.substr(0, data[1] - 5), normal, 1},
        {"without its trailer", whole.substr(0, whole.size() - 1), normal, 3},
        // The first data byte holds the clear code and the bits of the next: 7 names no entry.
        {"a bad code in the second frame", with(data[1] + 2, '\xFF'), normal, 1},
        {"a code size of 12 bits in the second frame", with(data[1], 12), normal, 1},
        {"a code size of 12 bits in the first frame", with(data[0], 12), normal, -1},
        {"the first frame cut short shows what was decoded", tall, normal, 1},
        {"memory for two frames", whole, limits(2 * 16 + 15, 10, 10), 2},
        {"memory for not even one", whole, limits(15, 10, 10), -1},
        {"one frame allowed", whole, limits(1000, 1, 10), 1},
        {"a screen too wide", whole, limits(1000, 10, 1), -1},
        {"a frame far wider than the screen, past the decoding work's bound",
         header + first + Image(0, 0, 20, 1, std::string(20, '\1')), limits(64, 10, 10), 1},
        {"thousands of frames", many, normal, 4096},
        {"no data", "", normal, -1},
        {"a signature only", "GIF89a", normal, -1},
        {"a screen and no image", header + ";", normal, -1},
        {"another format", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), normal, -1},
        {"an unknown signature", "GIF86a" + whole.substr(6), normal, -1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TGifAnimation gif;
        EXPECT_EQ(Decode(c.bytes, gif, c.limits), c.frames >= 0);
        EXPECT_EQ(gif.frames.size(), static_cast<size_t>(std::max(c.frames, 0)));
        if (c.frames < 0) {
            EXPECT_EQ(gif.width, 0);
        }
    }
    // The cut first frame: its top row decoded, its bottom ones left transparent.
    TGifAnimation cut;
    ASSERT_TRUE(Decode(tall, cut));
    EXPECT_EQ(cut.frames[0].pixels.front(), 0xFF000000 | kGreen);
    EXPECT_EQ(cut.frames[0].pixels.back(), 0u);
}

TEST(GifDecoder, AGifNamedInASkinShowsItsFirstFrameOnceTheWidgetsAreRegistered) {
    const std::wstring dir = testenv::MakeTempDir(L"gifskin");
    // Frame 1: red on the left, transparent on the right; frame 2 all blue.
    ASSERT_TRUE(testenv::WriteFile(dir + L"anim.gif", Header(2, 1, kTable) + Control(0, 5, 3) +
                                                          Image(0, 0, 2, 1, Ix("03")) + Image(0, 0, 2, 1, Ix("22"))));
    SkinUI::CUIResourceSettings::Reset();
    SkinUI::CPaintManagerUI::SetResourcePath(dir.c_str());
    SkinUI::SetExtraImageDecoder(nullptr);
    {
        SkinUI::CPaintManagerUI pm;
        EXPECT_EQ(pm.GetImageEx(L"anim.gif"), nullptr);
    }
    {
        layouttest::CHost host;  // registers the further controls
        ASSERT_TRUE(host.Open(L"<Window><Control name=\"c\" bkimage=\"anim.gif\"/></Window>", 40, 10, false));
        layouttest::CCanvas canvas(40, 10);
        host.pm.GetRoot()->PaintClipped(canvas.dc(), SkinUI::CUIRect(0, 0, 40, 10), nullptr);
        EXPECT_EQ(canvas.At(3, 5), kRed);
        EXPECT_EQ(canvas.At(36, 5), layouttest::CCanvas::kUntouched);
    }
    SkinUI::CPaintManagerUI::TermFramework();
    SkinUI::CUIResourceSettings::Reset();
    testenv::RemoveTree(dir);
}
