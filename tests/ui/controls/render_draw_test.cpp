// Real drawing into a 32-bit DIB section, with the platform's AlphaBlend /
// GradientFill and with the software fallbacks.
#include <gtest/gtest.h>

#include "tests/ui/controls/draw_canvas.h"
#include "ui/controls/render.h"
#include "ui/controls/scratch_dc.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using drawtest::CCanvas;

namespace {

const DWORD kRed = 0xFFFF0000;
const DWORD kGreen = 0xFF00FF00;
const DWORD kBlue = 0xFF0000FF;
const DWORD kWhite = 0xFFFFFFFF;
const DWORD kBlack = 0xFF000000;

class BlendPath : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { CUIRender::ForceSoftwareFallbacks(GetParam()); }
    void TearDown() override { CUIRender::ForceSoftwareFallbacks(false); }
};

// 30x30 source: a distinct colour for each of the nine 10x10 cells; the top
// edge cell has one shade per row, and the top-left corner a marker pixel.
DWORD NineCell(int x, int y) {
    const int cx = x / 10, cy = y / 10;
    if (cx == 0 && cy == 0) return (x == 9 && y == 9) ? kWhite : kRed;
    if (cx == 1 && cy == 0) return 0xFF000000 | static_cast<DWORD>(y * 20) << 8;  // green shade by row
    const DWORD cells[3][3] = {{0, 0, 0xFF00FFFF}, {0xFF808000, kBlue, 0xFF800080}, {0xFF008080, 0xFF404040, 0xFFC0C0C0}};
    return cells[cy][cx];
}

TEST_P(BlendPath, NineGridCopiesCornersAndStretchesEdgesAlongOneAxis) {
    HBITMAP bmp = drawtest::MakeBitmap(30, 30, NineCell);
    for (bool alpha : {false, true}) {
        CCanvas canvas(100, 80);
        RECT dest = {5, 5, 95, 65};
        RECT source = {0, 0, 30, 30};
        RECT corners = {10, 10, 10, 10};
        RECT paint = {0, 0, 100, 80};
        CUIRender::PaintNineGrid(canvas.dc(), bmp, dest, paint, source, corners, alpha);
        SCOPED_TRACE(alpha ? "blended" : "opaque");
        // Corner copied at its source size: the marker stays at (9, 9).
        EXPECT_EQ(canvas.Rgb(5 + 9, 5 + 9), kWhite & 0xFFFFFF);
        EXPECT_EQ(canvas.Rgb(5 + 8, 5 + 8), kRed & 0xFFFFFF);
        EXPECT_EQ(canvas.Rgb(5 + 10, 5 + 10) & 0xFFFFFF, kBlue & 0xFFFFFF);  // centre starts after the corner
        // Top edge: stretched across, each row keeps its own shade.
        for (int row : {1, 4, 8}) {
            for (int x : {20, 50, 80}) {
                EXPECT_TRUE(drawtest::Near(canvas.At(x, 5 + row), 0xFF000000 | static_cast<DWORD>(row * 20) << 8))
                    << "x=" << x << " row=" << row << " got " << std::hex << canvas.At(x, 5 + row);
            }
        }
        // Right column cells, bottom row cells, the centre.
        EXPECT_TRUE(drawtest::Near(canvas.At(90, 8), 0xFF00FFFF));
        EXPECT_TRUE(drawtest::Near(canvas.At(8, 40), 0xFF808000));
        EXPECT_TRUE(drawtest::Near(canvas.At(50, 35), kBlue));
        EXPECT_TRUE(drawtest::Near(canvas.At(90, 40), 0xFF800080));
        EXPECT_TRUE(drawtest::Near(canvas.At(8, 60), 0xFF008080));
        EXPECT_TRUE(drawtest::Near(canvas.At(50, 60), 0xFF404040));
        EXPECT_TRUE(drawtest::Near(canvas.At(90, 60), 0xFFC0C0C0));
        // Nothing outside the destination.
        EXPECT_EQ(canvas.Rgb(4, 4), 0xFFFFFFu);
        EXPECT_EQ(canvas.Rgb(95, 65), 0xFFFFFFu);
    }
    ::DeleteObject(bmp);
}

TEST_P(BlendPath, HoleLeavesTheCentreAlone) {
    HBITMAP bmp = drawtest::MakeBitmap(30, 30, NineCell);
    CCanvas canvas(60, 60);
    CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 60, 60}, RECT{0, 0, 60, 60}, RECT{0, 0, 30, 30},
                             RECT{10, 10, 10, 10}, false, 255, true);
    EXPECT_EQ(canvas.Rgb(30, 30), 0xFFFFFFu);
    EXPECT_TRUE(drawtest::Near(canvas.At(2, 30), 0xFF808000));
    ::DeleteObject(bmp);
}

// 10x10 tile: left half red, right half blue, lower half of the rows darker.
DWORD Tile(int x, int y) { return x < 5 ? (y < 5 ? kRed : 0xFF800000) : (y < 5 ? kBlue : 0xFF000080); }

TEST_P(BlendPath, TilesAreCutAtTheEdge) {
    HBITMAP bmp = drawtest::MakeBitmap(10, 10, Tile);
    const RECT src = {0, 0, 10, 10};
    const RECT none = {0, 0, 0, 0};
    {
        CCanvas canvas(40, 40);
        CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 25, 10}, RECT{0, 0, 40, 40}, src, none, false, 200,
                                 false, true, false);
        // Pieces of 10, 10 and a last one of 5 (the red half only).
        for (int x : {2, 12, 22}) EXPECT_GT(drawtest::R(canvas.At(x, 2)), 200) << x;
        for (int x : {7, 17}) EXPECT_GT(drawtest::B(canvas.At(x, 2)), 200) << x;
        EXPECT_EQ(canvas.Rgb(25, 2), 0xFFFFFFu);
    }
    {
        CCanvas canvas(40, 40);
        CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 10, 23}, RECT{0, 0, 40, 40}, src, none, false, 255,
                                 false, false, true);
        // Rows repeat every 10 pixels; the last tile is 3 high (light rows only).
        EXPECT_EQ(canvas.Rgb(2, 12), kRed & 0xFFFFFF);
        EXPECT_EQ(canvas.Rgb(2, 17), 0x800000u);
        EXPECT_EQ(canvas.Rgb(2, 22), kRed & 0xFFFFFF);
        EXPECT_EQ(canvas.Rgb(2, 23), 0xFFFFFFu);
    }
    {
        CCanvas canvas(40, 40);
        CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 17, 17}, RECT{0, 0, 40, 40}, src, none, false, 255,
                                 false, true, true);
        EXPECT_EQ(canvas.Rgb(12, 12), kRed & 0xFFFFFF);
        EXPECT_EQ(canvas.Rgb(12, 16), 0x800000u);
        EXPECT_EQ(canvas.Rgb(16, 16), 0x000080u);
        EXPECT_EQ(canvas.Rgb(17, 2), 0xFFFFFFu);
        EXPECT_EQ(canvas.Rgb(2, 17), 0xFFFFFFu);
    }
    ::DeleteObject(bmp);
}

TEST_P(BlendPath, FadeOnAnOpaqueImageBlendsAtHalfStrength) {
    HBITMAP bmp = drawtest::MakeBitmap(10, 10, [](int, int) { return kRed; });
    CCanvas canvas(10, 10, kWhite);
    CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10},
                             RECT{0, 0, 0, 0}, false, 128);
    const DWORD c = canvas.At(5, 5);
    EXPECT_EQ(drawtest::R(c), 255);
    EXPECT_NEAR(drawtest::G(c), 127, 2);
    EXPECT_NEAR(drawtest::B(c), 127, 2);
    ::DeleteObject(bmp);
}

TEST_P(BlendPath, PremultipliedAlphaImageBlends) {
    // Half-transparent red, premultiplied: red channel 128 with alpha 128.
    HBITMAP bmp = drawtest::MakeBitmap(10, 10, [](int x, int) { return x < 5 ? 0x80800000u : 0x00000000u; });
    CCanvas canvas(10, 10, kBlue);
    CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10},
                             RECT{0, 0, 0, 0}, true, 255);
    const DWORD half = canvas.At(2, 5);
    EXPECT_NEAR(drawtest::R(half), 128, 2);
    EXPECT_NEAR(drawtest::B(half), 127, 2);
    EXPECT_EQ(drawtest::G(half), 0);
    EXPECT_EQ(canvas.Rgb(7, 5), kBlue & 0xFFFFFF);  // fully transparent pixels leave the target
}

TEST_P(BlendPath, PiecesOutsideThePaintRectangleAreSkipped) {
    HBITMAP bmp = drawtest::MakeBitmap(20, 20, [](int, int) { return kGreen; });
    // Opaque 1:1 copy: only the damaged part.
    CCanvas canvas(20, 20);
    CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 20, 20}, RECT{0, 0, 10, 10}, RECT{0, 0, 20, 20},
                             RECT{0, 0, 0, 0}, false);
    EXPECT_EQ(canvas.Rgb(5, 5), 0x00FF00u);
    EXPECT_EQ(canvas.Rgb(15, 15), 0xFFFFFFu);
    EXPECT_EQ(canvas.CountNot(kWhite), 100);
    // Nine-grid, blended: only the top-left corner meets the paint rectangle.
    canvas.Fill(kWhite);
    CUIRender::PaintNineGrid(canvas.dc(), bmp, RECT{0, 0, 20, 20}, RECT{0, 0, 4, 4}, RECT{0, 0, 20, 20},
                             RECT{5, 5, 5, 5}, false, 200);
    EXPECT_NE(canvas.Rgb(2, 2), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(10, 10), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(17, 17), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(10, 2), 0xFFFFFFu);
    ::DeleteObject(bmp);
}

TEST_P(BlendPath, GradientOfAverageAlpha127) {
    CCanvas canvas(20, 20, kWhite);
    CUIRender::FillGradient(canvas.dc(), RECT{0, 0, 20, 20}, 0x00000000, 0xFF000000, true, 16);
    for (int y : {1, 10, 18}) {
        EXPECT_NEAR(drawtest::R(canvas.At(10, y)), 128, 2) << y;
        EXPECT_NEAR(drawtest::B(canvas.At(10, y)), 128, 2) << y;
    }
    // Both colours transparent: nothing.
    CUIRender::FillGradient(canvas.dc(), RECT{0, 0, 20, 20}, 0x00FF0000, 0x00FF0000, true, 16);
    EXPECT_NEAR(drawtest::G(canvas.At(10, 10)), 128, 2);
}

TEST_P(BlendPath, OpaqueGradientRunsFromFirstToSecondColour) {
    for (bool vertical : {true, false}) {
        CCanvas canvas(64, 64, kWhite);
        CUIRender::FillGradient(canvas.dc(), RECT{0, 0, 64, 64}, kRed, kBlue, vertical, 64);
        const DWORD first = vertical ? canvas.At(32, 0) : canvas.At(0, 32);
        const DWORD last = vertical ? canvas.At(32, 63) : canvas.At(63, 32);
        EXPECT_GT(drawtest::R(first), 240);
        EXPECT_LT(drawtest::B(first), 16);
        EXPECT_GT(drawtest::B(last), 240);
        EXPECT_LT(drawtest::R(last), 16);
    }
}

INSTANTIATE_TEST_SUITE_P(Render, BlendPath, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Software") : std::string("Platform");
                         });

TEST(RenderBlend, FallbackMatchesThePlatformBlend) {
    HBITMAP bmp = drawtest::MakeBitmap(16, 16, [](int x, int y) {
        const DWORD a = static_cast<DWORD>((x * 16 + y) & 0xFF);
        return (a << 24) | ((a * 3 / 4) << 16) | ((a / 2) << 8) | (a / 4);
    });
    CCanvas platform(16, 16, 0xFF336699);
    CCanvas software(16, 16, 0xFF336699);
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    CUIRender::Blend(platform.dc(), 0, 0, 16, 16, mem, 0, 0, 16, 16, 180);
    CUIRender::BlendFallback(software.dc(), 0, 0, 16, 16, mem, 0, 0, 16, 16, 180);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(bmp);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_TRUE(drawtest::Near(platform.At(x, y), software.At(x, y), 2))
                << x << "," << y << ": " << std::hex << platform.At(x, y) << " vs " << software.At(x, y);
        }
    }
}

TEST(RenderFill, SolidFillHonoursAlpha) {
    CCanvas canvas(10, 10, kWhite);
    CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 10, 10}, 0x00FF0000);
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
    CUIRender::FillSolid(canvas.dc(), RECT{2, 2, 6, 6}, kRed);
    EXPECT_EQ(canvas.Rgb(3, 3), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(6, 6), 0xFFFFFFu);
    EXPECT_EQ(canvas.CountNot(kWhite), 16);
    CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 10, 10}, 0x800000FF);
    EXPECT_NEAR(drawtest::B(canvas.At(8, 8)), 255, 1);
    EXPECT_NEAR(drawtest::R(canvas.At(8, 8)), 127, 2);
}

TEST(RenderFill, OpaqueFillWritesAlphaOnlyInsideTheClip) {
    CCanvas canvas(30, 30, 0x00FFFFFF);
    {
        CUIClip clip(canvas.dc(), RECT{0, 0, 30, 30}, RECT{0, 0, 30, 30}, 12, 12);
        CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 30, 30}, 0xFF102030);
    }
    EXPECT_EQ(canvas.At(15, 15), 0xFF102030u);
    EXPECT_EQ(canvas.At(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(canvas.At(29, 29), 0x00FFFFFFu);
    // With a moved origin the logical rectangle still lands in place.
    POINT old;
    ::SetViewportOrgEx(canvas.dc(), 5, 5, &old);
    CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 2, 2}, 0xFF00FF00);
    ::SetViewportOrgEx(canvas.dc(), old.x, old.y, nullptr);
    EXPECT_EQ(canvas.At(5, 5), 0xFF00FF00u);
    EXPECT_EQ(canvas.At(7, 7), 0xFF102030u);
}

TEST(RenderStroke, RectOutlineInsetByOne) {
    CCanvas canvas(20, 20, kWhite);
    CUIRender::StrokeRect(canvas.dc(), RECT{2, 2, 12, 12}, 1, kRed);
    EXPECT_EQ(canvas.Rgb(2, 2), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(11, 11), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(6, 2), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(6, 6), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(12, 12), 0xFFFFFFu);
}

TEST(RenderStroke, LineUsesTheGdiColourOrder) {
    CCanvas canvas(20, 20, kWhite);
    CUIRender::StrokeLine(canvas.dc(), RECT{0, 5, 20, 5}, 1, 0xFF0000FF);
    EXPECT_EQ(canvas.Rgb(10, 5), 0x0000FFu);
    EXPECT_EQ(canvas.Rgb(10, 6), 0xFFFFFFu);
}

TEST(RenderStroke, RoundRectStaysInsideAndSkipsTheCorner) {
    CCanvas canvas(40, 40, kWhite);
    CUIRender::StrokeRoundRect(canvas.dc(), RECT{0, 0, 40, 40}, 1, 16, 99, kBlack);
    EXPECT_LT(drawtest::R(canvas.At(20, 0)), 100);   // the straight top edge
    EXPECT_EQ(canvas.Rgb(0, 0), 0xFFFFFFu);          // the rounded-off corner
    EXPECT_EQ(canvas.Rgb(20, 20), 0xFFFFFFu);
}

TEST(RenderClip, ClipsIntersectAndRestore) {
    CCanvas canvas(20, 20, kWhite);
    {
        CUIClip outer(canvas.dc(), RECT{0, 0, 10, 20});
        {
            CUIClip inner(canvas.dc(), RECT{5, 0, 20, 10});
            CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 20, 20}, kRed);
            EXPECT_EQ(canvas.CountNot(kWhite), 5 * 10);
            inner.UseOldClipBegin();
            CUIRender::FillSolid(canvas.dc(), RECT{0, 10, 20, 20}, kGreen);
            inner.UseOldClipEnd();
        }
        EXPECT_EQ(canvas.Rgb(2, 15), 0x00FF00u);
        EXPECT_EQ(canvas.Rgb(15, 15), 0xFFFFFFu);
    }
    CUIRender::FillSolid(canvas.dc(), RECT{15, 15, 20, 20}, kBlue);
    EXPECT_EQ(canvas.Rgb(17, 17), 0x0000FFu);
}

// A clip wider than what may already be drawn changes nothing, while it lives and after.
TEST(RenderClip, AWiderClipKeepsTheNarrowerOneInForce) {
    CCanvas canvas(20, 20, kWhite);
    {
        CUIClip outer(canvas.dc(), RECT{0, 0, 10, 10});
        {
            CUIClip inner(canvas.dc(), RECT{0, 0, 20, 20});
            inner.UseOldClipBegin();
            inner.UseOldClipEnd();
            CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 20, 20}, kRed);
            EXPECT_EQ(canvas.CountNot(kWhite), 10 * 10);
        }
        CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 20, 20}, kGreen);
        EXPECT_EQ(canvas.Rgb(15, 15), 0xFFFFFFu);
    }
    CUIRender::FillSolid(canvas.dc(), RECT{15, 15, 20, 20}, kBlue);
    EXPECT_EQ(canvas.Rgb(17, 17), 0x0000FFu);
}

// The rectangle is in logical units: a DC whose origin was moved clips where it draws.
TEST(RenderClip, FollowsAMovedOrigin) {
    CCanvas canvas(20, 20, kWhite);
    ::SetViewportOrgEx(canvas.dc(), 6, 4, nullptr);
    {
        CUIClip clip(canvas.dc(), RECT{0, 0, 5, 5});
        CUIRender::FillSolid(canvas.dc(), RECT{-10, -10, 20, 20}, kRed);
    }
    EXPECT_EQ(canvas.CountNot(kWhite), 5 * 5);
    EXPECT_EQ(canvas.Rgb(6, 4), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(10, 8), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(11, 9), 0xFFFFFFu);
}

// The kept memory DC is lent to one drawing at a time and freed at the framework's end.
TEST(ScratchDC, ANestedDrawingGetsItsOwnDcAndTheKeptOneIsReused) {
    HDC kept = nullptr;
    {
        CScratchDC first;
        ASSERT_TRUE(first);
        kept = first.Get();
        CScratchDC nested;
        ASSERT_TRUE(nested);
        EXPECT_NE(nested.Get(), kept);
    }
    {
        CScratchDC again;
        EXPECT_EQ(again.Get(), kept);
    }
    CScratchDC::ReleaseForThread();
    EXPECT_EQ(::GetObjectType(kept), 0u);
}

TEST(RenderClip, RoundClipCutsTheCorners) {
    CCanvas canvas(30, 30, kWhite);
    {
        CUIClip clip(canvas.dc(), RECT{0, 0, 30, 30}, RECT{0, 0, 30, 30}, 12, 12);
        CUIRender::FillSolid(canvas.dc(), RECT{0, 0, 30, 30}, kRed);
    }
    EXPECT_EQ(canvas.Rgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(15, 15), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(15, 0), 0xFF0000u);
}

TEST(RenderColour, TintHsl) {
    EXPECT_EQ(CUIRender::TintHsl(0x80123456, 180, 100, 100), 0x80123456u);
    EXPECT_EQ(CUIRender::TintHsl(0xFFFF0000, 300, 100, 100), 0xFF00FF00u);  // hue +120
    EXPECT_EQ(CUIRender::TintHsl(0xFFFF0000, 180, 0, 100), 0xFF808080u);    // no saturation: grey
    EXPECT_EQ(CUIRender::TintHsl(0x40FF0000, 180, 100, 0), 0x40000000u);    // no lightness: black
}

// ---- through the paint manager's image cache ----

class RenderImageFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = drawtest::TempPath(L"halves.png");
        // 20x10: left half red, right half green.
        ASSERT_TRUE(drawtest::WritePng(m_path, 20, 10, [](int x, int) { return x < 10 ? kRed : kGreen; }));
    }
    void TearDown() override { ::DeleteFileW(m_path.c_str()); }
    std::wstring m_path;
    CPaintManagerUI m_pm;
};

TEST_F(RenderImageFile, SourceWiderThanTheBitmapIsCut) {
    CCanvas canvas(40, 20);
    const RECT item = {0, 0, 40, 20};
    EXPECT_TRUE(CUIRender::PaintImageFile(canvas.dc(), &m_pm, item, item, m_path.c_str(), nullptr,
                                          RECT{0, 0, 20, 10}, RECT{0, 0, 40, 10}, RECT{0, 0, 0, 0}, 0, 255, false,
                                          false, false));
    EXPECT_EQ(canvas.Rgb(5, 5), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(15, 5), 0x00FF00u);
    EXPECT_EQ(canvas.Rgb(25, 5), 0xFFFFFFu);
}

TEST_F(RenderImageFile, DestinationOutsideThePaintRectangleDrawsNothing) {
    CCanvas canvas(40, 40);
    EXPECT_TRUE(CUIRender::PaintImageFile(canvas.dc(), &m_pm, RECT{0, 0, 40, 40}, RECT{0, 0, 10, 10},
                                          m_path.c_str(), nullptr, RECT{20, 20, 40, 30}, RECT{0, 0, 0, 0},
                                          RECT{0, 0, 0, 0}, 0, 255, false, false, false));
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
}

TEST_F(RenderImageFile, MissingImageFailsAndDrawsNothing) {
    CCanvas canvas(10, 10);
    const RECT item = {0, 0, 10, 10};
    EXPECT_FALSE(CUIRender::PaintImageSpec(canvas.dc(), &m_pm, item, item, L"no_such_image.png"));
    EXPECT_FALSE(CUIRender::PaintImageSpec(canvas.dc(), nullptr, item, item, m_path.c_str()));
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
}

TEST_F(RenderImageFile, DescriptionPlacesTheImage) {
    CCanvas canvas(60, 30);
    const RECT item = {10, 5, 60, 30};
    CUIString desc;
    desc.Format(L"file='%s' dest='5,5,25,15'", m_path.c_str());
    EXPECT_TRUE(CUIRender::PaintImageSpec(canvas.dc(), &m_pm, item, item, desc));
    // dest is relative to the item's top-left corner: (15, 10) to (35, 20).
    EXPECT_EQ(canvas.Rgb(14, 12), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(16, 12), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(33, 12), 0x00FF00u);
    EXPECT_EQ(canvas.Rgb(36, 12), 0xFFFFFFu);

    // size + align: a 20x10 image centred (vcenter also matches "center").
    canvas.Fill(kWhite);
    desc.Format(L"file='%s' size='20,10' align='vcenter'", m_path.c_str());
    EXPECT_TRUE(CUIRender::PaintImageSpec(canvas.dc(), &m_pm, item, item, desc));
    // left = 10 + (50 - 20) / 2 = 25, top = 5 + (25 - 10) / 2 = 12
    EXPECT_EQ(canvas.Rgb(24, 15), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(25, 12), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(44, 21), 0x00FF00u);
    EXPECT_EQ(canvas.Rgb(45, 15), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(30, 11), 0xFFFFFFu);
}

TEST(RenderText, EntityDrawsTheSingleCharacter) {
    CPaintManagerUI pm;
    CCanvas a(60, 30), b(60, 30), c(60, 30);
    RECT rc = {0, 0, 60, 30};
    CUIRender::PaintText(a.dc(), &pm, rc, L"ab&#x41;", kBlack, -1, DT_SINGLELINE);
    rc = RECT{0, 0, 60, 30};
    CUIRender::PaintText(b.dc(), &pm, rc, L"A", kBlack, -1, DT_SINGLELINE);
    rc = RECT{0, 0, 60, 30};
    CUIRender::PaintText(c.dc(), &pm, rc, L"&#xE6A3;", kBlack, -1, DT_SINGLELINE);
    EXPECT_GT(b.CountNot(kWhite), 0);
    int diff = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) diff += a.Rgb(x, y) != b.Rgb(x, y);
    }
    EXPECT_EQ(diff, 0);
    // U+E6A3 is drawn as a string of its own; compare with drawing it directly.
    CCanvas d(60, 30);
    rc = RECT{0, 0, 60, 30};
    CUIRender::PaintText(d.dc(), &pm, rc, L"\xE6A3", kBlack, -1, DT_SINGLELINE);
    diff = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) diff += c.Rgb(x, y) != d.Rgb(x, y);
    }
    EXPECT_EQ(diff, 0);
}

TEST(RenderText, MeasuringInBothModes) {
    CPaintManagerUI pm;
    CCanvas canvas(200, 40);
    const SIZE sz = CUIRender::MeasureText(canvas.dc(), &pm, L"Hello", -1);
    EXPECT_GT(sz.cx, 10);
    EXPECT_GT(sz.cy, 5);
    EXPECT_EQ(CUIRender::MeasureText(canvas.dc(), &pm, L"", -1).cx, 0);
    EXPECT_EQ(CUIRender::MeasureText(canvas.dc(), nullptr, L"Hello", -1).cx, 0);

    RECT rc = {10, 10, 9999, 40};
    CUIRender::PaintText(canvas.dc(), &pm, rc, L"Hello", kBlack, -1, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_NEAR(rc.right - rc.left, sz.cx, 2);
    EXPECT_EQ(canvas.CountNot(kWhite), 0);

    // GDI+ text needs a TrueType face.
    pm.SetUseGdiplusText(true);
    ASSERT_NE(pm.AddFont(1, L"Tahoma", 12, false, false, false), nullptr);
    rc = RECT{10, 10, 9999, 40};
    CUIRender::PaintText(canvas.dc(), &pm, rc, L"Hello", kBlack, 1, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_GT(rc.right - rc.left, 10);
    EXPECT_LT(rc.right - rc.left, 200);
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
    rc = RECT{0, 0, 200, 40};
    CUIRender::PaintText(canvas.dc(), &pm, rc, L"Hello", kBlack, 1, DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(canvas.CountNot(kWhite), 0);
}

TEST(RenderText, GdiplusModeFallsBackToGdiForFontsItCannotUse) {
    CPaintManagerUI pm;
    pm.SetUseGdiplusText(true);
    CCanvas canvas(200, 40);
    // The stock GUI face is not a TrueType face everywhere (it is not under
    // Wine); GDI+ refuses it and the text is drawn with GDI instead.
    RECT rc = {0, 0, 200, 40};
    CUIRender::PaintText(canvas.dc(), &pm, rc, L"Hello", kBlack, -1, DT_SINGLELINE);
    EXPECT_GT(canvas.CountNot(kWhite), 0);
}

}  // namespace

// A drawing made again at the same size comes from a composed bitmap: its pixels inside
// the paint rectangle must be those of the nine-grid drawn piece by piece.
TEST(RenderImageComposite, RepeatedDrawingMatchesTheNineGrid) {
    const std::wstring translucent = drawtest::TempPath(L"composite_alpha.png");
    const std::wstring opaque = drawtest::TempPath(L"composite_opaque.png");
    ASSERT_TRUE(drawtest::WritePng(translucent, 24, 16, [](int x, int y) {
        return (static_cast<DWORD>((x * 37 + y * 11) % 256) << 24) | (x * 10 << 16) | (y * 15 << 8) | 0x40;
    }));
    ASSERT_TRUE(drawtest::WritePng(opaque, 24, 16, [](int x, int y) { return 0xFF000000u | (x * 10 << 16) | (y * 15); }));
    struct Case {
        const wchar_t* name;
        const std::wstring* file;
        RECT corners;
        BYTE fade;
        bool hole, xTiled, yTiled;
        RECT paint;
    } const cases[] = {
        {L"blended, stretched", &translucent, {3, 2, 4, 2}, 255, false, false, false, {0, 0, 60, 40}},
        {L"blended, faded, hole", &translucent, {5, 4, 5, 4}, 128, true, false, false, {0, 0, 60, 40}},
        {L"blended, tiled, part", &translucent, {2, 2, 2, 2}, 255, false, true, true, {10, 8, 41, 30}},
        {L"opaque, part", &opaque, {6, 3, 1, 5}, 255, false, false, false, {7, 0, 33, 22}},
        {L"opaque, hole", &opaque, {6, 3, 6, 5}, 255, true, false, false, {0, 0, 60, 40}},
    };
    const RECT item = {0, 0, 60, 40};
    const RECT dest = {4, 3, 51, 36};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPaintManagerUI pm;
        const TUIImage* image = pm.GetImageEx(c.file->c_str());
        ASSERT_NE(image, nullptr);
        const RECT source = {0, 0, image->nWidth, image->nHeight};
        CCanvas expected(60, 40, kBlue);
        CUIRender::PaintNineGrid(expected.dc(), image->hBitmap, dest, c.paint, source, c.corners, image->bAlpha,
                                 c.fade, c.hole, c.xTiled, c.yTiled);
        CCanvas canvas(60, 40, kBlue);
        for (int round = 0; round < 3; ++round) {
            canvas.Fill(kBlue);
            EXPECT_TRUE(CUIRender::PaintImageFile(canvas.dc(), &pm, item, c.paint, c.file->c_str(), nullptr, dest,
                                                  source, c.corners, 0, c.fade, c.hole, c.xTiled, c.yTiled));
            int differing = 0;
            for (int y = c.paint.top; y < c.paint.bottom; ++y)
                for (int x = c.paint.left; x < c.paint.right; ++x) differing += canvas.At(x, y) != expected.At(x, y);
            EXPECT_EQ(differing, 0) << "round " << round;
        }
    }
    ::DeleteFileW(translucent.c_str());
    ::DeleteFileW(opaque.c_str());
}
