// Child layouts built from skin files (including files that include
// themselves), the group box's frame, and hostile nestings of the layouts:
// nothing crashes, hangs or paints outside the tree's own rectangle.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/widgets/layout_host.h"
#include "ui/controls/container.h"
#include "ui/core/accessible_model.h"
#include "ui/core/resource_settings.h"
#include "ui/widgets/layout/child_layout.h"

using namespace SkinUI;
using layouttest::CCanvas;
using layouttest::CHost;

namespace {

int CountTree(CControlUI* control) {
    int count = 1;
    if (auto* container = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"))) {
        for (int i = 0; i < container->GetCount(); ++i) count += CountTree(container->GetItemAt(i));
    }
    return count;
}

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir = testenv::MakeTempDir(L"childlayout");
        CUIResourceSettings::Reset();
        CPaintManagerUI::SetResourcePath(dir.c_str());
        Write(L"part.xml", "<Window><HorizontalLayout name=\"inner\"><Label name=\"deep\"/></HorizontalLayout></Window>");
        Write(L"self.xml", "<Window><VerticalLayout><Label/><ChildLayout xmlfile=\"SELF.xml\"/></VerticalLayout></Window>");
        Write(L"a.xml", "<Window><VerticalLayout><ChildLayout xmlfile=\"b.xml\"/></VerticalLayout></Window>");
        Write(L"b.xml", "<Window><VerticalLayout><ChildLayout xmlfile=\"a.xml\"/></VerticalLayout></Window>");
        // Nine levels of forty child layouts each: only the bounds keep this finite.
        for (int level = 0; level < 9; ++level) {
            std::string text = "<Window><TileLayout columns=\"3\">";
            for (int i = 0; i < 40; ++i) text += "<ChildLayout xmlfile=\"w" + std::to_string(level + 1) + ".xml\"/>";
            Write((L"w" + std::to_wstring(level) + L".xml").c_str(), (text + "</TileLayout></Window>").c_str());
        }
        Write(L"loop.xml",
              "<Window><TileLayout columns=\"2\" itemsize=\"-5,99999\"><ChildLayout xmlfile=\"loop.xml\"/>"
              "<GroupBox text=\"g\" bkcolor=\"#FF00FF00\"><ChildLayout xmlfile=\"loop.xml\"/></GroupBox>"
              "<AnimationTabLayout selectedid=\"1\"><Control bkcolor=\"#FFFF0000\"/><ChildLayout xmlfile=\"loop.xml\"/>"
              "</AnimationTabLayout></TileLayout></Window>");
    }
    void TearDown() override {
        CUIResourceSettings::Reset();
        testenv::RemoveTree(dir);
    }
    void Write(const wchar_t* name, const char* text) { ASSERT_TRUE(testenv::WriteFile(dir + name, text)); }

    std::wstring dir;
};

TEST_F(SkinFolder, ChildLayoutBuildsItsFileAndNeverItselfAgain) {
    const struct {
        const wchar_t* file;
        int controls;  // in the child layout's tree, itself included; -1: only bounded
    } kCases[] = {{L"part.xml", 3},
                  {L"self.xml", 4},  // the inner layout names the file being built: left empty
                  {L"a.xml", 5},     // a, then b, then a again: left empty
                  {L"missing.xml", 1}, {L"w0.xml", -1}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(layouttest::Narrow(c.file));
        CHost host;
        ASSERT_TRUE(host.Open((L"<Window><VerticalLayout><ChildLayout name=\"c\" xmlfile=\"" + std::wstring(c.file) +
                               L"\"/></VerticalLayout></Window>").c_str(), 300, 200, false));
        const int controls = CountTree(host.Find(L"c"));
        EXPECT_EQ(controls, c.controls >= 0 ? c.controls : std::min(controls, 2 * CChildLayoutUI::kMaxControls));
    }
    // A new name builds the new file in place of the old one.
    CHost host;
    ASSERT_TRUE(host.Open(L"<Window><VerticalLayout><ChildLayout name=\"c\" xmlfile=\"a.xml\"/></VerticalLayout></Window>",
                          300, 200, false));
    static_cast<CChildLayoutUI*>(host.Find(L"c"))->SetChildLayoutXML(L"part.xml");
    EXPECT_NE(host.Find(L"deep"), nullptr);
    EXPECT_EQ(CountTree(host.Find(L"c")), 3);
}

TEST_F(SkinFolder, HostileNestingsPaintOnlyWithinTheTree) {
    // Each layout's attributes, and each combination nested in every way two levels deep.
    const wchar_t* const kLayouts[] = {
        L"TileLayout columns=\"2147483647\" childpadding=\"-9\"",
        L"TileLayout itemsize=\"99999,-1\" childpadding=\"40000\"",
        L"TileLayout columns=\"0\" itemsize=\"0,0\" inset=\"500,500,500,500\"",
        L"TileLayout columns=\"-3\" itemsize=\"1,1\"",
        L"TabLayout selectedid=\"99\"",
        L"AnimationTabLayout selectedid=\"-1\" animationdirection=\"vertical\"",
        L"GroupBox text=\"Title that is much wider than its box\" bordersize=\"300\" bordercolor=\"#FF0000FF\"",
        L"GroupBox bordersize=\"-4\"",
        L"ChildLayout xmlfile=\"loop.xml\"",
    };
    const wchar_t kLeaves[] = L"<Control bkcolor=\"#FFFF0000\" width=\"99999\"/><Label text=\"x\" height=\"-5\" "
                              L"bkcolor=\"#FF00FF00\" padding=\"-300,-300,0,0\"/><Control float=\"true\" "
                              L"pos=\"-500,-500,900,900\" bkcolor=\"#FF0000FF\"/>";
    const RECT place = {40, 30, 240, 130};
    int percent = 100;
    for (const wchar_t* outer : kLayouts) {
        for (const wchar_t* inner : kLayouts) {
            const std::wstring markup = L"<Window><" + std::wstring(outer) + L" bkcolor=\"#FF808080\">" + kLeaves +
                                        L"<" + inner + L">" + kLeaves + L"</" + std::wstring(inner, std::wcscspn(inner, L" ")) +
                                        L"></" + std::wstring(outer, std::wcscspn(outer, L" ")) + L"></Window>";
            SCOPED_TRACE(layouttest::Narrow(markup.c_str()));
            percent = percent == 100 ? 150 : 100;  // every other one scaled
            CHost host;
            ASSERT_TRUE(host.Open(markup.c_str(), 300, 200, false, percent));
            host.pm.GetRoot()->PlaceAt(place, false);
            CCanvas canvas(300, 200);
            host.pm.GetRoot()->PaintClipped(canvas.dc(), CUIRect(0, 0, 300, 200), nullptr);
            EXPECT_EQ(canvas.ChangedOutside(place), 0);
            EXPECT_NE(canvas.At(41, 31), CCanvas::kUntouched);  // it did paint
        }
    }
}

TEST(GroupBox, TitleBreaksTheTopLineAndTheContentSitsBelowIt) {
    CHost host;
    ASSERT_TRUE(host.Open(L"<Window><GroupBox name=\"g\" text=\"Title\" bordercolor=\"#FF0000FF\" bordersize=\"2\">"
                          L"<Control name=\"c\"/></GroupBox></Window>",
                          200, 100, false));
    CControlUI* box = host.Find(L"g");
    const CUIRect content = host.Find(L"c")->GetPos();
    EXPECT_EQ(CUIRect(content.left, 0, content.right, content.bottom), CUIRect(2, 0, 198, 98));
    EXPECT_GT(content.top, 10);  // below the title's text
    CCanvas canvas(200, 100);
    box->PaintClipped(canvas.dc(), CUIRect(0, 0, 200, 100), nullptr);
    const int line = (content.top - 2) / 2;  // the top line runs through the title's middle
    const struct {
        int x, y;
        bool frame;
    } kPixels[] = {{3, line, true}, {190, line, true}, {16, line, false}, {0, 50, true}, {100, 99, true}};
    for (const auto& p : kPixels) EXPECT_EQ(canvas.At(p.x, p.y) == 0x0000FF, p.frame) << p.x << "," << p.y;
    EXPECT_EQ(Accessible::RoleOf(box), ROLE_SYSTEM_GROUPING);
}

}  // namespace
