// The scroll bar on its own: where its parts lie, hostile values, looks and input.
#include <gtest/gtest.h>

#include <climits>

#include "tests/ui/controls/draw_canvas.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using drawtest::CCanvas;

namespace {

typedef CScrollBarUI Bar;

TEST(ScrollBar, PartsFollowRangePageAndPosition) {
    struct Case {
        const wchar_t* attributes;
        RECT item, button1, button2, thumb;  // all zeros: none
    };
    // 16 x 200: square buttons and a track of 168; a page of 100 in 100 + 100 is half of it.
    const Case cases[] = {
        {L"range=\"100\" pagesize=\"100\"", {0, 0, 16, 200}, {0, 0, 16, 16}, {0, 184, 16, 200}, {0, 16, 16, 100}},
        {L"range=\"100\" pagesize=\"100\" value=\"50\"", {0, 0, 16, 200}, {0, 0, 16, 16}, {0, 184, 16, 200},
         {0, 58, 16, 142}},
        {L"range=\"100\" pagesize=\"100\" value=\"100\"", {0, 0, 16, 200}, {0, 0, 16, 16}, {0, 184, 16, 200},
         {0, 100, 16, 184}},
        // No page, or a tiny one: the thumb keeps its minimum. No range: no thumb.
        {L"range=\"1000\" value=\"1000\"", {0, 0, 16, 200}, {0, 0, 16, 16}, {0, 184, 16, 200}, {0, 174, 16, 184}},
        {L"range=\"100000\" pagesize=\"10\"", {0, 0, 16, 200}, {0, 0, 16, 16}, {0, 184, 16, 200}, {0, 16, 16, 26}},
        {L"range=\"0\" pagesize=\"50\"", {0, 0, 16, 200}, {0, 0, 16, 16}, {0, 184, 16, 200}, {}},
        {L"hor=\"true\" range=\"100\" pagesize=\"100\" value=\"50\"", {10, 5, 210, 21}, {10, 5, 26, 21},
         {194, 5, 210, 21}, {68, 5, 152, 21}},
        // Too short for square buttons: they share the length, and no thumb fits.
        {L"range=\"10\" pagesize=\"10\"", {0, 0, 16, 20}, {0, 0, 16, 10}, {0, 10, 16, 20}, {}},
        {L"showbutton1=\"false\" showbutton2=\"false\" range=\"300\" pagesize=\"100\" value=\"300\"",
         {0, 0, 16, 200}, {}, {}, {0, 150, 16, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.attributes)));
        Bar bar;
        bar.ApplyAttributeString(c.attributes);
        bar.PlaceAt(c.item);
        EXPECT_EQ(bar.GetPartRect(Bar::kButton1), CUIRect(c.button1));
        EXPECT_EQ(bar.GetPartRect(Bar::kButton2), CUIRect(c.button2));
        EXPECT_EQ(bar.GetPartRect(Bar::kThumb), CUIRect(c.thumb));
        if (c.thumb.right > 0) { EXPECT_EQ(bar.PartAt(POINT{c.thumb.left, c.thumb.top}), Bar::kThumb); }
    }
}

TUIEvent Event(int type, int x, int y, WPARAM wParam = 0) {
    TUIEvent e;
    e.Type = type;
    e.ptMouse = POINT{x, y};
    e.wParam = wParam;
    return e;
}

// Values at the edges of the int range never put the position outside [0, range], or a
// part or a pixel outside the bar, whatever is pressed and dragged.
TEST(ScrollBar, HostileValuesStayInside) {
    skintest::CHostWindow host;
    CPaintManagerUI manager;
    manager.Init(host.hwnd());
    const int values[] = {0, -1, 1, INT_MIN, INT_MAX, 99999999};
    const RECT items[] = {{4, 4, 20, 60}, {4, 4, 4, 60}, {4, 4, 60, 5}, {4, 60, 20, 4}};
    for (const RECT& item : items) {
        for (int range : values) {
            for (int other : values) {
                SCOPED_TRACE(testing::Message() << "range " << range << ", others " << other << ", item "
                                                << item.right - item.left << "x" << item.bottom - item.top);
                auto* bar = new Bar;
                ASSERT_TRUE(manager.AttachRoot(bar));
                bar->PlaceAt(item, false);
                bar->SetScrollRange(range);
                bar->SetPageSize(other);
                bar->SetLineSize(other);
                bar->SetScrollPos(other);
                for (POINT pt : {POINT{5, 5}, POINT{5, 30}, POINT{5, 58}, POINT{19, 59}}) {
                    TUIEvent down = Event(UIEVENT_BUTTONDOWN, pt.x, pt.y);
                    TUIEvent move = Event(UIEVENT_MOUSEMOVE, pt.x, other > 0 ? 30000 : -30000);
                    TUIEvent up = Event(UIEVENT_BUTTONUP, pt.x, pt.y);
                    bar->HandleEvent(down);
                    bar->HandleEvent(move);
                    bar->HandleEvent(up);
                    EXPECT_TRUE(bar->GetScrollPos() >= 0 && bar->GetScrollPos() <= bar->GetScrollRange());
                }
                for (Bar::EPart part : {Bar::kButton1, Bar::kButton2, Bar::kThumb, Bar::kRail}) {
                    CUIRect rc = bar->GetPartRect(part);
                    if (!rc.IsEmpty()) { EXPECT_TRUE(rc.Intersect(bar->GetPos()) && rc == bar->GetPartRect(part)); }
                }
                CCanvas canvas(64, 64);
                bar->PaintClipped(canvas.dc(), RECT{0, 0, 64, 64}, nullptr);
                ::FillRect(canvas.dc(), &bar->GetPos(), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
                EXPECT_EQ(canvas.CountNot(0xFFFFFFFF), 0);  // nothing but the bar itself was drawn
            }
        }
    }
}

TEST(ScrollBar, LooksAndInputOfABarOfItsOwn) {
    skintest::CHostWindow host;
    CPaintManagerUI manager;
    manager.Init(host.hwnd());
    auto* bar = new Bar;
    ASSERT_TRUE(manager.AttachRoot(bar));
    // Every part and state takes an image and a colour.
    for (const wchar_t* part : {L"button1", L"button2", L"thumb", L"rail"}) {
        for (const wchar_t* state : {L"normal", L"hot", L"pushed", L"disabled"}) {
            bar->ApplyAttribute((std::wstring(part) + state + L"image").c_str(), L"x.png");
            bar->ApplyAttribute((std::wstring(part) + state + L"color").c_str(), L"#FF102030");
        }
    }
    EXPECT_STREQ(bar->GetPartImage(Bar::kRail, Bar::kDisabled), L"x.png");
    EXPECT_EQ(bar->GetPartColor(Bar::kButton2, Bar::kHot), 0xFF102030u);
    EXPECT_EQ(bar->GetExtraAttribute(L"thumbhotimage"), nullptr);

    // A state without a colour of its own draws the normal one; arrows without images get a glyph.
    bar = new Bar;
    ASSERT_TRUE(manager.AttachRoot(bar));
    bar->ApplyAttributeString(L"range=\"100\" pagesize=\"40\" linesize=\"7\" thumbnormalcolor=\"#FF0000FF\" "
                              L"thumbpushedcolor=\"#FFFF0000\"");
    bar->PlaceAt(CUIRect(0, 0, 16, 116), false);
    auto colourAt = [&](int x, int y) {
        CCanvas canvas(16, 116);
        bar->PaintClipped(canvas.dc(), RECT{0, 0, 16, 116}, nullptr);
        return canvas.Rgb(x, y);
    };
    EXPECT_NE(colourAt(8, 8), colourAt(1, 1));
    struct Step {
        TUIEvent event;
        int pos;
        DWORD thumb;  // the thumb's colour at (8, 20)
    };
    const Step steps[] = {
        {Event(UIEVENT_MOUSEMOVE, 8, 20), 0, 0x0000FF},    // hot: no hot colour
        {Event(UIEVENT_BUTTONDOWN, 8, 20), 0, 0xFF0000},   // pushed
        {Event(UIEVENT_BUTTONUP, 8, 20), 0, 0x0000FF},
        {Event(UIEVENT_BUTTONDOWN, 8, 110), 7, 0x0000FF},  // the lower arrow: a line
        {Event(UIEVENT_BUTTONUP, 8, 110), 7, 0x0000FF},
        {Event(UIEVENT_BUTTONDOWN, 8, 90), 47, 0},         // the rail below the thumb: a page
        {Event(UIEVENT_BUTTONUP, 8, 90), 47, 0},
        {Event(UIEVENT_SCROLLWHEEL, 8, 50), 40, 0},        // the wheel toward the start: a line back
    };
    for (const Step& s : steps) {
        TUIEvent e = s.event;
        bar->HandleEvent(e);
        EXPECT_EQ(bar->GetScrollPos(), s.pos) << "event " << s.event.Type << " at " << s.event.ptMouse.y;
        if (s.thumb != 0) { EXPECT_EQ(colourAt(8, 20), s.thumb); }
    }
    bar->SetEnabled(false);
    TUIEvent press = Event(UIEVENT_BUTTONDOWN, 8, 110);
    bar->HandleEvent(press);
    EXPECT_EQ(bar->GetScrollPos(), 40);
}

}  // namespace
