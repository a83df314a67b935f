// Scales other than 100 percent: window attributes read scaled, bitmaps that a
// scale lacks made from another scale, and the resampling behind that.
#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/skin_test_support.h"
#include "ui/controls/control.h"
#include "ui/core/image_scale.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"

using namespace SkinUI;

namespace {

class DpiScaleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(host.hwnd(), nullptr); }
    void TearDown() override { CUIResourceSettings::Reset(); }

    skintest::CHostWindow host;
};

}  // namespace

TEST_F(DpiScaleTest, WindowAttributesAreReadScaledEachValueOnItsOwn) {
    struct Case {
        int percent;
        RECT sizeBox, caption, captionToBottom;
        SIZE corner, minInfo, maxInfo;
    };
    const Case cases[] = {
        {100, {4, 4, 6, 6}, {2, 0, 30, 100}, {0, 0, 0, -1}, {5, 7}, {100, 50}, {900, 700}},
        {125, {5, 5, 8, 8}, {3, 0, 38, 125}, {0, 0, 0, -1}, {6, 9}, {125, 63}, {1125, 875}},
        {150, {6, 6, 9, 9}, {3, 0, 45, 150}, {0, 0, 0, -1}, {8, 11}, {150, 75}, {1350, 1050}},
        {200, {8, 8, 12, 12}, {4, 0, 60, 200}, {0, 0, 0, -1}, {10, 14}, {200, 100}, {1800, 1400}},
    };
    for (const Case& c : cases) {
        CPaintManagerUI manager;
        manager.SetDpiScale(c.percent);
        manager.Init(host.hwnd());
        CSkinBuilder builder;
        delete builder.Create(L"<Window sizebox=\"4,4,6,6\" caption=\"2,0,30,100\" roundcorner=\"5,7\" "
                              L"mininfo=\"100,50\" maxinfo=\"900,700\"><Control/></Window>",
                              nullptr, nullptr, &manager);
        EXPECT_EQ(CUIRect(manager.GetSizeBox()), CUIRect(c.sizeBox)) << c.percent;
        EXPECT_EQ(CUIRect(manager.GetCaptionRect()), CUIRect(c.caption)) << c.percent;
        EXPECT_EQ(manager.GetRoundCorner().cx, c.corner.cx) << c.percent;
        EXPECT_EQ(manager.GetRoundCorner().cy, c.corner.cy) << c.percent;
        EXPECT_EQ(manager.GetMinInfo().cx, c.minInfo.cx) << c.percent;
        EXPECT_EQ(manager.GetMinInfo().cy, c.minInfo.cy) << c.percent;
        EXPECT_EQ(manager.GetMaxInfo().cx, c.maxInfo.cx) << c.percent;
        EXPECT_EQ(manager.GetMaxInfo().cy, c.maxInfo.cy) << c.percent;
        // A caption reaching "the client bottom" (-1) keeps that meaning.
        manager.SetCaptionRect(CUIRect(0, 0, 0, -1));
        EXPECT_EQ(CUIRect(manager.GetCaptionRect()), CUIRect(c.captionToBottom)) << c.percent;
    }
}

// btn_close.png is 30 x 90; the archive also holds it at 125 (38 x 114), 150 (45 x 135)
// and 200 percent (60 x 180), and has nothing at 110, 175 or 250 percent.
TEST_F(DpiScaleTest, AMissingBitmapIsMadeFromTheNearestLargerScaleElseFromTheBaseOne) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    struct Case {
        int percent;
        const wchar_t* name;  // as the description parser names it at that scale
        int width, height;
    };
    const Case cases[] = {
        {150, L"btn_close@150.png", 45, 135},  // its own bitmap, as drawn
        {110, L"btn_close@110.png", 33, 100},  // from @125: MulDiv(38, 110, 125), MulDiv(114, 110, 125)
        {175, L"btn_close@175.png", 53, 158},  // from @200, drawn down
        {250, L"btn_close@250.png", 75, 225},  // nothing larger: from the 100 percent bitmap, drawn up
    };
    for (const Case& c : cases) {
        CPaintManagerUI manager;
        manager.SetDpiScale(c.percent);
        manager.Init(host.hwnd());
        const TUIImage* image = manager.GetImageEx(c.name);
        ASSERT_NE(image, nullptr) << c.percent;
        EXPECT_EQ(image->nWidth, c.width) << c.percent;
        EXPECT_EQ(image->nHeight, c.height) << c.percent;
        // Made once for the scale and kept in the table like any other bitmap.
        EXPECT_EQ(manager.GetImageEx(c.name), image) << c.percent;
    }
    // A name that does not carry the window's scale is not guessed at.
    CPaintManagerUI manager;
    manager.SetDpiScale(175);
    manager.Init(host.hwnd());
    EXPECT_EQ(manager.GetImageEx(L"no_such@175.png"), nullptr);
    EXPECT_EQ(manager.GetImageEx(L"btn_close@150.png")->nWidth, 45);
}

// Each output pixel is a blend of the two source colours whose shares add up to one
// (the taps' weights, across and down, sum to one), the share of red never grows from
// left to right, and the outer columns keep their side's colour.
TEST(ImageResampling, BlendsTheSourceColoursWithWeightsThatSumToOne) {
    struct Case {
        int sw, sh, dw, dh;
    };
    const Case cases[] = {{30, 90, 53, 158}, {60, 180, 53, 158}, {4, 4, 1, 1}, {1, 1, 7, 3}, {560, 40, 700, 50}};
    for (const Case& c : cases) {
        // Left half opaque red, right half half-transparent blue (premultiplied BGRA).
        std::vector<BYTE> src(static_cast<size_t>(c.sw) * c.sh * 4);
        for (int y = 0; y < c.sh; ++y) {
            for (int x = 0; x < c.sw; ++x) {
                BYTE* p = &src[(static_cast<size_t>(y) * c.sw + x) * 4];
                const bool left = x < (c.sw + 1) / 2;
                p[0] = left ? 0 : 128;
                p[1] = 0;
                p[2] = left ? 255 : 0;
                p[3] = left ? 255 : 128;
            }
        }
        std::vector<BYTE> dst(static_cast<size_t>(c.dw) * c.dh * 4, 0xEE);
        ResamplePixels(src.data(), c.sw, c.sh, dst.data(), c.dw, c.dh);
        for (int y = 0; y < c.dh; ++y) {
            int redBefore = 255;
            for (int x = 0; x < c.dw; ++x) {
                const BYTE* p = &dst[(static_cast<size_t>(y) * c.dw + x) * 4];
                const double shares = p[2] / 255.0 + p[0] / 128.0;
                ASSERT_NEAR(shares, 1.0, 0.01) << c.dw << "x" << c.dh << " at " << x << "," << y;
                ASSERT_NEAR(p[3], p[2] + p[0], 1) << c.dw << "x" << c.dh << " at " << x << "," << y;
                ASSERT_EQ(p[1], 0);
                ASSERT_LE(p[2], redBefore) << c.dw << "x" << c.dh << " at " << x << "," << y;
                redBefore = p[2];
            }
        }
        if (c.sw > 2 && c.dw > 2) {
            const BYTE* first = &dst[0];
            const BYTE* last = &dst[(static_cast<size_t>(c.dw) - 1) * 4];
            EXPECT_EQ(first[3], 255) << c.dw;
            EXPECT_EQ(first[2], 255) << c.dw;
            EXPECT_EQ(last[3], 128) << c.dw;
            EXPECT_EQ(last[0], 128) << c.dw;
        }
    }
}
