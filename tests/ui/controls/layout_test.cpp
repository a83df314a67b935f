// Layout of trees of bare controls: placement rectangles of the box layouts,
// the plain container and floating children.
#include <gtest/gtest.h>

#include "ui/controls/container.h"
#include "ui/controls/horizontal_layout.h"
#include "ui/controls/vertical_layout.h"

using namespace SkinUI;

namespace {

CControlUI* Add(CContainerUI& parent, const wchar_t* attributes = L"") {
    CControlUI* c = new CControlUI();
    c->ApplyAttributeString(attributes);
    parent.Add(c);
    return c;
}

template <class T>
T* AddBox(CContainerUI& parent, const wchar_t* attributes = L"") {
    T* c = new T();
    c->ApplyAttributeString(attributes);
    parent.Add(c);
    return c;
}

TEST(HorizontalLayout, FreeControlTakesTheRestOfTheRow) {
    CHorizontalLayoutUI row;
    CControlUI* free = Add(row);
    CControlUI* button = Add(row, L"width=\"30\" height=\"30\"");
    row.PlaceAt(CUIRect(0, 0, 300, 30));
    EXPECT_EQ(free->GetPos(), CUIRect(0, 0, 270, 30));
    EXPECT_EQ(button->GetPos(), CUIRect(270, 0, 300, 30));
}

TEST(HorizontalLayout, TwoFreeControlsShareAndTheLastTakesTheRemainder) {
    CHorizontalLayoutUI row;
    CControlUI* a = Add(row);
    Add(row, L"width=\"10\"");
    CControlUI* b = Add(row);
    row.PlaceAt(CUIRect(0, 0, 101, 20));
    EXPECT_EQ(a->GetWidth(), 45);
    EXPECT_EQ(b->GetWidth(), 46);
    EXPECT_EQ(b->GetPos().right, 101);
}

TEST(HorizontalLayout, ChildAlignCentresFixedChildren) {
    CHorizontalLayoutUI row;
    row.ApplyAttribute(L"childalign", L"center");
    CControlUI* a = Add(row, L"width=\"40\"");
    CControlUI* b = Add(row, L"width=\"60\"");
    row.PlaceAt(CUIRect(0, 0, 200, 20));
    EXPECT_EQ(a->GetPos().left, 50);
    EXPECT_EQ(b->GetPos(), CUIRect(90, 0, 150, 20));
}

TEST(HorizontalLayout, HeightRuleAndVerticalAlignment) {
    CHorizontalLayoutUI row;
    CControlUI* fixed = Add(row, L"width=\"10\" height=\"20\"");
    CControlUI* free = Add(row, L"width=\"10\"");
    CControlUI* capped = Add(row, L"width=\"10\" maxheight=\"12\"");
    row.PlaceAt(CUIRect(0, 0, 100, 30));
    EXPECT_EQ(fixed->GetPos(), CUIRect(0, 0, 10, 20));
    EXPECT_EQ(free->GetPos(), CUIRect(10, 0, 20, 30));
    EXPECT_EQ(capped->GetPos(), CUIRect(20, 0, 30, 12));

    row.ApplyAttribute(L"childvalign", L"vcenter");
    row.PlaceAt(CUIRect(0, 0, 100, 30));
    EXPECT_EQ(fixed->GetPos(), CUIRect(0, 5, 10, 25));
    row.ApplyAttribute(L"childvalign", L"bottom");
    fixed->SetPadding(CUIRect(0, 0, 0, 3));
    row.PlaceAt(CUIRect(0, 0, 100, 30));
    EXPECT_EQ(fixed->GetPos(), CUIRect(0, 7, 10, 27));
}

TEST(VerticalLayout, ThreeAdjustableChildrenIn100) {
    CVerticalLayoutUI col;
    CControlUI* a = Add(col);
    CControlUI* b = Add(col);
    CControlUI* c = Add(col);
    col.PlaceAt(CUIRect(0, 0, 50, 100));
    EXPECT_EQ(a->GetPos(), CUIRect(0, 0, 50, 33));
    EXPECT_EQ(b->GetPos(), CUIRect(0, 33, 50, 66));
    EXPECT_EQ(c->GetPos(), CUIRect(0, 66, 50, 100));
}

TEST(VerticalLayout, VCenterOnlyWithoutAdjustableChildren) {
    CVerticalLayoutUI col;
    col.ApplyAttribute(L"childvalign", L"vcenter");
    CControlUI* a = Add(col, L"height=\"20\"");
    Add(col, L"height=\"30\"");
    col.PlaceAt(CUIRect(0, 0, 50, 200));
    EXPECT_EQ(a->GetPos().top, 75);

    col.ApplyAttribute(L"childvalign", L"bottom");
    col.PlaceAt(CUIRect(0, 0, 50, 200));
    EXPECT_EQ(a->GetPos().top, 150);

    col.ApplyAttribute(L"childvalign", L"vcenter");
    CControlUI* free = Add(col);
    col.PlaceAt(CUIRect(0, 0, 50, 200));
    EXPECT_EQ(a->GetPos().top, 0);
    EXPECT_EQ(free->GetPos(), CUIRect(0, 50, 50, 200));
}

TEST(VerticalLayout, ChildAlignIsCaseSensitive) {
    CVerticalLayoutUI col;
    col.ApplyAttribute(L"childalign", L"Center");
    EXPECT_EQ(col.GetChildAlign(), 0u);
    col.ApplyAttribute(L"ChildAlign", L"center");
    EXPECT_EQ(col.GetChildAlign(), 0u);
    EXPECT_STREQ(col.GetExtraAttribute(L"ChildAlign"), L"center");
    col.ApplyAttribute(L"childalign", L"right");
    EXPECT_EQ(col.GetChildAlign(), 2u);
    col.ApplyAttribute(L"childvalign", L"VCenter");
    EXPECT_EQ(col.GetChildVAlign(), 0u);
}

TEST(VerticalLayout, HeightClampedToMaximum) {
    CVerticalLayoutUI col;
    CControlUI* a = Add(col, L"height=\"80\" maxheight=\"50\"");
    CControlUI* b = Add(col, L"minheight=\"70\"");
    col.PlaceAt(CUIRect(0, 0, 40, 100));
    EXPECT_EQ(a->GetPos(), CUIRect(0, 0, 40, 50));
    // The adjustable child is raised to its minimum and runs past the end.
    EXPECT_EQ(b->GetPos(), CUIRect(0, 50, 40, 120));
}

TEST(VerticalLayout, InsetPaddingGapAndChildAlignment) {
    CVerticalLayoutUI col;
    col.ApplyAttributeString(L"inset=\"5,6,7,8\" childpadding=\"4\"");
    CControlUI* a = Add(col, L"height=\"10\" width=\"20\" padding=\"1,2,3,4\"");
    CControlUI* b = Add(col, L"height=\"10\"");
    CControlUI* c = Add(col);
    col.PlaceAt(CUIRect(100, 100, 200, 200));
    // content: (105, 106) to (193, 192)
    EXPECT_EQ(a->GetPos(), CUIRect(106, 108, 126, 118));
    EXPECT_EQ(b->GetPos(), CUIRect(105, 126, 193, 136));
    EXPECT_EQ(c->GetPos(), CUIRect(105, 140, 193, 192));

    col.ApplyAttribute(L"childalign", L"right");
    col.PlaceAt(CUIRect(100, 100, 200, 200));
    EXPECT_EQ(a->GetPos(), CUIRect(170, 108, 190, 118));
    col.ApplyAttribute(L"childalign", L"center");
    col.PlaceAt(CUIRect(100, 100, 200, 200));
    EXPECT_EQ(a->GetPos(), CUIRect(139, 108, 159, 118));
}

TEST(VerticalLayout, HiddenChildrenTakeNoSpace) {
    CVerticalLayoutUI col;
    CControlUI* a = Add(col, L"height=\"10\"");
    CControlUI* hidden = Add(col, L"height=\"40\" visible=\"false\"");
    CControlUI* c = Add(col);
    col.PlaceAt(CUIRect(0, 0, 10, 100));
    EXPECT_EQ(a->GetPos(), CUIRect(0, 0, 10, 10));
    EXPECT_EQ(c->GetPos(), CUIRect(0, 10, 10, 100));
    EXPECT_TRUE(hidden->GetPos().IsNull());
}

TEST(Container, PlainContainerOverlapsChildrenWithinLimits) {
    CContainerUI box;
    box.SetInset(CUIRect(2, 2, 2, 2));
    CControlUI* a = Add(box);
    CControlUI* b = Add(box, L"maxwidth=\"10\" minheight=\"100\"");
    box.PlaceAt(CUIRect(0, 0, 50, 40));
    EXPECT_EQ(a->GetPos(), CUIRect(2, 2, 48, 38));
    EXPECT_EQ(b->GetPos(), CUIRect(2, 2, 12, 102));
}

TEST(Container, FloatingChildren) {
    CVerticalLayoutUI box;
    CControlUI* corner = Add(box, L"float=\"true\" pos=\"3,3,23,13\" floatalign=\"right,bottom\"");
    CControlUI* centred = Add(box, L"float=\"true\" width=\"20\" height=\"10\" floatalign=\"center vcenter\"");
    CControlUI* placed = Add(box, L"float=\"true\" pos=\"5,6,25,16\"");
    CControlUI* fromRight = Add(box, L"float=\"true\" pos=\"-1,-1,-30,-20\"");
    CControlUI* percent = Add(box, L"float=\"0.5,0,1,0.5\" pos=\"0,0,0,0\"");
    CControlUI* flow = Add(box);
    box.PlaceAt(CUIRect(100, 100, 200, 160));
    EXPECT_EQ(corner->GetPos(), CUIRect(180, 150, 200, 160));
    EXPECT_EQ(centred->GetPos(), CUIRect(140, 125, 160, 135));
    EXPECT_EQ(placed->GetPos(), CUIRect(105, 106, 125, 116));
    // Negative position: measured from the right and bottom edges.
    EXPECT_EQ(fromRight->GetPos(), CUIRect(170, 140, 199, 159));
    EXPECT_EQ(percent->GetPos(), CUIRect(150, 100, 200, 130));
    // Floating children take no part in the flow.
    EXPECT_EQ(flow->GetPos(), CUIRect(100, 100, 200, 160));
}

TEST(Container, RepairWindowTree) {
    // The 300x100 repair window, built by hand.
    CVerticalLayoutUI root;
    root.ApplyAttribute(L"bkcolor", L"#ffffffff");
    auto* top = AddBox<CHorizontalLayoutUI>(root, L"height=\"30\"");
    Add(*top);
    CControlUI* close = Add(*top, L"name=\"sysclosebutton\" width=\"30\" height=\"30\"");
    auto* body = AddBox<CHorizontalLayoutUI>(root);
    Add(*body, L"width=\"15\"");
    CControlUI* logo = Add(*body, L"width=\"48\" height=\"48\"");
    Add(*body, L"width=\"15\"");
    auto* text = AddBox<CVerticalLayoutUI>(*body);
    auto* titleRow = AddBox<CHorizontalLayoutUI>(*text, L"height=\"15\"");
    CControlUI* title = Add(*titleRow, L"height=\"15\"");
    Add(*text, L"height=\"10\"");
    auto* barRow = AddBox<CHorizontalLayoutUI>(*text, L"height=\"18\"");
    CControlUI* bar = Add(*barRow, L"name=\"progress_doing\" width=\"210\" height=\"18\"");

    root.PlaceAt(CUIRect(0, 0, 300, 100));
    EXPECT_EQ(close->GetPos(), CUIRect(270, 0, 300, 30));
    EXPECT_EQ(body->GetPos(), CUIRect(0, 30, 300, 100));
    EXPECT_EQ(logo->GetPos(), CUIRect(15, 30, 63, 78));
    EXPECT_EQ(text->GetPos(), CUIRect(78, 30, 300, 100));
    EXPECT_EQ(title->GetPos(), CUIRect(78, 30, 300, 45));
    EXPECT_EQ(bar->GetPos(), CUIRect(78, 55, 288, 73));
}

}  // namespace

namespace {

TUIEvent MouseEvent(int type, int x, int y) {
    TUIEvent e;
    e.Type = type;
    e.ptMouse.x = x;
    e.ptMouse.y = y;
    return e;
}

TEST(Separator, ImmediateDragResizesWithinTheLimits) {
    CVerticalLayoutUI box;
    box.ApplyAttributeString(L"sepheight=\"4\" sepimm=\"true\" maxheight=\"70\"");
    box.PlaceAt(CUIRect(0, 0, 100, 50));
    EXPECT_EQ(box.GetThumbRect(), CUIRect(0, 46, 100, 50));
    TUIEvent down = MouseEvent(UIEVENT_BUTTONDOWN, 50, 48);
    box.HandleEvent(down);
    TUIEvent move = MouseEvent(UIEVENT_MOUSEMOVE, 50, 58);
    box.HandleEvent(move);
    EXPECT_EQ(box.GetPos(), CUIRect(0, 0, 100, 60));
    EXPECT_EQ(box.GetFixedHeight(), 60);
    move = MouseEvent(UIEVENT_MOUSEMOVE, 50, 200);  // clamped at the maximum height
    box.HandleEvent(move);
    EXPECT_EQ(box.GetPos(), CUIRect(0, 0, 100, 70));
    TUIEvent up = MouseEvent(UIEVENT_BUTTONUP, 50, 200);
    box.HandleEvent(up);
    move = MouseEvent(UIEVENT_MOUSEMOVE, 50, 10);  // no longer dragging
    box.HandleEvent(move);
    EXPECT_EQ(box.GetFixedHeight(), 70);
}

TEST(Separator, HorizontalStripOnTheLeftEdge) {
    CHorizontalLayoutUI box;
    box.ApplyAttributeString(L"sepwidth=\"-6\" sepimm=\"true\" minwidth=\"20\"");
    box.PlaceAt(CUIRect(100, 0, 200, 30));
    EXPECT_EQ(box.GetThumbRect(), CUIRect(100, 0, 106, 30));
    TUIEvent outside = MouseEvent(UIEVENT_BUTTONDOWN, 150, 10);
    box.HandleEvent(outside);
    TUIEvent move = MouseEvent(UIEVENT_MOUSEMOVE, 170, 10);
    box.HandleEvent(move);
    EXPECT_EQ(box.GetPos(), CUIRect(100, 0, 200, 30));  // the press missed the strip
    TUIEvent down = MouseEvent(UIEVENT_BUTTONDOWN, 102, 10);
    box.HandleEvent(down);
    move = MouseEvent(UIEVENT_MOUSEMOVE, 192, 10);
    box.HandleEvent(move);
    EXPECT_EQ(box.GetPos(), CUIRect(180, 0, 200, 30));  // kept at the minimum width
}

}  // namespace
