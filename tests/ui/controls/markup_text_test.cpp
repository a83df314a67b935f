// Markup text, checked by its pixels in a memory bitmap and by the link
// rectangles it returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/controls/draw_canvas.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using drawtest::CCanvas;

namespace {

const DWORD kWhite = 0xFFFFFFFF;
const DWORD kBlack = 0xFF000000;
const UINT kLine = DT_SINGLELINE | DT_NOPREFIX;

struct TLink {
    RECT rc;
    CUIString sTarget;
    int iLink;
};

RECT Markup(CPaintManagerUI& pm, HDC dc, const wchar_t* text, UINT style, RECT rc = {0, 0, 300, 40},
            std::vector<TLink>* links = nullptr, int room = 8) {
    std::vector<RECT> rects(static_cast<size_t>(room));
    std::vector<CUIString> targets(static_cast<size_t>(room));
    std::vector<int> ordinals(static_cast<size_t>(room));
    int count = room;
    CUIRender::PaintMarkupTextEx(dc, &pm, rc, text, kBlack, -1, style, TUIMarkupLook(), rects.data(), targets.data(),
                                 ordinals.data(), count);
    if (links != nullptr) {
        links->clear();
        for (int k = 0; k < count; ++k) links->push_back(TLink{rects[k], targets[k], ordinals[k]});
    }
    return rc;
}

int Width(CPaintManagerUI& pm, const wchar_t* text, UINT style = kLine) {
    CCanvas canvas(10, 10);
    RECT rc = Markup(pm, canvas.dc(), text, style | DT_CALCRECT, RECT{0, 0, 9999, 40});
    return rc.right - rc.left;
}

int LeftmostInk(const CCanvas& c) {
    for (int x = 0; x < c.width(); ++x) {
        for (int y = 0; y < c.height(); ++y) {
            if (c.Rgb(x, y) != 0xFFFFFF) return x;
        }
    }
    return -1;
}

// Pixels clearly of one primary colour, or dark (the glyphs may be smoothed).
int Count(const CCanvas& c, DWORD rgb) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const DWORD p = c.At(x, y);
            const int r = drawtest::R(p), g = drawtest::G(p), b = drawtest::B(p);
            n += rgb == 0xFF0000 ? r - std::max(g, b) > 80
                 : rgb == 0x00FF00 ? g - std::max(r, b) > 80
                 : rgb == 0x0000FF ? b - std::max(r, g) > 80
                                   : std::max(r, std::max(g, b)) < 100;
        }
    }
    return n;
}

TEST(MarkupText, StylesChangeWidthAndColour) {
    CPaintManagerUI pm;
    ASSERT_NE(pm.AddFont(1, L"Tahoma", 12, false, false, false), nullptr);
    ASSERT_NE(pm.AddFont(2, L"Tahoma", 24, false, false, false), nullptr);
    const int plain = Width(pm, L"Hello world");
    EXPECT_NEAR(plain, CUIRender::MeasureText(CCanvas(1, 1).dc(), &pm, L"Hello world", -1).cx, 1);
    EXPECT_GT(Width(pm, L"<f 1><b>Hello world</b></f>"), Width(pm, L"<f 1>Hello world</f>"));
    EXPECT_GT(Width(pm, L"Hello <f 2>world</f>"), plain);
    EXPECT_EQ(Width(pm, L"Hello <f 77>world</f>"), plain);  // an unknown font id: the default font
    EXPECT_EQ(Width(pm, L"<u>Hello</u> <s>world</s>"), plain);

    CCanvas canvas(300, 40);
    Markup(pm, canvas.dc(), L"<f 2>ab <c #FF0000>XXXX</c> <c=00ff00>YY</c></f>", kLine);
    EXPECT_GT(Count(canvas, 0xFF0000), 10);
    EXPECT_GT(Count(canvas, 0x00FF00), 5);
    EXPECT_GT(Count(canvas, 0x000000), 5);
    EXPECT_EQ(Count(canvas, 0x0000FF), 0);
}

TEST(MarkupText, ImageSitsInTheLine) {
    const std::wstring path = drawtest::TempPath(L"markup_green.png");
    ASSERT_TRUE(drawtest::WritePng(path, 8, 6, [](int, int) { return 0xFF00FF00u; }));
    CPaintManagerUI pm;
    const std::wstring text = L"ab<img " + path + L">cd";
    EXPECT_EQ(Width(pm, text.c_str()), Width(pm, L"abcd") + 8);
    CCanvas canvas(100, 30);
    Markup(pm, canvas.dc(), text.c_str(), kLine);
    const int x = Width(pm, L"ab");
    EXPECT_EQ(canvas.Rgb(x, 5), 0x00FF00u);
    EXPECT_EQ(canvas.Rgb(x + 7, 5), 0x00FF00u);
    EXPECT_NE(canvas.Rgb(x + 8, 5), 0x00FF00u);
    EXPECT_EQ(Width(pm, L"ab<img missing.png>cd"), Width(pm, L"abcd"));
    ::DeleteFileW(path.c_str());
}

// What does not parse is drawn as written: the same pixels as the plain text.
TEST(MarkupText, MalformedMarkupReadsAsText) {
    CPaintManagerUI pm;
    struct Case {
        const wchar_t* markup;
        const wchar_t* shown;
    } const cases[] = {
        {L"1 < 2 > 0", L"1 < 2 > 0"},         {L"a<blink>b", L"a<blink>b"},
        {L"a</b>b", L"a</b>b"},               {L"<c zz>x</c>", L"<c zz>x</c>"},
        {L"x<<b>>y", L"x<b>>y"},              {L"<lt>a<gt>", L"<lt>a<gt>"},
        {L"<f>x", L"<f>x"},                   {L"tail <b", L"tail <b"},
        {L"&#x41;&#x42", L"AB"},              {L"a<br>b", L"a b"},
        {L"<b>a</b x>", L"a</b x>"},           {L"<a>", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.markup, c.markup + wcslen(c.markup)));
        CCanvas a(200, 30), b(200, 30);
        Markup(pm, a.dc(), c.markup, kLine);
        RECT rc = {0, 0, 300, 40};
        CUIRender::PaintText(b.dc(), &pm, rc, c.shown, kBlack, -1, kLine);
        if (wcsstr(c.markup, L"<b>") != nullptr) {
            EXPECT_GT(a.CountNot(kWhite), 0);
            continue;
        }
        int diff = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 200; ++x) diff += a.Rgb(x, y) != b.Rgb(x, y);
        }
        EXPECT_EQ(diff, 0);
    }
    // Wrong nesting: the stray closing tag stays, the text stays bold to the end.
    EXPECT_EQ(Width(pm, L"<b><i>x</b></i>"), Width(pm, L"<b><i>x<</b></i></b>"));
}

TEST(MarkupText, LinksReturnOneRectanglePerLine) {
    CPaintManagerUI pm;
    CCanvas canvas(300, 200);
    std::vector<TLink> links;
    Markup(pm, canvas.dc(), L"see <a faq>the FAQ</a> or <a>help</a>", kLine, RECT{0, 0, 300, 40}, &links);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].sTarget, L"faq");
    EXPECT_EQ(links[0].iLink, 0);
    EXPECT_EQ(links[0].rc.left, Width(pm, L"see "));
    EXPECT_EQ(links[0].rc.right, Width(pm, L"see the FAQ"));
    EXPECT_EQ(links[1].sTarget, L"help");  // no target: the link's text
    EXPECT_GT(links[0].rc.bottom, links[0].rc.top);

    // A link that wraps: one entry per line, each with the same target; only the room given is filled.
    const int word = Width(pm, L"three");
    const RECT narrow = {0, 0, word + 2, 200};
    Markup(pm, canvas.dc(), L"<a t>one two three</a>", DT_WORDBREAK, narrow, &links);
    ASSERT_EQ(links.size(), 3u);
    for (const TLink& link : links) EXPECT_EQ(link.sTarget, L"t");
    EXPECT_EQ(links[1].rc.top, links[0].rc.bottom);
    EXPECT_EQ(links[2].rc.top, links[1].rc.bottom);
    Markup(pm, canvas.dc(), L"<a t>one two three</a>", DT_WORDBREAK, narrow, &links, 2);
    EXPECT_EQ(links.size(), 2u);

    // The signature with separate arrays.
    RECT rects[4];
    CUIString texts[4];
    int count = 4;
    RECT rc = {0, 0, 300, 40};
    CUIRender::PaintMarkupText(canvas.dc(), &pm, rc, L"<a x>1</a><a y>2</a>", kBlack, rects, texts, count, -1, kLine);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(texts[1], L"y");
    EXPECT_EQ(rects[0].right, rects[1].left);
}

TEST(MarkupText, FormatFlags) {
    CPaintManagerUI pm;
    const int w = Width(pm, L"<b>Hi</b> there");
    for (UINT align : {0u, UINT(DT_CENTER), UINT(DT_RIGHT)}) {
        CCanvas canvas(200, 30);
        Markup(pm, canvas.dc(), L"<b>Hi</b> there", kLine | align, RECT{0, 0, 200, 30});
        const int expected = align == 0 ? 0 : align == DT_CENTER ? (200 - w) / 2 : 200 - w;
        EXPECT_NEAR(LeftmostInk(canvas), expected, 2) << align;
    }
    // Measuring: breaks and word wrapping make lines; single line keeps one.
    CCanvas c(10, 10);
    const RECT one = Markup(pm, c.dc(), L"a", DT_CALCRECT);
    const int line = one.bottom - one.top;
    EXPECT_EQ(Markup(pm, c.dc(), L"a<br>b<br>c", DT_CALCRECT).bottom, 3 * line);
    EXPECT_GT(Markup(pm, c.dc(), L"a<p>b", DT_CALCRECT).bottom, 2 * line);
    EXPECT_EQ(Markup(pm, c.dc(), L"a<br>b<br>c", DT_CALCRECT | DT_SINGLELINE).bottom, line);
    const int word = Width(pm, L"word");
    EXPECT_EQ(Markup(pm, c.dc(), L"word word word", DT_CALCRECT | DT_WORDBREAK, RECT{0, 0, word + 1, 999}).bottom,
              3 * line);
    // A word longer than the line is cut where it no longer fits.
    EXPECT_EQ(Markup(pm, c.dc(), L"wordword", DT_CALCRECT | DT_WORDBREAK, RECT{0, 0, word + 1, 999}).bottom,
              2 * line);
    // Vertical centring.
    CCanvas v(100, 60);
    Markup(pm, v.dc(), L"<b>x</b>", kLine | DT_VCENTER, RECT{0, 0, 100, 60});
    int top = -1;
    for (int y = 0; y < 60 && top < 0; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (v.Rgb(x, y) != 0xFFFFFF) top = y;
        }
    }
    EXPECT_GT(top, (60 - line) / 2 - 1);
    // End ellipsis keeps the line inside the rectangle.
    CCanvas e(300, 30);
    const int cut = Width(pm, L"abc def");
    Markup(pm, e.dc(), L"abc <b>defghijklmnop</b>", kLine | DT_END_ELLIPSIS | DT_NOCLIP, RECT{0, 0, cut, 30});
    int right = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (e.Rgb(x, y) != 0xFFFFFF) right = std::max(right, x);
        }
    }
    EXPECT_LT(right, cut);
    EXPECT_GT(right, cut / 2);
}

// GDI+ mode (a layered window) writes the text's alpha; GDI leaves it at 0.
TEST(MarkupText, LayeredTextKeepsItsAlpha) {
    CPaintManagerUI pm;
    ASSERT_NE(pm.AddFont(1, L"Tahoma", 14, false, false, false), nullptr);
    for (bool gdiplus : {false, true}) {
        pm.SetUseGdiplusText(gdiplus);
        CCanvas canvas(100, 30, 0x00000000);
        RECT rc = {0, 0, 100, 30};
        int count = 0;
        CUIRender::PaintMarkupTextEx(canvas.dc(), &pm, rc, L"<b>Ab</b>c", 0xFFFFFFFF, 1, kLine, TUIMarkupLook(),
                                     nullptr, nullptr, nullptr, count);
        int opaque = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 100; ++x) opaque += drawtest::A(canvas.At(x, y)) != 0;
        }
        EXPECT_EQ(opaque > 0, gdiplus);
    }
}

TEST(MarkupText, DeepAndHugeInputEndInTime) {
    CPaintManagerUI pm;
    std::wstring deep;
    for (int k = 0; k < 10000; ++k) deep += L"<b><a x>";
    deep += L"core";
    for (int k = 0; k < 10000; ++k) deep += L"</a></b>";
    std::wstring huge;
    while (huge.size() < (1u << 20)) huge += L"<i>word <c #123456>x</c> <a t>y</a><br>< <zz> &&</";
    std::wstring stray(1u << 20, L'<');
    for (const std::wstring* text : {&deep, &huge, &stray}) {
        CCanvas canvas(200, 100);
        std::vector<TLink> links;
        Markup(pm, canvas.dc(), text->c_str(), DT_WORDBREAK | DT_END_ELLIPSIS, RECT{0, 0, 200, 100}, &links, 16);
        EXPECT_LE(links.size(), 16u);
        const RECT rc = Markup(pm, canvas.dc(), text->c_str(), DT_CALCRECT | DT_WORDBREAK, RECT{0, 0, 200, 0});
        EXPECT_GT(rc.bottom, 0);
    }
}

}  // namespace
