// Hostile skins: style cycles, huge texts and amplifying Includes build, or
// fail cleanly, in bounded time.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/label.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_settings.h"
#include "ui/core/skin_builder.h"

using namespace SkinUI;

namespace {

// A hang guard, far above what any of these builds should take.
const DWORD kHangGuardMs = 10000;

class HostileSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.hwnd(), nullptr);
        manager.Init(host.hwnd());
        dir = testenv::MakeTempDir(L"hostile");
        CUIResourceSettings::Reset();
        CPaintManagerUI::SetResourcePath(dir.c_str());
    }
    void TearDown() override {
        CUIResourceSettings::Reset();
        testenv::RemoveTree(dir);
    }
    void Write(const wchar_t* name, const std::string& text) { ASSERT_TRUE(testenv::WriteFile(dir + name, text)); }

    skintest::CHostWindow host;
    CPaintManagerUI manager;
    std::wstring dir;
};

std::string Repeat(const std::string& part, int times) {
    std::string out;
    out.reserve(part.size() * times);
    for (int i = 0; i < times; ++i) out += part;
    return out;
}

// A chain of styles s0 -> s1 -> ... -> s<n-1>, the last one setting width="7".
std::wstring StyleChain(int n) {
    std::wstring out;
    for (int i = 0; i < n; ++i) {
        out += L"<Style name=\"s" + std::to_wstring(i) + L"\" value=\"";
        out += i + 1 < n ? L"style=&quot;s" + std::to_wstring(i + 1) + L"&quot;" : std::wstring(L"width=&quot;7&quot;");
        out += L"\"/>";
    }
    return out;
}

// Style lists nest at most eight levels deep (a deeper chain is dropped where
// it passes the bound), so that a cycle ends; the cycles themselves are below.
TEST_F(HostileSkinTest, StyleChainsStopAtTheDepthBound) {
    for (int depth : {1, 7, 8, 9, 40}) {
        SCOPED_TRACE(depth);
        manager.RemoveAllStyles();  // the first definition of a name would be kept
        CSkinBuilder builder;
        const std::wstring markup =
            L"<Window>" + StyleChain(depth) + L"<Label style=\"s0\" name=\"ok\" text=\"t\"/></Window>";
        CControlUI* label = builder.Create(markup.c_str(), nullptr, nullptr, &manager, nullptr);
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(label->GetName(), L"ok");
        EXPECT_EQ(label->GetFixedWidth(), depth <= 8 ? 7 : 0);
        delete label;
    }
}

TEST_F(HostileSkinTest, StyleCyclesGiveUpThatAttributeOnly) {
    struct Case {
        const char* what;
        std::wstring markup;
        int width;  // what the styles leave as the label's fixed width
    };
    const Case cases[] = {
        {"style naming itself",
         L"<Window><Style name=\"s\" value=\"style=&quot;s&quot;\"/>"
         L"<Label style=\"s\" name=\"ok\" text=\"t\"/></Window>", 0},
        {"two styles naming each other",
         L"<Window><Style name=\"a\" value=\"style=&quot;b&quot; width=&quot;5&quot;\"/>"
         L"<Style name=\"b\" value=\"style=&quot;a&quot;\"/><Label style=\"a\" name=\"ok\" text=\"t\"/></Window>", 5},
        {"default list naming a self-naming style",
         L"<Window><Style name=\"s\" value=\"s\"/><Default name=\"Label\" value=\"s\"/>"
         L"<Label name=\"ok\" text=\"t\"/></Window>", 0},
        {"inner style naming itself",
         L"<Window><Style name=\"s\" value=\"innerstyle=&quot;s&quot;\"/>"
         L"<Label innerstyle=\"s\" name=\"ok\" text=\"t\"/></Window>", 0},
        {"styles multiplying each other",
         L"<Window><Style name=\"a\" value=\"style=&quot;b&quot; style=&quot;b&quot; style=&quot;b&quot; "
         L"style=&quot;b&quot;\"/><Style name=\"b\" value=\"style=&quot;a&quot; style=&quot;a&quot; "
         L"style=&quot;a&quot; style=&quot;a&quot;\"/><Label style=\"a\" name=\"ok\" text=\"t\"/></Window>", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        manager.RemoveAllStyles();  // the first definition of a name would be kept
        manager.RemoveAllDefaultAttributeLists();
        CSkinBuilder builder;
        const DWORD start = ::GetTickCount();
        CControlUI* label = builder.Create(c.markup.c_str(), nullptr, nullptr, &manager, nullptr);
        EXPECT_LT(::GetTickCount() - start, kHangGuardMs);
        ASSERT_NE(label, nullptr);
        EXPECT_STREQ(label->GetName(), L"ok");
        EXPECT_STREQ(label->GetText(), L"t");
        EXPECT_EQ(label->GetFixedWidth(), c.width);
        delete label;
    }
}

TEST_F(HostileSkinTest, HugeTextWithLineBreaksBuilds) {
    // About 1 MiB of markup holding 300,000 "{\n}" sequences.
    const int kBreaks = 300000;
    Write(L"text.xml", "<Window><Label text=\"" + Repeat("{\\n}", kBreaks) + "\"/></Window>");
    CSkinBuilder builder;
    const DWORD start = ::GetTickCount();
    CControlUI* label = builder.Create(L"text.xml", nullptr, nullptr, &manager, nullptr);
    EXPECT_LT(::GetTickCount() - start, kHangGuardMs);
    ASSERT_NE(label, nullptr) << builder.GetLastErrorMessage();
    const CUIString& built = label->GetText();
    ASSERT_EQ(built.GetLength(), kBreaks);
    EXPECT_EQ(built[0], L'\n');
    EXPECT_EQ(built[kBreaks - 1], L'\n');
    delete label;
}

// Rewrites the Include source the first time it meets its marker element, so a
// source read again for a later repetition would build something else.
class RewritingCallback : public IDialogBuilderCallback {
public:
    explicit RewritingCallback(std::wstring path) : m_path(std::move(path)) {}
    CControlUI* CreateControl(const wchar_t* className) override {
        if (_wcsicmp(className, L"Marker") != 0) return nullptr;
        testenv::WriteFile(m_path, "<Window><Button name=\"reread\"/></Window>");
        auto* marker = new CControlUI;
        marker->SetName(L"marker");
        return marker;
    }

private:
    std::wstring m_path;
};

TEST_F(HostileSkinTest, IncludeSourcesAreReadOncePerBuildAndBuildsAreBounded) {
    Write(L"part.xml", "<Window><Marker/></Window>");
    Write(L"main.xml", "<Window><VerticalLayout><Include source=\"part.xml\" count=\"3\"/></VerticalLayout></Window>");
    RewritingCallback rewrite(dir + L"part.xml");
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"main.xml", nullptr, &rewrite, &manager, nullptr);
    ASSERT_NE(root, nullptr);
    auto* container = static_cast<IContainerUI*>(root->GetInterface(L"IContainer"));
    ASSERT_EQ(container->GetCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_STREQ(container->GetItemAt(i)->GetName(), L"marker") << i;
    delete root;

    // Amplifying skins: each either builds or fails cleanly, well inside the guard.
    const std::string big(1 << 20, 'x');
    Write(L"bigtext.xml", "<Window><Label text=\"" + big + "\"/></Window>");
    Write(L"ten.xml", "<Window>" + Repeat("<Label text=\"\xE5\xBE\xAE\"/>", 10) + "</Window>");
    const std::string bigMarkup = "<Window><Control userdata=\"" + std::string(3 << 20, 'y') + "\"/></Window>";
    std::string manySources = "<Window><VerticalLayout>";
    for (int i = 0; i < 4; ++i) {
        const std::string name = "big" + std::to_string(i) + ".xml";
        Write(std::wstring(name.begin(), name.end()).c_str(), bigMarkup);
        manySources += "<Include source=\"" + name + "\"/>";
    }
    manySources += "</VerticalLayout></Window>";
    struct Case {
        const char* what;
        std::string markup;
    };
    const Case cases[] = {
        {"a skin of ten labels repeated 300 times", "<Window><VerticalLayout><Include source=\"ten.xml\" "
                                                    "count=\"300\"/></VerticalLayout></Window>"},
        {"one huge text repeated", "<Window><VerticalLayout><Include source=\"bigtext.xml\" count=\"1000\"/>"
                                   "</VerticalLayout></Window>"},
        {"many distinct large sources", manySources},
        {"a long style on every control",
         "<Window><Style name=\"s\" value=\"" + Repeat("a=&quot;&quot; ", 20000) +
             "\"/><VerticalLayout>" + Repeat("<Label style=\"s\"/>", 5000) + "</VerticalLayout></Window>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(L"amplify.xml", c.markup);
        CSkinBuilder amplify;
        const DWORD start = ::GetTickCount();
        CControlUI* made = amplify.Create(L"amplify.xml", nullptr, nullptr, &manager, nullptr);
        EXPECT_LT(::GetTickCount() - start, kHangGuardMs);
        EXPECT_EQ(made, nullptr);
        EXPECT_TRUE(amplify.IsLimitReached());
        delete made;
    }
}

TEST_F(HostileSkinTest, ByteSizedWindowAttributesAreClamped) {
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        BYTE opacity;
    };
    const Case cases[] = {
        {L"opacity", L"256", 255}, {L"opacity", L"99999999999", 255}, {L"alpha", L"-1", 0},
        {L"opacity", L"128", 128}, {L"layeredopacity", L"300", 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.name)) << "="
                                        << testing::PrintToString(std::wstring(c.value)));
        ApplyWindowAttribute(&manager, c.name, c.value);
        EXPECT_EQ(manager.GetOpacity(), c.opacity);
    }
}

// Found by the fuzz driver: text in a font tens of thousands of pixels high
// took seconds to draw.
TEST_F(HostileSkinTest, FontSizesAreClamped) {
    CSkinBuilder builder;
    CControlUI* root = builder.Create(
        L"<Window><Font id=\"1\" name=\"Arial\" size=\"65535\"/><Font id=\"2\" name=\"Arial\" "
        L"size=\"-2147483648\"/><Font id=\"3\" name=\"Arial\" size=\"72\"/><Control/></Window>",
        nullptr, nullptr, &manager, nullptr);
    ASSERT_NE(root, nullptr);
    const int expected[][2] = {{1, 512}, {2, -512}, {3, 72}};
    for (const auto& e : expected) {
        ASSERT_NE(manager.GetFontInfo(e[0]), nullptr) << e[0];
        EXPECT_EQ(manager.GetFontInfo(e[0])->iSize, e[1]) << e[0];
    }
    delete root;
}

}  // namespace
