// Control base: attributes, attribute lists, listeners, events, search,
// visibility and DPI-scaled geometry.
#include <gtest/gtest.h>

#include <vector>

#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;

namespace {

TEST(ControlAttributes, Pos) {
    CControlUI c;
    c.ApplyAttribute(L"pos", L"10,20,110,60");
    EXPECT_EQ(c.GetFixedXY().cx, 10);
    EXPECT_EQ(c.GetFixedXY().cy, 20);
    EXPECT_EQ(c.GetFixedWidth(), 100);
    EXPECT_EQ(c.GetFixedHeight(), 40);
    c.ApplyAttribute(L"POS", L"-1,-1,50,40");
    EXPECT_EQ(c.GetFixedXY().cx, 50);
    EXPECT_EQ(c.GetFixedXY().cy, 40);
    EXPECT_EQ(c.GetFixedWidth(), 51);
    EXPECT_EQ(c.GetFixedHeight(), 41);
}

TEST(ControlAttributes, SizesAndLimits) {
    CControlUI c;
    c.ApplyAttribute(L"width", L"30");
    c.ApplyAttribute(L"width", L"-5");
    EXPECT_EQ(c.GetFixedWidth(), 30);
    c.ApplyAttribute(L"height", L"abc");
    EXPECT_EQ(c.GetFixedHeight(), 0);
    EXPECT_EQ(c.GetMaxWidth(), 9999);
    c.ApplyAttribute(L"maxwidth", L"-1");
    EXPECT_EQ(c.GetMaxWidth(), 9999);
    c.ApplyAttribute(L"minheight", L"7");
    EXPECT_EQ(c.GetMinHeight(), 7);
    c.ApplyAttribute(L"padding", L"1,2,3,4");
    EXPECT_EQ(c.GetPadding(), CUIRect(1, 2, 3, 4));
    EXPECT_EQ(c.MeasureDesired(SIZE{100, 100}).cx, 30);
}

TEST(ControlAttributes, BorderSizeOneAndFourValues) {
    CControlUI c;
    c.ApplyAttribute(L"bordersize", L"1,2,3,4");
    c.ApplyAttribute(L"bordersize", L"2");
    EXPECT_EQ(c.GetBorderSize(), 2);
    EXPECT_TRUE(c.GetBorderSizes().IsNull());
    c.ApplyAttribute(L"bordersize", L"0,1,0,1");
    EXPECT_EQ(c.GetBorderSize(), 2);
    EXPECT_EQ(c.GetBorderSizes(), CUIRect(0, 1, 0, 1));
    c.ApplyAttribute(L"leftbordersize", L"5");
    EXPECT_EQ(c.GetBorderSizes().left, 5);
}

TEST(ControlAttributes, Colours) {
    CControlUI c;
    c.ApplyAttribute(L"bkcolor", L"  #FF112233");
    EXPECT_EQ(c.GetBkColor(), 0xFF112233u);
    c.ApplyAttribute(L"bkcolor1", L"80445566");
    EXPECT_EQ(c.GetBkColor(), 0x80445566u);
    c.ApplyAttribute(L"bkcolor2", L"#ff000001");
    c.ApplyAttribute(L"bkcolor3", L"#ff000002");
    c.ApplyAttribute(L"forecolor", L"#ff000003");
    EXPECT_EQ(c.GetBkColor2(), 0xFF000001u);
    EXPECT_EQ(c.GetBkColor3(), 0xFF000002u);
    EXPECT_EQ(c.GetForeColor(), 0xFF000003u);
    // The border colours skip only the '#'.
    c.ApplyAttribute(L"bordercolor", L"#FFABCDEF");
    EXPECT_EQ(c.GetBorderColor(), 0xFFABCDEFu);
    c.ApplyAttribute(L"focusbordercolor", L" #FFABCDEF");
    EXPECT_EQ(c.GetFocusBorderColor(), 0u);
}

TEST(ControlAttributes, TextTooltipAndFlags) {
    CControlUI c;
    c.ApplyAttribute(L"text", L"a{\\n}b");
    EXPECT_EQ(c.GetText(), L"a\nb");
    c.ApplyAttribute(L"tooltip", L"x<n>y");
    EXPECT_EQ(c.GetToolTip(), L"x\r\ny");
    c.ApplyAttributeString(
        L"enabled=\"false\" mouse=\"FALSE\" keyboard=\"false\" menu=\"TRUE\" drag=\"true\" drop=\"true\" "
        L"richevent=\"true\" shortcut=\"Qx\" userdata=\"u\" name=\"n1\" virtualwnd=\"vw\"");
    EXPECT_FALSE(c.IsEnabled());
    EXPECT_FALSE(c.IsMouseEnabled());
    EXPECT_FALSE(c.IsKeyboardEnabled());
    EXPECT_TRUE(c.IsContextMenuUsed());
    EXPECT_TRUE(c.IsDragEnabled());
    EXPECT_TRUE(c.IsDropEnabled());
    EXPECT_TRUE(c.IsRichEvent());
    EXPECT_EQ(c.GetShortcut(), L'Q');
    EXPECT_EQ(c.GetUserData(), L"u");
    EXPECT_EQ(c.GetName(), L"n1");
    EXPECT_EQ(c.GetVirtualWnd(), L"vw");
    c.ApplyAttribute(L"enabled", L"yes");  // only "true" is true
    EXPECT_FALSE(c.IsEnabled());
}

TEST(ControlAttributes, CursorNames) {
    CControlUI c;
    c.ApplyAttribute(L"cursor", L"hand");
    EXPECT_EQ(c.GetCursor(), 32649);
    c.ApplyAttribute(L"cursor", L"nonsense");
    EXPECT_EQ(c.GetCursor(), 32649);
    c.ApplyAttribute(L"cursor", L"sizens");
    EXPECT_EQ(c.GetCursor(), 32645);
}

TEST(ControlAttributes, FloatAndFloatAlign) {
    CControlUI c;
    c.ApplyAttribute(L"float", L"true");
    EXPECT_TRUE(c.IsFloat());
    c.ApplyAttribute(L"float", L"false");
    EXPECT_FALSE(c.IsFloat());
    c.ApplyAttribute(L"float", L"0.25,0.5,0.75,1");
    EXPECT_TRUE(c.IsFloat());
    EXPECT_DOUBLE_EQ(c.GetFloatPercent().left, 0.25);
    EXPECT_DOUBLE_EQ(c.GetFloatPercent().bottom, 1.0);
    c.ApplyAttribute(L"floatalign", L"right,bottom");
    EXPECT_EQ(c.GetFloatAlign(), 0x2u | 0x8u);
    c.ApplyAttribute(L"floatalign", L"center bogus");  // keeps the vertical bits
    EXPECT_EQ(c.GetFloatAlign(), 0x1u | 0x8u);
    c.ApplyAttribute(L"floatalign", L"vcenter,left");
    EXPECT_EQ(c.GetFloatAlign(), 0x4u);
    c.ApplyAttribute(L"floatalign", L"null");
    EXPECT_EQ(c.GetFloatAlign(), 0u);
}

TEST(ControlAttributes, UnknownAttributeKeepsItsFirstValue) {
    CControlUI c;
    c.ApplyAttribute(L"custom", L"one");
    c.ApplyAttribute(L"custom", L"two");
    c.ApplyAttribute(L"empty", L"");
    EXPECT_STREQ(c.GetExtraAttribute(L"custom"), L"one");
    EXPECT_EQ(c.GetExtraAttribute(L"empty"), nullptr);
    EXPECT_EQ(c.GetExtraAttribute(L"Custom"), nullptr);
    // A style name without a manager is kept as an extra attribute too.
    c.ApplyAttribute(L"style", L"s");
    EXPECT_STREQ(c.GetExtraAttribute(L"style"), L"s");
}

TEST(ControlAttributeList, Rules) {
    CControlUI c;
    c.ApplyAttributeString(L"name=&quot;a&quot; text=\"t\" width=&quot;12&quot;");
    EXPECT_EQ(c.GetName(), L"a");
    EXPECT_EQ(c.GetText(), L"t");
    EXPECT_EQ(c.GetFixedWidth(), 12);

    // After a value: a character other than a space needs a comma after it.
    CControlUI d;
    d.ApplyAttributeString(L"name=\"a\";,width=\"5\"");
    EXPECT_EQ(d.GetFixedWidth(), 5);
    CControlUI e;
    e.ApplyAttributeString(L"name=\"a\",width=\"5\"");
    EXPECT_EQ(e.GetName(), L"a");
    EXPECT_EQ(e.GetFixedWidth(), 0);

    // A malformed pair stops the list, keeping what came before.
    CControlUI f;
    f.ApplyAttributeString(L"width=\"7\" height=8 name=\"x\"");
    EXPECT_EQ(f.GetFixedWidth(), 7);
    EXPECT_EQ(f.GetName(), L"");
    CControlUI g;
    g.ApplyAttributeString(L"width=\"7\" name=\"unterminated");
    EXPECT_EQ(g.GetFixedWidth(), 7);
    EXPECT_EQ(g.GetName(), L"");
    // The list may end right after a closing quote, or with one character.
    CControlUI h;
    h.ApplyAttributeString(L"width=\"9\"x");
    EXPECT_EQ(h.GetFixedWidth(), 9);
}

TEST(ControlAttributeList, StylesThroughTheManager) {
    CPaintManagerUI pm;
    pm.AddStyle(L"wide", L"width=\"40\" height=\"4\"");
    pm.AddStyle(L"inner", L"style=\"wide\" name=\"styled\"");
    CControlUI c;
    c.SetManager(&pm, nullptr, false);
    c.ApplyAttribute(L"style", L"wide");
    EXPECT_EQ(c.GetFixedWidth(), 40);
    CControlUI d;
    d.SetManager(&pm, nullptr, false);
    d.ApplyAttributeString(L"inner");
    EXPECT_EQ(d.GetFixedHeight(), 4);
    EXPECT_EQ(d.GetName(), L"styled");
    d.ApplyAttribute(L"innerstyle", L"width=\"3\"");
    EXPECT_EQ(d.GetFixedWidth(), 3);
    c.SetManager(nullptr, nullptr, false);
    d.SetManager(nullptr, nullptr, false);
}

TEST(ControlGeometry, ScaledReadsAtOneHundredFiftyPercent) {
    CPaintManagerUI pm;
    pm.SetDpiScale(150);
    CControlUI c;
    c.ApplyAttributeString(L"width=\"100\" height=\"20\" padding=\"2,4,6,8\" minwidth=\"10\" maxheight=\"50\" "
                           L"bordersize=\"2\" borderround=\"4,6\" pos=\"10,20,110,40\"");
    c.SetManager(&pm, nullptr, false);
    EXPECT_EQ(c.GetFixedWidth(), 150);
    EXPECT_EQ(c.GetFixedHeight(), 30);
    EXPECT_EQ(c.GetFixedXY().cx, 15);
    EXPECT_EQ(c.GetMinWidth(), 15);
    EXPECT_EQ(c.GetMaxHeight(), 75);
    EXPECT_EQ(c.GetBorderSize(), 3);
    EXPECT_EQ(c.GetBorderRound().cx, 6);
    EXPECT_EQ(c.GetToolTipWidth(), 450);
    EXPECT_EQ(c.GetPadding(), CUIRect(3, 6, 9, 12));
    // Stored unscaled.
    EXPECT_EQ(c.GetFixedSizeRaw().cx, 100);
    c.SetManager(nullptr, nullptr, false);
    EXPECT_EQ(c.GetFixedWidth(), 100);
}

TEST(ControlGeometry, PlaceAtNormalisesAndRelativePos) {
    CVerticalLayoutUI parent;
    CControlUI* child = new CControlUI();
    parent.Add(child);
    parent.SetManager(nullptr, nullptr, false);  // sets the child's parent
    parent.PlaceAt(CUIRect(10, 10, 100, 100));
    child->PlaceAt(CUIRect(30, 40, 20, 30));
    EXPECT_EQ(child->GetPos(), CUIRect(30, 40, 30, 40));
    EXPECT_EQ(child->GetRelativePos(), CUIRect(20, 30, 20, 30));
    CControlUI orphan;
    EXPECT_TRUE(orphan.GetRelativePos().IsNull());
}

// ---- listeners and events ----

struct TRecorder {
    std::vector<int> events;
    int inits = 0;
    int destroys = 0;
    int resizes = 0;
    bool swallow = false;
    bool OnEvent(void* p) {
        events.push_back(static_cast<TUIEvent*>(p)->Type);
        return !swallow;
    }
    bool OnInit(void*) {
        ++inits;
        return true;
    }
    bool OnDestroy(void*) {
        ++destroys;
        return true;
    }
    bool OnResize(void*) {
        ++resizes;
        return true;
    }
};

bool g_staticCalled = false;
bool StaticStop(void*) {
    g_staticCalled = true;
    return false;
}

TEST(ControlListeners, OrderStopAndRemoval) {
    TRecorder a, b;
    CListenerList list;
    EXPECT_TRUE(list(nullptr));
    list += MakeDelegate(&a, &TRecorder::OnInit);
    list += MakeDelegate(StaticStop);
    list += MakeDelegate(&b, &TRecorder::OnInit);
    EXPECT_FALSE(list(nullptr));
    EXPECT_EQ(a.inits, 1);
    EXPECT_TRUE(g_staticCalled);
    EXPECT_EQ(b.inits, 0);
    list -= MakeDelegate(StaticStop);
    list -= MakeDelegate(&b, &TRecorder::OnDestroy);  // not present: nothing removed
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_TRUE(list(nullptr));
    EXPECT_EQ(b.inits, 1);
}

class CRecordingContainer : public CVerticalLayoutUI {
public:
    std::vector<int> handled;
    void HandleEvent(TUIEvent& event) override {
        handled.push_back(event.Type);
        CVerticalLayoutUI::HandleEvent(event);
    }
};

TEST(ControlEvents, RaiseEventListenersAndParentChain) {
    CRecordingContainer outer;
    CVerticalLayoutUI* inner = new CVerticalLayoutUI();
    CControlUI* leaf = new CControlUI();
    inner->Add(leaf);
    outer.Add(inner);
    outer.SetManager(nullptr, nullptr, false);

    TRecorder rec;
    leaf->OnEvent += MakeDelegate(&rec, &TRecorder::OnEvent);
    TUIEvent menu;
    menu.Type = UIEVENT_CONTEXTMENU;
    leaf->RaiseEvent(menu);
    // Unhandled by the leaf and the inner layout: it reaches the outer one.
    ASSERT_EQ(outer.handled.size(), 1u);
    EXPECT_EQ(outer.handled[0], UIEVENT_CONTEXTMENU);
    EXPECT_EQ(rec.events.size(), 1u);

    // A listener returning false swallows the event.
    rec.swallow = true;
    leaf->RaiseEvent(menu);
    EXPECT_EQ(outer.handled.size(), 1u);

    // With "menu" the leaf handles it itself.
    rec.swallow = false;
    leaf->ApplyAttribute(L"menu", L"true");
    leaf->RaiseEvent(menu);
    EXPECT_EQ(outer.handled.size(), 1u);

    // Focus events stop at the control.
    TUIEvent focus;
    focus.Type = UIEVENT_SETFOCUS;
    leaf->RaiseEvent(focus);
    EXPECT_TRUE(leaf->IsFocused());
    focus.Type = UIEVENT_KILLFOCUS;
    leaf->RaiseEvent(focus);
    EXPECT_FALSE(leaf->IsFocused());
    EXPECT_EQ(outer.handled.size(), 1u);
}

TEST(ControlEvents, MouseDisabledContainerPassesMouseEventsUp) {
    CRecordingContainer outer;
    CVerticalLayoutUI* inner = new CVerticalLayoutUI();
    outer.Add(inner);
    outer.SetManager(nullptr, nullptr, false);
    inner->SetMouseEnabled(false);
    TUIEvent down;
    down.Type = UIEVENT_BUTTONDOWN;
    inner->HandleEvent(down);
    ASSERT_EQ(outer.handled.size(), 1u);
    EXPECT_EQ(outer.handled[0], UIEVENT_BUTTONDOWN);
}

TEST(ControlLifecycle, InitResizeAndDestroyListeners) {
    TRecorder rec;
    CVerticalLayoutUI* parent = new CVerticalLayoutUI();
    CControlUI* child = new CControlUI();
    child->OnInit += MakeDelegate(&rec, &TRecorder::OnInit);
    child->OnDestroy += MakeDelegate(&rec, &TRecorder::OnDestroy);
    parent->Add(child);
    parent->SetManager(nullptr, nullptr, true);  // a child with a parent is initialised
    EXPECT_EQ(rec.inits, 1);
    delete parent;
    EXPECT_EQ(rec.destroys, 1);
}

// ---- search ----

CControlUI* AcceptAll(CControlUI* c, void*) { return c; }
CControlUI* AcceptNamed(CControlUI* c, void*) { return c->GetName().IsEmpty() ? nullptr : c; }

TEST(ControlSearch, FlagsOfTheBase) {
    CControlUI c;
    c.PlaceAt(CUIRect(0, 0, 10, 10));
    POINT in = {5, 5}, out = {10, 5};
    EXPECT_EQ(c.FindMatching(AcceptAll, &in, UIFIND_HITTEST), &c);
    EXPECT_EQ(c.FindMatching(AcceptAll, &out, UIFIND_HITTEST), nullptr);
    c.SetMouseEnabled(false);
    EXPECT_EQ(c.FindMatching(AcceptAll, &in, UIFIND_HITTEST), nullptr);
    EXPECT_EQ(c.FindMatching(AcceptAll, nullptr, 0), &c);
    c.SetEnabled(false);
    EXPECT_EQ(c.FindMatching(AcceptAll, nullptr, UIFIND_ENABLED), nullptr);
    c.SetVisible(false);
    EXPECT_EQ(c.FindMatching(AcceptAll, nullptr, UIFIND_VISIBLE), nullptr);
    EXPECT_EQ(c.FindMatching(AcceptAll, nullptr, 0), &c);
}

TEST(ControlSearch, ContainerOrderAndHitTesting) {
    CContainerUI box;
    CControlUI* a = new CControlUI();
    CControlUI* b = new CControlUI();
    a->SetName(L"a");
    b->SetName(L"b");
    box.Add(a);
    box.Add(b);
    box.SetInset(CUIRect(2, 2, 2, 2));
    box.PlaceAt(CUIRect(0, 0, 20, 20));  // a and b overlap at (2,2)-(18,18)
    POINT pt = {5, 5};
    EXPECT_EQ(box.FindMatching(AcceptNamed, &pt, UIFIND_HITTEST), a);
    EXPECT_EQ(box.FindMatching(AcceptNamed, &pt, UIFIND_HITTEST | UIFIND_TOP_FIRST), b);
    EXPECT_EQ(box.FindMatching(AcceptAll, &pt, UIFIND_HITTEST | UIFIND_ME_FIRST), &box);
    // In the inset, outside the content rectangle: the container itself.
    POINT edge = {1, 1};
    EXPECT_EQ(box.FindMatching(AcceptAll, &edge, UIFIND_HITTEST), &box);
    box.SetMouseChildEnabled(false);
    EXPECT_EQ(box.FindMatching(AcceptAll, &pt, UIFIND_HITTEST), &box);
    box.SetMouseChildEnabled(true);
    a->SetVisible(false);
    EXPECT_EQ(box.FindMatching(AcceptNamed, &pt, UIFIND_HITTEST | UIFIND_VISIBLE), b);
    // The update test hides the children of a container the callback accepts.
    EXPECT_EQ(box.FindMatching(AcceptAll, nullptr, UIFIND_UPDATETEST), nullptr);
}

// ---- visibility, enabling and the child list ----

TEST(ContainerChildren, VisibilityAndEnabledPropagate) {
    CVerticalLayoutUI box;
    CControlUI* child = new CControlUI();
    box.Add(child);
    box.SetVisible(false);
    EXPECT_FALSE(child->IsVisible());
    CControlUI* late = new CControlUI();
    box.Add(late);  // joins a hidden container: internally invisible
    EXPECT_FALSE(late->IsVisible());
    box.SetVisible(true);
    EXPECT_TRUE(child->IsVisible());
    EXPECT_TRUE(late->IsVisible());
    box.SetEnabled(false);
    EXPECT_FALSE(child->IsEnabled());
    box.SetEnabled(true);
    EXPECT_TRUE(child->IsEnabled());
}

TEST(ContainerChildren, ListOperations) {
    TRecorder rec;
    CVerticalLayoutUI box;
    EXPECT_FALSE(box.Add(nullptr));
    CControlUI* a = new CControlUI();
    CControlUI* b = new CControlUI();
    CControlUI* c = new CControlUI();
    EXPECT_TRUE(box.Add(a));
    EXPECT_TRUE(box.Add(b));
    EXPECT_TRUE(box.AddAt(c, 0));
    EXPECT_FALSE(box.AddAt(c, 5));
    EXPECT_EQ(box.GetCount(), 3);
    EXPECT_EQ(box.GetItemAt(0), c);
    EXPECT_EQ(box.GetItemAt(3), nullptr);
    EXPECT_EQ(box.GetItemIndex(b), 2);
    EXPECT_TRUE(box.SetItemIndex(c, 2));
    EXPECT_EQ(box.GetItemIndex(c), 2);
    EXPECT_TRUE(box.SetItemIndex(c, 99));  // past the end: moved to the end, not lost
    EXPECT_EQ(box.GetItemIndex(c), 2);
    // Without a manager a removed child is deleted at once.
    b->OnDestroy += MakeDelegate(&rec, &TRecorder::OnDestroy);
    EXPECT_TRUE(box.Remove(b));
    EXPECT_EQ(rec.destroys, 1);
    EXPECT_FALSE(box.RemoveAt(7));
    CControlUI stranger;
    EXPECT_FALSE(box.Remove(&stranger));
    // Without auto destroy the caller keeps the child.
    box.SetAutoDestroy(false);
    EXPECT_TRUE(box.Remove(a));
    delete a;
    box.SetAutoDestroy(true);
    box.RemoveAll();
    EXPECT_EQ(box.GetCount(), 0);
}

TEST(ContainerChildren, RemovalWithAManagerIsDeferred) {
    TRecorder rec;
    {
        CPaintManagerUI pm;
        CVerticalLayoutUI* root = new CVerticalLayoutUI();
        CControlUI* child = new CControlUI();
        child->OnDestroy += MakeDelegate(&rec, &TRecorder::OnDestroy);
        root->Add(child);
        pm.AttachRoot(root);
        EXPECT_EQ(child->GetManager(), &pm);
        EXPECT_EQ(child->GetParent(), root);
        EXPECT_TRUE(root->Remove(child));
        EXPECT_EQ(rec.destroys, 0);  // waits in the manager's clean-up list
    }
    EXPECT_EQ(rec.destroys, 1);
}

TEST(ContainerAttributes, ScrollBarSettings) {
    CVerticalLayoutUI box;
    CControlFactory::Instance().RegisterControl(L"CScrollBarUI", []() -> CControlUI* { return new CScrollBarUI; });
    box.ApplyAttributeString(L"vscrollbar=\"true\" scrollstepsize=\"12\" mousechild=\"false\" inset=\"1,2,3,4\" "
                             L"childpadding=\"6\"");
    box.ApplyAttribute(L"hscrollbarstyle", L"height=\"8\"");
    ASSERT_NE(box.GetVerticalScrollBar(), nullptr);
    ASSERT_NE(box.GetHorizontalScrollBar(), nullptr);
    EXPECT_EQ(box.GetHScrollBarStyle(), L"height=\"8\"");
    EXPECT_EQ(box.GetHorizontalScrollBar()->GetThickness(), 8);
    EXPECT_EQ(box.GetScrollStepSize(), 12);
    box.SetScrollStepSize(-3);
    EXPECT_EQ(box.GetScrollStepSize(), 12);
    EXPECT_FALSE(box.IsMouseChildEnabled());
    EXPECT_EQ(box.GetInset(), CUIRect(1, 2, 3, 4));
    EXPECT_EQ(box.GetChildPadding(), 6);
    box.ApplyAttribute(L"vscrollbar", L"false");
    EXPECT_EQ(box.GetVerticalScrollBar(), nullptr);
    EXPECT_NE(box.GetHorizontalScrollBar(), nullptr);
}

TEST(ControlIdentity, ClassesAndInterfaces) {
    CControlUI c;
    CContainerUI box;
    CVerticalLayoutUI v;
    EXPECT_STREQ(c.GetClass(), L"ControlUI");
    EXPECT_EQ(c.GetInterface(L"control"), &c);
    EXPECT_EQ(c.GetInterface(L"Container"), nullptr);
    EXPECT_STREQ(box.GetClass(), L"ContainerUI");
    EXPECT_EQ(box.GetInterface(L"IContainer"), static_cast<IContainerUI*>(&box));
    EXPECT_EQ(box.GetInterface(L"Container"), &box);
    EXPECT_EQ(box.GetInterface(L"Control"), static_cast<CControlUI*>(&box));
    EXPECT_STREQ(v.GetClass(), L"VerticalLayoutUI");
    EXPECT_EQ(v.GetInterface(L"VerticalLayout"), &v);
    EXPECT_EQ(v.GetControlFlags(), 0u);
    v.ApplyAttribute(L"sepheight", L"4");
    EXPECT_EQ(v.GetControlFlags(), 2u);
}

}  // namespace

namespace {

struct TNotifySink : public INotifyUI {
    std::vector<CUIString> types;
    std::vector<WPARAM> params;
    void ReceiveNotify(TUINotify& msg) override {
        types.push_back(msg.sType);
        params.push_back(msg.wParam);
    }
};

TEST(ControlEvents, TimerAndMenuBecomeNotifications) {
    CPaintManagerUI pm;
    TNotifySink sink;
    pm.AddNotifier(&sink);
    CVerticalLayoutUI* root = new CVerticalLayoutUI();
    CControlUI* child = new CControlUI();
    child->ApplyAttribute(L"menu", L"true");
    root->Add(child);
    pm.AttachRoot(root);
    TUIEvent timer;
    timer.Type = UIEVENT_TIMER;
    timer.wParam = 256;
    child->RaiseEvent(timer);
    TUIEvent menu;
    menu.Type = UIEVENT_CONTEXTMENU;
    menu.wParam = 7;
    child->RaiseEvent(menu);
    ASSERT_EQ(sink.types.size(), 2u);
    EXPECT_EQ(sink.types[0], L"timer");
    EXPECT_EQ(sink.params[0], 256u);
    EXPECT_EQ(sink.types[1], L"menu");
    EXPECT_EQ(sink.params[1], 7u);
    pm.RemoveNotifier(&sink);
}

}  // namespace
