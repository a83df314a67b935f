// Hostile attribute values: null names and values, numbers at the edges of
// their ranges, entities without digits, and tiny tiles over huge areas.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "tests/ui/controls/draw_canvas.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using drawtest::CCanvas;

namespace {

const DWORD kWhite = 0xFFFFFFFF;
const DWORD kHangGuardMs = 10000;

TEST(HostileValues, NullNamesAndValuesAreIgnoredOrEmpty) {
    const std::function<CControlUI*()> makers[] = {
        [] { return new CLabelUI; },
        [] { return new CButtonUI; },
        [] { return new CProgressUI; },
    };
    const wchar_t* names[] = {L"align", L"valign", L"text", L"font", L"normalimage", L"stateimage", L"value",
                              L"min", L"hor", L"name", L"bkcolor"};
    for (const auto& make : makers) {
        CControlUI* control = make();
        SCOPED_TRACE(control->GetClass());
        control->ApplyAttribute(nullptr, L"x");
        control->ApplyAttribute(nullptr, nullptr);
        for (const wchar_t* name : names) control->ApplyAttribute(name, nullptr);
        EXPECT_STREQ(control->GetText(), L"");
        EXPECT_STREQ(control->GetName(), L"");
        delete control;
    }
}

// Found by the fuzz driver: geometry at the edges of the int range overflowed
// in differences, sums and scaling. Markup geometry is clamped to +-32767.
TEST(HostileValues, GeometryFromMarkupIsClamped) {
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        int (*read)(CControlUI&);
        int expected;
    };
    const Case cases[] = {
        {L"width", L"2147483647", [](CControlUI& c) { return c.GetFixedWidth(); }, 32767},
        {L"height", L"99999999999", [](CControlUI& c) { return c.GetFixedHeight(); }, 32767},
        {L"pos", L"-2147483648,0,2147483647,10", [](CControlUI& c) { return c.GetFixedWidth(); }, 65534},
        {L"padding", L"2147483647,0,0,0", [](CControlUI& c) { return static_cast<int>(c.GetPadding().left); }, 32767},
        {L"minwidth", L"99999999999", [](CControlUI& c) { return c.GetMinWidth(); }, 32767},
        {L"bordersize", L"2147483647", [](CControlUI& c) { return c.GetBorderSize(); }, 32767},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        CLabelUI label;
        label.ApplyAttribute(c.name, c.value);
        EXPECT_EQ(c.read(label), c.expected);
    }
}

// Columns of row `y` drawn in `rgb`.
int Columns(const CCanvas& canvas, int y, DWORD rgb) {
    int n = 0;
    for (int x = 0; x < canvas.width(); ++x) n += canvas.Rgb(x, y) == rgb;
    return n;
}

TEST(HostileValues, ProgressAtTheEdgesOfTheIntRange) {
    skintest::CHostWindow host;
    CPaintManagerUI manager;
    manager.Init(host.hwnd());
    struct Case {
        int min, max, value;
        int columns;        // of 200, filled with the fore colour
        const wchar_t* text;
    };
    const Case cases[] = {
        {INT_MIN, INT_MAX, 0, 100, L"50%"},
        {INT_MIN, INT_MAX, INT_MAX, 200, L"100%"},
        {INT_MIN, INT_MAX, INT_MIN, 0, L"0%"},
        {0, INT_MAX, INT_MAX, 200, L"100%"},
        {-2, INT_MAX, INT_MAX - 1, 199, L"100%"},
        {INT_MAX, INT_MAX, INT_MAX, 200, L"0%"},  // an empty range is repaired when painted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " value " << c.value);
        auto* bar = new CProgressUI;
        ASSERT_TRUE(manager.AttachRoot(bar));
        bar->PlaceAt(CUIRect(0, 0, 200, 10), false);
        bar->SetMinValue(c.min);
        bar->SetMaxValue(c.max);
        bar->SetValue(c.value);
        bar->ApplyAttribute(L"forecolor", L"#FF00C000");
        bar->SetShowText(true);
        EXPECT_STREQ(bar->GetText(), c.text);
        bar->SetText(L"");
        CCanvas canvas(200, 10);
        bar->PaintClipped(canvas.dc(), CUIRect(0, 0, 200, 10), nullptr);
        EXPECT_NEAR(Columns(canvas, 5, 0x00C000), c.columns, 1);
    }
}

int CALLBACK CountTextRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM count) {
    if (record->iType == EMR_EXTTEXTOUTW || record->iType == EMR_POLYTEXTOUTW) ++*reinterpret_cast<int*>(count);
    return 1;
}

// Text calls recorded into an enhanced metafile.
int TextCallsOf(const wchar_t* text) {
    CPaintManagerUI pm;
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    RECT rc = {0, 0, 60, 30};
    CUIRender::PaintText(dc, &pm, rc, text, 0xFF000000, -1, DT_SINGLELINE);
    HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
    int calls = 0;
    ::EnumEnhMetaFile(nullptr, emf, &CountTextRecord, &calls, nullptr);
    ::DeleteEnhMetaFile(emf);
    return calls;
}

TEST(HostileValues, EntityWithoutDigitsDrawsNothing) {
    EXPECT_GT(TextCallsOf(L"&#x41;"), 0);
    for (const wchar_t* text : {L"&#x;", L"&#x", L"ab&#xzz;", L"&#x0;"}) {
        EXPECT_EQ(TextCallsOf(text), 0) << testing::PrintToString(std::wstring(text));
    }
}

TEST(HostileValues, TinyTilesOverAHugeDestination) {
    // Two pixels, red then blue.
    HBITMAP bmp = drawtest::MakeBitmap(2, 1, [](int x, int) { return x == 0 ? 0xFFFF0000 : 0xFF0000FF; });
    struct Case {
        RECT source;
        bool xTiled, yTiled;
        BYTE fade;
    };
    const Case cases[] = {
        {{0, 0, 1, 1}, true, true, 255},
        {{0, 0, 2, 1}, true, true, 255},
        {{0, 0, 2, 1}, true, false, 255},
        {{0, 0, 2, 1}, true, true, 200},
        {{0, 0, 1, 1}, false, true, 255},
    };
    const RECT huge = {-60000, -60000, 60000, 60000};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.source.right << " wide, tiled " << c.xTiled << c.yTiled << " fade "
                                        << int(c.fade));
        CCanvas canvas(64, 48);
        const DWORD start = ::GetTickCount();
        CUIRender::PaintNineGrid(canvas.dc(), bmp, huge, RECT{0, 0, 64, 48}, c.source, RECT{0, 0, 0, 0}, false,
                                 c.fade, false, c.xTiled, c.yTiled);
        EXPECT_LT(::GetTickCount() - start, kHangGuardMs);
        if (c.fade != 255 || !c.xTiled || !c.yTiled) {
            // Blended or stretched along one axis: the whole canvas is covered.
            EXPECT_EQ(canvas.CountNot(kWhite), 64 * 48);
            continue;
        }
        for (int y : {0, 13, 47}) {
            for (int x : {0, 1, 30, 63}) {
                // The grid starts at the destination's left edge, an even column.
                const bool red = c.source.right == 1 || x % 2 == 0;
                EXPECT_EQ(canvas.Rgb(x, y), red ? 0xFF0000u : 0x0000FFu) << x << "," << y;
            }
        }
    }
    ::DeleteObject(bmp);
}

}  // namespace
