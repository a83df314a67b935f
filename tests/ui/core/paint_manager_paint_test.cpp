// Paint manager with a real window: first layout and its notifications,
// painting, background erasing, queued notifications and delayed clean-up.
#include <gtest/gtest.h>

#include "tests/ui/core/window_test_util.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"

using namespace SkinUI;
using wintest::EventLog;
using wintest::HostWindow;

namespace {

const wchar_t kTwoBoxes[] =
    L"<Window><HorizontalLayout name=\"root\" bkcolor=\"#FF102030\">"
    L"<Control name=\"a\" width=\"100\" bkcolor=\"#FFFF0000\"/>"
    L"<Control name=\"b\" width=\"100\" bkcolor=\"#FF00FF00\"/>"
    L"<Control name=\"c\"/>"
    L"</HorizontalLayout></Window>";

// Logs "paint:<name>" each time the control paints.
class PaintProbe : public CControlUI {
public:
    explicit PaintProbe(EventLog* log) : m_log(log) {}
    bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) override {
        m_log->Add("paint:" + wintest::Narrow(GetName()));
        return CControlUI::PaintLayers(dc, paint, stop);
    }

private:
    EventLog* m_log;
};

bool RecordDestroy(void* param) {
    auto* control = static_cast<CControlUI*>(param);
    auto* log = reinterpret_cast<EventLog*>(control->GetTag());
    if (log != nullptr) log->Add("destroyed:" + wintest::Narrow(control->GetName()));
    return true;
}

// A control that tells the log when it is destroyed.
CControlUI* NewTracked(EventLog* log, const wchar_t* name) {
    auto* control = new CControlUI;
    control->SetName(name);
    control->SetTag(reinterpret_cast<UINT_PTR>(log));
    control->OnDestroy += &RecordDestroy;
    return control;
}

TEST(PaintManagerPaint, FirstPaintLaysOutSendsWindowInitBeforeDrawingAndQueuesOneWindowSize) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    CControlUI* root = host.Attach(kTwoBoxes);
    ASSERT_NE(root, nullptr);
    auto* container = static_cast<CContainerUI*>(root->GetInterface(L"Container"));
    auto* probe = new PaintProbe(&log);
    probe->SetName(L"probe");
    probe->SetFixedWidth(10);
    ASSERT_TRUE(container->Add(probe));

    host.ShowAndPaint();
    // Laid out: a, b, probe have their widths, c takes the rest.
    EXPECT_EQ(host.pm.FindControlByName(L"a")->GetPos(), CUIRect(0, 0, 100, 200));
    EXPECT_EQ(host.pm.FindControlByName(L"b")->GetPos(), CUIRect(100, 0, 200, 200));
    EXPECT_EQ(host.pm.FindControlByName(L"c")->GetPos(), CUIRect(200, 0, 290, 200));
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.front(), "note:windowinit:root");  // before anything is drawn
    EXPECT_TRUE(log.Contains("paint:probe"));
    EXPECT_TRUE(log.With("note:windowsize").empty());   // queued, not yet delivered

    wintest::Pump();
    EXPECT_EQ(log.With("note:windowsize").size(), 1u);
    EXPECT_EQ(log.With("note:windowinit").size(), 1u);

    // A repaint without a layout request queues nothing.
    log.Clear();
    host.pm.Invalidate();
    ::UpdateWindow(host.GetHWND());
    wintest::Pump();
    EXPECT_TRUE(log.Contains("paint:probe"));
    EXPECT_TRUE(log.With("note:").empty());

    // A layout request lays out again and queues one more "windowsize", no "windowinit".
    log.Clear();
    host.pm.FindControlByName(L"a")->SetFixedWidth(50);
    ::UpdateWindow(host.GetHWND());
    wintest::Pump();
    EXPECT_EQ(host.pm.FindControlByName(L"b")->GetPos().left, 50);
    EXPECT_EQ(log.With("note:windowsize").size(), 1u);
    EXPECT_TRUE(log.With("note:windowinit").empty());
}

TEST(PaintManagerPaint, AChangeInsideANestedLayoutIsLaidOutOnTheNextPaint) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    ASSERT_NE(host.Attach(L"<Window><VerticalLayout name=\"root\"><Control height=\"50\"/>"
                          L"<HorizontalLayout name=\"row\" height=\"40\">"
                          L"<Control name=\"left\" width=\"100\"/><Control name=\"right\"/>"
                          L"</HorizontalLayout></VerticalLayout></Window>"),
              nullptr);
    host.ShowAndPaint();
    wintest::Pump();
    CControlUI* right = host.pm.FindControlByName(L"right");
    EXPECT_EQ(right->GetPos(), CUIRect(100, 50, 300, 90));
    host.pm.FindControlByName(L"left")->SetFixedWidth(40);
    EXPECT_FALSE(host.pm.GetRoot()->IsUpdateNeeded());  // only the row asked for layout
    ::UpdateWindow(host.GetHWND());
    EXPECT_EQ(right->GetPos(), CUIRect(40, 50, 300, 90));
    EXPECT_FALSE(host.pm.FindControlByName(L"row")->IsUpdateNeeded());
    wintest::Pump();
    EXPECT_EQ(log.With("note:windowsize").size(), 2u);
}

TEST(PaintManagerPaint, PaintsTheTreeIntoTheWindow) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    ASSERT_NE(host.Attach(kTwoBoxes), nullptr);
    host.ShowAndPaint();
    wintest::Pump();
    EXPECT_EQ(wintest::ClientPixel(host.GetHWND(), 50, 100), RGB(255, 0, 0));
    EXPECT_EQ(wintest::ClientPixel(host.GetHWND(), 150, 100), RGB(0, 255, 0));
    EXPECT_EQ(wintest::ClientPixel(host.GetHWND(), 250, 100), RGB(0x10, 0x20, 0x30));
}

// GDI+ is loaded by the first drawing that needs it, not with the window: opaque boxes do
// not, a rounded border does. The last window's end shuts it down; a later window that
// needs it again gets it started again.
TEST(PaintManagerPaint, GdiplusStartsWithTheFirstDrawingThatNeedsIt) {
    const wchar_t kRounded[] =
        L"<Window><HorizontalLayout bkcolor=\"#FFFFFFFF\">"
        L"<Control width=\"100\" bordersize=\"3\" borderround=\"8,8\" bordercolor=\"#FF0000FF\"/>"
        L"</HorizontalLayout></Window>";
    const struct {
        const wchar_t* markup;
        bool gdiplus;
    } windows[] = {{kTwoBoxes, false}, {kRounded, true}, {kRounded, true}};
    for (const auto& w : windows) {
        EventLog log;
        HostWindow host(&log);
        ASSERT_TRUE(host.Open(0, 0, 300, 200));
        ASSERT_NE(host.Attach(w.markup), nullptr);
        host.ShowAndPaint();
        const bool loaded = ::GetModuleHandleW(L"gdiplus.dll") != nullptr;
        if (!w.gdiplus) {
            EXPECT_FALSE(loaded);
            continue;
        }
        EXPECT_TRUE(loaded);
        EXPECT_EQ(wintest::ClientPixel(host.GetHWND(), 1, 100), RGB(0, 0, 255));
        EXPECT_EQ(wintest::ClientPixel(host.GetHWND(), 50, 100), RGB(255, 255, 255));
    }
}

TEST(PaintManagerPaint, EraseBackgroundIsAlwaysAnsweredByTheManager) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 200, 100));
    HDC dc = ::GetDC(host.GetHWND());
    // Before and after a tree is attached.
    EXPECT_EQ(::SendMessageW(host.GetHWND(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ASSERT_NE(host.Attach(kTwoBoxes), nullptr);
    host.ShowAndPaint();
    ::RedrawWindow(host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(::SendMessageW(host.GetHWND(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ::ReleaseDC(host.GetHWND(), dc);
    EXPECT_EQ(host.erasedBackground, 0);
}

TEST(PaintManagerPaint, QueuedNotificationsArriveAfterDelayedCleanups) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    ASSERT_NE(host.Attach(kTwoBoxes), nullptr);
    host.ShowAndPaint();
    wintest::Pump();
    log.Clear();

    CControlUI* a = host.pm.FindControlByName(L"a");
    host.pm.SendNotify(a, L"custom", 1, 2, true);
    EXPECT_TRUE(log.lines.empty());  // returns before any listener runs
    host.pm.AddDelayedCleanup(NewTracked(&log, L"doomed"));
    EXPECT_TRUE(log.lines.empty());

    wintest::Pump();
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "destroyed:doomed");
    EXPECT_EQ(log.lines[1], "note:custom:a");
}

TEST(PaintManagerPaint, QueuedNotificationsOfADestroyedSenderAreDropped) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    CControlUI* root = host.Attach(kTwoBoxes);
    ASSERT_NE(root, nullptr);
    host.ShowAndPaint();
    wintest::Pump();
    log.Clear();

    // A container with a child, both raising queued notifications, then removed from
    // the tree: the removal hands the container to the delayed clean-up.
    auto* box = new CContainerUI;
    box->SetName(L"box");
    box->SetTag(reinterpret_cast<UINT_PTR>(&log));
    box->OnDestroy += &RecordDestroy;
    CControlUI* inner = NewTracked(&log, L"inner");
    ASSERT_TRUE(box->Add(inner));
    auto* container = static_cast<CContainerUI*>(root->GetInterface(L"Container"));
    ASSERT_TRUE(container->Add(box));
    CControlUI* survivor = host.pm.FindControlByName(L"b");

    host.pm.SendNotify(box, L"fromBox", 0, 0, true);
    host.pm.SendNotify(inner, L"fromInner", 0, 0, true);
    host.pm.SendNotify(survivor, L"fromSurvivor", 0, 0, true);
    ASSERT_TRUE(container->Remove(box));
    EXPECT_EQ(host.pm.FindControlByName(L"inner"), inner);  // still alive until the message

    wintest::Pump();
    EXPECT_TRUE(log.Contains("destroyed:box"));
    EXPECT_TRUE(log.Contains("destroyed:inner"));
    EXPECT_TRUE(log.With("note:fromBox").empty());
    EXPECT_TRUE(log.With("note:fromInner").empty());
    EXPECT_EQ(log.With("note:fromSurvivor").size(), 1u);
    EXPECT_EQ(host.pm.FindControlByName(L"inner"), nullptr);
}

TEST(PaintManagerPaint, ReplacingTheRootCleansTheOldTreeUpLater) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    CControlUI* first = NewTracked(&log, L"first");
    ASSERT_TRUE(host.pm.AttachRoot(first));
    EXPECT_FALSE(host.pm.AttachRoot(nullptr));
    EXPECT_EQ(host.pm.GetRoot(), first);
    CControlUI* second = NewTracked(&log, L"second");
    ASSERT_TRUE(host.pm.AttachRoot(second));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(host.pm.FindControlByName(L"second"), second);
    wintest::Pump();
    EXPECT_EQ(log.lines, std::vector<std::string>{"destroyed:first"});
}

TEST(PaintManagerPaint, NamesOfTheTreeAreFoundAndALaterDuplicateWins) {
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 300, 200));
    CControlUI* root = host.Attach(
        L"<Window><VerticalLayout><Control name=\"twin\" height=\"10\"/><Control name=\"twin\" height=\"20\"/>"
        L"</VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    auto* container = static_cast<CContainerUI*>(root->GetInterface(L"Container"));
    EXPECT_EQ(host.pm.FindControlByName(L"twin"), container->GetItemAt(1));
    EXPECT_EQ(host.pm.FindControlByName(L"TWIN"), nullptr);  // names are case-sensitive
    EXPECT_EQ(host.pm.FindControlByName(L""), nullptr);
}

}  // namespace

namespace {

// Drawn after the tree: records the size of the bitmap it is painted into and
// of the client area at that moment.
class BufferProbe : public CControlUI {
public:
    bool PaintClipped(HDC dc, const RECT& paint, CControlUI* stop) override {
        BITMAP bm = {};
        ::GetObjectW(::GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
        RECT client = {};
        ::GetClientRect(::WindowFromDC(dc) != nullptr ? ::WindowFromDC(dc) : window, &client);
        buffer = SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
        this->client = SIZE{client.right, client.bottom};
        ++paints;
        return CControlUI::PaintClipped(dc, paint, stop);
    }
    HWND window = nullptr;
    SIZE buffer = {0, 0};
    SIZE client = {0, 0};
    int paints = 0;
};

TEST(PaintManagerPaint, LayeredWindowResizedWhileItsRootIsHiddenPaintsWithinItsBuffer) {
    // Each step resizes the client, then paints; the buffer must follow the client.
    const SIZE steps[] = {{120, 90}, {900, 700}, {40, 30}, {1000, 20}};
    EventLog log;
    HostWindow host(&log);
    ASSERT_TRUE(host.Open(0, 0, 60, 40));
    CControlUI* root =
        host.Attach(L"<Window layered=\"true\"><VerticalLayout visible=\"false\" bkcolor=\"#FF00FF00\"/></Window>");
    ASSERT_NE(root, nullptr);
    BufferProbe probe;
    probe.window = host.GetHWND();
    ASSERT_TRUE(host.pm.AddPostPaint(&probe));
    host.ShowAndPaint();
    for (const SIZE& s : steps) {
        SCOPED_TRACE(testing::Message() << s.cx << "x" << s.cy);
        ::SetWindowPos(host.GetHWND(), nullptr, 0, 0, s.cx, s.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        const int before = probe.paints;
        host.pm.Invalidate();
        ::UpdateWindow(host.GetHWND());
        wintest::Pump();
        ASSERT_GT(probe.paints, before);
        EXPECT_EQ(probe.buffer.cx, probe.client.cx);
        EXPECT_EQ(probe.buffer.cy, probe.client.cy);
    }
    host.pm.RemovePostPaint(&probe);
}

}  // namespace
