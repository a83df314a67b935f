// Paint layers of controls and containers, drawn into a DIB section.
#include <gtest/gtest.h>

#include "tests/ui/controls/draw_canvas.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/horizontal_layout.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using drawtest::CCanvas;

namespace {

const DWORD kWhite = 0xFFFFFFFF;

TEST(ControlPaint, OpaqueBackgroundFillsOnlyTheDamagedArea) {
    CCanvas canvas(40, 40, kWhite);
    CControlUI c;
    c.ApplyAttribute(L"bkcolor", L"#FFFF0000");
    c.PlaceAt(CUIRect(0, 0, 40, 40));
    EXPECT_TRUE(c.PaintClipped(canvas.dc(), RECT{0, 0, 10, 10}, nullptr));
    EXPECT_EQ(canvas.Rgb(5, 5), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(20, 20), 0xFFFFFFu);
    EXPECT_EQ(c.GetPaintRect(), CUIRect(0, 0, 10, 10));
}

TEST(ControlPaint, TranslucentBackgroundCoversTheWholeItem) {
    CCanvas canvas(40, 40, kWhite);
    CControlUI c;
    c.ApplyAttribute(L"bkcolor", L"#80000000");
    c.PlaceAt(CUIRect(0, 0, 40, 40));
    c.PaintClipped(canvas.dc(), RECT{0, 0, 10, 10}, nullptr);
    EXPECT_NEAR(drawtest::R(canvas.At(20, 20)), 127, 2);
}

TEST(ControlPaint, GradientsOverTheItem) {
    CCanvas canvas(20, 40, kWhite);
    CControlUI c;
    c.ApplyAttributeString(L"bkcolor=\"#FFFF0000\" bkcolor2=\"#FF0000FF\"");
    c.PlaceAt(CUIRect(0, 0, 20, 40));
    c.PaintClipped(canvas.dc(), RECT{0, 0, 20, 40}, nullptr);
    EXPECT_GT(drawtest::R(canvas.At(10, 0)), 230);
    EXPECT_GT(drawtest::B(canvas.At(10, 39)), 230);

    // Three colours: the item is cut at its middle height.
    c.ApplyAttribute(L"bkcolor3", L"#FF00FF00");
    canvas.Fill(kWhite);
    c.PaintClipped(canvas.dc(), RECT{0, 0, 20, 40}, nullptr);
    EXPECT_GT(drawtest::R(canvas.At(10, 0)), 230);
    EXPECT_GT(drawtest::B(canvas.At(10, 19)), 200);
    EXPECT_GT(drawtest::B(canvas.At(10, 20)), 200);
    EXPECT_GT(drawtest::G(canvas.At(10, 39)), 230);

    // Horizontal direction.
    CControlUI h;
    h.ApplyAttributeString(L"bkcolor=\"#FFFF0000\" bkcolor2=\"#FF0000FF\" gradient=\"HOR\"");
    h.PlaceAt(CUIRect(0, 0, 20, 40));
    canvas.Fill(kWhite);
    h.PaintClipped(canvas.dc(), RECT{0, 0, 20, 40}, nullptr);
    EXPECT_GT(drawtest::R(canvas.At(0, 20)), 230);
    EXPECT_GT(drawtest::B(canvas.At(19, 20)), 230);
}

TEST(ControlPaint, PerSideBordersWinOverTheUniformOne) {
    CCanvas canvas(20, 20, kWhite);
    CControlUI c;
    c.ApplyAttributeString(L"bordercolor=\"#FFFF0000\" bordersize=\"3\" bordersize=\"1,0,0,1\"");
    c.PlaceAt(CUIRect(0, 0, 20, 20));
    c.PaintClipped(canvas.dc(), RECT{0, 0, 20, 20}, nullptr);
    EXPECT_EQ(canvas.Rgb(0, 10), 0xFF0000u);   // left line
    EXPECT_EQ(canvas.Rgb(10, 19), 0xFF0000u);  // bottom line at bottom - 1
    EXPECT_EQ(canvas.Rgb(19, 10), 0xFFFFFFu);  // no right side
    EXPECT_EQ(canvas.Rgb(10, 0), 0xFFFFFFu);   // no top side
    EXPECT_EQ(canvas.Rgb(2, 10), 0xFFFFFFu);   // not the 3-wide outline
}

TEST(ControlPaint, UniformAndFocusBorders) {
    CCanvas canvas(20, 20, kWhite);
    CControlUI c;
    c.ApplyAttributeString(L"bordercolor=\"#FFFF0000\" focusbordercolor=\"#FF0000FF\" bordersize=\"2\"");
    c.PlaceAt(CUIRect(0, 0, 20, 20));
    c.PaintClipped(canvas.dc(), RECT{0, 0, 20, 20}, nullptr);
    EXPECT_EQ(canvas.Rgb(0, 10), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(10, 0), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(10, 10), 0xFFFFFFu);

    TUIEvent focus;
    focus.Type = UIEVENT_SETFOCUS;
    c.HandleEvent(focus);
    canvas.Fill(kWhite);
    c.PaintClipped(canvas.dc(), RECT{0, 0, 20, 20}, nullptr);
    EXPECT_EQ(canvas.Rgb(0, 10), 0x0000FFu);

    // No border colours at all: nothing.
    CControlUI plain;
    plain.ApplyAttribute(L"bordersize", L"2");
    plain.PlaceAt(CUIRect(0, 0, 20, 20));
    canvas.Fill(kWhite);
    plain.PaintClipped(canvas.dc(), RECT{0, 0, 20, 20}, nullptr);
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
}

TEST(ControlPaint, BorderRoundClipsTheLayers) {
    CCanvas canvas(30, 30, kWhite);
    CControlUI c;
    c.ApplyAttributeString(L"bkcolor=\"#FF00FF00\" borderround=\"14,14\"");
    c.PlaceAt(CUIRect(0, 0, 30, 30));
    c.PaintClipped(canvas.dc(), RECT{0, 0, 30, 30}, nullptr);
    EXPECT_EQ(canvas.Rgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.Rgb(15, 15), 0x00FF00u);
    // The clip is released afterwards.
    HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(canvas.dc(), probe), 0);
    ::DeleteObject(probe);
}

TEST(ControlPaint, StopControlEndsPainting) {
    CCanvas canvas(40, 20, kWhite);
    CHorizontalLayoutUI row;
    CControlUI* a = new CControlUI();
    CControlUI* b = new CControlUI();
    a->ApplyAttribute(L"bkcolor", L"#FFFF0000");
    b->ApplyAttribute(L"bkcolor", L"#FF0000FF");
    row.Add(a);
    row.Add(b);
    row.PlaceAt(CUIRect(0, 0, 40, 20));
    EXPECT_FALSE(row.PaintClipped(canvas.dc(), RECT{0, 0, 40, 20}, b));
    EXPECT_EQ(canvas.Rgb(5, 5), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(30, 5), 0xFFFFFFu);
    EXPECT_FALSE(row.PaintClipped(canvas.dc(), RECT{0, 0, 40, 20}, &row));
}

TEST(ContainerPaint, ChildrenAreClippedToTheContentRectangle) {
    CCanvas canvas(40, 40, kWhite);
    CContainerUI box;
    box.SetInset(CUIRect(5, 5, 5, 5));
    CControlUI* child = new CControlUI();
    child->ApplyAttributeString(L"bkcolor=\"#FFFF0000\" minwidth=\"60\" minheight=\"60\"");
    CControlUI* floating = new CControlUI();
    floating->ApplyAttributeString(L"bkcolor=\"#FF0000FF\" float=\"true\" pos=\"0,0,4,4\"");
    box.Add(child);
    box.Add(floating);
    box.PlaceAt(CUIRect(0, 0, 40, 40));
    EXPECT_EQ(child->GetPos(), CUIRect(5, 5, 65, 65));
    box.PaintClipped(canvas.dc(), RECT{0, 0, 40, 40}, nullptr);
    EXPECT_EQ(canvas.Rgb(10, 10), 0xFF0000u);
    EXPECT_EQ(canvas.Rgb(36, 36), 0xFFFFFFu);  // in the inset
    EXPECT_EQ(canvas.Rgb(2, 2), 0x0000FFu);    // a floating child may use the inset
    EXPECT_EQ(canvas.Rgb(2, 20), 0xFFFFFFu);
}

TEST(ContainerPaint, InvisibleAndOutsideChildrenAreSkipped) {
    CCanvas canvas(40, 20, kWhite);
    CHorizontalLayoutUI row;
    CControlUI* a = new CControlUI();
    a->ApplyAttributeString(L"bkcolor=\"#FFFF0000\" width=\"20\"");
    CControlUI* b = new CControlUI();
    b->ApplyAttributeString(L"bkcolor=\"#FF0000FF\" width=\"20\"");
    row.Add(a);
    row.Add(b);
    row.PlaceAt(CUIRect(0, 0, 40, 20));
    b->SetVisible(false);
    EXPECT_TRUE(row.PaintClipped(canvas.dc(), RECT{0, 0, 40, 20}, nullptr));
    EXPECT_EQ(canvas.Rgb(25, 5), 0xFFFFFFu);
    // A paint rectangle that misses the layout paints nothing.
    canvas.Fill(kWhite);
    EXPECT_TRUE(row.PaintClipped(canvas.dc(), RECT{100, 100, 110, 110}, nullptr));
    EXPECT_EQ(canvas.CountNot(kWhite), 0);
}

}  // namespace
